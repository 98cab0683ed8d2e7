// TMainForm, the editor's main window: a multiple-document frame whose menus
// and toolbars act on the active document window, and which keeps what all
// documents share (the current tool, the link and joint-point choices, the
// clipboard diagram, the recent files, the background colour).
//
// Its commands are the entries of the command table (commandtable.h), one
// QAction each, found by TCommandId. mainform.cpp holds the window and what
// it shares with the documents, commandtable.cpp the table,
// mainform_menus.cpp the menus built from it and the one path that enables
// the commands, mainform_toolbars.cpp the three toolbars,
// mainform_documents.cpp opening, saving and the recent files.
#pragma once

#include "docwin/childhost.h"
#include "frame/autosave/autosavestore.h"
#include "frame/commands/templatemenus.h"
#include "frame/commandtable.h"
#include "frame/recentfiles.h"
#include "frame/services/settings.h"
#include "model/shem.h"

#include <QMainWindow>

#include <array>
#include <memory>
#include <span>
#include <vector>

class QActionGroup;
class QComboBox;
class QDialog;
class QLabel;
class QMdiArea;
class QMdiSubWindow;
class QMenu;
class QSplitter;
class QToolBar;
class QToolButton;

namespace kb {

class TAbout;
class TAlignF;
class TBlockProp;
class TChildD;
struct TChange;
class TExpForm;
class TExportModule;
class TFullViewForm;
class TLinkPropForm;
class TMenuF;
class TObjectList;
class TOptionsForm;
class TSizeF;
class TPlugInHost;
class TSearchDialogs;
class TSearchTarget;

class TMainForm : public QMainWindow, public TChildHost
{
    Q_OBJECT

public:
    explicit TMainForm(QWidget* parent = nullptr);
    ~TMainForm() override;

    // The main window of the running editor (null before and after it), for
    // LoadFile and the hand-off of a second start.
    static TMainForm* Instance();

    // --- documents (mainform_documents.cpp)
    // Opens the file in a new document window, or brings the window that
    // already shows it to the front. Returns that window, or null after
    // telling the user why the file could not be opened.
    TChildD* OpenDocument(const QString& fileName);
    TChildD* NewDocument();
    bool SaveDocument(TChildD& doc) override;
    bool SaveDocumentAs(TChildD& doc);
    TChildD* ActiveDocument() const;
    // In the order they were created.
    QList<TChildD*> Documents() const;
    TChildD* FindDocument(const QString& fileName) const;
    void ActivateDocument(TChildD& doc);

    const QStringList& RecentFiles() const { return m_recent.Files(); }
    void SetRecentFiles(const QStringList& files) { m_recent.SetFiles(files); }
    const QString& LastFolder() const { return m_lastFolder; }
    void SetLastFolder(const QString& folder) { m_lastFolder = folder; }
    void SetNewDocumentPrefix(const QString& prefix) { m_newPrefix = prefix; }
    void SetOpenFilter(const QString& filter) { m_openFilter = filter; }

    // --- shared with the documents
    int CurrentTool() const override { return m_tool; }
    void SetCurrentTool(int tool) override;
    int LinkDirection() const override { return m_linkDirection; }
    void SetLinkDirection(int direction);
    bool JointDeleteMode() const override { return m_jointDelete; }
    void SetJointDeleteMode(bool deleting);
    TShem& Clipboard() override { return m_clipboard; }
    // The font a new document starts with: the one last chosen in the font
    // box. Each document keeps its own afterwards.
    QString FontName() const override { return m_fontName; }
    TColor Background() const override { return m_background; }
    // Re-applies the colour to every open document.
    void SetBackground(TColor color);
    void ShowStatus(int panel, const QString& text) override;
    void ShowDocumentMenu(TChildD& doc, QPoint globalPos) override;

    // --- parts other services fill or read
    QMenu* ImportMenu() const { return m_importMenu; }
    QMenu* FileMenu() const { return m_fileMenu; }
    QMenu* DocumentMenu() const { return m_docMenu; }
    TObjectList* ObjectList() const { return m_list; }
    QMdiArea* MdiArea() const { return m_mdi; }
    QToolBar* StandardBar() const { return m_standard; }
    QToolBar* SpecialBar() const { return m_special; }
    QToolBar* AlignBar() const { return m_alignBar; }
    QLabel* StatusPanel(int panel) const { return m_panels[panel == 1 ? 1 : 0]; }
    TAbout& AboutBox();

