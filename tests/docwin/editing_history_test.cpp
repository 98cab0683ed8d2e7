// The undo history against random editing: random diagrams, random runs of
// real edits (mouse tools, keys, commands), then everything undone gives back
// the very bytes the run started from, everything redone the bytes it ended
// with, and undoing to the last save leaves the document unmodified.
#include "docwin/messagebox.h"
#include "tests/docwin/editing_fixture.h"

#include <QPlainTextEdit>

#include <random>

using namespace kb;
using kb::test::Editing;
using kb::test::MakeBlock;

namespace {

class History : public Editing
{
protected:
    std::mt19937 rng;

    int Pick(int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(rng); }

    // Up to a dozen blocks in the view (200 by 150 units at scale 2), some
    // joined by links, one link through a joint point.
    void LoadRandomDiagram()
    {
        TShem s;
        const int n = Pick(3, 12);
        for (int i = 0; i < n; ++i) {
            const int l = Pick(0, 170), t = Pick(0, 130);
            const uint8_t kinds[] = {bkRectangle, bkEllipse, bkRhomb, bkText, bkProcess};
            Block b = MakeBlock(l, t, l + Pick(21, 40), t + Pick(11, 20), kinds[Pick(0, 4)]);
            b.Text = "t" + std::to_string(i);
            s.AddBlock(b);
        }
        for (int k = Pick(0, n); k > 0; --k) {
            TLink l;
            l.Style = uint8_t(Pick(0, 7));
            l.EndA = s.Get(Pick(0, n - 1));
            l.EndB = s.Get(Pick(0, n - 1));
            if (l.EndA == l.EndB || l.EndA->block().Kind == bkText ||
                l.EndB->block().Kind == bkText)
                continue;
            l.PosA = {65535, 32767};
            l.PosB = {0, 32767};
            s.AddLink(l);
        }
        ASSERT_TRUE(doc.LoadFromBytes(s.SaveToBytes()));
    }

    TShemObj* RandomEntry(bool block)
    {
        std::vector<TShemObj*> found;
        for (int i = 0; i < Shem().Count(); ++i)
            if (Shem().Get(i)->IsBlock() == block) found.push_back(Shem().Get(i));
        return found.empty() ? nullptr : found[size_t(Pick(0, int(found.size()) - 1))];
    }
    TPoint CentreOf(const TShemObj* e)
    {
        if (e->IsBlock()) {
            const Block& b = e->block();
            return doc.ToPixels(MidPoint({b.Left, b.Top}, {b.Right, b.Bottom}));
        }
        const TLinkEnds ends = Shem().LinkEnds(e->link());
        return doc.ToPixels(MidPoint(ends.A, ends.B));
    }
    TPoint RandomPoint() { return {Pick(5, 395), Pick(5, 295)}; }
    void Click(TPoint p) { QTest::mouseClick(&doc, Qt::LeftButton, {}, QPoint(p.x, p.y)); }
    void CommitText()
    {
        if (doc.EditorOpen()) QTest::keyClick(doc.Editor(), Qt::Key_Escape);
    }

    void RandomEdit()
    {
        host.Tool = tcSelect;
        host.DeleteJoints = false;
        TShemObj* block = RandomEntry(true);
        TShemObj* link = RandomEntry(false);
        switch (Pick(0, 13)) {
        case 0: // move a block with the mouse
            if (block) Drag(CentreOf(block), RandomPoint());
            break;
        case 1: // resize by the bottom-right handle
            if (block && !block->IsJoint()) {
                Select({block});
                const Block& b = block->block();
                Drag(doc.ToPixels({b.Right, b.Bottom}), RandomPoint());
            }
            break;
        case 2: { // a new block of any kind
            const int tools[] = {tcRectangle, tcEllipse,  tcRhomb,   tcParallelogram, tcText,
                                 tcComment,   tcDocument, tcProcess, tcDivider};
            host.Tool = tools[Pick(0, 8)];
            const TPoint from = RandomPoint();
            Drag(from, {from.x + Pick(-80, 80), from.y + Pick(-60, 60)});
            if (doc.EditorOpen()) QTest::keyClicks(doc.Editor(), QStringLiteral("new"));
            CommitText();
            break;
        }
        case 3: // a link from one block's side to another's
            if (TShemObj* other = RandomEntry(true); block && other && block != other) {
                host.Tool = tcLink;
                const Block& a = block->block();
                const Block& b = other->block();
                Drag(doc.ToPixels({a.Right, (a.Top + a.Bottom) / 2}),
                     doc.ToPixels({b.Left, (b.Top + b.Bottom) / 2}), Qt::ControlModifier);
            }
            break;
        case 4: // nudge or grow with the keys
            if (block) {
                Select({block});
                const Qt::Key keys[] = {Qt::Key_Left, Qt::Key_Right, Qt::Key_Up, Qt::Key_Down};
                Key(keys[Pick(0, 3)], Pick(0, 1) ? Qt::ControlModifier : Qt::ShiftModifier);
            }
            break;
        case 5: // arrows of a link
            if (link) DoubleClick(CentreOf(link));
            break;
        case 6: // a joint point on a link, or one taken away
            host.Tool = tcJointPoint;
            if (Pick(0, 1) == 0) {
                if (link) Click(CentreOf(link));
            } else if (block && block->IsJoint()) {
                host.DeleteJoints = true;
                Click(CentreOf(block));
            }
            break;
        case 7: // delete what is selected
            if (block) {
                Select({block});
                doc.DeleteSelection();
            }
            break;
        case 8: // copy and paste
            if (block) {
                Select({block, link ? link : block});
                doc.CopySelection();
                doc.ScrollTo({Pick(0, 50), Pick(0, 50)});
                doc.Paste();
                doc.ScrollTo({0, 0});
            }
            break;
        case 9:
            doc.SelectAll();
            doc.DuplicateSelection();
            break;
        case 10:
            doc.SelectAll();
            doc.SetTextAlign(Pick(0, 2));
            break;
        case 11:
            doc.JoinSquare();
            break;
        case 12: // type into a block with the text tool
            if (block && !block->IsJoint()) {
                host.Tool = tcEditText;
                Click(CentreOf(block));
                if (doc.EditorOpen()) QTest::keyClicks(doc.Editor(), QStringLiteral("xy"));
                CommitText();
            }
            break;
        default: // select with a rubber band and move the lot
            Drag(RandomPoint(), RandomPoint());
            if (!doc.Selection().empty() && doc.CountSelectedBlocks() > 0)
                Drag(CentreOf(*std::find_if(doc.Selection().begin(), doc.Selection().end(),
                                            [](const TShemObj* e) { return e->IsBlock(); })),
                     RandomPoint());
            break;
        }
        CommitText();
    }
};

} // namespace

