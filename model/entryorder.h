// The order of a diagram's list, computed on positions alone so that the
// reader can put a file's records in order before it makes their entries.
#pragma once

#include <vector>

namespace kb {

// The order TShem::SortEntries gives a list: blocks first, then each link
// after the links it ends on. isLink[i] tells whether entry i is a link;
// linkEnds[2 i] and linkEnds[2 i + 1] are the positions of the links entry i
// ends on, -1 for an end that is not a link. The result holds the present
// positions of the entries in their new order.
std::vector<int> SortedOrder(const std::vector<char>& isLink, const std::vector<int>& linkEnds);

} // namespace kb
