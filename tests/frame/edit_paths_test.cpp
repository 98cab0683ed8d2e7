// Every way a user changes a diagram, driven through the real main window
// with mouse and key events, menu items, toolbar buttons and dialogs: each
// one must reach the document's one notification, mark it modified, and end
// up in the autosave copy within the (one second) autosave interval.
#include "docwin/childd.h"
#include "frame/autosave/autosavestore.h"
#include "frame/dialogs/linkprop.h"
#include "frame/dialogs/linkstylelist.h"
#include "frame/dialogs/radiogroup.h"
#include "frame/mainform.h"
#include "frame/objectlist.h"
#include "frame/services/searchdialogs.h"
#include "tests/frame/shellsupport.h"

#include <QApplication>
#include <QDir>
#include <QMenu>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

#include <functional>

using namespace kb;
using kb::test::TMessageRecorder;

namespace {

// At scale 2 (a document's first scale) diagram units are two pixels each.
//   A  rectangle "a"   (10, 10)-(90, 30)    pixels (20, 20)-(180, 60)
//   B  rectangle "b"   (10, 60)-(90, 80)    pixels (20, 120)-(180, 160)
//   C  ellipse "c"     (150, 10)-(250, 40)  pixels (300, 20)-(500, 80)
//   A -> B, arrow at B, at x = 50           pixels x = 100, y 60..120
//   A -> C, plain, (90, 20) to (150, 25)    pixels (180, 40) to (300, 50)
std::vector<uint8_t> StartDiagram()
{
    TShem s;
    auto block = [&](uint8_t kind, TRect r, const char* text) {
        Block b;
        b.Kind = kind;
        b.SetRect(r);
        b.Text = text;
        return s.Get(s.AddBlock(b));
    };
    TShemObj* a = block(bkRectangle, {10, 10, 90, 30}, "a");
    TShemObj* b = block(bkRectangle, {10, 60, 90, 80}, "b");
    TShemObj* c = block(bkEllipse, {150, 10, 250, 40}, "c");
    s.AddLink({1, a, b, {32767, 65535}, {32767, 0}});
    s.AddLink({0, a, c, {65535, 32767}, {0, 32767}});
    return s.SaveToBytes();
}

const QPoint kOnA{100, 40};
const QPoint kOnB{100, 140};
const QPoint kOnC{400, 50};
const QPoint kOnLinkAB{100, 90};
const QPoint kBRightSide{180, 140}; // where links attach
const QPoint kCBottom{400, 80};
const QPoint kOnLinkAC{240, 45};
const QPoint kEmpty{600, 300};

void WhenDialogShows(std::function<void(QDialog&)> act)
{
    kb::test::WhenModalShows<QDialog>(std::move(act));
}

class EditPaths : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(dir.isValid());
        folder = dir.filePath(QStringLiteral("autosave"));
        main.resize(1000, 700);
        main.show();
        QApplication::setActiveWindow(&main);
        TSettings s = DefaultSettings();
        s.AutosaveInterval = 1;
        main.ApplySettings(s);
        main.EnableAutosave(folder);
        doc = main.OpenDocument(
            kb::test::WriteFile(dir, QStringLiteral("start.bls"), StartDiagram()));
        ASSERT_TRUE(doc);
        doc->SetScale(2);
        QObject::connect(&doc->Document(), &TDiagramDocument::Changed,
                         [this](const TChange& c) { notices += c.Diagram() ? 1 : 0; });
    }
    void TearDown() override { messages.Answer = QMessageBox::No; }

    void Tool(TCommandId tool) { main.Command(tool)->trigger(); }
    void Trigger(TCommandId command) { main.Command(command)->trigger(); }
    void Click(QPoint p, Qt::KeyboardModifiers keys = {})
    {
        QTest::mouseMove(doc, p);
        QTest::mouseClick(doc, Qt::LeftButton, keys, p);
    }
    void Drag(QPoint from, QPoint to)
    {
        QTest::mouseMove(doc, from);
        QTest::mousePress(doc, Qt::LeftButton, {}, from);
        QTest::mouseMove(doc, (from + to) / 2);
        QTest::mouseMove(doc, to);
        QTest::mouseRelease(doc, Qt::LeftButton, {}, to);
    }
    void SelectAandC()
    {
        Tool(TCommandId::ToolSelect);
        Click(kOnA);
        Click(kOnC, Qt::ShiftModifier);
    }

    // The autosave copy holds exactly what the document holds now.
    bool CopyIsCurrent() const
    {
        const QStringList files = QDir(folder).entryList({"*.kbautosave"}, QDir::Files);
        if (files.size() != 1) return false;
        const auto record = TAutosaveStore::Read(QDir(folder).filePath(files[0]));
        const std::vector<uint8_t> bytes = doc->Shem().SaveToBytes();
        return record && record->Diagram == QByteArray(reinterpret_cast<const char*>(bytes.data()),
                                                       qsizetype(bytes.size()));
    }
    void ExpectChangeReachesTheCopy()
    {
        if (doc->EditorOpen()) QTest::keyClick(doc->Editor(), Qt::Key_Escape);
        EXPECT_GT(notices, 0);
        EXPECT_TRUE(doc->Modified());
        QTRY_VERIFY_WITH_TIMEOUT(CopyIsCurrent(), 10000);
    }

    QTemporaryDir dir;
    QString folder;
    TMessageRecorder messages;
    TMainForm main;
    TChildD* doc = nullptr;
    int notices = 0;
};

