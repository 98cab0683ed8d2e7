// Statement extents over a line list: where one statement's lines end. The
// converter cuts its branches with these; nesting is followed with counters
// and a loop, never with recursion, so no input can exhaust the stack.
#pragma once

#include "unitimport/scanner.h"

#include <span>
#include <string>
#include <vector>

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

// The answers of the functions above for every line of one list, found in
// a few passes over it. The converter walks nested statement lists that are
// all pieces of one routine's body; asking the functions at every level
// would scan the rest of the body again each time, depth × length in all.
class TExtentTable
{
public:
    explicit TExtentTable(TLineSpan lines);

    // True when `part` is a piece of the table's list.
    bool Holds(TLineSpan part) const;

    // What MatchingEnd, MatchingUntil and StatementEnd return over `part`,
    // which must be a piece of the table's list.
    size_t MatchingEnd(TLineSpan part, size_t from) const;
    size_t MatchingUntil(TLineSpan part, size_t from) const;
    size_t StatementEnd(TLineSpan part, size_t k) const;
    // Where a stack of openers ("begin", "case", "try", "asm") run over
    // `part` closes the one at line k, taking "end" in any letter case; the
    // size of `part` when never or when line k opens nothing.
    size_t ClosingEnd(TLineSpan part, size_t k) const;
    // How many lines from k on are "begin" in any letter case.
    size_t BeginRun(TLineSpan part, size_t k) const;

private:
    static constexpr size_t kNever = size_t(-1);

    // What the table knows of one position, 0 to the size of the list.
    struct TFacts
    {
        // The first later position where the depth of "begin"/"end", of
        // "begin"/"end" in any letter case, and of "repeat"/"until" is lower
        // than here: where a scan from here with depth 1 reaches 0, one line
        // on; kNever when never.
        size_t EndBelow = kNever;
        size_t AnyEndBelow = kNever;
        size_t UntilBelow = kNever;
        size_t BeginRun = 0;     // lines from here on that are "begin"
        size_t StatementEnd = 0; // StatementEnd, no if waiting for an "else"
        size_t ElseEnd = 0;      // the same inside an if that may take an "else"
        int8_t Keyword = -1;     // FindKeyword of the line
        bool Opens = false;      // OpensEnd
        bool IsEnd = false;      // exactly "end"
        bool IsElse = false;     // exactly "else"
    };

    size_t Offset(TLineSpan part) const;
    // Clips a position of the whole list to `part`, relative to its start.
    static size_t Clip(size_t at, size_t offset, size_t size);
    // MatchingEnd and MatchingUntil over the whole list; from <= size.
    size_t EndFrom(size_t from) const;
    size_t UntilFrom(size_t from) const;
    void FillDepths();
    void FillStatementEnds();

    TLineSpan m_lines;
    std::vector<TFacts> m_facts;
};

} // namespace kb::unitimport
