// The mouse tools: creating blocks, selecting, moving, resizing, links and
// their ends, joint points and panning, through real mouse events.
#include "docwin/cursors.h"
#include "tests/docwin/editing_fixture.h"

#include <QPlainTextEdit>
#include <QScrollBar>

using namespace kb;
using kb::test::Editing;
using kb::test::MakeBlock;

namespace {

TRect BoxOf(const TShemObj* e)
{
    return e->block().Rect();
}

std::vector<TShemObj*> LinksOf(const TShem& shem)
{
    std::vector<TShemObj*> links;
    for (int i = 0; i < shem.Count(); ++i)
        if (shem.Get(i)->IsLink()) links.push_back(shem.Get(i));
    return links;
}

} // namespace

TEST_F(Editing, BlockDragMustExceedTenByFiveUnits)
{
    host.Tool = tcRectangle;
    Drag({20, 20}, {40, 32}); // 10 by 6 units at scale 2: too narrow
    EXPECT_EQ(Shem().Count(), 0);
    EXPECT_EQ(host.Tool, tcRectangle);
    EXPECT_FALSE(doc.CanUndo());
    EXPECT_FALSE(doc.Modified());

    Drag({20, 20}, {42, 32});
    ASSERT_EQ(Shem().Count(), 1);
    TShemObj* block = Shem().Get(0);
    EXPECT_EQ(block->block().Kind, bkRectangle);
    EXPECT_EQ(BoxOf(block), (TRect{10, 10, 21, 16}));
    EXPECT_EQ(doc.Selection(), std::vector<TShemObj*>{block});
    EXPECT_TRUE(doc.EditorOpen());
    EXPECT_EQ(doc.TextTarget(), block);
    EXPECT_EQ(host.Tool, tcSelect);
    EXPECT_EQ(doc.Document().UndoAction(), TAction::CreateBlock);
    EXPECT_TRUE(doc.Modified());
    EXPECT_EQ(Notices, 1);
}

TEST_F(Editing, CreatingToolsMakeTheirKindAndShiftMakesSquares)
{
    host.Tool = tcDivider;
    Press({100, 100});
    MoveTo({144, 124});
    EXPECT_EQ(host.Status[1], QStringLiteral("(44, 24)"));
    Release({150, 130}, Qt::ShiftModifier); // (+50, +30) squared by the shorter side
    ASSERT_EQ(Shem().Count(), 1);
    EXPECT_EQ(Shem().Get(0)->block().Kind, bkDivider);
    EXPECT_EQ(BoxOf(Shem().Get(0)), (TRect{50, 50, 65, 65}));
    EXPECT_TRUE(host.Status[1].isEmpty());
}

TEST_F(Editing, FeedbackIsErasedBeforeEachChange)
{
    AddRect(10, 10, 40, 30);
    doc.Repaint();
    const QImage before = doc.BackBuffer().copy();
    host.Tool = tcRectangle;
    Press({100, 100});
    MoveTo({150, 140});
    EXPECT_NE(doc.BackBuffer(), before);
    MoveTo({30, 180});
    Release({104, 104}); // too small: nothing is made, the rectangle is gone
    EXPECT_EQ(Shem().Count(), 1);
    EXPECT_EQ(doc.BackBuffer(), before);
}

TEST_F(Editing, ClickShiftClickAndMoveTogether)
{
    TShemObj* a = AddRect(10, 10, 40, 30);
    TShemObj* b = AddRect(60, 10, 90, 30);
    QTest::mouseClick(&doc, Qt::LeftButton, {}, QPoint(50, 40));
    QTest::mouseClick(&doc, Qt::LeftButton, Qt::ShiftModifier, QPoint(150, 40));
    EXPECT_EQ(doc.Selection(), (std::vector<TShemObj*>{a, b}));

    // A press on a selected block keeps the selection: both move.
    Drag({50, 40}, {70, 50});
    EXPECT_EQ(BoxOf(a), (TRect{20, 15, 50, 35}));
    EXPECT_EQ(BoxOf(b), (TRect{70, 15, 100, 35}));
    EXPECT_EQ(doc.Document().UndoAction(), TAction::Move);
    EXPECT_EQ(Notices, 1);

    QTest::mouseClick(&doc, Qt::LeftButton, Qt::ShiftModifier, QPoint(70, 50));
    EXPECT_EQ(doc.Selection(), std::vector<TShemObj*>{b});
}

