// The main window's commands as one table: each command's object name,
// English caption and hint (translated in the context "kb::TMainForm"),
// keys, icon, toolbar button, the rule that enables it and what it does.
// The menus, the documents' context menu and the toolbars show the one
// QAction that TMainForm makes for each entry, so a menu item and its
// toolbar button can never disagree.
//
// The enabling rules are plain functions of TDocumentState, so that every
// rule can be checked without a window.
#pragma once

#include <QKeySequence>

#include <span>

namespace kb {

class TMainForm;

// In the order of the table.
enum class TCommandId {
    // File
    FileNew,
    FileOpen,
    FileClose,
    FileSave,
    FileSaveAs,
    Options,
    Print,
    Import,
    Export,
    ExportPicture,
    ExportPascal,
    Exit,
    // Edit
    Undo,
    Redo,
    Delete,
    Cut,
    Copy,
    Paste,
    SelectAll,
    Find,
    Replace,
    JoinSquare,
    Duplicate,
    // View
    Scale,
    FullScreen,
    Grid,
    Listing,
    StatusBar,
    Toolbars,
    ShowStandardBar,
    ShowSpecialBar,
    ShowAlignBar,
    // Window and Help
    Cascade,
    Tile,
    ArrangeIcons,
    MinimizeAll,
    HelpContents,
    About,
    // Standard toolbar only
    TextLeft,
    TextCenter,
    TextRight,
    // The tools of the Special toolbar
    ToolSelect,
    ToolEditText,
    ToolRectangle,
    ToolEllipse,
    ToolRhomb,
    ToolParallelogram,
    ToolJointPoint,
    ToolText,
    ToolComment,
    ToolDocument,
    ToolProcess,
    ToolLink,
    ToolPan,
    ToolDivider,
    // The Alignment palette
    AlignLefts,
    AlignHorizontalCenters,
    AlignRights,
    SpaceHorizontally,
    AlignTops,
    AlignVerticalCenters,
    AlignBottoms,
    SpaceVertically,
    // The documents' context menu
    AlignToGrid,
    AlignDialog,
    SizeDialog,
    ContextCut,
    ContextCopy,
    ContextPaste,
    ContextDelete,
    ContextDuplicate,
    ReplaceTo,
    ReplaceBlock,
    ReplaceWithRectangle,
    ReplaceWithEllipse,
    ReplaceWithRhomb,
    ReplaceWithParallelogram,
    ReplaceWithComment,
    ReplaceWithDocument,
    ReplaceWithProcess,
    ReplaceWithDivider,
    ReplaceTemplates,
    Insert,
    InsertBlock,
    InsertRectangle,
    InsertEllipse,
    InsertRhomb,
    InsertParallelogram,
    InsertText,
    InsertComment,
    InsertDocument,
    InsertProcess,
    InsertDivider,
    InsertTemplates,
    Properties,
    Count
};

constexpr int kCommandCount = int(TCommandId::Count);

// What the enabling rules read: of the active document, or of the document
// whose context menu opens.
struct TDocumentState
{
    bool AnyDocument = false; // at least one document window exists
    bool Active = false;      // a document window is active (the one described)
    bool Editing = false;     // its in-place text editor is open
    int SelectedEntries = 0;
    int SelectedBlocks = 0; // joint points included
    bool CanUndo = false;
    bool CanRedo = false;
    bool ClipboardFilled = false; // the clipboard diagram holds an entry
};

using TEnablingRule = bool (*)(const TDocumentState&);
// data is the entry's Data: the tool code, block kind, alignment code.
using TCommandHandler = void (*)(TMainForm& main, int data);

enum class TIconSource {
    None,
    Standard, // StandardIcon(Icon)
    Drawn,    // ToolIcon(Icon)
    Tool,     // the tool's own picture, which follows the tool choices
};

enum TCommandFlag : unsigned {
    cfNone = 0,
    cfCheckable = 1,
    cfChecked = 2,    // at start
    cfSubmenu = 4,    // the action is a submenu's; Run is null
    cfNoMenuIcon = 8, // the icon shows on the toolbar only
};

// A text to translate, with the comment that tells it apart where the same
// words translate differently elsewhere in the window (a caption and a hint).
struct TText
{
    constexpr TText(const char* source = nullptr, const char* comment = nullptr)
        : Source(source), Comment(comment)
    {
    }
    const char* Source;
    const char* Comment;
};

struct TCommand
{
    TCommandId Id;
    const char* Name;    // object name of the action
    const char* Caption; // English source text
    TText Hint = {};     // tooltip and status tip; none: no Source
    // Where the status bar is to say more than the toolbar button's tooltip
    // (a menu item's longer hint); null: Hint.
    const char* StatusTip = nullptr;
    const char* Keys = nullptr; // ";"-separated; the first is the one the menu shows
    QKeySequence::StandardKey StandardKeys = QKeySequence::UnknownKey; // the platform's, after Keys
    TIconSource IconSource = TIconSource::None;
    const char* Icon = nullptr;
    const char* ButtonName = nullptr; // object name of its toolbar button; null: none
    unsigned Flags = cfNone;
    int Data = 0;
    TEnablingRule Enabled = nullptr;
    TCommandHandler Run = nullptr;
};

// Every command, in the order of TCommandId.
std::span<const TCommand> CommandTable();
const TCommand& CommandOf(TCommandId id);

} // namespace kb
