// The questions the mouse tools ask the diagram. Each walks the list in list
// order and stops at the first entry that qualifies. On a large diagram that
// stays unchanged a spatial index narrows the walk to the entries that could
// qualify, still in list order, so the answers are the same.
#include "model/shem.h"
#include "model/spatialindex.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace kb {
namespace {

struct RhombVertices
{
    TPoint top, left, right, bottom;
};

RhombVertices RhombOf(const TRect& r)
{
    return {MidPoint({r.Left, r.Top}, {r.Right, r.Top}),
            MidPoint({r.Left, r.Top}, {r.Left, r.Bottom}),
            MidPoint({r.Right, r.Bottom}, {r.Right, r.Top}),
            MidPoint({r.Right, r.Bottom}, {r.Left, r.Bottom})};
}

bool InsideRhomb(TPoint p, const TRect& r)
{
    const RhombVertices v = RhombOf(r);
    return !SameSide({r.Left, r.Top}, p, RectOf(v.top, v.left)) &&
           !SameSide({r.Right, r.Bottom}, p, RectOf(v.right, v.bottom)) &&
           !SameSide({r.Right, r.Top}, p, RectOf(v.top, v.right)) &&
           !SameSide({r.Left, r.Bottom}, p, RectOf(v.left, v.bottom));
}

struct ParallelogramVertices
{
    TPoint bl, tl, tr, br;
};

ParallelogramVertices ParallelogramOf(const Block& b)
{
    const double w = double(b.Width());
    return {{b.Left, b.Bottom},
            {RoundEven(b.Left + w / 6), b.Top},
            {b.Right, b.Top},
            {RoundEven(b.Right - w / 6), b.Bottom}};
}

bool InsideParallelogram(TPoint p, const Block& b)
{
    const ParallelogramVertices v = ParallelogramOf(b);
    return !SameSide({b.Left, b.Top}, p, RectOf(v.bl, v.tl)) &&
           !SameSide({b.Right, b.Bottom}, p, RectOf(v.tr, v.br)) && b.Top <= p.y && p.y <= b.Bottom;
}

// The drawn bottom edge of a Document at x; the block must have a width.
double Wave(const Block& b, double x)
{
    const double w = b.Width(), h = b.Height();
    return b.Bottom - (x - b.Left) * (h / 4) / w +
           (h / 16) * std::sin(2 * std::numbers::pi * (x - b.Left) / w);
}

bool InsideDividerPoint(TPoint p, const Block& b)
{
    const double w = b.Width(), h = b.Height();
    return w != 0 && b.Left <= p.x && p.x <= b.Right && p.y >= b.Top &&
           p.y <= b.Bottom - std::abs(2 * (p.x - b.Left - w / 2) * h / (3 * w));
}

int32_t DividerShoulder(const Block& b)
{
    return Trunc(b.Bottom - b.Height() / 3.0);
}

bool InsideBlock(TPoint p, const Block& b)
{
    const TRect r = b.Rect();
    switch (b.Kind) {
    case bkEllipse: {
        if (b.Width() == 0 || b.Height() == 0)
            return PointInRect(p, r); // a flat ellipse is its segment
        const TPoint m = MidPoint({b.Left, b.Top}, {b.Right, b.Bottom});
        const double a = b.Width() / 2.0, c = b.Height() / 2.0;
        const double dx = (p.x - m.x) / a, dy = (p.y - m.y) / c;
        return dx * dx + dy * dy < 1;
    }
    case bkRhomb:
        return InsideRhomb(p, r);
    case bkParallelogram:
        return InsideParallelogram(p, b);
    case bkDocument:
        if (!(b.Left <= p.x && p.x <= b.Right && p.y >= b.Top)) return false;
        return p.y <= b.Bottom - b.Height() / 4.0 || (b.Width() != 0 && p.y <= Wave(b, p.x));
    case bkDivider:
        return PointInRect(p, {b.Left, b.Top, b.Right, DividerShoulder(b)}) ||
               InsideDividerPoint(p, b);
    default:
        return PointInRect(p, r);
    }
}

bool NearSegment(TPoint p, TLinkEnds s)
{
    const TRect seg = RectOf(s.A, s.B);
    if (std::abs(int64_t(s.A.y) - s.B.y) < std::abs(int64_t(s.A.x) - s.B.x)) {
        return MinInt(s.A.x, s.B.x) - 3 <= p.x && p.x <= MaxInt(s.A.x, s.B.x) + 3 &&
               std::abs(int64_t(LineYAt(p.x, seg)) - p.y) < 3;
    }
    return MinInt(s.A.y, s.B.y) - 3 <= p.y && p.y <= MaxInt(s.A.y, s.B.y) + 3 &&
           std::abs(int64_t(LineXAt(p.y, seg)) - p.x) < 3;
}

bool Crosses(const TRect& s1, const TRect& s2)
{
    return !SameSide({s1.Left, s1.Top}, {s1.Right, s1.Bottom}, s2) &&
           !SameSide({s2.Left, s2.Top}, {s2.Right, s2.Bottom}, s1);
}

// The corners of r in the order the tests try them.
void CornersOf(const TRect& r, TPoint out[4])
{
    out[0] = {r.Left, r.Top};
    out[1] = {r.Right, r.Bottom};
    out[2] = {r.Right, r.Top};
    out[3] = {r.Left, r.Bottom};
}

template <class Inside> bool AnyCornerInside(const TRect& r, Inside inside)
{
    TPoint c[4];
    CornersOf(r, c);
    return std::any_of(c, c + 4, inside);
}

bool AnyIn(std::initializer_list<TPoint> points, const TRect& r)
{
    return std::any_of(points.begin(), points.end(), [&](TPoint p) { return PointInRect(p, r); });
}

bool BlockTouches(const Block& b, const TRect& r)
{
    const TRect br = b.Rect();
    switch (b.Kind) {
    case bkJoint:
        return PointInRect({b.Left, b.Top}, r);
    case bkRhomb: {
        const RhombVertices v = RhombOf(br);
        return AnyIn({v.top, v.left, v.right, v.bottom}, r) ||
               AnyCornerInside(r, [&](TPoint c) { return InsideRhomb(c, br); });
    }
    case bkParallelogram: {
        const ParallelogramVertices v = ParallelogramOf(b);
        return AnyIn({v.bl, v.tl, v.tr, v.br}, r) ||
               AnyCornerInside(r, [&](TPoint c) { return InsideParallelogram(c, b); });
    }
    case bkDivider: {
        const int32_t t = DividerShoulder(b);
        const TRect upper{b.Left, b.Top, b.Right, t};
        return AnyIn({{b.Left, b.Top}, {b.Right, b.Top}, {b.Right, t}, {b.Left, t}}, r) ||
               AnyCornerInside(r, [&](TPoint c) { return PointInRect(c, upper); }) ||
               PointInRect({Trunc((int64_t(b.Left) + b.Right) / 2.0), b.Bottom}, r) ||
               InsideDividerPoint({r.Left, r.Top}, b) || InsideDividerPoint({r.Right, r.Top}, b);
    }
    default:
        return AnyIn({{b.Left, b.Top}, {b.Right, b.Top}, {b.Right, b.Bottom}, {b.Left, b.Bottom}},
                     r) ||
               AnyCornerInside(r, [&](TPoint c) { return PointInRect(c, br); });
    }
}

int32_t Clamp(int32_t v, int32_t lo, int32_t hi)
{
    return v < lo ? lo : v > hi ? hi : v;
}

// Snap onto a link segment.
bool LinkTarget(TPoint p, TLinkEnds s, TPoint& snapped)
{
    if (s.A.x == s.B.x) {
        const int32_t lo = MinInt(s.A.y, s.B.y), hi = MaxInt(s.A.y, s.B.y);
        if (lo - 3 <= p.y && p.y <= hi + 3 && std::abs(int64_t(s.A.x) - p.x) < 4) {
            snapped = {p.x, Clamp(p.y, lo, hi)};
            return true;
        }
        return false;
    }
    if (MinInt(s.A.x, s.B.x) - 3 <= p.x && p.x <= MaxInt(s.A.x, s.B.x) + 3) {
        const int32_t y = LineYAt(p.x, RectOf(s.A, s.B));
        if (std::abs(int64_t(y) - p.y) < 3) {
            snapped = {p.x, y};
            return true;
        }
    }
    return false;
}

TRect Band(int64_t l, int64_t t, int64_t r, int64_t b)
{
    return {int32_t(l), int32_t(t), int32_t(r), int32_t(b)};
}

bool BlockTarget(TPoint p, const Block& b, TPoint& s)
{
    const int32_t L = b.Left, T = b.Top, R = b.Right, B = b.Bottom;
    const double W = b.Width(), H = b.Height();
    bool found = false;
    auto band = [&](const TRect& r, TPoint snap) {
        if (PointInRect(p, r)) {
            s = snap;
            found = true;
        }
    };
    switch (b.Kind) {
    case bkRectangle:
    case bkProcess:
        band(Band(L - 3, T - 3, R + 3, T + 3), {Clamp(p.x, L, R), T});
        band(Band(R - 3, T - 3, R + 3, B + 3), {R, Clamp(p.y, T, B)});
        band(Band(L - 3, B - 3, R + 3, B + 3), {Clamp(p.x, L, R), B});
        band(Band(L - 3, T - 3, L + 3, B + 3), {L, Clamp(p.y, T, B)});
        return found;
    case bkEllipse: {
        const TPoint m = MidPoint({L, T}, {R, B});
        const double a = W / 2, c = H / 2;
        const double dx = p.x - m.x, dy = p.y - m.y;
        const double outer = (dx / (a + 2)) * (dx / (a + 2)) + (dy / (c + 2)) * (dy / (c + 2));
        const bool beyondInner =
            a <= 2 || c <= 2 ||
            (dx / (a - 2)) * (dx / (a - 2)) + (dy / (c - 2)) * (dy / (c - 2)) >= 1;
        const double d = std::sqrt(dx * dx + dy * dy);
        if (outer > 1 || !beyondInner || d == 0) return false;
        s = {m.x + RoundEven(a * dx / d), m.y + RoundEven(c * dy / d)};
        return true;
    }
    case bkRhomb: {
        const TRect grown = Band(int64_t(L) - 3, int64_t(T) - 3, int64_t(R) + 3, int64_t(B) + 3);
        TRect shrunk = b.Rect();
        ShrinkRect(3, shrunk);
        if (!InsideRhomb(p, grown) || InsideRhomb(p, shrunk)) return false;
        s = p;
        const RhombVertices v = RhombOf(b.Rect());
        const TRect edges[4] = {RectOf(v.top, v.left), RectOf(v.right, v.bottom),
                                RectOf(v.top, v.right), RectOf(v.left, v.bottom)};
        for (const TRect& e : edges) {
            if (H < W) {
                const int32_t y = LineYAt(p.x, e);
                if (std::abs(int64_t(y) - p.y) <= 3) {
                    s.y = y;
                    break;
                }
            } else {
                const int32_t x = LineXAt(p.y, e);
                if (std::abs(int64_t(x) - p.x) <= 3) {
                    s.x = x;
                    break;
                }
            }
        }
        return true;
    }
    case bkParallelogram: {
        const ParallelogramVertices v = ParallelogramOf(b);
        if (PointInRect(p, Band(L - 3, B - 3, v.br.x + 3, B + 3))) {
            s = {Clamp(p.x, L, v.br.x), B};
            return true;
        }
        if (PointInRect(p, Band(v.tl.x - 3, T - 3, R + 3, T + 3))) {
            s = {Clamp(p.x, v.tl.x, R), T};
            return true;
        }
        auto side = [&](TPoint lo, TPoint hi, int32_t x0, int32_t x1) {
            const TRect e = RectOf(lo, hi);
            if (!(x0 - 3 <= p.x && p.x <= x1 + 3 && std::abs(int64_t(LineYAt(p.x, e)) - p.y) <= 3))
                return false;
            s.x = Clamp(p.x, x0, x1);
            s.y = LineYAt(s.x, e);
            return true;
        };
        return side(v.bl, v.tl, L, v.tl.x) || side(v.br, v.tr, v.br.x, R);
    }
    case bkCommentary: {
        const int32_t w = Trunc(W * 0.1);
        band(Band(L - 3, T - 3, int64_t(L) + w + 3, T + 3), {Clamp(p.x, L, L + w), T});
        band(Band(L - 3, B - 3, int64_t(L) + w, B + 3), {Clamp(p.x, L, L + w), B});
        band(Band(L - 3, T - 3, L + 3, B + 3), {L, Clamp(p.y, T, B)});
        return found;
    }
    case bkDocument: {
        const double h = H * 0.125;
        band(Band(L - 3, T - 3, R + 3, T + 3), {Clamp(p.x, L, R), T});
        band(Band(L - 3, T - 3, L + 3, B + 3), {L, Clamp(p.y, T, B)});
        band(Band(R - 3, T - 3, R + 3, Trunc(B + 3 - 2 * h)), {R, Clamp(p.y, T, Trunc(B - 2 * h))});
        if (W != 0 && L - 3 <= p.x && p.x <= int64_t(R) + 3 && std::abs(Wave(b, p.x) - p.y) <= 3) {
            s = {p.x, Trunc(Wave(b, p.x))};
            found = true;
        }
        return found;
    }
    case bkDivider: {
        const int32_t t = DividerShoulder(b);
        band(Band(L - 3, T - 3, R + 3, T + 3), {Clamp(p.x, L, R), T});
        band(Band(L - 3, T - 3, L + 3, int64_t(t) + 3), {L, Clamp(p.y, T, B)});
        band(Band(R - 3, T - 3, R + 3, int64_t(t) + 3), {R, Clamp(p.y, T, t)});
        if (W != 0 && L - 3 <= p.x && p.x <= int64_t(R) + 3) {
            const double v = 2 * H * std::abs(p.x - L - W / 2) / (3 * W);
            if (std::abs(p.y - (B - v)) <= 3) {
                s = {p.x, Trunc(B - v)};
                found = true;
            }
        }
        return found;
    }
    default:
        return false; // text and joint points take no links
    }
}

struct Handle
{
    int number;
    double x, y;
};

int HandlesOf(const Block& b, Handle out[8])
{
    const int32_t L = b.Left, T = b.Top, R = b.Right, B = b.Bottom;
    const TPoint m = MidPoint({L, T}, {R, B});
    switch (b.Kind) {
    case bkJoint:
        return 0;
    case bkEllipse:
    case bkRhomb:
    case bkDivider:
        out[0] = {7, double(L), double(m.y)};
        out[1] = {1, double(m.x), double(T)};
        out[2] = {3, double(R), double(m.y)};
        out[3] = {5, double(m.x), double(B)};
        return 4;
    case bkParallelogram: {
        const int32_t a = RoundEven(5.0 * L / 6 + R / 6.0);
        const int32_t c = RoundEven(L / 6.0 + 5.0 * R / 6);
        out[0] = {6, double(L), double(B)};
        out[1] = {7, double(RoundDiv(int64_t(a) + L, 2)), double(m.y)};
        out[2] = {8, double(a), double(T)};
        out[3] = {1, (double(a) + R) / 2, double(T)};
        out[4] = {2, double(R), double(T)};
        out[5] = {3, double(RoundDiv(int64_t(c) + R, 2)), double(m.y)};
        out[6] = {4, double(c), double(B)};
        out[7] = {5, (double(c) + L) / 2, double(B)};
        return 8;
    }
    default:
        out[0] = {8, double(L), double(T)};
        out[1] = {1, double(m.x), double(T)};
        out[2] = {2, double(R), double(T)};
        out[3] = {3, double(R), double(m.y)};
        out[4] = {4, double(R), double(B)};
        out[5] = {5, double(m.x), double(B)};
        out[6] = {6, double(L), double(B)};
        out[7] = {7, double(L), double(m.y)};
        return 8;
    }
}

// Below this many entries a walk is as quick as the index.
constexpr int kIndexFrom = 256;

using TReach = TSpatialIndex::TReach;

TReach Grown(const TRect& r, int64_t dx, int64_t up, int64_t down)
{
    TReach reach;
    reach.Box = Band(r.Left - dx, r.Top - up, r.Right + dx, r.Bottom + down);
    return reach;
}

// Where the tests of a block can succeed: its rectangle, the bands of 3
// around it and the handles, and where the slanted or wavy outlines that
// LinkTargetAt extends past the corners lead. Shapes of no width or height,
// or turned inside out, pass some tests far away, and are tried everywhere.
TReach BlockReach(const Block& b)
{
    const int64_t W = b.Width(), H = b.Height();
    TReach everywhere;
    everywhere.Everywhere = true;
    if (W < 0 || H < 0) return everywhere;
    const TRect r = b.Rect();
    switch (b.Kind) {
    case bkRhomb:
        // Vertices that round onto a corner leave an edge through it.
        return W < 4 || H < 4 ? everywhere : Grown(r, 4, 4, 4);
    case bkParallelogram: {
        const ParallelogramVertices v = ParallelogramOf(b);
        const int64_t run = std::min<int64_t>(v.tl.x - b.Left, b.Right - v.br.x);
        if (H == 0 || run < 1) return everywhere;
        const int64_t beyond = int64_t(std::ceil(3.0 * double(H) / double(run))) + 5;
        return Grown(r, 4, beyond, beyond);
    }
    case bkDocument: {
        if (W == 0) return Grown(r, 4, 4, 4);
        const double w = double(W), h = double(H);
        const int64_t down = int64_t(std::ceil(0.75 * h / w + h / 16)) + 5;
        const int64_t low = int64_t(std::floor(b.Bottom - (w + 3) * (h / 4) / w - h / 16)) - 5;
        return Grown(r, 4, std::max<int64_t>(4, b.Top - low), down);
    }
    case bkDivider: {
        if (W == 0) return Grown(r, 4, 4, 4);
        const double w = double(W), h = double(H);
        const int64_t low = int64_t(std::floor(b.Bottom - h / 3 - 2 * h / w)) - 5;
        return Grown(r, 4, std::max<int64_t>(4, b.Top - low), 4);
    }
    default:
        return Grown(r, 4, 4, 4);
    }
}

// A link is hit near its segment; LinkTargetAt follows its line 3 units
// past the ends across, which on a steep link leads far along it.
TReach LinkReach(TLinkEnds s)
{
    TReach reach;
    reach.IsLink = true;
    reach.HasLine = true;
    reach.Line = LineKeyOf(s.A, s.B);
    reach.Box = Band(int64_t(MinInt(s.A.x, s.B.x)) - 3, int64_t(MinInt(s.A.y, s.B.y)) - 3,
                     int64_t(MaxInt(s.A.x, s.B.x)) + 3, int64_t(MaxInt(s.A.y, s.B.y)) + 3);
    reach.Margin = 5;
    if (s.A == s.B) {
        // Read as a line across, it is near every point close to x = 0.
        reach.Everywhere = true;
    } else if (s.A.x == s.B.x) {
        reach.A = {s.A.x, reach.Box.Top};
        reach.B = {s.A.x, reach.Box.Bottom};
    } else {
        const TPoint from = s.A.x < s.B.x ? s.A : s.B, to = s.A.x < s.B.x ? s.B : s.A;
        const double k = double(int64_t(to.y) - from.y) / double(int64_t(to.x) - from.x);
        const auto yAt = [&](double x) { return int32_t(std::lround(from.y + k * (x - from.x))); };
        reach.A = {from.x - 3, yAt(from.x - 3.0)};
        reach.B = {to.x + 3, yAt(to.x + 3.0)};
    }
    return reach;
}

std::vector<TReach> ReachesOf(const TShem& shem)
{
    std::vector<TReach> out;
    out.reserve(size_t(shem.Count()));
    for (int i = 0; i < shem.Count(); ++i) {
        const TShemObj& e = *shem.Get(i);
        out.push_back(e.IsBlock() ? BlockReach(e.block()) : LinkReach(shem.LinkEnds(e.link())));
    }
    return out;
}

} // namespace

