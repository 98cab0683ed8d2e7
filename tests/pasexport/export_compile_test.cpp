// Free Pascal as the judge: every example that exports without a message must
// compile as the body of a procedure.
#include "tests/pasexport/examples.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <sstream>
#include <unistd.h>

using namespace kbtest;
namespace fs = std::filesystem;

namespace {

const char* const kFpc = "/usr/bin/fpc";

std::string Program(const std::vector<std::string>& body)
{
    std::string text = "program Example;\nvar\n  a, b, x, y, z: integer;\n\nprocedure Run;\n";
    for (const std::string& line : body)
        text += line + "\n";
    text += "\nbegin\n  a := 0; b := 0; x := 0; y := 0; z := 0;\n  Run;\nend.\n";
    return text;
}

// The examples that export without a message.
std::vector<std::string> CleanExamples()
{
    std::vector<std::string> names;
    for (const std::string& name : ExampleNames())
        if (!fs::exists(ExamplesDir() / name / "expected.err")) names.push_back(name);
    return names;
}

} // namespace

class PascalExportCompiles : public testing::TestWithParam<std::string>
{
};

TEST_P(PascalExportCompiles, WithFreePascal)
{
    if (!fs::exists(kFpc)) GTEST_SKIP() << "Free Pascal (" << kFpc << ") is not installed";
    std::vector<std::string> messages;
    const std::vector<std::string> lines = ExportExample(GetParam(), &messages);
    ASSERT_TRUE(messages.empty());

    const fs::path dir =
        fs::temp_directory_path() / ("kb_pascal_" + GetParam() + "_" + std::to_string(::getpid()));
    fs::create_directories(dir);
    std::ofstream(dir / "example.pas") << Program(lines);
    const std::string command = std::string(kFpc) + " -v0 -FE" + dir.string() + " " +
                                (dir / "example.pas").string() + " > " +
                                (dir / "fpc.log").string() + " 2>&1";
    const int status = std::system(command.c_str());
    std::stringstream log;
    log << std::ifstream(dir / "fpc.log").rdbuf();
    EXPECT_EQ(status, 0) << Program(lines) << log.str();
    fs::remove_all(dir);
}

INSTANTIATE_TEST_SUITE_P(Data, PascalExportCompiles, testing::ValuesIn(CleanExamples()),
                         [](const auto& info) { return info.param; });
