// routines: the routine headers of a Pascal unit, in the scanner's order.
#include "model/cp1251.h"
#include "tools/blstool/commands.h"
#include "tools/blstool/diagramio.h"
#include "unitimport/scanner.h"

#include <cstdio>

namespace blstool {

int RunRoutines(const TArgs& args)
{
    if (args.size() != 1 || StartsWith(args.front(), "-")) {
        Fail("usage: blstool routines UNIT.pas");
        return Usage;
    }
    std::vector<uint8_t> source;
    if (!ReadFile(args.front(), source)) return InvalidInput;
    const auto unit = kb::unitimport::ScanText(
        std::string_view(reinterpret_cast<const char*>(source.data()), source.size()));
    for (const auto& r : unit.Routines)
        std::printf("%s\n", kb::Cp1251ToUtf8(r.Header).c_str());
    return Ok;
}

} // namespace blstool
