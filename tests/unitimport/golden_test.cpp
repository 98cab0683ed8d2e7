// Golden cases: every folder under golden/ holds a unit.pas and what the
// import must make of it:
//   lines.txt     the scanner's lines, one a row (optional)
//   routines.txt  the routine headers, one a row (optional)
//   files/*.txt   for each diagram file written, its records (see DumpBls)
// Each case also runs with the unit's line breaks turned into lone LFs,
// which must give the same result. KB_UPDATE_GOLDEN=1 rewrites the
// expected files from what the import produces, for review.
#include "tests/unitimport/support.h"
#include "unitimport/routinefile.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <fstream>

using namespace kb::unitimport;
namespace fs = std::filesystem;

namespace {

const fs::path kGolden = fs::path(KB_SOURCE_DIR) / "tests/unitimport/golden";

std::vector<std::string> CaseNames()
{
    std::vector<std::string> names;
    for (const auto& e : fs::directory_iterator(kGolden))
        if (e.is_directory()) names.push_back(e.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

bool Updating()
{
    return std::getenv("KB_UPDATE_GOLDEN") != nullptr;
}

std::vector<std::string> ReadRows(const fs::path& p)
{
    std::vector<std::string> rows;
    std::ifstream in(p, std::ios::binary);
    for (std::string row; std::getline(in, row);)
        rows.push_back(row);
    return rows;
}

void WriteRows(const fs::path& p, const std::vector<std::string>& rows)
{
    fs::create_directories(p.parent_path());
    std::ofstream out(p, std::ios::binary);
    for (const std::string& row : rows)
        out << row << '\n';
}

std::string LoneLf(const std::string& crlf)
{
    std::string out;
    for (size_t i = 0; i < crlf.size(); ++i)
        if (!(crlf[i] == '\r' && i + 1 < crlf.size() && crlf[i + 1] == '\n')) out += crlf[i];
    return out;
}

// The written files of a unit: file name -> records.
std::map<std::string, std::vector<std::string>> Import(const TUnit& unit)
{
    kbtest::TTempDir dir;
    TRoutineWriter writer(dir.Str());
    for (const TRoutine& r : unit.Routines)
        writer.Write(r);
    std::map<std::string, std::vector<std::string>> files;
    for (const auto& e : fs::directory_iterator(dir.Path()))
        files[e.path().filename().string()] = kbtest::DumpBlsFile(e.path());
    return files;
}

std::map<std::string, std::vector<std::string>> ExpectedFiles(const fs::path& folder)
{
    std::map<std::string, std::vector<std::string>> files;
    if (fs::exists(folder / "files"))
        for (const auto& e : fs::directory_iterator(folder / "files"))
            files[e.path().stem().string()] = ReadRows(e.path());
    return files;
}

void CheckRows(const fs::path& p, const std::vector<std::string>& actual)
{
    if (Updating()) {
        WriteRows(p, actual);
    } else if (fs::exists(p)) {
        EXPECT_EQ(actual, ReadRows(p)) << p;
    }
}

class GoldenTest : public testing::TestWithParam<std::string>
{
};

TEST_P(GoldenTest, ImportMatches)
{
    const fs::path folder = kGolden / GetParam();
    const std::string source = kbtest::ReadBytes(folder / "unit.pas");
    const TUnit unit = ScanText(source);

    CheckRows(folder / "lines.txt", unit.Lines);
    std::vector<std::string> headers;
    for (const TRoutine& r : unit.Routines)
        headers.push_back(r.Header);
    CheckRows(folder / "routines.txt", headers);

    const auto files = Import(unit);
    if (Updating()) {
        fs::remove_all(folder / "files");
        for (const auto& [name, rows] : files)
            WriteRows(folder / "files" / (name + ".txt"), rows);
    } else {
        EXPECT_EQ(files, ExpectedFiles(folder));
    }

    const TUnit twin = ScanText(LoneLf(source));
    EXPECT_EQ(twin.Lines, unit.Lines);
    EXPECT_EQ(Import(twin), files);
}

INSTANTIATE_TEST_SUITE_P(Golden, GoldenTest, testing::ValuesIn(CaseNames()),
                         [](const auto& info) { return info.param; });

} // namespace
