#include "model/keywords.h"

#include <gtest/gtest.h>

#include <string>

namespace kb {
namespace {

TEST(Keywords, WholeWordsInAnyLetterCase)
{
    for (int i = 0; i < kKeywordCount; ++i) {
        std::string upper(kKeywords[size_t(i)]);
        for (char& c : upper)
            c = char(c - 'a' + 'A');
        EXPECT_EQ(FindKeyword(kKeywords[size_t(i)]), TKeyword(i));
        EXPECT_EQ(FindKeyword(upper), TKeyword(i)) << upper;
    }
    EXPECT_EQ(FindKeyword("BeGiN"), kwBegin);
    EXPECT_EQ(FindKeyword("Implementation"), kwImplementation);
}

TEST(Keywords, NothingButTheWordItself)
{
    for (const char* text : {"", "d", "begin ", " end", "beginx", "en", "x:=1", "implementations",
                             "a very long statement indeed", "end;"})
        EXPECT_EQ(FindKeyword(text), kwNone) << text;
    // Bytes that become letters only by ignoring more than A-Z case: '@' and
    // '[' next to the letters, Windows-1251 capitals, a NUL in the word.
    EXPECT_EQ(FindKeyword("@nd"), kwNone);
    EXPECT_EQ(FindKeyword("en\x04"), kwNone);
    EXPECT_EQ(FindKeyword("\xC4o"), kwNone);
    EXPECT_EQ(FindKeyword(std::string("do\0", 3)), kwNone);
    EXPECT_EQ(FindKeyword(std::string("d\0", 2)), kwNone);
}

} // namespace
} // namespace kb
