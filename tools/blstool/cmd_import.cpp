// import: routines of a Pascal unit written as diagram files, as the
// Vellucor plug-in writes them.
#include "model/cp1251.h"
#include "tools/blstool/commands.h"
#include "tools/blstool/diagramio.h"
#include "unitimport/routinefile.h"

#include <cstdio>
#include <filesystem>
#include <set>

namespace blstool {
namespace {

struct ImportArgs
{
    std::string Unit;
    std::string Folder;
    std::set<int> Routines; // 1-based; empty means all
};

bool ParseImportArgs(const TArgs& args, ImportArgs& out)
{
    for (size_t i = 0; i < args.size(); ++i) {
        const std::string& a = args[i];
        const bool hasValue = i + 1 < args.size();
        if (a == "-o" && hasValue) {
            out.Folder = args[++i];
        } else if (a == "--routine" && hasValue) {
            const std::optional<int> n = ParseInt(args[++i]);
            if (!n || *n < 1) {
                Fail("--routine takes a routine number from 1 up, not '" + args[i] + "'");
                return false;
            }
            out.Routines.insert(*n);
        } else if (!StartsWith(a, "-") && out.Unit.empty()) {
            out.Unit = a;
        } else {
            Fail("unexpected argument '" + a + "'");
            return false;
        }
    }
    if (out.Unit.empty() || out.Folder.empty()) {
        Fail("usage: blstool import UNIT.pas -o DIR [--routine N]...");
        return false;
    }
    return true;
}

// Creates the folder and its parents; true when it is there as a folder.
bool MakeFolder(const std::string& path)
{
    std::error_code error;
    std::filesystem::create_directories(path, error);
    return std::filesystem::is_directory(path, error);
}

} // namespace

int RunImport(const TArgs& args)
{
    ImportArgs a;
    if (!ParseImportArgs(args, a)) return Usage;
    std::vector<uint8_t> source;
    if (!ReadFile(a.Unit, source)) return InvalidInput;
    const auto unit = kb::unitimport::ScanText(
        std::string_view(reinterpret_cast<const char*>(source.data()), source.size()));
    const int count = int(unit.Routines.size());
    if (!a.Routines.empty() && *a.Routines.rbegin() > count) {
        Fail(a.Unit + " has " + std::to_string(count) + " routine(s); there is no routine " +
             std::to_string(*a.Routines.rbegin()));
        return Usage;
    }
    if (!MakeFolder(a.Folder)) {
        Fail("cannot create the folder " + a.Folder);
        return InvalidInput;
    }

    kb::unitimport::TRoutineWriter writer(a.Folder);
    int result = Ok;
    for (int i = 0; i < count; ++i) {
        if (!a.Routines.empty() && !a.Routines.count(i + 1)) continue;
        const auto& routine = unit.Routines[size_t(i)];
        const auto written = writer.Write(routine);
        switch (written.Outcome) {
        case kb::unitimport::TWriteResult::Written:
            std::printf("%s\n", written.Path.c_str());
            break;
        case kb::unitimport::TWriteResult::Skipped:
            Fail("skipped routine " + std::to_string(i + 1) + " (" +
                 kb::Cp1251ToUtf8(routine.Header) + "): " + written.Message);
            break;
        case kb::unitimport::TWriteResult::Failed:
            Fail(written.Message);
            result = InvalidInput;
            break;
        }
    }
    return result;
}

} // namespace blstool
