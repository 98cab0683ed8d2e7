// pascal: arrives with its subsystem.
#include "tools/blstool/commands.h"
#include "tools/blstool/diagramio.h"

namespace blstool {

int RunPascal(const QStringList& args)
{
    (void)args;
    Fail(QStringLiteral("pascal is not available in this build"));
    return Usage;
}

} // namespace blstool