    // --- services (mainform_services.cpp)
    // The preferences as read at start-up and as written at the end.
    void ApplySettings(const TSettings& settings);
    TSettings CollectSettings() const;
    // Adds one File > Import item per plug-in found under folder.
    void LoadPlugIns(const QString& folder);
    // The graphic-export module of "to graphic file", from folder.
    void LoadExportModule(const QString& folder);
    const TBlockSize& StandardSize(int kind) const;
    TSearchDialogs& SearchDialogs();
    // The Find or Replace dialog while one is shown.
    QDialog* OpenSearchDialog() const;

    // --- autosave and crash recovery (mainform_autosave.cpp)
    // From now on every modified document is autosaved into folder. Only the
    // running editor does this; a start that hands its files over never does.
    void EnableAutosave(const QString& folder);
    TAutosaveStore* Autosave() const { return m_autosave.get(); }
    // Seconds from the first change not yet in a copy to the copy, 1..3600;
    // applies to documents opened from now on and to the running countdowns.
    int AutosaveInterval() const { return m_autosaveInterval; }
    void SetAutosaveInterval(int seconds);
    // Offers the autosave files that an editor which did not exit cleanly
    // left behind, and opens the ones the user recovers.
    void RecoverAutosaves();

    // --- commands on the selection and the dialogs (mainform_commands.cpp)
    // Builds both Templates menus of the context menu from folder.
    void LoadTemplates(const QString& folder);
    const TTemplateList& Templates() const { return m_templates; }
    TMenuF& ToolPalette() const { return *m_toolPalette; }

