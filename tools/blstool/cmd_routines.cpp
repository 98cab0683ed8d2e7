// routines: arrives with its subsystem.
#include "tools/blstool/commands.h"
#include "tools/blstool/diagramio.h"

namespace blstool {

int RunRoutines(const QStringList& args)
{
    (void)args;
    Fail(QStringLiteral("routines is not available in this build"));
    return Usage;
}

} // namespace blstool
