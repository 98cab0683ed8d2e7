// blstool routines and import, run as the user runs them.
#include "tests/unitimport/support.h"

#include <gtest/gtest.h>

#include <sys/wait.h>

#include <cstdlib>
#include <filesystem>

namespace fs = std::filesystem;
using kbtest::Crlf;

namespace {

struct RunResult
{
    int Code = -1;
    std::string Out;
    std::string Err;
};

std::string Quote(const std::string& s)
{
    return "'" + s + "'";
}

RunResult Blstool(const kbtest::TTempDir& dir, const std::string& args)
{
    const fs::path out = dir.Path() / "stdout.txt", err = dir.Path() / "stderr.txt";
    const std::string cmd = Quote(std::string(KB_BIN_DIR) + "/blstool") + " " + args + " >" +
                            Quote(out.string()) + " 2>" + Quote(err.string());
    const int status = std::system(cmd.c_str());
    return {WIFEXITED(status) ? WEXITSTATUS(status) : -1, kbtest::ReadBytes(out),
            kbtest::ReadBytes(err)};
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
    const RunResult r = Blstool(m_dir, "routines " + Quote(m_unit));
    EXPECT_EQ(r.Code, 0);
    EXPECT_EQ(r.Out, "procedure A\nprocedure Broken\nfunction B(k: integer):\n"
                     "procedure A(s: string)\n");
}

TEST_F(BlstoolImport, ImportsEveryRoutineAndReportsSkippedOnes)
{
    const std::string out = (m_dir.Path() / "new" / "deeper").string();
    const RunResult r = Blstool(m_dir, "import " + Quote(m_unit) + " -o " + Quote(out));
    EXPECT_EQ(r.Code, 0);
    EXPECT_EQ(r.Out, out + "/A.bls\n" + out + "/B.bls\n" + out + "/A~2.bls\n");
    EXPECT_EQ(r.Err, "blstool: skipped routine 2 (procedure Broken): "
                     "repeat and until do not match\n");
    EXPECT_TRUE(fs::exists(out + "/A~2.bls"));
}

TEST_F(BlstoolImport, ImportsChosenRoutinesInListOrder)
{
    const std::string out = m_dir.Str();
    const RunResult r = Blstool(m_dir, "import " + Quote(m_unit) + " --routine 4 -o " + Quote(out) +
                                           " --routine 3");
    EXPECT_EQ(r.Code, 0);
    EXPECT_EQ(r.Out, out + "/B.bls\n" + out + "/A.bls\n");
}

TEST_F(BlstoolImport, ExitCodes)
{
    const std::string out = " -o " + Quote(m_dir.Str());
    EXPECT_EQ(Blstool(m_dir, "import " + Quote(m_unit)).Code, 2);
    EXPECT_EQ(Blstool(m_dir, "import " + Quote(m_unit) + out + " --routine 5").Code, 2);
    EXPECT_EQ(Blstool(m_dir, "import " + Quote(m_unit) + out + " --routine x").Code, 2);
    EXPECT_EQ(Blstool(m_dir, "routines").Code, 2);

    const RunResult missing = Blstool(m_dir, "import /nonexistent/u.pas" + out);
    EXPECT_EQ(missing.Code, 1);
    EXPECT_NE(missing.Err.find("cannot open /nonexistent/u.pas"), std::string::npos);
    EXPECT_EQ(Blstool(m_dir, "routines /nonexistent/u.pas").Code, 1);

    // A folder that cannot be made (its parent is a file), and a diagram
    // file that cannot be made (a folder has its name).
    kbtest::WriteBytes(m_dir.Path() / "plain", "x");
    const RunResult noFolder = Blstool(m_dir, "import " + Quote(m_unit) + " -o " +
                                                  Quote((m_dir.Path() / "plain" / "sub").string()));
    EXPECT_EQ(noFolder.Code, 1);
    EXPECT_NE(noFolder.Err.find("cannot create the folder"), std::string::npos);

    const fs::path taken = m_dir.Path() / "taken";
    fs::create_directories(taken / "A.bls");
    const RunResult noFile =
        Blstool(m_dir, "import " + Quote(m_unit) + " -o " + Quote(taken.string()));
    EXPECT_EQ(noFile.Code, 1);
    EXPECT_NE(noFile.Err.find("cannot create " + taken.string() + "/A.bls: Is a directory"),
              std::string::npos);
    EXPECT_TRUE(fs::is_directory(taken / "A.bls")); // left as it was
    EXPECT_TRUE(fs::exists(taken / "B.bls"));       // the other routines are still written
}

} // namespace
