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

// A shell word that stands for s as it is (s holds no single quote).
inline std::string Quote(const std::string& s)
{
    return "'" + s + "'";
}

// args are passed to the shell as they stand: quote them where needed. What
// blstool prints is caught in files in the folder `scratch`.
inline RunResult RunBlstool(const std::string& args, const std::string& scratch)
{
    const std::string outFile = scratch + "/stdout.txt", errFile = scratch + "/stderr.txt";
    const std::string cmd = Quote(std::string(KB_BIN_DIR) + "/blstool") + " " + args + " >" +
                            Quote(outFile) + " 2>" + Quote(errFile);
    const int status = std::system(cmd.c_str());
    RunResult r;
    r.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    r.out = Slurp(outFile);
    r.err = Slurp(errFile);
    return r;
}

// The same on a full disk: blstool's files cannot grow past about a
// kilobyte (the shell's file size limit, 1 block of 512 or 1024 bytes), and
// the signal that would end it is ignored, so its writes fail instead.
inline RunResult RunBlstoolOnFullDisk(const std::string& args, const std::string& scratch)
{
    const std::string outFile = scratch + "/stdout.txt", errFile = scratch + "/stderr.txt";
    const std::string cmd = "trap '' XFSZ; ulimit -f 1; " +
                            Quote(std::string(KB_BIN_DIR) + "/blstool") + " " + args + " >" +
                            Quote(outFile) + " 2>" + Quote(errFile);
    const int status = std::system(cmd.c_str());
    RunResult r;
    r.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    r.out = Slurp(outFile);
    r.err = Slurp(errFile);
    return r;
}

} // namespace kbtest
