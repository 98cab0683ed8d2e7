// "Join Square": rectangles chained by single arrows become one rectangle
// whose text is their statements, each earlier line ended by ";".
#pragma once

#include "model/shem.h"

#include <functional>
#include <vector>

namespace kb {

// Joins every rectangle with the rectangle its first outgoing arrow leads to,
// while that one has no other incoming arrow and nothing sits on the arrow.
// Returns the number of joins. The joined blocks and their arrows go through
// remove (a document keeps them for undo); without it they are deleted.
int JoinSquares(TShem& shem, const std::function<void(const std::vector<TShemObj*>&)>& remove = {});

} // namespace kb
