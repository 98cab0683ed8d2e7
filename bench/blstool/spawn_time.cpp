// spawn_time RUNS COMMAND ARGS...: runs the command RUNS times, one after
// another, its output thrown away, and prints the median and mean CPU time
// (user + system, from the kernel's accounting of each child) and wall time
// per run. Every run must exit 0.
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fcntl.h>
#include <numeric>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <vector>

extern char** environ;

namespace {

double Ms(const timeval& t)
{
    return double(t.tv_sec) * 1e3 + double(t.tv_usec) / 1e3;
}

double Median(std::vector<double> v)
{
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}

double Mean(const std::vector<double>& v)
{
    return std::accumulate(v.begin(), v.end(), 0.0) / double(v.size());
}

} // namespace

int main(int argc, char** argv)
{
    if (argc < 3) {
        std::fputs("usage: spawn_time RUNS COMMAND ARGS...\n", stderr);
        return 2;
    }
    const int runs = std::atoi(argv[1]);
    posix_spawn_file_actions_t quiet;
    posix_spawn_file_actions_init(&quiet);
    posix_spawn_file_actions_addopen(&quiet, 1, "/dev/null", O_WRONLY, 0);
    posix_spawn_file_actions_addopen(&quiet, 2, "/dev/null", O_WRONLY, 0);
    std::vector<double> cpu, wall;
    for (int i = 0; i < runs; ++i) {
        const auto start = std::chrono::steady_clock::now();
        pid_t pid = 0;
        if (posix_spawn(&pid, argv[2], &quiet, nullptr, argv + 2, environ) != 0) {
            std::perror(argv[2]);
            return 1;
        }
        int status = 0;
        rusage usage{};
        wait4(pid, &status, 0, &usage);
        wall.push_back(
            std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start)
                .count());
        cpu.push_back(Ms(usage.ru_utime) + Ms(usage.ru_stime));
        if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) {
            std::fprintf(stderr, "run %d failed (status %d)\n", i + 1, status);
            return 1;
        }
    }
    std::printf("runs: %d\ncpu median: %.3f ms\ncpu mean: %.3f ms\nwall median: %.3f ms\n"
                "wall mean: %.3f ms\n",
                runs, Median(cpu), Mean(cpu), Median(wall), Mean(wall));
    return 0;
}
