#include "unitimport/vellucor/importrun.h"

#include "model/cp1251.h"
#include "unitimport/routinefile.h"

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <random>

namespace kb::vellucor {

TImportRun ImportRoutines(const unitimport::TUnit& unit, const std::vector<std::string>& headers,
                          const std::string& folder, const TProgress& progress)
{
    // A folder that cannot be made shows up below as files that cannot be created.
    std::error_code ignored;
    std::filesystem::create_directories(std::filesystem::u8path(folder), ignored);

    TImportRun run;
    unitimport::TRoutineWriter writer(folder);
    for (size_t i = 0; i < headers.size(); ++i) {
        if (progress && !progress(i, headers.size())) {
            run.Cancelled = true;
            return run;
        }
        const std::string& header = headers[i];
        const auto routine =
            std::find_if(unit.Routines.begin(), unit.Routines.end(),
                         [&](const unitimport::TRoutine& r) { return r.Header == header; });
        if (routine == unit.Routines.end()) continue;
        const unitimport::TWriteResult result = writer.Write(*routine);
        if (result.Outcome == unitimport::TWriteResult::Written) {
            run.Written.push_back(result.Path);
            if (routine->LostDirectives) run.LostDirectives.push_back(Cp1251ToUtf8(header));
        } else if (result.Outcome == unitimport::TWriteResult::Skipped) {
            run.Problems.push_back(Cp1251ToUtf8(header) + ": skipped, " + result.Message);
        } else {
            run.Problems.push_back(Cp1251ToUtf8(header) + ": " + result.Message);
        }
    }
    if (progress) progress(headers.size(), headers.size());
    return run;
}

std::string CheckFolderWritable(const std::string& folder)
{
    namespace fs = std::filesystem;
    const fs::path dir = fs::u8path(folder);
    std::error_code error;
    fs::create_directories(dir, error);
    if (!fs::is_directory(dir, error))
        return "The folder " + folder + " cannot be created" +
               (error ? ": " + error.message() + "." : std::string("."));
    // Only creating a file shows for certain that files can be created.
    std::random_device random;
    const fs::path probe = dir / (".vellucor-" + std::to_string(random()) + ".tmp");
    std::ofstream(probe, std::ios::binary).put('\0');
    const bool made = fs::exists(probe, error);
    fs::remove(probe, error);
    if (!made) return "Files cannot be written into the folder " + folder + ".";
    return {};
}

} // namespace kb::vellucor
