#include "unitimport/routinefile.h"

#include "model/atomicfile.h"
#include "model/cp1251.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fstream>

namespace kb::unitimport {

std::string RoutineName(std::string_view header)
{
    // "class operator TFoo.+(...)": the keyword is the second word.
    if (header.size() > 6 && header.substr(0, 6) == "class ") header.remove_prefix(6);
    const size_t space = header.find(' ');
    std::string_view name =
        space == std::string_view::npos ? std::string_view{} : header.substr(space + 1);
    // The name ends at "(", ";" or a ":" that is no ":=" (an operator's name).
    size_t end = 0;
    while (end < name.size() && name[end] != '(' && name[end] != ';' &&
           !(name[end] == ':' && (end + 1 >= name.size() || name[end + 1] != '=')))
        ++end;
    // "function ceil (x : float)" names "ceil", not "ceil ".
    return std::string(Trim(name.substr(0, end)));
}

namespace {

bool Forbidden(unsigned char c)
{
    return c < 32 || c == 127 || std::strchr("<>:\"/\\|?*", c);
}

// File names hold at most 255 bytes; room is left for "~N.bls".
constexpr size_t kMaxStemBytes = 200;

void CutAtCharBoundary(std::string& utf8, size_t max)
{
    if (utf8.size() <= max) return;
    size_t cut = max;
    while (cut > 0 && (static_cast<unsigned char>(utf8[cut]) & 0xC0) == 0x80)
        --cut;
    utf8.resize(cut);
}

std::string AsciiLower(std::string s)
{
    for (char& c : s)
        if (c >= 'A' && c <= 'Z') c = char(c - 'A' + 'a');
    return s;
}

} // namespace

std::string FileStem(std::string_view name)
{
    std::string safe(name);
    for (char& c : safe)
        if (Forbidden(static_cast<unsigned char>(c))) c = '_';
    std::string stem = Cp1251ToUtf8(safe);
    CutAtCharBoundary(stem, kMaxStemBytes);
    return stem.empty() ? "_" : stem;
}

TRoutineWriter::TRoutineWriter(std::string folder) : m_folder(std::move(folder))
{
    if (!m_folder.empty() && m_folder.back() != '/')
#ifdef _WIN32
        if (m_folder.back() != '\\')
#endif
            m_folder += '/';
}

TRoutineWriter::~TRoutineWriter()
{
    Sync();
}

bool TRoutineWriter::Sync(std::string* error)
{
    if (!m_unsynced) return true;
    m_unsynced = false;
    return SyncFolder(m_folder.empty() ? "." : m_folder, error);
}

std::string TRoutineWriter::ClaimPath(const std::string& stem)
{
    // Case is ignored because Pascal ignores it: "Max" and "max" name one
    // routine, and on some file systems one file.
    std::string candidate = stem;
    for (int n = 2; !m_claimed.insert(AsciiLower(candidate)).second; ++n)
        candidate = stem + "~" + std::to_string(n);
    return m_folder + candidate + ".bls";
}

TWriteResult TRoutineWriter::Write(const TRoutine& routine)
{
    TShem shem;
    if (const TSkipReason why = BuildRoutineDiagram(routine, shem); why != TSkipReason::None)
        return {TWriteResult::Skipped, {}, std::string(SkipReasonText(why))};

    const std::string path = ClaimPath(FileStem(RoutineName(routine.Header)));
    std::vector<uint8_t> bytes;
    if (!shem.SaveToStream(bytes))
        return {TWriteResult::Failed, path,
                "cannot write " + path + ": " + SaveRefusalText(shem.Count())};
    // The file replaces one left by an earlier run only once it is complete;
    // the data reaches the disk with the rest of the batch (Sync).
    const TWriteStatus status = WriteFileAtomically(path, bytes, TSync::Batch);
    if (!status.Ok()) return {TWriteResult::Failed, path, status.Error};
    m_unsynced = true;
    return {TWriteResult::Written, path, {}};
}

} // namespace kb::unitimport
