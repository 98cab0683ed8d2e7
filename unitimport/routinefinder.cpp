// Stage 4 of the scanner: the routines and their bodies.
#include "model/keywords.h"
#include "unitimport/scanner.h"

#include <cctype>
#include <cstddef>

namespace kb::unitimport {

bool OpensEnd(std::string_view line)
{
    return line == "begin" || line == "case" || line == "try" || line == "asm";
}

namespace {

std::string Lower(std::string_view s)
{
    std::string out(s);
    for (char& c : out)
        c = char(std::tolower(static_cast<unsigned char>(c)));
    return out;
}

// The line's first word in lower case: letters, digits and "_".
std::string FirstWord(std::string_view line)
{
    line = Trim(line);
    size_t n = 0;
    while (n < line.size() && (std::isalnum(static_cast<unsigned char>(line[n])) || line[n] == '_'))
        ++n;
    return Lower(line.substr(0, n));
}

// Constructors, destructors and operators are no keywords of the shared list:
// their header is one line that begins with the word.
bool IsRoutineWordLine(const std::string& line)
{
    std::string_view rest = Trim(line);
    std::string w = FirstWord(rest);
    if (w == "class") { // "class operator +(a, b: T) r:"
        rest = Trim(rest.substr(w.size()));
        w = FirstWord(rest);
    }
    return (w == "constructor" || w == "destructor" || w == "operator") && w.size() < rest.size();
}

// A directive after a header ("overload", "cdecl", "[public, alias: 'x']");
// "forward", "external" and "abstract" also say the header has no body here.
enum class TDirective { None, Goes, NoBody };

TDirective DirectiveOf(std::string line)
{
    bool marked = false;
    for (size_t at = line.find(kDirectiveMark); at != std::string::npos;
         at = line.find(kDirectiveMark)) {
        line.erase(at, kDirectiveMark.size());
        marked = true;
    }
    if (marked && Trim(line).empty()) return TDirective::Goes; // a compiler directive alone
    static const char* const kGoes[] = {
        "overload",      "inline",         "cdecl",          "stdcall",
        "register",      "pascal",         "safecall",       "varargs",
        "static",        "virtual",        "override",       "reintroduce",
        "dynamic",       "message",        "assembler",      "public",
        "export",        "nostackframe",   "compilerproc",   "deprecated",
        "platform",      "experimental",   "local",          "far",
        "near",          "interrupt",      "noreturn",       "iocheck",
        "hardfloat",     "softfloat",      "mwpascal",       "vectorcall",
        "winapi",        "internproc",     "internconst",    "rtlproc",
        "saveregisters", "syscall",        "unimplemented",  "final",
        "enumerator",    "alias",          "ms_abi_default", "sysv_abi_default",
        "ms_abi_cdecl",  "sysv_abi_cdecl", "weakexternal"};
    const std::string_view t = Trim(line);
    if (!t.empty() && (t.front() == '[' || t.back() == ']')) return TDirective::Goes;
    const std::string w = FirstWord(t);
    if (w == "forward" || w == "external" || w == "abstract") return TDirective::NoBody;
    for (const char* d : kGoes)
        if (w == d) return TDirective::Goes;
    return TDirective::None;
}

bool HasWord(const std::string& lowerLine, std::string_view word)
{
    for (size_t at = lowerLine.find(word); at != std::string::npos;
         at = lowerLine.find(word, at + 1)) {
        const bool before =
            at == 0 || !(std::isalnum(static_cast<unsigned char>(lowerLine[at - 1])) ||
                         lowerLine[at - 1] == '_');
        const size_t after = at + word.size();
        const bool behind = after >= lowerLine.size() ||
                            !(std::isalnum(static_cast<unsigned char>(lowerLine[after])) ||
                              lowerLine[after] == '_');
        if (before && behind) return true;
    }
    return false;
}

} // namespace

namespace {

// Routine headers open in the order they are met; a header waits on the
// stack until its "begin" is found. An explicit stack rather than recursion,
// because a unit may hold any number of headers in a row.
class RoutineFinder
{
public:
    explicit RoutineFinder(const TLines& lines) : m_lines(lines), m_typeEnd(lines.size(), 0)
    {
        FindTypeBodies();
    }

