#include "docwin/drawing/pixelfigures.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <optional>
#include <vector>

namespace kb {
namespace {

// num / den rounded to the nearest integer, halves up; den > 0.
int64_t NearestDiv(int64_t num, int64_t den)
{
    const int64_t twice = 2 * num + den, d = 2 * den;
    return twice >= 0 ? twice / d : -((-twice + d - 1) / d);
}

struct TRowExtent
{
    int64_t Left;
    int64_t Right;
};

// The pixels of an ellipse inscribed in the pixels L .. R - 1, T .. B - 1:
// those whose centres lie inside the ellipse through the box's outer edges.
class TEllipseRows
{
public:
    explicit TEllipseRows(const TRect& r)
        : m_top(r.Top), m_bottom(r.Bottom), m_cx((double(r.Left) + r.Right - 1) / 2),
          m_cy((double(r.Top) + r.Bottom - 1) / 2), m_a((double(r.Right) - r.Left) / 2),
          m_b((double(r.Bottom) - r.Top) / 2)
    {
    }

    std::optional<TRowExtent> At(int64_t y) const
    {
        if (y < m_top || y >= m_bottom) return std::nullopt;
        const double dy = (y - m_cy) / m_b, t = 1 - dy * dy;
        if (t < 0) return std::nullopt;
        const double half = m_a * std::sqrt(t);
        const auto left = int64_t(std::ceil(m_cx - half - 1e-9));
        const auto right = int64_t(std::floor(m_cx + half + 1e-9));
        if (left > right) return std::nullopt;
        return TRowExtent{left, right};
    }

private:
    int64_t m_top, m_bottom;
    double m_cx, m_cy, m_a, m_b;
};

TRect Normalized(TRect r)
{
    NormalizeRect(r);
    return r;
}

} // namespace

bool IsDrawableFormat(const QImage& image)
{
    return image.depth() == 32 || image.format() == QImage::Format_Grayscale8;
}

TPixelFigures::TPixelFigures(QImage& image)
    : m_bits(const_cast<uchar*>(image.constBits())), m_stride(image.bytesPerLine()),
      m_width(image.width()), m_height(image.height()), m_grey(image.depth() == 8)
{
}

void TPixelFigures::Touch(int64_t x, int64_t y, const TInk& ink)
{
    if (x < 0 || y < 0 || x >= m_width || y >= m_height) return;
    uchar* row = m_bits + y * m_stride;
    if (m_grey) {
        uchar& p = row[x];
        p = ink.How == TInk::Invert ? uchar(~p) : uchar(qGray(ink.Color));
        return;
    }
    QRgb& p = reinterpret_cast<QRgb*>(row)[x];
    p = ink.How == TInk::Invert ? ~p | 0xFF000000 : ink.Color;
}

void TPixelFigures::Span(int y, int64_t x1, int64_t x2, QRgb c)
{
    if (y < 0 || y >= m_height) return;
    x1 = std::max<int64_t>(x1, 0);
    x2 = std::min<int64_t>(x2, m_width - 1);
    if (x1 > x2) return;
    uchar* row = m_bits + y * m_stride;
    if (m_grey)
        std::fill(row + x1, row + x2 + 1, uchar(qGray(c)));
    else
        std::fill(reinterpret_cast<QRgb*>(row) + x1, reinterpret_cast<QRgb*>(row) + x2 + 1, c);
}

// Dotted outlines keep the pixels of one parity, so that neighbours alternate.
void TPixelFigures::OutlineSpan(int y, int64_t x1, int64_t x2, const TInk& ink)
{
    x1 = std::max<int64_t>(x1, 0);
    x2 = std::min<int64_t>(x2, m_width - 1);
    for (int64_t x = x1; x <= x2; ++x)
        if (!ink.Dotted || ((x + y) & 1) == 0) Touch(x, y, ink);
}

// Steps along the major axis and rounds the other; only the steps that fall
// inside the image along the major axis are walked, so a line far longer
// than the image costs no more than one across it.
void TPixelFigures::Line(TPoint from, TPoint to, const TInk& ink)
{
    const int64_t dx = int64_t(to.x) - from.x, dy = int64_t(to.y) - from.y;
    const int64_t n = std::max(std::abs(dx), std::abs(dy));
    if (n == 0) return;
    const bool xMajor = std::abs(dx) >= std::abs(dy);
    // Every pixel's other coordinate lies between the ends' (i < n), so a
    // line wholly above or below the image (beside it, for a steep one)
    // touches nothing. A picture drawn a band at a time meets every line of
    // the diagram in every band.
    const int64_t minorFrom = xMajor ? from.y : from.x, minorTo = xMajor ? to.y : to.x;
    if (std::max(minorFrom, minorTo) < 0 ||
        std::min(minorFrom, minorTo) >= (xMajor ? m_height : m_width))
        return;
    const int64_t start = xMajor ? from.x : from.y;
    const int64_t step = (xMajor ? dx : dy) > 0 ? 1 : -1;
    const int64_t limit = (xMajor ? m_width : m_height) - 1;
    // start + i * step must lie in 0 .. limit.
    int64_t first = step > 0 ? -start : start - limit;
    int64_t last = step > 0 ? limit - start : start;
    first = std::max<int64_t>(first, 0);
    last = std::min<int64_t>(last, n - 1);
    for (int64_t i = first; i <= last; ++i) {
        if (ink.Dotted && (i & 1)) continue;
        const int64_t major = start + i * step;
        const int64_t minor = (xMajor ? from.y : from.x) + NearestDiv(i * (xMajor ? dy : dx), n);
        Touch(xMajor ? major : minor, xMajor ? minor : major, ink);
    }
}

void TPixelFigures::Rectangle(TRect r, const TInk& ink, const QRgb* fill)
{
    r = Normalized(r);
    const int64_t right = int64_t(r.Right) - 1, bottom = int64_t(r.Bottom) - 1;
    if (right < r.Left || bottom < r.Top) return;
    const int64_t rowFrom = std::max<int64_t>(r.Top, 0),
                  rowTo = std::min<int64_t>(bottom, m_height - 1);
    for (int64_t y = rowFrom; y <= rowTo; ++y) {
        if (y == r.Top || y == bottom) {
            OutlineSpan(int(y), r.Left, right, ink);
            continue;
        }
        if (fill) Span(int(y), int64_t(r.Left) + 1, right - 1, *fill);
        OutlineSpan(int(y), r.Left, r.Left, ink);
        if (right != r.Left) OutlineSpan(int(y), right, right, ink);
    }
}

// Each row's outline reaches over to where the next row out begins, so the
// outline has no gaps; the rows at the top and bottom are outline throughout.
void TPixelFigures::Ellipse(TRect r, const TInk& ink, const QRgb* fill)
{
    r = Normalized(r);
    if (r.Right <= r.Left || r.Bottom <= r.Top) return;
    const TEllipseRows rows(r);
    const int64_t rowFrom = std::max<int64_t>(r.Top, 0);
    const int64_t rowTo = std::min<int64_t>(int64_t(r.Bottom) - 1, m_height - 1);
    for (int64_t y = rowFrom; y <= rowTo; ++y) {
        const auto row = rows.At(y);
        if (!row) continue;
        const auto above = rows.At(y - 1), below = rows.At(y + 1);
        if (!above || !below) {
            OutlineSpan(int(y), row->Left, row->Right, ink);
            continue;
        }
        const int64_t leftEnd = std::max(row->Left, std::max(above->Left, below->Left) - 1);
        const int64_t rightStart = std::min(row->Right, std::min(above->Right, below->Right) + 1);
        if (leftEnd + 1 >= rightStart) {
            OutlineSpan(int(y), row->Left, row->Right, ink);
            continue;
        }
        if (fill) Span(int(y), leftEnd + 1, rightStart - 1, *fill);
        OutlineSpan(int(y), row->Left, leftEnd, ink);
        OutlineSpan(int(y), rightStart, row->Right, ink);
    }
}

// The interior is every pixel whose centre lies inside (even-odd); the
// outline's lines meet end to start, so each corner is touched once.
void TPixelFigures::Polygon(const TPoint* points, int count, const TInk& ink, const QRgb* fill)
{
    if (count < 2) return;
    if (fill) {
        int64_t top = points[0].y, bottom = points[0].y;
        for (int i = 1; i < count; ++i) {
            top = std::min<int64_t>(top, points[i].y);
            bottom = std::max<int64_t>(bottom, points[i].y);
        }
        std::vector<double> crossings;
        for (int64_t y = std::max<int64_t>(top, 0); y <= std::min<int64_t>(bottom, m_height - 1);
             ++y) {
            crossings.clear();
            for (int i = 0; i < count; ++i) {
                const TPoint a = points[i], b = points[(i + 1) % count];
                if ((a.y <= y && y < b.y) || (b.y <= y && y < a.y))
                    crossings.push_back(a.x + double(y - a.y) * (double(b.x) - a.x) /
                                                  (double(b.y) - a.y));
            }
            std::sort(crossings.begin(), crossings.end());
            for (size_t k = 0; k + 1 < crossings.size(); k += 2)
                Span(int(y), int64_t(std::ceil(crossings[k])),
                     int64_t(std::floor(crossings[k + 1])), *fill);
        }
    }
    for (int i = 0; i < count; ++i)
        Line(points[i], points[(i + 1) % count], ink);
}

} // namespace kb
