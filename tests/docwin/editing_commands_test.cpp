// Commands on the selection, and undo and redo through the document's history.
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

TEST_F(Editing, UndoTakesAPendingTextWithTheStepItFollows)
{
    host.Tool = tcRectangle;
    Drag({20, 20}, {100, 60});
    ASSERT_EQ(Shem().Count(), 1);
    QTest::keyClicks(doc.Editor(), QStringLiteral("t")); // still pending

    doc.Undo();
    EXPECT_EQ(Shem().Count(), 0);
    EXPECT_FALSE(doc.CanUndo());
    EXPECT_TRUE(doc.CanRedo());
    EXPECT_FALSE(doc.Modified()); // back where the test started
    EXPECT_FALSE(doc.EditorOpen());
    EXPECT_EQ(doc.TextTarget(), nullptr);

    doc.Redo(); // brings the block back with its typed text
    ASSERT_EQ(Shem().Count(), 1);
    EXPECT_EQ(Shem().Get(0)->block().Rect(), (TRect{10, 10, 50, 30}));
    EXPECT_EQ(Shem().Get(0)->block().Text, "t");
    EXPECT_TRUE(doc.CanUndo());
    EXPECT_FALSE(doc.CanRedo());
    EXPECT_TRUE(doc.Modified());

    // A new change after undoing drops what could be redone.
    doc.Undo();
    doc.Redo();
    doc.Undo();
    EXPECT_TRUE(doc.CanRedo());
    host.Tool = tcRectangle;
    Drag({200, 200}, {260, 240});
    EXPECT_FALSE(doc.CanRedo());
}

TEST_F(Editing, ThreeChangesUndoneTwiceLeaveOne)
{
    TShemObj* a = AddRect(10, 10, 40, 30);
    const std::vector<uint8_t> saved = Shem().SaveToBytes();
    Select({a});
    Key(Qt::Key_Right, Qt::ControlModifier);
    const std::vector<uint8_t> afterOne = Shem().SaveToBytes();
    Key(Qt::Key_Right, Qt::ShiftModifier);
    doc.SetTextAlign(taRight);
    EXPECT_EQ(doc.Document().UndoAction(), TAction::TextAlign);
    doc.Undo();
    EXPECT_EQ(doc.Document().UndoAction(), TAction::Resize);
    EXPECT_EQ(doc.Document().RedoAction(), TAction::TextAlign);
    doc.Undo();
    EXPECT_EQ(Shem().SaveToBytes(), afterOne);
    EXPECT_TRUE(doc.Modified());
    doc.Undo();
    EXPECT_EQ(Shem().SaveToBytes(), saved);
    EXPECT_FALSE(doc.Modified()); // the saved state again: closing asks nothing
    doc.Redo();
    EXPECT_TRUE(doc.Modified());
}

TEST_F(Editing, AfterAnUndoTheWindowNamesOnlyLiveEntries)
{
    TShemObj* a = AddRect(10, 10, 40, 30);
    TShemObj* b = AddRect(100, 10, 130, 30);
    AddLink(a, {65535, 32767}, b, {0, 32767});
    doc.SelectAll();
    doc.SetTextAlign(taRight);
    EXPECT_EQ(a->block().Align, taRight);
    EXPECT_TRUE(doc.Modified());
    doc.Undo();
    // The entries stay the same objects, so the selection stays whole.
    EXPECT_EQ(doc.Selection().size(), 3u);
    EXPECT_TRUE(SelectionIsLive());
    EXPECT_EQ(a->block().Align, taCenter);

    // Undo in the middle of a resize: the drag ends as one step, which the
    // undo then takes back.
    Select({a});
    Press({20, 40}); // left middle handle of the first block
    MoveTo({40, 40});
    doc.Undo();
    MoveTo({60, 40});
    Release({60, 40});
    EXPECT_EQ(a->block().Width(), 30);
    // And a block created and then undone is gone from the selection.
    host.Tool = tcRectangle;
    Drag({200, 200}, {260, 240});
    TShemObj* made = doc.Selection().front();
    doc.Undo();
    EXPECT_FALSE(InDiagram(made));
    EXPECT_TRUE(doc.Selection().empty());
    Key(Qt::Key_Right, Qt::ControlModifier);
    EXPECT_TRUE(SelectionIsLive());
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
    EXPECT_EQ(doc.Document().UndoAction(), TAction::Paste);
    EXPECT_TRUE(doc.Modified());

    doc.ScrollTo({100, 50});
    doc.Paste();
    EXPECT_EQ(doc.Selection()[0]->block().Rect(), (TRect{120, 70, 150, 90}));

    // Near the far edge the group stops there whole: no block is squashed.
    doc.ScrollTo({65535, 65535});
    doc.Paste();
    EXPECT_EQ(doc.Selection()[0]->block().Rect(), (TRect{65505, 65515, 65535, 65535}));
    for (int i = 0; i < 4; ++i)
        doc.Undo();
    EXPECT_EQ(Shem().Count(), 3);
    EXPECT_FALSE(doc.Modified());
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
    doc.Document().Edit(TAction::LinkEnd, [&](TEdit& edit) {
        edit.Touch(l1);
        l1->link().EndB = l2;
        return true;
    });
    doc.SelectAll();
    doc.CopySelection();
    EXPECT_EQ(host.ClipboardDiagram.Count(), 1);
    doc.DuplicateSelection();
    EXPECT_EQ(BlocksOf(Shem()).size(), 2u);
}