    // --- commands (commandtable.cpp, mainform_menus.cpp)
    QAction* Command(TCommandId id) const { return m_commands[size_t(id)]; }
    // The table's entries; defined beside the table, where its handlers
    // reach the window's private parts.
    static std::span<const TCommand> Commands();

protected:
    void closeEvent(QCloseEvent* event) override;
    // Diagram files dropped from a file manager open as documents
    // (mainform_drop.cpp); anything else is refused.
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dragMoveEvent(QDragMoveEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    // mainform_menus.cpp: the actions of the table, the menus and their states
    void CreateCommands();
    void NewCommandAction(const TCommand& command);
    // Gives a command's action (a submenu's too) its texts, keys, icon and
    // check, and makes it the one Command(id) returns.
    void DressCommand(QAction& action, const TCommand& command);
    QIcon CommandIcon(const TCommand& command) const; // mainform_toolbars.cpp
    void CreateMenus();
    void CreateFileMenu();
    void CreateEditMenu();
    void CreateViewMenu();
    void CreateWindowMenu();
    void CreateHelpMenu();
    void CreateDocumentMenu();
    void AddCommands(QMenu* menu, std::initializer_list<TCommandId> ids);
    QMenu* AddSubmenu(QMenu* parent, TCommandId id);
    void FillScaleMenu(QMenu* menu, const QString& captionFormat, bool hideWithoutDocument);
    void RebuildRecentItems();
    void RebuildWindowList();
    // Runs whenever another document window becomes active (or none is).
    void UpdateMenuItems();
    // The one place that enables the commands: by the active document.
    void UpdateCommandStates();
    TDocumentState StateOf(const TChildD* doc) const;
    void ApplyCommandStates(const TDocumentState& state);
    void ShowUndoHints(const TChildD* doc);
    void UpdateViewChecks();
    // The font box shows the active document's font.
    void ShowDocumentFont();
    void SetDocumentFont(const QString& fontName);
    static QFont DocumentFont(const TChildD& doc);
    // View > Toolbars: the check of each bar is the user's choice, what is
    // stored on exit; the bars follow it.
    QAction* ToolbarCheck(const QToolBar* bar) const;
    void KeepToolbarChecks();
    void ShowChosenToolbars();
    // mainform_toolbars.cpp
    void CreateToolbars();
    void CreateStandardBar();
    void CreateSpecialBar();
    void CreateAlignBar();
    void CreateToolPalette();
    void CreateStatusBar();
    // Shows the command on bar; its button carries the table's button name.
    QToolButton* AddToolButton(QToolBar* bar, TCommandId id);

    // Handlers of the table that use the window's own dialogs and state
    // (mainform_commands.cpp, mainform_documents.cpp, mainform_services.cpp).
    void AskAndOpenDocuments();
    void EditOptions();
    void PrintActiveDocument();
    void ExportPicture();
    void ExportPascal();
    void CopySelection();
    void ShowFullScreenPreview();
    void ToggleGrid();
    void AskAndAlignBlocks();
    void AskAndSizeBlocks();
    void EditSelectionProperties();

    // mainform_services.cpp
    void PlaceToolbars(std::vector<std::pair<QToolBar*, TToolbarState>> bars);
    TToolbarState ToolbarState(QToolBar* bar) const;
    // A document that is alone gets the whole free document area.
    void FillAreaWithLoneDocument(QMdiSubWindow& sub);

    // mainform_autosave.cpp
    void WatchForAutosave(TChildD& doc);
    void OpenRecovered(const struct TStaleAutosave& stale);

    // mainform_documents.cpp
    TChildD* AddDocumentWindow(std::unique_ptr<TChildD> doc);
    // The object list and the commands follow the active document's changes.
    void FollowDocument(TChildD& doc, const TChange& change);
    QMdiSubWindow* SubWindowOf(const TChildD& doc) const;
    void ReportOpenFailure(const QString& fileName, const QString& reason);
    bool CloseAllDocuments();

    void ListDoubleClick(const QModelIndex& index);
    void SetListVisible(bool visible);
    void SetGridCheck(bool on);
    bool eventFilter(QObject* watched, QEvent* event) override;

    QMdiArea* m_mdi = nullptr;
    TObjectList* m_list = nullptr;
    QSplitter* m_splitter = nullptr;
    QLabel* m_panels[2] = {};
    QToolBar* m_standard = nullptr;
    QToolBar* m_special = nullptr;
    QToolBar* m_alignBar = nullptr;
    QComboBox* m_fontCombo = nullptr;
    QActionGroup* m_tools = nullptr;
    QMenu* m_fileMenu = nullptr;
    QMenu* m_importMenu = nullptr;
    QMenu* m_windowMenu = nullptr;
    QMenu* m_docMenu = nullptr;
    QAction* m_windowListSeparator = nullptr;
    QList<QAction*> m_recentItems;
    QList<QAction*> m_windowItems;
    std::array<QAction*, kCommandCount> m_commands{};
    TAbout* m_about = nullptr;
    std::unique_ptr<TAutosaveStore> m_autosave;
    std::unique_ptr<TPlugInHost> m_plugIns;
    std::unique_ptr<TExportModule> m_exportModule;
    std::unique_ptr<TSearchTarget> m_searchTarget;
    std::unique_ptr<TSearchDialogs> m_search;
    TMenuF* m_toolPalette = nullptr;
    // Dialogs made at their first use and kept for the next.
    TExpForm* m_expForm = nullptr;
    TFullViewForm* m_fullView = nullptr;
    TOptionsForm* m_options = nullptr;
    TAlignF* m_alignForm = nullptr;
    TSizeF* m_sizeForm = nullptr;
    TBlockProp* m_blockProp = nullptr;
    TLinkPropForm* m_linkProp = nullptr;
    TTemplateList m_templates;
    std::array<TBlockSize, kBlockKindCount> m_standSize{};

    int m_autosaveInterval = 60;
    QString m_language = QStringLiteral("ru"); // the setting, for the next start
    int m_tool = tcSelect;
    int m_linkDirection = 0;
    bool m_jointDelete = false;
    TShem m_clipboard; // no list view
    TRecentFiles m_recent;
    QString m_lastFolder;
    QString m_picturePath; // of "to graphic file"; empty: m_lastFolder
    QString m_newPrefix = tr("Block-diagram №");
    QString m_openFilter;
    QString m_fontName = QStringLiteral("Courier");
    TColor m_background = RGBColor(192, 192, 192);
};

} // namespace kb
