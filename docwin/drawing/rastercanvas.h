// The drawing surface over an image in memory: the document window's back
// buffer, the full-screen view, icons and picture export. On top of the
// painter canvas it has real pixels: exact SetPixel and a scan-line FloodFill.
#pragma once

#include "docwin/drawing/paintercanvas.h"

#include <QImage>

namespace kb {

class TRasterCanvas : public TPainterCanvas
{
public:
    // Paints on image until the canvas is destroyed. An image that is not
    // 32 bits per pixel is converted to Format_RGB32 first.
    explicit TRasterCanvas(QImage& image);

    void SetPixel(TPoint p, TColor c) override;
    void FloodFill(TPoint p, TColor border) override;

private:
    static QImage* Prepared(QImage& image);

    QImage& m_image;
};

} // namespace kb
