#include "frame/commands/blocksize.h"

#include <algorithm>

namespace kb {

namespace {

// The extent every block gets, or none when the rule leaves them alone.
std::optional<int64_t> TargetExtent(const std::vector<Block*>& blocks, const TAxis& axis,
                                    const TSizeRule& rule)
{
    switch (rule.Mode) {
    case TSizeMode::GrowToLargest: {
        int64_t largest = 0;
        for (const Block* b : blocks)
            largest = std::max(largest, Extent(*b, axis));
        return largest;
    }
    case TSizeMode::ShrinkToSmallest: {
        int64_t smallest = kMaxCoord;
        for (const Block* b : blocks)
            smallest = std::min(smallest, Extent(*b, axis));
        return std::max<int64_t>(smallest, 0);
    }
    case TSizeMode::Exact:
        if (rule.Value) return std::clamp<int64_t>(*rule.Value, 0, kMaxCoord);
        return std::nullopt;
    default:
        return std::nullopt;
    }
}

bool SizeAxis(const std::vector<Block*>& blocks, const TAxis& axis, const TSizeRule& rule)
{
    const std::optional<int64_t> extent = TargetExtent(blocks, axis, rule);
    if (!extent) return false;
    bool changed = false;
    for (Block* b : blocks) {
        const int32_t hi = ClampCoord(b->*axis.Lo + *extent);
        changed |= hi != b->*axis.Hi;
        b->*axis.Hi = hi;
    }
    return changed;
}

} // namespace

bool SizeBlocks(const TSelectionTarget& target, const TSizeRule& width, const TSizeRule& height)
{
    const std::vector<Block*> blocks = SelectedBlocks(target, false);
    const bool widthChanged = SizeAxis(blocks, kAxisX, width);
    const bool heightChanged = SizeAxis(blocks, kAxisY, height);
    return widthChanged || heightChanged;
}

} // namespace kb
