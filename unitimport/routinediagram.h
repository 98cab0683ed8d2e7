// One routine as a diagram: its body converted, framed by a "begin" and an
// "end" ellipse, with the header as a title.
#pragma once

#include "model/shem.h"
#include "unitimport/scanner.h"

#include <string_view>

namespace kb::unitimport {

enum class TSkipReason {
    None,
    BeginEndMismatch,    // an "end" before its "begin"
    RepeatUntilMismatch, // an "until" before its "repeat"
    LayoutTooLarge,      // the diagram would pass the format's 65535 units
    NestedTooDeeply,
};

// A sentence for the user, in English like the plug-in's other texts.
std::string_view SkipReasonText(TSkipReason why);

// Counts begin/case against end and repeat against until down the body;
// a count that drops below zero names the mismatch.
TSkipReason CheckBalance(const TLines& body);

// Builds the framed diagram of the routine into `out` (emptied first), or
// leaves it empty and returns why the routine is skipped. Every coordinate
// of a built diagram lies in 0..65535.
TSkipReason BuildRoutineDiagram(const TRoutine& routine, TShem& out);

} // namespace kb::unitimport
