#include "builders.h"

#include <gtest/gtest.h>

using namespace kb;
using namespace kbtest;

TEST(ObjectAt, ListOrderDecidesAndJointPointsAtTheFrontWin)
{
    TShem s;
    auto* first = Add(s, MakeBlock(0, 0, 0, 100, 100));
    Add(s, MakeBlock(0, 50, 50, 150, 150));
    EXPECT_EQ(s.ObjectAt({75, 75}), first);
    s.Insert(0, std::make_unique<TShemObj>(MakeBlock(4, 74, 74, 76, 76)));
    EXPECT_TRUE(s.ObjectAt({75, 75})->IsJoint());
    EXPECT_EQ(s.ObjectAt({500, 500}), nullptr);
}

TEST(ObjectAt, ShapeInteriors)
{
    TShem s;
    auto* rhomb = Add(s, MakeBlock(2, 0, 0, 100, 60));
    EXPECT_EQ(s.ObjectAt({25, 15}), rhomb) << "on the edge counts as inside";
    EXPECT_EQ(s.ObjectAt({10, 5}), nullptr);

    TShem e;
    auto* ellipse = Add(e, MakeBlock(1, 0, 0, 100, 60));
    EXPECT_EQ(e.ObjectAt({0, 30}), nullptr) << "the ellipse itself is outside";
    EXPECT_EQ(e.ObjectAt({1, 30}), ellipse);

    TShem d;
    auto* doc = Add(d, MakeBlock(7, 0, 0, 100, 80));
    EXPECT_EQ(d.ObjectAt({50, 65}), doc);
    EXPECT_EQ(d.ObjectAt({10, 80}), doc);
    EXPECT_EQ(d.ObjectAt({50, 75}), nullptr);
    EXPECT_EQ(d.ObjectAt({90, 61}), nullptr);

    TShem v;
    auto* divider = Add(v, MakeBlock(9, 0, 0, 90, 90));
    EXPECT_EQ(v.ObjectAt({45, 89}), divider);
    EXPECT_EQ(v.ObjectAt({5, 80}), nullptr);
}

TEST(ObjectAt, DegenerateShapesDoNotDivideByZero)
{
    TShem s;
    for (int kind = 0; kind < 16; ++kind)
        Add(s, MakeBlock(kind, 10, 10, 10, 10));
    EXPECT_NE(s.ObjectAt({10, 10}), nullptr);
    TPoint snapped;
    s.LinkTargetAt({10, 10}, snapped);
    s.ObjectAt({11, 10});
}

TEST(ObjectAt, LinksWithinThreeUnits)
{
    TShem s;
    auto* a = Add(s, MakeBlock(5, 0, 0, 0, 0));
    auto* b = Add(s, MakeBlock(5, 100, 0, 100, 0));
    auto* l = Add(s, MakeLink(a, b, {0, 0}, {0, 0}));
    EXPECT_EQ(s.ObjectAt({50, 2}), l);
    EXPECT_EQ(s.ObjectAt({50, 3}), nullptr);
    EXPECT_EQ(s.ObjectAt({103, 0}), l);
}

TEST(LinkTargetAt, CornerTakesTheRightSide)
{
    TShem s;
    auto* r = Add(s, MakeBlock(0, 10, 10, 110, 60));
    TPoint snapped;
    EXPECT_EQ(s.LinkTargetAt({110, 10}, snapped), r);
    EXPECT_EQ(snapped, (TPoint{110, 10}));
    EXPECT_EQ(s.LinkTargetAt({60, 12}, snapped), r);
    EXPECT_EQ(snapped, (TPoint{60, 10}));
    EXPECT_EQ(s.LinkTargetAt({60, 35}, snapped), nullptr) << "the interior is not an outline";
}

TEST(LinkTargetAt, EllipseSnapsOntoItsCurve)
{
    TShem s;
    auto* e = Add(s, MakeBlock(1, 0, 0, 100, 60));
    TPoint snapped;
    EXPECT_EQ(s.LinkTargetAt({101, 31}, snapped), e);
    EXPECT_EQ(snapped.x, 100);
    EXPECT_EQ(s.LinkTargetAt({50, 30}, snapped), nullptr);
}

