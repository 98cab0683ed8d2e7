#include "unitimport/extent.h"

#include "model/keywords.h"

#include <algorithm>
#include <functional>

namespace kb::unitimport {
namespace {

size_t MatchingClose(TLineSpan lines, size_t from, TKeyword open1, TKeyword open2, TKeyword close)
{
    int depth = 1;
    for (size_t i = from; i < lines.size(); ++i) {
        const TKeyword k = FindKeyword(lines[i]);
        if (k == open1 || k == open2)
            ++depth;
        else if (k == close && --depth == 0)
            return i;
    }
    return lines.size();
}

// Walks one statement. Each if/while/for head is taken by its fixed number of
// lines and its inner statement is walked next in the same loop; an if whose
// then-statement is complete may still take "else" and one more statement,
// so the number of ifs waiting for that is all the state needed.
class ExtentWalk
{
public:
    ExtentWalk(TLineSpan lines, TLines* out) : m_lines(lines), m_out(out) {}

    size_t Run(size_t k)
    {
        m_k = k;
        for (;;) {
            if (TakeIfHead()) {
                ++m_waitingIfs;
                continue;
            }
            if (TakeLoopHead()) continue;
            TakeSimple();
            // That statement completes every head above it, up to the first
            // waiting if that takes an "else" and so one more statement.
            bool elseTaken = false;
            while (m_waitingIfs > 0 && !elseTaken) {
                --m_waitingIfs;
                if (m_k < Size() && FindKeyword(m_lines[m_k]) == kwElse) {
                    Take(1);
                    elseTaken = true;
                }
            }
            if (!elseTaken) return m_k;
        }
    }

private:
    size_t Size() const { return m_lines.size(); }

    void Take(size_t n)
    {
        const size_t stop = std::min(Size(), m_k + n);
        if (m_out) m_out->insert(m_out->end(), m_lines.begin() + m_k, m_lines.begin() + stop);
        m_k = stop;
    }

    bool TakeIfHead()
    {
        if (m_k >= Size() || FindKeyword(m_lines[m_k]) != kwIf) return false;
        Take(3); // "if", the condition, "then"
        return true;
    }

    bool TakeLoopHead()
    {
        if (m_k >= Size()) return false;
        const TKeyword k = FindKeyword(m_lines[m_k]);
        if (k == kwWhile || k == kwWith)
            Take(3); // "while", the condition, "do"; "with", the records, "do"
        else if (k == kwFor && m_k + 2 < Size() && FindKeyword(m_lines[m_k + 2]) == kwDo)
            Take(3); // "for", the element and the set, "do"
        else if (k == kwFor)
            Take(5); // "for", the assignment, "to", the limit, "do"
        else
            return false;
        return true;
    }

    void TakeSimple()
    {
        if (m_k >= Size()) return;
        const std::string& line = m_lines[m_k];
        const TKeyword k = FindKeyword(line);
        if (k == kwBegin)
            TakeThrough(MatchingEnd(m_lines, m_k + 1));
        else if (k == kwCase)
            TakeThrough(MatchingEnd(m_lines, std::min(Size(), m_k + 3)));
        else if (k == kwRepeat)
            TakeThrough(MatchingUntil(m_lines, m_k + 1) + 1); // and the condition
        else if (k == kwNone && OpensEnd(line))               // "try", "asm"
            TakeThrough(MatchingEnd(m_lines, m_k + 1));
        else if (k == kwNone)
            Take(1);
        else
            TakeBlank();
    }

    void TakeThrough(size_t last) { Take(last >= Size() ? Size() - m_k : last - m_k + 1); }

    // An "else" is left to an if waiting for it: "if c then else s".
    void TakeBlank()
    {
        if (m_out) m_out->push_back(" ");
        if (m_lines[m_k] != "else" || m_waitingIfs == 0) ++m_k;
    }

