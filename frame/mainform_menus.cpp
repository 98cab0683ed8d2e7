// The main menu and the documents' context menu: captions, shortcuts, the
// enabling rules, and the commands that act on the active document.
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
constexpr int kExitTag = 99;

// The key of our own first (it is the one the menu shows), then the keys the
// platform binds to the same command, each once.
QList<QKeySequence> WithStandardKeys(QList<QKeySequence> keys, QKeySequence::StandardKey standard)
{
    for (const QKeySequence& k : QKeySequence::keyBindings(standard))
        if (!keys.contains(k)) keys.append(k);
    return keys;
}

// Window > Arrange Icons: the minimised windows in rows along the bottom of
// the area, left to right in the order they were made, the rows stacking
// upwards; windows that are not minimised stay where they are.
void ArrangeIcons(QMdiArea& mdi)
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

QAction* TMainForm::NewAction(const char* name, const QString& caption)
{
    auto* a = new QAction(caption, this);
    a->setObjectName(QLatin1String(name));
    m_actions.insert(a->objectName(), a);
    return a;
}

QAction* TMainForm::AddCommand(QMenu* menu, const char* name, const QString& caption,
                               const QKeySequence& shortcut)
{
    QAction* a = NewAction(name, caption);
    a->setShortcut(shortcut);
    menu->addAction(a);
    return a;
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
    m_fileMenu = menuBar()->addMenu(tr("&File"));
    m_fileMenu->setObjectName(QStringLiteral("FileItem"));
    QMenu* m = m_fileMenu;
    connect(AddCommand(m, "FileNewItem", tr("&New"), QKeySequence(tr("Ctrl+N"))),
            &QAction::triggered, this, &TMainForm::FileNewItemClick);
    connect(AddCommand(m, "FileOpenItem", tr("&Open"), QKeySequence(tr("Ctrl+O"))),
            &QAction::triggered, this, &TMainForm::FileOpenItemClick);
    QAction* close = AddCommand(m, "FileCloseItem", tr("&Close"));
    close->setShortcuts(WithStandardKeys({QKeySequence(tr("Ctrl+F4")), QKeySequence(tr("Ctrl+W"))},
                                         QKeySequence::Close));
    connect(close, &QAction::triggered, this, &TMainForm::FileCloseItemClick);
    QAction* save = AddCommand(m, "FileSaveItem", tr("&Save"));
    save->setShortcuts(WithStandardKeys({QKeySequence(tr("Ctrl+S"))}, QKeySequence::Save));
    connect(save, &QAction::triggered, this, &TMainForm::FileSaveItemClick);
    QAction* saveAs = AddCommand(m, "FileSaveAsItem", tr("Save &as . . ."));
    saveAs->setShortcuts(
        WithStandardKeys({QKeySequence(tr("Ctrl+Shift+S"))}, QKeySequence::SaveAs));
    connect(saveAs, &QAction::triggered, this, &TMainForm::FileSaveAsItemClick);
    m->addSeparator();
    connect(AddCommand(m, "Options", tr("Options")), &QAction::triggered, this,
            &TMainForm::OptionsClick);
    m->addSeparator();
    QAction* print = AddCommand(m, "Print1", tr("Print"));
    print->setShortcuts(WithStandardKeys({QKeySequence(tr("Ctrl+P"))}, QKeySequence::Print));
    connect(print, &QAction::triggered, this, &TMainForm::Print1Click);
    m->addSeparator();

    m_importMenu = m->addMenu(tr("Import"));
    m_importMenu->setObjectName(QStringLiteral("Import1Menu"));
    m_importMenu->menuAction()->setObjectName(QStringLiteral("Import1"));
    m_actions.insert(QStringLiteral("Import1"), m_importMenu->menuAction());

    QMenu* exportMenu = m->addMenu(tr("Export"));
    exportMenu->setObjectName(QStringLiteral("FileExportItemMenu"));
    exportMenu->menuAction()->setObjectName(QStringLiteral("FileExportItem"));
    m_actions.insert(QStringLiteral("FileExportItem"), exportMenu->menuAction());
    connect(AddCommand(exportMenu, "BMP1", tr("to graphic file")), &QAction::triggered, this,
            &TMainForm::BMP1Click);
    connect(AddCommand(exportMenu, "toPascal1", tr("to Pascal")), &QAction::triggered, this,
            &TMainForm::toPascal1Click);
    m->addSeparator();

    m_exitItem = AddCommand(m, "FileExitItem", tr("E&xit"));
    m_exitItem->setData(kExitTag);
    connect(m_exitItem, &QAction::triggered, this, &TMainForm::FileExitItemClick);
    connect(m, &QMenu::aboutToShow, this, &TMainForm::RebuildRecentItems);
}

