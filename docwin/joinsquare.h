// "Join Square": rectangles chained by single arrows become one rectangle
// whose text is their statements, each earlier line ended by ";".
#pragma once

#include "model/shem.h"

namespace kb {

// Joins every rectangle with the rectangle its first outgoing arrow leads to,
// while that one has no other incoming arrow and nothing sits on the arrow.
// Returns the number of joins. The view is not refreshed.
int JoinSquares(TShem& shem);

} // namespace kb
