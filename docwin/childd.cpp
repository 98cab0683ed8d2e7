#include "docwin/childd.h"

#include "docwin/messagebox.h"
#include "model/listsink.h"

#include <QCloseEvent>
#include <QMouseEvent>
#include <QPlainTextEdit>
#include <QScrollBar>

namespace kb {

// All documents share the frame's one object list, but only the active
// document may fill it: otherwise loading or closing a document in the
// background would replace the rows the user is looking at.
class TChildD::TListGate : public TListSink
{
public:
    explicit TListGate(TChildD& doc) : m_doc(doc) {}

    bool IsVisible() const override { return Target() && Target()->IsVisible(); }
    void BeginUpdate() override
    {
        if (auto* t = Target()) t->BeginUpdate();
    }
    void EndUpdate() override
    {
        if (auto* t = Target()) t->EndUpdate();
    }
    void ClearRows() override
    {
        if (auto* t = Target()) t->ClearRows();
    }
    void AppendRow(const TListRow& row) override
    {
        if (auto* t = Target()) t->AppendRow(row);
    }

private:
    TListSink* Target() const
    {
        return m_doc.m_host.IsActiveDocument(m_doc) ? m_doc.m_host.ListSink() : nullptr;
    }
    TChildD& m_doc;
};

TChildD::TChildD(TChildHost& host, QWidget* parent)
    : QWidget(parent), m_host(host), m_listGate(std::make_unique<TListGate>(*this)),
      m_shem(std::make_unique<TShem>(m_listGate.get()))
{
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
    m_selection.clear();
    // The diagram's destruction must not empty the list another document shows.
    m_shem->SetView(nullptr);
    m_canvas.reset();
}

bool TChildD::LoadFromBytes(std::span<const uint8_t> data, TLoadReport* report)
{
    // Row-by-row mirroring of a large file is slow; the list is rebuilt once.
    m_shem->SetView(nullptr);
    const bool ok = m_shem->LoadFromStream(data, report);
    m_shem->SetView(m_listGate.get());
    if (!ok) return false;
    m_selection.clear();
    m_textTarget = nullptr;
    m_linkStart = m_resized = m_movedLink = nullptr;
    m_dragState = TDragState::None;
    m_shem->RefreshList();
    m_modified = false;
    // A window loaded before it is shown paints when it is shown; a large
    // diagram costs a full drawing each time.
    if (isVisible()) Repaint();
    return true;
}

void TChildD::SetModified(bool modified)
{
    m_modified = modified;
    emit Changed(modified);
}

void TChildD::SetGrid(bool grid)
{
    if (m_grid == grid) return;
    m_grid = grid;
    Repaint();
}

bool TChildD::IsSelected(const TShemObj* entry) const
{
    return std::find(m_selection.begin(), m_selection.end(), entry) != m_selection.end();
}

int TChildD::CountSelectedBlocks() const
{
    return int(std::count_if(m_selection.begin(), m_selection.end(),
                             [](const TShemObj* e) { return e->IsBlock(); }));
}

TRect TChildD::SelectionBounds() const
{
    TRect r{kMaxCoord, kMaxCoord, 0, 0};
    for (const TShemObj* e : m_selection) {
        if (e->IsBlock()) Unite(r, e->block().Rect());
    }
    return r;
}

bool TChildD::FormCloseQuery()
{
    if (!m_modified) return true;
    const auto answer =
        MessageBox(this, QMessageBox::Warning,
                   QStringLiteral("Сохранить изменения в ") + windowTitle() + QStringLiteral("?"),
                   QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
    if (answer == QMessageBox::No) return true;
    if (answer == QMessageBox::Yes) {
        m_host.SaveDocument(*this);
        return !m_modified;
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
