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

// Indices into kKeywords, for the callers that test for one keyword.
enum TKeyword : int {
    kwBegin = 0,
    kwEnd = 1,
    kwIf = 2,
    kwThen = 3,
    kwElse = 4,
    kwWhile = 5,
    kwDo = 6,
    kwFor = 7,
    kwTo = 8,
    kwDownto = 9,
    kwRepeat = 10,
    kwUntil = 11,
    kwCase = 12,
    kwOf = 13,
    kwProcedure = 14,
    kwFunction = 15,
    kwImplementation = 16,
    kwVar = 17,
    kwWith = 18,
};

// The keyword that `word` is as a whole, ignoring the case of A-Z; -1 for none.
int KeywordIndex(std::string_view word);

} // namespace kb
