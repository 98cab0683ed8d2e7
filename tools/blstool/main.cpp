// blstool: the command-line companion of the Kestrabin editor. It links the
// same model as the editor, so what it reads and writes is what the editor would.
//
// Run once per file over a whole source tree, its start-up is most of its
// cost: so this program links the plain C++ libraries only, and `render`,
// which draws with Qt, runs the picture writer blstool-render beside it.
#include "tools/blstool/commands.h"

#include "tools/blstool/diagramio.h"

#include <algorithm>
#include <cerrno>
#include <clocale>
#include <cstdio>
#include <cstring>
#include <new>
#include <string>
#include <unistd.h>

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
    int (*run)(const blstool::TArgs&);
};

const Command kCommands[] = {
    {"info", blstool::RunInfo},         {"resave", blstool::RunResave},
    {"check", blstool::RunCheck},       {"pascal", blstool::RunPascal},
    {"routines", blstool::RunRoutines}, {"import", blstool::RunImport},
};

// The folder this program lies in, its links resolved: the picture writer
// is installed beside it.
std::string ProgramFolder()
{
    std::string path(4096, '\0');
    const ssize_t n = ::readlink("/proc/self/exe", path.data(), path.size());
    if (n <= 0 || size_t(n) >= path.size()) return ".";
    path.resize(size_t(n));
    return path.substr(0, path.rfind('/'));
}

// Replaces this process with the picture writer, handing it the arguments
// after "render"; returns only when it cannot be started.
int RunRender(char** argv)
{
    const std::string writer = ProgramFolder() + "/blstool-render";
    argv[1] = const_cast<char*>(writer.c_str());
    ::execv(writer.c_str(), argv + 1);
    blstool::Fail("cannot start the picture writer " + writer + ": " + std::strerror(errno));
    return blstool::InvalidInput;
}

} // namespace

int main(int argc, char** argv)
{
    // System messages (the reasons a file cannot be written) in the user's language.
    std::setlocale(LC_ALL, "");
    if (argc > 1 && std::strcmp(argv[1], "render") == 0) return RunRender(argv);
    blstool::TArgs args(argv + std::min(argc, 1), argv + argc);
    if (args.empty() || args.front() == "--help" || args.front() == "-h") {
        std::fputs(kUsage, args.empty() ? stderr : stdout);
        return args.empty() ? blstool::Usage : blstool::Ok;
    }
    const std::string name = args.front();
    args.erase(args.begin());
    for (const Command& c : kCommands)
        if (name == c.name) {
            // Running out of memory anywhere in loading, importing or
            // exporting ends the command with a message, not an abort.
            try {
                return c.run(args);
            } catch (const std::bad_alloc&) {
                std::fputs("blstool: not enough memory to finish the command\n", stderr);
                return blstool::InvalidInput;
            }
        }
    std::fprintf(stderr, "blstool: unknown command '%s'\n%s", name.c_str(), kUsage);
    return blstool::Usage;
}
