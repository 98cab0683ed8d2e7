#include "unitimport/draft.h"

#include "model/entryslab.h"

#include <algorithm>

namespace kb::unitimport {

// One entry of a draft's list: an item, or a whole placed draft.
struct TOrderEntry
{
    bool IsGroup = false;
    int Index = 0;
};

// A draft: where it was placed in its parent, the first and last node of
// what it holds in list order, and the bounding box of its blocks in its own
// coordinates.
struct TDraftGroup
{
    int Parent = -1;
    TPoint Offset;
    int Head = -1;
    int Tail = -1;
    bool HasBlocks = false;
    TRect Bounds;
};

struct TOrderNode
{
    TOrderEntry Entry;
    int Next = -1;
};

struct TDraftItem
{
    int Group = 0;
    bool IsLink = false;
    Block Shape; // in its group's coordinates
    TDraftLink Link;
};

// Every draft's list is a chain of nodes in one vector of the store: a
// routine makes a draft for every nested statement list, most with a few
// items, and a container per draft would cost an allocation or more each.
struct TDraftStore
{
    std::vector<TDraftItem> Items;
    std::vector<TDraftGroup> Groups;
    std::vector<TOrderNode> Nodes;

    void PushBack(int group, TOrderEntry e)
    {
        const int n = int(Nodes.size());
        Nodes.push_back({e, -1});
        TDraftGroup& g = Groups[size_t(group)];
        if (g.Tail >= 0)
            Nodes[size_t(g.Tail)].Next = n;
        else
            g.Head = n;
        g.Tail = n;
    }

