#include "docwin/fullview/fullview.h"

#include "docwin/childd.h"
#include "docwin/cursors.h"
#include "docwin/drawing/rastercanvas.h"

#include <QContextMenuEvent>
#include <QMenu>
#include <QMouseEvent>
#include <QPainter>
#include <QScrollBar>

#include <algorithm>

namespace kb {

TFullViewForm::TFullViewForm(QWidget* parent) : QDialog(parent, Qt::FramelessWindowHint)
{
    setObjectName(QStringLiteral("FullViewForm"));
    setAttribute(Qt::WA_OpaquePaintEvent);
    CreateMenu();
}

void TFullViewForm::CreateMenu()
{
    m_menu = new QMenu(this);
    m_menu->setObjectName(QStringLiteral("PopupMenu1"));
    for (size_t i = 0; i < kZooms.size(); ++i) {
        const int s = kZooms[i];
        QAction* item = m_menu->addAction(QStringLiteral("x %1").arg(s));
        item->setObjectName(QStringLiteral("Zoom%1").arg(s));
        item->setCheckable(true);
        item->setData(s);
        connect(item, &QAction::triggered, this, [this, s] { ZoomClick(s); });
        m_zoomItems[i] = item;
    }
    m_menu->addSeparator();
    QAction* exit = m_menu->addAction(tr("Exit"));
    exit->setObjectName(QStringLiteral("Exit1"));
    connect(exit, &QAction::triggered, this, &QDialog::reject);
}

void TFullViewForm::SetDocument(TChildD* doc)
{
    if (m_followed) disconnect(m_followed);
    m_doc = doc;
    // Whatever changes the diagram (an undo key while shown) shows here too.
    if (doc)
        m_followed = connect(&doc->Document(), &TDiagramDocument::Changed, this,
                             [this](const TChange& change) {
                                 if (change.Diagram()) FollowDocument();
                             });
    FollowDocument();
}

int TFullViewForm::Execute()
{
    setWindowState(windowState() | Qt::WindowMaximized);
    return exec();
}

TRect TFullViewForm::RegionOf(TPoint origin, int scale)
{
    const int s = std::max(scale, 1);
    return {origin.x, origin.y, origin.x + RoundEven(double(kRegionWidth) / s),
            origin.y + RoundEven(double(kRegionHeight) / s)};
}

void TFullViewForm::FollowDocument()
{
    if (m_doc) {
        m_region = RegionOf(m_doc->Origin(), m_doc->Scale());
        m_font = m_doc->CanvasFont();
    }
    update();
}

TColor TFullViewForm::ViewColor() const
{
    const QColor c = palette().color(QPalette::Button);
    return RGBColor(c.red(), c.green(), c.blue());
}

void TFullViewForm::Draw(QImage& image) const
{
    TRasterCanvas canvas(image);
    const TColor color = ViewColor();
    canvas.SetBrushStyle(TBrushStyle::Solid);
    canvas.SetBrushColor(color);
    canvas.FillRect({0, 0, image.width(), image.height()});
    if (!m_doc) return;
    canvas.SetBrushStyle(TBrushStyle::Clear);
    canvas.SetPenStyle(TPenStyle::Dotted);
    canvas.SetFont(m_font);
    const TViewTransform view{m_doc->Origin(), m_doc->Scale(), 0, 0};
    DrawEntries(canvas, m_doc->Shem(), m_region, view, {}, color);
}

void TFullViewForm::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    m_dragging = false;
    FollowDocument();
    SetToolCursor(*this, TCursorId::Hand);
}

void TFullViewForm::paintEvent(QPaintEvent*)
{
    QImage image(size(), QImage::Format_RGB32);
    Draw(image);
    QPainter(this).drawImage(0, 0, image);
}

void TFullViewForm::PrepareMenu()
{
    const int s = m_doc ? m_doc->Scale() : 0;
    for (QAction* item : m_zoomItems)
        item->setChecked(item->data().toInt() == s);
}

void TFullViewForm::contextMenuEvent(QContextMenuEvent* event)
{
    PrepareMenu();
    m_menu->popup(event->globalPos());
}

void TFullViewForm::ZoomClick(int s)
{
    if (!m_doc) return;
    m_doc->SetScale(s); // recomputes its scroll ranges and font size
    FollowDocument();
}

void TFullViewForm::mousePressEvent(QMouseEvent* event)
{
    SetToolCursor(*this, TCursorId::HandClosed);
    m_anchor = event->position().toPoint();
    m_dragging = true;
}

void TFullViewForm::mouseMoveEvent(QMouseEvent* event)
{
    if (!m_dragging) return;
    SetToolCursor(*this, TCursorId::HandClosed);
    PanTo(event->position().toPoint());
}

void TFullViewForm::mouseReleaseEvent(QMouseEvent*)
{
    m_dragging = false;
    SetToolCursor(*this, TCursorId::Hand);
}

// One pixel of travel is one diagram unit at every scale; the document's
// scroll bars bound the origin.
void TFullViewForm::PanTo(QPoint mouse)
{
    if (m_doc) {
        const QScrollBar* h = m_doc->HorzScrollBar();
        const QScrollBar* v = m_doc->VertScrollBar();
        const auto along = [](const QScrollBar* bar, int delta) {
            const int64_t pos = std::clamp<int64_t>(int64_t(bar->value()) + delta, 0, kMaxCoord);
            return int32_t(std::clamp<int64_t>(pos, bar->minimum(), bar->maximum()));
        };
        m_doc->ScrollTo({along(h, m_anchor.x() - mouse.x()), along(v, m_anchor.y() - mouse.y())});
    }
    m_anchor = mouse;
    FollowDocument();
}

} // namespace kb
