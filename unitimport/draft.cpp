#include "unitimport/draft.h"

#include <algorithm>

namespace kb::unitimport {

TItemId TDraft::NewItem(TDraftItem item)
{
    m_items.push_back(std::move(item));
    return TItemId(m_items.size() - 1);
}

TItemId TDraft::AppendBlock(Block b)
{
    const TItemId id = NewItem({false, std::move(b), {}});
    m_order.push_back(id);
    return id;
}

TItemId TDraft::FrontBlock(Block b)
{
    const TItemId id = NewItem({false, std::move(b), {}});
    m_order.push_front(id);
    return id;
}

TItemId TDraft::AppendLink(const TDraftLink& l)
{
    const TItemId id = NewItem({true, {}, l});
    m_order.push_back(id);
    return id;
}

size_t TDraft::PositionOf(TItemId id) const
{
    return size_t(std::find(m_order.begin(), m_order.end(), id) - m_order.begin());
}

TPoint TDraft::PointOf(TItemId id, TPoint pos) const
{
    return PointOf(id, pos, 0);
}

// The same formulas as the model's attachment points. Links built here end
// on links at most two deep; the depth guard only keeps a mistake from
// recursing without end.
TPoint TDraft::PointOf(TItemId id, TPoint pos, int depth) const
{
    if (id == kNoItem || depth > 16) return {};
    const TDraftItem& item = m_items[size_t(id)];
    if (!item.IsLink) {
        const Block& b = item.Shape;
        return {int32_t(b.Left + RoundDiv(int64_t(pos.x) * (int64_t(b.Right) - b.Left), kMaxCoord)),
                int32_t(b.Top + RoundDiv(int64_t(pos.y) * (int64_t(b.Bottom) - b.Top), kMaxCoord))};
    }
    const TDraftLink& l = item.Link;
    const TPoint a = PointOf(l.EndA, l.PosA, depth + 1);
    const TPoint b = PointOf(l.EndB, l.PosB, depth + 1);
    return {int32_t(a.x + RoundDiv(int64_t(pos.x) * (int64_t(b.x) - a.x), kMaxCoord)),
            int32_t(a.y + RoundDiv(int64_t(pos.x) * (int64_t(b.y) - a.y), kMaxCoord))};
}

TRect TDraft::Bounds() const
{
    bool any = false;
    TRect r;
    for (const TDraftItem& item : m_items) {
        if (item.IsLink) continue;
        const Block& b = item.Shape;
        if (!any) {
            r = b.Rect();
            any = true;
            continue;
        }
        r.Left = std::min(r.Left, b.Left);
        r.Top = std::min(r.Top, b.Top);
        r.Right = std::max(r.Right, b.Right);
        r.Bottom = std::max(r.Bottom, b.Bottom);
    }
    return r;
}

void TDraft::ShiftBlocks(int32_t dx, int32_t dy)
{
    for (TDraftItem& item : m_items) {
        if (item.IsLink) continue;
        item.Shape.Left += dx;
        item.Shape.Right += dx;
        item.Shape.Top += dy;
        item.Shape.Bottom += dy;
    }
}

std::vector<TItemId> TDraft::Place(const TDraft& sub, TPoint offset)
{
    std::vector<TItemId> copyOf(sub.m_items.size(), kNoItem);
    for (const TItemId id : sub.m_order) {
        TDraftItem item = sub.m_items[size_t(id)];
        if (item.IsLink) {
            item.Link.EndA = copyOf[size_t(item.Link.EndA)];
            item.Link.EndB = copyOf[size_t(item.Link.EndB)];
            if (item.Link.EndA == kNoItem || item.Link.EndB == kNoItem)
                continue; // an end not copied: the link is left out
        } else {
            item.Shape.Left += offset.x;
            item.Shape.Right += offset.x;
            item.Shape.Top += offset.y;
            item.Shape.Bottom += offset.y;
        }
        copyOf[size_t(id)] = NewItem(std::move(item));
        m_order.push_back(copyOf[size_t(id)]);
    }
    return copyOf;
}

void TDraft::AppendTo(TShem& out) const
{
    std::vector<TShemObj*> entryOf(m_items.size(), nullptr);
    for (const TItemId id : m_order) {
        const TDraftItem& item = m_items[size_t(id)];
        if (!item.IsLink)
            entryOf[size_t(id)] = out.Get(out.AddBlock(item.Shape));
        else
            entryOf[size_t(id)] = out.Get(
                out.AddLink({item.Link.Style, nullptr, nullptr, item.Link.PosA, item.Link.PosB}));
    }
    // Ends are set once every entry exists, whatever the list order.
    for (const TItemId id : m_order) {
        const TDraftItem& item = m_items[size_t(id)];
        if (!item.IsLink) continue;
        TLink& l = entryOf[size_t(id)]->link();
        l.EndA = entryOf[size_t(item.Link.EndA)];
        l.EndB = entryOf[size_t(item.Link.EndB)];
    }
}

} // namespace kb::unitimport
