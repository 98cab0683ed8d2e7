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

namespace {

// Given how each line moves a depth (+1, -1 or 0), for every position p from
// 0 to the size the first later position where the depth is below p's, or
// `never`: where a scan from p with depth 1 reaches depth 0, one line on.
std::vector<size_t> NextLower(const std::vector<int8_t>& steps, size_t never)
{
    const size_t n = steps.size();
    std::vector<int64_t> depth(n + 1, 0);
    for (size_t i = 0; i < n; ++i)
        depth[i + 1] = depth[i] + steps[i];
    std::vector<size_t> below(n + 1, never);
    std::vector<size_t> stack;
    for (size_t p = n + 1; p-- > 0;) {
        while (!stack.empty() && depth[stack.back()] >= depth[p])
            stack.pop_back();
        if (!stack.empty()) below[p] = stack.back();
        stack.push_back(p);
    }
    return below;
}

} // namespace

TExtentTable::TExtentTable(TLineSpan lines) : m_lines(lines)
{
    const size_t n = lines.size();
    m_keyword.resize(n);
    std::vector<int8_t> endSteps(n), anyEndSteps(n), untilSteps(n);
    for (size_t i = 0; i < n; ++i) {
        const TKeyword k = FindKeyword(lines[i]);
        const bool opens = OpensEnd(lines[i]);
        m_keyword[i] = int8_t(k);
        endSteps[i] = int8_t(opens ? 1 : lines[i] == "end" ? -1 : 0);
        anyEndSteps[i] = int8_t(opens ? 1 : k == kwEnd ? -1 : 0);
        untilSteps[i] = int8_t(k == kwRepeat ? 1 : k == kwUntil ? -1 : 0);
    }
    m_endBelow = NextLower(endSteps, kNever);
    m_anyEndBelow = NextLower(anyEndSteps, kNever);
    m_untilBelow = NextLower(untilSteps, kNever);
    m_beginRun.assign(n + 1, 0);
    for (size_t i = n; i-- > 0;)
        m_beginRun[i] = m_keyword[i] == kwBegin ? m_beginRun[i + 1] + 1 : 0;
    FillStatementEnds();
}

// The statement walk above, turned around: a statement's end depends only on
// where it starts and on whether an if above it waits for an "else" (a
// stray "else" is left to that if), and every statement ends no earlier
// than the statements nested in it, so one pass from the last line back
// finds them all.
void TExtentTable::FillStatementEnds()
{
    const size_t n = m_lines.size();
    m_statementEnd.assign(n + 1, n);
    m_elseEnd.assign(n + 1, n);
    auto through = [n](size_t last) { return last >= n ? n : last + 1; };
    for (size_t k = n; k-- > 0;) {
        for (std::vector<size_t>* ends : {&m_statementEnd, &m_elseEnd}) {
            const bool ifWaits = ends == &m_elseEnd;
            size_t end = k + 1;
            switch (TKeyword(m_keyword[k])) {
            case kwIf: {
                // The then-statement, and an "else" and its statement when
                // the then-statement leaves one.
                const size_t then = m_elseEnd[std::min(n, k + 3)];
                end = then < n && m_keyword[then] == kwElse ? (*ends)[then + 1] : then;
                break;
            }
            case kwWhile:
            case kwWith:
                end = (*ends)[std::min(n, k + 3)];
                break;
            case kwFor: {
                const bool in = k + 2 < n && m_keyword[k + 2] == kwDo;
                end = (*ends)[std::min(n, k + (in ? 3 : 5))];
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
                end = OpensEnd(m_lines[k]) ? through(EndFrom(k + 1)) : k + 1;
                break;
            default:
                end = ifWaits && m_lines[k] == "else" ? k : k + 1;
            }
            (*ends)[k] = end;
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
    const size_t q = m_endBelow[from];
    return q == kNever ? m_lines.size() : q - 1;
}

size_t TExtentTable::UntilFrom(size_t from) const
{
    const size_t q = m_untilBelow[from];
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
    return Clip(m_statementEnd[o + k], o, part.size());
}

size_t TExtentTable::ClosingEnd(TLineSpan part, size_t k) const
{
    if (k >= part.size() || !OpensEnd(part[k])) return part.size();
    const size_t o = Offset(part);
    const size_t q = m_anyEndBelow[o + k + 1];
    return Clip(q == kNever ? m_lines.size() : q - 1, o, part.size());
}

size_t TExtentTable::BeginRun(TLineSpan part, size_t k) const
{
    if (k >= part.size()) return 0;
    return std::min(m_beginRun[Offset(part) + k], part.size() - k);
}

} // namespace kb::unitimport
