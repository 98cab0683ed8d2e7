// import: routines of a Pascal unit written as diagram files, as the
// Vellucor plug-in writes them.
#include "model/cp1251.h"
#include "tools/blstool/commands.h"
#include "tools/blstool/diagramio.h"
#include "unitimport/routinefile.h"

#include <QDir>

#include <chrono>
#include <cstdio>
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
    QString Unit;
    QString Folder;
    std::set<int> Routines; // 1-based; empty means all
};

bool ParseImportArgs(const QStringList& args, ImportArgs& out)
{
    for (int i = 0; i < args.size(); ++i) {
        const QString& a = args[i];
        const bool hasValue = i + 1 < args.size();
        if (a == QLatin1String("-o") && hasValue) {
            out.Folder = args[++i];
        } else if (a == QLatin1String("--routine") && hasValue) {
            bool ok = false;
            const int n = args[++i].toInt(&ok);
            if (!ok || n < 1) {
                Fail(QStringLiteral("--routine takes a routine number from 1 up, not '%1'")
                         .arg(args[i]));
                return false;
            }
            out.Routines.insert(n);
        } else if (!a.startsWith('-') && out.Unit.isEmpty()) {
            out.Unit = a;
        } else {
            Fail(QStringLiteral("unexpected argument '%1'").arg(a));
            return false;
        }
    }
    if (out.Unit.isEmpty() || out.Folder.isEmpty()) {
        Fail(QStringLiteral("usage: blstool import UNIT.pas -o DIR [--routine N]..."));
        return false;
    }
    return true;
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

int RunImport(const QStringList& args)
{
    ImportArgs a;
    if (!ParseImportArgs(args, a)) return Usage;
    std::vector<uint8_t> source;
    if (!ReadFile(a.Unit, source)) return InvalidInput;
    const auto unit = kb::unitimport::ScanText(
        std::string_view(reinterpret_cast<const char*>(source.data()), source.size()));
    const int count = int(unit.Routines.size());
    if (!a.Routines.empty() && *a.Routines.rbegin() > count) {
        Fail(QStringLiteral("%1 has %2 routine(s); there is no routine %3")
                 .arg(a.Unit)
                 .arg(count)
                 .arg(*a.Routines.rbegin()));
        return Usage;
    }
    if (!QDir().mkpath(a.Folder)) {
        Fail(QStringLiteral("cannot create the folder %1").arg(a.Folder));
        return InvalidInput;
    }

    kb::unitimport::TRoutineWriter writer(a.Folder.toStdString());
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
                Fail(QStringLiteral("warning: routine %1 (%2) lost its compiler directives, "
                                    "dropped like comments")
                         .arg(i + 1)
                         .arg(QString::fromStdString(kb::Cp1251ToUtf8(routine.Header))));
            break;
        case kb::unitimport::TWriteResult::Skipped:
            Fail(QStringLiteral("skipped routine %1 (%2): %3")
                     .arg(i + 1)
                     .arg(QString::fromStdString(kb::Cp1251ToUtf8(routine.Header)),
                          QString::fromStdString(written.Message)));
            break;
        case kb::unitimport::TWriteResult::Failed:
            Fail(QString::fromStdString(written.Message));
            result = InvalidInput;
            break;
        }
    }
    progress.Erase();
    return result;
}

} // namespace blstool
