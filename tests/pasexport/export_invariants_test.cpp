// The working copy stays a sound diagram through every pass: each link has
// two ends that exist, the links on each entry are known in list order, and
// no corner leaves the format's range.
#include "pasexport/passes.h"
#include "tests/pasexport/support/flowgen.h"

#include <gtest/gtest.h>

using namespace kbtest;
using namespace kb::pas;

namespace {

TWorkGraph Load(const std::vector<uint8_t>& bytes)
{
    kb::TShem s;
    s.LoadFromStream(bytes);
    return TWorkGraph(s);
}

void ExpectSound(const TWorkGraph& g, const std::string& where)
{
    for (TNodeId id = 0; id < g.Size(); ++id) {
        if (!g.Alive(id)) continue;
        const TNode& n = g[id];
        for (size_t i = 0; i < n.Touching.size(); ++i) {
            const TNodeId l = n.Touching[i];
            ASSERT_TRUE(g.IsLink(l)) << where;
            ASSERT_TRUE(g[l].End[endA] == id || g[l].End[endB] == id) << where;
            if (i > 0) {
                ASSERT_LT(g[n.Touching[i - 1]].Order, g[l].Order) << where;
            }
        }
        if (!n.IsLink) {
            for (int32_t c : {n.Rect.Left, n.Rect.Top, n.Rect.Right, n.Rect.Bottom})
                ASSERT_TRUE(c >= 0 && c <= kb::kMaxCoord) << where;
            continue;
        }
        for (TNodeId e : n.End) {
            ASSERT_TRUE(g.Alive(e)) << where << ": a link without an end";
            const auto& t = g[e].Touching;
            ASSERT_EQ(std::count(t.begin(), t.end(), id), 1) << where;
        }
    }
}

void RunCheckingEachPass(TWorkGraph& g, const std::string& what)
{
    TMessages messages;
    ContractJointLinks(g);
    ExpectSound(g, what + " pass 1");
    MergeJointPoints(g);
    DropLinkCycles(g);
    ExpectSound(g, what + " pass 2");
    SplitCarrierLinks(g);
    ExpectSound(g, what + " pass 3");
    BypassJointPoints(g, messages);
    ExpectSound(g, what + " pass 4");
    TStructurer s(g, messages);
    s.MergeSequences();
    ExpectSound(g, what + " pass 5");
    s.StructureDecisions();
    ExpectSound(g, what + " pass 6");
}

} // namespace

TEST(PascalExportInvariants, EveryPassLeavesASoundDiagram)
{
    for (unsigned seed = 1; seed <= 600; ++seed) {
        std::mt19937 rng(seed);
        TWorkGraph a = Load(RandomDiagram(rng, 2 + int(seed % 25), 4 + int(seed % 30)));
        RunCheckingEachPass(a, "random " + std::to_string(seed));
        TWorkGraph b = Load(RandomFlowchart(rng, 1 + int(seed % 30)));
        RunCheckingEachPass(b, "flowchart " + std::to_string(seed));
    }
}

TEST(PascalExportInvariants, LinksThatEndOnEachOtherAreDroppedBeforeTheSplit)
{
    // p's two links: one to a, one ending on the first. Merging p turns them
    // into a link that ends on itself, and c's link ends on that one.
    TFlowBuilder b;
    auto* a = b.Rect("a", 0, 0);
    auto* c = b.Rect("c", 100, 0);
    auto* p = b.Joint(50, 50);
    auto* first = b.Link(p, kCE, a, kTM, 1);
    b.Link(p, kCE, first, kCE, 0);
    b.Link(c, kBM, first, kCE, 1);
    TWorkGraph g = Load(b.Bytes());
    MergeJointPoints(g);
    bool selfAttached = false;
    for (TNodeId id = 0; id < g.Size(); ++id)
        selfAttached =
            selfAttached || (g.IsLink(id) && (g[id].End[endA] == id || g[id].End[endB] == id));
    ASSERT_TRUE(selfAttached);

    DropLinkCycles(g);
    int links = 0, blocks = 0;
    for (TNodeId id = 0; id < g.Size(); ++id) {
        links += g.IsLink(id);
        blocks += g.IsBlock(id);
    }
    EXPECT_EQ(links, 0);
    EXPECT_EQ(blocks, 2); // what the links joined stays
    SplitCarrierLinks(g); // ends, having nothing to split
    ExpectSound(g, "after the guard");
}
