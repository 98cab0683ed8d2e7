// Where the print picture goes on paper, as plain arithmetic over sizes in
// printer pixels, so it can be checked without a printer.
#pragma once

#include <QRect>
#include <QSize>

#include <vector>

namespace kb {

// The largest whole factor k at which the picture fits the page both ways:
// min(page width / picture width, page height / picture height), truncated.
// 0 when the picture is larger than the page (or either size is empty).
int PrintFactor(QSize picture, QSize page);

// The parts of a picture larger than a page, one per sheet: page-sized
// rectangles in picture pixels, row by row from the top, each row left to
// right. The last column and row hold what is left. Empty for an empty
// picture or page.
std::vector<QRect> PrintTiles(QSize picture, QSize page);

} // namespace kb
