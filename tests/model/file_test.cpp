#include "builders.h"

#include <gtest/gtest.h>

#include <csignal>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <random>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>
#include <unordered_set>

using namespace kb;
using namespace kbtest;

namespace {

std::vector<uint8_t> Example28()
{
    return Bytes({0x00, 0x00, 0x61, 0x62, 0x63, 0x00, 0x0A, 0x00, 0x14, 0x00,
                  0x6E, 0x00, 0x46, 0x00, 0x01, 0x00, 0x00, 0x00, 0x00, 0x00,
                  0xFF, 0xFF, 0xFF, 0x7F, 0xFF, 0x7F, 0x00, 0x00});
}

// Every link end is an entry of the diagram and no chain of links on links
// comes back to itself.
void ExpectSound(const TShem& s)
{
    for (int i = 0; i < s.Count(); ++i) {
        const TShemObj* e = s.Get(i);
        if (!e->IsLink()) continue;
        ASSERT_GE(s.IndexOf(e->link().EndA), 0);
        ASSERT_GE(s.IndexOf(e->link().EndB), 0);
        // Sorted: every link on a link comes after it, hence no cycle.
        for (const TShemObj* end : {e->link().EndA, e->link().EndB}) {
            if (end->IsLink()) {
                ASSERT_LT(s.IndexOf(end), i);
            }
        }
    }
}

} // namespace

TEST(FileFormat, WritesTheDocumentedExample)
{
    TShem s;
    auto* r = Add(s, MakeBlock(0, 10, 20, 110, 70, "abc"));
    Add(s, MakeLink(r, r, {65535, 32767}, {32767, 0}));
    EXPECT_EQ(s.SaveToBytes(), Example28());
}

TEST(FileFormat, ReadsTheDocumentedExample)
{
    TShem s;
    TLoadReport report;
    ASSERT_TRUE(s.LoadFromStream(Example28(), &report));
    EXPECT_TRUE(report.Clean());
    ASSERT_EQ(s.Count(), 2);
    EXPECT_EQ(s.Get(0)->block().Text, "abc");
    EXPECT_EQ(s.Get(0)->block().Rect(), (TRect{10, 20, 110, 70}));
    EXPECT_EQ(s.Get(1)->link().EndA, s.Get(0));
    EXPECT_EQ(s.Get(1)->link().PosA, (TPoint{65535, 32767}));
}

TEST(FileFormat, FlagByteAndEmptyText)
{
    TShem s;
    Block b = MakeBlock(7, 0, 0, 1, 1);
    b.Filled = b.Dotted = true;
    b.Align = 2;
    Add(s, b);
    const auto bytes = s.SaveToBytes();
    ASSERT_EQ(bytes.size(), 21u + 2 + 1 + 8);
    EXPECT_EQ(bytes[22], 0xB7);
    EXPECT_EQ(bytes[23], 0x00) << "an empty text is just its terminator";
}

TEST(FileFormat, HeaderRules)
{
    TShem s;
    Add(s, MakeBlock(0, 0, 0, 5, 5));
    EXPECT_TRUE(s.LoadFromStream(Bytes({})));
    EXPECT_EQ(s.Count(), 0) << "the bare header is an empty diagram";

    Add(s, MakeBlock(0, 0, 0, 5, 5));
    std::vector<uint8_t> twenty(kFileMagic.begin(), kFileMagic.end() - 1);
    TLoadReport report;
    EXPECT_FALSE(s.LoadFromStream(twenty, &report));
    EXPECT_FALSE(report.HeaderOk);
    EXPECT_EQ(s.Count(), 1) << "a refused stream keeps the diagram";
    auto wrong = Bytes({});
    wrong[4] = 'k';
    EXPECT_FALSE(s.LoadFromStream(wrong));
    EXPECT_EQ(s.Count(), 1);
}

TEST(FileFormat, ForwardReferencesResolveAndBlocksComeFirst)
{
    // A link naming entries 1 and 2, then the two blocks.
    const auto data = Bytes({1, 3, 1,   0, 2,  0, 0,  0, 0,  0, 0,  0, 0, 0, //
                             0, 0, 'x', 0, 1,  0, 1,  0, 9,  0, 9,  0,       //
                             0, 1, 'y', 0, 20, 0, 20, 0, 30, 0, 30, 0});
    TShem s;
    TLoadReport report;
    ASSERT_TRUE(s.LoadFromStream(data, &report));
    EXPECT_TRUE(report.Clean());
    ASSERT_EQ(s.Count(), 3);
    EXPECT_EQ(s.Get(0)->block().Text, "x");
    EXPECT_EQ(s.Get(1)->block().Text, "y");
    EXPECT_EQ(s.Get(2)->link().EndA, s.Get(0));
    EXPECT_EQ(s.Get(2)->link().EndB, s.Get(1));
    EXPECT_EQ(s.Get(2)->link().Style, 3);
}

