// The converter's layout rules, checked against coordinates worked out by hand.
#include "tests/unitimport/support.h"
#include "unitimport/converter.h"

#include <gtest/gtest.h>

#include <algorithm>

using namespace kb;
using namespace kb::unitimport;

namespace {

// A conversion as a diagram, with F and L found again by list position.
struct Converted
{
    TShem Shem;
    const TShemObj* F = nullptr;
    const TShemObj* L = nullptr;
    int32_t W = 0, H = 0;

    explicit Converted(const TLines& lines)
    {
        const TConversion c = Convert(lines);
        c.Diagram.AppendTo(Shem);
        W = c.W;
        H = c.H;
        const std::vector<TItemId> order = c.Diagram.Order();
        auto entryOf = [&](TItemId id) {
            return Shem.Get(int(std::find(order.begin(), order.end(), id) - order.begin()));
        };
        F = entryOf(c.F);
        L = entryOf(c.L);
    }

    std::vector<std::string> Dump() const
    {
        const auto bytes = Shem.SaveToBytes();
        return kbtest::DumpBls(bytes);
    }

    const Block* BlockWithText(const std::string& text) const
    {
        for (int i = 0; i < Shem.Count(); ++i)
            if (Shem.Get(i)->IsBlock() && Shem.Get(i)->block().Text == text)
                return &Shem.Get(i)->block();
        return nullptr;
    }

    // The links whose end B is the block (not a joint) with that text.
    std::vector<const TLink*> LinksInto(const std::string& text) const
    {
        std::vector<const TLink*> out;
        for (int i = 0; i < Shem.Count(); ++i) {
            const TShemObj* e = Shem.Get(i);
            if (e->IsLink() && e->link().EndB->IsBlock() && !e->link().EndB->IsJoint() &&
                e->link().EndB->block().Text == text)
                out.push_back(&e->link());
        }
        return out;
    }

