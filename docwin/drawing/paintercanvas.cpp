#include "docwin/drawing/paintercanvas.h"

#include "docwin/drawing/textlayout.h"
#include "model/cp1251.h"
#include "model/shemobj.h"

#include <cmath>

namespace kb {

QColor ToQColor(TColor c)
{
    return QColor(ColorRed(c), ColorGreen(c), ColorBlue(c));
}

QFont ToQFont(const TFont& f)
{
    QFont font(QString::fromStdString(f.Name));
    font.setPixelSize(std::max(1, int(std::lround(f.Size * 96.0 / 72.0))));
    return font;
}

namespace {

// The rectangle (L, T) .. (R, B) as the pixels it covers, L .. R - 1.
QRect ToQRect(const TRect& r)
{
    return QRect(QPoint(r.Left, r.Top), QPoint(r.Right - 1, r.Bottom - 1));
}

TRect Normalized(TRect r)
{
    NormalizeRect(r);
    return r;
}

} // namespace

TPainterCanvas::TPainterCanvas(QPaintDevice* device)
    : m_ownPainter(std::make_unique<QPainter>(device)), m_painter(m_ownPainter.get())
{
    m_painter->setRenderHint(QPainter::Antialiasing, false);
}

TPainterCanvas::TPainterCanvas(QPainter& painter)
    : m_painter(&painter), m_composition(painter.compositionMode())
{
    m_painter->save();
    m_painter->setRenderHint(QPainter::Antialiasing, false);
}

TPainterCanvas::~TPainterCanvas()
{
    if (!m_ownPainter && m_painter->isActive()) m_painter->restore();
}

void TPainterCanvas::SetPenColor(TColor c)
{
    m_penColor = c;
    m_toolsDirty = true;
}

void TPainterCanvas::SetPenStyle(TPenStyle s)
{
    m_penStyle = s;
    m_toolsDirty = true;
}

void TPainterCanvas::SetPenMode(TPenMode m)
{
    m_penMode = m;
    m_toolsDirty = true;
}

void TPainterCanvas::SetPenWidth(int w)
{
    m_penWidth = std::max(1, w);
    m_toolsDirty = true;
}

void TPainterCanvas::SetBrushColor(TColor c)
{
    m_brushColor = c;
    m_toolsDirty = true;
}

void TPainterCanvas::SetBrushStyle(TBrushStyle s)
{
    m_brushStyle = s;
    m_toolsDirty = true;
}

void TPainterCanvas::SetFont(const TFont& f)
{
    if (m_metrics && f.Name == m_font.Name && f.Size == m_font.Size) return;
    m_font = f;
    m_metrics.reset();
}

void TPainterCanvas::SetFontColor(TColor c)
{
    m_fontColor = c;
}

void TPainterCanvas::SetComposition(QPainter::CompositionMode mode)
{
    if (mode == m_composition) return;
    m_composition = mode;
    m_painter->setCompositionMode(mode);
}

void TPainterCanvas::PrepareStroke()
{
    SetComposition(m_penMode == TPenMode::Not ? QPainter::RasterOp_NotDestination
                                              : QPainter::CompositionMode_SourceOver);
    if (!m_toolsDirty) return;
    m_toolsDirty = false;
    // The line's last pixel is left out, so that joined lines meet without
    // overlap and an inverted polyline comes back whole when drawn again.
    QPen pen(m_penMode == TPenMode::Copy ? ToQColor(m_penColor) : QColor(Qt::black), m_penWidth,
             Qt::SolidLine, Qt::FlatCap, Qt::MiterJoin);
    if (m_penStyle == TPenStyle::Dotted) pen.setDashPattern({1, 1});
    m_painter->setPen(pen);
    if (m_brushStyle == TBrushStyle::Solid)
        m_painter->setBrush(ToQColor(m_brushColor));
    else
        m_painter->setBrush(Qt::NoBrush);
}

void TPainterCanvas::PrepareFill()
{
    SetComposition(QPainter::CompositionMode_SourceOver);
}

void TPainterCanvas::FillRect(const TRect& r)
{
    if (r.Right <= r.Left || r.Bottom <= r.Top) return;
    PrepareFill();
    m_painter->fillRect(ToQRect(r), ToQColor(m_brushColor));
}

// Qt strokes a rectangle one pixel wider than GDI's (L .. R inclusive), so
// the box handed over is one pixel smaller; so thin a figure that it is all
// outline is filled with the pen instead.
void TPainterCanvas::ClosedFigure(const QRect& box, bool ellipse)
{
    PrepareStroke();
    if (box.width() <= 2 || box.height() <= 2) {
        const QColor ink = m_painter->pen().color();
        m_painter->fillRect(box, m_penMode == TPenMode::Not ? QColor(Qt::black) : ink);
        return;
    }
    const QRect inner = box.adjusted(0, 0, -1, -1);
    if (ellipse)
        m_painter->drawEllipse(inner);
    else
        m_painter->drawRect(inner);
}

void TPainterCanvas::Rectangle(const TRect& r)
{
    const TRect n = Normalized(r);
    if (n.Right > n.Left && n.Bottom > n.Top) ClosedFigure(ToQRect(n), false);
}

void TPainterCanvas::Ellipse(const TRect& r)
{
    const TRect n = Normalized(r);
    if (n.Right > n.Left && n.Bottom > n.Top) ClosedFigure(ToQRect(n), true);
}

void TPainterCanvas::Polygon(const TPoint* points, int count)
{
    if (count < 2) return;
    QPolygon polygon(count);
    for (int i = 0; i < count; ++i)
        polygon.setPoint(i, points[i].x, points[i].y);
    PrepareStroke();
    m_painter->drawPolygon(polygon);
}

void TPainterCanvas::MoveTo(TPoint p)
{
    m_position = QPoint(p.x, p.y);
    m_trace.clear();
    m_trace << m_position;
}

TPoint TPainterCanvas::MoveAlong(TPoint to)
{
    const TPoint from{m_position.x(), m_position.y()};
    m_position = QPoint(to.x, to.y);
    m_trace << m_position;
    return from;
}

// On a vector device the last pixel does not matter; the line is drawn whole.
void TPainterCanvas::LineTo(TPoint p)
{
    const TPoint from = MoveAlong(p);
    PrepareStroke();
    if (!PointsEqual(from, p)) m_painter->drawLine(from.x, from.y, p.x, p.y);
}

void TPainterCanvas::SetPixel(TPoint p, TColor c)
{
    PrepareFill();
    m_painter->fillRect(QRect(p.x, p.y, 1, 1), ToQColor(c));
}

void TPainterCanvas::FloodFill(TPoint p, TColor border)
{
    (void)border;
    if (BrushClear() || m_trace.size() < 3 || !m_trace.containsPoint({p.x, p.y}, Qt::OddEvenFill))
        return;
    PrepareFill();
    m_painter->save();
    m_painter->setPen(Qt::NoPen);
    m_painter->setBrush(ToQColor(m_brushColor));
    m_painter->drawPolygon(m_trace);
    m_painter->restore();
    PrepareStroke();
    m_painter->drawPolyline(m_trace);
}

const QFontMetrics& TPainterCanvas::Metrics()
{
    if (!m_metrics) {
        const QFont font = ToQFont(m_font);
        m_painter->setFont(font);
        m_metrics.emplace(font, m_painter->device());
    }
    return *m_metrics;
}

void TPainterCanvas::DrawText(const TRect& r, const std::string& text, int align)
{
    const std::optional<TPlacedText> placed = PlaceText(r, text, align, Metrics());
    if (!placed) return;
    PrepareFill();
    const QColor ink = ToQColor(m_fontColor);
    m_painter->setPen(ink);
    m_toolsDirty = true;
    if (placed->Overflows) {
        m_painter->save();
        m_painter->setClipRect(ToQRect(placed->Box), Qt::IntersectClip);
    }
    for (const TPlacedLine& line : placed->Lines) {
        m_painter->drawText(line.X, line.Baseline, line.Text);
        for (const QRect& u : line.Underlines)
            m_painter->fillRect(u, ink);
    }
    if (placed->Overflows) m_painter->restore();
}

} // namespace kb
