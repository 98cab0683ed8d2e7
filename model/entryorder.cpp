#include "model/entryorder.h"

#include <algorithm>
#include <cstdint>
#include <deque>
#include <functional>
#include <queue>

namespace kb {
namespace {

// Every entry from `from` on is a link; each goes after the links it ends on
// and otherwise keeps its present order.
void SortLinksTopologically(std::vector<int>& order, const std::vector<int>& pos,
                            const std::vector<int>& linkEnds, int from)
{
    const int n = int(order.size());
    std::vector<int> waiting(static_cast<size_t>(n), 0);
    std::vector<std::vector<int>> dependants(static_cast<size_t>(n));
    for (int i = from; i < n; ++i)
        for (int k = 0; k < 2; ++k)
            if (const int end = linkEnds[2 * size_t(order[size_t(i)]) + size_t(k)]; end >= 0)
                if (const int at = pos[size_t(end)]; at >= from) {
                    ++waiting[size_t(i)];
                    dependants[size_t(at)].push_back(i);
                }
    std::priority_queue<int, std::vector<int>, std::greater<>> ready;
    for (int i = from; i < n; ++i)
        if (waiting[size_t(i)] == 0) ready.push(i);
    std::vector<int> sorted;
    sorted.reserve(size_t(n - from));
    while (!ready.empty()) {
        const int i = ready.top();
        ready.pop();
        sorted.push_back(i);
        for (int d : dependants[size_t(i)])
            if (--waiting[size_t(d)] == 0) ready.push(d);
    }
    for (int i = from; i < n; ++i) // links on a cycle, if any: as they stand
        if (waiting[size_t(i)] > 0) sorted.push_back(i);
    std::vector<int> links;
    links.reserve(sorted.size());
    for (int i : sorted)
        links.push_back(order[size_t(i)]);
    std::copy(links.begin(), links.end(), order.begin() + from);
}

} // namespace

std::vector<int> SortedOrder(const std::vector<char>& isLink, const std::vector<int>& linkEnds)
{
    const int n = int(isLink.size());
    // Pass 1, blocks before links. Swapping the first link that has a block
    // after it with the first such block, again and again, keeps the blocks in
    // order and rotates the pending run of links by one at each block: the
    // queue below does exactly that in one walk.
    std::vector<int> order;
    order.reserve(size_t(n));
    std::deque<int> links;
    for (int i = 0; i < n; ++i) {
        if (isLink[size_t(i)]) {
            links.push_back(i);
            continue;
        }
        order.push_back(i);
        if (!links.empty()) {
            links.push_back(links.front());
            links.pop_front();
        }
    }
    const int firstLink = int(order.size());
    order.insert(order.end(), links.begin(), links.end());
    std::vector<int> pos(static_cast<size_t>(n));
    for (int p = 0; p < n; ++p)
        pos[size_t(order[size_t(p)])] = p;

    // Pass 2, links after the links they end on. The walk restarts from the
    // first link after every exchange, but everything before the exchanged
    // position stays valid, so the walk may resume there. A cycle would
    // exchange forever; at most n - i exchanges at a position are possible
    // without one.
    auto maxLinkEnd = [&](int entry) {
        int j = 0;
        for (int k = 0; k < 2; ++k)
            if (const int end = linkEnds[2 * size_t(entry) + size_t(k)]; end >= 0)
                j = std::max(j, pos[size_t(end)]);
        return j;
    };
    // The exchanges grow with the square of a chain of links on links stored
    // back to front. Past a budget far beyond anything drawn, the rest is put
    // in order by a plain topological sort: the same guarantee, and a
    // crafted file cannot stall the reader.
    const int64_t budget = 64 * int64_t(n) + 1000000;
    int64_t exchanges = 0;
    for (int i = firstLink; i < n; ++i) {
        for (int guard = n - i; guard > 0; --guard) {
            const int j = maxLinkEnd(order[size_t(i)]);
            if (i >= j) break;
            if (++exchanges > budget) {
                SortLinksTopologically(order, pos, linkEnds, i);
                return order;
            }
            std::swap(order[size_t(i)], order[size_t(j)]);
            pos[size_t(order[size_t(i)])] = i;
            pos[size_t(order[size_t(j)])] = j;
        }
    }
    return order;
}

} // namespace kb
