#include "model/cp1251.h"

#include <gtest/gtest.h>

using namespace kb;

TEST(Cp1251, EveryByteSurvivesTheRoundTrip)
{
    std::string all;
    for (int c = 1; c < 256; ++c)
        all += char(c);
    std::string back;
    EXPECT_TRUE(Utf8ToCp1251(Cp1251ToUtf8(all), back));
    EXPECT_EQ(back, all);
}

TEST(Cp1251, CyrillicAndSymbols)
{
    EXPECT_EQ(Cp1251ToUtf8("\xCF\xF0\xE8\xE2\xE5\xF2"), "Привет");
    EXPECT_EQ(Cp1251ToUtf8("\xA8\xB8\xB9"), "Ёё№");
    std::string out;
    EXPECT_TRUE(Utf8ToCp1251("Ёлка №1", out));
    EXPECT_EQ(out, "\xA8\xEB\xEA\xE0 \xB9"
                   "1");
}

TEST(Cp1251, UnrepresentableTextIsReportedNotLostSilently)
{
    std::string out;
    EXPECT_FALSE(Utf8ToCp1251("a日b", out));
    EXPECT_EQ(out, "a?b");
    EXPECT_FALSE(RepresentableIn1251("\xFF"));
    EXPECT_FALSE(RepresentableIn1251("\xE6\x97")); // cut-off sequence
    EXPECT_TRUE(RepresentableIn1251("Блок-схема"));
}

TEST(Cp1251, LowerCaseFoldsLatinAndCyrillic)
{
    EXPECT_EQ(LowerCase1251("AZaz\xC0\xDF\xA8\xB2"), "azaz\xE0\xFF\xB8\xB3");
    EXPECT_EQ(LowerCase1251(uint8_t('1')), '1');
}
