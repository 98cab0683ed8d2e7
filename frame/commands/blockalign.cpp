#include "frame/commands/blockalign.h"

#include <algorithm>

namespace kb {

namespace {

constexpr int kGridStep = 5;

std::vector<TRect> Rects(const std::vector<Block*>& blocks)
{
    std::vector<TRect> rects;
    for (const Block* b : blocks)
        rects.push_back(b->Rect());
    return rects;
}

// The outer blocks stay; the inner ones get equal gaps between them, in the
// order of their low edges. Nothing moves when the blocks fill the span.
void SpaceEqually(const std::vector<Block*>& blocks, const TAxis& axis)
{
    const size_t n = blocks.size();
    if (n < 3) return;
    std::vector<Block*> sorted = blocks;
    std::stable_sort(sorted.begin(), sorted.end(),
                     [&](const Block* a, const Block* b) { return a->*axis.Lo < b->*axis.Lo; });
    int64_t maxHi = 0, sum = 0;
    for (const Block* b : sorted) {
        maxHi = std::max<int64_t>(maxHi, b->*axis.Hi);
        sum += Extent(*b, axis);
    }
    const int64_t span = maxHi - sorted.front()->*axis.Lo;
    if (sum >= span) return;
    const int64_t gap = (span - sum) / int64_t(n - 1);
    for (size_t k = 1; k + 1 < n; ++k)
        PlaceOnAxis(*sorted[k], axis, int64_t(sorted[k - 1]->*axis.Hi) + gap);
}

void AlignAxis(const std::vector<Block*>& blocks, const Block& ref, const TAxis& axis, int mode)
{
    const TPoint mid = MidPoint({ref.Left, ref.Top}, {ref.Right, ref.Bottom});
    const int64_t centre = axis.Lo == &Block::Left ? mid.x : mid.y;
    for (Block* b : blocks) {
        switch (mode) {
        case amLowEdges:
            PlaceOnAxis(*b, axis, ref.*axis.Lo);
            break;
        case amCenters:
            PlaceOnAxis(*b, axis, centre - RoundDiv(Extent(*b, axis), 2));
            break;
        case amHighEdges:
            PlaceOnAxis(*b, axis, int64_t(ref.*axis.Hi) - Extent(*b, axis));
            break;
        default:
            break;
        }
    }
    if (mode == amSpaceEqually) SpaceEqually(blocks, axis);
}

// The nearest grid line, or the one below when the block would not fit.
int64_t GridLine(int64_t lo, int64_t extent)
{
    int64_t line = RoundDiv(lo, kGridStep) * kGridStep;
    if (line + extent > kMaxCoord) line -= kGridStep;
    return line;
}

void SnapAxis(Block& b, const TAxis& axis)
{
    if (b.*axis.Lo % kGridStep == 0) return;
    PlaceOnAxis(b, axis, GridLine(b.*axis.Lo, Extent(b, axis)));
}

} // namespace

bool AlignBlocks(const TSelectionTarget& target, int horizontal, int vertical)
{
    const std::vector<Block*> blocks = SelectedBlocks(target, true);
    if (blocks.empty()) return false;
    const Block ref = *blocks.front();
    const std::vector<TRect> before = Rects(blocks);
    AlignAxis(blocks, ref, kAxisX, horizontal);
    AlignAxis(blocks, ref, kAxisY, vertical);
    return Rects(blocks) != before;
}

bool AlignToGrid(const TSelectionTarget& target)
{
    const std::vector<Block*> blocks = SelectedBlocks(target, true);
    if (blocks.empty()) return false;
    const std::vector<TRect> before = Rects(blocks);
    for (Block* b : blocks) {
        SnapAxis(*b, kAxisX);
        SnapAxis(*b, kAxisY);
    }
    return Rects(blocks) != before;
}

} // namespace kb
