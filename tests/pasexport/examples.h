// The example diagrams under tests/pasexport/data: one folder per case with
// input.bls, the expected.pas the export prints and, when it reports any,
// the expected.err messages, one per line.
#pragma once

#include <filesystem>
#include <string>
#include <vector>

namespace kbtest {

std::filesystem::path ExamplesDir();
std::vector<std::string> ExampleNames();
std::vector<uint8_t> ReadBytes(const std::filesystem::path& file);
std::vector<std::string> ReadLines(const std::filesystem::path& file);
// The export of an example's input, as UTF-8 lines, starting from no lines.
std::vector<std::string> ExportExample(const std::string& name, std::vector<std::string>* messages);

} // namespace kbtest
