// The sort and the delete cascade run in near-linear time; these tests hold
// them to the straightforward step-by-step procedures on random diagrams.
#include "builders.h"

#include <gtest/gtest.h>

#include <functional>
#include <map>
#include <random>

using namespace kb;
using namespace kbtest;

namespace {

struct Item
{
    bool link = false;
    bool joint = false;
    int endA = -1, endB = -1; // ids
};

// A diagram as ids in list order, with the literal procedures.
struct Literal
{
    std::vector<Item> items; // by id
    std::vector<int> order;  // ids in list order

    int IndexOfId(int id) const
    {
        for (size_t i = 0; i < order.size(); ++i)
            if (order[i] == id) return int(i);
        return -1;
    }

    void Sort()
    {
        for (bool again = true; again;) {
            again = false;
            for (size_t i = 0; i < order.size() && !again; ++i) {
                if (!items[size_t(order[i])].link) continue;
                for (size_t j = i + 1; j < order.size(); ++j)
                    if (!items[size_t(order[j])].link) {
                        std::swap(order[i], order[j]);
                        again = true;
                        break;
                    }
            }
        }
        int first = -1;
        for (size_t i = 0; i < order.size(); ++i)
            if (items[size_t(order[i])].link) {
                first = int(i);
                break;
            }
        if (first < 0) return;
        for (bool again = true; again;) {
            again = false;
            for (size_t i = size_t(first); i < order.size(); ++i) {
                const Item& it = items[size_t(order[i])];
                int j = 0;
                for (int end : {it.endA, it.endB})
                    if (items[size_t(end)].link) j = std::max(j, IndexOfId(end));
                if (int(i) < j) {
                    std::swap(order[i], order[size_t(j)]);
                    again = true;
                    break;
                }
            }
        }
    }

    void Delete(int index)
    {
        const int id = order[size_t(index)];
        order.erase(order.begin() + index);
        for (;;) {
            int found = -1;
            for (size_t i = 0; i < order.size(); ++i) {
                const Item& it = items[size_t(order[i])];
                if (it.link && (it.endA == id || it.endB == id)) {
                    found = int(i);
                    break;
                }
            }
            if (found < 0) break;
            Delete(found);
        }
        const Item& it = items[size_t(id)];
        if (it.link)
            for (int end : {it.endA, it.endB})
                if (items[size_t(end)].joint && IndexOfId(end) >= 0) Delete(IndexOfId(end));
    }
};

// Builds the same random diagram twice: as a TShem and as a literal list.
// Link ends only name entries created earlier, so links on links form no cycle.
void MakeRandom(std::mt19937& rng, int blocks, int links, TShem& shem, Literal& lit,
                std::map<const TShemObj*, int>& idOf)
{
    std::vector<std::unique_ptr<TShemObj>> made;
    for (int i = 0; i < blocks; ++i) {
        const bool joint = rng() % 3 == 0;
        made.push_back(std::make_unique<TShemObj>(MakeBlock(joint ? 4 : 0, i, i, i + 2, i + 2)));
        lit.items.push_back({false, joint});
    }
    for (int i = 0; i < links; ++i) {
        const int a = int(rng() % made.size()), b = int(rng() % made.size());
        made.push_back(
            std::make_unique<TShemObj>(MakeLink(made[size_t(a)].get(), made[size_t(b)].get())));
        lit.items.push_back({true, false, a, b});
    }
    std::vector<int> ids(made.size());
    for (size_t i = 0; i < ids.size(); ++i)
        ids[i] = int(i);
    std::shuffle(ids.begin(), ids.end(), rng);
    for (int id : ids) {
        idOf[made[size_t(id)].get()] = id;
        shem.Add(std::move(made[size_t(id)]));
    }
    lit.order = ids;
}

std::vector<int> IdsOf(const TShem& s, const std::map<const TShemObj*, int>& idOf)
{
    std::vector<int> out;
    for (int i = 0; i < s.Count(); ++i)
        out.push_back(idOf.at(s.Get(i)));
    return out;
}

} // namespace

TEST(SortEntries, MatchesTheStepByStepProcedure)
{
    std::mt19937 rng(7);
    for (int round = 0; round < 300; ++round) {
        TShem shem;
        Literal lit;
        std::map<const TShemObj*, int> idOf;
        MakeRandom(rng, 1 + int(rng() % 8), int(rng() % 12), shem, lit, idOf);
        shem.SortEntries();
        lit.Sort();
        ASSERT_EQ(IdsOf(shem, idOf), lit.order) << "round " << round;
    }
}

TEST(SortEntries, BlocksFirstThenLinksAfterWhatTheyEndOn)
{
    TShem s;
    auto* a = Add(s, MakeBlock(0, 0, 0, 10, 10));
    auto* b = Add(s, MakeBlock(0, 20, 0, 30, 10));
    auto* onLink = Add(s, MakeLink(a, b));
    auto* base = Add(s, MakeLink(a, b));
    onLink->link().EndB = base;
    s.Insert(0, std::make_unique<TShemObj>(MakeLink(a, b)));
    s.SortEntries();
    EXPECT_TRUE(s.Get(0)->IsBlock() && s.Get(1)->IsBlock());
    EXPECT_LT(s.IndexOf(base), s.IndexOf(onLink));
}

