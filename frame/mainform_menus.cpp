// The actions of the command table, the main menu and the documents' context
// menu built from them, the one path that enables them, and the commands
// that act on the active document.
#include "frame/mainform.h"

#include "docwin/childd.h"
#include "frame/about.h"
#include "frame/objectlist.h"

#include <QAction>
#include <QActionGroup>
#include <QApplication>
#include <QComboBox>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMenuBar>
#include <QSplitter>
#include <QStatusBar>
#include <QStyle>
#include <QToolBar>

namespace kb {

namespace {

constexpr int kScales[] = {1, 2, 4, 8};

// The key of our own first (it is the one the menu shows), then the keys the
// platform binds to the same command, each once.
QList<QKeySequence> WithStandardKeys(QList<QKeySequence> keys, QKeySequence::StandardKey standard)
{
    for (const QKeySequence& k : QKeySequence::keyBindings(standard))
        if (!keys.contains(k)) keys.append(k);
    return keys;
}

} // namespace

void TMainForm::NewCommandAction(const TCommand& command)
{
    auto* a = new QAction(this);
    DressCommand(*a, command);
    if (command.Run)
        connect(a, &QAction::triggered, this,
                [this, run = command.Run, data = command.Data] { run(*this, data); });
}

void TMainForm::DressCommand(QAction& a, const TCommand& command)
{
    a.setObjectName(QLatin1String(command.Name));
    a.setText(tr(command.Caption));
    QList<QKeySequence> keys;
    if (command.Keys)
        for (const QString& key : QString::fromLatin1(command.Keys).split(QLatin1Char(';')))
            keys.append(QKeySequence(key, QKeySequence::PortableText));
    if (command.StandardKeys != QKeySequence::UnknownKey)
        keys = WithStandardKeys(keys, command.StandardKeys);
    a.setShortcuts(keys);
    if (command.Hint.Source) a.setToolTip(tr(command.Hint.Source, command.Hint.Comment));
    if (command.StatusTip)
        a.setStatusTip(tr(command.StatusTip));
    else if (command.Hint.Source)
        a.setStatusTip(a.toolTip());
    a.setIcon(CommandIcon(command));
    if (command.Flags & cfNoMenuIcon) a.setIconVisibleInMenu(false);
    a.setCheckable(command.Flags & cfCheckable);
    a.setChecked(command.Flags & cfChecked);
    a.setData(command.Data);
    m_commands[size_t(command.Id)] = &a;
}

void TMainForm::CreateCommands()
{
    for (const TCommand& command : Commands())
        if (!(command.Flags & cfSubmenu)) NewCommandAction(command);
}

void TMainForm::AddCommands(QMenu* menu, std::initializer_list<TCommandId> ids)
{
    for (TCommandId id : ids)
        menu->addAction(Command(id));
}

QMenu* TMainForm::AddSubmenu(QMenu* parent, TCommandId id)
{
    const TCommand& command = CommandOf(id);
    QMenu* sub = parent->addMenu(QString());
    sub->setObjectName(QLatin1String(command.Name) + QLatin1String("Menu"));
    DressCommand(*sub->menuAction(), command);
    return sub;
}

void TMainForm::CreateMenus()
{
    CreateFileMenu();
    CreateEditMenu();
    CreateViewMenu();
    CreateWindowMenu();
    CreateHelpMenu();
    CreateDocumentMenu();
}

void TMainForm::CreateFileMenu()
{
    using enum TCommandId;
    m_fileMenu = menuBar()->addMenu(tr("&File"));
    m_fileMenu->setObjectName(QStringLiteral("FileItem"));
    QMenu* m = m_fileMenu;
    AddCommands(m, {FileNew, FileOpen, FileClose, FileSave, FileSaveAs});
    m->addSeparator();
    AddCommands(m, {Options});
    m->addSeparator();
    AddCommands(m, {Print});
    m->addSeparator();
    m_importMenu = AddSubmenu(m, Import);
    AddCommands(AddSubmenu(m, Export), {ExportPicture, ExportPascal});
    m->addSeparator();
    AddCommands(m, {Exit});
    connect(m, &QMenu::aboutToShow, this, &TMainForm::RebuildRecentItems);
}

void TMainForm::CreateEditMenu()
{
    using enum TCommandId;
    QMenu* m = menuBar()->addMenu(tr("&Edit"));
    m->setObjectName(QStringLiteral("Edit1"));
    AddCommands(m, {Undo, Redo});
    m->addSeparator();
    AddCommands(m, {Delete, Cut, Copy, Paste, SelectAll});
    m->addSeparator();
    AddCommands(m, {Find, Replace});
    m->addSeparator();
    AddCommands(m, {JoinSquare, Duplicate});
    connect(m, &QMenu::aboutToShow, this, &TMainForm::UpdateCommandStates);
}

void TMainForm::FillScaleMenu(QMenu* menu, const QString& captionFormat, bool hideWithoutDocument)
{
    auto* group = new QActionGroup(menu);
    for (int s : kScales) {
        QAction* a = menu->addAction(captionFormat.arg(s));
        a->setData(s);
        a->setCheckable(true);
        group->addAction(a);
        connect(a, &QAction::triggered, this, [this, s] {
            if (TChildD* doc = ActiveDocument()) doc->SetScale(s);
        });
    }
    connect(menu, &QMenu::aboutToShow, this, [this, menu, hideWithoutDocument] {
        TChildD* doc = ActiveDocument();
        if (doc && doc->EditorOpen()) doc->CommitEditor();
        for (QAction* a : menu->actions()) {
            if (hideWithoutDocument) a->setVisible(doc != nullptr);
            a->setEnabled(doc != nullptr);
            a->setChecked(doc && a->data().toInt() == doc->Scale());
        }
    });
}

void TMainForm::CreateViewMenu()
{
    using enum TCommandId;
    QMenu* m = menuBar()->addMenu(tr("&View"));
    m->setObjectName(QStringLiteral("View1"));
    FillScaleMenu(AddSubmenu(m, Scale), QStringLiteral("x%1"), false);
    AddCommands(m, {FullScreen, Grid, Listing, StatusBar});
    // The checks are the user's choice, kept apart from what is on screen:
    // the Special bar hides while no document is open, and every bar is
    // hidden once the main window has closed, which is when the settings
    // are written.
    AddCommands(AddSubmenu(m, Toolbars), {ShowStandardBar, ShowSpecialBar, ShowAlignBar});
    connect(m, &QMenu::aboutToShow, this, &TMainForm::UpdateViewChecks);
}

QAction* TMainForm::ToolbarCheck(const QToolBar* bar) const
{
    using enum TCommandId;
    return Command(bar == m_standard  ? ShowStandardBar
                   : bar == m_special ? ShowSpecialBar
                                      : ShowAlignBar);
}

void TMainForm::KeepToolbarChecks()
{
    for (QToolBar* bar : {m_standard, m_special, m_alignBar}) {
        QAction* check = ToolbarCheck(bar);
        check->setChecked(!bar->isHidden());
        // The window's own toolbar menu (a right click on the bars) is the
        // user's choice too.
        connect(bar->toggleViewAction(), &QAction::triggered, check, &QAction::setChecked);
    }
}

void TMainForm::ShowChosenToolbars()
{
    m_standard->setVisible(ToolbarCheck(m_standard)->isChecked());
    m_alignBar->setVisible(ToolbarCheck(m_alignBar)->isChecked());
    // The tools draw into a document: without one the bar waits hidden.
    m_special->setVisible(ToolbarCheck(m_special)->isChecked() &&
                          !m_mdi->subWindowList().isEmpty());
}

void TMainForm::CreateWindowMenu()
{
    using enum TCommandId;
    m_windowMenu = menuBar()->addMenu(tr("&Window"));
    m_windowMenu->setObjectName(QStringLiteral("Window1"));
    AddCommands(m_windowMenu, {Cascade, Tile, ArrangeIcons, MinimizeAll});
    m_windowListSeparator = m_windowMenu->addSeparator();
    connect(m_windowMenu, &QMenu::aboutToShow, this, &TMainForm::RebuildWindowList);
}

void TMainForm::CreateHelpMenu()
{
    QMenu* m = menuBar()->addMenu(tr("&Help"));
    m->setObjectName(QStringLiteral("Help1"));
    AddCommands(m, {TCommandId::HelpContents, TCommandId::About});
}

void TMainForm::CreateDocumentMenu()
{
    using enum TCommandId;
    m_docMenu = new QMenu(this);
    m_docMenu->setObjectName(QStringLiteral("PopupMenu1"));
    QMenu* m = m_docMenu;
    AddCommands(m, {AlignToGrid, AlignDialog, SizeDialog});
    m->addSeparator();
    AddCommands(m, {ContextCut, ContextCopy, ContextPaste, ContextDelete, ContextDuplicate});
    m->addSeparator();
    QMenu* replace = AddSubmenu(m, ReplaceTo);
    AddCommands(AddSubmenu(replace, ReplaceBlock),
                {ReplaceWithRectangle, ReplaceWithEllipse, ReplaceWithRhomb,
                 ReplaceWithParallelogram, ReplaceWithComment, ReplaceWithDocument,
                 ReplaceWithProcess, ReplaceWithDivider});
    AddSubmenu(replace, ReplaceTemplates);
    QMenu* insert = AddSubmenu(m, Insert);
    AddCommands(AddSubmenu(insert, InsertBlock),
                {InsertRectangle, InsertEllipse, InsertRhomb, InsertParallelogram, InsertText,
                 InsertComment, InsertDocument, InsertProcess, InsertDivider});
    AddSubmenu(insert, InsertTemplates);
    AddCommands(m, {Properties});
}

void TMainForm::ShowDocumentMenu(TChildD& doc, QPoint globalPos)
{
    ApplyCommandStates(StateOf(&doc));
    m_docMenu->popup(globalPos);
}

TDocumentState TMainForm::StateOf(const TChildD* doc) const
{
    TDocumentState state;
    state.AnyDocument = !m_mdi->subWindowList().isEmpty();
    state.ClipboardFilled = m_clipboard.Count() > 0;
    if (!doc) return state;
    state.Active = true;
    state.Editing = doc->EditorOpen();
    state.SelectedEntries = int(doc->Selection().size());
    state.SelectedBlocks = doc->CountSelectedBlocks();
    state.CanUndo = doc->CanUndo();
    state.CanRedo = doc->CanRedo();
    return state;
}

void TMainForm::ApplyCommandStates(const TDocumentState& state)
{
    for (const TCommand& command : Commands())
        Command(command.Id)->setEnabled(command.Enabled(state));
}

void TMainForm::UpdateCommandStates()
{
    TChildD* doc = ActiveDocument();
    ApplyCommandStates(StateOf(doc));
    ShowUndoHints(doc);
}

void TMainForm::ShowUndoHints(const TChildD* doc)
{
    // The hints name what Undo and Redo would undo; the captions stay.
    auto hint = [this](TCommandId id, const QString& text) {
        QAction* a = Command(id);
        a->setStatusTip(text);
        a->setToolTip(text);
    };
    const std::optional<TAction> undo = doc ? doc->Document().UndoAction() : std::nullopt;
    const std::optional<TAction> redo = doc ? doc->Document().RedoAction() : std::nullopt;
    hint(TCommandId::Undo,
         undo ? tr("Undo: %1").arg(ActionName(*undo)) : tr("Undo the last change."));
    hint(TCommandId::Redo,
         redo ? tr("Redo: %1").arg(ActionName(*redo)) : tr("Redo the undone change."));
}

void TMainForm::UpdateViewChecks()
{
    if (TChildD* doc = ActiveDocument()) SetGridCheck(doc->Grid());
}

void TMainForm::RebuildRecentItems()
{
    for (QAction* a : m_recentItems) {
        m_fileMenu->removeAction(a);
        delete a;
    }
    m_recentItems.clear();
    const QStringList& files = m_recent.Files();
    const int n = std::min<int>(int(files.size()), TRecentFiles::kMaxShown);
    if (n == 0) return;
    QAction* exit = Command(TCommandId::Exit);
    for (int number = 1; number <= n; ++number) {
        const QString name = files[number - 1];
        QString shown = name;
        shown.replace(QLatin1Char('&'), QStringLiteral("&&"));
        auto* a = new QAction(QStringLiteral("&%1: %2").arg(number).arg(shown), m_fileMenu);
        a->setData(name);
        connect(a, &QAction::triggered, this, [this, name] { OpenDocument(name); });
        m_fileMenu->insertAction(exit, a);
        m_recentItems.append(a);
    }
    auto* separator = new QAction(m_fileMenu);
    separator->setSeparator(true);
    m_fileMenu->insertAction(exit, separator);
    m_recentItems.append(separator);
}

void TMainForm::RebuildWindowList()
{
    for (QAction* a : m_windowItems) {
        m_windowMenu->removeAction(a);
        delete a;
    }
    m_windowItems.clear();
    int number = 0;
    for (QMdiSubWindow* sub : m_mdi->subWindowList(QMdiArea::CreationOrder)) {
        QString title = sub->windowTitle();
        title.replace(QLatin1Char('&'), QStringLiteral("&&"));
        auto* a = new QAction(QStringLiteral("&%1 %2").arg(++number).arg(title), m_windowMenu);
        a->setCheckable(true);
        a->setChecked(sub == m_mdi->currentSubWindow());
        connect(a, &QAction::triggered, this, [this, sub] { m_mdi->setActiveSubWindow(sub); });
        m_windowMenu->addAction(a);
        m_windowItems.append(a);
    }
    m_windowListSeparator->setVisible(number > 0);
}

// --- Edit

void TMainForm::CopySelection()
{
    if (TChildD* doc = ActiveDocument())
        doc->EditorOpen() ? doc->EditorCopy() : doc->CopySelection();
    // The diagram has not changed, but the clipboard may have: Paste follows.
    UpdateCommandStates();
}

// --- View

void TMainForm::ToggleGrid()
{
    // Triggering has flipped the check already; with a document the flag it
    // flips is the document's own.
    TChildD* doc = ActiveDocument();
    const bool on = doc ? !doc->Grid() : Command(TCommandId::Grid)->isChecked();
    SetGridCheck(on);
    if (doc) doc->SetGrid(on);
}

void TMainForm::SetGridCheck(bool on)
{
    Command(TCommandId::Grid)->setChecked(on);
}

void TMainForm::SetListVisible(bool on)
{
    Command(TCommandId::Listing)->setChecked(on);
    m_list->setVisible(on);
    if (!on) return;
    if (m_splitter->sizes().value(0) < 50) {
        // Every column whole, and room for the vertical scroll bar.
        const int listWidth =
            m_list->FittingWidth() + m_list->style()->pixelMetric(QStyle::PM_ScrollBarExtent);
        m_splitter->setSizes({listWidth, std::max(width() - listWidth, 100)});
    }
    if (TChildD* doc = ActiveDocument()) m_list->ShowDiagram(&doc->Shem());
}

void TMainForm::SetDocumentFont(const QString& fontName)
{
    m_fontName = fontName;
    if (TChildD* doc = ActiveDocument()) doc->SetFontName(fontName);
}

void TMainForm::ShowDocumentFont()
{
    const TChildD* doc = ActiveDocument();
    if (!doc) return;
    const QString name = QString::fromStdString(doc->CanvasFont().Name);
    int index = m_fontCombo->findText(name);
    if (index < 0) {
        // A name the system does not know still names the document's font.
        m_fontCombo->insertItem(0, name);
        index = 0;
    }
    m_fontCombo->setCurrentIndex(index);
}

QFont TMainForm::DocumentFont(const TChildD& doc)
{
    return QFont(QString::fromStdString(doc.CanvasFont().Name));
}

// --- Window

// --- Toolbars

} // namespace kb