    std::vector<TRoutine> Run()
    {
        size_t i = 0;
        while (i < Count() && m_lines[i] != "implementation")
            ++i;
        while (i < Count()) {
            if (const size_t past = PastTypeBody(i); past != 0)
                i = past;
            else if (StartsRoutine(i))
                i = Extract(i) + 1; // on after the line the extraction stopped at
            else
                ++i;
        }
        return std::move(m_routines);
    }

private:
    size_t Count() const { return m_lines.size(); }
    std::string Line(size_t i) const { return i < Count() ? m_lines[i] : std::string(); }

    bool StartsRoutine(size_t i) const
    {
        const std::string& line = m_lines[i];
        if (line == "procedure" || line == "function") {
            // "procedure (Sender: TObject) of object" and "f: procedure;"
            // are types, not routines: a routine's name follows the keyword.
            const std::string next = Line(i + 1);
            return !next.empty() && next[0] != '(' && FindKeyword(next) == kwNone;
        }
        return IsRoutineWordLine(line);
    }

    // The lines a header takes: two for "procedure" and its line, one for a
    // constructor's, destructor's or operator's own line.
    size_t HeaderSize(size_t i) const { return IsRoutineWordLine(m_lines[i]) ? 1 : 2; }
    std::string Header(size_t i) const
    {
        return HeaderSize(i) == 1 ? m_lines[i] : Line(i) + " " + Line(i + 1);
    }

    // When line i opens a record, class, object or interface type, the index
    // one past its closing "end"; 0 otherwise. Routine headers inside a type
    // are declarations whose bodies come later.
    size_t PastTypeBody(size_t i) const { return m_typeEnd[i]; }

    // One pass pairs each type's opening line with its "end", nested types
    // included. "EFoo = class(Exception);" has no "end" of its own: a type
    // body never holds a "begin", so one met first shows that the openings
    // still waiting opened nothing.
    void FindTypeBodies()
    {
        std::vector<size_t> open;
        for (size_t j = 0; j < Count(); ++j) {
            if (OpensEnd(m_lines[j]) && m_lines[j] != "case") {
                open.clear();
            } else if (m_lines[j] == "end") {
                if (!open.empty()) {
                    m_typeEnd[open.back()] = j + 1;
                    open.pop_back();
                }
            } else if (OpensType(j)) {
                open.push_back(j);
            }
        }
    }

    bool OpensType(size_t i) const
    {
        const std::string line = Lower(m_lines[i]);
        if (line.empty() || line == "end" || FindKeyword(line) != kwNone) return false;
        if (HasWord(line, "record")) return true;
        if (Line(i - 1) == "of" && FirstWord(line) == "object") return false; // "of object"
        if (line.find('=') == std::string::npos) return false;
        const std::string afterEq = line.substr(line.find('=') + 1);
        const std::string w = FirstWord(afterEq) == "packed" ? FirstWord(Trim(afterEq).substr(6))
                                                             : FirstWord(afterEq);
        if (w == "object" || w == "interface" || w == "dispinterface" || w == "objcclass")
            return true;
        // "TFoo = class of TBar" is a class reference, not a class.
        return w == "class" && !HasWord(afterEq, "of");
    }

    // True when the header at i says its body is elsewhere ("forward",
    // "external"); `next` becomes the line after its directives.
    bool WithoutBody(size_t i, size_t& next) const
    {
        next = i + HeaderSize(i);
        // "function Max(a, b: integer):" leaves its result type on a line of its own.
        if (const std::string last = Line(next - 1); !last.empty() && last.back() == ':') ++next;
        for (; next < Count(); ++next) {
            const TDirective d = DirectiveOf(m_lines[next]);
            if (d == TDirective::NoBody) {
                ++next;
                while (next < Count() && DirectiveOf(m_lines[next]) != TDirective::None)
                    ++next;
                return true;
            }
            if (d == TDirective::None) return false;
        }
        return false;
    }

