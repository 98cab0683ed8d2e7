// Stage 4 of the scanner: the routines and their bodies.
#include "unitimport/scanner.h"

namespace kb::unitimport {
namespace {

bool StartsRoutine(const std::string& line)
{
    return line == "procedure" || line == "function";
}

// Routine headers open in the order they are met; a header waits on the
// stack until its "begin" is found. An explicit stack rather than recursion,
// because a unit may hold any number of headers in a row.
class RoutineFinder
{
public:
    explicit RoutineFinder(const TLines& lines) : m_lines(lines) {}

    std::vector<TRoutine> Run()
    {
        size_t i = 0;
        while (i < Count() && m_lines[i] != "implementation")
            ++i;
        while (i < Count()) {
            if (StartsRoutine(m_lines[i]))
                i = Extract(i) + 1; // on after the line the extraction stopped at
            else
                ++i;
        }
        return std::move(m_routines);
    }

private:
    size_t Count() const { return m_lines.size(); }
    std::string Line(size_t i) const { return i < Count() ? m_lines[i] : std::string(); }

    // Starts at a header line; returns the index of the line where the
    // outermost routine's extraction stopped.
    size_t Extract(size_t i)
    {
        std::vector<std::string> open{Header(i)};
        i += 2;
        for (;;) {
            if (i < Count() && m_lines[i] == "begin") {
                TRoutine r{std::move(open.back()), {}};
                i = TakeBody(i, r.Body);
                if (!r.Body.empty()) m_routines.push_back(std::move(r));
            } else if (i + 2 >= Count()) {
                // At or past the second-to-last line: this routine has no body.
            } else if (StartsRoutine(m_lines[i])) {
                open.push_back(Header(i));
                i += 2;
                continue;
            } else {
                ++i;
                continue;
            }
            open.pop_back();
            if (open.empty()) return i;
            ++i; // the enclosing routine goes on after the nested one
        }
    }

    std::string Header(size_t i) const { return Line(i) + " " + Line(i + 1); }

    // From "begin" to its matching "end" (or the last line); returns the index
    // of the last line taken.
    size_t TakeBody(size_t i, TLines& body) const
    {
        int depth = 0;
        for (; i < Count(); ++i) {
            const std::string& line = m_lines[i];
            body.push_back(line);
            if (line == "begin" || line == "case")
                ++depth;
            else if (line == "end" && --depth == 0)
                return i;
        }
        return Count() - 1;
    }

    const TLines& m_lines;
    std::vector<TRoutine> m_routines;
};

} // namespace

std::vector<TRoutine> FindRoutines(const TLines& lines)
{
    return RoutineFinder(lines).Run();
}

TUnit ScanText(std::string_view source)
{
    TUnit unit;
    unit.Lines = BuildLines(SplitTokens(CleanText(NormalizeLineBreaks(source))));
    unit.Routines = FindRoutines(unit.Lines);
    return unit;
}

} // namespace kb::unitimport