TEST(FileFormat, RoundTripKeepsEveryFieldAndLinksOnLinks)
{
    TShem s;
    auto* a = Add(s, MakeBlock(9, 1, 2, 300, 400, "\xCF\xF0\xE8\r\n&&x"));
    a->block().Align = 1;
    a->block().Filled = true;
    a->block().Junction = 5;
    auto* b = Add(s, MakeBlock(2, 65000, 0, 65535, 65535));
    auto* l = Add(s, MakeLink(a, b, {1, 2}, {65535, 65535}, 7));
    Add(s, MakeLink(l, b, {40000, 0}, {0, 1}, 4));
    TShem back;
    ASSERT_TRUE(back.LoadFromStream(s.SaveToBytes()));
    ASSERT_EQ(back.Count(), 4);
    Block expected = a->block();
    expected.Junction = 0;
    EXPECT_EQ(back.Get(0)->block(), expected);
    EXPECT_EQ(back.Get(1)->block(), b->block());
    EXPECT_EQ(back.Get(3)->link().EndA, back.Get(2));
    EXPECT_EQ(back.Get(3)->link().PosA, (TPoint{40000, 0}));
    EXPECT_EQ(back.SaveToBytes(), s.SaveToBytes());
}

TEST(DamagedFile, TextCutShortDropsItsLastByte)
{
    TShem s;
    TLoadReport report;
    ASSERT_TRUE(s.LoadFromStream(Bytes({0, 0, 'a', 'b', 'c'}), &report));
    ASSERT_EQ(s.Count(), 1);
    EXPECT_EQ(s.Get(0)->block().Text, "ab");
    EXPECT_FALSE(report.Clean());
}

TEST(DamagedFile, BlockWithoutItsFarCornerIsEmptyAtItsNearOne)
{
    TShem s;
    ASSERT_TRUE(s.LoadFromStream(Bytes({0, 0, 0, 10, 0, 20, 0, 5})));
    ASSERT_EQ(s.Count(), 1);
    EXPECT_EQ(s.Get(0)->block().Rect(), (TRect{10, 20, 10, 20}));
}

TEST(DamagedFile, UnknownRecordKindStopsReadingAndAddsNothing)
{
    TShem s;
    TLoadReport report;
    ASSERT_TRUE(s.LoadFromStream(Bytes({0, 0, 0, 1, 0, 1, 0, 2, 0, 2, 0, 7, 0, 0, 0}), &report));
    EXPECT_EQ(s.Count(), 1);
    EXPECT_EQ(report.Problems.size(), 1u);
}

TEST(DamagedFile, LinksWithoutEndsOrOnCyclesAreDroppedWithLinksOnThem)
{
    // 0: block; 1: link 0 -> 9 (no such entry); 2: link on 1 (dropped with it);
    // 3 and 4: links ending on each other; 5: link on itself; 6: good link.
    const auto data = Bytes({0, 0, 0, 0, 0, 0, 0, 10, 0, 10, 0,          //
                             1, 0, 0, 0, 9, 0, 0, 0,  0, 0,  0, 0, 0, 0, //
                             1, 0, 1, 0, 0, 0, 0, 0,  0, 0,  0, 0, 0, 0, //
                             1, 0, 4, 0, 0, 0, 0, 0,  0, 0,  0, 0, 0, 0, //
                             1, 0, 3, 0, 0, 0, 0, 0,  0, 0,  0, 0, 0, 0, //
                             1, 0, 5, 0, 0, 0, 0, 0,  0, 0,  0, 0, 0, 0, //
                             1, 1, 0, 0, 0, 0, 0, 0,  0, 0,  0, 0, 0, 0});
    TShem s;
    TLoadReport report;
    ASSERT_TRUE(s.LoadFromStream(data, &report));
    ASSERT_EQ(s.Count(), 2);
    EXPECT_EQ(s.Get(1)->link().Style, 1);
    EXPECT_EQ(report.DroppedLinks, 5);
    EXPECT_EQ(report.Problems.size(), 5u);
    ExpectSound(s);
}

