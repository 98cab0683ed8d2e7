// The rows of the object list (the "Listing" panel): one per block that has
// a row, made from the entry whenever the list follows a change.
#pragma once

#include <string>

namespace kb {

class TShemObj;

struct TListRow
{
    std::string Caption;  // the text up to its first CR
    int ImageIndex = 0;   // the block kind
    std::string Position; // "(Left, Top)"
    std::string Size;     // "(width, height)"
    TShemObj* Entry = nullptr;
};

// The row of a block: its text up to the first line break, kind, corner and size.
TListRow ListRowOf(TShemObj* entry);
// Whether an entry has a row: blocks other than joint points.
bool HasListRow(const TShemObj* entry);

} // namespace kb
