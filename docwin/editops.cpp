#include "docwin/editops.h"

#include <unordered_set>
#include <vector>

namespace kb {

namespace {

constexpr TPoint kJointMiddle{32767, 32767};

// offset / span in 65535ths, rounded, inside 0..65535; 0 for an empty span.
int32_t Fraction(int64_t offset, int64_t span)
{
    if (span == 0) return 0;
    if (span < 0) {
        offset = -offset;
        span = -span;
    }
    return ClampCoord(RoundDiv(offset * kMaxCoord, span));
}

// The end of link that is not on entry: the entry there and its position.
struct TFarEnd
{
    TShemObj* Entry = nullptr;
    TPoint Pos;
    bool IsEndA = false;
};

TFarEnd FarEnd(const TLink& l, const TShemObj* entry)
{
    if (l.EndA == entry) return {l.EndB, l.PosB, false};
    return {l.EndA, l.PosA, true};
}

// How far along link pt lies, in 65535ths, measured on the longer axis.
int32_t SplitFraction(const TLinkEnds& s, TPoint pt)
{
    const int64_t dx = int64_t(s.B.x) - s.A.x;
    const int64_t dy = int64_t(s.B.y) - s.A.y;
    if (std::abs(dx) >= std::abs(dy)) return Fraction(int64_t(pt.x) - s.A.x, dx);
    return Fraction(int64_t(pt.y) - s.A.y, dy);
}

// Calls fn(end entry, end position) for every end of every link on `on`.
template <typename Fn> void ForEachEndOn(TShem& shem, const TShemObj* on, Fn fn)
{
    for (int i = 0; i < shem.Count(); ++i) {
        TShemObj* e = shem.Get(i);
        if (!e->IsLink()) continue;
        TLink& l = e->link();
        if (l.EndA == on) fn(l.EndA, l.PosA);
        if (l.EndB == on) fn(l.EndB, l.PosB);
    }
}

} // namespace

TPoint AttachPosition(const TShem& shem, const TShemObj* e, TPoint p)
{
    const TPoint o0 = shem.AttachPoint({0, 0}, e);
    const TPoint o1 = shem.AttachPoint({kMaxCoord, kMaxCoord}, e);
    const int64_t rx = int64_t(p.x) - o0.x;
    const int64_t ry = int64_t(p.y) - o0.y;
    const int64_t w = int64_t(o1.x) - o0.x;
    const int64_t h = int64_t(o1.y) - o0.y;
    if (e && e->IsLink()) {
        // Only x places an end on a link; a vertical link is measured in y.
        const int32_t x = w == 0 ? Fraction(ry, h) : Fraction(rx, w);
        return {x, ClampCoord(ry)};
    }
    return {Fraction(rx, w), Fraction(ry, h)};
}

TPoint InsideCorrection(const TRect& r)
{
    auto shift = [](int64_t lo, int64_t hi) -> int32_t {
        if (lo < 0) return int32_t(-lo);
        if (hi > kMaxCoord) return int32_t(kMaxCoord - hi);
        return 0;
    };
    return {shift(r.Left, r.Right), shift(r.Top, r.Bottom)};
}

TRect MovedInside(const TRect& r, int64_t dx, int64_t dy)
{
    const TRect moved{int32_t(r.Left + dx), int32_t(r.Top + dy), int32_t(r.Right + dx),
                      int32_t(r.Bottom + dy)};
    const TPoint c = InsideCorrection(moved);
    return ClampRect({moved.Left + c.x, moved.Top + c.y, moved.Right + c.x, moved.Bottom + c.y});
}

bool Reaches(const TShemObj* from, const TShemObj* target)
{
    std::vector<const TShemObj*> stack{from};
    std::unordered_set<const TShemObj*> seen;
    while (!stack.empty()) {
        const TShemObj* e = stack.back();
        stack.pop_back();
        if (e == target) return true;
        if (!e || !e->IsLink() || !seen.insert(e).second) continue;
        stack.push_back(e->link().EndA);
        stack.push_back(e->link().EndB);
    }
    return false;
}

TTwoLinks FirstTwoLinksOf(const TShem& shem, const TShemObj* entry)
{
    TTwoLinks two;
    const int first = shem.NextLinkOf(nullptr, entry);
    if (first < 0) return two;
    two.First = shem.Get(first);
    const int second = shem.NextLinkOf(two.First, entry);
    if (second >= 0) two.Second = shem.Get(second);
    return two;
}

TRect JointRect(TPoint c)
{
    return ClampRect({c.x - 1, c.y - 1, c.x + 1, c.y + 1});
}

TShemObj* SplitLink(TShem& shem, TShemObj* link, TPoint pt)
{
    const TLinkEnds ends = shem.LinkEnds(link->link());
    const int32_t f = SplitFraction(ends, pt);

    Block joint;
    joint.Kind = bkJoint;
    joint.SetRect(JointRect(pt));
    shem.Insert(0, std::make_unique<TShemObj>(joint));
    TShemObj* point = shem.Get(0);

    TLink& old = link->link();
    TLink first;
    first.Style = old.Style;
    first.EndA = old.EndA;
    first.PosA = old.PosA;
    first.EndB = point;
    first.PosB = kJointMiddle;
    TShemObj* head = shem.Get(shem.AddLink(first));
    old.EndA = point;
    old.PosA = kJointMiddle;

    // Only x places an end on a link, so x alone decides which part it is on.
    ForEachEndOn(shem, link, [&](TShemObj*& end, TPoint& pos) {
        if (pos.x <= f) {
            end = head;
            pos.x = f == 0 ? 0 : ClampCoord(RoundDiv(int64_t(pos.x) * kMaxCoord, f));
        } else {
            pos.x = ClampCoord(RoundDiv((int64_t(pos.x) - f) * kMaxCoord, kMaxCoord - f));
        }
    });
    return point;
}

bool CanMerge(const TShem& shem, const TShemObj* joint)
{
    const TTwoLinks two = FirstTwoLinksOf(shem, joint);
    if (!two.Second) return false;
    for (const TShemObj* l : {two.First, two.Second}) {
        const TShemObj* far = FarEnd(l->link(), joint).Entry;
        if (!far || far == joint || Reaches(far, two.First) || Reaches(far, two.Second))
            return false;
    }
    return true;
}

void MergeAtJoint(TShem& shem, TShemObj* joint)
{
    const TTwoLinks two = FirstTwoLinksOf(shem, joint);
    TShemObj* merged = shem.Get(shem.AddLink(TLink{}));
    TLink& m = merged->link();

    // The merged link runs from the first link's far end through the joint to
    // the second's; a link sitting on either keeps its place along that way.
    const TFarEnd far1 = FarEnd(two.First->link(), joint);
    m.EndA = far1.Entry;
    m.PosA = far1.Pos;
    (far1.IsEndA ? two.First->link().EndA : two.First->link().EndB) = nullptr;
    ForEachEndOn(shem, two.First, [&](TShemObj*& end, TPoint& pos) {
        const auto fromFar = [&](int32_t v) { return far1.IsEndA ? v : kMaxCoord - v; };
        end = merged;
        pos = {int32_t(RoundDiv(fromFar(pos.x), 2)), int32_t(RoundDiv(fromFar(pos.y), 2))};
    });

    const TFarEnd far2 = FarEnd(two.Second->link(), joint);
    m.EndB = far2.Entry;
    m.PosB = far2.Pos;
    (far2.IsEndA ? two.Second->link().EndA : two.Second->link().EndB) = nullptr;
    ForEachEndOn(shem, two.Second, [&](TShemObj*& end, TPoint& pos) {
        const auto fromJoint = [&](int32_t v) { return far2.IsEndA ? kMaxCoord - v : v; };
        end = merged;
        pos = {ClampCoord(32767 + RoundDiv(fromJoint(pos.x), 2)),
               ClampCoord(32767 + RoundDiv(fromJoint(pos.y), 2))};
    });
}

std::optional<TPoint> NextBend(const TShem& shem, const TShemObj* joint)
{
    const TTwoLinks two = FirstTwoLinksOf(shem, joint);
    if (!two.Second) return std::nullopt;
    const TFarEnd f1 = FarEnd(two.First->link(), joint);
    const TFarEnd f2 = FarEnd(two.Second->link(), joint);
    const TPoint e1 = shem.AttachPoint(f1.Pos, f1.Entry);
    const TPoint e2 = shem.AttachPoint(f2.Pos, f2.Entry);
    const Block& b = joint->block();
    const TPoint ctr = MidPoint({b.Left, b.Top}, {b.Right, b.Bottom});
    if (e1.x == ctr.x && e2.y == ctr.y) return TPoint{e2.x, e1.y};
    return TPoint{e1.x, e2.y};
}

} // namespace kb
