// Writing routines as diagram files into one folder: the file name comes
// from the header, and names that repeat within one run get "~2", "~3", ...
#pragma once

#include "unitimport/routinediagram.h"

#include <string>
#include <unordered_set>

namespace kb::unitimport {

// The routine's name as the header gives it: after the keyword, up to the
// first "(", ":" or ";" ("TForm1.Go", "Max"). Bytes as in the source.
std::string RoutineName(std::string_view header);

// The name as a file-name stem in UTF-8: Windows-1251 converted, characters
// that file names cannot hold (< > : " / \ | ? * and control characters)
// made "_", shortened to what file systems accept, "_" when empty.
std::string FileStem(std::string_view name);

struct TWriteResult
{
    enum TOutcome { Written, Skipped, Failed } Outcome = Written;
    std::string Path;    // UTF-8; the file written, or the one that failed
    std::string Message; // why it was skipped or failed
};

class TRoutineWriter
{
public:
    // `folder` is a UTF-8 path; a separator is added when it lacks one.
    explicit TRoutineWriter(std::string folder);
    // Syncs what is still unsynced.
    ~TRoutineWriter();
    TRoutineWriter(const TRoutineWriter&) = delete;
    TRoutineWriter& operator=(const TRoutineWriter&) = delete;

    // Converts and writes one routine, replacing a file left by an earlier
    // run once the new one is complete. The files of one writer reach the
    // disk together, with one sync for the whole batch (Sync, or at the end).
    TWriteResult Write(const TRoutine& routine);
    bool Sync(std::string* error = nullptr);

private:
    std::string ClaimPath(const std::string& stem);

    std::string m_folder;
    std::unordered_set<std::string> m_claimed; // stems in lower case
    bool m_unsynced = false;
};

} // namespace kb::unitimport
