#include "frame/mainform.h"

#include "docwin/childd.h"
#include "docwin/drawing/icons.h"
#include "frame/about.h"
#include "frame/filedialogs.h"
#include "frame/language/mainhints.h"
#include "frame/objectlist.h"
#include "frame/services/exportmodule.h"
#include "frame/services/pluginhost.h"
#include "frame/services/searchdialogs.h"
#include "frame/services/searchtarget.h"

#include <QAction>
#include <QActionGroup>
#include <QApplication>
#include <QCloseEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QSplitter>
#include <QStatusBar>
#include <QToolBar>

namespace kb {

namespace {

TMainForm* g_instance = nullptr;

} // namespace

TMainForm* TMainForm::Instance()
{
    return g_instance;
}

TMainForm::TMainForm(QWidget* parent) : QMainWindow(parent), m_openFilter(DiagramFilter())
{
    setObjectName(QStringLiteral("MainForm"));
    setWindowTitle(tr("Block-diagram editor"));
    setWindowIcon(KindIcon(bkRhomb));
    setAcceptDrops(true); // diagram files from a file manager

    m_mdi = new QMdiArea(this);
    m_mdi->setObjectName(QStringLiteral("MdiArea"));
    m_mdi->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    m_mdi->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    m_list = new TObjectList(this);
    m_list->installEventFilter(this);
    connect(m_list, &QTreeView::doubleClicked, this, &TMainForm::ListDoubleClick);

    m_splitter = new QSplitter(Qt::Horizontal, this);
    m_splitter->setObjectName(QStringLiteral("Splitter1"));
    m_splitter->addWidget(m_list);
    m_splitter->addWidget(m_mdi);
    m_splitter->setStretchFactor(1, 1);
    m_splitter->setCollapsible(1, false);
    setCentralWidget(m_splitter);
    m_list->hide();

    CreateStatusBar();
    CreateCommands();
    CreateMenus();
    CreateToolbars();
    SetMainWindowHints(*this);
    KeepToolbarChecks();
    connect(m_mdi, &QMdiArea::subWindowActivated, this, &TMainForm::UpdateMenuItems);
    // Where the settings hold no placement, a size that shows a diagram.
    resize(1024, 720);
    UpdateMenuItems();
    g_instance = this;
}

TMainForm::~TMainForm()
{
    if (g_instance == this) g_instance = nullptr;
    // The documents go first: they mirror into the list and read the clipboard.
    disconnect(m_mdi, nullptr, this, nullptr);
    for (QMdiSubWindow* sub : m_mdi->subWindowList())
        delete sub;
    m_search.reset();
    // Plug-in code must not run after this; it is the last thing to go.
    if (m_plugIns) m_plugIns->Unload();
}

TAbout& TMainForm::AboutBox()
{
    if (!m_about) m_about = new TAbout(this);
    return *m_about;
}

void TMainForm::SetCurrentTool(int tool)
{
    if (tool < tcSelect || tool > tcPan) return;
    m_tool = tool;
    for (QAction* a : m_tools->actions())
        if (a->data().toInt() == tool) a->setChecked(true);
}

void TMainForm::SetBackground(TColor color)
{
    m_background = color;
    for (TChildD* doc : Documents())
        doc->SetWindowColor(color);
}

void TMainForm::ShowStatus(int panel, const QString& text)
{
    // A document's texts replace the hint shown across the whole bar.
    statusBar()->clearMessage();
    StatusPanel(panel)->setText(text);
}

void TMainForm::FollowDocument(TChildD& doc, const TChange& change)
{
    if (&doc != ActiveDocument()) return;
    m_list->Follow(doc.Shem(), change);
    UpdateCommandStates();
}

void TMainForm::CreateStatusBar()
{
    // The widest texts each panel shows: a diagram point, and a drag's
    // size in pixels, which at scale 8 runs to six digits either way.
    const QString widest[2] = {QStringLiteral("(65535, 65535)"),
                               QStringLiteral("(-524280, -524280)")};
    for (int i = 0; i < 2; ++i) {
        m_panels[i] = new QLabel(this);
        m_panels[i]->setObjectName(QStringLiteral("StatusPanel%1").arg(i));
        const int margins = m_panels[i]->contentsMargins().left() +
                            m_panels[i]->contentsMargins().right() + 2 * m_panels[i]->margin() + 8;
        const int width = m_panels[i]->fontMetrics().horizontalAdvance(widest[i]) + margins;
        if (i == 0)
            m_panels[i]->setFixedWidth(width);
        else
            m_panels[i]->setMinimumWidth(width); // longer notes widen it
        statusBar()->addWidget(m_panels[i]);
    }
    statusBar()->setObjectName(QStringLiteral("StatusBar1"));
}

void TMainForm::UpdateMenuItems()
{
    ShowChosenToolbars();

    if (TChildD* doc = ActiveDocument()) {
        ShowDocumentFont();
        m_list->ShowDiagram(&doc->Shem());
        doc->SetGrid(Command(TCommandId::Grid)->isChecked());
    } else {
        // The rows may name entries of a diagram that is gone.
        m_list->ShowDiagram(nullptr);
        if (m_search) m_search->CloseAll();
    }
    UpdateCommandStates();
}

void TMainForm::ListDoubleClick(const QModelIndex& index)
{
    TChildD* doc = ActiveDocument();
    const TShemObj* entry = m_list->EntryAt(index);
    if (!doc || !entry) return;
    // The row may be stale: use it only if the entry is still in the diagram.
    const TShem& shem = doc->Shem();
    for (int i = 0; i < shem.Count(); ++i)
        if (shem.Get(i) == entry && entry->IsBlock()) {
            doc->CenterOnBlock(entry->block());
            return;
        }
}

bool TMainForm::eventFilter(QObject* watched, QEvent* event)
{
    // Keys in the object list work as in the active document.
    if (watched == m_list && event->type() == QEvent::KeyPress)
        if (TChildD* doc = ActiveDocument())
            if (doc->PassKey(static_cast<QKeyEvent*>(event))) return true;
    return QMainWindow::eventFilter(watched, event);
}

void TMainForm::closeEvent(QCloseEvent* event)
{
    if (CloseAllDocuments())
        event->accept();
    else
        event->ignore();
}

} // namespace kb
