// Statement extents: which lines make up the statement at an index.
#include "unitimport/extent.h"

#include <gtest/gtest.h>

using namespace kb::unitimport;

namespace {

struct ExtentCase
{
    const char* name;
    TLines lines;
    size_t start;
    TLines taken;
    size_t next;
};

class StatementExtentTest : public testing::TestWithParam<ExtentCase>
{
};

TEST_P(StatementExtentTest, TakesTheStatementsLines)
{
    const ExtentCase& c = GetParam();
    TLines out{"kept"};
    EXPECT_EQ(StatementExtent(c.lines, c.start, out), c.next);
    TLines expected{"kept"};
    expected.insert(expected.end(), c.taken.begin(), c.taken.end());
    EXPECT_EQ(out, expected);
    EXPECT_EQ(StatementEnd(c.lines, c.start), c.next);
}

const ExtentCase kCases[] = {
    {"Plain", {"a", "b"}, 0, {"a"}, 1},
    {"Compound",
     {"begin", "a", "case", "x", "of", "1:", "b", "end", "end", "c"},
     0,
     {"begin", "a", "case", "x", "of", "1:", "b", "end", "end"},
     9},
    {"IfThen", {"if", "c", "then", "a", "b"}, 0, {"if", "c", "then", "a"}, 4},
    {"IfThenElse",
     {"if", "c", "then", "a", "else", "b", "z"},
     0,
     {"if", "c", "then", "a", "else", "b"},
     6},
    // The inner if takes the "else", then the outer one may take another.
    {"DanglingElse",
     {"if", "c", "then", "if", "d", "then", "a", "else", "b", "else", "e", "z"},
     0,
     {"if", "c", "then", "if", "d", "then", "a", "else", "b", "else", "e"},
     11},
    {"IfInsideLoops",
     {"while", "c", "do", "for", "i :=1", "to", "n", "do", "if", "d", "then", "a", "else", "b",
      "z"},
     0,
     {"while", "c", "do", "for", "i :=1", "to", "n", "do", "if", "d", "then", "a", "else", "b"},
     14},
    {"Repeat",
     {"repeat", "repeat", "a", "until", "x", "until", "y", "z"},
     0,
     {"repeat", "repeat", "a", "until", "x", "until", "y"},
     7},
    {"CaseHeadIsTakenWhole",
     {"case", "end", "of", "1:", "a", "end", "z"},
     0,
     {"case", "end", "of", "1:", "a", "end"},
     6},
    {"StrayKeywordIsBlank", {"then", "a"}, 0, {" "}, 1},
    {"StrayKeywordAsBody", {"while", "c", "do", "end", "z"}, 0, {"while", "c", "do", " "}, 4},
    {"PastTheEnd", {"a"}, 1, {}, 1},
    {"UnclosedCompound", {"begin", "a", "begin", "b"}, 0, {"begin", "a", "begin", "b"}, 4},
    {"UnclosedRepeat", {"repeat", "a"}, 0, {"repeat", "a"}, 2},
    {"TruncatedIf", {"if", "c"}, 0, {"if", "c"}, 2},
    {"TruncatedFor", {"for", "i :=1", "to"}, 0, {"for", "i :=1", "to"}, 3},
};

INSTANTIATE_TEST_SUITE_P(Rows, StatementExtentTest, testing::ValuesIn(kCases),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(StatementExtent, ThousandsOfNestedStatementsUseNoRecursion)
{
    TLines lines;
    const int depth = 200000;
    for (int i = 0; i < depth; ++i)
        lines.insert(lines.end(), {"if", "c", "then", "while", "d", "do"});
    lines.push_back("x");
    for (int i = 0; i < depth; ++i)
        lines.insert(lines.end(), {"else", "y"});
    lines.push_back("after");
    EXPECT_EQ(StatementEnd(lines, 0), lines.size() - 1);
}

TEST(MatchingEnd, CountsBeginAndCase)
{
    const TLines lines{"begin", "case", "end", "x", "end", "end"};
    EXPECT_EQ(MatchingEnd(lines, 1), 4u);
    EXPECT_EQ(MatchingEnd(lines, 2), 2u);
    EXPECT_EQ(MatchingEnd(TLines{"begin", "x"}, 1), 2u); // missing: the size
    EXPECT_EQ(MatchingUntil(TLines{"repeat", "repeat", "until", "until"}, 1), 3u);
}

} // namespace