class THitIndex
{
public:
    TSpatialIndex Grid;
    bool Enabled = true;
    uint64_t BuiltAt = ~uint64_t(0);
    uint64_t SeenAt = ~uint64_t(0);
    int64_t Walked = 0; // entries tried by linear walks since the last change
    // The candidates of the last rectangle, for enumerating it call by call.
    bool RectKnown = false;
    bool RectUsable = false;
    TRect RectKey;
    std::vector<int> RectCandidates;
};

void THitIndexDeleter::operator()(THitIndex* index) const
{
    delete index;
}

void TShem::UseSpatialIndex(bool on)
{
    if (!m_hitIndex) m_hitIndex.reset(new THitIndex);
    m_hitIndex->Enabled = on;
}

THitIndex* TShem::HitIndex() const
{
    if (!m_hitIndex) m_hitIndex.reset(new THitIndex);
    THitIndex& h = *m_hitIndex;
    if (!h.Enabled || Count() < kIndexFrom) return nullptr;
    const uint64_t now = ChangeCount();
    if (h.BuiltAt == now) return &h;
    if (h.SeenAt != now) {
        h.SeenAt = now;
        h.Walked = 0;
    }
    // While the diagram changes between tests (a drag), walking is cheaper
    // than rebuilding; after a few full walks without a change the grid
    // pays for itself.
    if (h.Walked < 3 * int64_t(Count())) return nullptr;
    h.Grid.Build(ReachesOf(*this));
    h.BuiltAt = now;
    h.RectKnown = false;
    return &h;
}

