#include "docwin/drawing/rastercanvas.h"

#include "docwin/drawing/floodfill.h"

#include <algorithm>
#include <vector>

namespace kb {
namespace {

QRgb ToQRgb(TColor c)
{
    return qRgb(ColorRed(c), ColorGreen(c), ColorBlue(c));
}

} // namespace

QImage* TRasterCanvas::Prepared(QImage& image)
{
    if (!IsDrawableFormat(image)) image = image.convertToFormat(QImage::Format_RGB32);
    return &image;
}

// The painter (for text) draws straight into the image's memory, so its
// pixels and the ones set here mix in drawing order.
TRasterCanvas::TRasterCanvas(QImage& image, TPoint origin)
    : TPainterCanvas(Prepared(image)), m_image(image), m_origin(origin), m_figures(image)
{
    Painter().translate(-origin.x, -origin.y);
}

TPoint TRasterCanvas::Local(TPoint p) const
{
    return SubPoint(p, m_origin);
}

TRect TRasterCanvas::Local(const TRect& r) const
{
    return {r.Left - m_origin.x, r.Top - m_origin.y, r.Right - m_origin.x, r.Bottom - m_origin.y};
}

TInk TRasterCanvas::Ink() const
{
    TInk ink;
    ink.Dotted = PenStyle() == TPenStyle::Dotted;
    if (PenMode() == TPenMode::Not)
        ink.How = TInk::Invert;
    else if (PenMode() == TPenMode::Copy)
        ink.Color = ToQRgb(PenColor());
    return ink;
}

const QRgb* TRasterCanvas::Fill()
{
    if (BrushClear()) return nullptr;
    m_fill = ToQRgb(BrushColor());
    return &m_fill;
}

void TRasterCanvas::FillRect(const TRect& r)
{
    const TRect l = Local(r);
    const QRgb c = ToQRgb(BrushColor());
    const int32_t top = std::max(l.Top, 0), bottom = std::min(l.Bottom, m_image.height());
    for (int32_t y = top; y < bottom; ++y)
        m_figures.Span(y, l.Left, int64_t(l.Right) - 1, c);
}

void TRasterCanvas::Rectangle(const TRect& r)
{
    m_figures.Rectangle(Local(r), Ink(), Fill());
}

void TRasterCanvas::Ellipse(const TRect& r)
{
    m_figures.Ellipse(Local(r), Ink(), Fill());
}

void TRasterCanvas::Polygon(const TPoint* points, int count)
{
    std::vector<TPoint> local(points, points + std::max(count, 0));
    for (TPoint& p : local)
        p = Local(p);
    m_figures.Polygon(local.data(), count, Ink(), Fill());
}

void TRasterCanvas::LineTo(TPoint p)
{
    m_figures.Line(Local(MoveAlong(p)), Local(p), Ink());
}

void TRasterCanvas::SetPixel(TPoint p, TColor c)
{
    const TPoint l = Local(p);
    m_figures.Span(l.y, l.x, l.x, ToQRgb(c));
}

void TRasterCanvas::FloodFill(TPoint p, TColor border)
{
    if (BrushClear()) return;
    const TPoint l = Local(p);
    ScanlineFill(m_image, {l.x, l.y}, ToQRgb(border), ToQRgb(BrushColor()));
}

// Text is the costliest thing drawn: text wholly outside the image is not
// even laid out.
void TRasterCanvas::DrawText(const TRect& r, const std::string& text, int align)
{
    const TRect l = Local(r);
    if (l.Right <= 0 || l.Bottom <= 0 || l.Left >= m_image.width() || l.Top >= m_image.height())
        return;
    TPainterCanvas::DrawText(r, text, align);
}

} // namespace kb
