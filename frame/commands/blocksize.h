// Equal sizes for the selected blocks (the Size dialog). Joint points keep
// their size: they are points, not shapes.
#pragma once

#include "frame/commands/selectiontarget.h"

#include <optional>

namespace kb {

// The Size dialog's radio items, in their order.
enum class TSizeMode : int { NoChange = 0, GrowToLargest = 1, ShrinkToSmallest = 2, Exact = 3 };

struct TSizeRule
{
    TSizeMode Mode = TSizeMode::NoChange;
    // The typed extent for Exact; none when the field was left empty.
    std::optional<int64_t> Value;
};

// Width first, then height; the far edges stop at 65535.
// True when some block changed.
bool SizeBlocks(const TSelectionTarget& target, const TSizeRule& width, const TSizeRule& height);

} // namespace kb