TEST(SortEntries, ACycleCannotHangIt)
{
    TShem s;
    auto* a = Add(s, MakeBlock(0, 0, 0, 10, 10));
    auto* l1 = Add(s, MakeLink(a, a));
    auto* l2 = Add(s, MakeLink(a, l1));
    l1->link().EndB = l2;
    s.SortEntries(); // returns
    EXPECT_EQ(s.Count(), 3);
}

TEST(DeleteCascade, MatchesTheStepByStepProcedure)
{
    std::mt19937 rng(11);
    for (int round = 0; round < 300; ++round) {
        TShem shem;
        Literal lit;
        std::map<const TShemObj*, int> idOf;
        MakeRandom(rng, 1 + int(rng() % 8), int(rng() % 12), shem, lit, idOf);
        const int victim = int(rng() % size_t(shem.Count()));
        shem.Delete(victim);
        lit.Delete(victim);
        ASSERT_EQ(IdsOf(shem, idOf), lit.order) << "round " << round;
        for (int i = 0; i < shem.Count(); ++i)
            if (shem.Get(i)->IsLink()) {
                EXPECT_GE(shem.IndexOf(shem.Get(i)->link().EndA), 0);
                EXPECT_GE(shem.IndexOf(shem.Get(i)->link().EndB), 0);
            }
    }
}

TEST(DeleteCascade, RemoveAllEqualsDeletingOneByOne)
{
    for (unsigned seed = 1; seed <= 100; ++seed) {
        // The same seed builds the same diagram twice, with the same ids.
        std::mt19937 r1(seed), r2(seed);
        TShem one, all;
        Literal lit1, lit2;
        std::map<const TShemObj*, int> id1, id2;
        MakeRandom(r1, 6, 8, one, lit1, id1);
        MakeRandom(r2, 6, 8, all, lit2, id2);
        std::vector<TShemObj*> victims;
        std::vector<int> victimIds;
        for (int i = 0; i < all.Count(); i += 3) {
            victims.push_back(all.Get(i));
            victimIds.push_back(id2[all.Get(i)]);
        }
        all.RemoveAll(victims);
        for (int id : victimIds)
            for (int i = 0; i < one.Count(); ++i)
                if (id1[one.Get(i)] == id) {
                    one.Delete(i);
                    break;
                }
        EXPECT_EQ(IdsOf(one, id1), IdsOf(all, id2)) << "seed " << seed;
    }
}

TEST(SortEntries, AChainOfLinksStoredBackToFrontEndsQuickly)
{
    // Each link ends on the one before it, stored last to first: the
    // step-by-step exchanges would number about n^2 / 2.
    constexpr int n = 30000;
    TShem s;
    auto* a = Add(s, MakeBlock(0, 0, 0, 10, 10));
    std::vector<std::unique_ptr<TShemObj>> chain;
    TShemObj* prev = a;
    for (int i = 0; i < n; ++i) {
        chain.push_back(std::make_unique<TShemObj>(MakeLink(prev, a)));
        prev = chain.back().get();
    }
    for (auto it = chain.rbegin(); it != chain.rend(); ++it)
        s.Add(std::move(*it));
    s.SortEntries();
    ASSERT_EQ(s.Count(), n + 1);
    for (int i = 1; i <= n; ++i) {
        const TShemObj* end = s.Get(i)->link().EndA;
        if (end->IsLink()) ASSERT_LT(s.IndexOf(end), i);
    }
}

TEST(TakeOut, TakesTheCascadeAliveAndPutsItBackInPlace)
{
    TShem s;
    TShemObj* a = Add(s, MakeBlock(0, 0, 0, 10, 10));
    TShemObj* joint = Add(s, MakeBlock(bkJoint, 20, 20, 22, 22));
    TShemObj* b = Add(s, MakeBlock(0, 40, 0, 50, 10));
    TShemObj* in = Add(s, MakeLink(a, joint));
    TShemObj* out = Add(s, MakeLink(joint, b));
    TShemObj* onOut = Add(s, MakeLink(out, a));
    const std::vector<uint8_t> before = s.SaveToBytes();

    // The same entries RemoveAll would delete, in list order.
    const std::vector<TShemObj*> doomed = s.CascadeOf({in});
    EXPECT_EQ(doomed, (std::vector<TShemObj*>{joint, in, out, onOut}));
    std::vector<TTakenEntry> taken = s.TakeOut(doomed);
    ASSERT_EQ(taken.size(), 4u);
    EXPECT_EQ(taken[0].Index, 1);
    EXPECT_EQ(taken[3].Index, 5);
    EXPECT_EQ(s.Count(), 2);
    EXPECT_EQ(s.IndexOf(b), 1);
    EXPECT_EQ(out->link().EndA, joint) << "taken entries keep their state";

    s.PutBack(taken);
    EXPECT_TRUE(taken.empty());
    EXPECT_EQ(s.SaveToBytes(), before);
    EXPECT_EQ(s.Get(4), out);
    EXPECT_EQ(s.IndexOf(onOut), 5);

    // Entries not in the list are skipped; an append is taken from the end.
    TShemObj* last = Add(s, MakeBlock(0, 60, 0, 70, 10));
    std::vector<TTakenEntry> one = s.TakeOut({last, nullptr});
    ASSERT_EQ(one.size(), 1u);
    EXPECT_EQ(one[0].Index, 6);
    EXPECT_TRUE(s.TakeOut({last}).empty());
    s.PutBack(one);
    EXPECT_EQ(s.Get(6), last);
}
