// The command table and every enabling rule of the main window and of the
// documents' context menu: the rules as a truth table over the states a
// document can be in, and the same rules as a user meets them in the real
// windows, through mouse clicks, keys, the menu bar and a right click.
#include "docwin/childd.h"
#include "frame/commandtable.h"
#include "frame/mainform.h"
#include "tests/frame/shellsupport.h"

#include <QMenu>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QSet>
#include <QTest>
#include <QToolBar>
#include <QToolButton>
#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

using namespace kb;

namespace {

using enum TCommandId;

TEST(CommandTable, HoldsEachCommandOnceInItsPlace)
{
    const auto table = CommandTable();
    ASSERT_EQ(int(table.size()), kCommandCount);
    QSet<QString> names;
    QSet<QString> buttons;
    for (int i = 0; i < kCommandCount; ++i) {
        const TCommand& c = table[size_t(i)];
        SCOPED_TRACE(c.Name);
        EXPECT_EQ(int(c.Id), i);
        EXPECT_EQ(&CommandOf(c.Id), &c);
        EXPECT_FALSE(names.contains(QLatin1String(c.Name)));
        names.insert(QLatin1String(c.Name));
        if (c.ButtonName) {
            EXPECT_FALSE(buttons.contains(QLatin1String(c.ButtonName)));
            buttons.insert(QLatin1String(c.ButtonName));
        }
        EXPECT_TRUE(c.Caption && *c.Caption);
        EXPECT_NE(c.Enabled, nullptr);
        // A submenu does nothing of its own; every other command does.
        EXPECT_EQ(c.Run == nullptr, bool(c.Flags & cfSubmenu));
    }
}

// The states a rule can tell apart, one column each in the table below.
struct TNamedState
{
    const char* Name;
    TDocumentState State;
};

TDocumentState Doc()
{
    TDocumentState s;
    s.AnyDocument = true;
    s.Active = true;
    return s;
}

template <typename F> TDocumentState Doc(F change)
{
    TDocumentState s = Doc();
    change(s);
    return s;
}

const TNamedState kStates[] = {
    {"no document", {}},
    {"a window, none active", {.AnyDocument = true}},
    {"nothing selected", Doc()},
    {"a link", Doc([](auto& s) { s.SelectedEntries = 1; })},
    {"a block", Doc([](auto& s) { s.SelectedEntries = s.SelectedBlocks = 1; })},
    {"a block and a link", Doc([](auto& s) {
         s.SelectedEntries = 2;
         s.SelectedBlocks = 1;
     })},
    {"two blocks", Doc([](auto& s) { s.SelectedEntries = s.SelectedBlocks = 2; })},
    {"text editor", Doc([](auto& s) { s.Editing = true; })},
    {"clipboard", Doc([](auto& s) { s.ClipboardFilled = true; })},
    {"clipboard, no document", {.ClipboardFilled = true}},
    {"can undo", Doc([](auto& s) { s.CanUndo = true; })},
    {"can redo", Doc([](auto& s) { s.CanRedo = true; })},
};
constexpr int kStateCount = int(std::size(kStates));

// One character per state of kStates, in its order: 1 enabled, 0 not; for
// each group of commands that follow the same rule. Every command is in
// exactly one group.
struct TExpected
{
    std::vector<TCommandId> Ids;
    const char* Enabled;
};

std::vector<TCommandId> Range(TCommandId first, TCommandId last)
{
    std::vector<TCommandId> ids;
    for (int id = int(first); id <= int(last); ++id)
        ids.push_back(TCommandId(id));
    return ids;
}

std::vector<TCommandId> Join(std::vector<TCommandId> a, const std::vector<TCommandId>& b)
{
    a.insert(a.end(), b.begin(), b.end());
    return a;
}

const TExpected kExpected[] = {
    // clang-format off
    //                                        no   a   none link blk b+l two  ed clip clip undo redo
    //                                        doc win  sel                         nodoc
    {Join({FileNew, FileOpen, Options, Print, Import, ExportPicture, ExportPascal, Exit, Listing,
           StatusBar, Toolbars, ShowStandardBar, ShowSpecialBar, ShowAlignBar, HelpContents,
           About, TextLeft, TextCenter, TextRight},
          Join(Range(ToolSelect, ToolDivider), Range(AlignLefts, SpaceVertically))),
                                             "1    1    1    1    1   1   1   1   1    1    1    1"},
    {{FileClose, FileSave, FileSaveAs, Export, Cascade, Tile, ArrangeIcons, MinimizeAll},
                                             "0    1    1    1    1   1   1   1   1    0    1    1"},
    {Join({SelectAll, Find, Replace, JoinSquare, Scale, FullScreen, Grid, Insert,
           InsertTemplates},
          Join(Range(ReplaceBlock, ReplaceWithDivider), Range(InsertBlock, InsertDivider))),
                                             "0    0    1    1    1   1   1   1   1    0    1    1"},
    {{Undo},                                 "0    0    0    0    0   0   0   0   0    0    1    0"},
    {{Redo},                                 "0    0    0    0    0   0   0   0   0    0    0    1"},
    // The open text editor takes Delete, Cut, Copy and Paste for its text.
    {{Delete},                               "0    0    0    1    1   1   1   1   0    0    0    0"},
    {{Cut, Copy},                            "0    0    0    0    1   1   1   1   0    0    0    0"},
    {{Paste},                                "0    0    0    0    0   0   0   1   1    0    0    0"},
    {{Duplicate},                            "0    0    0    0    1   1   1   0   0    0    0    0"},
    // The context menu opens on a document whose text editor it has closed.
    {{AlignToGrid, ContextCut, ContextCopy, ContextDelete, ContextDuplicate, ReplaceTo},
                                             "0    0    0    0    1   1   1   0   0    0    0    0"},
    {{AlignDialog, SizeDialog},              "0    0    0    0    0   0   1   0   0    0    0    0"},
    {{ContextPaste},                         "0    0    0    0    0   0   0   0   1    0    0    0"},
    {{ReplaceTemplates},                     "0    0    0    0    1   1   0   0   0    0    0    0"},
    {{Properties},                           "0    0    0    1    1   0   0   0   0    0    0    0"},
    // clang-format on
};

TEST(CommandRules, EnableEachCommandInExactlyTheStatesItActsIn)
{
    std::vector<int> seen(kCommandCount);
    for (const TExpected& e : kExpected) {
        std::string expected = e.Enabled;
        std::erase(expected, ' ');
        ASSERT_EQ(int(expected.size()), kStateCount);
        for (TCommandId id : e.Ids) {
            ++seen[size_t(id)];
            const TCommand& c = CommandOf(id);
            for (int i = 0; i < kStateCount; ++i)
                EXPECT_EQ(c.Enabled(kStates[i].State), expected[size_t(i)] == '1')
                    << c.Name << " with " << kStates[i].Name;
        }
    }
    for (int id = 0; id < kCommandCount; ++id)
        EXPECT_EQ(seen[size_t(id)], 1) << CommandOf(TCommandId(id)).Name;
}

// --- the same rules in the real windows

// At scale 2 (a document's first scale) diagram units are two pixels each.
//   A  rectangle (10, 10)-(90, 30)    pixels (20, 20)-(180, 60)
//   B  rectangle (10, 60)-(90, 80)    pixels (20, 120)-(180, 160)
//   A -> B at x = 50                  pixels x = 100, y 60..120
std::vector<uint8_t> TwoBlocksAndALink()
{
    TShem s;
    auto block = [&](TRect r) {
        Block b;
        b.SetRect(r);
        return s.Get(s.AddBlock(b));
    };
    TShemObj* a = block({10, 10, 90, 30});
    TShemObj* b = block({10, 60, 90, 80});
    s.AddLink({1, a, b, {32767, 65535}, {32767, 0}});
    return s.SaveToBytes();
}

const QPoint kOnA{100, 40};
const QPoint kOnB{100, 140};
const QPoint kOnLink{100, 90};
const QPoint kEmpty{500, 300};

using TStates = std::map<std::string, bool>;

class CommandStates : public ::testing::Test
{
protected:
    void SetUp() override
    {
        main.resize(1000, 700);
        main.show();
        QApplication::setActiveWindow(&main);
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&main));
    }
    void TearDown() override
    {
        for (TChildD* d : main.Documents())
            d->Document().MarkSaved(); // nothing may stop the window going
    }

    void OpenDiagram()
    {
        doc = main.OpenDocument(
            kb::test::WriteFile(dir, QStringLiteral("two.bls"), TwoBlocksAndALink()));
        ASSERT_TRUE(doc);
        doc->SetScale(2);
        QTest::mouseClick(ToolButton("ToolButton9"), Qt::LeftButton); // Select objects
    }
    void Click(QPoint p, Qt::KeyboardModifiers keys = {})
    {
        QTest::mouseMove(doc, p);
        QTest::mouseClick(doc, Qt::LeftButton, keys, p);
    }

    QToolButton* ToolButton(const char* name)
    {
        auto* b = main.findChild<QToolButton*>(QLatin1String(name));
        EXPECT_NE(b, nullptr) << name;
        return b;
    }
    // What the Standard toolbar shows, by its buttons' names.
    TStates Buttons(std::initializer_list<const char*> names)
    {
        TStates states;
        for (const char* name : names)
            states[name] = ToolButton(name)->isEnabled();
        return states;
    }

    // Opens a menu of the menu bar with a click on its title, reads its
    // items (those of its submenus too) and closes it again with Escape.
    TStates MenuBarMenu(const char* menuName)
    {
        auto* menu = main.findChild<QMenu*>(QLatin1String(menuName));
        QMenuBar* bar = main.menuBar();
        QTest::mouseClick(bar, Qt::LeftButton, {},
                          bar->actionGeometry(menu->menuAction()).center());
        EXPECT_TRUE(QTest::qWaitFor([menu] { return menu->isVisible(); }));
        TStates states = Items(*menu);
        QTest::keyClick(menu, Qt::Key_Escape);
        QTest::keyClick(bar, Qt::Key_Escape);
        return states;
    }
    // Opens the document's context menu with a right click, as a user does:
    // through the window, which turns the click into the context menu event.
    TStates ContextMenu(QPoint at)
    {
        QMenu* menu = main.DocumentMenu();
        const QPoint inWindow = doc->mapTo(&main, at);
        QTest::mouseMove(main.windowHandle(), inWindow);
        QTest::mouseClick(main.windowHandle(), Qt::RightButton, {}, inWindow);
        EXPECT_TRUE(QTest::qWaitFor([menu] { return menu->isVisible(); }));
        TStates states = Items(*menu);
        QTest::keyClick(menu, Qt::Key_Escape);
        EXPECT_FALSE(menu->isVisible());
        return states;
    }
    // Keys go to the focused document as the user types them.
    void Key(Qt::Key key, Qt::KeyboardModifiers modifiers = {})
    {
        QApplication::setActiveWindow(&main);
        doc->setFocus();
        QTest::keyClick(doc, key, modifiers);
    }
    static TStates Items(const QMenu& menu)
    {
        TStates states;
        for (QAction* a : menu.actions()) {
            if (a->isSeparator() || a->objectName().isEmpty()) continue;
            states[a->objectName().toStdString()] = a->isEnabled();
            if (a->menu())
                for (const auto& item : Items(*a->menu()))
                    states.insert(item);
        }
        return states;
    }

    QTemporaryDir dir;
    kb::test::TMessageRecorder messages;
    TMainForm main;
    TChildD* doc = nullptr;
};

