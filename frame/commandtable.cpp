#include "frame/commandtable.h"

#include "docwin/childd.h"
#include "frame/about.h"
#include "frame/commands/documentcommands.h"
#include "frame/mainform.h"
#include "frame/objectlist.h"
#include "frame/services/help.h"
#include "frame/services/searchdialogs.h"

#include <QApplication>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QStatusBar>

namespace kb {

namespace {

// --- the enabling rules

bool Always(const TDocumentState&)
{
    return true;
}

bool AnyDocument(const TDocumentState& s)
{
    return s.AnyDocument;
}

bool WithDocument(const TDocumentState& s)
{
    return s.Active;
}

bool CanUndo(const TDocumentState& s)
{
    return s.Active && s.CanUndo;
}

bool CanRedo(const TDocumentState& s)
{
    return s.Active && s.CanRedo;
}

// The open text editor takes Cut, Copy, Paste and Delete for its text.
bool EntriesOrText(const TDocumentState& s)
{
    return s.Active && (s.SelectedEntries > 0 || s.Editing);
}

bool BlocksOrText(const TDocumentState& s)
{
    return s.Active && (s.SelectedBlocks > 0 || s.Editing);
}

bool ClipboardOrText(const TDocumentState& s)
{
    return s.Active && (s.ClipboardFilled || s.Editing);
}

bool ClipboardFilled(const TDocumentState& s)
{
    return s.Active && s.ClipboardFilled;
}

bool SomeBlock(const TDocumentState& s)
{
    return s.Active && s.SelectedBlocks >= 1;
}

bool TwoBlocks(const TDocumentState& s)
{
    return s.Active && s.SelectedBlocks >= 2;
}

bool OneBlock(const TDocumentState& s)
{
    return s.Active && s.SelectedBlocks == 1;
}

bool OneEntry(const TDocumentState& s)
{
    return s.Active && s.SelectedEntries == 1;
}

// --- handlers that need no more of the main window than its active document

void OnDocument(TMainForm& main, void (TChildD::*act)())
{
    if (TChildD* doc = main.ActiveDocument()) (doc->*act)();
}

void CloseActiveDocument(TMainForm& main, int)
{
    if (QMdiSubWindow* sub = main.MdiArea()->currentSubWindow()) sub->close();
}

void DeleteSelection(TMainForm& main, int)
{
    TChildD* doc = main.ActiveDocument();
    if (!doc) return;
    QApplication::setOverrideCursor(Qt::WaitCursor);
    doc->DeleteSelection();
    QApplication::restoreOverrideCursor();
}

// The open text editor cuts, copies and pastes its text instead.
void CutSelection(TMainForm& main, int)
{
    TChildD* doc = main.ActiveDocument();
    if (!doc) return;
    if (doc->EditorOpen()) {
        doc->EditorCut();
        return;
    }
    doc->CopySelection();
    doc->DeleteSelection();
}

void PasteClipboard(TMainForm& main, int)
{
    if (TChildD* doc = main.ActiveDocument()) doc->EditorOpen() ? doc->EditorPaste() : doc->Paste();
}

// code: 0 centre, 1 left, 2 right; the text being typed, or the selected blocks'.
void AlignText(TMainForm& main, int code)
{
    TChildD* doc = main.ActiveDocument();
    if (!doc) return;
    if (doc->EditorOpen())
        doc->SetEditorAlign(code);
    else
        doc->SetTextAlign(code);
}

// modes: the horizontal mode (0..4) * 10 + the vertical one.
void AlignSelectedBlocks(TMainForm& main, int modes)
{
    if (TChildD* doc = main.ActiveDocument()) AlignBlocks(*doc, modes / 10, modes % 10);
}

void ReplaceBlockKind(TMainForm& main, int kind)
{
    if (TChildD* doc = main.ActiveDocument()) ChangeBlockType(*doc, kind);
}

void InsertStandardBlock(TMainForm& main, int kind)
{
    if (TChildD* doc = main.ActiveDocument()) {
        const TBlockSize& size = main.StandardSize(kind);
        InsertBlock(*doc, kind, {size.Width, size.Height});
    }
}

void MinimizeAllDocuments(TMainForm& main, int)
{
    const QList<QMdiSubWindow*> subs = main.MdiArea()->subWindowList(QMdiArea::CreationOrder);
    for (auto it = subs.rbegin(); it != subs.rend(); ++it)
        (*it)->showMinimized();
}

// Window > Arrange Icons: the minimised windows in rows along the bottom of
// the area, left to right in the order they were made, the rows stacking
// upwards; windows that are not minimised stay where they are.
void ArrangeMinimizedWindows(QMdiArea& mdi)
{
    const int areaWidth = mdi.viewport()->width();
    int x = 0;
    int bottom = mdi.viewport()->height();
    int rowHeight = 0;
    for (QMdiSubWindow* sub : mdi.subWindowList(QMdiArea::CreationOrder)) {
        if (!sub->isMinimized()) continue;
        const QSize size = sub->size();
        if (x > 0 && x + size.width() > areaWidth) {
            x = 0;
            bottom -= rowHeight;
            rowHeight = 0;
        }
        sub->move(x, bottom - size.height());
        x += size.width();
        rowHeight = std::max(rowHeight, size.height());
    }
}

} // namespace

std::span<const TCommand> CommandTable()
{
    return TMainForm::Commands();
}

const TCommand& CommandOf(TCommandId id)
{
    return CommandTable()[size_t(id)];
}

// The table is defined in a member of the window so that its handlers, small
// lambdas here, reach the window's private parts. Handlers that need no more
// than the active document are the functions above; those that use the
// window's own dialogs and state are its private functions.
std::span<const TCommand> TMainForm::Commands()
{
    using enum TCommandId;
    using enum TIconSource;
    static const TCommand kTable[] = {
        // --- File
        {.Id = FileNew,
         .Name = "FileNewItem",
         .Caption = QT_TRANSLATE_NOOP("kb::TMainForm", "&New"),
         .Hint = QT_TRANSLATE_NOOP("kb::TMainForm", "New block diagram"),
         .Keys = "Ctrl+N",
         .IconSource = Standard,
         .Icon = "new",
         .ButtonName = "NewButton",
         .Enabled = Always,
         .Run = [](TMainForm& m, int) { m.NewDocument(); }},
        {.Id = FileOpen,
         .Name = "FileOpenItem",
         .Caption = QT_TRANSLATE_NOOP("kb::TMainForm", "&Open"),
         .Hint = QT_TRANSLATE_NOOP("kb::TMainForm", "Open block diagram"),
         .StatusTip = QT_TRANSLATE_NOOP("kb::TMainForm", "Open an existing block diagram."),
         .Keys = "Ctrl+O",
         .IconSource = Standard,
         .Icon = "open",
         .ButtonName = "OpenButton",
         .Enabled = Always,
         .Run = [](TMainForm& m, int) { m.AskAndOpenDocuments(); }},
        {.Id = FileClose,
         .Name = "FileCloseItem",
         .Caption = QT_TRANSLATE_NOOP("kb::TMainForm", "&Close"),
         .Hint = QT_TRANSLATE_NOOP("kb::TMainForm", "Close the active block diagram."),
         .Keys = "Ctrl+F4;Ctrl+W",
         .StandardKeys = QKeySequence::Close,
         .Enabled = AnyDocument,
         .Run = CloseActiveDocument},
        {.Id = FileSave,
         .Name = "FileSaveItem",
         .Caption = QT_TRANSLATE_NOOP("kb::TMainForm", "&Save"),
         .Hint = QT_TRANSLATE_NOOP("kb::TMainForm", "Save active block diagram"),
         .StatusTip =
             QT_TRANSLATE_NOOP("kb::TMainForm", "Save the active file under the same name"),
         .Keys = "Ctrl+S",
         .StandardKeys = QKeySequence::Save,
         .IconSource = Standard,
         .Icon = "save",
         .ButtonName = "SaveButton",
         .Enabled = AnyDocument,
         .Run =
             [](TMainForm& m, int) {
                 if (TChildD* doc = m.ActiveDocument()) m.SaveDocument(*doc);
             }},
        {.Id = FileSaveAs,
         .Name = "FileSaveAsItem",
         .Caption = QT_TRANSLATE_NOOP("kb::TMainForm", "Save &as . . ."),
         .Hint = QT_TRANSLATE_NOOP("kb::TMainForm", "Save the active file under another name."),
         .Keys = "Ctrl+Shift+S",
         .StandardKeys = QKeySequence::SaveAs,
         .Enabled = AnyDocument,
         .Run =
             [](TMainForm& m, int) {
                 if (TChildD* doc = m.ActiveDocument()) m.SaveDocumentAs(*doc);
             }},
        {.Id = Options,
         .Name = "Options",
         .Caption = QT_TRANSLATE_NOOP("kb::TMainForm", "Options"),
         .Hint = QT_TRANSLATE_NOOP(
             "kb::TMainForm", "Change the sizes of the standard blocks and the background color."),
         .Enabled = Always,
         .Run = [](TMainForm& m, int) { m.EditOptions(); }},
        {.Id = Print,
         .Name = "Print1",
         .Caption = QT_TRANSLATE_NOOP("kb::TMainForm", "Print"),
         .Hint = QT_TRANSLATE_NOOP("kb::TMainForm", "Print active block diagram"),
         .Keys = "Ctrl+P",
         .StandardKeys = QKeySequence::Print,
         .IconSource = Standard,
         .Icon = "print",
         .ButtonName = "PrintButton",
         .Enabled = Always,
         .Run = [](TMainForm& m, int) { m.PrintActiveDocument(); }},
        {.Id = Import,
         .Name = "Import1",
         .Caption = QT_TRANSLATE_NOOP("kb::TMainForm", "Import"),
         .Hint = QT_TRANSLATE_NOOP("kb::TMainForm", "Import using a plug-in"),
         .Flags = cfSubmenu,
         .Enabled = Always},
        {.Id = Export,
         .Name = "FileExportItem",
         .Caption = QT_TRANSLATE_NOOP("kb::TMainForm", "Export"),
         .Hint = QT_TRANSLATE_NOOP("kb::TMainForm", "Export the active block diagram."),
         .Flags = cfSubmenu,
         .Enabled = AnyDocument},
        {.Id = ExportPicture,
         .Name = "BMP1",
         .Caption = QT_TRANSLATE_NOOP("kb::TMainForm", "to graphic file"),
         .Hint = QT_TRANSLATE_NOOP("kb::TMainForm", "Save the block diagram in a graphic file."),
         .Enabled = Always,
         .Run = [](TMainForm& m, int) { m.ExportPicture(); }},
        {.Id = ExportPascal,
         .Name = "toPascal1",
         .Caption = QT_TRANSLATE_NOOP("kb::TMainForm", "to Pascal"),
         .Hint =
             QT_TRANSLATE_NOOP("kb::TMainForm", "Get a Pascal procedure from the block diagram."),
         .Enabled = Always,
         .Run = [](TMainForm& m, int) { m.ExportPascal(); }},
        // The recent files go before the item tagged 99.
        {.Id = Exit,
         .Name = "FileExitItem",
         .Caption = QT_TRANSLATE_NOOP("kb::TMainForm", "E&xit"),
         .Hint = QT_TRANSLATE_NOOP("kb::TMainForm", "Finish work and close the editor window."),
         .Data = 99,
         .Enabled = Always,
         .Run = [](TMainForm& m, int) { m.close(); }},

        // --- Edit
        {.Id = Undo,
         .Name = "Undo1",
         .Caption = QT_TRANSLATE_NOOP("kb::TMainForm", "Undo"),
         .Keys = "Ctrl+Z",
         .IconSource = Standard,
         .Icon = "undo",
         .Enabled = CanUndo,
         .Run = [](TMainForm& m, int) { OnDocument(m, &TChildD::Undo); }},
        {.Id = Redo,
         .Name = "Redo1",
         .Caption = QT_TRANSLATE_NOOP("kb::TMainForm", "Redo"),
         .Keys = "Ctrl+Y;Ctrl+Shift+Z",
         .IconSource = Standard,
         .Icon = "redo",
         .Enabled = CanRedo,
         .Run = [](TMainForm& m, int) { OnDocument(m, &TChildD::Redo); }},
        {.Id = Delete,
         .Name = "DeleteItem",
         .Caption = QT_TRANSLATE_NOOP("kb::TMainForm", "&Delete"),
         .Hint = QT_TRANSLATE_NOOP("kb::TMainForm", "Delete selected objects"),
         .Keys = "Shift+Del",
         .IconSource = Standard,
         .Icon = "delete",
         .ButtonName = "DeleteButton",
         .Enabled = EntriesOrText,
         .Run = DeleteSelection},
        {.Id = Cut,
         .Name = "CutItem",
         .Caption = QT_TRANSLATE_NOOP("kb::TMainForm", "Cu&t"),
         .Hint = QT_TRANSLATE_NOOP("kb::TMainForm", "Cut selected objects"),
         .StatusTip =
             QT_TRANSLATE_NOOP("kb::TMainForm", "Cut the selected objects to the clipboard."),
         .Keys = "Ctrl+X",
         .IconSource = Standard,
         .Icon = "cut",
         .ButtonName = "CutButton",
         .Enabled = BlocksOrText,
         .Run = CutSelection},
        {.Id = Copy,
         .Name = "CopyItem",
         .Caption = QT_TRANSLATE_NOOP("kb::TMainForm", "&Copy"),
         .Hint = QT_TRANSLATE_NOOP("kb::TMainForm", "Copy selected objects"),
         .StatusTip =
             QT_TRANSLATE_NOOP("kb::TMainForm", "Copy the selected objects to the clipboard."),
         .Keys = "Ctrl+C",
         .IconSource = Standard,
         .Icon = "copy",
         .ButtonName = "CopyButton",
         .Enabled = BlocksOrText,
         .Run = [](TMainForm& m, int) { m.CopySelection(); }},
        {.Id = Paste,
         .Name = "PasteItem",
         .Caption = QT_TRANSLATE_NOOP("kb::TMainForm", "&Paste"),
         .Hint = QT_TRANSLATE_NOOP("kb::TMainForm", "Paste objects"),
         .Keys = "Ctrl+V",
         .IconSource = Standard,
         .Icon = "paste",
         .ButtonName = "PasteButton",
         .Enabled = ClipboardOrText,
         .Run = PasteClipboard},
        {.Id = SelectAll,
         .Name = "SelectAllItem",
         .Caption = QT_TRANSLATE_NOOP("kb::TMainForm", "Se&lect All"),
         .Hint = QT_TRANSLATE_NOOP("kb::TMainForm", "Select all objects of the block diagram."),
         .Keys = "Ctrl+A",
         .Enabled = WithDocument,
         .Run = [](TMainForm& m, int) { OnDocument(m, &TChildD::SelectAll); }},
        {.Id = Find,
         .Name = "Find1",
         .Caption = QT_TRANSLATE_NOOP("kb::TMainForm", "&Find"),
         .Hint = QT_TRANSLATE_NOOP("kb::TMainForm", "Find text in blocks."),
         .Keys = "Ctrl+F",
         .IconSource = Standard,
         .Icon = "find",
         .Enabled = WithDocument,
         .Run =
             [](TMainForm& m, int) {
                 if (m.ActiveDocument()) m.SearchDialogs().ShowFind();
             }},
        {.Id = Replace,
         .Name = "Replace1",
         .Caption = QT_TRANSLATE_NOOP("kb::TMainForm", "&Replace"),
         .Hint = QT_TRANSLATE_NOOP("kb::TMainForm", "Replace text in blocks."),
         .Keys = "Ctrl+R",
         .IconSource = Standard,
         .Icon = "replace",
         .Enabled = WithDocument,
         .Run =
             [](TMainForm& m, int) {
                 if (m.ActiveDocument()) m.SearchDialogs().ShowReplace();
             }},
        {.Id = JoinSquare,
         .Name = "JoinSquare1",
         .Caption = QT_TRANSLATE_NOOP("kb::TMainForm", "Join Square"),
         .Hint = QT_TRANSLATE_NOOP("kb::TMainForm", "Join all consecutive rectangles."),
         .Enabled = WithDocument,
         .Run = [](TMainForm& m, int) { OnDocument(m, &TChildD::JoinSquare); }},
        {.Id = Duplicate,
         .Name = "DuplicateItem",
         .Caption = QT_TRANSLATE_NOOP("kb::TMainForm", "Du&plicate"),
         .Hint = QT_TRANSLATE_NOOP("kb::TMainForm", "Duplicate selected objects."),
         .Keys = "Ctrl+D",
         .Enabled = SomeBlock,
         .Run = [](TMainForm& m, int) { OnDocument(m, &TChildD::DuplicateSelection); }},

        // --- View
        // The toolbar button drops down a menu of its own ("x 1" ... "x 8").
        {.Id = Scale,
         .Name = "Scale1",
         .Caption = QT_TRANSLATE_NOOP("kb::TMainForm", "Scale"),
         .Hint = QT_TRANSLATE_NOOP3("kb::TMainForm", "Scale", "hint"),
         .StatusTip = QT_TRANSLATE_NOOP("kb::TMainForm", "Change the scale of the block diagram."),
         .IconSource = Standard,
         .Icon = "scale",
         .ButtonName = "ScaleButton",
         .Flags = cfSubmenu,
         .Enabled = WithDocument},
        {.Id = FullScreen,
         .Name = "Fullscreenpreview1",
         .Caption = QT_TRANSLATE_NOOP("kb::TMainForm", "Full-screen preview"),
         .Hint = QT_TRANSLATE_NOOP3("kb::TMainForm", "Full-screen preview", "hint"),
         .StatusTip =
             QT_TRANSLATE_NOOP("kb::TMainForm", "Show the block diagram on the whole screen."),
         .IconSource = Standard,
         .Icon = "fullscreen",
         .ButtonName = "FullScreen",
         .Flags = cfNoMenuIcon,
         .Enabled = WithDocument,
         .Run = [](TMainForm& m, int) { m.ShowFullScreenPreview(); }},
        {.Id = Grid,
         .Name = "Grid1",
         .Caption = QT_TRANSLATE_NOOP("kb::TMainForm", "Grid"),
         .Hint = QT_TRANSLATE_NOOP("kb::TMainForm", "Show grid"),
         .StatusTip = QT_TRANSLATE_NOOP("kb::TMainForm", "Show or hide the grid."),
         .IconSource = Standard,
         .Icon = "grid",
         .ButtonName = "GridButton",
         .Flags = cfCheckable | cfNoMenuIcon,
         .Enabled = WithDocument,
         .Run = [](TMainForm& m, int) { m.ToggleGrid(); }},
        {.Id = Listing,
         .Name = "Listing",
         .Caption = QT_TRANSLATE_NOOP("kb::TMainForm", "Listing"),
         .Hint = QT_TRANSLATE_NOOP("kb::TMainForm", "Show list of objects"),
         .StatusTip = QT_TRANSLATE_NOOP("kb::TMainForm", "Show or hide the list of objects."),
         .IconSource = Standard,
         .Icon = "list",
         .ButtonName = "ListButton",
         .Flags = cfCheckable | cfNoMenuIcon,
         .Enabled = Always,
         .Run = [](TMainForm& m, int) { m.SetListVisible(!m.m_list->IsVisible()); }},
        {.Id = StatusBar,
         .Name = "Statusbar1",
         .Caption = QT_TRANSLATE_NOOP("kb::TMainForm", "Statusbar"),
         .Hint = QT_TRANSLATE_NOOP("kb::TMainForm", "Show or hide the status bar."),
         .Flags = cfCheckable | cfChecked,
         .Enabled = Always,
         .Run = [](TMainForm& m,
                   int) { m.statusBar()->setVisible(m.Command(StatusBar)->isChecked()); }},
        {.Id = Toolbars,
         .Name = "Toolbars1",
         .Caption = QT_TRANSLATE_NOOP("kb::TMainForm", "Toolbars"),
         .Hint = QT_TRANSLATE_NOOP("kb::TMainForm", "Show or hide the toolbars."),
         .Flags = cfSubmenu,
         .Enabled = Always},
        {.Id = ShowStandardBar,
         .Name = "Standart1",
         .Caption = QT_TRANSLATE_NOOP("kb::TMainForm", "Standard"),
         .Hint = QT_TRANSLATE_NOOP("kb::TMainForm", "Show or hide the standard toolbar."),
         .Flags = cfCheckable | cfChecked,
         .Enabled = Always,
         .Run = [](TMainForm& m, int) { m.ShowChosenToolbars(); }},
        {.Id = ShowSpecialBar,
         .Name = "Special1",
         .Caption = QT_TRANSLATE_NOOP("kb::TMainForm", "Special"),
         .Hint = QT_TRANSLATE_NOOP("kb::TMainForm", "Show or hide the special toolbar."),
         .Flags = cfCheckable | cfChecked,
         .Enabled = Always,
         .Run = [](TMainForm& m, int) { m.ShowChosenToolbars(); }},
        {.Id = ShowAlignBar,
         .Name = "Align1",
         .Caption = QT_TRANSLATE_NOOP("kb::TMainForm", "Alignment Palette"),
         .Hint = QT_TRANSLATE_NOOP("kb::TMainForm", "Show or hide the alignment toolbar."),
         .Flags = cfCheckable | cfChecked,
         .Enabled = Always,
         .Run = [](TMainForm& m, int) { m.ShowChosenToolbars(); }},

        // --- Window and Help
        {.Id = Cascade,
         .Name = "WindowCascadeItem",
         .Caption = QT_TRANSLATE_NOOP("kb::TMainForm", "&Cascade"),
         .Hint = QT_TRANSLATE_NOOP("kb::TMainForm", "Arrange the windows in a cascade."),
         .Enabled = AnyDocument,
         .Run = [](TMainForm& m, int) { m.MdiArea()->cascadeSubWindows(); }},
        {.Id = Tile,
         .Name = "WindowTileItem",
         .Caption = QT_TRANSLATE_NOOP("kb::TMainForm", "&Tile"),
         .Hint = QT_TRANSLATE_NOOP("kb::TMainForm", "Arrange the windows side by side."),
         .Enabled = AnyDocument,
         .Run = [](TMainForm& m, int) { m.MdiArea()->tileSubWindows(); }},
        {.Id = ArrangeIcons,
         .Name = "WindowArrangeItem",
         .Caption = QT_TRANSLATE_NOOP("kb::TMainForm", "&Arrange Icons"),
         .Hint = QT_TRANSLATE_NOOP("kb::TMainForm", "Arrange the icons of the minimized windows."),
         .Enabled = AnyDocument,
         .Run = [](TMainForm& m, int) { ArrangeMinimizedWindows(*m.MdiArea()); }},
        {.Id = MinimizeAll,
         .Name = "WindowMinimizeItem",
         .Caption = QT_TRANSLATE_NOOP("kb::TMainForm", "&Minimize All"),
         .Hint = QT_TRANSLATE_NOOP("kb::TMainForm", "Minimize all windows."),
         .Enabled = AnyDocument,
         .Run = MinimizeAllDocuments},
        {.Id = HelpContents,
         .Name = "N3",
         .Caption = QT_TRANSLATE_NOOP("kb::TMainForm", "&Contents"),
         .Hint = QT_TRANSLATE_NOOP("kb::TMainForm", "Open the editor's help."),
         .Enabled = Always,
         .Run = [](TMainForm& m, int) { OpenHelp(&m); }},
        {.Id = About,
         .Name = "HelpAboutItem",
         .Caption = QT_TRANSLATE_NOOP("kb::TMainForm", "&About"),
         .Hint = QT_TRANSLATE_NOOP("kb::TMainForm", "Show information about the program."),
         .Enabled = Always,
         .Run = [](TMainForm& m, int) { m.AboutBox().exec(); }},

        // --- Standard toolbar: text alignment, Data the alignment code
        {.Id = TextLeft,
         .Name = "TextAlignLeft",
         .Caption = QT_TRANSLATE_NOOP("kb::TMainForm", "Align text into block to left."),
         .Hint = QT_TRANSLATE_NOOP("kb::TMainForm", "Align text into block to left."),
         .IconSource = Standard,
         .Icon = "textleft",
         .ButtonName = "TextAlignLeft",
         .Data = 1,
         .Enabled = Always,
         .Run = AlignText},
        {.Id = TextCenter,
         .Name = "TextAlignCenter",
         .Caption = QT_TRANSLATE_NOOP("kb::TMainForm", "Align text into block to center."),
         .Hint = QT_TRANSLATE_NOOP("kb::TMainForm", "Align text into block to center."),
         .IconSource = Standard,
         .Icon = "textcenter",
         .ButtonName = "TextAlignCenter",
         .Data = 0,
         .Enabled = Always,
         .Run = AlignText},
        {.Id = TextRight,
         .Name = "TextAlignRight",
         .Caption = QT_TRANSLATE_NOOP("kb::TMainForm", "Align text into block to right."),
         .Hint = QT_TRANSLATE_NOOP("kb::TMainForm", "Align text into block to right."),
         .IconSource = Standard,
         .Icon = "textright",
         .ButtonName = "TextAlignRight",
         .Data = 2,
         .Enabled = Always,
         .Run = AlignText},

    // --- The tools, in the order the palette shows them; Data the tool code
#define KB_TOOL(id, name, hint, code)                                                              \
    {                                                                                              \
        .Id = id, .Name = name, .Caption = hint, .Hint = hint, .IconSource = Tool,                 \
        .ButtonName = name, .Flags = cfCheckable, .Data = code, .Enabled = Always,                 \
        .Run = [](TMainForm& m, int tool) { m.SetCurrentTool(tool); }                              \
    }
        KB_TOOL(ToolSelect, "ToolButton9", QT_TRANSLATE_NOOP("kb::TMainForm", "Select objects"),
                tcSelect),
        KB_TOOL(ToolEditText, "ToolButton10",
                QT_TRANSLATE_NOOP("kb::TMainForm", "Edit text in objects"), tcEditText),
        KB_TOOL(ToolRectangle, "ToolButton11",
                QT_TRANSLATE_NOOP("kb::TMainForm", "Create rectangle"), tcRectangle),
        KB_TOOL(ToolEllipse, "ToolButton16", QT_TRANSLATE_NOOP("kb::TMainForm", "Create ellipse"),
                tcEllipse),
        KB_TOOL(ToolRhomb, "ToolButton12", QT_TRANSLATE_NOOP("kb::TMainForm", "Create rhomb"),
                tcRhomb),
        KB_TOOL(ToolParallelogram, "ToolButton13",
                QT_TRANSLATE_NOOP("kb::TMainForm", "Create parallelogram"), tcParallelogram),
        KB_TOOL(ToolJointPoint, "ToolButton14",
                QT_TRANSLATE_NOOP("kb::TMainForm", "Add delete point into link"), tcJointPoint),
        KB_TOOL(ToolText, "ToolButton17", QT_TRANSLATE_NOOP("kb::TMainForm", "Create text block"),
                tcText),
        KB_TOOL(ToolComment, "ToolButton15", QT_TRANSLATE_NOOP("kb::TMainForm", "Create comment"),
                tcComment),
        KB_TOOL(ToolDocument, "ToolButton18", QT_TRANSLATE_NOOP("kb::TMainForm", "Create document"),
                tcDocument),
        KB_TOOL(ToolProcess, "ToolButton20",
                QT_TRANSLATE_NOOP("kb::TMainForm", "Create predefined process"), tcProcess),
        KB_TOOL(ToolLink, "ToolButton21",
                QT_TRANSLATE_NOOP("kb::TMainForm", "Create link. Arrowheads: the small arrow "
                                                   "beside the button, or hold the button down"),
                tcLink),
        KB_TOOL(ToolPan, "ToolButton22", QT_TRANSLATE_NOOP("kb::TMainForm", "Move document."),
                tcPan),
        KB_TOOL(ToolDivider, "ToolButton23",
                QT_TRANSLATE_NOOP("kb::TMainForm", "Create page divider."), tcDivider),
#undef KB_TOOL

    // --- The Alignment palette; Data the horizontal mode * 10 + the vertical one
#define KB_ALIGN(id, name, hint, icon, horizontal, vertical)                                       \
    {.Id = id,                                                                                     \
     .Name = name,                                                                                 \
     .Caption = hint,                                                                              \
     .Hint = hint,                                                                                 \
     .IconSource = Drawn,                                                                          \
     .Icon = icon,                                                                                 \
     .ButtonName = name,                                                                           \
     .Data = (horizontal)*10 + (vertical),                                                         \
     .Enabled = Always,                                                                            \
     .Run = AlignSelectedBlocks}
        KB_ALIGN(AlignLefts, "ToolbarButton971",
                 QT_TRANSLATE_NOOP("kb::TMainForm", "Align left edges"), "alignleft", 1, 0),
        KB_ALIGN(AlignHorizontalCenters, "ToolbarButton972",
                 QT_TRANSLATE_NOOP("kb::TMainForm", "Align horizontal centers"), "alignhcenter", 2,
                 0),
        KB_ALIGN(AlignRights, "ToolbarButton973",
                 QT_TRANSLATE_NOOP("kb::TMainForm", "Align right edges"), "alignright", 3, 0),
        KB_ALIGN(SpaceHorizontally, "ToolbarButton974",
                 QT_TRANSLATE_NOOP("kb::TMainForm", "Space equally, horizontally"), "spaceh", 4, 0),
        KB_ALIGN(AlignTops, "ToolbarButton976", QT_TRANSLATE_NOOP("kb::TMainForm", "Align tops"),
                 "aligntop", 0, 1),
        KB_ALIGN(AlignVerticalCenters, "ToolbarButton978",
                 QT_TRANSLATE_NOOP("kb::TMainForm", "Align vertical centers"), "alignvcenter", 0,
                 2),
        KB_ALIGN(AlignBottoms, "ToolbarButton977",
                 QT_TRANSLATE_NOOP("kb::TMainForm", "Align bottoms"), "alignbottom", 0, 3),
        KB_ALIGN(SpaceVertically, "ToolbarButton975",
                 QT_TRANSLATE_NOOP("kb::TMainForm", "Space equally, vertically"), "spacev", 0, 4),
#undef KB_ALIGN

        // --- The documents' context menu
        {.Id = AlignToGrid,
         .Name = "AligntoGrid1",
         .Caption = QT_TRANSLATE_NOOP("kb::TMainForm", "Align to Grid"),
         .Hint = QT_TRANSLATE_NOOP("kb::TMainForm", "Align the selected blocks to the grid."),
         .Enabled = SomeBlock,
         .Run =
             [](TMainForm& m, int) {
                 if (TChildD* doc = m.ActiveDocument()) kb::AlignToGrid(*doc);
             }},
        {.Id = AlignDialog,
         .Name = "MenuItem1",
         .Caption = QT_TRANSLATE_NOOP("kb::TMainForm", "Align"),
         .Hint = QT_TRANSLATE_NOOP("kb::TMainForm", "Align the selected blocks."),
         .Enabled = TwoBlocks,
         .Run = [](TMainForm& m, int) { m.AskAndAlignBlocks(); }},
        {.Id = SizeDialog,
         .Name = "MenuItem2",
         .Caption = QT_TRANSLATE_NOOP("kb::TMainForm", "Size"),
         .Hint = QT_TRANSLATE_NOOP("kb::TMainForm", "Change the sizes of the selected blocks."),
         .Enabled = TwoBlocks,
         .Run = [](TMainForm& m, int) { m.AskAndSizeBlocks(); }},
        {.Id = ContextCut,
         .Name = "Cut1",
         .Caption = QT_TRANSLATE_NOOP("kb::TMainForm", "Cut"),
         .Hint = QT_TRANSLATE_NOOP("kb::TMainForm", "Cut selected objects"),
         .Enabled = SomeBlock,
         .Run = CutSelection},
        {.Id = ContextCopy,
         .Name = "Copy1",
         .Caption = QT_TRANSLATE_NOOP("kb::TMainForm", "Copy"),
         .Hint = QT_TRANSLATE_NOOP("kb::TMainForm", "Copy selected objects"),
         .Enabled = SomeBlock,
         .Run = [](TMainForm& m, int) { m.CopySelection(); }},
        {.Id = ContextPaste,
         .Name = "Paste1",
         .Caption = QT_TRANSLATE_NOOP("kb::TMainForm", "Paste"),
         .Hint = QT_TRANSLATE_NOOP("kb::TMainForm", "Paste objects"),
         .Enabled = ClipboardFilled,
         .Run = PasteClipboard},
        {.Id = ContextDelete,
         .Name = "Delete1",
         .Caption = QT_TRANSLATE_NOOP("kb::TMainForm", "Delete"),
         .Hint = QT_TRANSLATE_NOOP("kb::TMainForm", "Delete selected objects"),
         .Enabled = SomeBlock,
         .Run = DeleteSelection},
        {.Id = ContextDuplicate,
         .Name = "Duplicate1",
         .Caption = QT_TRANSLATE_NOOP("kb::TMainForm", "Duplicate"),
         .Hint = QT_TRANSLATE_NOOP("kb::TMainForm", "Duplicate selected objects."),
         .Enabled = SomeBlock,
         .Run = [](TMainForm& m, int) { OnDocument(m, &TChildD::DuplicateSelection); }},
        {.Id = ReplaceTo,
         .Name = "MenuItem4",
         .Caption = QT_TRANSLATE_NOOP("kb::TMainForm", "Replace to"),
         .Hint = QT_TRANSLATE_NOOP("kb::TMainForm", "Replace the selected objects."),
         .Flags = cfSubmenu,
         .Enabled = SomeBlock},
        {.Id = ReplaceBlock,
         .Name = "Block1",
         .Caption = QT_TRANSLATE_NOOP("kb::TMainForm", "Block"),
         .Hint = QT_TRANSLATE_NOOP("kb::TMainForm", "Change the kind of the selected objects."),
         .Flags = cfSubmenu,
         .Enabled = WithDocument},
#define KB_KIND(id, name, caption, hint, kind, handler)                                            \
    {.Id = id,                                                                                     \
     .Name = name,                                                                                 \
     .Caption = caption,                                                                           \
     .Hint = hint,                                                                                 \
     .Data = kind,                                                                                 \
     .Enabled = WithDocument,                                                                      \
     .Run = handler}
        KB_KIND(ReplaceWithRectangle, "MenuItem5", QT_TRANSLATE_NOOP("kb::TMainForm", "Rectangle"),
                QT_TRANSLATE_NOOP("kb::TMainForm",
                                  "Change the kind of the selected objects to rectangle."),
                bkRectangle, ReplaceBlockKind),
        KB_KIND(ReplaceWithEllipse, "MenuItem6", QT_TRANSLATE_NOOP("kb::TMainForm", "Ellipse"),
                QT_TRANSLATE_NOOP("kb::TMainForm",
                                  "Change the kind of the selected objects to ellipse."),
                bkEllipse, ReplaceBlockKind),
        KB_KIND(
            ReplaceWithRhomb, "MenuItem7", QT_TRANSLATE_NOOP("kb::TMainForm", "Rhomb"),
            QT_TRANSLATE_NOOP("kb::TMainForm", "Change the kind of the selected objects to rhomb."),
            bkRhomb, ReplaceBlockKind),
        KB_KIND(ReplaceWithParallelogram, "MenuItem8",
                QT_TRANSLATE_NOOP("kb::TMainForm", "Parallelogram"),
                QT_TRANSLATE_NOOP("kb::TMainForm",
                                  "Change the kind of the selected objects to parallelogram."),
                bkParallelogram, ReplaceBlockKind),
        KB_KIND(ReplaceWithComment, "Comment1", QT_TRANSLATE_NOOP("kb::TMainForm", "Commentary"),
                QT_TRANSLATE_NOOP("kb::TMainForm",
                                  "Change the kind of the selected objects to comment."),
                bkCommentary, ReplaceBlockKind),
        KB_KIND(ReplaceWithDocument, "Document1", QT_TRANSLATE_NOOP("kb::TMainForm", "Document"),
                QT_TRANSLATE_NOOP("kb::TMainForm",
                                  "Change the kind of the selected objects to document."),
                bkDocument, ReplaceBlockKind),
        KB_KIND(ReplaceWithProcess, "Process1", QT_TRANSLATE_NOOP("kb::TMainForm", "Process"),
                QT_TRANSLATE_NOOP("kb::TMainForm",
                                  "Change the kind of the selected objects to process."),
                bkProcess, ReplaceBlockKind),
        KB_KIND(ReplaceWithDivider, "Page1", QT_TRANSLATE_NOOP("kb::TMainForm", "Divider"),
                QT_TRANSLATE_NOOP("kb::TMainForm",
                                  "Change the kind of the selected objects to page divider."),
                bkDivider, ReplaceBlockKind),
        {.Id = ReplaceTemplates,
         .Name = "Templates1",
         .Caption = QT_TRANSLATE_NOOP("kb::TMainForm", "Templates"),
         .Hint = QT_TRANSLATE_NOOP("kb::TMainForm", "Replace the selected block with a template."),
         .Flags = cfSubmenu,
         .Enabled = OneBlock},
        {.Id = Insert,
         .Name = "Insert1",
         .Caption = QT_TRANSLATE_NOOP("kb::TMainForm", "Insert "),
         .Hint = QT_TRANSLATE_NOOP("kb::TMainForm", "Insert a block of the standard size."),
         .Flags = cfSubmenu,
         .Enabled = WithDocument},
        {.Id = InsertBlock,
         .Name = "Block2",
         .Caption = QT_TRANSLATE_NOOP("kb::TMainForm", "Block "),
         .Hint = QT_TRANSLATE_NOOP("kb::TMainForm", "Insert a block of the chosen kind."),
         .Flags = cfSubmenu,
         .Enabled = WithDocument},
        KB_KIND(InsertRectangle, "Rectangle1", QT_TRANSLATE_NOOP("kb::TMainForm", "Rectangle"),
                QT_TRANSLATE_NOOP("kb::TMainForm", "Insert a rectangle."), bkRectangle,
                InsertStandardBlock),
        KB_KIND(InsertEllipse, "Ellipse1", QT_TRANSLATE_NOOP("kb::TMainForm", "Ellipse"),
                QT_TRANSLATE_NOOP("kb::TMainForm", "Insert an ellipse."), bkEllipse,
                InsertStandardBlock),
        KB_KIND(InsertRhomb, "Rhomb1", QT_TRANSLATE_NOOP("kb::TMainForm", "Rhomb"),
                QT_TRANSLATE_NOOP("kb::TMainForm", "Insert a rhomb."), bkRhomb,
                InsertStandardBlock),
        KB_KIND(InsertParallelogram, "Parallelogram1",
                QT_TRANSLATE_NOOP("kb::TMainForm", "Parallelogram"),
                QT_TRANSLATE_NOOP("kb::TMainForm", "Insert a parallelogram."), bkParallelogram,
                InsertStandardBlock),
        KB_KIND(InsertText, "Text1", QT_TRANSLATE_NOOP("kb::TMainForm", "Text"),
                QT_TRANSLATE_NOOP("kb::TMainForm", "Insert a text block."), bkText,
                InsertStandardBlock),
        KB_KIND(InsertComment, "Comment2", QT_TRANSLATE_NOOP("kb::TMainForm", "Commentary"),
                QT_TRANSLATE_NOOP("kb::TMainForm", "Insert a comment."), bkCommentary,
                InsertStandardBlock),
        KB_KIND(InsertDocument, "Document2", QT_TRANSLATE_NOOP("kb::TMainForm", "Document"),
                QT_TRANSLATE_NOOP("kb::TMainForm", "Insert a document."), bkDocument,
                InsertStandardBlock),
        KB_KIND(InsertProcess, "Process2", QT_TRANSLATE_NOOP("kb::TMainForm", "Process"),
                QT_TRANSLATE_NOOP("kb::TMainForm", "Insert a process."), bkProcess,
                InsertStandardBlock),
        KB_KIND(InsertDivider, "Page2", QT_TRANSLATE_NOOP("kb::TMainForm", "Divider"),
                QT_TRANSLATE_NOOP("kb::TMainForm", "Insert a page divider."), bkDivider,
                InsertStandardBlock),
#undef KB_KIND
        {.Id = InsertTemplates,
         .Name = "Templates2",
         .Caption = QT_TRANSLATE_NOOP("kb::TMainForm", "Templates"),
         .Hint = QT_TRANSLATE_NOOP("kb::TMainForm", "Insert a block-diagram template."),
         .Flags = cfSubmenu,
         .Enabled = WithDocument},
        {.Id = Properties,
         .Name = "Properties1",
         .Caption = QT_TRANSLATE_NOOP("kb::TMainForm", "Properties"),
         .Hint =
             QT_TRANSLATE_NOOP("kb::TMainForm", "Change the properties of the selected object."),
         .Enabled = OneEntry,
         .Run = [](TMainForm& m, int) { m.EditSelectionProperties(); }},
    };
    static_assert(std::size(kTable) == kCommandCount, "one entry per command");
    return kTable;
}

} // namespace kb
