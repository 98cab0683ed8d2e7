// What the plug-in does with the routines chosen in its dialog: each chosen
// header names the first routine with that header, which is written into
// the output folder.
#pragma once

#include "unitimport/scanner.h"

#include <string>
#include <vector>

namespace kb::vellucor {

struct TImportRun
{
    std::vector<std::string> Written;  // UTF-8 paths, in writing order
    std::vector<std::string> Problems; // one sentence per routine not written
};

// Converts the routines named by `headers` (Windows-1251 bytes, in the order
// given) into `folder` (UTF-8, created with missing parents when absent).
TImportRun ImportRoutines(const unitimport::TUnit& unit, const std::vector<std::string>& headers,
                          const std::string& folder);

} // namespace kb::vellucor