TEST_F(CommandStates, WithoutADocumentOnlyTheFrameCommandsAreEnabled)
{
    const TStates file = MenuBarMenu("FileItem");
    EXPECT_TRUE(file.at("FileNewItem"));
    EXPECT_TRUE(file.at("FileOpenItem"));
    EXPECT_TRUE(file.at("Options"));
    EXPECT_TRUE(file.at("Print1"));
    EXPECT_TRUE(file.at("Import1"));
    EXPECT_TRUE(file.at("FileExitItem"));
    EXPECT_FALSE(file.at("FileCloseItem"));
    EXPECT_FALSE(file.at("FileSaveItem"));
    EXPECT_FALSE(file.at("FileSaveAsItem"));
    EXPECT_FALSE(file.at("FileExportItem"));
    for (const auto& [name, enabled] : MenuBarMenu("Edit1"))
        EXPECT_FALSE(enabled) << name;
    const TStates view = MenuBarMenu("View1");
    for (const char* name : {"Scale1", "Fullscreenpreview1", "Grid1"})
        EXPECT_FALSE(view.at(name)) << name;
    for (const char* name : {"Listing", "Statusbar1", "Toolbars1", "Standart1", "Align1"})
        EXPECT_TRUE(view.at(name)) << name;
    for (const auto& [name, enabled] : MenuBarMenu("Window1"))
        EXPECT_FALSE(enabled) << name;
    EXPECT_EQ(Buttons({"NewButton", "OpenButton", "SaveButton", "PrintButton", "DeleteButton",
                       "CutButton", "CopyButton", "PasteButton", "ScaleButton", "ListButton",
                       "GridButton", "FullScreen", "TextAlignLeft"}),
              (TStates{{"NewButton", true},
                       {"OpenButton", true},
                       {"SaveButton", false},
                       {"PrintButton", true},
                       {"DeleteButton", false},
                       {"CutButton", false},
                       {"CopyButton", false},
                       {"PasteButton", false},
                       {"ScaleButton", false},
                       {"ListButton", true},
                       {"GridButton", false},
                       {"FullScreen", false},
                       {"TextAlignLeft", true}}));

    // Ctrl+N, and the document commands come alive; closing it puts them back.
    QTest::keyClick(&main, Qt::Key_N, Qt::ControlModifier);
    ASSERT_EQ(main.Documents().size(), 1);
    EXPECT_TRUE(MenuBarMenu("FileItem").at("FileSaveItem"));
    EXPECT_TRUE(MenuBarMenu("Edit1").at("SelectAllItem"));
    EXPECT_TRUE(MenuBarMenu("Window1").at("WindowTileItem"));
    EXPECT_TRUE(ToolButton("GridButton")->isEnabled());
    QTest::keyClick(&main, Qt::Key_W, Qt::ControlModifier);
    QApplication::processEvents();
    ASSERT_TRUE(main.Documents().isEmpty());
    EXPECT_FALSE(MenuBarMenu("FileItem").at("FileSaveItem"));
    EXPECT_FALSE(ToolButton("SaveButton")->isEnabled());
}

