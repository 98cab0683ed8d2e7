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

TRasterCanvas::TRasterCanvas(QImage& image) : TPainterCanvas(Prepared(image)), m_image(image) {}

// The painter draws straight into the image's memory, so pixels written here
// and by the painter mix in drawing order.
void TRasterCanvas::SetPixel(TPoint p, TColor c)
{
    if (p.x < 0 || p.y < 0 || p.x >= m_image.width() || p.y >= m_image.height()) return;
    reinterpret_cast<QRgb*>(m_image.scanLine(p.y))[p.x] = ToQRgb(c);
}

void TRasterCanvas::FloodFill(TPoint p, TColor border)
{
    if (BrushClear()) return;
    ScanlineFill(m_image, {p.x, p.y}, ToQRgb(border), ToQRgb(BrushColor()));
}

} // namespace kb
