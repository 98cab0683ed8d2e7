// The view of a document window: transform, scroll bars, font by scale,
// repaint into the back buffer, centring and the hover hint.
#include "docwin/childd.h"

#include "docwin/drawing/rastercanvas.h"
#include "model/cp1251.h"

#include <QPaintEvent>
#include <QPainter>
#include <QPlainTextEdit>
#include <QScrollBar>
#include <QToolTip>

#include <unordered_set>

namespace kb {

namespace {

bool IsScale(int s)
{
    return s == 1 || s == 2 || s == 4 || s == 8;
}

// Point sizes of the canvas font by scale; 4 gets 20 rather than 16.
int FontSizeForScale(int s)
{
    switch (s) {
    case 1:
        return 5;
    case 4:
        return 20;
    case 8:
        return 40;
    default:
        return 8;
    }
}

} // namespace

TViewTransform TChildD::Transform() const
{
    TViewTransform t;
    t.Origin = m_origin;
    t.Scale = m_scale;
    t.ViewLeft = m_view.Left;
    t.ViewTop = m_view.Top;
    return t;
}

TPoint TChildD::ToPixels(TPoint d) const
{
    return Transform().ToPixels(d);
}

TPoint TChildD::ToDiagram(TPoint p) const
{
    return Transform().ToDiagram(p);
}

void TChildD::SetScale(int s)
{
    if (!IsScale(s)) return;
    m_scale = s;
    RecomputeView();
    Repaint();
}

void TChildD::ScrollTo(TPoint origin)
{
    // The bars clamp the positions; the origin keeps what was asked, so a
    // block near the far edge can still be centred.
    const QSignalBlocker hb(m_hbar);
    const QSignalBlocker vb(m_vbar);
    m_hbar->setValue(origin.x);
    m_vbar->setValue(origin.y);
    m_origin = {MaxInt(origin.x, 0), MaxInt(origin.y, 0)};
    Repaint();
}

void TChildD::FormResize()
{
    LayoutScrollBars();
    RecomputeView();
}

void TChildD::LayoutScrollBars()
{
    const int t = kScrollBarThickness;
    const int hTop = MaxInt(height() - t, 0);
    const int vLeft = MaxInt(width() - t, 0);
    m_hbar->setGeometry(0, hTop, vLeft, t);
    m_vbar->setGeometry(vLeft, 0, t, hTop);
}

void TChildD::RecomputeView()
{
    m_view = {0, 0, m_vbar->x(), m_hbar->y()};
    const int visibleW = RoundEven(double(m_view.Right - m_view.Left) / m_scale);
    const int visibleH = RoundEven(double(m_view.Bottom - m_view.Top) / m_scale);
    // Changing a maximum clamps the position, which moves the origin with it.
    m_hbar->setMaximum(MaxInt(kMaxCoord - visibleW, 0));
    m_vbar->setMaximum(MaxInt(kMaxCoord - visibleH, 0));
    ApplyScaleFont();
    UpdateBufferSize();
}

void TChildD::ApplyScaleFont()
{
    m_font.Size = FontSizeForScale(m_scale);
    if (m_canvas) m_canvas->SetFont(m_font);
}

void TChildD::SetFontName(const QString& name)
{
    m_font.Name = name.toStdString();
    if (m_canvas) m_canvas->SetFont(m_font);
    Repaint();
}

void TChildD::SetWindowColor(TColor color)
{
    m_color = color;
    QPalette pal = m_editor->palette();
    pal.setColor(QPalette::Base, ToQColor(color));
    m_editor->setPalette(pal);
    Repaint();
}

void TChildD::UpdateBufferSize()
{
    const QSize size(MaxInt(width(), 1), MaxInt(height(), 1));
    if (m_buffer.size() == size && m_canvas) return;
    m_canvas.reset(); // a painter must end before its image is replaced
    m_buffer = QImage(size, QImage::Format_RGB32);
    m_buffer.fill(ToQColor(m_color));
    m_canvas = std::make_unique<TRasterCanvas>(m_buffer);
    m_canvas->SetFont(m_font);
}

void TChildD::Repaint()
{
    // Every change is followed by a repaint, and the tools change blocks and
    // links in place: the link ends the diagram remembers are dropped here.
    m_doc->NoteChangedInPlace();
    if (!m_canvas) return;
    TCanvas& c = *m_canvas;
    c.SetPenMode(TPenMode::Copy);
    c.SetBrushStyle(TBrushStyle::Solid);
    c.SetBrushColor(m_color);
    c.FillRect(m_view);
    c.SetBrushStyle(TBrushStyle::Clear);
    c.SetPenStyle(TPenStyle::Dotted);
    c.SetFont(m_font);
    if (m_grid && !m_panning) DrawGrid();
    DrawEntries();
    update();
}

void TChildD::DrawGrid()
{
    // Every 5 diagram units, counted from the view's top-left pixel rather
    // than from diagram point 0.
    const int step = 5 * m_scale;
    for (int x = m_view.Left; x <= m_view.Right; x += step)
        for (int y = m_view.Top; y <= m_view.Bottom; y += step)
            m_canvas->SetPixel({x, y}, clBlack);
}

void TChildD::DrawEntries()
{
    const TPoint a = ToDiagram({m_view.Left, m_view.Top});
    const TPoint b = ToDiagram({m_view.Right, m_view.Bottom});
    const TRect visible{a.x, a.y, b.x, b.y};
    const std::unordered_set<const TShemObj*> selected(Selection().begin(), Selection().end());
    const TViewTransform t = Transform();
    // List order is drawing order: links and blocks are not drawn in passes.
    for (int i = Shem().NextInRectIndex(-1, visible); i >= 0;
         i = Shem().NextInRectIndex(i, visible)) {
        const TShemObj* e = Shem().Get(i);
        const bool sel = selected.count(e) != 0;
        if (e->IsBlock())
            DrawBlock(*m_canvas, e->block(), sel, t, m_color);
        else
            DrawLink(*m_canvas, Shem(), e->link(), sel, t, m_color);
    }
}

void TChildD::paintEvent(QPaintEvent* event)
{
    QPainter p(this);
    p.drawImage(event->rect(), m_buffer, event->rect());
}

void TChildD::CenterOnBlock(const Block& block)
{
    const TPoint centre = MidPoint({block.Left, block.Top}, {block.Right, block.Bottom});
    const TPoint viewCentre = MidPoint({m_view.Left, m_view.Top}, {m_view.Right, m_view.Bottom});
    const TPoint half{int32_t(RoundDiv(viewCentre.x - m_view.Left, m_scale)),
                      int32_t(RoundDiv(viewCentre.y - m_view.Top, m_scale))};
    ScrollTo(SubPoint(centre, half));
}

void TChildD::HoverHint(TPoint pixel, QPoint globalPos)
{
    const TPoint p = ToDiagram(pixel);
    const TShemObj* e = Shem().ObjectAt(p);
    const QString hint =
        e && e->IsBlock() ? QString::fromStdString(Cp1251ToUtf8(e->block().Text)) : QString();
    if (hint != toolTip()) {
        setToolTip(hint);
        if (hint.isEmpty())
            QToolTip::hideText();
        else if (QToolTip::isVisible())
            QToolTip::showText(globalPos, hint, this);
    }
    m_host.ShowStatus(0, QString::fromStdString(FormatPoint(p)));
}

} // namespace kb