TEST_F(CommandStates, SelectingWithTheMouseEnablesWhatActsOnTheSelection)
{
    OpenDiagram();
    const std::initializer_list<const char*> edit = {"DeleteButton", "CutButton", "CopyButton"};
    EXPECT_EQ(Buttons(edit),
              (TStates{{"DeleteButton", false}, {"CutButton", false}, {"CopyButton", false}}));
    EXPECT_FALSE(MenuBarMenu("Edit1").at("DuplicateItem"));

    Click(kOnA);
    ASSERT_EQ(doc->Selection().size(), 1u);
    EXPECT_EQ(Buttons(edit),
              (TStates{{"DeleteButton", true}, {"CutButton", true}, {"CopyButton", true}}));
    const TStates menu = MenuBarMenu("Edit1");
    for (const char* name : {"DeleteItem", "CutItem", "CopyItem", "DuplicateItem"})
        EXPECT_TRUE(menu.at(name)) << name;

    // A link alone can be deleted, but not cut, copied or duplicated.
    Click(kOnLink);
    ASSERT_EQ(doc->Selection().size(), 1u);
    ASSERT_FALSE(doc->Selection().front()->IsBlock());
    EXPECT_EQ(Buttons(edit),
              (TStates{{"DeleteButton", true}, {"CutButton", false}, {"CopyButton", false}}));
    EXPECT_FALSE(MenuBarMenu("Edit1").at("DuplicateItem"));

    Click(kEmpty);
    ASSERT_TRUE(doc->Selection().empty());
    EXPECT_FALSE(ToolButton("DeleteButton")->isEnabled());
}

