#include "model/keywords.h"

#include <vector>

namespace kb {
namespace {

// Pascal keywords are ASCII, so folding ASCII letters is enough: no other
// byte can turn into a keyword letter.
char AsciiLower(char c)
{
    return c >= 'A' && c <= 'Z' ? char(c - 'A' + 'a') : c;
}

bool EqualsIgnoringCase(std::string_view text, std::string_view word)
{
    if (text.size() != word.size()) return false;
    for (size_t i = 0; i < text.size(); ++i)
        if (AsciiLower(text[i]) != word[i]) return false;
    return true;
}

} // namespace

std::string_view KeywordText(TKeyword k)
{
    return k >= 0 && k < kKeywordCount ? kKeywords[size_t(k)] : std::string_view{};
}

TKeyword FindKeyword(std::string_view text)
{
    // Most lines the scanner asks about are statements; the length alone
    // rules out nearly every one, and leaves at most four words to compare.
    static const std::array<std::vector<int>, 15> byLength = [] {
        std::array<std::vector<int>, 15> table;
        for (int i = 0; i < kKeywordCount; ++i)
            table[kKeywords[size_t(i)].size()].push_back(i);
        return table;
    }();
    if (text.size() >= byLength.size()) return kwNone;
    for (const int i : byLength[text.size()])
        if (EqualsIgnoringCase(text, kKeywords[size_t(i)])) return TKeyword(i);
    return kwNone;
}

} // namespace kb