struct TEditCase
{
    const char* Name;
    std::function<void(EditPaths&)> Do;
};

class EditPath : public EditPaths, public ::testing::WithParamInterface<TEditCase>
{
public:
    using EditPaths::Click;
    using EditPaths::Drag;
    using EditPaths::SelectAandC;
    using EditPaths::Tool;
    using EditPaths::Trigger;
    TChildD* Doc() { return doc; }
    TMainForm& Main() { return main; }
};

TEST_P(EditPath, ReachesTheNotificationTheFlagAndTheAutosaveCopy)
{
    GetParam().Do(*this);
    ExpectChangeReachesTheCopy();
}

// The palette's creating tools, by their buttons.
constexpr std::pair<const char*, TCommandId> kCreatingTools[] = {
    {"ToolButton11", TCommandId::ToolRectangle}, {"ToolButton16", TCommandId::ToolEllipse},
    {"ToolButton12", TCommandId::ToolRhomb},     {"ToolButton13", TCommandId::ToolParallelogram},
    {"ToolButton17", TCommandId::ToolText},      {"ToolButton15", TCommandId::ToolComment},
    {"ToolButton18", TCommandId::ToolDocument},  {"ToolButton20", TCommandId::ToolProcess},
    {"ToolButton23", TCommandId::ToolDivider}};

