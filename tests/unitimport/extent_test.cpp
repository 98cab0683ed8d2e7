// Statement extents: which lines make up the statement at an index.
#include "unitimport/extent.h"

#include "model/keywords.h"

#include <gtest/gtest.h>

#include <random>

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

// Where a stack of openers run over the list closes the opener at k, "end"
// in any letter case closing: the plain definition the table must agree with.
size_t ClosedByStack(TLineSpan lines, size_t k)
{
    std::vector<size_t> open;
    for (size_t i = 0; i < lines.size(); ++i) {
        if (OpensEnd(lines[i])) {
            open.push_back(i);
        } else if (kb::FindKeyword(lines[i]) == kb::kwEnd && !open.empty()) {
            if (open.back() == k) return i;
            open.pop_back();
        }
    }
    return lines.size();
}

// The table answers what the scans answer, for every line of random lists
// and of pieces cut from them anywhere, malformed ones included: the
// converter's output depends on it line for line.
TEST(ExtentTable, AgreesWithTheScansOnEveryPiece)
{
    static const char* const kWords[] = {
        "begin", "end", "End",  "BEGIN",  "if", "c",      "then",   "else",           "ELSE",
        "while", "do",  "for",  "i := 0", "to", "repeat", "until",  "case",           "of",
        "try",   "asm", "with", "x;",     "",   "a:",     "except", "on E: Exception"};
    std::mt19937 random(18);
    for (int round = 0; round < 3000; ++round) {
        TLines lines(random() % 40);
        for (std::string& line : lines)
            line = kWords[random() % std::size(kWords)];
        const TExtentTable table(lines);
        for (int cut = 0; cut < 4; ++cut) {
            const size_t from = lines.empty() ? 0 : random() % (lines.size() + 1);
            const size_t size = random() % (lines.size() - from + 1);
            const TLineSpan part = TLineSpan(lines).subspan(from, size);
            ASSERT_TRUE(table.Holds(part));
            for (size_t k = 0; k <= size + 1; ++k) {
                SCOPED_TRACE(testing::Message() << "round " << round << ", piece at " << from
                                                << " of " << size << ", line " << k);
                ASSERT_EQ(table.MatchingEnd(part, k), MatchingEnd(part, k));
                ASSERT_EQ(table.MatchingUntil(part, k), MatchingUntil(part, k));
                if (k <= size) {
                    ASSERT_EQ(table.StatementEnd(part, k), StatementEnd(part, k));
                }
                if (k < size && OpensEnd(part[k])) {
                    ASSERT_EQ(table.ClosingEnd(part, k), ClosedByStack(part, k));
                }
                size_t run = 0;
                while (k + run < size && kb::FindKeyword(part[k + run]) == kb::kwBegin)
                    ++run;
                ASSERT_EQ(table.BeginRun(part, k), run);
            }
        }
    }
    const TLines other{"begin", "end"};
    EXPECT_FALSE(TExtentTable(TLines{"x"}).Holds(other));
}

// Hundreds of thousands of nested ifs, each waiting for its "else": the
// table is built without recursion and in one pass.
TEST(ExtentTable, DeepNestingNeedsNoRecursion)
{
    TLines lines;
    const int depth = 200000;
    for (int i = 0; i < depth; ++i)
        lines.insert(lines.end(), {"if", "c", "then", "begin"});
    lines.push_back("x");
    for (int i = 0; i < depth; ++i)
        lines.insert(lines.end(), {"end", "else", "y"});
    lines.push_back("after");
    const TExtentTable table(lines);
    EXPECT_EQ(table.StatementEnd(lines, 0), lines.size() - 1);
    // The second if's statement, and the first compound, end at the
    // outermost "end".
    const size_t outermostEnd = lines.size() - 4;
    EXPECT_EQ(table.StatementEnd(lines, 4), outermostEnd);
    EXPECT_EQ(table.MatchingEnd(lines, 4), outermostEnd);
}

} // namespace
