#include "docwin/drawing/icons.h"

#include "docwin/drawing/rastercanvas.h"
#include "docwin/drawing/shapedraw.h"

#include <QPainter>
#include <QPainterPath>

#include <map>
#include <vector>

namespace kb {
namespace {

constexpr int kMinIconSize = 16;

QImage Blank(int size)
{
    QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    return image;
}

// A rectangle laid out for a 16-pixel icon, stretched to size.
TRect Scaled(const TRect& r, int size)
{
    auto s = [size](int v) { return v * size / kMinIconSize; };
    return {s(r.Left), s(r.Top), s(r.Right), s(r.Bottom)};
}

// Where each kind sits in the icon: most fill a landscape box, the joint
// point is a dot and the divider is as tall as a page corner. The comment's
// box runs past the right edge, so its bracket's arms (a tenth of the box)
// show; only the bracket is drawn.
Block SampleBlock(int kind, int size)
{
    TRect r{1, 3, 15, 13};
    switch (kind) {
    case bkEllipse:
    case bkParallelogram:
        r = {0, 3, 16, 13};
        break;
    case bkRhomb:
        r = {0, 1, 16, 15};
        break;
    case bkJoint:
        r = {5, 5, 11, 11};
        break;
    case bkCommentary:
        r = {1, 1, 31, 15};
        break;
    case bkDivider:
        r = {2, 1, 14, 15};
        break;
    default:
        break;
    }
    Block b;
    b.Kind = uint8_t(kind);
    b.SetRect(Scaled(r, size));
    return b;
}

// A pen of one pixel at 16 and of a pixel and a half at 24, without blur
// at the small size.
void PreparePainter(QPainter& p, int size)
{
    p.setRenderHint(QPainter::Antialiasing, size != kMinIconSize);
    QPen pen(Qt::black, qreal(size) / kMinIconSize);
    pen.setCapStyle(Qt::SquareCap);
    pen.setJoinStyle(Qt::MiterJoin);
    p.setPen(pen);
    p.setBrush(Qt::NoBrush);
}

// The text block has no outline of its own: a frame around "Abc".
void DrawTextKind(QImage& image, int size)
{
    QPainter p(&image);
    PreparePainter(p, size);
    const qreal u = qreal(size) / kMinIconSize;
    p.drawRect(QRectF(0.5 * u, 2.5 * u, 15 * u, 11 * u));
    DrawIconText(p, QStringLiteral("Abc"), {2.5 * u, 4.5 * u}, u);
}

// A comment is a bracket beside its text: two lines of it.
void DrawCommentText(QImage& image, int size)
{
    QPainter p(&image);
    PreparePainter(p, size);
    const qreal u = qreal(size) / kMinIconSize;
    p.drawLine(QPointF(5.5 * u, 5.5 * u), QPointF(14.5 * u, 5.5 * u));
    p.drawLine(QPointF(5.5 * u, 8.5 * u), QPointF(12.5 * u, 8.5 * u));
    p.drawLine(QPointF(5.5 * u, 11.5 * u), QPointF(13.5 * u, 11.5 * u));
}

// The stroke letters: polylines on a grid at most 4 units wide and 7 high
// (y 0..6, the base line at 6, small letters from 2).
using TStroke = std::vector<QPointF>;
const std::map<QChar, std::vector<TStroke>>& Letters()
{
    static const std::map<QChar, std::vector<TStroke>> letters = {
        {QLatin1Char('A'), {{{0, 6}, {0, 2}, {1, 0}, {2, 2}, {2, 6}}, {{0, 4}, {2, 4}}}},
        {QLatin1Char('b'), {{{0, 0}, {0, 6}, {2, 6}, {3, 5}, {3, 3}, {2, 2}, {0, 2}}}},
        {QLatin1Char('c'), {{{2, 2}, {1, 2}, {0, 3}, {0, 5}, {1, 6}, {2, 6}}}},
        {QLatin1Char('1'), {{{0, 1}, {1, 0}, {1, 6}}, {{0, 6}, {2, 6}}}},
        {QLatin1Char(':'), {{{0, 1.5}, {0, 2.5}}, {{0, 4.5}, {0, 5.5}}}},
    };
    return letters;
}

// Letters are as wide as their widest stroke point, plus one unit of gap.
int LetterWidth(QChar c)
{
    const auto it = Letters().find(c);
    if (it == Letters().end()) return 3;
    qreal right = 0;
    for (const TStroke& s : it->second)
        for (const QPointF& pt : s)
            right = std::max(right, pt.x());
    return int(right) + 2;
}

} // namespace

void DrawIconText(QPainter& p, const QString& text, QPointF origin, qreal unit)
{
    QPainterPath path;
    qreal x = 0;
    for (const QChar c : text) {
        const auto it = Letters().find(c);
        if (it != Letters().end())
            for (const TStroke& s : it->second) {
                path.moveTo(origin + (QPointF(x, 0) + s.front()) * unit);
                for (const QPointF& pt : s)
                    path.lineTo(origin + (QPointF(x, 0) + pt) * unit);
            }
        x += LetterWidth(c);
    }
    p.drawPath(path);
}

int IconTextWidth(const QString& text)
{
    int width = 0;
    for (const QChar c : text)
        width += LetterWidth(c);
    return text.isEmpty() ? 0 : width - 1;
}

QImage KindImage(int kind, int size)
{
    QImage image = Blank(std::max(size, 1));
    if (kind < 0 || kind >= kBlockKindCount || size < kMinIconSize) return image;
    if (kind == bkText) {
        DrawTextKind(image, size);
        return image;
    }
    {
        TRasterCanvas canvas(image);
        // Joint points show as a filled dot, as when selected.
        DrawBlock(canvas, SampleBlock(kind, size), kind == bkJoint, TViewTransform{{0, 0}, 1},
                  clWhite);
    }
    if (kind == bkCommentary) DrawCommentText(image, size);
    return image;
}

QImage LinkStyleImage(int style, int size)
{
    QImage image = Blank(std::max(size, 1));
    if (style < 0 || style > 7 || size < kMinIconSize) return image;
    // A rising diagonal between two invisible points: the longest line the
    // icon holds, so both arrowheads fit. Drawn at twice the scale, which
    // doubles the arrowheads: at one they are too small to see in an icon.
    const int scale = 2;
    const int span = size / scale;
    TShem shem;
    Block end;
    end.Kind = bkText;
    const int near = span / 12;
    const int far = span - 1 - near;
    end.SetRect({near, far, near, far});
    TShemObj* a = shem.Get(shem.AddBlock(end));
    end.SetRect({far, near, far, near});
    TShemObj* b = shem.Get(shem.AddBlock(end));
    TLink link;
    link.Style = uint8_t(style);
    link.EndA = a;
    link.EndB = b;
    TRasterCanvas canvas(image);
    DrawLink(canvas, shem, link, false, TViewTransform{{0, 0}, scale}, clWhite);
    return image;
}

QIcon KindIcon(int kind)
{
    return IconOfSizes([kind](int size) { return KindImage(kind, size); });
}

QIcon LinkStyleIcon(int style)
{
    return IconOfSizes([style](int size) { return LinkStyleImage(style, size); });
}

} // namespace kb
