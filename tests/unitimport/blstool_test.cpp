// blstool routines and import, run as the user runs them.
#include "tests/blstool/run.h"
#include "tests/unitimport/support.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace fs = std::filesystem;
using kbtest::Crlf;
using kbtest::Quote;

namespace {

kbtest::RunResult Blstool(const kbtest::TTempDir& dir, const std::string& args)
{
    return kbtest::RunBlstool(args, dir.Str());
}

class BlstoolImport : public testing::Test
{
protected:
    void SetUp() override
    {
        m_unit = (m_dir.Path() / "u.pas").string();
        kbtest::WriteBytes(m_unit, Crlf("implementation\n"
                                        "procedure A; begin x; end;\n"
                                        "procedure Broken; begin until y; end;\n"
                                        "function B(k: integer): integer; begin y; end;\n"
                                        "procedure A(s: string); begin z; end;\n"
                                        "end.\n"));
    }

    kbtest::TTempDir m_dir;
    std::string m_unit;
};

TEST_F(BlstoolImport, RoutinesListsHeadersInScannerOrder)
{
    const kbtest::RunResult r = Blstool(m_dir, "routines " + Quote(m_unit));
    EXPECT_EQ(r.exitCode, 0);
    EXPECT_EQ(r.out, "procedure A\nprocedure Broken\nfunction B(k: integer):\n"
                     "procedure A(s: string)\n");
}

TEST_F(BlstoolImport, ImportsEveryRoutineAndReportsSkippedOnes)
{
    const std::string out = (m_dir.Path() / "new" / "deeper").string();
    const kbtest::RunResult r = Blstool(m_dir, "import " + Quote(m_unit) + " -o " + Quote(out));
    EXPECT_EQ(r.exitCode, 0);
    EXPECT_EQ(r.out, out + "/A.bls\n" + out + "/B.bls\n" + out + "/A~2.bls\n");
    EXPECT_EQ(r.err, "blstool: skipped routine 2 (procedure Broken): "
                     "repeat and until do not match\n");
    EXPECT_TRUE(fs::exists(out + "/A~2.bls"));
}

TEST_F(BlstoolImport, ImportsChosenRoutinesInListOrder)
{
    const std::string out = m_dir.Str();
    const kbtest::RunResult r = Blstool(m_dir, "import " + Quote(m_unit) + " --routine 4 -o " +
                                                   Quote(out) + " --routine 3");
    EXPECT_EQ(r.exitCode, 0);
    EXPECT_EQ(r.out, out + "/B.bls\n" + out + "/A.bls\n");
}

TEST_F(BlstoolImport, ExitCodes)
{
    const std::string out = " -o " + Quote(m_dir.Str());
    EXPECT_EQ(Blstool(m_dir, "import " + Quote(m_unit)).exitCode, 2);
    EXPECT_EQ(Blstool(m_dir, "import " + Quote(m_unit) + out + " --routine 5").exitCode, 2);
    EXPECT_EQ(Blstool(m_dir, "import " + Quote(m_unit) + out + " --routine x").exitCode, 2);
    EXPECT_EQ(Blstool(m_dir, "routines").exitCode, 2);

    const kbtest::RunResult missing = Blstool(m_dir, "import /nonexistent/u.pas" + out);
    EXPECT_EQ(missing.exitCode, 1);
    EXPECT_NE(missing.err.find("cannot open /nonexistent/u.pas"), std::string::npos);
    EXPECT_EQ(Blstool(m_dir, "routines /nonexistent/u.pas").exitCode, 1);

    // A folder that cannot be made (its parent is a file), and a diagram
    // file that cannot be made (a folder has its name).
    kbtest::WriteBytes(m_dir.Path() / "plain", "x");
    const kbtest::RunResult noFolder =
        Blstool(m_dir, "import " + Quote(m_unit) + " -o " +
                           Quote((m_dir.Path() / "plain" / "sub").string()));
    EXPECT_EQ(noFolder.exitCode, 1);
    EXPECT_NE(noFolder.err.find("cannot create the folder"), std::string::npos);

    const fs::path taken = m_dir.Path() / "taken";
    fs::create_directories(taken / "A.bls");
    const kbtest::RunResult noFile =
        Blstool(m_dir, "import " + Quote(m_unit) + " -o " + Quote(taken.string()));
    EXPECT_EQ(noFile.exitCode, 1);
    EXPECT_NE(noFile.err.find("cannot create " + taken.string() + "/A.bls: Is a directory"),
              std::string::npos);
    EXPECT_TRUE(fs::is_directory(taken / "A.bls")); // left as it was
    EXPECT_TRUE(fs::exists(taken / "B.bls"));       // the other routines are still written
}

TEST_F(BlstoolImport, NamesTheRoutinesThatLoseCompilerDirectives)
{
    kbtest::WriteBytes(m_unit, Crlf("implementation\n"
                                    "procedure Plain; begin x; end;\n"
                                    "procedure Tuned; begin {$push}{$R-} x := a[i]; {$pop} end;\n"
                                    "end.\n"));
    const kbtest::RunResult r =
        Blstool(m_dir, "import " + Quote(m_unit) + " -o " + Quote(m_dir.Str()));
    EXPECT_EQ(r.exitCode, 0);
    EXPECT_EQ(r.out, m_dir.Str() + "/Plain.bls\n" + m_dir.Str() + "/Tuned.bls\n");
    EXPECT_EQ(r.err, "blstool: warning: routine 2 (procedure Tuned) lost its compiler directives, "
                     "dropped like comments\n");
}

// On a terminal stderr shows the progress on one line, rewritten in place and
// erased at the end; the paths still go to stdout. (Redirected, as in the
// tests above, stderr holds the messages alone.)
TEST_F(BlstoolImport, ReportsProgressOnATerminal)
{
    if (std::system("command -v script >/dev/null 2>&1") != 0)
        GTEST_SKIP() << "script(1) is not installed: no terminal to run blstool on";
    const std::string out = (m_dir.Path() / "out").string();
    const std::string typescript = (m_dir.Path() / "typescript").string();
    const std::string command = std::string(KB_BIN_DIR) + "/blstool import " + Quote(m_unit) +
                                " -o " + Quote(out) + " > " + Quote(out + ".txt");
    ASSERT_EQ(
        std::system(("script -qec " + Quote(command) + " " + Quote(typescript) + " >/dev/null 2>&1")
                        .c_str()),
        0);
    const std::string terminal = kbtest::Slurp(typescript);
    EXPECT_NE(terminal.find("\rimport: 0 of 4 routines"), std::string::npos) << terminal;
    EXPECT_NE(terminal.find("\r\033[K"), std::string::npos);
    EXPECT_NE(terminal.find("skipped routine 2 (procedure Broken)"), std::string::npos);
    EXPECT_EQ(kbtest::Slurp(out + ".txt"),
              out + "/A.bls\n" + out + "/B.bls\n" + out + "/A~2.bls\n");
}

} // namespace
