// In-place text editing, double clicks and the arrow keys.
#include "docwin/inplaceeditor.h"
#include "docwin/messagebox.h"
#include "tests/docwin/editing_fixture.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QPlainTextEdit>

using namespace kb;
using kb::test::Editing;
using kb::test::MakeBlock;

namespace {

bool Consumed(TChildD& doc, Qt::Key key, Qt::KeyboardModifiers keys = {})
{
    QKeyEvent event(QEvent::KeyPress, key, keys);
    return doc.PassKey(&event);
}

} // namespace

TEST_F(Editing, TypedLinesAreStoredJoinedByCrLf)
{
    TShemObj* block = AddRect(10, 10, 110, 60);
    host.Tool = tcEditText;
    QTest::mouseClick(&doc, Qt::LeftButton, {}, QPoint(120, 70));
    ASSERT_TRUE(doc.EditorOpen());
    EXPECT_EQ(doc.TextTarget(), block);
    QTest::keyClicks(doc.Editor(), QStringLiteral("ab"));
    QTest::keyClick(doc.Editor(), Qt::Key_Return);
    Type(doc.Editor(), QStringLiteral("Да中")); // the last has no Windows-1251 byte
    QTest::mouseClick(&doc, Qt::LeftButton, {}, QPoint(300, 250));

    EXPECT_FALSE(doc.EditorOpen());
    EXPECT_EQ(doc.TextTarget(), nullptr);
    EXPECT_EQ(block->block().Text, "ab\r\n\xC4\xE0");
    EXPECT_TRUE(doc.Modified());
    EXPECT_EQ(doc.Document().UndoAction(), TAction::Text);
    EXPECT_EQ(Notices, 1);
    doc.Undo();
    EXPECT_EQ(block->block().Text, "");
    EXPECT_EQ(host.Tool, tcSelect); // the press missed every block
}

TEST_F(Editing, EscapeKeepsTheTextAndAnUnchangedTextLeavesTheDocumentAlone)
{
    TShemObj* block = AddRect(10, 10, 110, 60, "old");
    doc.OpenEditor(block);
    QTest::keyClick(doc.Editor(), Qt::Key_Escape);
    EXPECT_FALSE(doc.EditorOpen());
    EXPECT_FALSE(doc.Modified());

    doc.OpenEditor(block);
    QTest::keyClicks(doc.Editor(), QStringLiteral("x"));
    QTest::keyClick(doc.Editor(), Qt::Key_Escape);
    EXPECT_EQ(block->block().Text, "xold");
    EXPECT_TRUE(doc.Modified());
}

TEST_F(Editing, EditorLiesOverTheTextRectangleClippedAtTheView)
{
    Block b = MakeBlock(10, 10, 110, 60);
    b.Align = taRight;
    doc.OpenEditor(Add(b));
    EXPECT_EQ(doc.Editor()->geometry(), QRect(24, 24, 192, 92));
    EXPECT_EQ(static_cast<TInPlaceEditor*>(doc.Editor())->Align(), int(taRight));
    EXPECT_EQ(doc.Editor()->font().pointSize(), 8);

    doc.OpenEditor(AddRect(150, 100, 260, 160));
    EXPECT_EQ(doc.Editor()->geometry(), QRect(304, 204, 96, 96));
}

TEST_F(Editing, EditorOverALowShapeIsOneLineHighCentredOnItsText)
{
    Block b = MakeBlock(10, 10, 90, 30);
    b.Kind = bkRhomb; // text rectangle (32, 17, 68, 23): 12 pixels high at scale 2
    doc.OpenEditor(Add(b));
    const int line = QFontMetrics(doc.Editor()->font()).height();
    ASSERT_GT(line, 12);
    const QRect g = doc.Editor()->geometry();
    EXPECT_EQ(g.height(), line);
    EXPECT_NEAR(g.center().y(), 40, 1);
}

TEST_F(Editing, APendingEditOfADeletedBlockIsDropped)
{
    TShemObj* block = AddRect(10, 10, 110, 60);
    TShemObj* other = AddRect(150, 10, 190, 60, "keep");
    Select({block});
    doc.OpenEditor(block);
    QTest::keyClicks(doc.Editor(), QStringLiteral("zz"));
    doc.DeleteSelection(); // hides the editor; its block goes
    EXPECT_EQ(doc.TextTarget(), nullptr);
    doc.CommitEditor();
    QTest::mouseClick(&doc, Qt::LeftButton, {}, QPoint(300, 250));
    EXPECT_EQ(Shem().Count(), 1);
    EXPECT_EQ(other->block().Text, "keep");
}