void TMainForm::CreateEditMenu()
{
    QMenu* m = menuBar()->addMenu(tr("&Edit"));
    m->setObjectName(QStringLiteral("Edit1"));
    connect(AddCommand(m, "Undo1", tr("Undo"), QKeySequence(tr("Ctrl+Z"))), &QAction::triggered,
            this, &TMainForm::Undo1Click);
    QAction* redo = AddCommand(m, "Redo1", tr("Redo"), QKeySequence(tr("Ctrl+Y")));
    redo->setShortcuts({QKeySequence(tr("Ctrl+Y")), QKeySequence(tr("Ctrl+Shift+Z"))});
    connect(redo, &QAction::triggered, this, &TMainForm::Redo1Click);
    m->addSeparator();
    connect(AddCommand(m, "DeleteItem", tr("&Delete"), QKeySequence(tr("Shift+Del"))),
            &QAction::triggered, this, &TMainForm::DeleteItemClick);
    connect(AddCommand(m, "CutItem", tr("Cu&t"), QKeySequence(tr("Ctrl+X"))), &QAction::triggered,
            this, &TMainForm::CutItemClick);
    connect(AddCommand(m, "CopyItem", tr("&Copy"), QKeySequence(tr("Ctrl+C"))), &QAction::triggered,
            this, &TMainForm::CopyItemClick);
    connect(AddCommand(m, "PasteItem", tr("&Paste"), QKeySequence(tr("Ctrl+V"))),
            &QAction::triggered, this, &TMainForm::PasteItemClick);
    connect(AddCommand(m, "SelectAllItem", tr("Se&lect All"), QKeySequence(tr("Ctrl+A"))),
            &QAction::triggered, this, &TMainForm::SelectAllItemClick);
    m->addSeparator();
    connect(AddCommand(m, "Find1", tr("&Find"), QKeySequence(tr("Ctrl+F"))), &QAction::triggered,
            this, &TMainForm::Find1Click);
    connect(AddCommand(m, "Replace1", tr("&Replace"), QKeySequence(tr("Ctrl+R"))),
            &QAction::triggered, this, &TMainForm::Replace1Click);
    m->addSeparator();
    connect(AddCommand(m, "JoinSquare1", tr("Join Square")), &QAction::triggered, this,
            &TMainForm::JoinSquare1Click);
    connect(AddCommand(m, "DuplicateItem", tr("Du&plicate"), QKeySequence(tr("Ctrl+D"))),
            &QAction::triggered, this, &TMainForm::DuplicateItemClick);
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
        connect(a, &QAction::triggered, this, [this, s] { ScaleClick(s); });
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
    QMenu* m = menuBar()->addMenu(tr("&View"));
    m->setObjectName(QStringLiteral("View1"));
    QMenu* scale = m->addMenu(tr("Scale"));
    scale->setObjectName(QStringLiteral("Scale1Menu"));
    scale->menuAction()->setObjectName(QStringLiteral("Scale1"));
    m_actions.insert(QStringLiteral("Scale1"), scale->menuAction());
    FillScaleMenu(scale, QStringLiteral("x%1"), false);

    connect(AddCommand(m, "Fullscreenpreview1", tr("Full-screen preview")), &QAction::triggered,
            this, &TMainForm::Fullscreenpreview1Click);
    QAction* grid = AddCommand(m, "Grid1", tr("Grid"));
    grid->setCheckable(true);
    connect(grid, &QAction::triggered, this, &TMainForm::Grid1Click);
    QAction* listing = AddCommand(m, "Listing", tr("Listing"));
    listing->setCheckable(true);
    connect(listing, &QAction::triggered, this, &TMainForm::ListingClick);
    QAction* status = AddCommand(m, "Statusbar1", tr("Statusbar"));
    status->setCheckable(true);
    status->setChecked(true);
    connect(status, &QAction::triggered, this, &TMainForm::Statusbar1Click);

    QMenu* bars = m->addMenu(tr("Toolbars"));
    bars->setObjectName(QStringLiteral("Toolbars1Menu"));
    bars->menuAction()->setObjectName(QStringLiteral("Toolbars1"));
    m_actions.insert(QStringLiteral("Toolbars1"), bars->menuAction());
    const std::pair<const char*, QString> barItems[] = {{"Standart1", tr("Standard")},
                                                        {"Special1", tr("Special")},
                                                        {"Align1", tr("Alignment Palette")}};
    // The checks are the user's choice, kept apart from what is on screen:
    // the Special bar hides while no document is open, and every bar is
    // hidden once the main window has closed, which is when the settings
    // are written.
    for (const auto& [name, caption] : barItems) {
        QAction* a = AddCommand(bars, name, caption);
        a->setCheckable(true);
        a->setChecked(true);
        connect(a, &QAction::triggered, this, &TMainForm::ShowChosenToolbars);
    }
    connect(m, &QMenu::aboutToShow, this, &TMainForm::UpdateViewChecks);
}

