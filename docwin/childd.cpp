#include "docwin/childd.h"

#include "docwin/messagebox.h"

#include <QCloseEvent>
#include <QMouseEvent>
#include <QPlainTextEdit>
#include <QScrollBar>

#include <unordered_set>

namespace kb {

TChildD::TChildD(TChildHost& host, QWidget* parent)
    : QWidget(parent), m_host(host), m_doc(new TDiagramDocument(this))
{
    connect(m_doc, &TDiagramDocument::Changed, this, &TChildD::DocumentChanged);
    setAttribute(Qt::WA_OpaquePaintEvent);
    setMouseTracking(true);
    setFocusPolicy(Qt::StrongFocus);
    m_font.Name = host.FontName().toStdString();

    m_hbar = new QScrollBar(Qt::Horizontal, this);
    m_vbar = new QScrollBar(Qt::Vertical, this);
    for (QScrollBar* bar : {m_hbar, m_vbar}) {
        bar->setFocusPolicy(Qt::NoFocus);
        bar->setRange(0, kMaxCoord);
        bar->setSingleStep(1);
        bar->setPageStep(10);
    }
    m_hbar->setObjectName(QStringLiteral("HorzScrollBar"));
    m_vbar->setObjectName(QStringLiteral("VertScrollBar"));
    connect(m_hbar, &QScrollBar::valueChanged, this, [this](int v) {
        m_origin.x = v;
        Repaint();
    });
    connect(m_vbar, &QScrollBar::valueChanged, this, [this](int v) {
        m_origin.y = v;
        Repaint();
    });
    CreateEditor();
    SetWindowColor(host.Background());
    FormResize();
}

TChildD::~TChildD()
{
    // The document goes after the window's own parts; nothing may follow
    // it into a half-destroyed window.
    m_doc->disconnect(this);
    m_canvas.reset();
}

bool TChildD::LoadFromBytes(std::span<const uint8_t> data, TLoadReport* report, bool saved)
{
    AbandonDrag();
    if (!m_doc->Load(data, report, saved)) return false;
    m_dragState = TDragState::None;
    return true;
}

void TChildD::DocumentChanged(const TChange& change)
{
    // Pointers to entries the document no longer holds must not be used
    // again: the pending text edit and the drag lose them.
    if (change.All) {
        m_textTarget = nullptr;
        m_editor->hide();
        m_linkStart = m_resized = m_movedLink = nullptr;
    } else if (!change.Removed.empty()) {
        const std::unordered_set<const TShemObj*> gone(change.Removed.begin(),
                                                       change.Removed.end());
        if (gone.count(m_textTarget)) {
            m_textTarget = nullptr; // its pending edit has nowhere to go
            m_editor->hide();
        }
        for (TShemObj** ref : {&m_linkStart, &m_resized, &m_movedLink})
            if (gone.count(*ref)) *ref = nullptr;
    }
    setWindowModified(m_doc->Modified());
    // A window loaded before it is shown paints when it is shown; a large
    // diagram costs a full drawing each time.
    if ((change.Diagram() || change.Selection) && isVisible()) Repaint();
}

void TChildD::SetSelection(std::vector<TShemObj*> selection)
{
    m_doc->SetSelection(std::move(selection));
}

bool TChildD::Edit(TAction action, const std::function<bool(TEdit&)>& change)
{
    const TEditResult result = m_doc->Edit(action, change);
    if (result == TEditResult::TooManyEntries)
        MessageBox(this, QMessageBox::Warning,
                   tr("A block diagram cannot hold more than %1 objects; the change is not made.")
                       .arg(kMaxEntries));
    return result == TEditResult::Done;
}

void TChildD::Undo()
{
    if (!CanUndo()) return;
    AbandonDrag();
    // A text still being typed belongs to the step before it: undone with
    // it, and back with its redo.
    CommitText(true);
    m_doc->Undo();
}

void TChildD::Redo()
{
    if (!CanRedo()) return;
    AbandonDrag();
    if (EditorOpen()) CommitEditor();
    m_doc->Redo();
}

void TChildD::SetGrid(bool grid)
{
    if (m_grid == grid) return;
    m_grid = grid;
    Repaint();
}

int TChildD::CountSelectedBlocks() const
{
    return int(std::count_if(Selection().begin(), Selection().end(),
                             [](const TShemObj* e) { return e->IsBlock(); }));
}

TRect TChildD::SelectionBounds() const
{
    TRect r{kMaxCoord, kMaxCoord, 0, 0};
    for (const TShemObj* e : Selection()) {
        if (e->IsBlock()) Unite(r, e->block().Rect());
    }
    return r;
}

bool TChildD::FormCloseQuery()
{
    if (!Modified()) return true;
    const auto answer =
        MessageBox(this, QMessageBox::Warning, tr("Save the changes to %1?").arg(windowTitle()),
                   QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
    if (answer == QMessageBox::No) return true;
    if (answer == QMessageBox::Yes) {
        m_host.SaveDocument(*this);
        return !Modified();
    }
    return false;
}

void TChildD::closeEvent(QCloseEvent* event)
{
    if (EditorOpen()) CommitEditor();
    if (FormCloseQuery()) {
        event->accept();
        return;
    }
    event->ignore();
    Repaint();
}

void TChildD::resizeEvent(QResizeEvent*)
{
    FormResize();
    Repaint();
}

void TChildD::showEvent(QShowEvent*)
{
    // The resize that comes with showing has repainted already. The font is
    // the document's own from its creation on: the font box sets it.
    FormResize();
}

void TChildD::mousePressEvent(QMouseEvent* event)
{
    const QPoint p = event->position().toPoint();
    FormMouseDown(event->button(), event->modifiers(), {p.x(), p.y()});
}

void TChildD::mouseMoveEvent(QMouseEvent* event)
{
    const QPoint p = event->position().toPoint();
    FormMouseMove(event->modifiers(), {p.x(), p.y()}, event->globalPosition().toPoint());
}

void TChildD::mouseReleaseEvent(QMouseEvent* event)
{
    const QPoint p = event->position().toPoint();
    FormMouseUp(event->button(), event->modifiers(), {p.x(), p.y()});
}

void TChildD::mouseDoubleClickEvent(QMouseEvent* event)
{
    // The double click acts first; the press delivered with it then reaches
    // the tools like any other (so a double click on a block switches to the
    // text tool, whose press opens the editor).
    if (event->button() == Qt::LeftButton) FormDblClick();
    mousePressEvent(event);
}

void TChildD::keyPressEvent(QKeyEvent* event)
{
    if (!FormKeyDown(event)) QWidget::keyPressEvent(event);
}

void TChildD::leaveEvent(QEvent*)
{
    unsetCursor();
}

void TChildD::contextMenuEvent(QContextMenuEvent* event)
{
    if (EditorOpen()) CommitEditor();
    m_host.ShowDocumentMenu(*this, event->globalPos());
}

bool TChildD::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == m_editor) {
        if (event->type() == QEvent::KeyPress && FormKeyDown(static_cast<QKeyEvent*>(event)))
            return true;
        if (event->type() == QEvent::FocusOut && m_editor->isVisible()) CommitEditor();
    }
    return QWidget::eventFilter(watched, event);
}

} // namespace kb