TEST_F(CommandStates, AnEditEnablesUndoAndUndoingItEnablesRedo)
{
    OpenDiagram();
    TStates menu = MenuBarMenu("Edit1");
    EXPECT_FALSE(menu.at("Undo1"));
    EXPECT_FALSE(menu.at("Redo1"));

    Click(kOnA);
    QTest::mouseClick(ToolButton("DeleteButton"), Qt::LeftButton);
    ASSERT_EQ(doc->Shem().Count(), 1); // the block and the link on it went
    menu = MenuBarMenu("Edit1");
    EXPECT_TRUE(menu.at("Undo1"));
    EXPECT_FALSE(menu.at("Redo1"));

    Key(Qt::Key_Z, Qt::ControlModifier);
    ASSERT_EQ(doc->Shem().Count(), 3);
    menu = MenuBarMenu("Edit1");
    EXPECT_FALSE(menu.at("Undo1"));
    EXPECT_TRUE(menu.at("Redo1"));
}

TEST_F(CommandStates, CopyingEnablesPasteInTheMenuTheToolbarAndTheContextMenu)
{
    OpenDiagram();
    EXPECT_FALSE(ToolButton("PasteButton")->isEnabled());
    EXPECT_FALSE(ContextMenu(kEmpty).at("Paste1"));

    Click(kOnA);
    Key(Qt::Key_C, Qt::ControlModifier);
    EXPECT_TRUE(ToolButton("PasteButton")->isEnabled());
    EXPECT_TRUE(MenuBarMenu("Edit1").at("PasteItem"));
    EXPECT_TRUE(ContextMenu(kEmpty).at("Paste1"));
    // The clipboard serves every document.
    Key(Qt::Key_N, Qt::ControlModifier);
    ASSERT_EQ(main.Documents().size(), 2);
    EXPECT_TRUE(ToolButton("PasteButton")->isEnabled());
}

