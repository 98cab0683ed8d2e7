#include "builders.h"

#include <gtest/gtest.h>

using namespace kb;
using namespace kbtest;

TEST(Bounds, WithoutBlocksIsTheInvertedMaximum)
{
    TShem s;
    EXPECT_EQ(s.Bounds(), (TRect{65535, 65535, 0, 0}));
    Add(s, MakeBlock(0, 10, 20, 30, 40));
    Add(s, MakeBlock(4, 99, 1, 101, 3));
    EXPECT_EQ(s.Bounds(), (TRect{10, 1, 101, 40}));
}

TEST(DeleteCascade, OneLinkOfAChainTakesTheWholeChain)
{
    TShem s;
    auto* a = Add(s, MakeBlock(0, 0, 0, 10, 10));
    auto* b = Add(s, MakeBlock(0, 100, 0, 110, 10));
    auto* j1 = Add(s, MakeBlock(4, 40, 4, 42, 6));
    auto* j2 = Add(s, MakeBlock(4, 60, 4, 62, 6));
    Add(s, MakeLink(a, j1));
    auto* middle = Add(s, MakeLink(j1, j2));
    Add(s, MakeLink(j2, b));
    s.Remove(middle);
    ASSERT_EQ(s.Count(), 2);
    EXPECT_EQ(s.Get(0), a);
    EXPECT_EQ(s.Get(1), b);
}

TEST(DeleteCascade, ABlockTakesItsLinksAndLinksOnThem)
{
    TShem s;
    auto* a = Add(s, MakeBlock(0, 0, 0, 10, 10));
    auto* b = Add(s, MakeBlock(0, 100, 0, 110, 10));
    auto* c = Add(s, MakeBlock(0, 200, 0, 210, 10));
    auto* ab = Add(s, MakeLink(a, b));
    Add(s, MakeLink(ab, c)); // ends on the link
    auto* bc = Add(s, MakeLink(b, c));
    s.Remove(a);
    ASSERT_EQ(s.Count(), 3);
    EXPECT_EQ(s.Get(0), b);
    EXPECT_EQ(s.Get(1), c);
    EXPECT_EQ(s.Get(2), bc);
    EXPECT_EQ(s.IndexOf(bc), 2);
}

TEST(DeleteCascade, JointPointTakesAllItsLinks)
{
    TShem s;
    auto* a = Add(s, MakeBlock(0, 0, 0, 10, 10));
    auto* j = Add(s, MakeBlock(4, 40, 4, 42, 6));
    Add(s, MakeLink(a, j));
    Add(s, MakeLink(j, a));
    Add(s, MakeLink(a, a));
    s.Remove(j);
    EXPECT_EQ(s.Count(), 2);
    EXPECT_EQ(s.Get(1)->link().EndA, a);
}

TEST(AttachPoint, OnBlocksAndLinks)
{
    TShem s;
    auto* flat = Add(s, MakeBlock(0, 10, 10, 10, 50)); // zero width
    EXPECT_EQ(s.AttachPoint({65535, 0}, flat).x, 10);
    auto* a = Add(s, MakeBlock(0, 0, 0, 100, 100));
    EXPECT_EQ(s.AttachPoint({32767, 65535}, a), (TPoint{50, 100})); // 49.999 rounds up
    auto* b = Add(s, MakeBlock(0, 200, 0, 300, 100));
    auto* l = Add(s, MakeLink(a, b, {65535, 32767}, {0, 32767}));
    // On a link only x counts: the way along it from end A.
    EXPECT_EQ(s.AttachPoint({32767, 0}, l), s.AttachPoint({32767, 65535}, l));
    EXPECT_EQ(s.AttachPoint({32767, 0}, l), (TPoint{150, 50}));
    EXPECT_EQ(s.AttachPoint({0, 0}, nullptr), (TPoint{0, 0}));
}

TEST(AttachPoint, DeepNestingOfLinksOnLinksStaysCheap)
{
    // Every link has both ends on the previous one: a naive recursion would
    // take 2^200 steps.
    TShem s;
    auto* a = Add(s, MakeBlock(0, 0, 0, 100, 100));
    auto* b = Add(s, MakeBlock(0, 1000, 0, 1100, 100));
    TShemObj* prev = Add(s, MakeLink(a, b, {65535, 0}, {0, 65535}));
    for (int i = 0; i < 200; ++i)
        prev = Add(s, MakeLink(prev, prev, {0, 0}, {65535, 0}));
    EXPECT_EQ(s.AttachPoint({0, 0}, prev), (TPoint{100, 0}));
    EXPECT_EQ(s.LinkEnds(prev->link()).B, (TPoint{1000, 100}));
}

