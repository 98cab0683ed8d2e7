// Scan-line flood fill on a 32-bit image, the raster canvas's FloodFill.
#pragma once

#include <QImage>
#include <QPoint>

namespace kb {

// Paints with fill the 4-connected area around seed that is bounded by pixels
// of colour border (compared without alpha). The image must be 32 bits per
// pixel; a seed outside the image or on the border fills nothing.
void ScanlineFill(QImage& image, QPoint seed, QRgb border, QRgb fill);

} // namespace kb
