// scan_tree FOLDER [--export]: scans every .pas and .pp file below FOLDER and
// converts every routine into its diagram bytes (what the plug-in would
// write), timing each file's scan and each routine's conversion. With
// --export each diagram also goes through the Pascal export (untimed), which
// counts the routines that come back without a message. Prints one
// "key: value" line per figure, the last a digest of every diagram's bytes,
// so that a change meant to keep the import's output can be checked over
// the whole tree.
#include "pasexport/expunit.h"
#include "unitimport/routinediagram.h"
#include "unitimport/scanner.h"

#include <algorithm>
#include <chrono>
#include <cstdint>
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

// FNV-1a, 64 bits: enough to tell two runs' outputs apart.
void Digest(uint64_t& h, const std::vector<uint8_t>& bytes)
{
    for (const uint8_t b : bytes)
        h = (h ^ b) * 1099511628211ull;
}

double Ms(Clock::duration d)
{
    return std::chrono::duration<double, std::milli>(d).count();
}

} // namespace

int main(int argc, char** argv)
{
    const bool exportBack = argc == 3 && std::string(argv[2]) == "--export";
    if (argc != 2 && !exportBack) {
        std::fprintf(stderr, "usage: scan_tree FOLDER [--export]\n");
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
    size_t exportedClean = 0;
    std::map<std::string, int> exportFirstMessage;
    Clock::duration exportTime{};
    uint64_t digest = 14695981039346656037ull;
    const auto start = Clock::now();
    for (const fs::path& file : files) {
        const std::string source = ReadAll(file);
        bytes += source.size();
        const TUnit unit = ScanText(source);
        for (const TRoutine& r : unit.Routines) {
            const auto t0 = Clock::now();
            kb::TShem shem;
            const TSkipReason why = BuildRoutineDiagram(r, shem);
            std::vector<uint8_t> diagram;
            if (why == TSkipReason::None) diagram = shem.SaveToBytes();
            const double ms = Ms(Clock::now() - t0);
            Digest(digest, diagram);
            if (exportBack && why == TSkipReason::None) {
                const auto e0 = Clock::now();
                std::vector<std::string> pascal;
                const auto messages = kb::ExportPascal(diagram, pascal);
                if (messages.empty())
                    ++exportedClean;
                else
                    ++exportFirstMessage[messages.front()];
                exportTime += Clock::now() - e0;
            }
            routineMs.push_back(ms);
            if (why != TSkipReason::None) ++skipped[std::string(SkipReasonText(why))];
            if (ms > slowestMs) {
                slowestMs = ms;
                slowest = file.string() + ": " + r.Header.substr(0, 60);
            }
        }
    }
    const double totalMs = Ms(Clock::now() - start - exportTime);

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
    if (exportBack) {
        std::printf("exported_clean: %zu\n", exportedClean);
        std::printf("export_total_s: %.2f\n", Ms(exportTime) / 1000);
        for (const auto& [message, n] : exportFirstMessage)
            std::printf("export first message %s: %d\n", message.c_str(), n);
    }
    std::printf("diagrams_fnv1a: %016llx\n", static_cast<unsigned long long>(digest));
    return 0;
}
