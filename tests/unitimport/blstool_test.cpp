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

} // namespace
