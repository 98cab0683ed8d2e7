// pascal: the export's text on stdout, its messages on stderr.
#include "model/cp1251.h"
#include "pasexport/expunit.h"
#include "tools/blstool/commands.h"
#include "tools/blstool/diagramio.h"

#include <cstdio>

namespace blstool {

int RunPascal(const TArgs& args)
{
    if (args.size() != 1) {
        Fail("usage: blstool pascal FILE.bls");
        return Usage;
    }
    // The file is read a piece at a time and handed to the export as the
    // writer stores it: no copy of a large or hostile file is kept whole.
    kb::TShem shem;
    kb::TLoadReport report;
    try {
        shem.LoadFromFile(args[0], &report);
    } catch (const kb::TFileError& e) {
        Fail(e.what());
        return Usage;
    }
    if (report.Refusal != kb::TLoadRefusal::None) {
        Fail(args[0] + " is refused: " + report.RefusalText());
        return InvalidInput;
    }
    // Data that is not a diagram still runs the export, on an empty diagram.
    const std::vector<uint8_t> data = report.HeaderOk ? shem.SaveToBytes() : std::vector<uint8_t>();
    std::vector<std::string> lines;
    const std::vector<std::string> messages = kb::ExportPascal(data, lines);
    for (const std::string& m : messages)
        std::fprintf(stderr, "error: %s\n", m.c_str());
    for (const std::string& line : lines)
        std::printf("%s\n", kb::Cp1251ToUtf8(line).c_str());
    return messages.empty() ? Ok : InvalidInput;
}

} // namespace blstool
