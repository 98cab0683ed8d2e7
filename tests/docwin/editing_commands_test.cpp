// Commands on the selection and the one-level undo.
#include "tests/docwin/editing_fixture.h"

#include <QPlainTextEdit>

using namespace kb;
using kb::test::Editing;
using kb::test::MakeBlock;

namespace {

std::vector<Block> BlocksOf(const TShem& shem)
{
    std::vector<Block> blocks;
    for (int i = 0; i < shem.Count(); ++i)
        if (shem.Get(i)->IsBlock()) blocks.push_back(shem.Get(i)->block());
    return blocks;
}

int LinkCount(const TShem& shem)
{
    int n = 0;
    for (int i = 0; i < shem.Count(); ++i)
        n += shem.Get(i)->IsLink();
    return n;
}

} // namespace

TEST_F(Editing, UndoAndRedoSwapWithTheSnapshot)
{
    host.Tool = tcRectangle;
    Drag({20, 20}, {100, 60});
    ASSERT_EQ(Shem().Count(), 1);
    QTest::keyClicks(doc.Editor(), QStringLiteral("t")); // still pending
    doc.SetModified(false);

    doc.SwapWithSnapshot();
    EXPECT_EQ(Shem().Count(), 0);
    EXPECT_FALSE(doc.CanUndo());
    EXPECT_TRUE(doc.CanRedo());
    EXPECT_TRUE(doc.Modified());
    EXPECT_FALSE(doc.EditorOpen());
    EXPECT_EQ(doc.TextTarget(), nullptr);

    doc.SwapWithSnapshot(); // redo brings the block back with its typed text
    ASSERT_EQ(Shem().Count(), 1);
    EXPECT_EQ(Shem().Get(0)->block().Rect(), (TRect{10, 10, 50, 30}));
    EXPECT_EQ(Shem().Get(0)->block().Text, "t");
    EXPECT_TRUE(doc.CanUndo());
    EXPECT_FALSE(doc.CanRedo());

    Select({Shem().Get(0)});
    doc.SetTextAlign(taLeft);
    EXPECT_FALSE(doc.CanRedo());
}

TEST_F(Editing, AfterASwapTheWindowNamesOnlyLiveEntries)
{
    TShemObj* a = AddRect(10, 10, 40, 30);
    TShemObj* b = AddRect(100, 10, 130, 30);
    AddLink(a, {65535, 32767}, b, {0, 32767});
    doc.SelectAll();
    doc.SetTextAlign(taRight);
    EXPECT_EQ(a->block().Align, taRight);
    EXPECT_TRUE(doc.CanUndo());
    EXPECT_TRUE(doc.Modified());
    doc.SwapWithSnapshot();
    // Nothing moved, so every entry is found again at its place.
    EXPECT_EQ(doc.Selection().size(), 3u);
    EXPECT_TRUE(SelectionIsLive());
    EXPECT_EQ(BlocksOf(Shem())[0].Align, taCenter);

    // Undo in the middle of a resize: the drag must not reach the old block.
    Select({Shem().Get(0)});
    Press({20, 40}); // left middle handle of the first block
    doc.SwapWithSnapshot();
    MoveTo({60, 40});
    Release({60, 40});
    Key(Qt::Key_Right, Qt::ControlModifier);
    EXPECT_TRUE(SelectionIsLive());
    for (const Block& blk : BlocksOf(Shem()))
        EXPECT_EQ(blk.Width(), 30);
}

TEST_F(Editing, PastedCopiesStandTenUnitsOffPlusTheScrollOrigin)
{
    TShemObj* a = AddRect(10, 10, 40, 30, "a");
    TShemObj* b = AddRect(100, 10, 130, 30);
    AddLink(a, {65535, 32767}, b, {0, 32767}); // its end b is not selected
    Select({a, Shem().Get(2)});
    doc.CopySelection();
    ASSERT_EQ(host.ClipboardDiagram.Count(), 1);
    EXPECT_FALSE(doc.Modified());

    doc.Paste();
    doc.Paste();
    ASSERT_EQ(Shem().Count(), 5);
    EXPECT_EQ(Shem().Get(3)->block().Rect(), (TRect{20, 20, 50, 40}));
    EXPECT_EQ(Shem().Get(4)->block().Rect(), (TRect{20, 20, 50, 40}));
    EXPECT_EQ(Shem().Get(4)->block().Text, "a");
    EXPECT_EQ(doc.Selection(), std::vector<TShemObj*>{Shem().Get(4)});
    EXPECT_TRUE(doc.CanUndo());
    EXPECT_TRUE(doc.Modified());

    doc.ScrollTo({100, 50});
    doc.Paste();
    EXPECT_EQ(doc.Selection()[0]->block().Rect(), (TRect{120, 70, 150, 90}));
}

TEST_F(Editing, CopyCarriesALinkThroughASelectedJointPoint)
{
    TShemObj* joint = Add(MakeBlock(69, 49, 71, 51, bkJoint));
    TShemObj* a = AddRect(10, 10, 40, 30);
    TShemObj* b = AddRect(100, 10, 130, 30);
    AddLink(a, {65535, 32767}, joint, {32767, 32767}, 1);
    AddLink(joint, {32767, 32767}, b, {0, 32767}, 1);
    doc.SelectAll();
    doc.CopySelection();
    EXPECT_EQ(host.ClipboardDiagram.Count(), 5);
    EXPECT_EQ(LinkCount(host.ClipboardDiagram), 2);

    Select({a, b, joint}); // neither half selected: the point cannot come
    doc.CopySelection();
    EXPECT_EQ(host.ClipboardDiagram.Count(), 2);
    EXPECT_EQ(doc.Selection(), (std::vector<TShemObj*>{a, b}));
}