// A chain of links, each lying on the one before (end A on its end A, end B
// on its end B): the remembered ends must follow every change, whoever
// makes it.
TEST(AttachPoint, RememberedEndsFollowEveryChange)
{
    TShem s;
    auto* a = Add(s, MakeBlock(0, 0, 0, 100, 100));
    auto* b = Add(s, MakeBlock(0, 1000, 0, 1100, 100));
    TShemObj* first = Add(s, MakeLink(a, b, {65535, 0}, {0, 0}));
    TShemObj* last = first;
    for (int i = 0; i < 50; ++i)
        last = Add(s, MakeLink(last, last, {0, 0}, {65535, 0}));
    EXPECT_EQ(s.LinkEnds(last->link()).B, (TPoint{1000, 0}));

    // In place through the entry, then told.
    b->block().SetRect({2000, 0, 2100, 100});
    s.NoteChanged();
    EXPECT_EQ(s.LinkEnds(last->link()).B, (TPoint{2000, 0}));

    // Through the diagram's own operations, which count by themselves: the
    // ellipse moves the end to the middle of its left side.
    const uint64_t before = s.ChangeCount();
    s.ChangeKind(b, bkEllipse);
    EXPECT_GT(s.ChangeCount(), before);
    EXPECT_EQ(s.AttachPoint({65535, 0}, last), (TPoint{2000, 50}));
    first->link().PosA = {0, 0};
    s.AddBlock(MakeBlock(0, 0, 0, 1, 1));
    EXPECT_EQ(s.LinkEnds(last->link()).A, (TPoint{0, 0}));
    s.Delete(s.IndexOf(first)); // the whole chain goes with it
    EXPECT_EQ(s.Count(), 3);
}

TEST(AttachPoint, LongChainsAreSolvedOnce)
{
    // 40,000 links, each on the previous one: asking every link for its ends
    // stays linear (solved afresh each time, this took minutes).
    TShem s;
    auto* a = Add(s, MakeBlock(0, 0, 0, 100, 100));
    auto* b = Add(s, MakeBlock(0, 60000, 0, 60100, 100));
    TShemObj* last = Add(s, MakeLink(a, b, {65535, 0}, {0, 0}));
    for (int i = 0; i < 40000; ++i)
        last = Add(s, MakeLink(last, last, {0, 0}, {65535, 0}));
    int64_t sum = 0;
    for (int i = 0; i < s.Count(); ++i)
        if (s.Get(i)->IsLink()) sum += s.LinkEnds(s.Get(i)->link()).B.x;
    EXPECT_EQ(sum, 40001 * int64_t(60000));
    EXPECT_EQ(s.LinkEnds(last->link()).A, (TPoint{100, 0}));
    // The hit tests walk every link and use them too.
    EXPECT_EQ(s.ObjectAt({30000, 500}), nullptr);
    s.NoteChanged();
    EXPECT_EQ(s.ObjectAt({30000, 1}), s.Get(2));
}

TEST(ListRow, CaptionStopsAtTheFirstLineBreakAndJointPointsHaveNone)
{
    TShem s;
    auto* block = Add(s, MakeBlock(3, 1, 2, 11, 7, "a\r\nb"));
    auto* joint = Add(s, MakeBlock(4, 0, 0, 2, 2));
    auto* link = Add(s, MakeLink(block, joint));
    EXPECT_TRUE(HasListRow(block));
    EXPECT_FALSE(HasListRow(joint));
    EXPECT_FALSE(HasListRow(link));
    const TListRow row = ListRowOf(block);
    EXPECT_EQ(row.Caption, "a");
    EXPECT_EQ(row.ImageIndex, 3);
    EXPECT_EQ(row.Position, "(1, 2)");
    EXPECT_EQ(row.Size, "(10, 5)");
    EXPECT_EQ(row.Entry, block);
}

