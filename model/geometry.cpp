#include "model/geometry.h"

#include "model/shemobj.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <limits>

namespace kb {

int32_t ClampCoord(int64_t v)
{
    return static_cast<int32_t>(std::clamp<int64_t>(v, 0, kMaxCoord));
}

int32_t Saturate(int64_t v)
{
    return int32_t(std::clamp<int64_t>(v, std::numeric_limits<int32_t>::min(),
                                       std::numeric_limits<int32_t>::max()));
}

void Unite(TRect& r, const TRect& b)
{
    r.Left = MinInt(r.Left, b.Left);
    r.Top = MinInt(r.Top, b.Top);
    r.Right = MaxInt(r.Right, b.Right);
    r.Bottom = MaxInt(r.Bottom, b.Bottom);
}

TRect ClampRect(TRect r)
{
    return {ClampCoord(r.Left), ClampCoord(r.Top), ClampCoord(r.Right), ClampCoord(r.Bottom)};
}

int32_t RoundEven(double v)
{
    constexpr double lo = std::numeric_limits<int32_t>::min();
    constexpr double hi = std::numeric_limits<int32_t>::max();
    if (std::isnan(v)) return 0;
    // nearbyint rounds in the default mode, which is halves to even.
    return static_cast<int32_t>(std::clamp(std::nearbyint(v), lo, hi));
}

int64_t RoundDiv(int64_t num, int64_t den)
{
    int64_t q = num / den;
    int64_t r = num % den;
    if (r < 0) {
        r += den;
        --q;
    }
    // Now num = q * den + r with 0 <= r < den.
    const int64_t twice = 2 * r;
    if (twice > den || (twice == den && (q & 1) != 0)) ++q;
    return q;
}

int32_t Trunc(double v)
{
    constexpr double lo = std::numeric_limits<int32_t>::min();
    constexpr double hi = std::numeric_limits<int32_t>::max();
    if (std::isnan(v)) return 0;
    return static_cast<int32_t>(std::clamp(std::trunc(v), lo, hi));
}

bool PointsEqual(TPoint a, TPoint b)
{
    return a == b;
}

int32_t Distance(TPoint a, TPoint b)
{
    const double dx = double(int64_t(a.x) - b.x);
    const double dy = double(int64_t(a.y) - b.y);
    return Trunc(std::sqrt(dx * dx + dy * dy));
}

int32_t MaxInt(int32_t a, int32_t b)
{
    return a > b ? a : b;
}
int32_t MinInt(int32_t a, int32_t b)
{
    return a < b ? a : b;
}

TRect RectOf(TPoint a, TPoint b)
{
    return {a.x, a.y, b.x, b.y};
}

void NormalizeRect(TRect& r)
{
    if (r.Left > r.Right) std::swap(r.Left, r.Right);
    if (r.Top > r.Bottom) std::swap(r.Top, r.Bottom);
}

void ShrinkRect(int32_t n, TRect& r)
{
    NormalizeRect(r);
    r.Left += n;
    r.Top += n;
    r.Right -= n;
    r.Bottom -= n;
}

TPoint MidPoint(TPoint a, TPoint b)
{
    return {int32_t(RoundDiv(int64_t(a.x) + b.x, 2)), int32_t(RoundDiv(int64_t(a.y) + b.y, 2))};
}

TPoint AddPoint(TPoint a, TPoint b)
{
    return {a.x + b.x, a.y + b.y};
}
TPoint SubPoint(TPoint a, TPoint b)
{
    return {a.x - b.x, a.y - b.y};
}

TPoint ScalePoint(TPoint p, double f)
{
    return {RoundEven(f * p.x), RoundEven(f * p.y)};
}

bool PointInRect(TPoint p, const TRect& r)
{
    return r.Left <= p.x && p.x <= r.Right && r.Top <= p.y && p.y <= r.Bottom;
}

int32_t LineYAt(int32_t x, const TRect& s)
{
    if (s.Right == s.Left) return 0;
    const double k = double(int64_t(s.Bottom) - s.Top) / double(int64_t(s.Right) - s.Left);
    return RoundEven(k * double(int64_t(x) - s.Left) + s.Top);
}

int32_t LineXAt(int32_t y, const TRect& s)
{
    if (s.Bottom == s.Top) return 0;
    const double k = double(int64_t(s.Right) - s.Left) / double(int64_t(s.Bottom) - s.Top);
    return RoundEven(k * double(int64_t(y) - s.Top) + s.Left);
}

bool SameSide(TPoint a, TPoint b, const TRect& s)
{
    const int64_t x1 = s.Left, y1 = s.Top, x2 = s.Right, y2 = s.Bottom;
    if (x1 == x2) {
        const int64_t da = a.x - x1, db = b.x - x1;
        return (da > 0 && db > 0) || (da < 0 && db < 0);
    }
    const double k = double(y2 - y1) / double(x2 - x1);
    const double ya = k * double(a.x - x1) + double(y1);
    const double yb = k * double(b.x - x1) + double(y1);
    return (a.y - ya) * (b.y - yb) > 0;
}

std::string FormatPoint(TPoint p)
{
    char buf[32];
    std::snprintf(buf, sizeof buf, "(%d, %d)", p.x, p.y);
    return buf;
}

std::optional<TRect> TextRect(const Block& b)
{
    const int64_t L = b.Left, T = b.Top, R = b.Right, B = b.Bottom;
    TRect r{b.Left, b.Top, b.Right, b.Bottom};
    switch (b.Kind) {
    case bkRectangle:
    case bkCommentary:
        ShrinkRect(2, r);
        return r;
    case bkEllipse: {
        const TPoint m = MidPoint({b.Left, b.Top}, {b.Right, b.Bottom});
        const int32_t dx = RoundEven(((R - L) / 2.0) / std::sqrt(2.0));
        const int32_t dy = RoundEven(((B - T) / 2.0) / std::sqrt(2.0));
        r = {m.x - dx, m.y - dy, m.x + dx, m.y + dy};
        ShrinkRect(4, r);
        return r;
    }
    case bkRhomb: {
        const TPoint left = MidPoint({b.Left, b.Top}, {b.Left, b.Bottom});
        const TPoint top = MidPoint({b.Left, b.Top}, {b.Right, b.Top});
        const TPoint right = MidPoint({b.Right, b.Bottom}, {b.Right, b.Top});
        const TPoint bottom = MidPoint({b.Right, b.Bottom}, {b.Left, b.Bottom});
        r = RectOf(MidPoint(top, left), MidPoint(right, bottom));
        ShrinkRect(2, r);
        return r;
    }
    case bkParallelogram:
        r = {RoundEven(L + (R - L) / 6.0), b.Top, RoundEven(R - (R - L) / 6.0), b.Bottom};
        ShrinkRect(2, r);
        return r;
    case bkJoint:
        return std::nullopt;
    case bkText:
        return r;
    case bkDocument:
        r.Bottom = Trunc(B - (B - T) * 0.25);
        ShrinkRect(2, r);
        return r;
    case bkProcess:
        r.Left = Trunc(L + (R - L) * 0.1);
        r.Right = Trunc(R - (R - L) * 0.1);
        ShrinkRect(2, r);
        return r;
    case bkDivider:
        r.Bottom = Trunc(B - (B - T) / 3.0);
        ShrinkRect(2, r);
        return r;
    default:
        // Kinds beyond the table come only from damaged files: lay the text
        // out like a rectangle's.
        ShrinkRect(2, r);
        return r;
    }
}

TPoint NearestSideMid(const Block& b, TPoint p)
{
    const TPoint m = MidPoint({b.Left, b.Top}, {b.Right, b.Bottom});
    TPoint c[4] = {{b.Left, m.y}, {b.Right, m.y}, {m.x, b.Top}, {m.x, b.Bottom}};
    if (b.Kind == bkParallelogram) {
        const int32_t e = int32_t(RoundDiv(int64_t(b.Right) - b.Left, 12));
        c[0].x += e;
        c[1].x -= e;
        c[2].x += e;
        c[3].x -= e;
    } else if (b.Kind == bkDocument) {
        const int32_t h = RoundEven((int64_t(b.Bottom) - b.Top) * 0.125);
        c[1].y -= h;
        c[3].y -= h;
    }
    int best = 0;
    int64_t bestDist = -1;
    for (int i = 0; i < 4; ++i) {
        const int64_t dx = int64_t(c[i].x) - p.x, dy = int64_t(c[i].y) - p.y;
        const int64_t d = dx * dx + dy * dy;
        if (bestDist < 0 || d < bestDist) {
            bestDist = d;
            best = i;
        }
    }
    return c[best];
}

} // namespace kb