TEST_F(Editing, CopyEndsWhenLinksSitOnEachOtherInACycle)
{
    TShemObj* a = AddRect(10, 10, 40, 30);
    TShemObj* l1 = AddLink(a, {65535, 0}, nullptr, {32767, 0});
    TShemObj* l2 = AddLink(a, {0, 65535}, l1, {32767, 0});
    l1->link().EndB = l2;
    doc.SelectAll();
    doc.CopySelection();
    EXPECT_EQ(host.ClipboardDiagram.Count(), 1);
    doc.DuplicateSelection();
    EXPECT_EQ(BlocksOf(Shem()).size(), 2u);
}

TEST_F(Editing, DuplicateMarksTheDocumentAndKeepsCopiesInside)
{
    TShemObj* a = AddRect(10, 10, 40, 30);
    TShemObj* edge = AddRect(65520, 10, 65530, 20);
    TShemObj* link = AddLink(a, {65535, 32767}, edge, {0, 32767});
    Select({link, a, edge});
    doc.DuplicateSelection();
    EXPECT_TRUE(doc.Modified());
    EXPECT_FALSE(doc.CanUndo());
    ASSERT_EQ(Shem().Count(), 6);
    ASSERT_EQ(doc.Selection().size(), 3u);
    EXPECT_EQ(doc.Selection()[0]->link().EndA, doc.Selection()[1]);
    EXPECT_EQ(doc.Selection()[1]->block().Rect(), (TRect{20, 20, 50, 40}));
    EXPECT_EQ(doc.Selection()[2]->block().Rect(), (TRect{65525, 20, 65535, 30}));
}

TEST_F(Editing, DeleteTakesTheCascadeAndCanBeUndone)
{
    TShemObj* a = AddRect(10, 10, 40, 30, "a");
    TShemObj* b = AddRect(100, 10, 130, 30, "b");
    AddLink(a, {65535, 32767}, b, {0, 32767});
    Shem().RefreshList();
    Select({a});
    doc.DeleteSelection();
    ASSERT_EQ(Shem().Count(), 1);
    EXPECT_EQ(Shem().Get(0), b);
    EXPECT_TRUE(doc.Selection().empty());
    EXPECT_EQ(host.List.Rows.size(), 1u);
    EXPECT_TRUE(doc.Modified());

    doc.SwapWithSnapshot();
    EXPECT_EQ(Shem().Count(), 3);
    EXPECT_EQ(host.List.Rows.size(), 2u);
}

TEST_F(Editing, JoinSquareMergesChainsOfRectanglesJoinedBySingleArrows)
{
    TShemObj* in = Add(MakeBlock(10, 0, 60, 5, bkEllipse));
    TShemObj* x = AddRect(10, 10, 60, 30, "X");
    TShemObj* y = AddRect(10, 50, 60, 70, "Y;");
    TShemObj* z = AddRect(10, 90, 60, 110, "Z");
    TShemObj* out = Add(MakeBlock(10, 130, 60, 150, bkEllipse));
    TShemObj* arrowIn = AddLink(in, {32767, 65535}, x, {32767, 0}, 1);
    AddLink(x, {32767, 65535}, y, {32767, 0}, 1);
    AddLink(z, {32767, 0}, y, {32767, 65535}, 2); // arrowhead at end A: y to z
    TShemObj* arrowOut = AddLink(z, {32767, 65535}, out, {32767, 0}, 1);
    Select({y, z});
    doc.JoinSquare();

    EXPECT_EQ(x->block().Text, "X;\r\nY;\r\nZ");
    EXPECT_EQ(Shem().Count(), 5);
    EXPECT_EQ(arrowIn->link().EndB, x);
    EXPECT_EQ(arrowOut->link().EndA, x);
    EXPECT_TRUE(doc.Selection().empty());
    EXPECT_TRUE(doc.CanUndo());
    EXPECT_TRUE(doc.Modified());
}

TEST_F(Editing, JoinSquareLeavesSharedDottedAndDoubleArrowsAlone)
{
    TShemObj* x = AddRect(10, 10, 60, 30, "X");
    TShemObj* y = AddRect(10, 50, 60, 70, "Y");
    TShemObj* w = Add(MakeBlock(100, 10, 150, 30, bkEllipse));
    AddLink(x, {32767, 65535}, y, {32767, 0}, 1);
    AddLink(w, {32767, 65535}, y, {65535, 0}, 1); // a second arrow into y
    TShemObj* p = AddRect(200, 10, 250, 30, "P");
    TShemObj* q = AddRect(200, 50, 250, 70, "Q");
    TShemObj* r = AddRect(300, 10, 350, 30, "R");
    AddLink(p, {32767, 65535}, q, {32767, 0}, 5);
    AddLink(q, {65535, 32767}, r, {0, 32767}, 3);
    TShemObj* self = AddRect(400, 10, 450, 30, "S");
    AddLink(self, {65535, 0}, self, {65535, 65535}, 1); // into itself
    const int before = Shem().Count();
    doc.JoinSquare();
    EXPECT_EQ(Shem().Count(), before);
    EXPECT_EQ(x->block().Text, "X");
    EXPECT_EQ(self->block().Text, "S");
}