TEST(PasteFrom, LeavesOutLinksWhoseEndsComeLater)
{
    TShem clip;
    auto* a = Add(clip, MakeBlock(0, 0, 0, 10, 10));
    auto* b = Add(clip, MakeBlock(0, 20, 0, 30, 10));
    Add(clip, MakeLink(a, b, {1, 2}, {3, 4}, 5));
    TShem target;
    std::vector<TShemObj*> selection{nullptr};
    target.PasteFrom(clip, {5, 6}, &selection);
    ASSERT_EQ(target.Count(), 3);
    EXPECT_EQ(target.Get(0)->block().Rect(), (TRect{5, 6, 15, 16}));
    EXPECT_EQ(target.Get(2)->link().EndB, target.Get(1));
    EXPECT_EQ(target.Get(2)->link().Style, 5);
    EXPECT_EQ(selection.size(), 3u);

    // A link before its blocks in the source list has no copies to end on.
    TShem odd;
    TShem from;
    auto* x = Add(from, MakeBlock(0, 0, 0, 10, 10));
    auto* y = Add(from, MakeBlock(0, 20, 0, 30, 10));
    from.Insert(0, std::make_unique<TShemObj>(MakeLink(x, y)));
    odd.PasteFrom(from, {0, 0}, &selection);
    EXPECT_EQ(odd.Count(), 2);
    EXPECT_EQ(selection.size(), 2u);
}

TEST(PasteFrom, ClampsAtTheFarEdgeAndEmptySourceKeepsSelection)
{
    TShem clip;
    Add(clip, MakeBlock(0, 65500, 65500, 65530, 65530));
    TShem target;
    target.PasteFrom(clip, {100, -70000}, nullptr);
    EXPECT_EQ(target.Get(0)->block().Rect(), (TRect{65535, 0, 65535, 0}));
    TShem empty;
    std::vector<TShemObj*> selection{target.Get(0)};
    target.PasteFrom(empty, {0, 0}, &selection);
    EXPECT_EQ(selection.size(), 1u);
}

TEST(ChangeKind, MovesLinkEndsOntoTheNewOutline)
{
    TShem s;
    auto* r = Add(s, MakeBlock(0, 0, 0, 100, 60));
    auto* other = Add(s, MakeBlock(0, 200, 0, 300, 60));
    auto* l1 = Add(s, MakeLink(r, other, {0, 32767}));
    auto* l2 = Add(s, MakeLink(other, r, {0, 0}, {65535, 0}));
    auto* l3 = Add(s, MakeLink(r, other, {32767, 10}));
    s.ChangeKind(r, bkRhomb);
    EXPECT_EQ(r->block().Kind, bkRhomb);
    EXPECT_EQ(l1->link().PosA, (TPoint{0, 32768}));
    EXPECT_EQ(l2->link().PosB, (TPoint{65535, 32768}));
    EXPECT_EQ(l2->link().PosA, (TPoint{0, 0})) << "the end on the other block stays";
    EXPECT_EQ(l3->link().PosA, (TPoint{32767, 0}));
}

TEST(ChangeKind, EveryRuleStaysInsideThePositionRange)
{
    for (int kind : {0, 1, 2, 3, 6, 7, 8, 9}) {
        for (int x = 0; x <= 65535; x += 4369) {
            for (int y : {0, 1, 20000, 32767, 43690, 65534, 65535}) {
                TShem s;
                auto* b = Add(s, MakeBlock(0, 0, 0, 100, 60));
                auto* l = Add(s, MakeLink(b, b, {x, y}));
                s.ChangeKind(b, uint8_t(kind));
                const TPoint p = l->link().PosA;
                EXPECT_TRUE(p.x >= 0 && p.x <= 65535 && p.y >= 0 && p.y <= 65535)
                    << "kind " << kind << " from (" << x << ", " << y << ")";
            }
        }
    }
}

TEST(ChangeKind, ParallelogramAndCommentaryRules)
{
    TShem s;
    auto* b = Add(s, MakeBlock(0, 0, 0, 100, 60));
    auto* l = Add(s, MakeLink(b, b, {1000, 30000}, {60000, 30000}));
    s.ChangeKind(b, bkParallelogram);
    EXPECT_EQ(l->link().PosA, (TPoint{1000, 59535}));
    s.ChangeKind(b, bkCommentary);
    EXPECT_EQ(l->link().PosA, (TPoint{1000, 65535}));
}

TEST(ChangeKind, TextDropsLinksAndJointPointsChangeNothing)
{
    TShem s;
    auto* b = Add(s, MakeBlock(0, 0, 0, 100, 60));
    auto* j = Add(s, MakeBlock(4, 200, 0, 202, 2));
    Add(s, MakeLink(b, j));
    Add(s, MakeLink(j, b));
    s.ChangeKind(b, bkJoint);
    EXPECT_EQ(b->block().Kind, bkRectangle);
    s.ChangeKind(j, bkRectangle);
    EXPECT_EQ(j->block().Kind, bkJoint);
    s.ChangeKind(b, bkText);
    EXPECT_EQ(s.Count(), 1) << "links deleted, and the joint point with them";
    EXPECT_EQ(b->block().Kind, bkText);
}