TEST_F(CommandStates, TheTextEditorTakesCutCopyPasteAndDelete)
{
    OpenDiagram();
    EXPECT_FALSE(ToolButton("PasteButton")->isEnabled());
    // A new block opens the text editor on it; the clipboard diagram is empty.
    kb::test::DrawRectangle(main, *doc, {400, 200}, {480, 260});
    ASSERT_TRUE(doc->EditorOpen());
    EXPECT_EQ(Buttons({"DeleteButton", "CutButton", "CopyButton", "PasteButton"}),
              (TStates{{"DeleteButton", true},
                       {"CutButton", true},
                       {"CopyButton", true},
                       {"PasteButton", true}}));
    // Escape ends the editing, and Paste has nothing to paste again.
    QTest::keyClick(doc->Editor(), Qt::Key_Escape);
    ASSERT_FALSE(doc->EditorOpen());
    EXPECT_FALSE(ToolButton("PasteButton")->isEnabled());
}

TEST_F(CommandStates, TheContextMenuFollowsTheSelectionItOpensOn)
{
    OpenDiagram();
    // Nothing selected: only what needs no selection.
    TStates menu = ContextMenu(kEmpty);
    for (const char* name : {"AligntoGrid1", "MenuItem1", "MenuItem2", "Cut1", "Copy1", "Delete1",
                             "Duplicate1", "MenuItem4", "Templates1", "Properties1"})
        EXPECT_FALSE(menu.at(name)) << name;
    for (const char* name : {"Insert1", "Block2", "Rectangle1", "Page2", "Templates2"})
        EXPECT_TRUE(menu.at(name)) << name;

    // One block.
    Click(kOnA);
    menu = ContextMenu(kOnA);
    for (const char* name : {"AligntoGrid1", "Cut1", "Copy1", "Delete1", "Duplicate1", "MenuItem4",
                             "Block1", "MenuItem5", "Templates1", "Properties1"})
        EXPECT_TRUE(menu.at(name)) << name;
    EXPECT_FALSE(menu.at("MenuItem1"));
    EXPECT_FALSE(menu.at("MenuItem2"));
    // It shows what the menu bar's Edit menu shows.
    const TStates edit = MenuBarMenu("Edit1");
    for (const auto& [context, item] : {std::pair{"Cut1", "CutItem"},
                                        {"Copy1", "CopyItem"},
                                        {"Paste1", "PasteItem"},
                                        {"Delete1", "DeleteItem"},
                                        {"Duplicate1", "DuplicateItem"}})
        EXPECT_EQ(menu.at(context), edit.at(item)) << context;

    // Two blocks: alignment and sizes, but neither templates nor properties.
    Click(kOnB, Qt::ShiftModifier);
    ASSERT_EQ(doc->CountSelectedBlocks(), 2);
    menu = ContextMenu(kOnB);
    for (const char* name : {"AligntoGrid1", "MenuItem1", "MenuItem2", "MenuItem4"})
        EXPECT_TRUE(menu.at(name)) << name;
    EXPECT_FALSE(menu.at("Templates1"));
    EXPECT_FALSE(menu.at("Properties1"));

    // A link alone has properties, but the block commands stay off, Delete
    // too, which the Edit menu offers for it.
    Click(kOnLink);
    menu = ContextMenu(kOnLink);
    EXPECT_TRUE(menu.at("Properties1"));
    for (const char* name : {"AligntoGrid1", "Cut1", "Delete1", "MenuItem4"})
        EXPECT_FALSE(menu.at(name)) << name;
    EXPECT_TRUE(MenuBarMenu("Edit1").at("DeleteItem"));
}

} // namespace

