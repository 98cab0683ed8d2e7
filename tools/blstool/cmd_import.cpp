// import: arrives with its subsystem.
#include "tools/blstool/commands.h"
#include "tools/blstool/diagramio.h"

namespace blstool {

int RunImport(const QStringList& args)
{
    (void)args;
    Fail(QStringLiteral("import is not available in this build"));
    return Usage;
}

} // namespace blstool
