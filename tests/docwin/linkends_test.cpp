// Link ends on links are remembered by the diagram between changes; the
// document window's edits change blocks in place, so what a user does must
// reach the links hanging on them at once.
#include "tests/docwin/editing_fixture.h"

using namespace kb;
using kb::test::Editing;

TEST_F(Editing, LinksOnLinksFollowABlockTheUserMoves)
{
    TShemObj* a = AddRect(10, 10, 40, 30);
    TShemObj* b = AddRect(100, 10, 130, 30);
    TShemObj* base = AddLink(a, {65535, 32767}, b, {0, 32767});      // (40, 20) to (100, 20)
    TShemObj* onBase = AddLink(base, {32767, 0}, a, {32767, 65535}); // from its middle to a
    doc.Repaint();
    EXPECT_EQ(Shem().LinkEnds(onBase->link()).A, (TPoint{70, 20}));
    EXPECT_EQ(Shem().ObjectAt({48, 25}), onBase);

    // The user drags b 60 units down (view pixels are half units).
    host.Tool = tcSelect;
    Drag({230, 40}, {230, 160});
    ASSERT_EQ(b->block().Rect(), (TRect{100, 70, 130, 90}));
    EXPECT_EQ(Shem().LinkEnds(onBase->link()).A, (TPoint{70, 50}));
    // Hovering finds the link where it is drawn now, and not where it was.
    EXPECT_EQ(Shem().ObjectAt({48, 40}), onBase);
    EXPECT_EQ(Shem().ObjectAt({48, 25}), nullptr);

    // Undo (the command behind Edit > Undo) puts everything back, the
    // remembered ends included.
    ASSERT_TRUE(doc.CanUndo());
    doc.Undo();
    const TShemObj* link = Shem().Get(3);
    ASSERT_TRUE(link->IsLink());
    EXPECT_EQ(Shem().LinkEnds(link->link()).A, (TPoint{70, 20}));

    // The user drags the end of the carrying link from b onto the left side
    // of another block: the link on it follows.
    AddRect(100, 100, 130, 120);
    Select({base});
    Drag({200, 40}, {200, 220});
    EXPECT_EQ(Shem().LinkEnds(Shem().Get(2)->link()).B, (TPoint{100, 110}));
    EXPECT_EQ(Shem().LinkEnds(link->link()).A, (TPoint{70, 65}));
}
