// blstool's commands. Each takes the arguments after its name and returns the
// process exit code: 0 success, 1 invalid input, 2 wrong usage.
#pragma once

#include <QStringList>

namespace blstool {

enum ExitCode { Ok = 0, InvalidInput = 1, Usage = 2 };

int RunInfo(const QStringList& args);
int RunResave(const QStringList& args);
int RunCheck(const QStringList& args);
int RunRender(const QStringList& args);
int RunPascal(const QStringList& args);
int RunRoutines(const QStringList& args);
int RunImport(const QStringList& args);

} // namespace blstool
