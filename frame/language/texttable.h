// A window's interface texts as data: rows that name a control by its object
// name and say which of its texts to replace. A language is a list of such
// tables, one per window, so adding one needs no change to the windows.
#pragma once

#include <span>

namespace kb {

enum class TTextKind {
    Caption,           // window title, menu, action, button, label or box caption
    Hint,              // tooltip and status-bar text
    Item,              // entry Index of a list, radio group or list header
    Label,             // the label whose buddy is the control
    OpenFilter,        // the main window's Open dialog filter, as "name|pattern|..."
    NewDocumentPrefix, // the main window's title of a new document, before its number
};

struct TTextRow
{
    const char* Control; // object name; empty for the window itself
    TTextKind Kind;
    int Index;        // entry number for TTextKind::Item
    const char* Text; // UTF-8
};

struct TWindowTexts
{
    const char* Window; // object name of the window
    std::span<const TTextRow> Rows;
};

// Row builders, so that a table reads as a list of texts.
namespace text {

constexpr TTextRow Caption(const char* control, const char* text)
{
    return {control, TTextKind::Caption, 0, text};
}

constexpr TTextRow Hint(const char* control, const char* text)
{
    return {control, TTextKind::Hint, 0, text};
}

constexpr TTextRow Item(const char* control, int index, const char* text)
{
    return {control, TTextKind::Item, index, text};
}

constexpr TTextRow Label(const char* control, const char* text)
{
    return {control, TTextKind::Label, 0, text};
}

constexpr TTextRow OpenFilter(const char* control, const char* pairs)
{
    return {control, TTextKind::OpenFilter, 0, pairs};
}

constexpr TTextRow NewDocumentPrefix(const char* text)
{
    return {"", TTextKind::NewDocumentPrefix, 0, text};
}

} // namespace text

} // namespace kb