TEST_F(Editing, ShiftClickOnTheLastSelectedBlockStartsNoMove)
{
    TShemObj* a = AddRect(10, 10, 40, 30);
    Select({a});
    Press({50, 40}, Qt::ShiftModifier);
    MoveTo({90, 60});
    Release({90, 60});
    EXPECT_TRUE(doc.Selection().empty());
    EXPECT_EQ(BoxOf(a), (TRect{10, 10, 40, 30}));
    EXPECT_FALSE(doc.Modified());
}

TEST_F(Editing, ShiftRubberBandAddsEachEntryOnce)
{
    TShemObj* a = AddRect(10, 10, 40, 30);
    TShemObj* b = AddRect(60, 10, 90, 30);
    AddRect(10, 100, 40, 120);
    Select({a});
    Drag({4, 4}, {200, 80}, Qt::ShiftModifier);
    EXPECT_EQ(doc.Selection(), (std::vector<TShemObj*>{a, b}));
    Drag({50, 40}, {70, 40});
    EXPECT_EQ(BoxOf(a), (TRect{20, 10, 50, 30}));

    Drag({300, 250}, {380, 290}); // without Shift over empty space: nothing left
    EXPECT_TRUE(doc.Selection().empty());
}

TEST_F(Editing, AMoveBackToItsStartChangesNothing)
{
    TShemObj* a = AddRect(10, 10, 40, 30);
    Select({a});
    Press({50, 40});
    MoveTo({120, 90});
    Release({50, 40});
    EXPECT_EQ(BoxOf(a), (TRect{10, 10, 40, 30}));
    EXPECT_FALSE(doc.Modified());
    EXPECT_EQ(Notices, 0);
}

TEST_F(Editing, MovingStopsAtTheDiagramEdgeForTheWholeSelection)
{
    TShemObj* a = AddRect(10, 10, 40, 30);
    TShemObj* b = AddRect(60, 10, 90, 30);
    Select({a, b});
    Drag({50, 40}, {-50, 40}); // 50 units left: a would start at -40
    EXPECT_EQ(BoxOf(a), (TRect{0, 10, 30, 30}));
    EXPECT_EQ(BoxOf(b), (TRect{50, 10, 80, 30}));
}

TEST_F(Editing, ResizeKeepsTheMinimumSizeAndTheDiagramRange)
{
    TShemObj* a = AddRect(100, 50, 200, 100);
    TShemObj* edge = AddRect(5, 120, 100, 140);
    Select({a, edge});
    Drag({200, 150}, {390, 150}); // left middle handle far to the right
    EXPECT_EQ(BoxOf(a), (TRect{180, 50, 200, 100}));
    Drag({10, 260}, {-20, 260}); // left middle handle left of the view
    EXPECT_EQ(BoxOf(edge), (TRect{0, 120, 100, 140}));
    EXPECT_EQ(doc.Document().UndoAction(), TAction::Resize);
    doc.Undo(); // the whole drag is one step
    EXPECT_EQ(BoxOf(edge), (TRect{5, 120, 100, 140}));
    doc.Redo();

    doc.ScrollTo({65335, 0});
    TShemObj* far = AddRect(65400, 50, 65500, 100);
    Select({far});
    Drag({330, 200}, {420, 200}); // bottom-right handle past the far edge
    EXPECT_EQ(BoxOf(far).Right, 65535);
    Drag({400, 200}, {10, 10}); // and back over the top-left corner
    EXPECT_EQ(BoxOf(far), (TRect{65400, 50, 65420, 60}));
}

TEST_F(Editing, LinksSnapWithCtrlAndNeedATargetOtherThanTheirStart)
{
    TShemObj* a = AddRect(10, 10, 40, 30);
    TShemObj* b = AddRect(100, 10, 130, 30);
    host.Tool = tcLink;
    host.Direction = 1;
    Drag({30, 20}, {80, 40}); // from a's top edge back onto a's right side
    EXPECT_EQ(Shem().Count(), 2);
    EXPECT_FALSE(doc.Modified());

    Drag({30, 20}, {200, 40}, Qt::ControlModifier); // (15, 10) snaps to a's top middle
    ASSERT_EQ(Shem().Count(), 3);
    TShemObj* link = Shem().Get(2);
    const TLink& l = link->link();
    EXPECT_EQ(l.EndA, a);
    EXPECT_EQ(l.EndB, b);
    EXPECT_EQ(l.Style, 1);
    EXPECT_EQ(Shem().AttachPoint(l.PosA, a), (TPoint{25, 10}));
    EXPECT_EQ(Shem().AttachPoint(l.PosB, b), (TPoint{100, 20}));
    EXPECT_EQ(doc.Selection(), std::vector<TShemObj*>{link});
    EXPECT_EQ(doc.Document().UndoAction(), TAction::CreateLink);
    EXPECT_TRUE(doc.Modified());
}