    TPoint Centre(const TShemObj* e) const { return Shem.AttachPoint(kCE, e); }
};

TRect R(int l, int t, int r, int b)
{
    return {l, t, r, b};
}

TEST(Converter, WorkedWhileExample)
{
    const Converted c({"i :=0", "while", "i < 10", "do", "Inc(i)"});
    // Every rectangle is the worked example's minus (32606, 0); joints
    // inserted at the front come in reverse order of creation.
    const std::vector<std::string> expected = {
        "0 block kind=4 rect=160,99,162,101 text=", // Pf
        "1 block kind=4 rect=240,99,242,101 text=", // Pe
        "2 block kind=4 rect=240,49,242,51 text=",  // Pd
        "3 block kind=4 rect=0,39,2,41 text=",      // Pu
        "4 block kind=4 rect=0,99,2,101 text=",     // Pl
        "5 block kind=4 rect=80,99,82,101 text=",   // Pa
        "6 block kind=4 rect=80,49,82,51 text=",    // Jb
        "7 block kind=0 rect=121,0,201,20 text=i :=0",
        "8 block kind=2 rect=121,40,201,60 text=i < 10",
        "9 link style=1 A=7@32767,65535 B=8@32767,0",
        "10 block kind=5 rect=91,40,111,50 text=yes",
        "11 block kind=5 rect=211,40,231,50 text=no",
        "12 block kind=0 rect=41,70,121,90 text=Inc(i)",
        "13 link style=0 A=8@0,32767 B=6@32767,32767",
        "14 link style=1 A=6@32767,32767 B=12@32767,0",
        "15 link style=0 A=12@32767,65535 B=5@32767,32767",
        "16 link style=0 A=4@32767,32767 B=5@32767,32767",
        "17 link style=0 A=4@32767,32767 B=3@32767,32767",
        "18 link style=1 A=3@32767,32767 B=8@32767,0",
        "19 link style=0 A=8@65535,32767 B=2@32767,32767",
        "20 link style=0 A=1@32767,32767 B=2@32767,32767",
        "21 link style=0 A=1@32767,32767 B=0@32767,32767",
    };
    EXPECT_EQ(c.Dump(), expected);
    EXPECT_EQ(c.W, 242);
    EXPECT_EQ(c.H, 101);
    EXPECT_EQ(c.F, c.Shem.Get(7));
    EXPECT_EQ(c.L, c.Shem.Get(0));
}

TEST(Converter, PlainStatements)
{
    const Converted one({"x :=1"});
    ASSERT_EQ(one.Shem.Count(), 1);
    EXPECT_EQ(one.Shem.Get(0)->block().Rect(), R(0, 0, 80, 20));
    EXPECT_EQ(one.F, one.Shem.Get(0));
    EXPECT_EQ(one.L, one.Shem.Get(0));

    const Converted two({"a", "b"});
    EXPECT_EQ(two.Dump(), (std::vector<std::string>{
                              "0 block kind=0 rect=0,0,80,20 text=a",
                              "1 block kind=0 rect=0,30,80,50 text=b",
                              "2 link style=1 A=0@32767,65535 B=1@32767,0",
                          }));
}

TEST(Converter, BlankAndEmptyLists)
{
    const Converted blank({" "});
    ASSERT_EQ(blank.Shem.Count(), 1);
    EXPECT_EQ(blank.Shem.Get(0)->block().Text, " ");

    // Lists that yield no block still give something to link to.
    for (const TLines& lines : {TLines{}, TLines{"end"}, TLines{"then", "do"}}) {
        const Converted c(lines);
        ASSERT_EQ(c.Shem.Count(), 1);
        EXPECT_EQ(c.Shem.Get(0)->block().Text, " ");
        EXPECT_EQ(c.F, c.L);
    }
}

TEST(Converter, IfWithoutElse)
{
    const Converted c({"if", "c", "then", "a"});
    // Normalised by (32647, 0): the centre line is at x 120.
    const Block* d = c.BlockWithText("c");
    ASSERT_TRUE(d);
    EXPECT_EQ(d->Rect(), R(80, 0, 160, 20));
    EXPECT_EQ(c.BlockWithText("a")->Rect(), R(0, 30, 80, 50));
    std::vector<TRect> joints;
    for (int i = 0; i < c.Shem.Count(); ++i)
        if (c.Shem.Get(i)->IsJoint()) joints.push_back(c.Shem.Get(i)->block().Rect());
    // Front insertion: P2, P1, Je, Jt.
    EXPECT_EQ(joints, (std::vector<TRect>{R(199, 59, 201, 61), R(39, 59, 41, 61),
                                          R(199, 9, 201, 11), R(39, 9, 41, 11)}));
    ASSERT_TRUE(c.L->IsLink());
    EXPECT_EQ(c.Shem.LinkEnds(c.L->link()).A, (TPoint{40, 60}));
    EXPECT_EQ(c.Shem.LinkEnds(c.L->link()).B, (TPoint{200, 60}));
}

TEST(Converter, RepeatWithEmptyBody)
{
    const Converted c({"repeat", "until", "x"});
    const Block* body = c.BlockWithText("");
    ASSERT_TRUE(body);
    EXPECT_EQ(body->Kind, bkRectangle);
    const Block* d = c.BlockWithText("x");
    ASSERT_TRUE(d);
    EXPECT_EQ(d->Top, body->Bottom + 10);
    // Labelled like every decision: the exit on the left is "yes".
    const Block* yes = c.BlockWithText("yes");
    const Block* no = c.BlockWithText("no");
    ASSERT_TRUE(yes && no);
    EXPECT_EQ(yes->Left, d->Left - 30);
    EXPECT_EQ(no->Left, d->Right + 10);
    // The loop re-enters the body's top from the point 5 units above it.
    const auto into = c.LinksInto("");
    ASSERT_EQ(into.size(), 1u);
    EXPECT_EQ(c.Centre(into[0]->EndA).y, body->Top - 5);
    ASSERT_TRUE(c.L->IsJoint());
    EXPECT_EQ(c.Centre(c.L), (TPoint{(d->Left + d->Right) / 2, d->Top + 30}));
}

TEST(Converter, CaseExitsWalkTheRhombsLowerEdges)
{
    const Converted two({"case", "x", "of", "1:", "a", "2:", "b", "end"});
    EXPECT_EQ(two.LinksInto("a").at(0)->PosA, (TPoint{0, 32767}));
    EXPECT_EQ(two.LinksInto("b").at(0)->PosA, (TPoint{65535, 32768}));
    EXPECT_EQ(two.BlockWithText("1")->Rect(),
              R(two.BlockWithText("a")->Left - 30, 30, two.BlockWithText("a")->Left - 10, 40));

    const Converted three({"case", "x", "of", "1:", "a", "2:", "b", "else", "c", "end", "z"});
    EXPECT_EQ(three.LinksInto("a").at(0)->PosA, (TPoint{0, 32767}));
    EXPECT_EQ(three.LinksInto("b").at(0)->PosA, (TPoint{32767, 65534}));
    EXPECT_EQ(three.LinksInto("c").at(0)->PosA, (TPoint{65534, 32769}));
    EXPECT_TRUE(three.BlockWithText("else"));
    // The middle branch ends on the join link, halfway (halves to even) and
    // 10 above it, written in 16 bits.
    const TShemObj* middle = nullptr;
    for (int i = 0; i < three.Shem.Count(); ++i) {
        const TShemObj* e = three.Shem.Get(i);
        if (e->IsLink() && e->link().EndA->IsBlock() && e->link().EndA->block().Text == "b" &&
            e->link().EndB->IsLink())
            middle = e;
    }
    ASSERT_TRUE(middle);
    EXPECT_EQ(middle->link().PosB, (TPoint{32768, 65526}));
    EXPECT_EQ(three.LinksInto("z").at(0)->EndA, middle->link().EndB);
}

TEST(Converter, CaseWithoutBranchesIsItsRhomb)
{
    const Converted c({"case", "x", "of", "end", "y"});
    ASSERT_TRUE(c.BlockWithText("case x of"));
    EXPECT_EQ(c.BlockWithText("case x of")->Kind, bkRhomb);
    EXPECT_EQ(c.BlockWithText("y")->Top, 30);
}

TEST(Converter, NestedCompoundsNeedNoNesting)
{
    TLines lines;
    for (int i = 0; i < 100000; ++i)
        lines.push_back("begin");
    lines.push_back("x");
    for (int i = 0; i < 100000; ++i)
        lines.push_back("end");
    const Converted c(lines);
    ASSERT_EQ(c.Shem.Count(), 1);
    EXPECT_EQ(c.Shem.Get(0)->block().Rect(), R(0, 0, 80, 20));
}

TEST(Converter, RefusesWhatDoesNotFit)
{
    auto failure = [](const TLines& lines) {
        try {
            Convert(lines);
        } catch (const TConvertError& e) {
            return int(e.Why);
        }
        return -1;
    };
    TLines deep;
    for (int i = 0; i < 5000; ++i)
        deep.insert(deep.end(), {"while", "c", "do", "begin", "a"});
    EXPECT_EQ(failure(deep), int(TConvertFailure::NestedTooDeeply));

    TLines wide;
    for (int i = 0; i < 600; ++i)
        wide.insert(wide.end(), {"if", "c", "then"});
    wide.push_back("a");
    EXPECT_EQ(failure(wide), int(TConvertFailure::LayoutTooLarge));

    const TLines tall(2200, "x := 1");
    EXPECT_EQ(failure(tall), int(TConvertFailure::LayoutTooLarge));
    EXPECT_EQ(failure(TLines(2184, "x := 1")), -1); // 2183 * 30 + 20 fits
}

// A diagram's entries share blocks of memory, yet each lives on its own: the
// editor deletes them one by one and its undo history keeps taken ones
// after the diagram is gone.
TEST(Converter, EntriesOutliveEachOtherAndTheirDiagram)
{
    TLines lines;
    for (int i = 0; i < 300; ++i)
        lines.insert(lines.end(), {"if", "c" + std::to_string(i), "then", "a long statement text"});
    std::vector<TTakenEntry> taken;
    {
        Converted c(lines);
        TShem& shem = c.Shem;
        const int count = shem.Count();
        ASSERT_GT(count, 1000);
        taken = shem.TakeOut({shem.Get(count / 2), shem.Get(count - 1)});
        ASSERT_EQ(taken.size(), 2u);
        while (shem.Count() > count / 3)
            shem.Delete(shem.Count() / 2);
        TShem back;
        TLoadReport report;
        EXPECT_TRUE(back.LoadFromStream(shem.SaveToBytes(), &report) && report.Clean());
        EXPECT_EQ(back.Count(), shem.Count());
    }
    for (const TTakenEntry& t : taken)
        if (t.Entry->IsBlock()) EXPECT_FALSE(t.Entry->block().Text.empty());
}

} // namespace
