#include "pasexport/pastext.h"

#include <cctype>

#include "model/keywords.h"

namespace kb::pas {

void CleanStatement(std::string& text, size_t& cleanUpTo)
{
    // Replacing the first "\r\n\r\n" by "\r\n" again and again never creates
    // an occurrence before the one replaced, so one left-to-right copy that
    // undoes each occurrence as it completes gives the same text.
    size_t out = cleanUpTo < text.size() ? cleanUpTo : text.size();
    for (size_t in = out; in < text.size(); ++in) {
        text[out++] = text[in];
        if (out >= 4 && text.compare(out - 4, 4, "\r\n\r\n") == 0) out -= 2;
    }
    text.resize(out);
    if (text.size() >= 2 && text.compare(text.size() - 2, 2, "\r\n") == 0)
        text.resize(text.size() - 2);
    if (text.empty() || text.back() != ';') text += ';';
    cleanUpTo = text.size();
}

std::vector<std::string> SplitLines(std::string_view text)
{
    std::vector<std::string> lines;
    size_t start = 0;
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] != '\r' && text[i] != '\n') continue;
        lines.emplace_back(text.substr(start, i - start));
        if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
        start = i + 1;
    }
    if (start < text.size()) lines.emplace_back(text.substr(start));
    return lines;
}

namespace {

bool Blank(std::string_view line)
{
    for (char c : line)
        if (uint8_t(c) > 32) return false;
    return true;
}

// The line up to its first space, cut at its first ";".
std::string_view FirstWord(std::string_view line)
{
    std::string_view word = line.substr(0, line.find(' '));
    return word.substr(0, word.find(';'));
}

int FirstWordKeyword(std::string_view line)
{
    return KeywordIndex(FirstWord(line));
}

// "try" opens a block that "end" closes, with "except" or "finally" between.
bool IsWord(std::string_view word, std::string_view lower)
{
    if (word.size() != lower.size()) return false;
    for (size_t i = 0; i < word.size(); ++i)
        if ((word[i] | 0x20) != lower[i]) return false;
    return true;
}

} // namespace

namespace {

bool IsSpace(char c)
{
    return static_cast<unsigned char>(c) <= 32;
}

bool SameWord(std::string_view a, std::string_view b)
{
    if (a.size() != b.size()) return false;
    for (size_t i = 0; i < a.size(); ++i)
        if (std::tolower(static_cast<unsigned char>(a[i])) !=
            std::tolower(static_cast<unsigned char>(b[i])))
            return false;
    return true;
}

} // namespace

bool IsHead(std::string_view text, std::string_view first, std::string_view last)
{
    size_t b = 0, e = text.size();
    while (b < e && IsSpace(text[b]))
        ++b;
    while (e > b && IsSpace(text[e - 1]))
        --e;
    if (e - b < first.size() + last.size() + 1) return false;
    const std::string_view t = text.substr(b, e - b);
    return SameWord(t.substr(0, first.size()), first) && IsSpace(t[first.size()]) &&
           SameWord(t.substr(t.size() - last.size()), last) &&
           IsSpace(t[t.size() - last.size() - 1]);
}

void Indent(std::vector<std::string>& lines)
{
    int level = 0;
    size_t kept = 0;
    for (size_t i = 0; i < lines.size(); ++i) {
        if (Blank(lines[i])) continue;
        const int word = FirstWordKeyword(lines[i]);
        const std::string_view first = FirstWord(lines[i]);
        const bool divides = IsWord(first, "except") || IsWord(first, "finally");
        // A case statement and a try block close with "end" as a compound does.
        const bool opens = word == kwBegin || word == kwRepeat || IsHead(lines[i], "case", "of") ||
                           IsWord(first, "try") || divides;
        if (word == kwEnd || word == kwUntil || divides) level -= 2;
        if (level > 0) lines[i].insert(0, size_t(level), ' ');
        if (opens) level += 2;
        if (kept != i) lines[kept] = std::move(lines[i]);
        ++kept;
    }
    lines.resize(kept);
}

} // namespace kb::pas
