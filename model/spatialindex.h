// A grid over the diagram plane that narrows the hit tests to the entries
// that can answer them. The hit tests still decide, and still take the first
// entry in list order that qualifies: the index only hands them, in list
// order, every entry whose answer could be yes, so its results are the
// linear walk's results.
#pragma once

#include "model/geometry.h"

#include <cstdint>
#include <functional>
#include <utility>
#include <vector>

namespace kb {

// The straight line through two points, in whole numbers reduced to lowest
// terms, so that two collinear segments have equal keys. A point stands for
// the vertical line through it, as the side test reads a segment of no length.
struct TLineKey
{
    int64_t Dx = 0, Dy = 0, C = 0;
    auto operator<=>(const TLineKey&) const = default;
};
TLineKey LineKeyOf(TPoint a, TPoint b);

class TSpatialIndex
{
public:
    // What one entry can answer to.
    struct TReach
    {
        // Every point at which a hit test of the entry can succeed lies in
        // Box, or, for a link, within Margin of the segment A-B.
        TRect Box;
        bool IsLink = false;
        TPoint A, B;
        int32_t Margin = 0;
        // Tests can succeed anywhere (degenerate or inverted shapes).
        bool Everywhere = false;
        // A link's line: the rectangle test also finds links that lie on the
        // line of an edge or the diagonal of the rectangle, wherever they are.
        bool HasLine = false;
        TLineKey Line;
    };

    void Build(const std::vector<TReach>& reaches);
    bool Empty() const { return m_count == 0; }

    // Calls test on the candidates for a point query in list order until it
    // returns true; returns that entry's index, or -1.
    int FirstAt(TPoint p, const std::function<bool(int)>& test) const;
    // The candidates for a rectangle query in list order, after index `after`:
    // every entry touching r (with its corners in any order) is among them.
    // Empty result with false when the rectangle is so large that a plain
    // walk is cheaper.
    bool RectCandidates(const TRect& r, std::vector<int>& out) const;

    static constexpr int kShift = 10; // cells of 1024 units
    static constexpr int kCells = 65536 >> kShift;

private:
    int m_count = 0;
    std::vector<int> m_cellStart; // kCells * kCells + 1 offsets into m_cellEntries
    std::vector<int> m_cellEntries;
    std::vector<int> m_everywhere; // entries kept out of the grid, in list order
    // The links by their line, sorted on the first rectangle query: painting
    // and the rubber band ask for rectangles, hovering does not.
    mutable std::vector<std::pair<TLineKey, int>> m_lines;
    mutable bool m_linesSorted = false;
};

} // namespace kb