TEST_F(Editing, EditorClipboardCommandsWorkOnItsText)
{
    doc.OpenEditor(AddRect(10, 10, 110, 60, "hello"));
    doc.Editor()->selectAll();
    doc.EditorCut();
    EXPECT_TRUE(doc.Editor()->toPlainText().isEmpty());
    doc.EditorPaste();
    EXPECT_EQ(doc.Editor()->toPlainText(), QStringLiteral("hello"));
    EXPECT_EQ(host.ClipboardDiagram.Count(), 0);

    QStringList messages;
    SetMessageBoxHook(
        [&](QWidget*, QMessageBox::Icon, const QString& text, QMessageBox::StandardButtons) {
            messages << text;
            return QMessageBox::Ok;
        });
    QGuiApplication::clipboard()->setText(QStringLiteral("中文"));
    doc.EditorPaste();
    SetMessageBoxHook({});
    EXPECT_EQ(doc.Editor()->toPlainText(), QStringLiteral("hello"));
    EXPECT_EQ(messages, QStringList{UnrepresentablePasteMessage()});
}

TEST_F(Editing, DoubleClickOnALinkCyclesItsArrowsKeepingTheDots)
{
    TShemObj* a = AddRect(10, 10, 40, 30);
    TShemObj* b = AddRect(100, 10, 130, 30);
    TShemObj* link = AddLink(a, {65535, 32767}, b, {0, 32767}, 3);
    DoubleClick({140, 40});
    EXPECT_EQ(link->link().Style, 0);
    EXPECT_TRUE(doc.Modified());
    EXPECT_EQ(doc.Document().UndoAction(), TAction::LinkArrows);
    TShemObj* dotted = AddLink(a, {65535, 0}, b, {0, 0}, 7);
    DoubleClick({140, 20});
    EXPECT_EQ(dotted->link().Style, 4);
}

TEST_F(Editing, DoubleClicksMoveABendBetweenTheCornersOfItsAngle)
{
    TShemObj* joint = Add(MakeBlock(4, 4, 6, 6, bkJoint));
    TShemObj* a = AddRect(0, 0, 4, 4);
    TShemObj* b = AddRect(10, 10, 14, 14);
    AddLink(a, {0, 0}, joint, {32767, 32767});
    AddLink(joint, {32767, 32767}, b, {0, 0});
    const auto centre = [&] {
        const Block& j = joint->block();
        return MidPoint({j.Left, j.Top}, {j.Right, j.Bottom});
    };
    DoubleClick({10, 10});
    EXPECT_EQ(centre(), (TPoint{0, 10}));
    EXPECT_TRUE(doc.Modified());
    DoubleClick({2, 20});
    EXPECT_EQ(centre(), (TPoint{10, 0}));
    DoubleClick({20, 2});
    EXPECT_EQ(centre(), (TPoint{0, 10}));
}

TEST_F(Editing, DoubleClickOnABlockOpensItsText)
{
    TShemObj* block = AddRect(10, 10, 110, 60, "t");
    DoubleClick({120, 70});
    EXPECT_EQ(host.Tool, tcEditText);
    EXPECT_TRUE(doc.EditorOpen());
    EXPECT_EQ(doc.TextTarget(), block);
    EXPECT_EQ(doc.Editor()->toPlainText(), QStringLiteral("t"));
}

TEST_F(Editing, ShiftArrowsResizeAndCtrlArrowsMoveWithinLimits)
{
    TShemObj* block = AddRect(0, 10, 21, 40);
    Select({block});
    Key(Qt::Key_Left, Qt::ShiftModifier); // 20 would not be wider than 20
    EXPECT_EQ(block->block().Right, 21);
    EXPECT_FALSE(doc.Modified());
    Key(Qt::Key_Right, Qt::ShiftModifier);
    EXPECT_EQ(block->block().Right, 22);
    EXPECT_TRUE(doc.Modified());

    Key(Qt::Key_Left, Qt::ControlModifier); // Left is 0 already
    EXPECT_EQ(block->block().Rect(), (TRect{0, 10, 22, 40}));
    Key(Qt::Key_Down, Qt::ControlModifier);
    EXPECT_EQ(block->block().Rect(), (TRect{0, 11, 22, 41}));
    EXPECT_TRUE(Consumed(doc, Qt::Key_Down)); // a plain arrow moves nothing
    EXPECT_EQ(block->block().Rect(), (TRect{0, 11, 22, 41}));
    doc.Undo(); // each key that changed something is a step
    EXPECT_EQ(block->block().Rect(), (TRect{0, 10, 22, 40}));
    doc.Undo();
    EXPECT_FALSE(doc.Modified());

    TShemObj* far = AddRect(65500, 65500, 65535, 65535);
    Select({far});
    Key(Qt::Key_Right, Qt::ShiftModifier);
    EXPECT_EQ(far->block().Right, 65535);
    EXPECT_FALSE(doc.Modified());
}

TEST_F(Editing, ArrowKeysPassOnWithoutASelectedBlock)
{
    TShemObj* a = AddRect(10, 10, 40, 30);
    TShemObj* b = AddRect(100, 10, 130, 30);
    Select({AddLink(a, {65535, 32767}, b, {0, 32767})});
    EXPECT_FALSE(Consumed(doc, Qt::Key_Left, Qt::ControlModifier));
    Select({a});
    EXPECT_FALSE(Consumed(doc, Qt::Key_A));
    doc.OpenEditor(a); // the editor's own keys
    EXPECT_FALSE(Consumed(doc, Qt::Key_Left, Qt::ControlModifier));
}
