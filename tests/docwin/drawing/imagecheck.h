// Looking at drawn pixels, and building small diagrams, in the drawing tests.
#pragma once

#include "model/shem.h"

#include <QImage>
#include <QRect>

#include <string>

namespace kbtest {

inline QImage Filled(int w, int h, QColor c = Qt::white)
{
    QImage image(w, h, QImage::Format_RGB32);
    image.fill(c);
    return image;
}

inline bool IsBlack(const QImage& image, int x, int y)
{
    return image.rect().contains(x, y) && image.pixel(x, y) == 0xFF000000;
}

// The smallest rectangle holding every pixel that is not white, such as the
// grey edges of smoothed text; null when there is none.
inline QRect PaintedBounds(const QImage& image)
{
    QRect box;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (image.pixel(x, y) != 0xFFFFFFFF) box |= QRect(x, y, 1, 1);
    return box;
}

// The smallest rectangle holding every black pixel; null when there is none.
inline QRect InkBounds(const QImage& image)
{
    QRect box;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (IsBlack(image, x, y)) box |= QRect(x, y, 1, 1);
    return box;
}

inline int InkCount(const QImage& image, QRect area)
{
    int n = 0;
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            n += IsBlack(image, x, y);
    return n;
}

inline kb::Block MakeBlock(int kind, int l, int t, int r, int b, std::string text = {})
{
    kb::Block blk;
    blk.Kind = uint8_t(kind);
    blk.SetRect({l, t, r, b});
    blk.Text = std::move(text);
    return blk;
}

inline kb::TShemObj* AddLink(kb::TShem& shem, kb::TShemObj* a, kb::TShemObj* b, int style,
                             kb::TPoint posA = {32767, 32767}, kb::TPoint posB = {32767, 32767})
{
    kb::TLink l;
    l.Style = uint8_t(style);
    l.EndA = a;
    l.EndB = b;
    l.PosA = posA;
    l.PosB = posB;
    return shem.Get(shem.AddLink(l));
}

} // namespace kbtest