TEST(FindText, StartsAfterTheGivenEntry)
{
    TShem s;
    auto* a = Add(s, MakeBlock(0, 0, 0, 10, 10, "alpha"));
    auto* b = Add(s, MakeBlock(0, 0, 0, 10, 10, "ALPHA beta"));
    EXPECT_EQ(s.FindText(nullptr, "alpha", true), a);
    EXPECT_EQ(s.FindText(a, "alpha", true), nullptr);
    EXPECT_EQ(s.FindText(a, "alpha", false), b);
    EXPECT_EQ(s.FindText(b, "alpha", false), nullptr);
    EXPECT_EQ(s.FindText(nullptr, "", false), nullptr);
    TShem other;
    auto* stranger = Add(other, MakeBlock(0, 0, 0, 1, 1, "alpha"));
    EXPECT_EQ(s.FindText(stranger, "alpha", false), nullptr);
}

TEST(FindText, IgnoringCaseFoldsCyrillic)
{
    TShem s;
    // "ЁЛКА Привет" and "ёлка" in Windows-1251.
    auto* a = Add(s, MakeBlock(0, 0, 0, 10, 10, "\xA8\xCB\xCA\xC0 \xCF\xF0\xE8\xE2\xE5\xF2"));
    EXPECT_EQ(s.FindText(nullptr, "\xB8\xEB\xEA\xE0", false), a);
    EXPECT_EQ(s.FindText(nullptr, "\xB8\xEB\xEA\xE0", true), nullptr);
    EXPECT_EQ(s.FindText(nullptr, "\xEF\xD0\xC8\xC2\xC5\xD2", false), a);
}

TEST(ReplaceText, SearchesTheNewTextAgain)
{
    TShem s;
    auto* a = Add(s, MakeBlock(0, 0, 0, 10, 10, "aabb"));
    EXPECT_EQ(s.ReplaceText(nullptr, "ab", true, ""), a);
    EXPECT_EQ(a->block().Text, "") << "removing ab from aabb uncovers another ab";
    auto* b = Add(s, MakeBlock(0, 0, 0, 10, 10, "x AB y ab"));
    EXPECT_EQ(s.ReplaceText(a, "ab", false, "cd"), b);
    EXPECT_EQ(b->block().Text, "x cd y cd");
    EXPECT_EQ(s.ReplaceText(b, "ab", false, "cd"), nullptr);
}

TEST(ReplaceText, EndsEvenWhenTheReplacementHoldsThePattern)
{
    TShem s;
    auto* a = Add(s, MakeBlock(0, 0, 0, 10, 10, "one a two a"));
    EXPECT_EQ(s.ReplaceText(nullptr, "a", true, "[a]"), a);
    EXPECT_EQ(a->block().Text, "one [a] two [a]");
    auto* b = Add(s, MakeBlock(0, 0, 0, 10, 10, "Xx"));
    s.ReplaceText(a, "x", false, "xX");
    EXPECT_EQ(b->block().Text, "xXxX");
}

TEST(ReplaceText, GrowthIsBoundedByTheTextLimit)
{
    // "ab" -> "bba" never contains "ab" but keeps creating new matches.
    TShem s;
    auto* a = Add(s, MakeBlock(0, 0, 0, 10, 10, std::string(40, 'a') + "b"));
    s.ReplaceText(nullptr, "ab", true, "bba");
    EXPECT_LE(a->block().Text.size(), 65535u + 3);
}

TEST(IndexOf, NeverReadsThroughAPointerToAGoneEntry)
{
    TShem s;
    auto* a = Add(s, MakeBlock(0, 0, 0, 10, 10));
    auto* b = Add(s, MakeBlock(0, 20, 0, 30, 10));
    const TShemObj* gone = a;
    s.Remove(a); // `gone` now dangles; only its address may be compared
    EXPECT_EQ(s.IndexOf(gone), -1);
    EXPECT_EQ(s.IndexOf(b), 0);
    s.Insert(0, std::make_unique<TShemObj>(MakeBlock(4, 0, 0, 2, 2)));
    EXPECT_EQ(s.IndexOf(b), 1);
    auto* c = Add(s, MakeBlock(0, 40, 0, 50, 10));
    EXPECT_EQ(s.IndexOf(c), 2);
    s.Clear();
    EXPECT_EQ(s.IndexOf(c), -1);
}
