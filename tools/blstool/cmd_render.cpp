// render: arrives with its subsystem.
#include "tools/blstool/commands.h"
#include "tools/blstool/diagramio.h"

namespace blstool {

int RunRender(const QStringList& args)
{
    (void)args;
    Fail(QStringLiteral("render is not available in this build"));
    return Usage;
}

} // namespace blstool