std::vector<TEditCase> Cases()
{
    using T = EditPaths;
    std::vector<TEditCase> cases = {
        {"SelectToolMovesABlock",
         [](T& t) {
             static_cast<EditPath&>(t).Tool(TCommandId::ToolSelect);
             static_cast<EditPath&>(t).Drag(kOnA, kOnA + QPoint(30, 20));
         }},
        {"SelectToolResizesABlock",
         [](T& t) {
             auto& e = static_cast<EditPath&>(t);
             e.Tool(TCommandId::ToolSelect);
             e.Click(kOnA);
             e.Drag({180, 40}, {240, 40}); // the right middle handle
         }},
        {"SelectToolMovesALinkEnd",
         [](T& t) {
             auto& e = static_cast<EditPath&>(t);
             e.Tool(TCommandId::ToolSelect);
             e.Click(kOnLinkAC);
             e.Drag({300, 50}, kBRightSide); // end B from C onto B
         }},
        {"TextToolTypesIntoABlock",
         [](T& t) {
             auto& e = static_cast<EditPath&>(t);
             e.Tool(TCommandId::ToolEditText);
             e.Click(kOnC);
             QTest::keyClicks(e.Doc()->Editor(), QStringLiteral("x"));
             e.Click(kEmpty);
         }},
        {"JointToolSplitsALink",
         [](T& t) {
             auto& e = static_cast<EditPath&>(t);
             e.Tool(TCommandId::ToolJointPoint);
             e.Click(kOnLinkAB);
         }},
        {"JointToolDeletesAPoint",
         [](T& t) {
             auto& e = static_cast<EditPath&>(t);
             e.Tool(TCommandId::ToolJointPoint);
             e.Click(kOnLinkAB);
             e.Main().SetJointDeleteMode(true);
             e.Click(kOnLinkAB);
         }},
        {"LinkToolJoinsTwoBlocks",
         [](T& t) {
             auto& e = static_cast<EditPath&>(t);
             e.Tool(TCommandId::ToolLink);
             e.Drag(kBRightSide, kCBottom);
         }},
        {"CtrlArrowMovesAndShiftArrowResizes",
         [](T& t) {
             auto& e = static_cast<EditPath&>(t);
             e.Tool(TCommandId::ToolSelect);
             e.Click(kOnA);
             QTest::keyClick(e.Doc(), Qt::Key_Right, Qt::ControlModifier);
             QTest::keyClick(e.Doc(), Qt::Key_Down, Qt::ShiftModifier);
         }},
        {"DoubleClickCyclesALinksArrows",
         [](T& t) { kb::test::DoubleClick(static_cast<EditPath&>(t).Doc(), kOnLinkAC); }},
        {"DoubleClickMovesABend",
         [](T& t) {
             auto& e = static_cast<EditPath&>(t);
             e.Tool(TCommandId::ToolJointPoint);
             e.Click(kOnLinkAB);
             e.Tool(TCommandId::ToolSelect);
             kb::test::DoubleClick(e.Doc(), kOnLinkAB);
         }},
        {"DeleteKeyRemovesTheSelection",
         [](T& t) {
             auto& e = static_cast<EditPath&>(t);
             e.Tool(TCommandId::ToolSelect);
             e.Click(kOnA);
             QTest::keyClick(e.Doc(), Qt::Key_Delete, Qt::ShiftModifier);
         }},
        {"CutAndPaste",
         [](T& t) {
             auto& e = static_cast<EditPath&>(t);
             e.Tool(TCommandId::ToolSelect);
             e.Click(kOnA);
             e.Trigger(TCommandId::Cut);
             e.Trigger(TCommandId::Paste);
         }},
        {"CopyAndPasteKeys",
         [](T& t) {
             auto& e = static_cast<EditPath&>(t);
             e.Tool(TCommandId::ToolSelect);
             e.Click(kOnC);
             QTest::keyClick(e.Doc(), Qt::Key_C, Qt::ControlModifier);
             QTest::keyClick(e.Doc(), Qt::Key_V, Qt::ControlModifier);
         }},
        {"Duplicate",
         [](T& t) {
             auto& e = static_cast<EditPath&>(t);
             QTest::keyClick(e.Doc(), Qt::Key_A, Qt::ControlModifier);
             QTest::keyClick(e.Doc(), Qt::Key_D, Qt::ControlModifier);
         }},
        {"JoinSquare", [](T& t) { static_cast<EditPath&>(t).Trigger(TCommandId::JoinSquare); }},
        {"TextAlignmentButton",
         [](T& t) {
             auto& e = static_cast<EditPath&>(t);
             e.SelectAandC();
             e.Trigger(TCommandId::TextLeft);
         }},
        {"AlignmentPaletteButton",
         [](T& t) {
             auto& e = static_cast<EditPath&>(t);
             e.SelectAandC();
             e.Trigger(TCommandId::AlignLefts); // left edges
         }},
        {"AlignDialog",
         [](T& t) {
             auto& e = static_cast<EditPath&>(t);
             e.SelectAandC();
             WhenDialogShows([](QDialog& d) {
                 d.findChildren<TRadioGroup*>().first()->SetItemIndex(1); // left sides
             });
             e.Trigger(TCommandId::AlignDialog);
         }},
        {"SizeDialog",
         [](T& t) {
             auto& e = static_cast<EditPath&>(t);
             e.SelectAandC();
             WhenDialogShows([](QDialog& d) {
                 d.findChildren<TRadioGroup*>().first()->SetItemIndex(1); // grow to largest
             });
             e.Trigger(TCommandId::SizeDialog);
         }},
        {"AlignToGrid",
         [](T& t) {
             auto& e = static_cast<EditPath&>(t);
             e.Tool(TCommandId::ToolSelect);
             e.Click(kOnC);
             QTest::keyClick(e.Doc(), Qt::Key_Right, Qt::ControlModifier); // off the grid
             e.Trigger(TCommandId::AlignToGrid);
             EXPECT_EQ(e.Doc()->Document().UndoAction(), TAction::Align);
             EXPECT_EQ(e.Doc()->Shem().Get(2)->block().Left % 5, 0);
         }},
        {"ReplaceToAnotherKind",
         [](T& t) {
             auto& e = static_cast<EditPath&>(t);
             e.Tool(TCommandId::ToolSelect);
             e.Click(kOnA);
             e.Trigger(TCommandId::ReplaceWithEllipse); // ellipse
         }},
        {"InsertABlockFromTheContextMenu",
         [](T& t) {
             auto& e = static_cast<EditPath&>(t);
             QTest::mouseMove(e.Doc(), kEmpty);
             e.Trigger(TCommandId::InsertRectangle);
         }},
        {"Properties",
         [](T& t) {
             auto& e = static_cast<EditPath&>(t);
             e.Tool(TCommandId::ToolSelect);
             e.Click(kOnLinkAC);
             WhenDialogShows([](QDialog& d) {
                 qobject_cast<TLinkPropForm*>(&d)->StyleList()->setCurrentIndex(5);
             });
             e.Trigger(TCommandId::Properties);
         }},
        {"ReplaceAll",
         [](T& t) {
             auto& e = static_cast<EditPath&>(t);
             e.Main().SearchDialogs().ShowReplace();
             TReplaceDialog* r = e.Main().SearchDialogs().Replace();
             r->SetSearchText(QStringLiteral("b"));
             r->SetReplacement(QStringLiteral("q"));
             r->ReplaceAllButton()->click();
             r->close();
         }},
    };
    for (const auto& [name, tool] : kCreatingTools)
        cases.push_back({name, [tool = tool](T& t) {
                             auto& e = static_cast<EditPath&>(t);
                             e.Tool(tool);
                             e.Drag({560, 200}, {640, 260});
                         }});
    return cases;
}

