// Stage 1 of the scanner, and the line-break normalisation before it.
#include "unitimport/scanner.h"

#include <algorithm>

namespace kb::unitimport {
namespace {

constexpr char CR = '\r';
constexpr char LF = '\n';

// Reads the source from the front; every look past the end sees a 0 byte,
// which no rule below acts on.
class Cursor
{
public:
    explicit Cursor(std::string_view s) : m_s(s) {}
    bool AtEnd() const { return m_pos >= m_s.size(); }
    char Peek(size_t ahead = 0) const
    {
        return m_pos + ahead < m_s.size() ? m_s[m_pos + ahead] : '\0';
    }
    char Take() { return m_s[m_pos++]; }
    void Skip(size_t n) { m_pos = std::min(m_s.size(), m_pos + n); }
    // Moves past the next occurrence of `end`, or to the end of the text;
    // true when `end` was found.
    bool SkipPast(std::string_view end)
    {
        const size_t at = m_s.find(end, m_pos);
        m_pos = at == std::string_view::npos ? m_s.size() : at + end.size();
        return at != std::string_view::npos;
    }
    // The text from the cursor up to and including `end` (or to the end).
    std::string_view TakeThrough(char end)
    {
        const size_t at = m_s.find(end, m_pos);
        const size_t stop = at == std::string_view::npos ? m_s.size() : at + 1;
        const std::string_view piece = m_s.substr(m_pos, stop - m_pos);
        m_pos = stop;
        return piece;
    }

private:
    std::string_view m_s;
    size_t m_pos = 0;
};

void MarkDirective(std::string& out)
{
    out += ' ';
    out += kDirectiveMark;
    out += ' ';
}

} // namespace

std::string NormalizeLineBreaks(std::string_view source)
{
    std::string out;
    out.reserve(source.size() + source.size() / 16);
    for (size_t i = 0; i < source.size(); ++i) {
        const char c = source[i];
        if (c == CR && i + 1 < source.size() && source[i + 1] == LF) {
            out += "\r\n";
            ++i;
        } else if (c == CR || c == LF) {
            out += "\r\n";
        } else {
            out += c;
        }
    }
    return out;
}

std::string CleanText(std::string_view source)
{
    std::string out;
    out.reserve(source.size());
    Cursor in(source);
    while (!in.AtEnd()) {
        const char c = in.Take();
        if (c == CR) {
            if (in.Peek() == LF) in.Skip(1);
            out += CR;
        } else if (c == ' ') {
            while (in.Peek() == ' ')
                in.Skip(1);
            out += ' ';
        } else if (c == '\'') {
            // String literals keep their spaces and comment-like characters.
            out += c;
            out += in.TakeThrough('\'');
        } else if (c == '(' && in.Peek() == '*') {
            if (in.Peek(1) == '$') MarkDirective(out);
            in.Skip(1);
            in.SkipPast("*)");
        } else if (c == '/' && in.Peek() == '/') {
            // The comment and its line break become one CR; a comment that
            // runs to the end of the text leaves nothing.
            if (in.SkipPast("\r\n")) out += CR;
        } else if (c == '{') {
            if (in.Peek() == '$') MarkDirective(out);
            in.SkipPast("}");
        } else {
            out += c;
        }
    }
    return out;
}

} // namespace kb::unitimport
