// blstool: the command-line companion of the Kestrabin editor. It links the
// same model as the editor, so what it reads and writes is what the editor would.
#include "tools/blstool/commands.h"

#include <QCoreApplication>
#include <QGuiApplication>

#include <cstdio>
#include <cstring>
#include <memory>
#include <new>

namespace {

const char kUsage[] =
    "usage: blstool COMMAND ...\n"
    "  info FILE.bls [--json]         list the entries in list order\n"
    "  resave IN.bls OUT.bls          load and write again, in sorted order\n"
    "  check FILE.bls                 report whether the file loads cleanly\n"
    "  render FILE.bls -o OUT [--scale N]\n"
    "                                 draw the diagram as for print (.png .bmp .svg .pdf)\n"
    "  pascal FILE.bls                export the diagram as a Pascal routine\n"
    "  routines UNIT.pas              list the routines of a Pascal unit\n"
    "  import UNIT.pas -o DIR [--routine N]...\n"
    "                                 convert routines of a unit into diagrams\n";

struct Command
{
    const char* name;
    int (*run)(const QStringList&);
};

const Command kCommands[] = {
    {"info", blstool::RunInfo},     {"resave", blstool::RunResave},
    {"check", blstool::RunCheck},   {"render", blstool::RunRender},
    {"pascal", blstool::RunPascal}, {"routines", blstool::RunRoutines},
    {"import", blstool::RunImport},
};

// render lays out text, which needs the GUI font system; the offscreen
// platform spares it a display.
std::unique_ptr<QCoreApplication> MakeApplication(int& argc, char** argv)
{
    if (argc > 1 && std::strcmp(argv[1], "render") == 0) {
        if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
        return std::make_unique<QGuiApplication>(argc, argv);
    }
    return std::make_unique<QCoreApplication>(argc, argv);
}

} // namespace

int main(int argc, char** argv)
{
    const auto app = MakeApplication(argc, argv);
    QCoreApplication::setApplicationName("blstool");
    QStringList args = QCoreApplication::arguments();
    args.removeFirst();
    if (args.isEmpty() || args.first() == "--help" || args.first() == "-h") {
        std::fputs(kUsage, args.isEmpty() ? stderr : stdout);
        return args.isEmpty() ? blstool::Usage : blstool::Ok;
    }
    const QString name = args.takeFirst();
    for (const Command& c : kCommands)
        if (name == QLatin1String(c.name)) {
            // Running out of memory anywhere in loading, importing or
            // exporting ends the command with a message, not an abort.
            try {
                return c.run(args);
            } catch (const std::bad_alloc&) {
                std::fputs("blstool: not enough memory to finish the command\n", stderr);
                return blstool::InvalidInput;
            }
        }
    std::fprintf(stderr, "blstool: unknown command '%s'\n%s", name.toLocal8Bit().constData(),
                 kUsage);
    return blstool::Usage;
}
