// pascal: the export's text on stdout, its messages on stderr.
#include "model/cp1251.h"
#include "pasexport/expunit.h"
#include "tools/blstool/commands.h"
#include "tools/blstool/diagramio.h"

#include <cstdio>

namespace blstool {

int RunPascal(const QStringList& args)
{
    if (args.size() != 1) {
        Fail(QStringLiteral("usage: blstool pascal FILE.bls"));
        return Usage;
    }
    std::vector<uint8_t> data;
    if (!ReadFile(args[0], data)) return Usage;
    // Data the reader refuses still runs the export, on an empty diagram.
    std::vector<std::string> lines;
    const std::vector<std::string> messages = kb::ExportPascal(data, lines);
    for (const std::string& m : messages)
        std::fprintf(stderr, "error: %s\n", m.c_str());
    for (const std::string& line : lines)
        std::printf("%s\n", kb::Cp1251ToUtf8(line).c_str());
    return messages.empty() ? Ok : InvalidInput;
}

} // namespace blstool