INSTANTIATE_TEST_SUITE_P(UserEdits, EditPath, ::testing::ValuesIn(Cases()),
                         [](const ::testing::TestParamInfo<TEditCase>& info) {
                             return std::string(info.param.Name);
                         });

TEST_F(EditPaths, TemplatesInsertAndReplace)
{
    const QString templates = dir.filePath(QStringLiteral("templates"));
    QDir().mkpath(templates);
    kb::test::WriteDiagram(dir, QStringLiteral("templates/loop.bls"), "loop");
    main.LoadTemplates(templates);
    QMenu* insert = main.Command(TCommandId::InsertTemplates)->menu();
    ASSERT_FALSE(insert->actions().isEmpty());
    QTest::mouseMove(doc, kEmpty);
    insert->actions().first()->trigger();
    EXPECT_EQ(doc->Document().UndoAction(), TAction::InsertTemplate);
    ExpectChangeReachesTheCopy();

    Click(kOnA);
    main.Command(TCommandId::ReplaceTemplates)->menu()->actions().first()->trigger();
    EXPECT_EQ(doc->Document().UndoAction(), TAction::ReplaceWithTemplate);
    ExpectChangeReachesTheCopy();
}

TEST_F(EditPaths, UndoAfterASaveIsAChangeToo)
{
    Tool(TCommandId::ToolSelect);
    Drag(kOnA, kOnA + QPoint(30, 20));
    ASSERT_TRUE(main.SaveDocument(*doc));
    notices = 0;
    QTest::keyClick(doc, Qt::Key_Z, Qt::ControlModifier);
    ExpectChangeReachesTheCopy();
    QTest::keyClick(doc, Qt::Key_Y, Qt::ControlModifier);
    EXPECT_FALSE(doc->Modified()); // what the file holds again
    QTRY_VERIFY(QDir(folder).entryList({"*.kbautosave"}, QDir::Files).isEmpty());
}

TEST_F(EditPaths, PanningChangesNothing)
{
    Tool(TCommandId::ToolPan);
    Drag(kOnA, kEmpty);
    EXPECT_EQ(notices, 0);
    EXPECT_FALSE(doc->Modified());
}

TEST_F(EditPaths, UndoHintsNameTheStepAndTheMenuCaptionsStay)
{
    QAction* undo = main.Command(TCommandId::Undo);
    QAction* redo = main.Command(TCommandId::Redo);
    const QString undoCaption = undo->text();
    const QString redoCaption = redo->text();
    Tool(TCommandId::ToolSelect);
    Drag(kOnA, kOnA + QPoint(30, 20));
    EXPECT_EQ(undo->statusTip(), QStringLiteral("Отменить: перемещение"));
    EXPECT_TRUE(undo->isEnabled());
    EXPECT_FALSE(redo->isEnabled());
    undo->trigger();
    EXPECT_EQ(redo->statusTip(), QStringLiteral("Вернуть: перемещение"));
    EXPECT_FALSE(undo->isEnabled());
    EXPECT_EQ(undo->text(), undoCaption);
    EXPECT_EQ(redo->text(), redoCaption);
    Tool(TCommandId::ToolRectangle);
    Drag({560, 200}, {640, 260});
    EXPECT_EQ(undo->statusTip(), QStringLiteral("Отменить: создание блока"));
    EXPECT_FALSE(redo->isEnabled()) << "a new change drops the redo steps";
}

TEST_F(EditPaths, TheObjectListFollowsEveryChange)
{
    Trigger(TCommandId::Listing);
    TObjectListModel& rows = main.ObjectList()->Model();
    ASSERT_EQ(rows.rowCount(), 3);
    Tool(TCommandId::ToolSelect);
    Drag(kOnA, kOnA + QPoint(30, 20));
    EXPECT_EQ(rows.index(0, 1).data().toString(), QStringLiteral("(25, 20)"));
    Trigger(TCommandId::Delete);
    EXPECT_EQ(rows.rowCount(), 2);
    QTest::keyClick(doc, Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(rows.rowCount(), 3);
    QTest::keyClick(doc, Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(rows.index(0, 1).data().toString(), QStringLiteral("(10, 10)"));
}

} // namespace
