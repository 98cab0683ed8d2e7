// Large diagrams for the benchmarks.
#pragma once

#include "model/shem.h"

namespace kbbench {

// A grid of labelled blocks joined in a chain, with joint points on every
// other link, filling exactly `entries` entries (at most 65,536). The entries
// are added in a shuffled order so that loading has real sorting to do.
void FillBigDiagram(kb::TShem& shem, int entries);

} // namespace kbbench
