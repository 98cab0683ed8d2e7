// The export's private working copy of a diagram: the same entries and list
// order as a TShem, held so that every question the passes ask (the links on
// an entry, in list order; the first object that needs a rewrite) costs time
// in proportion to the entries involved, not to the whole diagram.
#pragma once

#include "model/geometry.h"
#include "model/shem.h"
#include "pasexport/mergetext.h"

#include <cstdint>
#include <queue>
#include <string>
#include <vector>

namespace kb::pas {

using TNodeId = int32_t;
constexpr TNodeId kNone = -1;

enum TEnd : uint8_t { endA = 0, endB = 1 };

// The links with an end on one entry, in list order. The passes hand the
// links of a point on to another one by one from the front; taking the first
// off costs nothing here, where erasing it from a plain vector would cost the
// length of the list each time, and a crowded point would make that square.
class TLinkList
{
public:
    using const_iterator = std::vector<int32_t>::const_iterator;

    const_iterator begin() const { return m_ids.begin() + std::ptrdiff_t(m_front); }
    const_iterator end() const { return m_ids.end(); }
    size_t size() const { return m_ids.size() - m_front; }
    bool empty() const { return size() == 0; }
    int32_t operator[](size_t i) const { return m_ids[m_front + i]; }
    operator std::vector<int32_t>() const { return {begin(), end()}; }

    void clear()
    {
        m_ids.clear();
        m_front = 0;
    }
    void Insert(const_iterator at, int32_t id);
    void Erase(const_iterator at);

private:
    std::vector<int32_t> m_ids;
    size_t m_front = 0; // entries before it are gone
};

// One entry: a block or a link. List order is the order of `Order` values;
// entries inserted at the front get ever smaller ones, appended ones larger.
struct TNode
{
    bool Alive = true;
    bool IsLink = false;
    int64_t Order = 0;
    // Block fields.
    uint8_t Kind = 0;
    uint8_t Junction = 0;
    TMergeText Text;
    TRect Rect;
    // Link fields.
    uint8_t Style = 0;
    TNodeId End[2] = {kNone, kNone};
    TPoint Pos[2];
    // The links with an end on this entry, in list order.
    TLinkList Touching;
};

class TWorkGraph;

// How far the decision a pass takes at an object reads. Near: the object,
// the links on it with their ends and styles, and whether those links carry
// links (passes 1 to 4). Far: also the far ends of those links and the links
// on them (the structuring passes, which count what leads into a successor).
enum class TReach : uint8_t { Near, Far };

// The objects a walking pass still has to look at, first in list order on
// top. Whatever is not queued is known to need no rewrite and to raise no
// error; the graph queues every object whose answer a change may alter.
class TDirtyQueue
{
public:
    TDirtyQueue(const TWorkGraph& graph, TReach reach) : m_graph(graph), m_reach(reach) {}
    TReach Reach() const { return m_reach; }
    void Push(TNodeId id);
    void PushAll();
    bool Empty() const { return m_heap.empty(); }
    TNodeId Top() const { return m_heap.top().second; }
    void Pop();

private:
    using TEntry = std::pair<int64_t, TNodeId>;
    const TWorkGraph& m_graph;
    TReach m_reach;
    std::priority_queue<TEntry, std::vector<TEntry>, std::greater<>> m_heap;
    std::vector<char> m_queued;
};

class TWorkGraph
{
public:
    explicit TWorkGraph(const TShem& shem);

    TNode& operator[](TNodeId id) { return m_nodes[size_t(id)]; }
    const TNode& operator[](TNodeId id) const { return m_nodes[size_t(id)]; }
    int Size() const { return int(m_nodes.size()); }
    bool Alive(TNodeId id) const { return id != kNone && m_nodes[size_t(id)].Alive; }
    bool IsBlock(TNodeId id) const { return Alive(id) && !m_nodes[size_t(id)].IsLink; }
    bool IsLink(TNodeId id) const { return Alive(id) && m_nodes[size_t(id)].IsLink; }
    bool IsKind(TNodeId id, uint8_t kind) const { return IsBlock(id) && (*this)[id].Kind == kind; }
    std::vector<TNodeId> InListOrder() const;

    // Link questions, in the export's sense of direction.
    TEnd NearEnd(TNodeId link, TNodeId from) const;
    TNodeId Far(TNodeId link, TNodeId from) const;
    bool IsOutgoing(TNodeId link, TNodeId x) const;
    bool IsIncoming(TNodeId link, TNodeId x) const;
    TNodeId FirstOutgoing(TNodeId x) const;
    TNodeId Successor(TNodeId x) const;
    int IncomingCount(TNodeId x) const;
    TPoint AttachPoint(TPoint pos, TNodeId on) const;
    // Text blocks reading exactly "yes", in list order.
    std::vector<TNodeId> YesLabels() const;

    // Rewriting. Every change queues what it may affect.
    TNodeId AppendLink(uint8_t style);
    TNodeId InsertJointAtFront(TRect r);
    void SetEnd(TNodeId link, TEnd end, TNodeId node, TPoint pos);
    // Moves every end of `link` that sits on `from` to `to`, keeping positions.
    void MoveEnds(TNodeId link, TNodeId from, TNodeId to);
    void ClearEnds(TNodeId link);
    void SetStyle(TNodeId link, uint8_t style);
    void SetKind(TNodeId block, uint8_t kind);
    void SetText(TNodeId block, std::string text);
    // Delete with the diagram's cascade: the links on a deleted entry, and the
    // joint points at the ends of a deleted link.
    void Remove(TNodeId id);

    void Watch(TDirtyQueue* queue);
    void Unwatch(TDirtyQueue* queue);

private:
    TLinkEnds SegmentOf(TNodeId link) const;
    void ForgetSegments(TNodeId link);
    TLinkList::const_iterator PlaceOf(TNodeId link, TNodeId node) const;
    void Attach(TNodeId link, TNodeId node);
    void Detach(TNodeId link, TNodeId node);
    bool IsYesLabel(TNodeId id) const;
    void LabelGone();
    void Changed(TNodeId x);
    void Mark(TNodeId x);
    void MarkForFarReaders(TNodeId x);

    std::vector<TNode> m_nodes;
    std::vector<TNodeId> m_rhombs;
    std::vector<TNodeId> m_labels;
    int64_t m_first = 0;
    int64_t m_last = -1;
    std::vector<TDirtyQueue*> m_watchers;
    int m_farWatchers = 0;
    // Link end points solved so far, by node; see SegmentOf.
    mutable std::vector<TLinkEnds> m_segments;
    mutable std::vector<char> m_segmentKnown;
};

} // namespace kb::pas
