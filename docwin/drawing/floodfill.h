// Scan-line flood fill on a 32-bit colour or 8-bit grey image, the raster
// canvas's FloodFill.
#pragma once

#include <QImage>
#include <QPoint>

namespace kb {

// Paints with fill the 4-connected area around seed that is bounded by pixels
// of colour border (compared without alpha; as grey on a grey image). Other
// formats, a seed outside the image or on the border fill nothing.
void ScanlineFill(QImage& image, QPoint seed, QRgb border, QRgb fill);

} // namespace kb
