// blstool's commands. Each takes the arguments after its name and returns the
// process exit code: 0 success, 1 invalid input, 2 wrong usage.
#pragma once

#include "tools/blstool/arguments.h"

namespace blstool {

enum ExitCode { Ok = 0, InvalidInput = 1, Usage = 2 };

int RunInfo(const TArgs& args);
int RunResave(const TArgs& args);
int RunCheck(const TArgs& args);
int RunPascal(const TArgs& args);
int RunRoutines(const TArgs& args);
int RunImport(const TArgs& args);

} // namespace blstool
