// Runs blstool as a separate process and captures what it prints.
#pragma once

#include <cstdio>
#include <fstream>
#include <sstream>
#include <string>
#include <sys/wait.h>

namespace kbtest {

struct RunResult
{
    int exitCode = -1;
    std::string out;
    std::string err;
};

inline std::string Slurp(const std::string& path)
{
    std::ifstream f(path, std::ios::binary);
    std::stringstream ss;
    ss << f.rdbuf();
    return ss.str();
}

// args are passed to the shell as they stand: quote them where needed.
inline RunResult RunBlstool(const std::string& args, const std::string& scratch)
{
    const std::string outFile = scratch + "/stdout.txt", errFile = scratch + "/stderr.txt";
    const std::string cmd =
        std::string(KB_BIN_DIR) + "/blstool " + args + " >" + outFile + " 2>" + errFile;
    const int status = std::system(cmd.c_str());
    RunResult r;
    r.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    r.out = Slurp(outFile);
    r.err = Slurp(errFile);
    return r;
}

} // namespace kbtest
