#include "model/shem.h"
#include "tests/blstool/run.h"

#include <gtest/gtest.h>

#include <filesystem>

using namespace kbtest;
namespace fs = std::filesystem;

namespace {

class Blstool : public testing::Test
{
protected:
    void SetUp() override
    {
        m_dir = fs::temp_directory_path() /
                ("kb-blstool-" + std::to_string(::getpid()) + "-" +
                 testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::create_directories(m_dir);
    }
    void TearDown() override { fs::remove_all(m_dir); }

    std::string Write(const std::string& name, const std::vector<uint8_t>& bytes)
    {
        const std::string path = (m_dir / name).string();
        std::ofstream(path, std::ios::binary)
            .write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
        return path;
    }
    RunResult Run(const std::string& args) { return RunBlstool(args, m_dir.string()); }

    fs::path m_dir;
};

std::vector<uint8_t> WithMagic(std::initializer_list<int> values)
{
    std::vector<uint8_t> out(kb::kFileMagic.begin(), kb::kFileMagic.end());
    for (int v : values)
        out.push_back(uint8_t(v));
    return out;
}

// The documented 28-byte example, with a Cyrillic text instead of "abc".
std::vector<uint8_t> Example()
{
    return WithMagic({0x00, 0x00, 0xC0, 0xE1, 0x22, 0x00, 0x0A, 0x00, 0x14, 0x00,
                      0x6E, 0x00, 0x46, 0x00, 0x01, 0x00, 0x00, 0x00, 0x00, 0x00,
                      0xFF, 0xFF, 0xFF, 0x7F, 0xFF, 0x7F, 0x00, 0x00});
}

} // namespace

TEST_F(Blstool, InfoJsonDecodesTextAndEscapes)
{
    const auto r = Run("info --json " + Write("a.bls", Example()));
    EXPECT_EQ(r.exitCode, 0) << r.err;
    EXPECT_EQ(r.out, "{\"entries\":[\n"
                     "{\"index\":0,\"type\":\"block\",\"kind\":0,\"text\":\"Аб\\\"\",\"align\":0,"
                     "\"filled\":false,\"dotted\":false,\"rect\":[10,20,110,70]},\n"
                     "{\"index\":1,\"type\":\"link\",\"style\":0,\"endA\":0,\"endB\":0,"
                     "\"posA\":[65535,32767],\"posB\":[32767,0]}\n"
                     "]}\n");
}

TEST_F(Blstool, InfoListsOneLinePerEntry)
{
    const auto r = Run("info " + Write("a.bls", Example()));
    EXPECT_EQ(r.exitCode, 0);
    EXPECT_EQ(std::count(r.out.begin(), r.out.end(), '\n'), 2);
}

TEST_F(Blstool, CheckReportsCleanAndDamagedFiles)
{
    auto r = Run("check " + Write("good.bls", Example()));
    EXPECT_EQ(r.exitCode, 0);
    EXPECT_EQ(r.out, "ok 2 entries\n");

    // A link naming entry 5 of a one-entry file.
    r = Run("check " + Write("bad.bls", WithMagic({0, 0, 0, 0, 0, 0, 0, 1, 0, 1, 0, 1, 0,
                                                   5, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0})));
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_NE(r.err.find("dropped"), std::string::npos) << r.err;

    r = Run("check " + Write("text.bls", {'h', 'e', 'l', 'l', 'o'}));
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_NE(r.err.find("not a diagram file"), std::string::npos) << r.err;

    r = Run("check " + (m_dir / "missing.bls").string());
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_NE(r.err.find("cannot open"), std::string::npos);
}

TEST_F(Blstool, ResaveWritesTheSortedOrder)
{
    // A link first, naming the two blocks after it.
    const auto in = WithMagic({1, 0, 1, 0, 2, 0, 0, 0, 0, 0, 0, 0, 0, 0, //
                               0, 0, 0, 0, 0, 0, 0, 5, 0, 5, 0, 0, 0, 0, 9, 0, 9, 0, 12, 0, 12, 0});
    const std::string out = (m_dir / "out.bls").string();
    const auto r = Run("resave " + Write("in.bls", in) + " " + out);
    ASSERT_EQ(r.exitCode, 0) << r.err;
    kb::TShem s;
    ASSERT_TRUE(s.LoadFromFile(out));
    EXPECT_TRUE(s.Get(0)->IsBlock());
    EXPECT_TRUE(s.Get(2)->IsLink());
    const std::string bytes = Slurp(out);
    EXPECT_EQ(bytes[21], 0) << "the first record is now a block";
}

TEST_F(Blstool, ResaveIntoAMissingFolderFailsAndSaysSo)
{
    const auto r = Run("resave " + Write("in.bls", Example()) + " " +
                       (m_dir / "no" / "such" / "out.bls").string());
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_NE(r.err.find("cannot create " + (m_dir / "no" / "such" / "out.bls").string() +
                         ": No such file or directory"),
              std::string::npos)
        << r.err;
}

TEST_F(Blstool, WrongUsageExitsWithTwo)
{
    EXPECT_EQ(Run("").exitCode, 2);
    EXPECT_EQ(Run("frobnicate x").exitCode, 2);
    EXPECT_EQ(Run("info").exitCode, 2);
    EXPECT_EQ(Run("info a b").exitCode, 2);
    EXPECT_EQ(Run("check --bogus x").exitCode, 2);
    EXPECT_EQ(Run("--help").exitCode, 0);
}

namespace {

// A diagram of `blocks` rectangles with texts, several kilobytes.
std::vector<uint8_t> Large(int blocks)
{
    kb::TShem s;
    for (int i = 0; i < blocks; ++i) {
        kb::Block b;
        b.Left = 10 * i;
        b.Right = 10 * i + 8;
        b.Bottom = 8;
        b.Text = "block number " + std::to_string(i);
        s.AddBlock(b);
    }
    return s.SaveToBytes();
}

} // namespace

TEST_F(Blstool, ResaveOntoAFullDiskFailsAndLeavesTheOldFileAsItWas)
{
    // Before, the save reported success and left a 0-byte file.
    const std::string in = Write("in.bls", Large(200));
    const std::string out = Write("out.bls", Example());
    const auto r = RunBlstoolOnFullDisk("resave " + in + " " + out, m_dir.string());
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_NE(r.err.find("cannot write " + out + ": File too large"), std::string::npos) << r.err;
    const std::vector<uint8_t> example = Example();
    EXPECT_EQ(Slurp(out), std::string(example.begin(), example.end()));
    for (const auto& e : fs::directory_iterator(m_dir))
        EXPECT_EQ(e.path().extension(), e.path().filename() == "out.bls"  ? ".bls"
                                        : e.path().filename() == "in.bls" ? ".bls"
                                                                          : ".txt")
            << "left behind: " << e.path();
    // With room again the same command works.
    EXPECT_EQ(Run("resave " + in + " " + out).exitCode, 0);
    EXPECT_EQ(Slurp(out), Slurp(in));
}

TEST_F(Blstool, ImportOntoAFullDiskKeepsTheFileOfAnEarlierRun)
{
    // Before, the import truncated the old file in place and left it empty.
    std::string body;
    for (int i = 0; i < 60; ++i)
        body += "  statement" + std::to_string(i) + ";\r\n";
    const std::string unit = Write("u.pas", [&] {
        const std::string text =
            "implementation\r\nprocedure A;\r\nbegin\r\n" + body + "end;\r\nend.\r\n";
        return std::vector<uint8_t>(text.begin(), text.end());
    }());
    const std::string old = Write("A.bls", Example());
    const auto r = RunBlstoolOnFullDisk("import " + unit + " -o " + m_dir.string(), m_dir.string());
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_NE(r.err.find("File too large"), std::string::npos) << r.err;
    const std::vector<uint8_t> example = Example();
    EXPECT_EQ(Slurp(old), std::string(example.begin(), example.end()));
    EXPECT_EQ(Run("import " + unit + " -o " + m_dir.string()).exitCode, 0);
    EXPECT_GT(Slurp(old).size(), 1024u);
}

TEST_F(Blstool, FilesBeyondTheFormatsLimitsAreRefusedWithTheReason)
{
    // 65,537 empty rectangles: their 16-bit indices cannot all be named.
    std::vector<uint8_t> many(kb::kFileMagic.begin(), kb::kFileMagic.end());
    for (int i = 0; i <= kb::kMaxEntries; ++i)
        many.insert(many.end(), {0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0});
    const std::string out = (m_dir / "out.bls").string();
    auto r = Run("resave " + Write("many.bls", many) + " " + out);
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_NE(r.err.find("holds 65537 records; a diagram holds at most 65536"), std::string::npos)
        << r.err;
    EXPECT_FALSE(fs::exists(out));

    // A file over 64 MiB is refused before it is read (sparse: no disk used).
    const std::string huge = Write("huge.bls", Example());
    fs::resize_file(huge, (uint64_t(64) << 20) + 1);
    for (const char* command : {"info", "check", "pascal"}) {
        r = Run(std::string(command) + " " + huge);
        EXPECT_EQ(r.exitCode, 1) << command;
        EXPECT_NE(r.err.find("larger than 64 MiB"), std::string::npos) << command << r.err;
    }
}

TEST_F(Blstool, UnitsOver64MiBAreRefusedBeforeTheyAreRead)
{
    const std::string unit = Write("u.pas", {'x'});
    fs::resize_file(unit, (uint64_t(64) << 20) + 1);
    for (const std::string& args :
         {"routines " + unit, "import " + unit + " -o " + m_dir.string()}) {
        const auto r = Run(args);
        EXPECT_EQ(r.exitCode, 1) << args;
        EXPECT_NE(r.err.find("larger than 64 MiB"), std::string::npos) << args << r.err;
    }
}

TEST_F(Blstool, RunningOutOfMemoryIsAMessageNeverASignal)
{
#if defined(__SANITIZE_ADDRESS__)
    GTEST_SKIP() << "AddressSanitizer reserves terabytes of address space, so a program "
                    "built with it cannot start under an address-space limit";
#endif
    // One block with a 60 MiB text: loading and saving it need several
    // copies. Under ever larger address-space limits every run ends with an
    // exit code, until one succeeds; the tight ones say that memory ran out.
    std::vector<uint8_t> bytes(kb::kFileMagic.begin(), kb::kFileMagic.end());
    bytes.insert(bytes.end(), {0, 0});
    bytes.resize(bytes.size() + (60 << 20), 'a');
    bytes.insert(bytes.end(), {0, 0, 0, 0, 0, 0, 0, 0, 0});
    const std::string big = Write("big.bls", bytes);
    const std::string tiny = Write("tiny.bls", Example());
    const std::string blstool = Quote(std::string(KB_BIN_DIR) + "/blstool");
    const std::string err = (m_dir / "err.txt").string();
    for (const std::string args : {"info " + big, "resave " + big + " " + tiny}) {
        int outOfMemory = 0;
        bool succeeded = false;
        for (int mib = 64; mib <= 2048 && !succeeded; mib += 64) {
            const std::string limit = "ulimit -v " + std::to_string(mib * 1024) + "; ";
            // Below what the program needs to start at all nothing is measured.
            if (std::system((limit + blstool + " check " + tiny + " >/dev/null 2>&1").c_str()))
                continue;
            const int status =
                std::system((limit + blstool + " " + args + " >/dev/null 2>" + err).c_str());
            ASSERT_TRUE(WIFEXITED(status)) << args << " at " << mib << " MiB";
            ASSERT_LE(WEXITSTATUS(status), 1) << args << " at " << mib << " MiB";
            succeeded = WEXITSTATUS(status) == 0;
            if (!succeeded) {
                EXPECT_NE(Slurp(err).find("not enough memory"), std::string::npos)
                    << args << " at " << mib << " MiB: " << Slurp(err);
                ++outOfMemory;
            }
        }
        EXPECT_TRUE(succeeded) << args;
        EXPECT_GT(outOfMemory, 0) << args;
    }
}

TEST_F(Blstool, CommandsOnTheModelLoadNoQtLibrary)
{
    // Loading Qt cost most of a check's time when blstool runs once per file.
    const std::string file = Write("a.bls", Example());
    const std::string log = (m_dir / "loader.txt").string();
    const std::string blstool = Quote(std::string(KB_BIN_DIR) + "/blstool");
    ASSERT_EQ(
        std::system(("LD_DEBUG=libs " + blstool + " check " + file + " >/dev/null 2>" + Quote(log))
                        .c_str()),
        0);
    EXPECT_EQ(Slurp(log).find("libQt"), std::string::npos) << Slurp(log);
    // The picture writer, which does need Qt, is still reached through blstool.
    EXPECT_EQ(Run("render " + file + " -o " + (m_dir / "a.png").string()).exitCode, 0);
    EXPECT_TRUE(fs::exists(m_dir / "a.png"));
    EXPECT_EQ(Run("render " + file + " -o " + (m_dir / "a.gif").string()).exitCode, 2);
}
