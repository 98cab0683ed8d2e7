// Copying a selection of entries: which entries a copy can carry whole, the
// order copies are made in, and the copying itself.
#pragma once

#include "model/shem.h"

#include <vector>

namespace kb {

// Drops from the selection every link with an end outside it (with the
// joint point at its other end) and every joint point whose first two links
// are not both selected, until nothing more goes. Order is kept.
void PruneSelection(const TShem& shem, std::vector<TShemObj*>& selection);

// Blocks first (in their order), then every link after the selected links
// its ends sit on. Links that end on each other in a cycle keep their order.
void OrderForCopy(std::vector<TShemObj*>& selection);

// Appends to target a copy of every entry of ordered (from OrderForCopy):
// blocks moved by (10, 10) within the diagram's range, and links whose two
// ends have copies, with their ends mapped to those copies. Returns the copy
// of each entry, null where none was made.
std::vector<TShemObj*> AppendCopies(TShem& target, const std::vector<TShemObj*>& ordered);

} // namespace kb
