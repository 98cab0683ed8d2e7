// Helpers shared by the unit import tests.
#pragma once

#include "unitimport/scanner.h"

#include <cstdint>
#include <filesystem>
#include <span>
#include <string>
#include <vector>

namespace kbtest {

// A fresh folder under the system's temporary folder, removed afterwards.
class TTempDir
{
public:
    TTempDir();
    ~TTempDir();
    TTempDir(const TTempDir&) = delete;
    TTempDir& operator=(const TTempDir&) = delete;
    const std::filesystem::path& Path() const { return m_path; }
    std::string Str() const { return m_path.string(); }

private:
    std::filesystem::path m_path;
};

std::string ReadBytes(const std::filesystem::path& p);
void WriteBytes(const std::filesystem::path& p, std::string_view bytes);

// Source text written with "\n" for readability, as a unit with CR LF.
std::string Crlf(std::string_view text);

// A diagram file's records in file order (not sorted as the loader sorts
// them), one line each:
//   "3 block kind=0 rect=10,40,90,60 text=x := 1"
//   "4 link style=1 A=2@32767,65535 B=0@32767,0"
std::vector<std::string> DumpBls(std::span<const uint8_t> bytes);
std::vector<std::string> DumpBlsFile(const std::filesystem::path& p);

// The lines of a unit's implementation section.
kb::unitimport::TLines LinesOf(std::string_view source);

} // namespace kbtest
