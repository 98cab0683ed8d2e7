#include "frame/commands/selectiontarget.h"

#include <algorithm>
#include <unordered_set>

namespace kb {

std::vector<Block*> SelectedBlocks(const TSelectionTarget& target, bool withJoints)
{
    std::vector<Block*> blocks;
    for (TShemObj* e : target.Selection)
        if (e && e->IsBlock() && (withJoints || !e->IsJoint())) blocks.push_back(&e->block());
    return blocks;
}

void ForgetRemoved(const TSelectionTarget& target)
{
    std::unordered_set<const TShemObj*> live;
    for (int i = 0; i < target.Shem.Count(); ++i)
        live.insert(target.Shem.Get(i));
    std::erase_if(target.Selection, [&](const TShemObj* e) { return !live.count(e); });
}

void PlaceOnAxis(Block& b, const TAxis& axis, int64_t lo)
{
    const int64_t extent = Extent(b, axis);
    if (extent >= 0 && extent <= kMaxCoord) lo = std::clamp<int64_t>(lo, 0, kMaxCoord - extent);
    b.*axis.Lo = ClampCoord(lo);
    b.*axis.Hi = ClampCoord(lo + extent);
}

} // namespace kb