    // Starts at a header line; returns the index of the line where the
    // outermost routine's extraction stopped.
    size_t Extract(size_t i)
    {
        size_t next = 0;
        if (WithoutBody(i, next)) return next - 1;
        std::vector<std::string> open{Header(i)};
        i = next;
        for (;;) {
            if (i < Count() && m_lines[i] == "begin") {
                TRoutine r{std::move(open.back()), {}};
                i = TakeBody(i, r.Body);
                if (!r.Body.empty()) m_routines.push_back(std::move(r));
            } else if (i < Count() && m_lines[i] == " ") {
                // "begin end" became one blank statement: an empty body.
                m_routines.push_back({std::move(open.back()), {"begin", " ", "end"}});
            } else if (i < Count() && m_lines[i] == "asm") {
                // An assembler body is no flowchart; it is passed over whole.
                i = BodyEnd(i);
            } else if (i + 2 >= Count()) {
                // At or past the second-to-last line: this routine has no body.
            } else if (const size_t past = PastTypeBody(i); past != 0) {
                i = past;
                continue;
            } else if (StartsRoutine(i)) {
                if (!WithoutBody(i, next)) open.push_back(Header(i));
                i = next;
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

    // From "begin" to its matching "end" (or the last line); returns the index
    // of the last line taken. The lines are copied in one go, once their
    // count is known.
    size_t TakeBody(size_t i, TLines& body) const
    {
        const size_t last = BodyEnd(i);
        if (i < Count())
            body.assign(m_lines.begin() + std::ptrdiff_t(i),
                        m_lines.begin() + std::ptrdiff_t(last) + 1);
        return last;
    }

    // The index of the "end" matching the "begin" at i, or the last line.
    size_t BodyEnd(size_t i) const
    {
        int depth = 0;
        for (; i < Count(); ++i) {
            const std::string& line = m_lines[i];
            if (OpensEnd(line))
                ++depth;
            else if (line == "end" && --depth == 0)
                return i;
        }
        return Count() - 1;
    }

    const TLines& m_lines;
    std::vector<size_t> m_typeEnd; // see PastTypeBody
    std::vector<TRoutine> m_routines;
};

} // namespace

std::vector<TRoutine> FindRoutines(const TLines& lines)
{
    return RoutineFinder(lines).Run();
}

namespace {

// Takes the directive marks out of the lines; a line that held nothing else
// goes. True when there was one.
bool DropDirectiveMarks(TLines& lines)
{
    bool found = false;
    size_t kept = 0;
    for (size_t i = 0; i < lines.size(); ++i) {
        std::string& line = lines[i];
        bool marked = false;
        for (size_t at = line.find(kDirectiveMark); at != std::string::npos;
             at = line.find(kDirectiveMark, at)) {
            line.erase(at, kDirectiveMark.size());
            marked = true;
        }
        if (marked) {
            found = true;
            // The mark came with a space on either side.
            std::string tidy;
            for (char c : Trim(line))
                if (!(c == ' ' && !tidy.empty() && tidy.back() == ' ')) tidy += c;
            if (tidy.empty()) continue;
            line = std::move(tidy);
        }
        if (kept != i) lines[kept] = std::move(line);
        ++kept;
    }
    lines.resize(kept);
    return found;
}

} // namespace

TUnit ScanText(std::string_view source)
{
    TUnit unit;
    unit.Lines = BuildLines(SplitTokens(CleanText(NormalizeLineBreaks(source))));
    unit.Routines = FindRoutines(unit.Lines);
    DropDirectiveMarks(unit.Lines);
    for (TRoutine& r : unit.Routines) {
        r.LostDirectives = DropDirectiveMarks(r.Body);
        if (r.Header.find(kDirectiveMark) != std::string::npos) {
            TLines header{r.Header};
            DropDirectiveMarks(header);
            r.Header = header.empty() ? std::string() : header.front();
        }
    }
    return unit;
}

} // namespace kb::unitimport
