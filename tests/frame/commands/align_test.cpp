// Alignment, equal spacing and grid snapping of selected blocks.
#include "frame/commands/blockalign.h"
#include "tests/frame/commands/selectionfixture.h"

#include <gtest/gtest.h>

using namespace kb;
using kbtest::Add;
using kbtest::MakeBlock;

namespace {

class Align : public kbtest::SelectionFixture
{
};

TEST_F(Align, SpaceEquallyGivesTheInnerBlocksEqualGaps)
{
    TShemObj* wide = Select(MakeBlock(0, 200, 0, 240, 10));
    TShemObj* first = Select(MakeBlock(0, 0, 0, 20, 10));
    TShemObj* middle = Select(MakeBlock(0, 50, 0, 70, 10));
    EXPECT_TRUE(AlignBlocks(target, amSpaceEqually, amNoChange));
    // Span 240, widths 80: gap 80 after the first block.
    EXPECT_EQ(RectOf(middle), (TRect{100, 0, 120, 10}));
    EXPECT_EQ(RectOf(first), (TRect{0, 0, 20, 10}));
    EXPECT_EQ(RectOf(wide), (TRect{200, 0, 240, 10}));
}

TEST_F(Align, SpaceEquallyLeavesBlocksThatFillTheirSpan)
{
    Select(MakeBlock(0, 0, 0, 100, 10));
    Select(MakeBlock(0, 0, 50, 60, 60));
    TShemObj* overlapping = Select(MakeBlock(0, 40, 100, 90, 110));
    EXPECT_FALSE(AlignBlocks(target, amNoChange, amSpaceEqually));
    EXPECT_EQ(RectOf(overlapping), (TRect{40, 100, 90, 110}));
}

TEST_F(Align, CentresRoundHalfWidthsToEven)
{
    Select(MakeBlock(0, 90, 0, 110, 10)); // midpoint x 100
    TShemObj* five = Select(MakeBlock(0, 0, 30, 5, 40));
    TShemObj* seven = Select(MakeBlock(0, 0, 50, 7, 60));
    EXPECT_TRUE(AlignBlocks(target, amCenters, amNoChange));
    EXPECT_EQ(RectOf(five), (TRect{98, 30, 103, 40}));
    EXPECT_EQ(RectOf(seven), (TRect{96, 50, 103, 60}));
}

TEST_F(Align, EdgesFollowTheFirstSelectedBlockAndKeepSizes)
{
    Select(MakeBlock(0, 100, 200, 180, 240));
    TShemObj* other = Select(MakeBlock(0, 10, 10, 30, 50));
    AlignBlocks(target, amHighEdges, amLowEdges);
    EXPECT_EQ(RectOf(other), (TRect{160, 200, 180, 240}));
    AlignBlocks(target, amLowEdges, amHighEdges);
    EXPECT_EQ(RectOf(other), (TRect{100, 200, 120, 240}));
}

TEST_F(Align, MovesStopAtTheDiagramEdges)
{
    Select(MakeBlock(0, 0, 65500, 10, 65535));
    TShemObj* wide = Select(MakeBlock(0, 100, 100, 300, 200));
    AlignBlocks(target, amHighEdges, amLowEdges);
    EXPECT_EQ(RectOf(wide), (TRect{0, 65435, 200, 65535}));
}

TEST_F(Align, WithoutSelectedBlocksNothingHappensAndNoUndoIsTaken)
{
    TShemObj* a = Add(shem, MakeBlock(0, 0, 0, 10, 10));
    TShemObj* b = Add(shem, MakeBlock(0, 20, 20, 30, 30));
    selection.push_back(Add(shem, kbtest::MakeLink(a, b)));
    EXPECT_FALSE(AlignBlocks(target, amLowEdges, amLowEdges));
    EXPECT_FALSE(AlignToGrid(target));
}

TEST_F(Align, GridSnapsToTheNearestMultipleOfFive)
{
    TShemObj* down = Select(MakeBlock(0, 12, 12, 52, 52));
    TShemObj* up = Select(MakeBlock(0, 13, 14, 53, 24));
    TShemObj* joint = Select(MakeBlock(bkJoint, 21, 21, 23, 23));
    EXPECT_TRUE(AlignToGrid(target));
    EXPECT_EQ(RectOf(down), (TRect{10, 10, 50, 50}));
    EXPECT_EQ(RectOf(up), (TRect{15, 15, 55, 25}));
    EXPECT_EQ(RectOf(joint), (TRect{20, 20, 22, 22}));
    EXPECT_FALSE(AlignToGrid(target)); // already on the grid
}

TEST_F(Align, GridSnapAtTheFarEdgeStaysOnTheGridAndInside)
{
    // The nearest lines, 65530, would push the far edges past 65535.
    TShemObj* edge = Select(MakeBlock(0, 65528, 65529, 65535, 65535));
    AlignToGrid(target);
    EXPECT_EQ(RectOf(edge), (TRect{65525, 65525, 65532, 65531}));
}

} // namespace
