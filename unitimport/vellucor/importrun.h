// What the plug-in does with the routines chosen in its dialog: each chosen
// header names the first routine with that header, which is written into
// the output folder.
#pragma once

#include "unitimport/scanner.h"

#include <functional>
#include <string>
#include <vector>

namespace kb::vellucor {

struct TImportRun
{
    std::vector<std::string> Written;        // UTF-8 paths, in writing order
    std::vector<std::string> Problems;       // one sentence per routine not written
    std::vector<std::string> LostDirectives; // UTF-8 headers of written routines
    bool Cancelled = false;
};

// Told how many of the routines are done before each one and at the end;
// answers false to stop before the next routine. A routine once started is
// written whole, so a stop never leaves a half-written file.
using TProgress = std::function<bool(size_t done, size_t total)>;

// Converts the routines named by `headers` (Windows-1251 bytes, in the order
// given) into `folder` (UTF-8, created with missing parents when absent).
TImportRun ImportRoutines(const unitimport::TUnit& unit, const std::vector<std::string>& headers,
                          const std::string& folder, const TProgress& progress = {});

// Empty when files can be created in `folder` (made with its missing
// parents first); otherwise why not, in a sentence for the user.
std::string CheckFolderWritable(const std::string& folder);

} // namespace kb::vellucor