TEST_F(Editing, DuplicateIsAStepAndKeepsCopiesInside)
{
    TShemObj* a = AddRect(10, 10, 40, 30);
    TShemObj* edge = AddRect(65520, 10, 65530, 20);
    TShemObj* link = AddLink(a, {65535, 32767}, edge, {0, 32767});
    Select({link, a, edge});
    doc.DuplicateSelection();
    EXPECT_TRUE(doc.Modified());
    EXPECT_EQ(doc.Document().UndoAction(), TAction::Duplicate);
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
    TShemObj* link = AddLink(a, {65535, 32767}, b, {0, 32767});
    Select({a});
    doc.DeleteSelection();
    ASSERT_EQ(Shem().Count(), 1);
    EXPECT_EQ(Shem().Get(0), b);
    EXPECT_TRUE(doc.Selection().empty());
    EXPECT_TRUE(doc.Modified());
    EXPECT_EQ(Notices, 1);

    doc.Undo(); // the same entries come back where they stood
    ASSERT_EQ(Shem().Count(), 3);
    EXPECT_EQ(Shem().Get(0), a);
    EXPECT_EQ(Shem().Get(2), link);
    EXPECT_EQ(link->link().EndA, a);
    EXPECT_FALSE(doc.Modified());
    doc.Redo();
    EXPECT_EQ(Shem().Count(), 1);
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
    EXPECT_EQ(doc.Document().UndoAction(), TAction::JoinSquare);
    EXPECT_TRUE(doc.Modified());
    doc.Undo();
    EXPECT_EQ(x->block().Text, "X");
    EXPECT_EQ(Shem().Count(), 9);
    EXPECT_EQ(arrowOut->link().EndA, z);
    EXPECT_FALSE(doc.Modified());
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

TEST_F(Editing, TheHistoryDropsItsOldestStepsPastItsLimits)
{
    EXPECT_EQ(TDiagramDocument::kMaxSteps, 1000);
    EXPECT_EQ(TDiagramDocument::kMaxHistoryBytes, size_t(256) << 20);
    TShemObj* a = AddRect(10, 10, 40, 30);
    doc.Document().SetHistoryLimits(3, TDiagramDocument::kMaxHistoryBytes);
    Select({a});
    for (int i = 0; i < 5; ++i)
        Key(Qt::Key_Right, Qt::ControlModifier);
    EXPECT_EQ(doc.Document().HistorySteps(), 3);
    while (doc.CanUndo())
        doc.Undo();
    EXPECT_EQ(a->block().Left, 12);
    EXPECT_TRUE(doc.Modified()) << "the saved state is out of reach now";

    // By size: only the newest step stays when one alone is over the cap.
    doc.Document().SetHistoryLimits(1000, 1);
    Key(Qt::Key_Down, Qt::ControlModifier);
    Key(Qt::Key_Down, Qt::ControlModifier);
    EXPECT_EQ(doc.Document().HistorySteps(), 1);
    EXPECT_GT(doc.Document().HistoryBytes(), 0u);
    doc.Undo();
    EXPECT_EQ(a->block().Top, 11);
    EXPECT_FALSE(doc.CanUndo());
}

TEST_F(Editing, APendingTextNeverJoinsAStepTheFileWasSavedAfter)
{
    TShemObj* a = AddRect(10, 10, 110, 60, "a");
    Select({a});
    Key(Qt::Key_Right, Qt::ControlModifier);
    host.SaveDocument(doc);
    doc.OpenEditor(a);
    QTest::keyClicks(doc.Editor(), QStringLiteral("x"));
    doc.Undo(); // takes back the text alone
    EXPECT_EQ(a->block().Text, "a");
    EXPECT_EQ(a->block().Left, 11);
    EXPECT_FALSE(doc.Modified());
}

TEST_F(Editing, APendingTextGoesWithThePasteItCameWith)
{
    TShemObj* a = AddRect(10, 10, 110, 60, "a");
    Select({a});
    doc.CopySelection();
    doc.OpenEditor(a);
    QTest::keyClick(doc.Editor(), Qt::Key_End);
    QTest::keyClicks(doc.Editor(), QStringLiteral("x"));
    doc.JoinSquare(); // nothing to join; the editor is hidden, its text pending
    EXPECT_FALSE(doc.EditorOpen());
    EXPECT_EQ(doc.TextTarget(), a);
    doc.Paste();
    EXPECT_EQ(a->block().Text, "ax");
    EXPECT_EQ(Shem().Count(), 2);
    doc.Undo(); // the state before the paste and the typing
    EXPECT_EQ(a->block().Text, "a");
    EXPECT_EQ(Shem().Count(), 1);
    EXPECT_FALSE(doc.Modified());
    doc.Redo();
    EXPECT_EQ(a->block().Text, "ax");
    EXPECT_EQ(Shem().Count(), 2);
}
