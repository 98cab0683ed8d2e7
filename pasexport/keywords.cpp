#include "pasexport/keywords.h"

namespace kb {

namespace {

char AsciiLower(char c)
{
    return c >= 'A' && c <= 'Z' ? char(c - 'A' + 'a') : c;
}

bool SameIgnoringCase(std::string_view a, std::string_view b)
{
    if (a.size() != b.size()) return false;
    for (size_t i = 0; i < a.size(); ++i)
        if (AsciiLower(a[i]) != b[i]) return false;
    return true;
}

} // namespace

int KeywordIndex(std::string_view word)
{
    for (size_t i = 0; i < kKeywords.size(); ++i)
        if (SameIgnoringCase(word, kKeywords[i])) return int(i);
    return -1;
}

} // namespace kb
