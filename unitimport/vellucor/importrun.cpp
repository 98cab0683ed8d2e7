#include "unitimport/vellucor/importrun.h"

#include "model/cp1251.h"
#include "unitimport/routinefile.h"

#include <algorithm>
#include <filesystem>

namespace kb::vellucor {

TImportRun ImportRoutines(const unitimport::TUnit& unit, const std::vector<std::string>& headers,
                          const std::string& folder)
{
    // A folder that cannot be made shows up below as files that cannot be created.
    std::error_code ignored;
    std::filesystem::create_directories(std::filesystem::u8path(folder), ignored);

    TImportRun run;
    unitimport::TRoutineWriter writer(folder);
    for (const std::string& header : headers) {
        const auto routine =
            std::find_if(unit.Routines.begin(), unit.Routines.end(),
                         [&](const unitimport::TRoutine& r) { return r.Header == header; });
        if (routine == unit.Routines.end()) continue;
        const unitimport::TWriteResult result = writer.Write(*routine);
        if (result.Outcome == unitimport::TWriteResult::Written)
            run.Written.push_back(result.Path);
        else if (result.Outcome == unitimport::TWriteResult::Skipped)
            run.Problems.push_back(Cp1251ToUtf8(header) + ": skipped, " + result.Message);
        else
            run.Problems.push_back(Cp1251ToUtf8(header) + ": " + result.Message);
    }
    return run;
}

} // namespace kb::vellucor
