#include "unitimport/extent.h"

#include "model/keywords.h"

#include <algorithm>

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

} // namespace kb::unitimport
