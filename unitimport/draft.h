// The diagram a conversion builds. A sub-diagram is placed into its parent
// without copying: every draft of one conversion keeps its items in one
// shared store, a draft's blocks are positioned relative to the draft, and
// placing a draft only records where it goes. So nesting of any depth costs
// time in proportion to the items, not to items times depth. The finished
// draft becomes a TShem in list order, with absolute coordinates.
#pragma once

#include "model/shem.h"

#include <memory>
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

struct TDraftStore;

class TDraft
{
public:
    // An empty draft with a store of its own.
    TDraft();
    // The same, with room for about this many lines' items made at once:
    // growing the store step by step moves every item (and its text) each
    // time.
    explicit TDraft(size_t lines);
    // An empty draft sharing this one's store, to be placed into it later.
    TDraft NewSub() const;

    // Rectangles are given in this draft's coordinates.
    TItemId AppendBlock(Block b);
    TItemId FrontBlock(Block b); // inserted at the front of the list
    TItemId AppendLink(const TDraftLink& l);

    bool Empty() const;
    // The block's rectangle in this draft's coordinates, wherever it was placed.
    TRect RectOf(TItemId id) const;
    // The point an attachment position gives on an item, in this draft's
    // coordinates; on a link only the x of the position counts.
    TPoint PointOf(TItemId id, TPoint pos) const;
    // The union of all block rectangles; all zero without blocks.
    TRect Bounds() const;

    // Moves every block of this draft by (dx, dy).
    void Shift(int32_t dx, int32_t dy);
    // Appends `sub`'s items, in their order, with its blocks moved by
    // `offset`. Item ids stay valid; `sub` must not be used afterwards.
    void Place(TDraft& sub, TPoint offset);

    // The item ids in list order.
    std::vector<TItemId> Order() const;
    // The items in list order as diagram entries, appended to `out`.
    void AppendTo(TShem& out) const;

private:
    TDraft(std::shared_ptr<TDraftStore> store, int group);
    TItemId NewItem(Block b, bool front);
    TPoint Offset(int group) const;

    std::shared_ptr<TDraftStore> m_store;
    int m_group = 0;
};

} // namespace kb::unitimport
