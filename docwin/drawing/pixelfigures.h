// Figures set pixel by pixel on an image, with the raster conventions
// the diagrams were drawn with: a line leaves out its last pixel, a
// rectangle or ellipse (x1, y1, x2, y2) covers x1 .. x2 - 1 and y1 .. y2 - 1,
// and every outline pixel is touched exactly once, so an inverting pen drawn
// twice leaves no trace. Everything is clipped to the image. Images are
// 32-bit colour or 8-bit grey (Format_Grayscale8), where colours become grey.
// Pixels are written in place, as a painter on the same image writes them.
#pragma once

#include "model/geometry.h"

#include <QImage>

namespace kb {

// How the pen touches a pixel.
struct TInk
{
    enum Mode { Copy, Invert };
    Mode How = Copy;
    QRgb Color = 0xFF000000;
    bool Dotted = false; // every other pixel along the outline
};

class TPixelFigures
{
public:
    // image must be 32 bits per pixel or Format_Grayscale8, and outlive this.
    explicit TPixelFigures(QImage& image);

    void Line(TPoint from, TPoint to, const TInk& ink);
    // fill is drawn inside the outline unless null.
    void Rectangle(TRect r, const TInk& ink, const QRgb* fill);
    void Ellipse(TRect r, const TInk& ink, const QRgb* fill);
    void Polygon(const TPoint* points, int count, const TInk& ink, const QRgb* fill);
    // Pixels x1 .. x2 (inclusive) of row y in colour c, clipped.
    void Span(int y, int64_t x1, int64_t x2, QRgb c);

private:
    void Touch(int64_t x, int64_t y, const TInk& ink);
    void OutlineSpan(int y, int64_t x1, int64_t x2, const TInk& ink);

    uchar* m_bits;
    qsizetype m_stride;
    int m_width;
    int m_height;
    bool m_grey;
};

// Whether the pixel figures and the flood fill can draw on image as it is.
bool IsDrawableFormat(const QImage& image);

} // namespace kb