TEST(LinkTargetAt, TextAndJointPointsTakeNoLinks)
{
    TShem s;
    Add(s, MakeBlock(5, 0, 0, 100, 60));
    Add(s, MakeBlock(4, 0, 0, 2, 2));
    TPoint snapped;
    EXPECT_EQ(s.LinkTargetAt({0, 0}, snapped), nullptr);
}

TEST(HandleAt, NumbersAndKinds)
{
    TShem s;
    Add(s, MakeBlock(4, 0, 0, 2, 2));
    int handle = 0;
    EXPECT_EQ(s.HandleAt({1, 0}, handle), nullptr) << "joint points have no handles";
    auto* r = Add(s, MakeBlock(0, 10, 10, 110, 60));
    EXPECT_EQ(s.HandleAt({111, 61}, handle), r);
    EXPECT_EQ(handle, 4);
    EXPECT_EQ(s.HandleAt({60, 9}, handle), r);
    EXPECT_EQ(handle, 1);
    TShem e;
    Add(e, MakeBlock(1, 10, 10, 110, 60));
    EXPECT_EQ(e.HandleAt({10, 10}, handle), nullptr) << "ellipses have only side handles";
    EXPECT_NE(e.HandleAt({10, 35}, handle), nullptr);
    EXPECT_EQ(handle, 7);
}

TEST(LinkEndAt, EndBWinsAndJointEndsAreSkipped)
{
    TShem s;
    auto* a = Add(s, MakeBlock(5, 0, 0, 0, 0));
    auto* j = Add(s, MakeBlock(4, 1, 0, 1, 0));
    auto* both = Add(s, MakeLink(a, a));
    int end = -1;
    EXPECT_EQ(s.LinkEndAt({0, 0}, end), both);
    EXPECT_EQ(end, 0);
    TShem t;
    auto* b = Add(t, MakeBlock(5, 0, 0, 0, 0));
    auto* jj = Add(t, MakeBlock(4, 50, 0, 50, 0));
    Add(t, MakeLink(b, jj));
    EXPECT_EQ(t.LinkEndAt({50, 0}, end), nullptr);
    EXPECT_EQ(end, 1);
    (void)j;
}

TEST(NextInRect, FindsLinksThroughAndAcrossTheCorner)
{
    TShem s;
    auto* a = Add(s, MakeBlock(5, 0, 50, 0, 50));
    auto* b = Add(s, MakeBlock(5, 300, 50, 300, 50));
    auto* c = Add(s, MakeBlock(5, 180, 115, 180, 115));
    auto* d = Add(s, MakeBlock(5, 215, 80, 215, 80));
    auto* e = Add(s, MakeBlock(5, 0, 400, 0, 400));
    auto* through = Add(s, MakeLink(a, b, {0, 0}, {0, 0}));
    auto* corner = Add(s, MakeLink(c, d, {0, 0}, {0, 0}));
    auto* beside = Add(s, MakeLink(e, c, {0, 0}, {0, 0}));
    const TRect r{100, 0, 200, 100};
    EXPECT_EQ(s.NextInRect(nullptr, r), through);
    EXPECT_EQ(s.NextInRect(through, r), corner);
    EXPECT_EQ(s.NextInRect(corner, r), nullptr);
    EXPECT_FALSE(s.TouchesRect(*beside, r));
}

TEST(NextInRect, BlocksByCornersEitherWay)
{
    TShem s;
    auto* big = Add(s, MakeBlock(0, 0, 0, 1000, 1000));
    auto* inside = Add(s, MakeBlock(2, 110, 110, 150, 150));
    Add(s, MakeBlock(0, 2000, 2000, 2100, 2100));
    const TRect r{100, 100, 200, 200};
    EXPECT_EQ(s.NextInRect(nullptr, r), big);
    EXPECT_EQ(s.NextInRect(big, r), inside);
    EXPECT_EQ(s.NextInRect(inside, r), nullptr);
}