TEST_F(Editing, LinkEndsMoveOnlyWhereNoCycleArises)
{
    TShemObj* a = AddRect(10, 10, 40, 30);
    TShemObj* b = AddRect(100, 10, 130, 30);
    TShemObj* c = AddRect(60, 80, 80, 100);
    TShemObj* d = AddRect(100, 60, 130, 90);
    TShemObj* l1 = AddLink(a, {65535, 32767}, b, {0, 32767});
    TShemObj* l2 = AddLink(l1, {32767, 0}, c, {32767, 0}); // from l1's middle (70, 20) down
    Select({l1});

    Drag({200, 40}, {140, 100}); // end B onto l2, which sits on l1
    EXPECT_EQ(l1->link().EndB, b);
    Drag({200, 40}, {80, 50}); // onto a, where end A already is
    EXPECT_EQ(l1->link().EndB, b);
    EXPECT_FALSE(doc.Modified());

    Drag({200, 40}, {200, 150}); // onto d's left side
    EXPECT_EQ(l1->link().EndB, d);
    EXPECT_EQ(Shem().AttachPoint(l1->link().PosB, d), (TPoint{100, 75}));
    EXPECT_EQ(l2->link().EndA, l1);
    EXPECT_TRUE(doc.Modified());
    doc.Undo();
    EXPECT_EQ(l1->link().EndB, b);
    EXPECT_FALSE(doc.Modified());
}

TEST_F(Editing, JointPointsSplitAndMergeLinksKeepingWhatSitsOnThem)
{
    TShemObj* a = AddRect(10, 10, 40, 30);
    TShemObj* b = AddRect(100, 10, 130, 30);
    TShemObj* c = AddRect(70, 60, 90, 80);
    TShemObj* l = AddLink(a, {65535, 32767}, b, {0, 32767}, 3);
    TShemObj* onL = AddLink(l, {43690, 0}, c, {32767, 0}); // at (80, 20)
    host.Tool = tcJointPoint;
    QTest::mouseClick(&doc, Qt::LeftButton, {}, QPoint(140, 40)); // at (70, 20)

    TShemObj* joint = Shem().Get(0);
    ASSERT_TRUE(joint->IsJoint());
    EXPECT_EQ(BoxOf(joint), (TRect{69, 19, 71, 21}));
    EXPECT_EQ(LinksOf(Shem()).size(), 3u);
    EXPECT_EQ(l->link().EndA, joint);
    EXPECT_EQ(onL->link().EndA, l);
    EXPECT_NEAR(Shem().LinkEnds(onL->link()).A.x, 80, 1);
    EXPECT_EQ(doc.Selection(), std::vector<TShemObj*>{joint});
    EXPECT_TRUE(doc.Modified());
    EXPECT_EQ(doc.Document().UndoAction(), TAction::JointPoint);

    host.DeleteJoints = true;
    QTest::mouseClick(&doc, Qt::LeftButton, {}, QPoint(140, 40));
    EXPECT_FALSE(InDiagram(joint));
    const std::vector<TShemObj*> links = LinksOf(Shem());
    ASSERT_EQ(links.size(), 2u); // the merged link and the one sitting on it
    TShemObj* merged = links[0] == onL ? links[1] : links[0];
    EXPECT_EQ(merged->link().Style, 0);
    const TLinkEnds ends = Shem().LinkEnds(merged->link());
    EXPECT_EQ(std::minmax(ends.A.x, ends.B.x), std::minmax(40, 100));
    EXPECT_EQ(onL->link().EndA, merged);
    EXPECT_NEAR(Shem().LinkEnds(onL->link()).A.x, 80, 1);
    EXPECT_TRUE(doc.Modified());

    // Both steps undone: the very entries come back, joined as before.
    const std::vector<uint8_t> start = [&] {
        doc.Undo();
        doc.Undo();
        return Shem().SaveToBytes();
    }();
    EXPECT_FALSE(doc.Modified());
    EXPECT_EQ(Shem().Count(), 5);
    EXPECT_EQ(l->link().EndA, a);
    EXPECT_EQ(onL->link().EndA, l);
    EXPECT_TRUE(SelectionIsLive());
    doc.Redo();
    EXPECT_TRUE(InDiagram(joint));
    EXPECT_EQ(l->link().EndA, joint);
    doc.Undo();
    EXPECT_EQ(Shem().SaveToBytes(), start);
}