void TShem::NoteLinearWalk(int64_t walked) const
{
    if (m_hitIndex) m_hitIndex->Walked += walked;
}

TShemObj* TShem::FirstAt(TPoint p, const std::function<bool(const TShemObj&)>& test) const
{
    if (const THitIndex* h = HitIndex()) {
        const int i = h->Grid.FirstAt(p, [&](int k) { return test(*(*m_items)[size_t(k)]); });
        return i < 0 ? nullptr : (*m_items)[size_t(i)].get();
    }
    int64_t walked = 0;
    for (const auto& e : *m_items) {
        ++walked;
        if (test(*e)) {
            NoteLinearWalk(walked);
            return e.get();
        }
    }
    NoteLinearWalk(walked);
    return nullptr;
}

TShemObj* TShem::ObjectAt(TPoint p) const
{
    return FirstAt(p, [&](const TShemObj& e) {
        return e.IsBlock() ? InsideBlock(p, e.block()) : NearSegment(p, LinkEnds(e.link()));
    });
}

bool TShem::TouchesRect(const TShemObj& e, const TRect& r) const
{
    if (e.IsBlock()) return BlockTouches(e.block(), r);
    const TLinkEnds s = LinkEnds(e.link());
    const TRect seg = RectOf(s.A, s.B);
    return Crosses(seg, {r.Left, r.Top, r.Right, r.Top}) ||
           Crosses(seg, {r.Left, r.Top, r.Right, r.Bottom}) ||
           Crosses(seg, {r.Left, r.Top, r.Left, r.Bottom}) || PointInRect(s.A, r) ||
           PointInRect(s.B, r);
}

