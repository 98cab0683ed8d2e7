// The keyword list the unit scanner and the converter are driven by. The
// Pascal export uses the same 19 words in the same order; the numbers are
// positions in that list.
#pragma once

#include <string_view>

namespace kb::unitimport {

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
constexpr int kKeywordCount = 19;

// The keyword in lower case, as the line lists hold it.
std::string_view KeywordText(TKeyword k);

// The position of the whole text in the list, ignoring letter case; kwNone
// when the text is no keyword.
TKeyword FindKeyword(std::string_view text);

} // namespace kb::unitimport
