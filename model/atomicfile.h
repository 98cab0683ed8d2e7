// Every file the programs produce is written through TAtomicFile: the new
// content goes to a temporary file beside the target, every write is checked,
// the data is synced to the disk and only then renamed over the target. A
// reader therefore sees the old file or the complete new one, never a part,
// and on any failure (a full disk above all) the old file stays byte for byte.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <vector>

namespace kb {

// Why a write failed, for callers that word the reason themselves.
enum class TWriteFailure {
    None,
    NoSpace,      // the disk, a quota or the file size limit is exhausted
    NoPermission, // the folder or the file may not be written
    NoFolder,     // the folder does not exist
    Other,
};

enum class TSync {
    Now,   // the file reaches the disk before it replaces the target
    Batch, // the caller syncs the folder once after a batch (SyncFolder)
};

// The outcome of writing a whole file.
struct TWriteStatus
{
    TWriteFailure Failure = TWriteFailure::None;
    std::string Error;
    bool Ok() const { return Failure == TWriteFailure::None; }
};

class TAtomicFile
{
public:
    // path: native bytes on POSIX, UTF-8 on Windows. A symbolic link is
    // followed, so the file it points to is replaced, not the link.
    explicit TAtomicFile(std::string path, TSync sync = TSync::Now);
    // An uncommitted file is discarded: the temporary goes, the target stays.
    ~TAtomicFile();
    TAtomicFile(const TAtomicFile&) = delete;
    TAtomicFile& operator=(const TAtomicFile&) = delete;

    // Creates the temporary file. False, with the reason, when it cannot.
    bool Open();
    // Appends bytes; after the first failure every call fails.
    bool Write(const void* data, size_t size);
    bool Write(std::span<const uint8_t> data) { return Write(data.data(), data.size()); }
    // Flushes, syncs, closes and renames over the target. On failure the
    // temporary is removed and the target is untouched.
    bool Commit();
    void Discard();

    bool Failed() const { return m_failure != TWriteFailure::None; }
    TWriteFailure Failure() const { return m_failure; }
    // "cannot write <path>: <system reason>", empty while nothing failed.
    const std::string& Error() const { return m_error; }
    const std::string& Path() const { return m_path; }
    TWriteStatus Status() const { return {m_failure, m_error}; }

private:
    bool Fail(const char* what, int systemError);
    bool NotOpen();
    bool Flush();
    bool WriteOut(const uint8_t* data, size_t size);
    void CloseAndRemoveTemporary();

    std::string m_path;
    std::string m_target; // m_path with a symbolic link resolved
    std::string m_temporary;
    TSync m_sync;
    std::vector<uint8_t> m_buffer;
    TWriteFailure m_failure = TWriteFailure::None;
    std::string m_error;
#ifdef _WIN32
    void* m_handle = nullptr;
#else
    int m_fd = -1;
#endif
};

// The whole file in one call.
TWriteStatus WriteFileAtomically(const std::string& path, std::span<const uint8_t> data,
                                 TSync sync = TSync::Now);

// Writes what a batch of TSync::Batch files left in memory to the disk of
// `folder`, once. False, with the reason, when the system reports an error.
bool SyncFolder(const std::string& folder, std::string* error = nullptr);

} // namespace kb
