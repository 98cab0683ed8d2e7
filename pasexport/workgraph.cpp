#include "pasexport/workgraph.h"

#include <algorithm>
#include <unordered_map>
#include <unordered_set>

namespace kb::pas {

void TLinkList::Insert(const_iterator at, int32_t id)
{
    m_ids.insert(at, id);
}

void TLinkList::Erase(const_iterator at)
{
    if (at != begin()) {
        m_ids.erase(at);
        return;
    }
    ++m_front;
    // The gone entries are dropped once they are as many as the rest, so the
    // list never holds more than twice what it lists.
    if (m_front >= size()) {
        m_ids.erase(m_ids.begin(), m_ids.begin() + std::ptrdiff_t(m_front));
        m_front = 0;
    }
}

void TDirtyQueue::Push(TNodeId id)
{
    if (!m_graph.Alive(id)) return;
    if (m_queued.size() <= size_t(id)) m_queued.resize(size_t(m_graph.Size()), 0);
    if (m_queued[size_t(id)]) return;
    m_queued[size_t(id)] = 1;
    m_heap.emplace(m_graph[id].Order, id);
}

void TDirtyQueue::PushAll()
{
    for (TNodeId id = 0; id < m_graph.Size(); ++id)
        Push(id);
}

void TDirtyQueue::Pop()
{
    m_queued[size_t(Top())] = 0;
    m_heap.pop();
}

TWorkGraph::TWorkGraph(const TShem& shem)
{
    m_nodes.resize(size_t(shem.Count()));
    for (int i = 0; i < shem.Count(); ++i) {
        const TShemObj& e = *shem.Get(i);
        TNode& n = m_nodes[size_t(i)];
        n.Order = i;
        n.IsLink = e.IsLink();
        if (e.IsBlock()) {
            const Block& b = e.block();
            n.Kind = b.Kind;
            n.Junction = b.Junction;
            n.Text = TMergeText(b.Text);
            n.Rect = b.Rect();
            continue;
        }
        const TLink& l = e.link();
        n.Style = l.Style;
        n.End[endA] = shem.IndexOf(l.EndA);
        n.End[endB] = shem.IndexOf(l.EndB);
        n.Pos[endA] = l.PosA;
        n.Pos[endB] = l.PosB;
        // Links are visited in list order, so every Touching list stays sorted.
        Attach(i, n.End[endA]);
        Attach(i, n.End[endB]);
    }
    m_last = shem.Count() - 1;
    for (TNodeId id = 0; id < Size(); ++id) {
        if (IsKind(id, bkRhomb)) m_rhombs.push_back(id);
        if (IsYesLabel(id)) m_labels.push_back(id);
    }
}

std::vector<TNodeId> TWorkGraph::InListOrder() const
{
    std::vector<TNodeId> ids;
    for (TNodeId id = 0; id < Size(); ++id)
        if (Alive(id)) ids.push_back(id);
    std::sort(ids.begin(), ids.end(),
              [this](TNodeId a, TNodeId b) { return (*this)[a].Order < (*this)[b].Order; });
    return ids;
}

TEnd TWorkGraph::NearEnd(TNodeId link, TNodeId from) const
{
    return (*this)[link].End[endA] == from ? endA : endB;
}

TNodeId TWorkGraph::Far(TNodeId link, TNodeId from) const
{
    return (*this)[link].End[NearEnd(link, from) == endA ? endB : endA];
}

bool TWorkGraph::IsOutgoing(TNodeId link, TNodeId x) const
{
    const TNode& l = (*this)[link];
    return (l.End[endA] == x && l.Style == 1) || (l.End[endB] == x && l.Style == 2);
}

bool TWorkGraph::IsIncoming(TNodeId link, TNodeId x) const
{
    const TNode& l = (*this)[link];
    return (l.End[endB] == x && l.Style == 1) || (l.End[endA] == x && l.Style == 2);
}

TNodeId TWorkGraph::FirstOutgoing(TNodeId x) const
{
    for (TNodeId l : (*this)[x].Touching)
        if (IsOutgoing(l, x)) return l;
    return kNone;
}

TNodeId TWorkGraph::Successor(TNodeId x) const
{
    if (!Alive(x)) return kNone;
    const TNodeId p = FirstOutgoing(x);
    return p == kNone ? kNone : Far(p, x);
}

int TWorkGraph::IncomingCount(TNodeId x) const
{
    int n = 0;
    for (TNodeId l : (*this)[x].Touching)
        n += IsIncoming(l, x);
    return n;
}

namespace {

TPoint PointOnRect(TPoint pos, const TRect& r)
{
    return {int32_t(r.Left + RoundDiv(int64_t(pos.x) * (int64_t(r.Right) - r.Left), kMaxCoord)),
            int32_t(r.Top + RoundDiv(int64_t(pos.y) * (int64_t(r.Bottom) - r.Top), kMaxCoord))};
}

TPoint PointOnSegment(int32_t x, const TLinkEnds& s)
{
    return {int32_t(s.A.x + RoundDiv(int64_t(x) * (int64_t(s.B.x) - s.A.x), kMaxCoord)),
            int32_t(s.A.y + RoundDiv(int64_t(x) * (int64_t(s.B.y) - s.A.y), kMaxCoord))};
}

} // namespace

// The end points of a link whose ends may sit on links, resolved bottom-up
// with an explicit stack so that long chains cannot exhaust the call stack,
// and remembered until a rewrite moves the link (ForgetSegments): asking for
// every link of a chain stays linear. A cycle (removed before the geometry
// is ever needed) resolves to the origin.
TLinkEnds TWorkGraph::SegmentOf(TNodeId link) const
{
    if (m_segmentKnown.size() < size_t(Size())) {
        m_segmentKnown.resize(size_t(Size()), 0);
        m_segments.resize(size_t(Size()));
    }
    auto known = [&](TNodeId e) { return m_segmentKnown[size_t(e)] != 0; };
    auto at = [&](TPoint pos, TNodeId e) -> TPoint {
        if (!Alive(e)) return {};
        if (!(*this)[e].IsLink) return PointOnRect(pos, (*this)[e].Rect);
        return known(e) ? PointOnSegment(pos.x, m_segments[size_t(e)]) : TPoint{};
    };
    std::unordered_set<TNodeId> open;
    std::vector<TNodeId> stack{link};
    while (!stack.empty()) {
        const TNodeId l = stack.back();
        if (known(l)) {
            stack.pop_back();
            continue;
        }
        const TNode& n = (*this)[l];
        if (open.insert(l).second) {
            for (TNodeId e : n.End)
                if (IsLink(e) && !known(e) && !open.count(e)) stack.push_back(e);
            continue;
        }
        m_segments[size_t(l)] = {at(n.Pos[endA], n.End[endA]), at(n.Pos[endB], n.End[endB])};
        m_segmentKnown[size_t(l)] = 1;
        stack.pop_back();
    }
    return m_segments[size_t(link)];
}

// A link that moves moves every link that ends on it, and those on them.
// Whatever is remembered was solved with all it ends on, so the walk stops
// at links that are not remembered.
void TWorkGraph::ForgetSegments(TNodeId link)
{
    // Most rewrites move links nothing was solved for yet.
    if (size_t(link) >= m_segmentKnown.size() || !m_segmentKnown[size_t(link)]) return;
    std::vector<TNodeId> stack{link};
    while (!stack.empty()) {
        const TNodeId l = stack.back();
        stack.pop_back();
        if (size_t(l) >= m_segmentKnown.size() || !m_segmentKnown[size_t(l)]) continue;
        m_segmentKnown[size_t(l)] = 0;
        for (TNodeId t : (*this)[l].Touching)
            stack.push_back(t);
    }
}

TPoint TWorkGraph::AttachPoint(TPoint pos, TNodeId on) const
{
    if (!Alive(on)) return {};
    if (!(*this)[on].IsLink) return PointOnRect(pos, (*this)[on].Rect);
    return PointOnSegment(pos.x, SegmentOf(on));
}

bool TWorkGraph::IsYesLabel(TNodeId id) const
{
    return IsKind(id, bkText) && (*this)[id].Text.Flat() == "yes";
}

std::vector<TNodeId> TWorkGraph::YesLabels() const
{
    // No pass ever makes a new label, so the list read at the start only thins out.
    std::vector<TNodeId> labels;
    for (TNodeId id : m_labels)
        if (IsYesLabel(id)) labels.push_back(id);
    return labels;
}

void TWorkGraph::LabelGone()
{
    // Any decision may have measured its branches against the lost label.
    for (TNodeId d : m_rhombs)
        Mark(d);
}

TNodeId TWorkGraph::AppendLink(uint8_t style)
{
    TNode n;
    n.IsLink = true;
    n.Style = style;
    n.Order = ++m_last;
    m_nodes.push_back(std::move(n));
    Mark(Size() - 1);
    return Size() - 1;
}

TNodeId TWorkGraph::InsertJointAtFront(TRect r)
{
    TNode n;
    n.Kind = bkJoint;
    n.Rect = ClampRect(r);
    n.Order = --m_first;
    m_nodes.push_back(std::move(n));
    Mark(Size() - 1);
    return Size() - 1;
}

// Where `link` is or would go in the node's list, which is sorted by list order.
TLinkList::const_iterator TWorkGraph::PlaceOf(TNodeId link, TNodeId node) const
{
    const TLinkList& t = (*this)[node].Touching;
    const int64_t order = (*this)[link].Order;
    return std::lower_bound(t.begin(), t.end(), order,
                            [this](TNodeId l, int64_t o) { return (*this)[l].Order < o; });
}

void TWorkGraph::Attach(TNodeId link, TNodeId node)
{
    if (!Alive(node)) return;
    TLinkList& t = (*this)[node].Touching;
    const auto it = PlaceOf(link, node);
    if (it == t.end() || *it != link) t.Insert(it, link);
}

void TWorkGraph::Detach(TNodeId link, TNodeId node)
{
    if (!Alive(node)) return;
    TLinkList& t = (*this)[node].Touching;
    const auto it = PlaceOf(link, node);
    if (it != t.end() && *it == link) t.Erase(it);
}

void TWorkGraph::SetEnd(TNodeId link, TEnd end, TNodeId node, TPoint pos)
{
    ForgetSegments(link);
    TNode& l = (*this)[link];
    const TNodeId old = l.End[end];
    const TNodeId other = l.End[1 - end];
    l.End[end] = node;
    l.Pos[end] = pos;
    if (old != node && old != other) Detach(link, old);
    Attach(link, node);
    Mark(link);
    Changed(old);
    Changed(node);
    Changed(other);
}

void TWorkGraph::MoveEnds(TNodeId link, TNodeId from, TNodeId to)
{
    for (TEnd e : {endA, endB})
        if ((*this)[link].End[e] == from) SetEnd(link, e, to, (*this)[link].Pos[e]);
}

void TWorkGraph::ClearEnds(TNodeId link)
{
    SetEnd(link, endA, kNone, {});
    SetEnd(link, endB, kNone, {});
}

void TWorkGraph::SetStyle(TNodeId link, uint8_t style)
{
    (*this)[link].Style = style;
    Mark(link);
    Changed((*this)[link].End[endA]);
    Changed((*this)[link].End[endB]);
}

void TWorkGraph::SetKind(TNodeId block, uint8_t kind)
{
    const bool wasLabel = IsYesLabel(block);
    (*this)[block].Kind = kind;
    Changed(block);
    if (wasLabel && !IsYesLabel(block)) LabelGone();
}

void TWorkGraph::SetText(TNodeId block, std::string text)
{
    const bool wasLabel = IsYesLabel(block);
    (*this)[block].Text = TMergeText(std::move(text));
    if (wasLabel && !IsYesLabel(block)) LabelGone();
}

void TWorkGraph::Remove(TNodeId id)
{
    if (!Alive(id)) return;
    // The cascade's result does not depend on the order it visits entries in.
    std::vector<TNodeId> doomed{id};
    std::vector<char> isDoomed(size_t(Size()), 0);
    isDoomed[size_t(id)] = 1;
    auto doom = [&](TNodeId x) {
        if (Alive(x) && !isDoomed[size_t(x)]) {
            isDoomed[size_t(x)] = 1;
            doomed.push_back(x);
        }
    };
    for (size_t i = 0; i < doomed.size(); ++i) {
        const TNode& n = (*this)[doomed[i]];
        for (TNodeId l : n.Touching)
            doom(l);
        if (n.IsLink)
            for (TNodeId e : n.End)
                if (IsKind(e, bkJoint)) doom(e);
    }
    std::vector<TNodeId> survivors;
    bool labelGone = false;
    for (TNodeId x : doomed) {
        TNode& n = (*this)[x];
        labelGone = labelGone || IsYesLabel(x);
        if (!n.IsLink) continue;
        for (TNodeId e : n.End)
            if (Alive(e) && !isDoomed[size_t(e)]) {
                Detach(x, e);
                survivors.push_back(e);
            }
    }
    for (TNodeId x : doomed) {
        (*this)[x].Alive = false;
        (*this)[x].Touching.clear();
    }
    for (TNodeId s : survivors)
        Changed(s);
    if (labelGone) LabelGone();
}

void TWorkGraph::Watch(TDirtyQueue* queue)
{
    m_watchers.push_back(queue);
    m_farWatchers += queue->Reach() == TReach::Far;
}

void TWorkGraph::Unwatch(TDirtyQueue* queue)
{
    const auto gone = std::remove(m_watchers.begin(), m_watchers.end(), queue);
    if (gone == m_watchers.end()) return;
    m_watchers.erase(gone, m_watchers.end());
    m_farWatchers -= queue->Reach() == TReach::Far;
}

void TWorkGraph::Mark(TNodeId x)
{
    for (TDirtyQueue* q : m_watchers)
        q->Push(x);
}

void TWorkGraph::MarkForFarReaders(TNodeId x)
{
    for (TDirtyQueue* q : m_watchers)
        if (q->Reach() == TReach::Far) q->Push(x);
}

// What a pass decides at an object reads at most this far: the object, the
// links on it (and on them), their far ends and the links on those. A change
// at x therefore concerns x, for a link the objects it joins, and, for the
// passes that read that far, the far ends of its links. Only those passes pay
// for the last: a block that thousands of links reach would otherwise send
// all their far ends round again after every rewrite near it.
void TWorkGraph::Changed(TNodeId x)
{
    if (!Alive(x)) return;
    Mark(x);
    if ((*this)[x].IsLink)
        for (TNodeId e : (*this)[x].End)
            Mark(e);
    if (m_farWatchers == 0) return;
    for (TNodeId l : (*this)[x].Touching)
        MarkForFarReaders(Far(l, x));
}

} // namespace kb::pas
