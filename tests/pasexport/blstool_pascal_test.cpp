// blstool pascal: the program on stdout, messages on stderr, and the exit
// code telling which happened.
#include "tests/blstool/run.h"
#include "tests/pasexport/examples.h"
#include "tests/pasexport/support/flowbuilder.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <unistd.h>

using namespace kbtest;
namespace fs = std::filesystem;

namespace {

RunResult Pascal(const fs::path& file)
{
    const fs::path dir = fs::temp_directory_path() / ("kb_blstool_" + std::to_string(::getpid()));
    fs::create_directories(dir);
    const RunResult r = RunBlstool("pascal " + Quote(file.string()), dir.string());
    fs::remove_all(dir);
    return r;
}

fs::path Write(const std::string& name, const std::vector<uint8_t>& bytes)
{
    const fs::path p = fs::temp_directory_path() / (name + std::to_string(::getpid()));
    std::ofstream(p, std::ios::binary)
        .write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
    return p;
}

} // namespace

TEST(BlstoolPascal, PrintsTheProgramAndExitsZero)
{
    const RunResult r = Pascal(ExamplesDir() / "nested" / "input.bls");
    EXPECT_EQ(r.exitCode, 0);
    EXPECT_EQ(r.out, Slurp(ExamplesDir() / "nested" / "expected.pas"));
    EXPECT_EQ(r.err, "");
}

TEST(BlstoolPascal, MessagesGoToStderrAndExitOne)
{
    const RunResult r = Pascal(ExamplesDir() / "dead_ends" / "input.bls");
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_EQ(r.out, Slurp(ExamplesDir() / "dead_ends" / "expected.pas"));
    EXPECT_EQ(r.err, "error: No outgoing link\nerror: Have only 1 incoming link\n");

    const fs::path text = Write("kb_not_a_diagram", {'h', 'e', 'l', 'l', 'o'});
    const RunResult refused = Pascal(text);
    fs::remove(text);
    EXPECT_EQ(refused.exitCode, 1);
    EXPECT_EQ(refused.out, "");
    EXPECT_EQ(refused.err, "error: Can not find \"begin\"\n");
}

TEST(BlstoolPascal, AFileThatCannotBeOpenedExitsTwo)
{
    EXPECT_EQ(Pascal("/nonexistent/dir/none.bls").exitCode, 2);
}

TEST(BlstoolPascal, TextsArePrintedAsUtf8)
{
    TFlowBuilder b;
    auto* a = b.Rect("\xE0 := 1", 0, 40); // Cyrillic a in Windows-1251
    b.Flow(b.Ellipse("begin", 0, 0), a);
    b.Flow(a, b.Ellipse("end", 0, 80));
    const fs::path file = Write("kb_cyrillic", b.Bytes());
    const RunResult r = Pascal(file);
    fs::remove(file);
    EXPECT_EQ(r.out, "begin\n  \xD0\xB0 := 1\nend;\n");
}
