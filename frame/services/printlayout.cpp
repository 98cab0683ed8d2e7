#include "frame/services/printlayout.h"

#include <algorithm>

namespace kb {

namespace {

bool Drawable(QSize picture, QSize page)
{
    return picture.width() > 0 && picture.height() > 0 && page.width() > 0 && page.height() > 0;
}

} // namespace

int PrintFactor(QSize picture, QSize page)
{
    if (!Drawable(picture, page)) return 0;
    return std::min(page.width() / picture.width(), page.height() / picture.height());
}

std::vector<QRect> PrintTiles(QSize picture, QSize page)
{
    std::vector<QRect> tiles;
    if (!Drawable(picture, page)) return tiles;
    for (int top = 0; top < picture.height(); top += page.height())
        for (int left = 0; left < picture.width(); left += page.width())
            tiles.emplace_back(left, top, std::min(page.width(), picture.width() - left),
                               std::min(page.height(), picture.height() - top));
    return tiles;
}

} // namespace kb
