// scan_tree FOLDER: scans every .pas and .pp file below FOLDER and converts
// every routine into its diagram bytes (what the plug-in would write), timing
// each file's scan and each routine's conversion. Prints one "key: value"
// line per figure.
#include "unitimport/routinediagram.h"
#include "unitimport/scanner.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <vector>

namespace fs = std::filesystem;
using namespace kb::unitimport;
using Clock = std::chrono::steady_clock;

namespace {

bool IsUnit(const fs::path& p)
{
    const std::string ext = p.extension().string();
    return ext == ".pas" || ext == ".pp";
}

std::string ReadAll(const fs::path& p)
{
    std::ifstream in(p, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

double Ms(Clock::duration d)
{
    return std::chrono::duration<double, std::milli>(d).count();
}

} // namespace

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: scan_tree FOLDER\n");
        return 2;
    }
    std::vector<fs::path> files;
    for (const auto& e : fs::recursive_directory_iterator(argv[1]))
        if (e.is_regular_file() && IsUnit(e.path())) files.push_back(e.path());
    std::sort(files.begin(), files.end());

    std::vector<double> routineMs;
    std::map<std::string, int> skipped;
    double slowestMs = 0;
    std::string slowest;
    size_t bytes = 0;
    const auto start = Clock::now();
    for (const fs::path& file : files) {
        const std::string source = ReadAll(file);
        bytes += source.size();
        const TUnit unit = ScanText(source);
        for (const TRoutine& r : unit.Routines) {
            const auto t0 = Clock::now();
            kb::TShem shem;
            const TSkipReason why = BuildRoutineDiagram(r, shem);
            if (why == TSkipReason::None) (void)shem.SaveToBytes();
            const double ms = Ms(Clock::now() - t0);
            routineMs.push_back(ms);
            if (why != TSkipReason::None) ++skipped[std::string(SkipReasonText(why))];
            if (ms > slowestMs) {
                slowestMs = ms;
                slowest = file.string() + ": " + r.Header.substr(0, 60);
            }
        }
    }
    const double totalMs = Ms(Clock::now() - start);

    std::vector<double> sorted = routineMs;
    std::sort(sorted.begin(), sorted.end());
    auto quantile = [&](double q) {
        return sorted.empty() ? 0.0 : sorted[size_t(q * double(sorted.size() - 1))];
    };
    int skippedTotal = 0;
    for (const auto& [why, n] : skipped)
        skippedTotal += n;
    std::printf("files: %zu\n", files.size());
    std::printf("bytes: %zu\n", bytes);
    std::printf("routines: %zu\n", routineMs.size());
    std::printf("skipped: %d\n", skippedTotal);
    for (const auto& [why, n] : skipped)
        std::printf("skipped because %s: %d\n", why.c_str(), n);
    std::printf("total_s: %.2f\n", totalMs / 1000);
    std::printf("median_routine_ms: %.4f\n", quantile(0.5));
    std::printf("p99_routine_ms: %.4f\n", quantile(0.99));
    std::printf("slowest_routine_ms: %.2f (%s)\n", slowestMs, slowest.c_str());
    return 0;
}
