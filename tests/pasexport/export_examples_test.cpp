// Golden files: every example folder's diagram exports to its expected text
// and messages.
#include "tests/pasexport/examples.h"

#include <gtest/gtest.h>

using namespace kbtest;

class PascalExportExample : public testing::TestWithParam<std::string>
{
};

TEST_P(PascalExportExample, GivesItsExpectedTextAndMessages)
{
    const auto dir = ExamplesDir() / GetParam();
    std::vector<std::string> messages;
    EXPECT_EQ(ExportExample(GetParam(), &messages), ReadLines(dir / "expected.pas"));
    EXPECT_EQ(messages, ReadLines(dir / "expected.err"));
}

INSTANTIATE_TEST_SUITE_P(Data, PascalExportExample, testing::ValuesIn(ExampleNames()),
                         [](const auto& info) { return info.param; });