    void PushFront(int group, TOrderEntry e)
    {
        const int n = int(Nodes.size());
        TDraftGroup& g = Groups[size_t(group)];
        Nodes.push_back({e, g.Head});
        g.Head = n;
        if (g.Tail < 0) g.Tail = n;
    }
};

namespace {

void Unite(TDraftGroup& g, const TRect& r)
{
    if (!g.HasBlocks) {
        g.Bounds = r;
        g.HasBlocks = true;
        return;
    }
    g.Bounds.Left = std::min(g.Bounds.Left, r.Left);
    g.Bounds.Top = std::min(g.Bounds.Top, r.Top);
    g.Bounds.Right = std::max(g.Bounds.Right, r.Right);
    g.Bounds.Bottom = std::max(g.Bounds.Bottom, r.Bottom);
}

TRect Moved(TRect r, TPoint d)
{
    return {r.Left + d.x, r.Top + d.y, r.Right + d.x, r.Bottom + d.y};
}

} // namespace

TDraft::TDraft() : m_store(std::make_shared<TDraftStore>())
{
    m_store->Groups.emplace_back();
}

// Over the Free Pascal tree's routines a line makes 2.85 items, 3.1 list
// nodes and 0.35 drafts on average; the room made is a little more.
TDraft::TDraft(size_t lines) : TDraft()
{
    m_store->Items.reserve(3 * lines + 8);
    m_store->Nodes.reserve(4 * lines + 8);
    m_store->Groups.reserve(lines / 2 + 4);
}

TDraft::TDraft(std::shared_ptr<TDraftStore> store, int group)
    : m_store(std::move(store)), m_group(group)
{
}

TDraft TDraft::NewSub() const
{
    m_store->Groups.emplace_back();
    return TDraft(m_store, int(m_store->Groups.size() - 1));
}

TItemId TDraft::NewItem(Block b, bool front)
{
    TDraftGroup& g = m_store->Groups[size_t(m_group)];
    Unite(g, b.Rect());
    m_store->Items.push_back({m_group, false, std::move(b), {}});
    const TItemId id = TItemId(m_store->Items.size() - 1);
    if (front)
        m_store->PushFront(m_group, {false, id});
    else
        m_store->PushBack(m_group, {false, id});
    return id;
}

TItemId TDraft::AppendBlock(Block b)
{
    return NewItem(std::move(b), false);
}
TItemId TDraft::FrontBlock(Block b)
{
    return NewItem(std::move(b), true);
}

TItemId TDraft::AppendLink(const TDraftLink& l)
{
    m_store->Items.push_back({m_group, true, {}, l});
    const TItemId id = TItemId(m_store->Items.size() - 1);
    m_store->PushBack(m_group, {false, id});
    return id;
}

bool TDraft::Empty() const
{
    return m_store->Groups[size_t(m_group)].Head < 0;
}

// The offset of a group's coordinates from this draft's: the sum of the
// placements on the way up.
TPoint TDraft::Offset(int group) const
{
    TPoint d;
    for (; group >= 0; group = m_store->Groups[size_t(group)].Parent) {
        d = AddPoint(d, m_store->Groups[size_t(group)].Offset);
        if (group == m_group) break;
    }
    return d;
}

TRect TDraft::RectOf(TItemId id) const
{
    const TDraftItem& item = m_store->Items[size_t(id)];
    return Moved(item.Shape.Rect(), Offset(item.Group));
}

// The same formulas as the model's attachment points. Links end on links
// at most two deep here, so the recursion stays shallow.
TPoint TDraft::PointOf(TItemId id, TPoint pos) const
{
    if (id == kNoItem) return {};
    const TDraftItem& item = m_store->Items[size_t(id)];
    if (!item.IsLink) {
        const TRect b = RectOf(id);
        return {int32_t(b.Left + RoundDiv(int64_t(pos.x) * (int64_t(b.Right) - b.Left), kMaxCoord)),
                int32_t(b.Top + RoundDiv(int64_t(pos.y) * (int64_t(b.Bottom) - b.Top), kMaxCoord))};
    }
    const TDraftLink& l = item.Link;
    const TPoint a = PointOf(l.EndA, l.PosA);
    const TPoint b = PointOf(l.EndB, l.PosB);
    return {int32_t(a.x + RoundDiv(int64_t(pos.x) * (int64_t(b.x) - a.x), kMaxCoord)),
            int32_t(a.y + RoundDiv(int64_t(pos.x) * (int64_t(b.y) - a.y), kMaxCoord))};
}

TRect TDraft::Bounds() const
{
    const TDraftGroup& g = m_store->Groups[size_t(m_group)];
    return g.HasBlocks ? Moved(g.Bounds, g.Offset) : TRect{};
}

void TDraft::Shift(int32_t dx, int32_t dy)
{
    TDraftGroup& g = m_store->Groups[size_t(m_group)];
    g.Offset = AddPoint(g.Offset, {dx, dy});
}

void TDraft::Place(TDraft& sub, TPoint offset)
{
    TDraftGroup& s = m_store->Groups[size_t(sub.m_group)];
    s.Parent = m_group;
    s.Offset = AddPoint(s.Offset, offset);
    if (s.HasBlocks) Unite(m_store->Groups[size_t(m_group)], Moved(s.Bounds, s.Offset));
    m_store->PushBack(m_group, {true, sub.m_group});
}

namespace {

// Walks the placed drafts depth first, without recursion, calling
// visit(id, offset) for every item in list order.
template <class Visit> void Walk(const TDraftStore& store, int root, TPoint rootOffset, Visit visit)
{
    struct Frame
    {
        int Node; // the next node of the group's list
        TPoint Offset;
    };
    std::vector<Frame> stack{{store.Groups[size_t(root)].Head, rootOffset}};
    while (!stack.empty()) {
        Frame& f = stack.back();
        if (f.Node < 0) {
            stack.pop_back();
            continue;
        }
        const TOrderNode& node = store.Nodes[size_t(f.Node)];
        f.Node = node.Next;
        const TOrderEntry e = node.Entry;
        if (e.IsGroup) {
            const TDraftGroup& sub = store.Groups[size_t(e.Index)];
            stack.push_back({sub.Head, AddPoint(f.Offset, sub.Offset)});
        } else {
            visit(e.Index, f.Offset);
        }
    }
}

} // namespace

std::vector<TItemId> TDraft::Order() const
{
    std::vector<TItemId> ids;
    Walk(*m_store, m_group, {}, [&](TItemId id, TPoint) { ids.push_back(id); });
    return ids;
}

// The entries are placed side by side in shared blocks of memory, as the
// reader places a file's: one allocation per entry was most of the cost of
// turning a routine into its diagram.
void TDraft::AppendTo(TShem& out) const
{
    TEntrySlabs slabs;
    std::vector<TShemObj*> entryOf(m_store->Items.size(), nullptr);
    std::vector<TItemId> links;
    links.reserve(m_store->Items.size());
    Walk(*m_store, m_group, m_store->Groups[size_t(m_group)].Offset, [&](TItemId id, TPoint d) {
        const TDraftItem& item = m_store->Items[size_t(id)];
        std::unique_ptr<TShemObj> entry;
        if (item.IsLink) {
            const TDraftLink& l = item.Link;
            entry = slabs.MakeLink({l.Style, nullptr, nullptr, l.PosA, l.PosB});
            links.push_back(id);
        } else {
            entry = slabs.MakeBlock();
            Block& b = entry->block();
            b = item.Shape;
            b.SetRect(Moved(item.Shape.Rect(), d));
        }
        entryOf[size_t(id)] = entry.get();
        out.Add(std::move(entry));
    });
    // Ends are set once every entry exists, whatever the list order.
    for (const TItemId id : links) {
        const TDraftLink& l = m_store->Items[size_t(id)].Link;
        TLink& link = entryOf[size_t(id)]->link();
        link.EndA = entryOf[size_t(l.EndA)];
        link.EndB = entryOf[size_t(l.EndB)];
    }
    out.NoteChanged(); // link ends were set in place
}

} // namespace kb::unitimport
