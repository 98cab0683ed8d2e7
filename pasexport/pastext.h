// Text handling of the Pascal export: statement cleaning when sequences merge,
// splitting the program into editor lines, and the indentation pass.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace kb::pas {

// Readies a statement text for the next one to follow it: every run of line
// breaks collapses to one, a final line break goes, and a ";" ends it.
// `cleanUpTo` is the length of a prefix already in that form (0 when unknown);
// it lets a growing sequence be cleaned in time proportional to what was added.
void CleanStatement(std::string& text, size_t& cleanUpTo);

// True when the text's first word is `first` and its last word is `last`,
// letter case ignored: the whole head of a for loop ("for", "do") or of a
// case statement ("case", "of") that the unit import writes into a decision.
bool IsHead(std::string_view text, std::string_view first, std::string_view last);

// Lines at CR LF, and at a lone CR or LF as well.
std::vector<std::string> SplitLines(std::string_view text);

// Pass 8: drops blank lines and indents by two spaces per open begin/repeat.
void Indent(std::vector<std::string>& lines);

} // namespace kb::pas
