// The diagram a conversion builds: blocks and links kept by id, with a list
// order that takes joint points at its front as cheaply as at its back. The
// finished draft becomes a TShem in that order.
#pragma once

#include "model/shem.h"

#include <deque>
#include <vector>

namespace kb::unitimport {

using TItemId = int;
constexpr TItemId kNoItem = -1;

// Named attachment positions.
constexpr TPoint kBM{32767, 65535}; // bottom middle
constexpr TPoint kTM{32767, 0};     // top middle
constexpr TPoint kCE{32767, 32767}; // centre
constexpr TPoint kLM{0, 32767};     // left middle
constexpr TPoint kRM{65535, 32767}; // right middle

struct TDraftLink
{
    uint8_t Style = 0;
    TItemId EndA = kNoItem;
    TItemId EndB = kNoItem;
    TPoint PosA;
    TPoint PosB;
};

struct TDraftItem
{
    bool IsLink = false;
    Block Shape;     // blocks
    TDraftLink Link; // links
};

class TDraft
{
public:
    TItemId AppendBlock(Block b);
    TItemId FrontBlock(Block b);
    TItemId AppendLink(const TDraftLink& l);

    bool Empty() const { return m_order.empty(); }
    size_t Count() const { return m_order.size(); }
    const TDraftItem& Item(TItemId id) const { return m_items[size_t(id)]; }
    const Block& BlockOf(TItemId id) const { return m_items[size_t(id)].Shape; }
    // The item's place in list order (a linear search).
    size_t PositionOf(TItemId id) const;

    // The absolute point that an attachment position gives on an item; on a
    // link only the x of the position counts (the way along it).
    TPoint PointOf(TItemId id, TPoint pos) const;

    // The exact union of all block rectangles; all zero without blocks.
    TRect Bounds() const;
    void ShiftBlocks(int32_t dx, int32_t dy);

    // Copies every item of `sub`, in its order, to the end; blocks move by
    // `offset`, links keep their positions. Returns the new id of each of
    // sub's ids.
    std::vector<TItemId> Place(const TDraft& sub, TPoint offset);

    // The items in list order as diagram entries, appended to `out`.
    void AppendTo(TShem& out) const;

private:
    TItemId NewItem(TDraftItem item);
    TPoint PointOf(TItemId id, TPoint pos, int depth) const;

    std::vector<TDraftItem> m_items; // by id
    std::deque<TItemId> m_order;
};

} // namespace kb::unitimport
