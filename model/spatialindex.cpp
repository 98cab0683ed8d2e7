#include "model/spatialindex.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <numeric>

namespace kb {
namespace {

// An entry spread over more cells than this is tried by every query instead:
// a huge block or a link across the whole plane gains nothing from the grid.
constexpr int64_t kMaxCellsPerEntry = 256;

} // namespace

TLineKey LineKeyOf(TPoint a, TPoint b)
{
    int64_t dx = int64_t(b.x) - a.x, dy = int64_t(b.y) - a.y;
    if (dx == 0 && dy == 0) dy = 1;
    const int64_t g = std::gcd(std::abs(dx), std::abs(dy));
    dx /= g;
    dy /= g;
    if (dx < 0 || (dx == 0 && dy < 0)) {
        dx = -dx;
        dy = -dy;
    }
    return {dx, dy, dy * a.x - dx * a.y};
}

namespace {

constexpr int kShift = TSpatialIndex::kShift;
constexpr int kCells = TSpatialIndex::kCells;

int CellX(int64_t x)
{
    return int(std::clamp<int64_t>(x, 0, 65535) >> kShift);
}

int CellY(int64_t y)
{
    return int(std::clamp<int64_t>(y, 0, 65535) >> kShift);
}

// Calls visit with every cell that the reach meets.
template <class Visit> void ForEachCell(const TSpatialIndex::TReach& reach, Visit visit)
{
    if (!reach.IsLink) {
        for (int cy = CellY(reach.Box.Top); cy <= CellY(reach.Box.Bottom); ++cy)
            for (int cx = CellX(reach.Box.Left); cx <= CellX(reach.Box.Right); ++cx)
                visit(cy * kCells + cx);
        return;
    }
    // A link: column by column, the rows that the segment, widened by its
    // margin, passes through within the column.
    const double ax = reach.A.x, ay = reach.A.y, bx = reach.B.x, by = reach.B.y;
    const int64_t m = reach.Margin + 1;
    const double lo = std::min(ax, bx), hi = std::max(ax, bx);
    for (int cx = CellX(int64_t(lo) - m); cx <= CellX(int64_t(hi) + m); ++cx) {
        // The x range of the column, open at the plane's edges, widened by
        // the margin and cut to the segment.
        const double x0 = cx == 0 ? -1e18 : double(int64_t(cx) << kShift) - double(m);
        const double x1 =
            cx == kCells - 1 ? 1e18 : double((int64_t(cx + 1) << kShift) - 1) + double(m);
        const double from = std::max(lo, x0), to = std::min(hi, x1);
        if (from > to) continue;
        double y0 = std::min(ay, by), y1 = std::max(ay, by);
        if (ax != bx) {
            const double ya = ay + (by - ay) * (from - ax) / (bx - ax);
            const double yb = ay + (by - ay) * (to - ax) / (bx - ax);
            y0 = std::min(ya, yb);
            y1 = std::max(ya, yb);
        }
        for (int cy = CellY(int64_t(std::floor(y0)) - m); cy <= CellY(int64_t(std::ceil(y1)) + m);
             ++cy)
            visit(cy * kCells + cx);
    }
}

} // namespace

void TSpatialIndex::Build(const std::vector<TReach>& reaches)
{
    m_count = int(reaches.size());
    m_everywhere.clear();
    m_lines.clear();
    m_linesSorted = false;
    // (cell, entry) pairs in list order, then sorted by cell, stably.
    std::vector<std::pair<int, int>> pairs;
    pairs.reserve(reaches.size() * 4);
    for (size_t i = 0; i < reaches.size(); ++i) {
        const TReach& r = reaches[i];
        if (r.HasLine) m_lines.emplace_back(r.Line, int(i));
        const size_t before = pairs.size();
        if (!r.Everywhere) ForEachCell(r, [&](int c) { pairs.emplace_back(c, int(i)); });
        if (r.Everywhere || int64_t(pairs.size() - before) > kMaxCellsPerEntry) {
            pairs.resize(before);
            m_everywhere.push_back(int(i));
        }
    }
    m_cellStart.assign(size_t(kCells) * kCells + 1, 0);
    for (const auto& [c, i] : pairs)
        ++m_cellStart[size_t(c) + 1];
    for (size_t c = 1; c < m_cellStart.size(); ++c)
        m_cellStart[c] += m_cellStart[c - 1];
    m_cellEntries.resize(pairs.size());
    std::vector<int> next(m_cellStart.begin(), m_cellStart.end() - 1);
    for (const auto& [c, i] : pairs)
        m_cellEntries[size_t(next[size_t(c)]++)] = i;
}

int TSpatialIndex::FirstAt(TPoint p, const std::function<bool(int)>& test) const
{
    const size_t cell = size_t(CellY(p.y)) * kCells + size_t(CellX(p.x));
    const int* a = m_cellEntries.data() + m_cellStart[cell];
    const int* aEnd = m_cellEntries.data() + m_cellStart[cell + 1];
    const int* b = m_everywhere.data();
    const int* bEnd = b + m_everywhere.size();
    while (a != aEnd || b != bEnd) {
        const int i = (b == bEnd || (a != aEnd && *a < *b)) ? *a++ : *b++;
        if (test(i)) return i;
    }
    return -1;
}

bool TSpatialIndex::RectCandidates(const TRect& r, std::vector<int>& out) const
{
    out.clear();
    const int64_t left = std::min(r.Left, r.Right), right = std::max(r.Left, r.Right);
    const int64_t top = std::min(r.Top, r.Bottom), bottom = std::max(r.Top, r.Bottom);
    const int cx0 = CellX(left), cx1 = CellX(right), cy0 = CellY(top), cy1 = CellY(bottom);
    const int64_t cells = int64_t(cx1 - cx0 + 1) * (cy1 - cy0 + 1);
    if (cells * 8 > int64_t(kCells) * kCells) return false;
    for (int cy = cy0; cy <= cy1; ++cy)
        for (int cx = cx0; cx <= cx1; ++cx) {
            const size_t c = size_t(cy) * kCells + size_t(cx);
            out.insert(out.end(), m_cellEntries.begin() + m_cellStart[c],
                       m_cellEntries.begin() + m_cellStart[c + 1]);
        }
    out.insert(out.end(), m_everywhere.begin(), m_everywhere.end());
    // Links on the line of the top edge, the left edge or the diagonal meet
    // them in the side test wherever they lie. An edge of no length reads
    // as the vertical line through it, as a link of no length does.
    const TPoint lt{r.Left, r.Top};
    const TLineKey lines[3] = {LineKeyOf(lt, {r.Right, r.Top}), LineKeyOf(lt, {r.Left, r.Bottom}),
                               LineKeyOf(lt, {r.Right, r.Bottom})};
    if (!m_linesSorted) {
        std::sort(m_lines.begin(), m_lines.end());
        m_linesSorted = true;
    }
    for (const TLineKey& key : lines)
        for (auto it = std::lower_bound(m_lines.begin(), m_lines.end(), std::pair{key, -1});
             it != m_lines.end() && it->first == key; ++it)
            out.push_back(it->second);
    std::sort(out.begin(), out.end());
    out.erase(std::unique(out.begin(), out.end()), out.end());
    return true;
}

} // namespace kb
