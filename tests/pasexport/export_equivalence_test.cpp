// The export against two yardsticks: the text a generated program must come
// back as, and a literal rendering of the passes on diagrams of every shape.
#include "model/shem.h"
#include "pasexport/expunit.h"
#include "tests/pasexport/support/flowgen.h"
#include "tests/pasexport/support/literal_export.h"

#include <gtest/gtest.h>

using namespace kbtest;
using Lines = std::vector<std::string>;

namespace {

// Both start from the same editor lines, as the export window's do.
void ExpectSameAsLiteral(const std::vector<uint8_t>& diagram, const std::string& what)
{
    Lines fast{"old text", "  end;"};
    Lines literal = fast;
    const auto fastMessages = kb::ExportPascal(diagram, fast);
    const auto literalMessages = LiteralExport(diagram, literal);
    ASSERT_EQ(fastMessages, literalMessages) << what;
    ASSERT_EQ(fast, literal) << what;
}

std::string Seed(const char* kind, unsigned seed)
{
    return std::string(kind) + " seed " + std::to_string(seed);
}

// A chain of links on links (link i starts in the middle of link i - 1) whose
// links all end on one shared entry, a block or a joint point, with arrows
// drawn any way, or all with `style`. Every split of a chain link rewrites a
// link on that entry.
std::vector<uint8_t> HubChain(std::mt19937& rng, int links, int onlyStyle = -1)
{
    std::uniform_int_distribution<int> style(0, 3), coin(0, 1);
    kb::TShem s;
    kb::Block begin, hub, end;
    begin.Text = "begin";
    begin.Kind = kb::bkEllipse;
    begin.Right = 80;
    begin.Bottom = 30;
    hub.Text = "x := 1;";
    hub.Kind = coin(rng) ? kb::bkJoint : kb::bkRectangle;
    hub.Top = 2000;
    hub.Right = hub.Kind == kb::bkJoint ? 2 : 8000;
    hub.Bottom = 2030;
    end.Text = "end";
    end.Kind = kb::bkEllipse;
    end.Top = 4000;
    end.Right = 80;
    end.Bottom = 4030;
    kb::TShemObj* from = s.Get(s.AddBlock(begin));
    kb::TShemObj* shared = s.Get(s.AddBlock(hub));
    if (coin(rng)) {
        kb::TLink out;
        out.Style = 1;
        out.EndA = shared;
        out.EndB = s.Get(s.AddBlock(end));
        out.PosA = {32767, 65535};
        out.PosB = {32767, 0};
        s.AddLink(out);
    }
    kb::TShemObj* prev = from;
    for (int i = 0; i < links; ++i) {
        kb::TLink l;
        l.Style = uint8_t(onlyStyle >= 0 ? onlyStyle : style(rng));
        l.EndA = prev;
        l.EndB = shared;
        l.PosA = {32767, i == 0 ? 65535 : 0};
        l.PosB = {int32_t(int64_t(i) * 65535 / links), 0};
        prev = s.Get(s.AddLink(l));
    }
    return s.SaveToBytes();
}

} // namespace

TEST(PascalExportEquivalence, GeneratedProgramsComeBackAsTheirText)
{
    for (unsigned seed = 1; seed <= 150; ++seed) {
        std::mt19937 rng(seed);
        const TProgram p = RandomProgram(rng, 4 + int(seed % 40), 1 + int(seed % 4));
        for (TDrawing drawing : {TDrawing::Arrows, TDrawing::Joints}) {
            Lines lines;
            const auto messages = kb::ExportPascal(ProgramDiagram(p, drawing), lines);
            ASSERT_TRUE(messages.empty()) << Seed("program", seed) << ": " << messages[0];
            ASSERT_EQ(lines, ExpectedLines(p)) << Seed("program", seed);
        }
    }
}

// The list order of the blocks decides nothing for a well-drawn program.
TEST(PascalExportEquivalence, ProgramsInAnyListOrderComeBackAsTheirText)
{
    for (unsigned seed = 1; seed <= 150; ++seed) {
        std::mt19937 rng(seed);
        const TProgram p = RandomProgram(rng, 4 + int(seed % 40), 1 + int(seed % 4));
        const auto diagram = Shuffled(rng, ProgramDiagram(p, TDrawing::Joints));
        Lines lines;
        const auto messages = kb::ExportPascal(diagram, lines);
        ASSERT_TRUE(messages.empty()) << Seed("program", seed) << ": " << messages[0];
        ASSERT_EQ(lines, ExpectedLines(p)) << Seed("program", seed);
        ExpectSameAsLiteral(diagram, Seed("shuffled", seed));
    }
}

TEST(PascalExportEquivalence, RandomDiagramsMatchTheLiteralPasses)
{
    for (unsigned seed = 1; seed <= 3000; ++seed) {
        std::mt19937 rng(seed);
        const int blocks = 2 + int(seed % 25);
        ExpectSameAsLiteral(RandomDiagram(rng, blocks, blocks + int(seed % 13)),
                            Seed("random", seed));
    }
}

TEST(PascalExportEquivalence, RandomFlowchartsMatchTheLiteralPasses)
{
    for (unsigned seed = 1; seed <= 3000; ++seed) {
        std::mt19937 rng(seed);
        ExpectSameAsLiteral(RandomFlowchart(rng, 1 + int(seed % 30)), Seed("flowchart", seed));
    }
}

TEST(PascalExportEquivalence, ChainsOnOneSharedEntryMatchTheLiteralPasses)
{
    for (unsigned seed = 1; seed <= 200; ++seed) {
        std::mt19937 rng(seed);
        ExpectSameAsLiteral(HubChain(rng, 1 + int(seed % 60)), Seed("hub chain", seed));
    }
    // Every arrow pointing back along the chain: the joint points of the
    // split links hand their links on to one another, so they pile up on one
    // point after the other.
    for (unsigned seed = 1; seed <= 60; ++seed) {
        std::mt19937 rng(seed);
        ExpectSameAsLiteral(HubChain(rng, int(seed), 2), Seed("hub chain pointing back", seed));
    }
}

TEST(PascalExportEquivalence, DamagedProgramsMatchTheLiteralPasses)
{
    for (unsigned seed = 1; seed <= 400; ++seed) {
        std::mt19937 rng(seed);
        const TProgram p = RandomProgram(rng, 3 + int(seed % 20), 3);
        for (TDrawing drawing : {TDrawing::Arrows, TDrawing::Joints})
            ExpectSameAsLiteral(DamagedProgram(rng, p, drawing), Seed("damaged", seed));
    }
}

TEST(PascalExportEquivalence, ProgramsMatchTheLiteralPasses)
{
    for (unsigned seed = 1; seed <= 40; ++seed) {
        std::mt19937 rng(seed);
        const TProgram p = RandomProgram(rng, 30, 4);
        ExpectSameAsLiteral(ProgramDiagram(p, TDrawing::Joints), Seed("program", seed));
    }
}

TEST(PascalExportEquivalence, ArbitraryBytesNeverBreakIt)
{
    for (unsigned seed = 1; seed <= 300; ++seed) {
        std::mt19937 rng(seed);
        std::vector<uint8_t> data(kb::kFileMagic.begin(), kb::kFileMagic.end());
        std::uniform_int_distribution<int> byte(0, 255), small(0, 12);
        for (int i = 0, n = 20 + int(seed % 400); i < n; ++i)
            data.push_back(uint8_t(i % 5 == 0   ? small(rng) % 2
                                   : i % 3 == 0 ? small(rng)
                                                : byte(rng)));
        ExpectSameAsLiteral(data, Seed("bytes", seed));
    }
}