TEST(DamagedFile, LinkCutShortInItsIndicesIsDropped)
{
    TShem s;
    TLoadReport report;
    ASSERT_TRUE(s.LoadFromStream(Bytes({0, 0, 0, 0, 0, 0, 0, 9, 0, 9, 0, 1, 0, 0}), &report));
    EXPECT_EQ(s.Count(), 1);
    EXPECT_EQ(report.DroppedLinks, 1);
}

TEST(DamagedFile, ArbitraryBytesNeverBreakTheDiagram)
{
    std::mt19937 rng(3);
    for (int round = 0; round < 3000; ++round) {
        auto data = Bytes({});
        const int n = int(rng() % 120);
        for (int i = 0; i < n; ++i) {
            // Mostly small values, so that records and indices make sense often.
            const unsigned r = rng();
            data.push_back(uint8_t(r % 4 == 0 ? r >> 8 : r % 6));
        }
        TShem s;
        ASSERT_TRUE(s.LoadFromStream(data));
        ExpectSound(s);
        TShem again;
        ASSERT_TRUE(again.LoadFromStream(s.SaveToBytes()));
        EXPECT_EQ(again.SaveToBytes(), s.SaveToBytes()) << "round " << round;
    }
}

TEST(Writer, LeavesOutLinksWhoseEndIsNotInTheDiagram)
{
    TShem s, other;
    auto* a = Add(s, MakeBlock(0, 0, 0, 10, 10));
    auto* stranger = Add(other, MakeBlock(0, 0, 0, 10, 10));
    auto* bad = Add(s, MakeLink(a, stranger));
    Add(s, MakeLink(bad, a));
    Add(s, MakeLink(a, a, {1, 1}, {2, 2}, 2));
    TShem back;
    ASSERT_TRUE(back.LoadFromStream(s.SaveToBytes()));
    ASSERT_EQ(back.Count(), 2);
    EXPECT_EQ(back.Get(1)->link().Style, 2);
    EXPECT_EQ(back.Get(1)->link().EndA, back.Get(0));
}

TEST(Writer, NeverWritesAZeroByteInsideAText)
{
    TShem s;
    Add(s, MakeBlock(0, 0, 0, 10, 10, std::string("a\0b", 3)));
    TShem back;
    ASSERT_TRUE(back.LoadFromStream(s.SaveToBytes()));
    EXPECT_EQ(back.Get(0)->block().Text, "ab");
    EXPECT_EQ(back.Get(0)->block().Right, 10);
}

TEST(LoadFromFile, MissingFileThrows)
{
    TShem s;
    EXPECT_THROW(s.LoadFromFile("/nonexistent/dir/x.bls"), TFileError);
}

namespace {

// The documented example followed by `blocks` empty rectangles.
std::vector<uint8_t> WithBlocks(int64_t blocks)
{
    std::vector<uint8_t> out = Example28();
    for (int64_t i = 0; i < blocks; ++i)
        out.insert(out.end(), {0, 0, 0, 1, 0, 1, 0, 2, 0, 2, 0});
    return out;
}

std::string TempFile(const std::string& name)
{
    return ::testing::TempDir() + "kb-file-" + std::to_string(::getpid()) + "-" + name;
}

} // namespace

TEST(Limits, AFileOfMoreEntriesThanIndicesCanNameIsRefusedWithItsCount)
{
    TShem s;
    Add(s, MakeBlock(0, 0, 0, 5, 5, "kept"));
    TLoadReport report;
    // 2 entries of the example and 65,535 blocks fit exactly; one more does not.
    ASSERT_TRUE(TShem().LoadFromStream(WithBlocks(kMaxEntries - 2)));
    EXPECT_FALSE(s.LoadFromStream(WithBlocks(kMaxEntries - 1), &report));
    EXPECT_EQ(report.Refusal, TLoadRefusal::TooManyEntries);
    EXPECT_EQ(report.Records, kMaxEntries + 1);
    EXPECT_NE(report.RefusalText().find("65537 records"), std::string::npos);
    EXPECT_FALSE(report.Clean());
    ASSERT_EQ(s.Count(), 1);
    EXPECT_EQ(s.Get(0)->block().Text, "kept");
}

