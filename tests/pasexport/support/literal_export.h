// A literal, slow rendering of the export's passes, the yardstick the export
// is compared with on generated diagrams.
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <vector>

namespace kbtest {

std::vector<std::string> LiteralExport(std::span<const uint8_t> diagram,
                                       std::vector<std::string>& lines);

} // namespace kbtest