namespace {

// One action serves a menu item and its toolbar button: the button keeps
// its own tooltip, the item its own (longer) status-bar text, in both
// languages.
struct TSharedTexts
{
    const char* Button;
    TCommandId Command;
    const char* Tooltip;
    const char* StatusTip;
};

void ExpectSharedTexts(const TMainForm& main, std::initializer_list<TSharedTexts> rows)
{
    for (const TSharedTexts& row : rows) {
        const auto* button = main.StandardBar()->findChild<QToolButton*>(row.Button);
        ASSERT_NE(button, nullptr) << row.Button;
        EXPECT_EQ(button->toolTip(), QString::fromUtf8(row.Tooltip)) << row.Button;
        EXPECT_EQ(button->accessibleName(), QString::fromUtf8(row.Tooltip)) << row.Button;
        EXPECT_EQ(main.Command(row.Command)->statusTip(), QString::fromUtf8(row.StatusTip))
            << row.Button;
    }
}

TEST(CommandTexts, AMenuItemAndItsButtonKeepTheirOwnHints)
{
    {
        TMainForm main;
        ExpectSharedTexts(
            main,
            {{"OpenButton", FileOpen, "Open block diagram", "Open an existing block diagram."},
             {"ScaleButton", Scale, "Scale", "Change the scale of the block diagram."},
             {"NewButton", FileNew, "New block diagram", "New block diagram"}});
    }
    kb::test::TRussianInterface russian;
    TMainForm main;
    ExpectSharedTexts(
        main,
        {{"OpenButton", FileOpen, "Открыть блок-схему.", "Открыть существующую блок-схему."},
         {"CutButton", Cut, "Вырезать выделенные объекты.", "Вырезать выделенные объекты в буфер."},
         {"GridButton", Grid, "Показать сетку.", "Показать или скрыть сетку."},
         {"ScaleButton", Scale, "Изменить масштаб блок-схемы.", "Изменить масштаб блок-схемы."}});
    // The caption is the menu item's, not the hint that shares its words.
    EXPECT_EQ(main.Command(Scale)->text(), QStringLiteral("М&асштаб"));
    EXPECT_EQ(main.Command(FullScreen)->text(), QStringLiteral("Полный экран"));
}

} // namespace
