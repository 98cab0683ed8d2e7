// The drawing surface over an image in memory: the document window's back
// buffer, the full-screen view, icons and picture export. Figures are set
// pixel by pixel with the raster conventions the diagrams rely on (see
// pixelfigures.h), flood fill is a real scan-line fill, and only text goes
// through QPainter. Pens are one pixel wide whatever SetPenWidth says.
#pragma once

#include "docwin/drawing/paintercanvas.h"
#include "docwin/drawing/pixelfigures.h"

#include <QImage>

namespace kb {

class TRasterCanvas : public TPainterCanvas
{
public:
    // Paints on image until the canvas is destroyed; the image's top-left
    // pixel is the canvas point origin, so a picture can be drawn in bands.
    // 32-bit and Format_Grayscale8 images are drawn on as they are; others are
    // converted to Format_RGB32 first.
    explicit TRasterCanvas(QImage& image, TPoint origin = {});

    void FillRect(const TRect& r) override;
    void Rectangle(const TRect& r) override;
    void Ellipse(const TRect& r) override;
    void Polygon(const TPoint* points, int count) override;
    void LineTo(TPoint p) override;
    void SetPixel(TPoint p, TColor c) override;
    void FloodFill(TPoint p, TColor border) override;
    void DrawText(const TRect& r, const std::string& text, int align) override;

private:
    TPoint Local(TPoint p) const;
    TRect Local(const TRect& r) const;
    static QImage* Prepared(QImage& image);
    TInk Ink() const;
    // The brush colour when the brush is solid, else null.
    const QRgb* Fill();

    QImage& m_image;
    TPoint m_origin;
    TPixelFigures m_figures;
    QRgb m_fill = 0;
};

} // namespace kb