QAction* TMainForm::ToolbarCheck(const QToolBar* bar) const
{
    return Action(QLatin1String(bar == m_standard  ? "Standart1"
                                : bar == m_special ? "Special1"
                                                   : "Align1"));
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
    m_windowMenu = menuBar()->addMenu(tr("&Window"));
    m_windowMenu->setObjectName(QStringLiteral("Window1"));
    QMenu* m = m_windowMenu;
    connect(AddCommand(m, "WindowCascadeItem", tr("&Cascade")), &QAction::triggered, this,
            &TMainForm::WindowCascadeItemClick);
    connect(AddCommand(m, "WindowTileItem", tr("&Tile")), &QAction::triggered, this,
            &TMainForm::WindowTileItemClick);
    connect(AddCommand(m, "WindowArrangeItem", tr("&Arrange Icons")), &QAction::triggered, this,
            &TMainForm::WindowArrangeItemClick);
    connect(AddCommand(m, "WindowMinimizeItem", tr("&Minimize All")), &QAction::triggered, this,
            &TMainForm::WindowMinimizeItemClick);
    m_windowListSeparator = m->addSeparator();
    connect(m, &QMenu::aboutToShow, this, &TMainForm::RebuildWindowList);
}

void TMainForm::CreateHelpMenu()
{
    QMenu* m = menuBar()->addMenu(tr("&Help"));
    m->setObjectName(QStringLiteral("Help1"));
    connect(AddCommand(m, "N3", tr("&Contents")), &QAction::triggered, this, &TMainForm::N3Click);
    connect(AddCommand(m, "HelpAboutItem", tr("&About")), &QAction::triggered, this,
            &TMainForm::HelpAboutItemClick);
}

void TMainForm::CreateDocumentMenu()
{
    m_docMenu = new QMenu(this);
    m_docMenu->setObjectName(QStringLiteral("PopupMenu1"));
    QMenu* m = m_docMenu;
    AddCommand(m, "AligntoGrid1", tr("Align to Grid"));
    AddCommand(m, "MenuItem1", tr("Align"));
    AddCommand(m, "MenuItem2", tr("Size"));
    m->addSeparator();
    connect(AddCommand(m, "Cut1", tr("Cut")), &QAction::triggered, this, &TMainForm::CutItemClick);
    connect(AddCommand(m, "Copy1", tr("Copy")), &QAction::triggered, this,
            &TMainForm::CopyItemClick);
    connect(AddCommand(m, "Paste1", tr("Paste")), &QAction::triggered, this,
            &TMainForm::PasteItemClick);
    connect(AddCommand(m, "Delete1", tr("Delete")), &QAction::triggered, this,
            &TMainForm::DeleteItemClick);
    connect(AddCommand(m, "Duplicate1", tr("Duplicate")), &QAction::triggered, this,
            &TMainForm::DuplicateItemClick);
    m->addSeparator();

    auto subMenu = [this](QMenu* parent, const char* name, const QString& caption) {
        QMenu* sub = parent->addMenu(caption);
        sub->menuAction()->setObjectName(QLatin1String(name));
        m_actions.insert(QLatin1String(name), sub->menuAction());
        return sub;
    };
    auto kinds = [this](QMenu* menu,
                        std::initializer_list<std::tuple<const char*, const char*, int>> items) {
        for (const auto& [name, caption, kind] : items)
            AddCommand(menu, name, tr(caption))->setData(kind);
    };
    QMenu* replace = subMenu(m, "MenuItem4", tr("Replace to"));
    kinds(subMenu(replace, "Block1", tr("Block")),
          {{"MenuItem5", QT_TRANSLATE_NOOP("kb::TMainForm", "Rectangle"), 0},
           {"MenuItem6", QT_TRANSLATE_NOOP("kb::TMainForm", "Ellipse"), 1},
           {"MenuItem7", QT_TRANSLATE_NOOP("kb::TMainForm", "Rhomb"), 2},
           {"MenuItem8", QT_TRANSLATE_NOOP("kb::TMainForm", "Parallelogram"), 3},
           {"Comment1", QT_TRANSLATE_NOOP("kb::TMainForm", "Commentary"), 6},
           {"Document1", QT_TRANSLATE_NOOP("kb::TMainForm", "Document"), 7},
           {"Process1", QT_TRANSLATE_NOOP("kb::TMainForm", "Process"), 8},
           {"Page1", QT_TRANSLATE_NOOP("kb::TMainForm", "Divider"), 9}});
    subMenu(replace, "Templates1", tr("Templates"));
    QMenu* insert = subMenu(m, "Insert1", tr("Insert "));
    kinds(subMenu(insert, "Block2", tr("Block ")),
          {{"Rectangle1", QT_TRANSLATE_NOOP("kb::TMainForm", "Rectangle"), 0},
           {"Ellipse1", QT_TRANSLATE_NOOP("kb::TMainForm", "Ellipse"), 1},
           {"Rhomb1", QT_TRANSLATE_NOOP("kb::TMainForm", "Rhomb"), 2},
           {"Parallelogram1", QT_TRANSLATE_NOOP("kb::TMainForm", "Parallelogram"), 3},
           {"Text1", QT_TRANSLATE_NOOP("kb::TMainForm", "Text"), 5},
           {"Comment2", QT_TRANSLATE_NOOP("kb::TMainForm", "Commentary"), 6},
           {"Document2", QT_TRANSLATE_NOOP("kb::TMainForm", "Document"), 7},
           {"Process2", QT_TRANSLATE_NOOP("kb::TMainForm", "Process"), 8},
           {"Page2", QT_TRANSLATE_NOOP("kb::TMainForm", "Divider"), 9}});
    subMenu(insert, "Templates2", tr("Templates"));
    AddCommand(m, "Properties1", tr("Properties"));
    ConnectDocumentMenu();
}