TEST_F(Editing, AJointPointOfOneLinkNeverBreaksTheTools)
{
    TShemObj* a = AddRect(10, 10, 40, 30);
    TShemObj* joint = Add(MakeBlock(69, 49, 71, 51, bkJoint));
    AddLink(a, {65535, 32767}, joint, {32767, 32767});
    DoubleClick({140, 100}); // no second link: the bend has nowhere to go
    EXPECT_EQ(BoxOf(joint), (TRect{69, 49, 71, 51}));
    doc.SelectAll();
    doc.CopySelection();
    doc.DuplicateSelection();

    host.Tool = tcJointPoint;
    host.DeleteJoints = true;
    QTest::mouseClick(&doc, Qt::LeftButton, {}, QPoint(140, 100));
    EXPECT_FALSE(InDiagram(joint));
    EXPECT_TRUE(InDiagram(a));
    EXPECT_TRUE(SelectionIsLive());
}

TEST_F(Editing, PanMovesOneUnitPerPixelAtEveryScale)
{
    doc.SetScale(8);
    doc.ScrollTo({1000, 1000});
    host.Tool = tcPan;
    Press({100, 100});
    MoveTo({200, 100});
    EXPECT_EQ(doc.Origin(), (TPoint{900, 1000}));
    Release({200, 100});
    EXPECT_EQ(doc.HorzScrollBar()->value(), 900);
    EXPECT_EQ(doc.cursor().shape(), Qt::OpenHandCursor);
}

TEST_F(Editing, CursorsFollowTheToolAndWhatIsUnderThePointer)
{
    TShemObj* a = AddRect(10, 10, 40, 30);
    TShemObj* b = AddRect(100, 10, 130, 30);
    AddLink(a, {65535, 32767}, b, {0, 32767});
    Select({a});
    Hover({50, 40});
    EXPECT_EQ(doc.cursor().shape(), Qt::SizeAllCursor);
    Hover({20, 40}); // left middle handle
    EXPECT_EQ(doc.cursor().shape(), Qt::SizeHorCursor);

    const auto shows = [&](TCursorId id) {
        return doc.cursor().pixmap().cacheKey() == ToolCursor(id).pixmap().cacheKey();
    };
    host.Tool = tcLink;
    Hover({200, 30});
    EXPECT_TRUE(shows(TCursorId::Link));
    Press({200, 30});
    MoveTo({80, 60});
    EXPECT_TRUE(shows(TCursorId::BlockLink));
    Release({300, 200});
    host.Tool = tcJointPoint;
    Hover({140, 40});
    EXPECT_TRUE(shows(TCursorId::CornerPlus));
    EXPECT_FALSE(shows(TCursorId::CornerMinus));
}

TEST_F(Editing, RubberBandScrollsOneUnitPerMoveAtTheEdges)
{
    Press({100, 100});
    MoveTo({100, 310}); // within 10 pixels of the client's bottom
    MoveTo({100, 311});
    EXPECT_EQ(doc.Origin().y, 2);
    MoveTo({100, -5});
    MoveTo({100, -6}); // upwards it stops at 1
    EXPECT_EQ(doc.Origin().y, 1);
    Release({100, -6});
    EXPECT_EQ(doc.VertScrollBar()->value(), 1);
}

TEST_F(Editing, APressDuringADragEndsItAndKeepsItsChange)
{
    TShemObj* a = AddRect(100, 50, 200, 100);
    Select({a});
    Press({400, 150}); // right middle handle
    MoveTo({300, 150});
    QTest::mousePress(&doc, Qt::RightButton, {}, QPoint(300, 150));
    EXPECT_EQ(BoxOf(a), (TRect{100, 50, 150, 100}));
    EXPECT_TRUE(doc.Modified());
    MoveTo({350, 150});
    EXPECT_EQ(BoxOf(a).Right, 150);
    QTest::mouseRelease(&doc, Qt::RightButton, {}, QPoint(350, 150));
    Release({350, 150});
}
