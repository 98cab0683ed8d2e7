// The reader puts a file's records in list order before it makes their
// entries, and places the entries of one file side by side in shared blocks
// of memory. These tests hold it to the list's own sort and to the entries'
// separate lives.
#include "builders.h"

#include <gtest/gtest.h>

#include <random>

using namespace kb;
using namespace kbtest;

namespace {

// A random sound diagram added in a shuffled order: blocks with texts of
// every length (none, short, longer than a string holds in place), joint
// points, links on blocks and links on earlier links.
void MakeShuffled(std::mt19937& rng, int entries, TShem& shem)
{
    std::vector<std::unique_ptr<TShemObj>> made;
    for (int i = 0; i < entries; ++i) {
        const bool link = made.size() >= 2 && rng() % 2 == 0;
        if (!link) {
            const int kind = int(rng() % kBlockKindCount);
            std::string text(rng() % 3 == 0 ? 0 : rng() % 40, char('a' + i % 26));
            made.push_back(std::make_unique<TShemObj>(
                MakeBlock(kind, i % 500, i % 300, i % 500 + 20, i % 300 + 10, text)));
            continue;
        }
        TShemObj* a = made[rng() % made.size()].get();
        TShemObj* b = made[rng() % made.size()].get();
        made.push_back(std::make_unique<TShemObj>(MakeLink(
            a, b, {int32_t(rng() % 65536), 0}, {0, int32_t(rng() % 65536)}, int(rng() % 8))));
    }
    std::shuffle(made.begin(), made.end(), rng);
    for (auto& e : made)
        shem.Add(std::move(e));
}

} // namespace

TEST(Loading, PutsTheRecordsInTheOrderTheListSortGives)
{
    std::mt19937 rng(11);
    for (int round = 0; round < 200; ++round) {
        TShem built;
        MakeShuffled(rng, round < 190 ? 1 + round % 40 : 700 + round, built);
        const std::vector<uint8_t> shuffled = built.SaveToBytes();
        TShem loaded;
        TLoadReport report;
        ASSERT_TRUE(loaded.LoadFromStream(shuffled, &report));
        ASSERT_TRUE(report.Clean());
        built.SortEntries();
        ASSERT_EQ(loaded.SaveToBytes(), built.SaveToBytes()) << "round " << round;
        for (int i = 0; i < loaded.Count(); ++i) {
            const TShemObj* e = loaded.Get(i);
            ASSERT_EQ(loaded.IndexOf(e), i);
            if (!e->IsLink()) continue;
            for (const TShemObj* end : {e->link().EndA, e->link().EndB}) {
                ASSERT_GE(loaded.IndexOf(end), 0);
                if (end->IsLink()) {
                    ASSERT_LT(loaded.IndexOf(end), i);
                }
            }
        }
    }
}

// An undo step keeps entries it took out alive after the diagram they came
// from is gone, and copies of entries are entries of their own.
TEST(Loading, EntriesOutliveTheirDiagramAndEachOther)
{
    std::mt19937 rng(5);
    TShem source;
    MakeShuffled(rng, 1500, source);
    std::vector<TTakenEntry> taken;
    std::vector<std::unique_ptr<TShemObj>> copies;
    std::vector<std::vector<uint8_t>> expected;
    {
        TShem loaded;
        ASSERT_TRUE(loaded.LoadFromStream(source.SaveToBytes()));
        const std::vector<TShemObj*> picks{loaded.Get(3), loaded.Get(700), loaded.Get(1499)};
        for (TShemObj* e : picks) {
            copies.push_back(std::make_unique<TShemObj>(*e));
            if (e->IsBlock()) e->block().Text += " and more than a short string holds";
        }
        // Taken out and put back: the same entries at the same places.
        taken = loaded.TakeOut(picks);
        ASSERT_EQ(taken.size(), 3u);
        loaded.PutBack(taken);
        for (size_t k = 0; k < picks.size(); ++k)
            EXPECT_EQ(loaded.Get(std::vector<int>{3, 700, 1499}[k]), picks[k]);
        taken = loaded.TakeOut(picks);
        for (const TTakenEntry& t : taken) {
            TShem one;
            if (t.Entry->IsBlock()) one.AddBlock(t.Entry->block());
            expected.push_back(one.SaveToBytes());
        }
        loaded.Clear();
        EXPECT_EQ(loaded.Count(), 0);
    }
    for (size_t k = 0; k < taken.size(); ++k) {
        TShem one;
        if (taken[k].Entry->IsBlock()) one.AddBlock(taken[k].Entry->block());
        EXPECT_EQ(one.SaveToBytes(), expected[k]);
    }
    taken.clear();
    for (const auto& copy : copies)
        if (copy->IsBlock()) {
            EXPECT_EQ(copy->block().Text.find(" and more"), std::string::npos);
        }
}