    TLineSpan m_lines;
    TLines* m_out;
    size_t m_k = 0;
    int m_waitingIfs = 0; // ifs whose then-statement is taken and may take an "else"
};

} // namespace

size_t MatchingEnd(TLineSpan lines, size_t from)
{
    int depth = 1;
    for (size_t i = from; i < lines.size(); ++i) {
        if (OpensEnd(lines[i]))
            ++depth;
        else if (lines[i] == "end" && --depth == 0)
            return i;
    }
    return lines.size();
}

size_t MatchingUntil(TLineSpan lines, size_t from)
{
    return MatchingClose(lines, from, kwRepeat, kwRepeat, kwUntil);
}

bool IsStrayKeyword(const std::string& line)
{
    switch (FindKeyword(line)) {
    case kwNone:
    case kwBegin:
    case kwIf:
    case kwWhile:
    case kwFor:
    case kwRepeat:
    case kwCase:
    case kwWith:
        return false;
    default:
        return true;
    }
}

size_t StatementExtent(TLineSpan lines, size_t k, TLines& out)
{
    return ExtentWalk(lines, &out).Run(k);
}

size_t StatementEnd(TLineSpan lines, size_t k)
{
    return ExtentWalk(lines, nullptr).Run(k);
}

TExtentTable::TExtentTable(TLineSpan lines) : m_lines(lines), m_facts(lines.size() + 1)
{
    const size_t n = lines.size();
    for (size_t i = 0; i < n; ++i) {
        TFacts& f = m_facts[i];
        f.Keyword = int8_t(FindKeyword(lines[i]));
        f.Opens = OpensEnd(lines[i]);
        f.IsEnd = lines[i] == "end";
        f.IsElse = lines[i] == "else";
    }
    for (size_t i = n; i-- > 0;)
        m_facts[i].BeginRun = m_facts[i].Keyword == kwBegin ? m_facts[i + 1].BeginRun + 1 : 0;
    FillDepths();
    FillStatementEnds();
}

namespace {

// The positions, from the last back, whose depth is lower than every
// position after them up to the one being looked at: the top is the first
// later position of lower depth.
class TLowerStack
{
public:
    void Step(int step) { m_depth -= step; } // the depth one position back
    size_t Lower()
    {
        while (!m_stack.empty() && m_stack.back().second >= m_depth)
            m_stack.pop_back();
        return m_stack.empty() ? size_t(-1) : m_stack.back().first;
    }
    void Push(size_t at) { m_stack.push_back({at, m_depth}); }

private:
    int64_t m_depth = 0; // relative to the end of the list, which is all that matters
    std::vector<std::pair<size_t, int64_t>> m_stack;
};

} // namespace

void TExtentTable::FillDepths()
{
    TLowerStack end, anyEnd, until;
    for (size_t p = m_facts.size(); p-- > 0;) {
        TFacts& f = m_facts[p];
        if (p < m_lines.size()) {
            end.Step(f.Opens ? 1 : f.IsEnd ? -1 : 0);
            anyEnd.Step(f.Opens ? 1 : f.Keyword == kwEnd ? -1 : 0);
            until.Step(f.Keyword == kwRepeat ? 1 : f.Keyword == kwUntil ? -1 : 0);
        }
        f.EndBelow = end.Lower();
        f.AnyEndBelow = anyEnd.Lower();
        f.UntilBelow = until.Lower();
        end.Push(p);
        anyEnd.Push(p);
        until.Push(p);
    }
}

// The statement walk above, turned around: a statement's end depends only on
// where it starts and on whether an if above it waits for an "else" (a
// stray "else" is left to that if), and every statement ends no earlier
// than the statements nested in it, so one pass from the last line back
// finds them all.
void TExtentTable::FillStatementEnds()
{
    const size_t n = m_lines.size();
    m_facts[n].StatementEnd = n;
    m_facts[n].ElseEnd = n;
    auto through = [n](size_t last) { return last >= n ? n : last + 1; };
    for (size_t k = n; k-- > 0;) {
        TFacts& f = m_facts[k];
        for (const bool ifWaits : {false, true}) {
            auto endAt = [&](size_t at) {
                return ifWaits ? m_facts[at].ElseEnd : m_facts[at].StatementEnd;
            };
            size_t end = k + 1;
            switch (TKeyword(f.Keyword)) {
            case kwIf: {
                // The then-statement, and an "else" and its statement when
                // the then-statement leaves one.
                const size_t then = m_facts[std::min(n, k + 3)].ElseEnd;
                end = then < n && m_facts[then].Keyword == kwElse ? endAt(then + 1) : then;
                break;
            }
            case kwWhile:
            case kwWith:
                end = endAt(std::min(n, k + 3));
                break;
            case kwFor: {
                const bool in = k + 2 < n && m_facts[k + 2].Keyword == kwDo;
                end = endAt(std::min(n, k + (in ? 3 : 5)));
                break;
            }
            case kwBegin:
                end = through(EndFrom(k + 1));
                break;
            case kwCase:
                end = through(EndFrom(std::min(n, k + 3)));
                break;
            case kwRepeat:
                end = through(UntilFrom(k + 1) + 1);
                break;
            case kwNone:
                end = f.Opens ? through(EndFrom(k + 1)) : k + 1;
                break;
            default:
                end = ifWaits && f.IsElse ? k : k + 1;
            }
            (ifWaits ? f.ElseEnd : f.StatementEnd) = end;
        }
    }
}

bool TExtentTable::Holds(TLineSpan part) const
{
    const std::less<const std::string*> before;
    return part.empty() || (!before(part.data(), m_lines.data()) &&
                            !before(m_lines.data() + m_lines.size(), part.data() + part.size()));
}

size_t TExtentTable::Offset(TLineSpan part) const
{
    return size_t(part.data() - m_lines.data());
}

size_t TExtentTable::Clip(size_t at, size_t offset, size_t size)
{
    return std::min(at, offset + size) - offset;
}

size_t TExtentTable::EndFrom(size_t from) const
{
    const size_t q = m_facts[from].EndBelow;
    return q == kNever ? m_lines.size() : q - 1;
}

size_t TExtentTable::UntilFrom(size_t from) const
{
    const size_t q = m_facts[from].UntilBelow;
    return q == kNever ? m_lines.size() : q - 1;
}

size_t TExtentTable::MatchingEnd(TLineSpan part, size_t from) const
{
    if (from >= part.size()) return part.size();
    const size_t o = Offset(part);
    return Clip(EndFrom(o + from), o, part.size());
}

size_t TExtentTable::MatchingUntil(TLineSpan part, size_t from) const
{
    if (from >= part.size()) return part.size();
    const size_t o = Offset(part);
    return Clip(UntilFrom(o + from), o, part.size());
}

size_t TExtentTable::StatementEnd(TLineSpan part, size_t k) const
{
    if (k >= part.size()) return k;
    const size_t o = Offset(part);
    return Clip(m_facts[o + k].StatementEnd, o, part.size());
}

size_t TExtentTable::ClosingEnd(TLineSpan part, size_t k) const
{
    if (k >= part.size()) return part.size();
    const size_t o = Offset(part);
    if (!m_facts[o + k].Opens) return part.size();
    const size_t q = m_facts[o + k + 1].AnyEndBelow;
    return Clip(q == kNever ? m_lines.size() : q - 1, o, part.size());
}

size_t TExtentTable::BeginRun(TLineSpan part, size_t k) const
{
    if (k >= part.size()) return 0;
    return std::min(m_facts[Offset(part) + k].BeginRun, part.size() - k);
}

} // namespace kb::unitimport