void TMainForm::ShowDocumentMenu(TChildD& doc, QPoint globalPos)
{
    const int blocks = doc.CountSelectedBlocks();
    auto enable = [this](const char* name, bool on) {
        Action(QLatin1String(name))->setEnabled(on);
    };
    enable("AligntoGrid1", blocks >= 1);
    enable("MenuItem1", blocks >= 2);
    enable("MenuItem2", blocks >= 2);
    for (const char* name : {"Cut1", "Copy1", "Delete1", "Duplicate1", "MenuItem4"})
        enable(name, blocks >= 1);
    enable("Paste1", m_clipboard.Count() > 0);
    enable("Templates1", blocks == 1);
    enable("Insert1", true);
    enable("Properties1", doc.Selection().size() == 1);
    m_docMenu->popup(globalPos);
}

void TMainForm::UpdateCommandStates()
{
    TChildD* doc = ActiveDocument();
    const bool editing = doc && doc->EditorOpen();
    const bool anyEntry = doc && !doc->Selection().empty();
    const bool anyBlock = doc && doc->CountSelectedBlocks() > 0;
    const bool canPaste = doc && m_clipboard.Count() > 0;
    auto enable = [this](const char* name, bool on) {
        if (QAction* a = Action(QLatin1String(name))) a->setEnabled(on);
    };
    enable("Undo1", doc && doc->CanUndo());
    enable("Redo1", doc && doc->CanRedo());
    ShowUndoHints(doc);
    // The open text editor takes Cut, Copy, Paste and Delete for its text.
    for (const char* name : {"DeleteItem", "DeleteButton"})
        enable(name, anyEntry || editing);
    for (const char* name : {"CutItem", "CopyItem", "CutButton", "CopyButton"})
        enable(name, anyBlock || editing);
    enable("DuplicateItem", anyBlock);
    for (const char* name : {"PasteItem", "PasteButton"})
        enable(name, canPaste || editing);
    for (const char* name :
         {"SelectAllItem", "Find1", "Replace1", "JoinSquare1", "Scale1", "Fullscreenpreview1",
          "Grid1", "SaveButton", "FullScreen", "GridButton", "ScaleButton"})
        enable(name, doc != nullptr);
}

