// import: routines of a Pascal unit written as diagram files, as the
// Vellucor plug-in writes them.
#include "model/cp1251.h"
#include "tools/blstool/commands.h"
#include "tools/blstool/diagramio.h"
#include "unitimport/routinefile.h"

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <set>
#ifdef _WIN32
#include <io.h>
#define KB_IS_TERMINAL(stream) (_isatty(_fileno(stream)) != 0)
#else
#include <unistd.h>
#define KB_IS_TERMINAL(stream) (isatty(fileno(stream)) != 0)
#endif

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

// "import: 120 of 9076 routines" on one line of stderr, rewritten in place
// at most ten times a second, and only when stderr is a terminal: a log or
// a pipe gets the messages alone. Erased before any other line is printed
// on the terminal, and at the end.
class TProgressLine
{
public:
    void Show(int done, int total)
    {
        if (!m_on) return;
        const auto now = std::chrono::steady_clock::now();
        if (m_shown && now - m_last < std::chrono::milliseconds(100)) return;
        m_last = now;
        m_shown = true;
        std::fprintf(stderr, "\rimport: %d of %d routines", done, total);
        std::fflush(stderr);
    }
    // Before a line goes to stdout (toStdout) or stderr.
    void BeforeLine(bool toStdout)
    {
        if (!toStdout || m_stdoutTerminal) Erase();
    }
    void Erase()
    {
        if (!m_shown) return;
        std::fprintf(stderr, "\r\033[K");
        std::fflush(stderr);
        m_shown = false;
    }

private:
    bool m_on = KB_IS_TERMINAL(stderr);
    bool m_stdoutTerminal = KB_IS_TERMINAL(stdout);
    bool m_shown = false;
    std::chrono::steady_clock::time_point m_last;
};

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
    TProgressLine progress;
    for (int i = 0; i < count; ++i) {
        if (!a.Routines.empty() && !a.Routines.count(i + 1)) continue;
        progress.Show(i, count);
        const auto& routine = unit.Routines[size_t(i)];
        const auto written = writer.Write(routine);
        progress.BeforeLine(written.Outcome == kb::unitimport::TWriteResult::Written &&
                            !routine.LostDirectives);
        switch (written.Outcome) {
        case kb::unitimport::TWriteResult::Written:
            std::printf("%s\n", written.Path.c_str());
            if (routine.LostDirectives)
                Fail("warning: routine " + std::to_string(i + 1) + " (" +
                     kb::Cp1251ToUtf8(routine.Header) +
                     ") lost its compiler directives, dropped like comments");
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
    progress.Erase();
    return result;
}

} // namespace blstool
