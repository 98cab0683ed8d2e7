// The receiving end of a diagram's list-view mirror (the "Listing" panel).
// The diagram only appends rows and removes all of them; the view decides how
// to show them.
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

class TListSink
{
public:
    virtual ~TListSink() = default;
    virtual bool IsVisible() const = 0;
    virtual void BeginUpdate() = 0;
    virtual void EndUpdate() = 0;
    virtual void ClearRows() = 0;
    virtual void AppendRow(const TListRow& row) = 0;
};

} // namespace kb
