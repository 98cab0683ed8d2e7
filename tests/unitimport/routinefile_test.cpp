// Routine diagrams: the frame, the balance check, file names and writing.
#include "tests/unitimport/support.h"
#include "unitimport/converter.h"
#include "unitimport/routinefile.h"

#include <gtest/gtest.h>

#include <filesystem>

using namespace kb;
using namespace kb::unitimport;
namespace fs = std::filesystem;

namespace {

TRoutine Routine(std::string header, TLines statements)
{
    statements.insert(statements.begin(), "begin");
    statements.push_back("end");
    return {std::move(header), std::move(statements)};
}

void Put16(std::vector<uint8_t>& out, int v)
{
    out.push_back(uint8_t(v & 0xFF));
    out.push_back(uint8_t(v >> 8));
}

void PutBlock(std::vector<uint8_t>& out, int kind, std::string_view text, TRect r)
{
    out.push_back(0);
    out.push_back(uint8_t(kind));
    out.insert(out.end(), text.begin(), text.end());
    out.push_back(0);
    for (int v : {r.Left, r.Top, r.Right, r.Bottom})
        Put16(out, v);
}

void PutLink(std::vector<uint8_t>& out, int style, int a, int b, TPoint pa, TPoint pb)
{
    out.push_back(1);
    out.push_back(uint8_t(style));
    for (int v : {a, b, pa.x, pa.y, pb.x, pb.y})
        Put16(out, v);
}

TEST(RoutineDiagram, WorkedFrameExampleByteForByte)
{
    TShem shem;
    ASSERT_EQ(BuildRoutineDiagram(Routine("procedure Reset", {"x := 1"}), shem), TSkipReason::None);
    std::vector<uint8_t> expected(kFileMagic.begin(), kFileMagic.end());
    PutBlock(expected, 0, "x := 1", {10, 40, 90, 60});
    PutBlock(expected, 1, "begin", {10, 10, 90, 30});
    PutLink(expected, 1, 1, 0, {32767, 65535}, {32767, 0});
    PutBlock(expected, 1, "end", {10, 70, 90, 90});
    PutLink(expected, 1, 0, 3, {32767, 65535}, {32767, 0});
    PutBlock(expected, 5, "procedure Reset", {0, 0, 160, 40});
    EXPECT_EQ(shem.SaveToBytes(), expected);
}

TEST(RoutineDiagram, EndEllipseHangsUnderTheJoinOfAFinalIf)
{
    TShem shem;
    ASSERT_EQ(BuildRoutineDiagram(Routine("procedure P", {"if", "c", "then", "a"}), shem),
              TSkipReason::None);
    const TShemObj* end = nullptr;
    for (int i = 0; i < shem.Count(); ++i)
        if (shem.Get(i)->IsBlock() && shem.Get(i)->block().Text == "end") end = shem.Get(i);
    ASSERT_TRUE(end);
    const TLink& in = shem.Get(shem.IndexOf(end) + 1)->link();
    ASSERT_EQ(in.EndB, end);
    ASSERT_TRUE(in.EndA->IsLink());
    const TLinkEnds join = shem.LinkEnds(in.EndA->link());
    const Block& e = end->block();
    EXPECT_EQ((e.Left + e.Right) / 2, (join.A.x + join.B.x) / 2);
    EXPECT_EQ(e.Top, join.A.y + 10);
}

TEST(RoutineDiagram, BalanceCheck)
{
    EXPECT_EQ(CheckBalance({"begin", "until", "x", "end"}), TSkipReason::RepeatUntilMismatch);
    EXPECT_EQ(CheckBalance({"begin", "end", "end", "begin"}), TSkipReason::BeginEndMismatch);
    EXPECT_EQ(CheckBalance({"begin", "case", "x", "of", "end", "end"}), TSkipReason::None);
    EXPECT_EQ(CheckBalance({"begin", "repeat", "x"}), TSkipReason::None); // left open is fine

    TShem shem;
    EXPECT_EQ(BuildRoutineDiagram({"procedure P", {"begin", "until", "x", "end"}}, shem),
              TSkipReason::RepeatUntilMismatch);
    EXPECT_EQ(shem.Count(), 0);
    EXPECT_EQ(BuildRoutineDiagram({"procedure P", {"begin", "repeat", "x", "end"}}, shem),
              TSkipReason::None);
    EXPECT_GT(shem.Count(), 0);
}

TEST(RoutineDiagram, TooLargeLayoutsAreSkippedNotCut)
{
    TShem shem;
    // 2184 statements fit the converter but not the frame's 40 units on top.
    EXPECT_EQ(BuildRoutineDiagram(Routine("procedure P", TLines(2184, "x")), shem),
              TSkipReason::LayoutTooLarge);
    EXPECT_EQ(shem.Count(), 0);
    ASSERT_EQ(BuildRoutineDiagram(Routine("procedure P", TLines(2180, "x")), shem),
              TSkipReason::None);
    EXPECT_LE(shem.Bounds().Bottom, kMaxCoord);
}

std::string Repeat(const std::string& s, int n)
{
    std::string out;
    for (int i = 0; i < n; ++i)
        out += s;
    return out;
}

TEST(RoutineDiagram, DeepNestingIsConvertedOrRefusedNeverOverflowed)
{
    auto build = [](const std::string& statements) {
        const TUnit u = ScanText("implementation procedure P; begin " + statements + " end;\r\n");
        TShem shem;
        return u.Routines.size() == 1 ? BuildRoutineDiagram(u.Routines[0], shem)
                                      : TSkipReason::BeginEndMismatch;
    };
    EXPECT_EQ(build(Repeat("begin ", 5000) + "x; " + Repeat("end; ", 5000)), TSkipReason::None);
    EXPECT_EQ(build(Repeat("if c then ", 5000) + "x;"), TSkipReason::NestedTooDeeply);
    EXPECT_EQ(build(Repeat("while c do ", 5000) + "x;"), TSkipReason::NestedTooDeeply);
    EXPECT_EQ(build(Repeat("repeat ", 3000) + "x; " + Repeat("until c; ", 3000)),
              TSkipReason::NestedTooDeeply);
    EXPECT_EQ(build(Repeat("begin x; ", 3000) + Repeat("end; ", 3000)),
              TSkipReason::NestedTooDeeply);
    // Exactly at the limit the walk goes all the way down; one more is refused.
    EXPECT_EQ(build(Repeat("begin x; ", kMaxNesting) + Repeat("end; ", kMaxNesting)),
              TSkipReason::None);
    EXPECT_EQ(build(Repeat("begin x; ", kMaxNesting + 1) + Repeat("end; ", kMaxNesting + 1)),
              TSkipReason::NestedTooDeeply);
    // Below the limit, a deep but narrow nesting still fits the format.
    EXPECT_EQ(build(Repeat("case k of 1: ", 900) + "x; " + Repeat("end; ", 900)),
              TSkipReason::None);
}

TEST(RoutineFile, NamesComeFromTheHeader)
{
    EXPECT_EQ(RoutineName("procedure TForm1.Go(Sender: TObject)"), "TForm1.Go");
    EXPECT_EQ(RoutineName("function Max(a, b: integer):"), "Max");
    EXPECT_EQ(RoutineName("procedure Reset"), "Reset");
    EXPECT_EQ(RoutineName("function ceil (x : float):"), "ceil");
    EXPECT_EQ(RoutineName("procedure  Spaced ;"), "Spaced");
    EXPECT_EQ(RoutineName("class operator TColorRec.:= (const AColor: TColor)r:"), "TColorRec.:=");
    EXPECT_EQ(RoutineName("function Get:x(y)"), "Get");
    EXPECT_EQ(RoutineName("procedure"), "");
}

TEST(RoutineFile, StemsHoldOnlyWhatFileNamesCan)
{
    EXPECT_EQ(FileStem("a<b>c\"d/e\\f|g?h*i\x01j\x7f"), "a_b_c_d_e_f_g_h_i_j_");
    EXPECT_EQ(FileStem("\xCF\xF0\xE8"), "\xD0\x9F\xD1\x80\xD0\xB8"); // Windows-1251 to UTF-8
    EXPECT_EQ(FileStem(""), "_");
    const std::string longStem = FileStem(std::string(300, '\xE0'));
    EXPECT_EQ(longStem.size(), 200u); // whole two-byte characters only
}

TEST(RoutineFile, RepeatedNamesGetNumbers)
{
    kbtest::TTempDir dir;
    TRoutineWriter writer(dir.Str());
    const auto first = writer.Write(Routine("procedure Max(a: integer)", {"x"}));
    const auto skipped = writer.Write({"procedure Max", {"begin", "end", "end"}});
    const auto second = writer.Write(Routine("function Max(a: real):", {"y"}));
    const auto third = writer.Write(Routine("procedure MAX", {"z"}));
    EXPECT_EQ(first.Path, dir.Str() + "/Max.bls");
    EXPECT_EQ(skipped.Outcome, TWriteResult::Skipped);
    EXPECT_EQ(skipped.Message, "begin and end do not match");
    EXPECT_EQ(second.Path, dir.Str() + "/Max~2.bls");
    EXPECT_EQ(third.Path, dir.Str() + "/MAX~3.bls");
    for (const auto& r : {first, second, third}) {
        EXPECT_EQ(r.Outcome, TWriteResult::Written);
        EXPECT_TRUE(fs::exists(r.Path));
    }
}

TEST(RoutineFile, ReplacesFilesOfEarlierRuns)
{
    kbtest::TTempDir dir;
    kbtest::WriteBytes(dir.Path() / "P.bls", std::string(5000, 'x'));
    TRoutineWriter(dir.Str() + "/").Write(Routine("procedure P", {"a"}));
    EXPECT_EQ(kbtest::DumpBlsFile(dir.Path() / "P.bls").size(), 6u);
}

TEST(RoutineFile, FailureToCreateIsReported)
{
    kbtest::TTempDir dir;
    TRoutineWriter writer((dir.Path() / "missing").string());
    const auto r = writer.Write(Routine("procedure P", {"a"}));
    EXPECT_EQ(r.Outcome, TWriteResult::Failed);
    EXPECT_EQ(r.Message, "cannot create " + r.Path + ": No such file or directory");
    EXPECT_FALSE(fs::exists(r.Path));
}

} // namespace
