// Pictures of the block kinds and link styles for the tool palette and the
// Insert menus, drawn by the same code as the diagram itself, at 16 and 24
// pixels. Text in them is drawn as strokes, never with a system font, so a
// picture is the same on every machine.
#pragma once

#include <QIcon>
#include <QImage>
#include <QPixmap>
#include <QPointF>
#include <QString>

class QPainter;

namespace kb {

// The sizes every drawn icon comes in: 16 for normal screens, 24 for screens
// scaled by one and a half.
inline constexpr int kIconSizes[] = {16, 24};

// Black outlines on a transparent background, size by size pixels. Kinds
// 0..9, styles 0..7; other values (or sizes below 16) give an empty picture.
// A link style shows a link between the edges of two blocks, with the
// style's arrowheads.
QImage KindImage(int kind, int size = 16);
QImage LinkStyleImage(int style, int size = 16);
QIcon KindIcon(int kind);
QIcon LinkStyleIcon(int style);

// Every size of a picture in one icon.
template <class TDraw> QIcon IconOfSizes(TDraw draw)
{
    QIcon icon;
    for (const int size : kIconSizes)
        icon.addPixmap(QPixmap::fromImage(draw(size)));
    return icon;
}

// Draws text in the icons' own stroke letters with the painter's pen: the
// letters "A", "b", "c", "1" and ":" on a grid of unit pixels, 7 units high
// with top-left corner at origin; other characters leave a gap.
void DrawIconText(QPainter& p, const QString& text, QPointF origin, qreal unit);
// The width in units that DrawIconText takes for text.
int IconTextWidth(const QString& text);

} // namespace kb
