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
