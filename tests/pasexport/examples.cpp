#include "tests/pasexport/examples.h"

#include "model/cp1251.h"
#include "pasexport/expunit.h"

#include <algorithm>
#include <fstream>
#include <iterator>

namespace kbtest {

std::filesystem::path ExamplesDir()
{
    return std::filesystem::path(KB_SOURCE_DIR) / "tests/pasexport/data";
}

std::vector<std::string> ExampleNames()
{
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(ExamplesDir()))
        if (entry.is_directory()) names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

std::vector<uint8_t> ReadBytes(const std::filesystem::path& file)
{
    std::ifstream f(file, std::ios::binary);
    return {std::istreambuf_iterator<char>(f), std::istreambuf_iterator<char>()};
}

std::vector<std::string> ReadLines(const std::filesystem::path& file)
{
    std::vector<std::string> lines;
    std::ifstream f(file);
    for (std::string line; std::getline(f, line);)
        lines.push_back(line);
    return lines;
}

std::vector<std::string> ExportExample(const std::string& name, std::vector<std::string>* messages)
{
    std::vector<std::string> lines;
    const auto reported = kb::ExportPascal(ReadBytes(ExamplesDir() / name / "input.bls"), lines);
    if (messages) *messages = reported;
    for (std::string& line : lines)
        line = kb::Cp1251ToUtf8(line);
    return lines;
}

} // namespace kbtest
