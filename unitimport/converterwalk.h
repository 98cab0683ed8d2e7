// The converter's walk over one statement list; its rules are split by kind
// over converter.cpp (simple statements and compounds), branches.cpp (if,
// case) and loops.cpp (while, for, repeat). Internal to the converter.
#pragma once

#include "unitimport/converter.h"

#include <memory>
#include <string>

namespace kb::unitimport {

// The centre line every level lays its statements along.
constexpr int32_t kCentre = 32767;

// The one empty line that stands for the body of "repeat until c".
TLineSpan EmptyBody();

class TConverterWalk
{
public:
    // `draft` is where this level builds: a fresh one, or a sub-draft of
    // the level above. `table` is the level above's, shared when `lines`
    // are a piece of its list. With `blankFirst` the list is drawn as if a
    // blank statement came before its first line.
    TConverterWalk(TLineSpan lines, int depth, TDraft draft, const TExtentTable* table = nullptr,
                   bool blankFirst = false);
    TConversion Run();

private:
    struct TBranch
    {
        TLineSpan Lines;
        size_t Next = 0; // one past the statement
    };
    struct TPlaced
    {
        TItemId F = kNoItem;
        TItemId L = kNoItem;
    };

    size_t Statement(size_t k);
    size_t Plain(size_t k);
    size_t Compound(size_t k);
    size_t If(size_t k);
    size_t Case(size_t k);
    size_t While(size_t k);
    size_t For(size_t k);
    size_t Repeat(size_t k);
    // A decision with `test` and the statement at `bodyAt` as its loop body.
    size_t Loop(const std::string& test, size_t bodyAt);
    size_t With(size_t k);
    size_t Try(size_t k);
    size_t Asm(size_t k);
    // "on E: EError do S" in an except part; 0 when line k starts none.
    size_t Handler(size_t k);
    // A statement reading `head` and "begin", the statement at bodyAt, and a
    // statement "end": how with and exception handlers are drawn.
    size_t Around(std::string head, size_t bodyAt);

    // The line at i, or an empty text past the end of a malformed list.
    const std::string& LineAt(size_t i) const;
    // The lines of the one statement at k, without its "begin" and last
    // line when it starts with "begin".
    TBranch Branch(size_t k) const;
    TConversion Sub(TLineSpan lines, bool blankFirst = false) const;
    // Puts the sub-diagram's items at the end of this one; `sub` is used up.
    TPlaced Place(TConversion& sub, TPoint at);

    TItemId AddBlock(uint8_t kind, std::string text, TRect r, bool front = false);
    // A block in the statement box at the current y.
    TItemId Box(uint8_t kind, std::string text);
    // Box joined after the last statement; the walk goes on below it.
    TItemId Step(uint8_t kind, std::string text);
    // Puts `sub` below the last statement, joined to it; the walk goes on
    // below it. `sub` is used up.
    void Nest(TConversion& sub);
    TItemId Joint(TPoint p, bool front);
    void Labels(TItemId rhomb);
    void Connect(TItemId e);
    // A rhomb with its labels, connected, as if, while and for open.
    TItemId Decision(std::string text);
    TItemId Line(TItemId a, TPoint pa, TItemId b, TPoint pb);
    TItemId Arrow(TItemId a, TPoint pa, TItemId b, TPoint pb);
    TItemId Flow(TItemId from, TItemId to) { return Arrow(from, kBM, to, kTM); }
    TPoint At(TItemId id, TPoint pos) const { return m_d.PointOf(id, pos); }
    TRect R(TItemId id) const { return m_d.RectOf(id); }

    TLineSpan m_lines;
    int m_depth;
    // Where the statements of the routine's body end, found once for the
    // whole body; a list from elsewhere gets a table of its own.
    std::unique_ptr<TExtentTable> m_ownTable;
    const TExtentTable* m_table;
    bool m_blankFirst;
    TDraft m_d;
    int64_t m_y = 0;
    TItemId m_f = kNoItem;
    TItemId m_l = kNoItem;
    bool m_afterHandler = false; // the last statement was an exception handler
};

} // namespace kb::unitimport