int TShem::NextInRectIndex(int after, TRect r) const
{
    if (THitIndex* h = HitIndex()) {
        // Enumerating a region calls again with the same rectangle: its
        // candidates are gathered once.
        if (!h->RectKnown || !(h->RectKey == r)) {
            h->RectUsable = h->Grid.RectCandidates(r, h->RectCandidates);
            h->RectKey = r;
            h->RectKnown = true;
        }
        if (h->RectUsable) {
            const auto& c = h->RectCandidates;
            for (auto it = std::upper_bound(c.begin(), c.end(), after); it != c.end(); ++it)
                if (TouchesRect(*(*m_items)[size_t(*it)], r)) return *it;
            return -1;
        }
    }
    for (int i = after + 1; i < Count(); ++i)
        if (TouchesRect(*(*m_items)[size_t(i)], r)) {
            NoteLinearWalk(i - after);
            return i;
        }
    NoteLinearWalk(Count() - after - 1);
    return -1;
}

TShemObj* TShem::NextInRect(const TShemObj* after, TRect r) const
{
    const int i = NextInRectIndex(after ? IndexOf(after) : -1, r);
    return i < 0 ? nullptr : (*m_items)[size_t(i)].get();
}

TShemObj* TShem::LinkTargetAt(TPoint p, TPoint& snapped) const
{
    return FirstAt(p, [&](const TShemObj& e) {
        return e.IsBlock() ? BlockTarget(p, e.block(), snapped)
                           : LinkTarget(p, LinkEnds(e.link()), snapped);
    });
}

TShemObj* TShem::HandleAt(TPoint p, int& handle) const
{
    return FirstAt(p, [&](const TShemObj& e) {
        if (!e.IsBlock()) return false;
        Handle hs[8];
        const int n = HandlesOf(e.block(), hs);
        for (int k = 0; k < n; ++k) {
            if (std::abs(p.x - hs[k].x) <= 1 && std::abs(p.y - hs[k].y) <= 1) {
                handle = hs[k].number;
                return true;
            }
        }
        return false;
    });
}

TShemObj* TShem::LinkEndAt(TPoint p, int& end) const
{
    end = 1;
    return FirstAt(p, [&](const TShemObj& e) {
        if (!e.IsLink()) return false;
        const TLink& l = e.link();
        const TLinkEnds s = LinkEnds(l);
        int candidate = -1;
        if (Distance(p, s.A) <= 1) candidate = 1;
        if (Distance(p, s.B) <= 1) candidate = 0;
        if (candidate < 0) return false;
        const TShemObj* on = candidate == 1 ? l.EndA : l.EndB;
        if (on && on->IsJoint()) return false; // ends on joint points are not dragged
        end = candidate;
        return true;
    });
}

} // namespace kb
