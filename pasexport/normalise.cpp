// Passes 1 to 4: joint points and links that end on links are rewritten until
// every link joins two blocks directly.
#include "pasexport/messages.h"
#include "pasexport/passes.h"

namespace kb::pas {

namespace {

constexpr TPoint kCentre{32767, 32767};
constexpr TPoint kTopMiddle{32767, 0};

uint8_t SwapArrows(uint8_t style)
{
    return style == 1 ? 2 : style == 2 ? 1 : style;
}

TPoint HalfOf(TPoint p)
{
    return {int32_t(RoundDiv(p.x, 2)), int32_t(RoundDiv(p.y, 2))};
}

// Moves every end on `from` of the links attached to `from` to `to`, at the
// position `place` makes of the old one.
template <class Place> void Reattach(TWorkGraph& g, TNodeId from, TNodeId to, Place place)
{
    const std::vector<TNodeId> attached = g[from].Touching;
    for (TNodeId z : attached)
        for (TEnd e : {endA, endB})
            if (g[z].End[e] == from) g.SetEnd(z, e, to, place(g[z].Pos[e]));
}

TStep ContractAt(TWorkGraph& g, TNodeId l)
{
    if (!g.IsLink(l)) return TStep::Skip;
    const TNodeId pa = g[l].End[endA];
    const TNodeId pb = g[l].End[endB];
    if (!g.IsKind(pa, bkJoint) || !g.IsKind(pb, bkJoint)) return TStep::Skip;
    if (!g[l].Touching.empty()) {
        g[pa].Junction = 1;
        Reattach(g, l, pa, [](TPoint p) { return p; });
    }
    if (pb != pa)
        for (TNodeId z : std::vector<TNodeId>(g[pb].Touching))
            g.MoveEnds(z, pb, pa);
    if (g[pb].Junction) g[pa].Junction = 1;
    g.ClearEnds(l);
    g.Remove(l);
    // A link from a point to itself only goes; the point and its links stay.
    if (pb != pa) g.Remove(pb);
    return TStep::Rewrote;
}

// Hands the far end of `l` (seen from the joint point p) over to end `end` of
// n and clears it on l. Returns whether l's end A was p.
bool TakeFarEnd(TWorkGraph& g, TNodeId l, TNodeId p, TNodeId n, TEnd end)
{
    const bool startsAtP = g[l].End[endA] == p;
    const TEnd far = g.NearEnd(l, p) == endA ? endB : endA;
    g.SetEnd(n, end, g[l].End[far], g[l].Pos[far]);
    g.SetEnd(l, far, kNone, {});
    return startsAtP;
}

TStep MergeAt(TWorkGraph& g, TNodeId p)
{
    if (!g.IsKind(p, bkJoint) || g[p].Junction) return TStep::Skip;
    if (g[p].Touching.empty()) {
        g.Remove(p);
        return TStep::Rewrote;
    }
    // A point with a single link cannot become a link; pass 4 deals with it.
    if (g[p].Touching.size() < 2) return TStep::Skip;
    const TNodeId l1 = g[p].Touching[0];
    const TNodeId l2 = g[p].Touching[1];
    const TNodeId n = g.AppendLink(0);

    const uint8_t style1 = g[l1].Style;
    g.SetStyle(n, TakeFarEnd(g, l1, p, n, endA) ? SwapArrows(style1) : style1);
    Reattach(g, l1, n, HalfOf);

    const uint8_t style2 = g[l2].Style;
    const bool l2StartsAtP = TakeFarEnd(g, l2, p, n, endB);
    if (g[n].Style == 0 || g[n].Style == 3)
        g.SetStyle(n, l2StartsAtP ? style2 : SwapArrows(style2));
    Reattach(g, l2, n, [](TPoint q) {
        const TPoint h = HalfOf(q);
        return TPoint{32766 + h.x, 32766 + h.y};
    });

    g.Remove(p);
    return TStep::Rewrote;
}

TStep SplitAt(TWorkGraph& g, TNodeId l)
{
    if (!g.IsLink(l) || g[l].Touching.empty()) return TStep::Skip;
    const TPoint m = g.AttachPoint(kCentre, l);
    const TNodeId p = g.InsertJointAtFront({m.x, m.y, m.x + 2, m.y + 2});
    const TNodeId head = g.AppendLink(g[l].Style);
    g.SetEnd(head, endA, g[l].End[endA], g[l].Pos[endA]);
    g.SetEnd(head, endB, p, kCentre);
    g.SetEnd(l, endA, p, kCentre);
    Reattach(g, l, p, [](TPoint) { return kCentre; });
    return TStep::Rewrote;
}

TStep BypassAt(TWorkGraph& g, TNodeId p, TMessages& messages)
{
    if (!g.IsKind(p, bkJoint)) return TStep::Skip;
    const TNodeId out = g.FirstOutgoing(p);
    if (out == kNone) {
        messages.emplace_back(kMsgNoOutgoingLink);
        return TStep::Failed;
    }
    if (!g[out].Touching.empty()) return TStep::Skip;
    const TNodeId s = g.Far(out, p);
    for (TNodeId z : std::vector<TNodeId>(g[p].Touching)) {
        if (z == out) continue;
        for (TEnd e : {endA, endB})
            if (g[z].End[e] == p) {
                g.SetEnd(z, e, s, kTopMiddle);
                g.SetStyle(z, e == endA ? 2 : 1); // the arrow points at s
            }
    }
    g.ClearEnds(out);
    g.Remove(out);
    g.Remove(p);
    return TStep::Rewrote;
}

} // namespace

void ContractJointLinks(TWorkGraph& g)
{
    TWalk(g, TReach::Near).Run([&](TNodeId id) { return ContractAt(g, id); });
}

void MergeJointPoints(TWorkGraph& g)
{
    TWalk(g, TReach::Near).Run([&](TNodeId id) { return MergeAt(g, id); });
}

void DropLinkCycles(TWorkGraph& g)
{
    // A link is sound once both its ends are: blocks are, links become so in
    // turn. Whatever is left over lies on a cycle or ends on one.
    std::vector<int> pending(size_t(g.Size()), 0);
    std::vector<std::vector<TNodeId>> waiting(size_t(g.Size()));
    std::vector<TNodeId> sound;
    for (TNodeId id = 0; id < g.Size(); ++id) {
        if (!g.Alive(id)) continue;
        if (g.IsBlock(id))
            sound.push_back(id);
        else
            for (TNodeId e : g[id].End)
                if (g.IsLink(e)) {
                    ++pending[size_t(id)];
                    waiting[size_t(e)].push_back(id);
                }
        if (g.IsLink(id) && pending[size_t(id)] == 0) sound.push_back(id);
    }
    std::vector<char> isSound(size_t(g.Size()), 0);
    for (size_t i = 0; i < sound.size(); ++i) {
        isSound[size_t(sound[i])] = 1;
        for (TNodeId w : waiting[size_t(sound[i])])
            if (--pending[size_t(w)] == 0) sound.push_back(w);
    }
    std::vector<TNodeId> doomed;
    for (TNodeId id = 0; id < g.Size(); ++id)
        if (g.IsLink(id) && !isSound[size_t(id)]) doomed.push_back(id);
    // Ends first, so that no deletion cascades into what the links joined.
    for (TNodeId l : doomed)
        g.ClearEnds(l);
    for (TNodeId l : doomed)
        g.Remove(l);
}

void SplitCarrierLinks(TWorkGraph& g)
{
    TWalk(g, TReach::Near).Run([&](TNodeId id) { return SplitAt(g, id); });
}

void BypassJointPoints(TWorkGraph& g, TMessages& messages)
{
    TWalk(g, TReach::Near).Run([&](TNodeId id) { return BypassAt(g, id, messages); });
}

} // namespace kb::pas