TEST(Limits, ADiagramOverTheLimitIsNotSavedAtAll)
{
    // Before, its link indices wrapped around: a link on a link came back on a block.
    TShem s;
    auto* a = Add(s, MakeBlock(0, 0, 0, 5, 5));
    for (int i = 0; i < kMaxEntries; ++i)
        Add(s, MakeBlock(0, 0, 0, 1, 1));
    Add(s, MakeLink(a, a));
    std::vector<uint8_t> out{1, 2, 3};
    EXPECT_FALSE(s.SaveToStream(out));
    EXPECT_EQ(out, (std::vector<uint8_t>{1, 2, 3}));
    EXPECT_TRUE(s.SaveToBytes().empty());
    EXPECT_NE(SaveRefusalText(s.Count()).find("65538 entries"), std::string::npos);
    EXPECT_TRUE(SaveRefusalText(kMaxEntries).empty());
    s.Delete(1);
    s.Delete(1); // 65,536 entries fit
    EXPECT_TRUE(s.SaveToStream(out));
}

TEST(Limits, LargeFilesAreJudgedByTheirHeaderAndSizeBeforeTheyAreRead)
{
    // Sparse files: reading either whole would take seconds and gigabytes.
    const std::string diagram = TempFile("large.bls"), other = TempFile("other.bin");
    {
        std::ofstream f(diagram, std::ios::binary);
        f.write(kFileMagic.data(), std::streamsize(kFileMagic.size()));
    }
    std::filesystem::resize_file(diagram, uint64_t(kMaxFileBytes) + 1);
    std::ofstream(other, std::ios::binary) << "not a diagram";
    std::filesystem::resize_file(other, uint64_t(1) << 32);

    TShem s;
    Add(s, MakeBlock(0, 0, 0, 5, 5));
    TLoadReport report;
    EXPECT_FALSE(s.LoadFromFile(diagram, &report));
    EXPECT_EQ(report.Refusal, TLoadRefusal::TooLarge);
    EXPECT_NE(report.RefusalText().find("64 MiB"), std::string::npos);
    EXPECT_FALSE(s.LoadFromFile(other, &report));
    EXPECT_FALSE(report.HeaderOk);
    EXPECT_EQ(report.Refusal, TLoadRefusal::None);
    EXPECT_EQ(s.Count(), 1);
    std::remove(diagram.c_str());
    std::remove(other.c_str());
}

TEST(Limits, ZerosAfterAHeaderStopAtTheEntryLimit)
{
    // Zeros read as empty rectangles; before, 100 MiB of them became
    // millions of blocks.
    const std::string path = TempFile("zeros.bls");
    {
        std::ofstream f(path, std::ios::binary);
        f.write(kFileMagic.data(), std::streamsize(kFileMagic.size()));
    }
    std::filesystem::resize_file(path, kFileMagic.size() + 11 * 100000);
    TLoadReport report;
    EXPECT_FALSE(TShem().LoadFromFile(path, &report));
    EXPECT_EQ(report.Refusal, TLoadRefusal::TooManyEntries);
    EXPECT_EQ(report.Records, 100000);
    std::remove(path.c_str());
}

TEST(Limits, RunningOutOfMemoryWhileLoadingIsARefusalNotAnAbort)
{
#if defined(__SANITIZE_ADDRESS__)
    GTEST_SKIP() << "AddressSanitizer's allocator ends the process when it cannot map "
                    "memory instead of throwing, so running out cannot be tested under it";
#endif
    // One block whose text is 60 MiB, read in a child whose address space
    // has little room left.
    std::vector<uint8_t> data(kFileMagic.begin(), kFileMagic.end());
    data.insert(data.end(), {0, 0});
    data.resize(data.size() + (60 << 20), 'a');
    data.insert(data.end(), {0, 0, 0, 0, 0, 0, 0, 0, 0});
    const pid_t pid = fork();
    if (pid == 0) {
        TShem s;
        s.AddBlock(MakeBlock(0, 0, 0, 5, 5, "kept"));
        std::ifstream status("/proc/self/status");
        long vmKb = 0;
        for (std::string line; std::getline(status, line);)
            if (line.rfind("VmSize:", 0) == 0) vmKb = std::stol(line.substr(7));
        const rlim_t limit = rlim_t(vmKb) * 1024 + (24 << 20);
        const rlimit rl{limit, limit};
        setrlimit(RLIMIT_AS, &rl);
        TLoadReport report;
        const bool loaded = s.LoadFromStream(data, &report);
        _exit(loaded                                               ? 1
              : report.Refusal != TLoadRefusal::OutOfMemory        ? 2
              : s.Count() != 1 || s.Get(0)->block().Text != "kept" ? 3
                                                                   : 0);
    }
    int status = 0;
    waitpid(pid, &status, 0);
    ASSERT_TRUE(WIFEXITED(status)) << "ended by signal " << WTERMSIG(status);
    EXPECT_EQ(WEXITSTATUS(status), 0);
}
