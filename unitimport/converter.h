// The statement-to-flowchart converter: one block per simple statement, a
// rhomb per decision, and the joint points and links that draw the
// branches, loops and joins of if, while, for, repeat and case. Every nested
// statement list becomes a diagram of its own, measured and then copied into
// its parent; every diagram is normalised to start at (0, 0).
#pragma once

#include "unitimport/draft.h"
#include "unitimport/extent.h"

#include <stdexcept>

namespace kb::unitimport {

struct TConversion
{
    TDraft Diagram;
    TItemId F = kNoItem; // the first element (a block)
    TItemId L = kNoItem; // what the next statement is linked from
    int32_t W = 0;       // the normalised bounding box is (0, 0, W, H)
    int32_t H = 0;
};

enum class TConvertFailure { LayoutTooLarge, NestedTooDeeply };

class TConvertError : public std::runtime_error
{
public:
    explicit TConvertError(TConvertFailure why);
    TConvertFailure Why;
};

// Nested statement lists deeper than this are refused rather than risking
// the call stack. Real code stays far below it; a layout this deep would
// not fit the diagram format's 65535 units anyway, except for compounds
// nested inside nothing but compounds, which are unwrapped without nesting.
constexpr int kMaxNesting = 1000;

// Converts a statement list. A list that yields no block gives the blank
// statement " ", so F and L always exist. Throws TConvertError when the
// layout would not fit 0..65535 or the nesting is too deep.
TConversion Convert(TLineSpan lines);

} // namespace kb::unitimport
