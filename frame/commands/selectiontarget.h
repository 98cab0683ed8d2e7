// What the commands on selected blocks work on: a diagram, the ordered
// selection of its entries, and how entries are removed. The commands need
// no window, so the tests run them on a bare diagram.
#pragma once

#include "model/shem.h"

#include <functional>
#include <vector>

namespace kb {

struct TSelectionTarget
{
    TShem& Shem;
    std::vector<TShemObj*>& Selection;
    // Removes entries with the delete cascade. A document keeps them for
    // its undo history; empty means they are simply deleted.
    std::function<void(const std::vector<TShemObj*>&)> Remover;

    void Remove(const std::vector<TShemObj*>& entries) const
    {
        if (Remover)
            Remover(entries);
        else
            Shem.RemoveAll(entries);
    }
};

// The selected blocks in selection order; joint points only when asked for.
std::vector<Block*> SelectedBlocks(const TSelectionTarget& target, bool withJoints);

// Drops from the selection the entries that are no longer in the diagram
// (a kind change to text or a replacement removes some).
void ForgetRemoved(const TSelectionTarget& target);

// One axis of a block rectangle, so that each rule is written once for x and y.
struct TAxis
{
    int32_t Block::*Lo;
    int32_t Block::*Hi;
};
inline constexpr TAxis kAxisX{&Block::Left, &Block::Right};
inline constexpr TAxis kAxisY{&Block::Top, &Block::Bottom};

// Width or height; negative for a rectangle stored the wrong way round.
inline int64_t Extent(const Block& b, const TAxis& axis)
{
    return int64_t(b.*axis.Hi) - b.*axis.Lo;
}

// Moves the block along the axis so that its low edge is at lo, keeping its
// extent; the move stops at the edges of the diagram's 0..65535.
void PlaceOnAxis(Block& b, const TAxis& axis, int64_t lo);

} // namespace kb