void TMainForm::ShowUndoHints(const TChildD* doc)
{
    // The hints name what Undo and Redo would undo; the captions stay.
    auto hint = [this](const char* name, const QString& text) {
        QAction* a = Action(QLatin1String(name));
        a->setStatusTip(text);
        a->setToolTip(text);
    };
    const std::optional<TAction> undo = doc ? doc->Document().UndoAction() : std::nullopt;
    const std::optional<TAction> redo = doc ? doc->Document().RedoAction() : std::nullopt;
    hint("Undo1", undo ? tr("Undo: %1").arg(ActionName(*undo)) : tr("Undo the last change."));
    hint("Redo1", redo ? tr("Redo: %1").arg(ActionName(*redo)) : tr("Redo the undone change."));
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
    for (int number = 1; number <= n; ++number) {
        const QString name = files[number - 1];
        QString shown = name;
        shown.replace(QLatin1Char('&'), QStringLiteral("&&"));
        auto* a = new QAction(QStringLiteral("&%1: %2").arg(number).arg(shown), m_fileMenu);
        a->setData(name);
        connect(a, &QAction::triggered, this, [this, name] { QuickOpenClick(name); });
        m_fileMenu->insertAction(m_exitItem, a);
        m_recentItems.append(a);
    }
    auto* separator = new QAction(m_fileMenu);
    separator->setSeparator(true);
    m_fileMenu->insertAction(m_exitItem, separator);
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

void TMainForm::Undo1Click()
{
    if (TChildD* doc = ActiveDocument()) doc->Undo();
}

void TMainForm::Redo1Click()
{
    if (TChildD* doc = ActiveDocument()) doc->Redo();
}

void TMainForm::DeleteItemClick()
{
    TChildD* doc = ActiveDocument();
    if (!doc) return;
    QApplication::setOverrideCursor(Qt::WaitCursor);
    doc->DeleteSelection();
    QApplication::restoreOverrideCursor();
}

void TMainForm::CutItemClick()
{
    TChildD* doc = ActiveDocument();
    if (!doc) return;
    if (doc->EditorOpen()) {
        doc->EditorCut();
        return;
    }
    doc->CopySelection();
    doc->DeleteSelection();
}

void TMainForm::CopyItemClick()
{
    if (TChildD* doc = ActiveDocument())
        doc->EditorOpen() ? doc->EditorCopy() : doc->CopySelection();
    UpdateCommandStates();
}

void TMainForm::PasteItemClick()
{
    if (TChildD* doc = ActiveDocument()) doc->EditorOpen() ? doc->EditorPaste() : doc->Paste();
}

void TMainForm::SelectAllItemClick()
{
    if (TChildD* doc = ActiveDocument()) doc->SelectAll();
}

void TMainForm::JoinSquare1Click()
{
    if (TChildD* doc = ActiveDocument()) doc->JoinSquare();
}

void TMainForm::DuplicateItemClick()
{
    if (TChildD* doc = ActiveDocument()) doc->DuplicateSelection();
}

// --- View

void TMainForm::ScaleClick(int scale)
{
    if (TChildD* doc = ActiveDocument()) doc->SetScale(scale);
}

void TMainForm::Grid1Click()
{
    // Triggering has flipped the check already; with a document the flag it
    // flips is the document's own.
    TChildD* doc = ActiveDocument();
    const bool on = doc ? !doc->Grid() : Action(QStringLiteral("Grid1"))->isChecked();
    SetGridCheck(on);
    if (doc) doc->SetGrid(on);
}

void TMainForm::SetGridCheck(bool on)
{
    Action(QStringLiteral("Grid1"))->setChecked(on);
    Action(QStringLiteral("GridButton"))->setChecked(on);
}

void TMainForm::ListingClick()
{
    SetListVisible(!m_list->IsVisible());
}

void TMainForm::SetListVisible(bool on)
{
    Action(QStringLiteral("Listing"))->setChecked(on);
    Action(QStringLiteral("ListButton"))->setChecked(on);
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

void TMainForm::Statusbar1Click()
{
    statusBar()->setVisible(Action(QStringLiteral("Statusbar1"))->isChecked());
}

void TMainForm::FontComboChange(const QString& fontName)
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

// --- Window and Help

void TMainForm::WindowCascadeItemClick()
{
    m_mdi->cascadeSubWindows();
}

void TMainForm::WindowTileItemClick()
{
    m_mdi->tileSubWindows();
}

void TMainForm::WindowArrangeItemClick()
{
    ArrangeIcons(*m_mdi);
}

void TMainForm::WindowMinimizeItemClick()
{
    const QList<QMdiSubWindow*> subs = m_mdi->subWindowList(QMdiArea::CreationOrder);
    for (auto it = subs.rbegin(); it != subs.rend(); ++it)
        (*it)->showMinimized();
}

void TMainForm::HelpAboutItemClick()
{
    AboutBox().exec();
}

// --- Toolbars

void TMainForm::TextAlignClick(int code)
{
    TChildD* doc = ActiveDocument();
    if (!doc) return;
    if (doc->EditorOpen())
        doc->SetEditorAlign(code);
    else
        doc->SetTextAlign(code);
}

} // namespace kb
