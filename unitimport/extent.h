// Statement extents over a line list: where one statement's lines end. The
// converter cuts its branches with these; nesting is followed with counters
// and a loop, never with recursion, so no input can exhaust the stack.
#pragma once

#include "unitimport/scanner.h"

#include <span>
#include <string>

namespace kb::unitimport {

using TLineSpan = std::span<const std::string>;

// The index of the "end" that closes a compound whose opening line comes just
// before `from` (depth up at "begin" and "case", down at "end"); the size of
// the list when it is missing.
size_t MatchingEnd(TLineSpan lines, size_t from);
// The same for "repeat" and "until".
size_t MatchingUntil(TLineSpan lines, size_t from);

// The statement that starts at line k: appends its lines to `out` and
// returns the index one past it. A keyword that starts no statement is
// taken as the blank statement " ". Past the end nothing is taken.
size_t StatementExtent(TLineSpan lines, size_t k, TLines& out);
// The index StatementExtent would return, without copying lines.
size_t StatementEnd(TLineSpan lines, size_t k);

// True when the line is a keyword that starts no statement ("end", "then",
// "else", "do", "of", ...), which StatementExtent takes as " ".
bool IsStrayKeyword(const std::string& line);

} // namespace kb::unitimport
