// Lining selected blocks up: the Alignment palette, the Align dialog and
// Align to Grid. Joint points count as blocks here, so the bends of links
// line up with the shapes around them.
#pragma once

#include "frame/commands/selectiontarget.h"

namespace kb {

// Modes per axis, as the Align dialog numbers its radio items.
enum TAlignMode : int {
    amNoChange = 0,
    amLowEdges = 1, // left sides or tops
    amCenters = 2,
    amHighEdges = 3, // right sides or bottoms
    amSpaceEqually = 4,
};

// Aligns every selected block to a copy of the first one's rectangle, taken
// before anything moves; horizontal first, then vertical. True when some
// block moved.
bool AlignBlocks(const TSelectionTarget& target, int horizontal, int vertical);

// Snaps the left and top edges of every selected block to the 5-unit grid,
// keeping sizes. True when some block moved.
bool AlignToGrid(const TSelectionTarget& target);

} // namespace kb
