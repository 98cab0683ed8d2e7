// Replace to > Block and Insert > Block: changing the kind of the selected
// blocks and adding a block of the standard size.
#pragma once

#include "frame/commands/selectiontarget.h"

namespace kb {

// ChangeKind on every selected block that is not a joint point and not of
// that kind already. A change to text removes the links on
// the block; the selection forgets them. True when some block changed.
bool ChangeBlockType(const TSelectionTarget& target, int kind);
// One block's kind, its link ends moved onto the new outline; a change to
// text removes its links through the target.
void ChangeKind(const TSelectionTarget& target, TShemObj* entry, uint8_t kind);

// Adds an empty block of kind with its top-left
// corner at `at` and the given extent, moved back inside the diagram when
// it would cross the far edges. The selection becomes the new block, which
// is returned; null (nothing done) for kind 4 and kinds out of range.
TShemObj* InsertBlock(const TSelectionTarget& target, int kind, TPoint at, TPoint extent);

} // namespace kb
