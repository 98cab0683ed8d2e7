// The Pascal keywords that the flowchart export and the unit scanner both
// recognise, numbered from 0 in this order; look-ups compare whole words and
// ignore letter case.
#pragma once

#include <array>
#include <string_view>

namespace kb {

inline constexpr std::array<std::string_view, 19> kKeywords = {
    "begin", "end", "if",        "then",     "else",           "while",
    "do",    "for", "to",        "downto",   "repeat",         "until",
    "case",  "of",  "procedure", "function", "implementation", "var",
    "with",
};
constexpr int kKeywordCount = int(kKeywords.size());

// Positions in kKeywords, for the callers that test for one keyword.
enum TKeyword : int {
    kwNone = -1,
    kwBegin = 0,
    kwEnd,
    kwIf,
    kwThen,
    kwElse,
    kwWhile,
    kwDo,
    kwFor,
    kwTo,
    kwDownto,
    kwRepeat,
    kwUntil,
    kwCase,
    kwOf,
    kwProcedure,
    kwFunction,
    kwImplementation,
    kwVar,
    kwWith,
};

// The keyword that `word` is as a whole, ignoring the case of A-Z; kwNone
// when it is none.
TKeyword FindKeyword(std::string_view word);
inline int KeywordIndex(std::string_view word)
{
    return FindKeyword(word);
}
// The keyword in lower case; empty for kwNone.
std::string_view KeywordText(TKeyword k);

} // namespace kb
