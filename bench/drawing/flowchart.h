// The large diagram the drawing benchmarks draw.
#pragma once

#include "model/shem.h"

namespace kbbench {

// 10,000 blocks of the standard size (80 x 20) in 100 columns of 100, 40
// units apart across and 20 down, cycling through every kind, each with a
// line of text and joined to the one below by an arrowed link: 12,000 by
// 4,000 units, 24,000 by 8,000 pixels at scale 2.
void FillFlowchart(kb::TShem& shem);

} // namespace kbbench
