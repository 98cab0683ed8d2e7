#include "model/atomicfile.h"

#include <atomic>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <random>

#ifdef _WIN32
#include <windows.h>
#else
#include <climits>
#include <cstdlib>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace kb {

namespace {

// Small writes (rows of a picture, fields of a record) are gathered so that
// the system sees a few large writes.
constexpr size_t kBufferSize = 64 * 1024;

size_t LastSeparator(const std::string& path)
{
#ifdef _WIN32
    return path.find_last_of("/\\");
#else
    return path.rfind('/');
#endif
}

std::string FolderOf(const std::string& path)
{
    const size_t slash = LastSeparator(path);
    if (slash == std::string::npos) return ".";
    return slash == 0 ? path.substr(0, 1) : path.substr(0, slash);
}

std::string NameOf(const std::string& path)
{
    const size_t slash = LastSeparator(path);
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

// A name beside the target that no other writer picks: hidden, and marked as
// unfinished work should a crash leave it behind.
std::string TemporaryName(const std::string& target)
{
    static std::atomic<unsigned> counter{std::random_device{}()};
    char tag[16];
    std::snprintf(tag, sizeof tag, "%08x", counter.fetch_add(0x9E3779B9u));
    const std::string folder = FolderOf(target);
    const std::string prefix = LastSeparator(target) == std::string::npos ? "" : folder + "/";
    return prefix + "." + NameOf(target) + "." + tag + ".part";
}

#ifdef _WIN32

std::wstring Wide(const std::string& utf8)
{
    if (utf8.empty()) return {};
    const int n = MultiByteToWideChar(CP_UTF8, 0, utf8.data(), int(utf8.size()), nullptr, 0);
    std::wstring out(size_t(n), L'\0');
    MultiByteToWideChar(CP_UTF8, 0, utf8.data(), int(utf8.size()), out.data(), n);
    return out;
}

TWriteFailure Classify(int error)
{
    switch (error) {
    case ERROR_DISK_FULL:
    case ERROR_HANDLE_DISK_FULL:
    case ERROR_FILE_TOO_LARGE:
        return TWriteFailure::NoSpace;
    case ERROR_ACCESS_DENIED:
    case ERROR_WRITE_PROTECT:
    case ERROR_SHARING_VIOLATION:
        return TWriteFailure::NoPermission;
    case ERROR_PATH_NOT_FOUND:
        return TWriteFailure::NoFolder;
    default:
        return TWriteFailure::Other;
    }
}

std::string Describe(int error)
{
    char* text = nullptr;
    FormatMessageA(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM |
                       FORMAT_MESSAGE_IGNORE_INSERTS,
                   nullptr, DWORD(error), 0, reinterpret_cast<char*>(&text), 0, nullptr);
    std::string out = text ? text : "system error " + std::to_string(error);
    if (text) LocalFree(text);
    while (!out.empty() && (out.back() == '\n' || out.back() == '\r' || out.back() == '.'))
        out.pop_back();
    return out;
}

#else

TWriteFailure Classify(int error)
{
    switch (error) {
    case ENOSPC:
    case EDQUOT:
    case EFBIG: // the file size limit of the process
        return TWriteFailure::NoSpace;
    case EACCES:
    case EPERM:
    case EROFS:
        return TWriteFailure::NoPermission;
    case ENOENT:
    case ENOTDIR:
        return TWriteFailure::NoFolder;
    default:
        return TWriteFailure::Other;
    }
}

std::string Describe(int error)
{
    return std::strerror(error);
}

// The file a symbolic link points to, so that saving through a link keeps the
// link; the name itself otherwise.
std::string Resolved(const std::string& path)
{
    struct stat st;
    if (lstat(path.c_str(), &st) != 0 || !S_ISLNK(st.st_mode)) return path;
    char* real = realpath(path.c_str(), nullptr);
    if (!real) return path;
    std::string out = real;
    std::free(real);
    return out;
}

#endif

} // namespace

TAtomicFile::TAtomicFile(std::string path, TSync sync) : m_path(std::move(path)), m_sync(sync) {}

TAtomicFile::~TAtomicFile()
{
    Discard();
}

bool TAtomicFile::Fail(const char* what, int systemError)
{
    m_failure = Classify(systemError);
    m_error = std::string(what) + " " + m_path + ": " + Describe(systemError);
    CloseAndRemoveTemporary();
    return false;
}

void TAtomicFile::Discard()
{
    CloseAndRemoveTemporary();
    m_buffer.clear();
}

bool TAtomicFile::Write(const void* data, size_t size)
{
    if (Failed()) return false;
    if (m_temporary.empty()) return NotOpen();
    const auto* bytes = static_cast<const uint8_t*>(data);
    if (m_buffer.size() + size > kBufferSize && !Flush()) return false;
    if (size >= kBufferSize) return WriteOut(bytes, size);
    m_buffer.insert(m_buffer.end(), bytes, bytes + size);
    return true;
}

bool TAtomicFile::NotOpen()
{
    if (!Failed()) {
        m_failure = TWriteFailure::Other;
        m_error = "cannot write " + m_path + ": the file is not open";
    }
    return false;
}

bool TAtomicFile::Flush()
{
    if (m_buffer.empty()) return !Failed();
    const bool ok = WriteOut(m_buffer.data(), m_buffer.size());
    m_buffer.clear();
    return ok;
}

#ifdef _WIN32

bool TAtomicFile::Open()
{
    Discard();
    m_failure = TWriteFailure::None;
    m_error.clear();
    m_target = m_path;
    for (int attempt = 0; attempt < 100; ++attempt) {
        const std::string name = TemporaryName(m_target);
        HANDLE h = CreateFileW(Wide(name).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                               FILE_ATTRIBUTE_NORMAL, nullptr);
        if (h != INVALID_HANDLE_VALUE) {
            m_handle = h;
            m_temporary = name;
            return true;
        }
        const DWORD error = GetLastError();
        if (error != ERROR_FILE_EXISTS && error != ERROR_ALREADY_EXISTS)
            return Fail("cannot create", int(error));
    }
    return Fail("cannot create", ERROR_FILE_EXISTS);
}

bool TAtomicFile::WriteOut(const uint8_t* data, size_t size)
{
    while (size > 0) {
        const DWORD chunk = DWORD(size < (1u << 30) ? size : (1u << 30));
        DWORD written = 0;
        if (!WriteFile(m_handle, data, chunk, &written, nullptr) || written == 0)
            return Fail("cannot write", int(GetLastError()));
        data += written;
        size -= written;
    }
    return true;
}

bool TAtomicFile::Commit()
{
    if (Failed() || m_temporary.empty()) return NotOpen();
    if (!Flush()) return false;
    if (m_sync == TSync::Now && !FlushFileBuffers(m_handle))
        return Fail("cannot write", int(GetLastError()));
    CloseHandle(m_handle);
    m_handle = nullptr;
    const std::wstring target = Wide(m_target), temporary = Wide(m_temporary);
    // ReplaceFile keeps the old file's attributes and security; it needs the
    // target to exist, so a new file is moved into place instead.
    const bool replaced = GetFileAttributesW(target.c_str()) != INVALID_FILE_ATTRIBUTES
                              ? ReplaceFileW(target.c_str(), temporary.c_str(), nullptr,
                                             REPLACEFILE_IGNORE_MERGE_ERRORS, nullptr, nullptr)
                              : MoveFileExW(temporary.c_str(), target.c_str(),
                                            MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH);
    if (!replaced) return Fail("cannot replace", int(GetLastError()));
    m_temporary.clear();
    return true;
}

void TAtomicFile::CloseAndRemoveTemporary()
{
    if (m_handle) CloseHandle(m_handle);
    m_handle = nullptr;
    if (!m_temporary.empty()) DeleteFileW(Wide(m_temporary).c_str());
    m_temporary.clear();
}

bool SyncFolder(const std::string&, std::string*)
{
    // Windows offers no sync of a whole volume to a normal user; the batch's
    // files were moved into place with write-through.
    return true;
}

#else

bool TAtomicFile::Open()
{
    Discard();
    m_failure = TWriteFailure::None;
    m_error.clear();
    m_target = Resolved(m_path);
    // A read-only file is not replaced behind its owner's back, as an
    // editor writing in place would be refused too.
    if (access(m_target.c_str(), F_OK) == 0 && access(m_target.c_str(), W_OK) != 0)
        return Fail("cannot write", errno);
    struct stat target;
    if (stat(m_target.c_str(), &target) == 0 && S_ISDIR(target.st_mode))
        return Fail("cannot create", EISDIR);
    for (int attempt = 0; attempt < 100; ++attempt) {
        const std::string name = TemporaryName(m_target);
        const int fd = ::open(name.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd >= 0) {
            m_fd = fd;
            m_temporary = name;
            // The new file keeps the old one's permissions.
            if (stat(m_target.c_str(), &target) == 0) (void)fchmod(m_fd, target.st_mode & 07777);
            return true;
        }
        if (errno != EEXIST) return Fail("cannot create", errno);
    }
    return Fail("cannot create", EEXIST);
}

bool TAtomicFile::WriteOut(const uint8_t* data, size_t size)
{
    while (size > 0) {
        const ssize_t n = ::write(m_fd, data, size < (size_t(1) << 30) ? size : size_t(1) << 30);
        if (n < 0) {
            if (errno == EINTR) continue;
            return Fail("cannot write", errno);
        }
        if (n == 0) return Fail("cannot write", EIO);
        data += n;
        size -= size_t(n);
    }
    return true;
}

bool TAtomicFile::Commit()
{
    if (Failed() || m_temporary.empty()) return NotOpen();
    if (!Flush()) return false;
    // Some file systems report a full disk only when the data is synced.
    if (m_sync == TSync::Now && fsync(m_fd) != 0 && errno != EINVAL)
        return Fail("cannot write", errno);
    const int fd = m_fd;
    m_fd = -1;
    if (::close(fd) != 0 && errno != EINTR) return Fail("cannot write", errno);
    if (std::rename(m_temporary.c_str(), m_target.c_str()) != 0)
        return Fail("cannot replace", errno);
    m_temporary.clear();
    if (m_sync == TSync::Now) {
        // The rename itself lives in the folder.
        const int folder = ::open(FolderOf(m_target).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
        if (folder >= 0) {
            (void)fsync(folder);
            ::close(folder);
        }
    }
    return true;
}

void TAtomicFile::CloseAndRemoveTemporary()
{
    if (m_fd >= 0) ::close(m_fd);
    m_fd = -1;
    if (!m_temporary.empty()) ::unlink(m_temporary.c_str());
    m_temporary.clear();
}

bool SyncFolder(const std::string& folder, std::string* error)
{
    const int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) {
        if (error) *error = "cannot sync " + folder + ": " + Describe(errno);
        return false;
    }
#ifdef __linux__
    const bool ok = syncfs(fd) == 0;
#else
    sync();
    const bool ok = fsync(fd) == 0 || errno == EINVAL;
#endif
    const int saved = errno;
    ::close(fd);
    if (!ok && error) *error = "cannot sync " + folder + ": " + Describe(saved);
    return ok;
}

#endif

TWriteStatus WriteFileAtomically(const std::string& path, std::span<const uint8_t> data, TSync sync)
{
    TAtomicFile file(path, sync);
    if (file.Open() && file.Write(data)) file.Commit();
    return file.Status();
}

} // namespace kb
