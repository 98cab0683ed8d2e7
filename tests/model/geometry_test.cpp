#include "model/geometry.h"
#include "model/shemobj.h"

#include <gtest/gtest.h>

using namespace kb;

TEST(Rounding, HalvesGoToTheEvenNeighbour)
{
    EXPECT_EQ(RoundDiv(1, 2), 0);
    EXPECT_EQ(RoundDiv(3, 2), 2);
    EXPECT_EQ(RoundDiv(5, 2), 2);
    EXPECT_EQ(RoundDiv(-1, 2), 0);
    EXPECT_EQ(RoundDiv(-3, 2), -2);
    EXPECT_EQ(RoundDiv(7, 3), 2);
    EXPECT_EQ(RoundEven(2.5), 2);
    EXPECT_EQ(RoundEven(-2.5), -2);
    EXPECT_EQ(RoundEven(3.5), 4);
    EXPECT_EQ(Trunc(-2.7), -2);
    EXPECT_EQ(MidPoint({0, 0}, {1, 3}), (TPoint{0, 2}));
}

TEST(Rounding, NoOverflowAtTheEdges)
{
    EXPECT_EQ(Distance({0, 0}, {65535, 65535}), 92680);
    EXPECT_EQ(Distance({0, 0}, {3, 4}), 5);
    EXPECT_EQ(Distance({0, 0}, {1, 1}), 1);
    EXPECT_EQ(MidPoint({2147483647, 0}, {2147483647, 0}).x, 2147483647);
    EXPECT_EQ(RoundEven(1e300), 2147483647);
    EXPECT_EQ(ClampCoord(-5), 0);
    EXPECT_EQ(ClampCoord(70000), 65535);
}

TEST(Rects, ShrinkNormalisesFirstAndMayInvert)
{
    TRect r{12, 12, 10, 10};
    ShrinkRect(2, r);
    EXPECT_EQ(r, (TRect{12, 12, 10, 10}));
    TRect pinned{10, 10, 12, 12};
    ShrinkRect(2, pinned);
    EXPECT_EQ(pinned, (TRect{12, 12, 10, 10}));
}

TEST(Rects, PointInRectIncludesEveryEdge)
{
    const TRect r{0, 0, 10, 5};
    for (TPoint p : {TPoint{0, 0}, TPoint{10, 0}, TPoint{10, 5}, TPoint{0, 5}, TPoint{5, 0}})
        EXPECT_TRUE(PointInRect(p, r)) << p.x << "," << p.y;
    EXPECT_FALSE(PointInRect({11, 0}, r));
}

TEST(Lines, SameSideOfAVerticalLine)
{
    const TRect s{100, 0, 100, 50};
    EXPECT_FALSE(SameSide({0, 0}, {60000, 0}, s));
    EXPECT_TRUE(SameSide({50000, 5}, {60000, 9}, s));
    EXPECT_FALSE(SameSide({100, 3}, {120, 9}, s)) << "a point on the line is on neither side";
}

TEST(Lines, LineAtOfDegenerateSegmentsIsZero)
{
    EXPECT_EQ(LineYAt(5, {3, 0, 3, 9}), 0);
    EXPECT_EQ(LineXAt(5, {0, 3, 9, 3}), 0);
    EXPECT_EQ(LineYAt(5, {0, 0, 10, 5}), 2); // 2.5 rounds to even
}

TEST(Text, FormatPointHasOneBlankAfterTheComma)
{
    EXPECT_EQ(FormatPoint({-5, 7}), "(-5, 7)");
}

struct TextRectRow
{
    const char* name;
    int kind;
    TRect rect;
    TRect expected;
};

void PrintTo(const TextRectRow& row, std::ostream* os)
{
    *os << row.name;
}

class TextRectTest : public testing::TestWithParam<TextRectRow>
{
};

TEST_P(TextRectTest, MatchesTheShape)
{
    const auto& row = GetParam();
    Block b;
    b.Kind = uint8_t(row.kind);
    b.SetRect(row.rect);
    ASSERT_TRUE(TextRect(b).has_value());
    EXPECT_EQ(*TextRect(b), row.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Kinds, TextRectTest,
    testing::Values(TextRectRow{"rectangle", bkRectangle, {0, 0, 100, 60}, {2, 2, 98, 58}},
                    TextRectRow{"rhomb", bkRhomb, {0, 0, 100, 60}, {27, 17, 73, 43}},
                    TextRectRow{"ellipse", bkEllipse, {0, 0, 100, 60}, {19, 13, 81, 47}},
                    TextRectRow{"parallelogram", bkParallelogram, {0, 0, 60, 30}, {12, 2, 48, 28}},
                    TextRectRow{"text", bkText, {10, 10, 0, 0}, {10, 10, 0, 0}},
                    TextRectRow{"document", bkDocument, {0, 0, 100, 80}, {2, 2, 98, 58}},
                    TextRectRow{"process", bkProcess, {0, 0, 100, 60}, {12, 2, 88, 58}},
                    TextRectRow{"divider", bkDivider, {0, 0, 90, 90}, {2, 2, 88, 58}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(TextRectOfJointPoint, IsNone)
{
    Block b;
    b.Kind = bkJoint;
    EXPECT_FALSE(TextRect(b).has_value());
}

TEST(NearestSideMid, TieGoesToTheEarlierCandidate)
{
    Block b;
    b.SetRect({0, 0, 100, 60});
    EXPECT_EQ(NearestSideMid(b, {50, 30}), (TPoint{50, 0}));
    EXPECT_EQ(NearestSideMid(b, {-10, 29}), (TPoint{0, 30}));
}

TEST(NearestSideMid, ShiftsForParallelogramAndDocument)
{
    Block p;
    p.Kind = bkParallelogram;
    p.SetRect({0, 0, 120, 60});
    EXPECT_EQ(NearestSideMid(p, {0, 30}), (TPoint{10, 30}));
    Block d;
    d.Kind = bkDocument;
    d.SetRect({0, 0, 100, 80});
    EXPECT_EQ(NearestSideMid(d, {50, 100}), (TPoint{50, 70}));
}
