// Equal sizes, kind changes and standard blocks.
#include "frame/commands/blockkind.h"
#include "frame/commands/blocksize.h"
#include "tests/frame/commands/selectionfixture.h"

#include <gtest/gtest.h>

using namespace kb;
using kbtest::Add;
using kbtest::MakeBlock;
using kbtest::MakeLink;

namespace {

class Commands : public kbtest::SelectionFixture
{
};

TEST_F(Commands, TypedWidthStopsAtTheFarEdge)
{
    TShemObj* edge = Select(MakeBlock(0, 65500, 0, 65520, 20));
    TShemObj* near = Select(MakeBlock(0, 100, 0, 120, 20));
    EXPECT_TRUE(SizeBlocks(target, {TSizeMode::Exact, 300}, {}));
    EXPECT_EQ(RectOf(edge), (TRect{65500, 0, 65535, 20}));
    EXPECT_EQ(RectOf(near), (TRect{100, 0, 400, 20}));
}

TEST_F(Commands, GrowAndShrinkLeaveJointPointsAlone)
{
    TShemObj* small = Select(MakeBlock(0, 0, 0, 30, 10));
    TShemObj* large = Select(MakeBlock(0, 100, 100, 180, 160));
    TShemObj* joint = Select(MakeBlock(bkJoint, 50, 50, 52, 52));
    EXPECT_TRUE(
        SizeBlocks(target, {TSizeMode::GrowToLargest, {}}, {TSizeMode::ShrinkToSmallest, {}}));
    EXPECT_EQ(RectOf(small), (TRect{0, 0, 80, 10}));
    EXPECT_EQ(RectOf(large), (TRect{100, 100, 180, 110}));
    EXPECT_EQ(RectOf(joint), (TRect{50, 50, 52, 52}));
}

TEST_F(Commands, AnEmptySizeFieldChangesNothing)
{
    Select(MakeBlock(0, 0, 0, 30, 10));
    Select(MakeBlock(0, 40, 0, 90, 10));
    EXPECT_FALSE(SizeBlocks(target, {TSizeMode::Exact, {}}, {TSizeMode::Exact, {}}));
    EXPECT_FALSE(SizeBlocks(target, {}, {TSizeMode::GrowToLargest, {}})); // heights equal
}

TEST_F(Commands, KindChangeLeavesJointPointsAndSameKindBlocksAlone)
{
    TShemObj* rect = Select(MakeBlock(bkRectangle, 0, 0, 40, 20));
    TShemObj* joint = Select(MakeBlock(bkJoint, 50, 50, 52, 52));
    EXPECT_TRUE(ChangeBlockType(target, bkRhomb));
    EXPECT_EQ(rect->block().Kind, bkRhomb);
    EXPECT_EQ(joint->block().Kind, bkJoint);
    EXPECT_FALSE(ChangeBlockType(target, bkRhomb));
    EXPECT_FALSE(ChangeBlockType(target, bkJoint));
    EXPECT_FALSE(ChangeBlockType(target, 10));
}

TEST_F(Commands, ChangeToTextForgetsTheLinksAndPointsItRemoved)
{
    TShemObj* rect = Select(MakeBlock(bkRectangle, 0, 0, 40, 20));
    TShemObj* joint = Add(shem, MakeBlock(bkJoint, 50, 50, 52, 52));
    TShemObj* link = Add(shem, MakeLink(rect, joint));
    selection = {joint, link, rect};
    EXPECT_TRUE(ChangeBlockType(target, bkText));
    EXPECT_EQ(shem.Count(), 1);
    EXPECT_EQ(selection, (std::vector<TShemObj*>{rect}));
}

TEST_F(Commands, InsertedBlockGetsTheStandardSizeInsideTheDiagram)
{
    TShemObj* inner = InsertBlock(target, bkEllipse, {100, 200}, {80, 20});
    ASSERT_TRUE(inner);
    EXPECT_EQ(RectOf(inner), (TRect{100, 200, 180, 220}));
    EXPECT_EQ(inner->block().Kind, bkEllipse);
    EXPECT_TRUE(inner->block().Text.empty());

    TShemObj* edge = InsertBlock(target, bkText, {65500, 65530}, {80, 20});
    ASSERT_TRUE(edge);
    EXPECT_EQ(RectOf(edge), (TRect{65455, 65515, 65535, 65535}));
    EXPECT_EQ(selection, (std::vector<TShemObj*>{edge}));

    EXPECT_FALSE(InsertBlock(target, bkJoint, {0, 0}, {80, 20}));
    EXPECT_EQ(shem.Count(), 2);
}

} // namespace