TEST_F(History, UndoingAndRedoingRandomEditsGivesBackEveryByte)
{
    for (unsigned seed = 1; seed <= 12; ++seed) {
        SCOPED_TRACE(seed);
        rng.seed(seed);
        LoadRandomDiagram();
        const std::vector<uint8_t> start = Shem().SaveToBytes();
        const int edits = Pick(10, 40);
        const int saveAt = Pick(0, edits);
        std::vector<uint8_t> saved;
        int stepsAtSave = 0;
        for (int i = 0; i <= edits; ++i) {
            if (i == saveAt) {
                host.SaveDocument(doc);
                saved = Shem().SaveToBytes();
                stepsAtSave = doc.Document().HistorySteps();
            }
            if (i == edits) break;
            RandomEdit();
            ASSERT_TRUE(SelectionIsLive());
        }
        const std::vector<uint8_t> end = Shem().SaveToBytes();
        const int steps = doc.Document().HistorySteps();
        EXPECT_GT(steps, edits / 3) << "most random edits change something";

        int undone = 0;
        while (doc.CanUndo()) {
            doc.Undo();
            ++undone;
            ASSERT_TRUE(SelectionIsLive());
        }
        EXPECT_EQ(undone, steps);
        EXPECT_EQ(Shem().SaveToBytes(), start);
        EXPECT_EQ(doc.Modified(), stepsAtSave != 0);
        while (doc.CanRedo())
            doc.Redo();
        EXPECT_EQ(Shem().SaveToBytes(), end);

        for (int i = steps; i > stepsAtSave; --i)
            doc.Undo();
        EXPECT_FALSE(doc.Modified());
        EXPECT_EQ(Shem().SaveToBytes(), saved);
    }
}

TEST_F(Editing, NoEditTakesADiagramPastItsMostEntries)
{
    std::vector<QString> messages;
    SetMessageBoxHook(
        [&](QWidget*, QMessageBox::Icon, const QString& text, QMessageBox::StandardButtons) {
            messages.push_back(text);
            return QMessageBox::Ok;
        });
    TShem full;
    for (int i = 0; i < kMaxEntries - 1; ++i) // far outside the view
        full.AddBlock(MakeBlock(60000, 60000, 60030, 60020));
    full.AddBlock(MakeBlock(10, 10, 40, 30));
    ASSERT_TRUE(doc.LoadFromBytes(full.SaveToBytes()));
    TShemObj* last = Shem().Get(kMaxEntries - 1);
    const std::vector<uint8_t> before = Shem().SaveToBytes();

    host.Tool = tcRectangle;
    Drag({200, 200}, {260, 240});
    Select({last});
    doc.CopySelection();
    doc.Paste();
    doc.DuplicateSelection();
    ASSERT_EQ(messages.size(), 3u);
    EXPECT_TRUE(messages[0].contains(QStringLiteral("65536")));
    EXPECT_EQ(Shem().Count(), kMaxEntries);
    EXPECT_EQ(Shem().SaveToBytes(), before);
    EXPECT_FALSE(doc.Modified());
    EXPECT_FALSE(doc.CanUndo());
    EXPECT_FALSE(doc.EditorOpen());
    EXPECT_TRUE(SelectionIsLive());

    // Room for one again: a block can be drawn.
    doc.DeleteSelection();
    host.Tool = tcRectangle;
    Drag({200, 200}, {260, 240});
    EXPECT_EQ(Shem().Count(), kMaxEntries);
    EXPECT_EQ(messages.size(), 3u);
    SetMessageBoxHook({});
}
