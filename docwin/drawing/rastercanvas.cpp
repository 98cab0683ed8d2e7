#include "docwin/drawing/rastercanvas.h"

#include "docwin/drawing/floodfill.h"

namespace kb {
namespace {

QRgb ToQRgb(TColor c)
{
    return qRgb(ColorRed(c), ColorGreen(c), ColorBlue(c));
}

} // namespace

QImage* TRasterCanvas::Prepared(QImage& image)
{
    if (image.depth() != 32) image = image.convertToFormat(QImage::Format_RGB32);
    return &image;
}

// The painter (for text) draws straight into the image's memory, so its
// pixels and the ones set here mix in drawing order.
TRasterCanvas::TRasterCanvas(QImage& image)
    : TPainterCanvas(Prepared(image)), m_image(image), m_figures(image)
{
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
    const QRgb c = ToQRgb(BrushColor());
    for (int32_t y = r.Top; y < r.Bottom; ++y)
        m_figures.Span(y, r.Left, int64_t(r.Right) - 1, c);
}

void TRasterCanvas::Rectangle(const TRect& r)
{
    m_figures.Rectangle(r, Ink(), Fill());
}

void TRasterCanvas::Ellipse(const TRect& r)
{
    m_figures.Ellipse(r, Ink(), Fill());
}

void TRasterCanvas::Polygon(const TPoint* points, int count)
{
    m_figures.Polygon(points, count, Ink(), Fill());
}

void TRasterCanvas::LineTo(TPoint p)
{
    m_figures.Line(MoveAlong(p), p, Ink());
}

void TRasterCanvas::SetPixel(TPoint p, TColor c)
{
    m_figures.Span(p.y, p.x, p.x, ToQRgb(c));
}

void TRasterCanvas::FloodFill(TPoint p, TColor border)
{
    if (BrushClear()) return;
    ScanlineFill(m_image, {p.x, p.y}, ToQRgb(border), ToQRgb(BrushColor()));
}

} // namespace kb
