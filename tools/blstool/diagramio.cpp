#include "tools/blstool/diagramio.h"

#include "model/atomicfile.h"
#include "tools/blstool/commands.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace blstool {
namespace {

// A file opened for reading, with the reason worded as the editor's file
// layer words it when opening fails.
class TInputFile
{
public:
    explicit TInputFile(const std::string& path)
    {
        if (path.empty()) {
            m_error = "No file name specified";
            return;
        }
        do
            m_fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
        while (m_fd < 0 && errno == EINTR);
        if (m_fd < 0) {
            m_error = std::strerror(errno);
            return;
        }
        struct stat st
        {
        };
        if (::fstat(m_fd, &st) == 0) {
            m_regular = S_ISREG(st.st_mode);
            m_size = st.st_size;
            if (S_ISDIR(st.st_mode)) {
                m_error = "file to open is a directory";
                Close();
            }
        }
    }
    ~TInputFile() { Close(); }
    TInputFile(const TInputFile&) = delete;
    TInputFile& operator=(const TInputFile&) = delete;

    bool IsOpen() const { return m_fd >= 0; }
    const std::string& Error() const { return m_error; }
    // The size of a regular file, or 0 for a pipe or device.
    int64_t Size() const { return m_regular ? m_size : 0; }
    // Bytes read, 0 at the end, -1 on an error (the reason in Error()).
    int64_t Read(uint8_t* to, size_t n)
    {
        ssize_t got;
        do
            got = ::read(m_fd, to, n);
        while (got < 0 && errno == EINTR);
        if (got < 0) m_error = std::strerror(errno);
        return got;
    }

private:
    void Close()
    {
        if (m_fd >= 0) ::close(m_fd);
        m_fd = -1;
    }

    int m_fd = -1;
    bool m_regular = false;
    int64_t m_size = 0;
    std::string m_error;
};

std::string TooLargeText(const std::string& path)
{
    return path + " is refused: it is larger than " + std::to_string(kb::kMaxFileBytes >> 20) +
           " MiB";
}

} // namespace

void Fail(const std::string& message)
{
    std::fprintf(stderr, "blstool: %s\n", message.c_str());
}

bool ReadFile(const std::string& path, std::vector<uint8_t>& data)
{
    TInputFile f(path);
    if (!f.IsOpen()) {
        Fail("cannot open " + path + ": " + f.Error());
        return false;
    }
    // Read a piece at a time up to the limit: a device or a file that grows
    // has no size to check in advance.
    data.clear();
    constexpr int64_t kPiece = 1 << 20;
    data.reserve(size_t(std::min<int64_t>(f.Size(), kb::kMaxFileBytes) + kPiece));
    while (true) {
        if (int64_t(data.size()) > kb::kMaxFileBytes || f.Size() > kb::kMaxFileBytes) {
            Fail(TooLargeText(path));
            return false;
        }
        const size_t at = data.size();
        data.resize(at + size_t(kPiece));
        const int64_t got = f.Read(data.data() + at, size_t(kPiece));
        data.resize(at + size_t(std::max<int64_t>(got, 0)));
        if (got < 0) {
            Fail("cannot read " + path + ": " + f.Error());
            return false;
        }
        if (got == 0) return true;
    }
}

bool WriteFileAtomically(const std::string& path, const std::vector<uint8_t>& data)
{
    const kb::TWriteStatus status = kb::WriteFileAtomically(path, data);
    if (!status.Ok()) Fail(status.Error);
    return status.Ok();
}

int SaveDiagram(const std::string& path, const kb::TShem& shem)
{
    std::vector<uint8_t> bytes;
    if (!shem.SaveToStream(bytes)) {
        Fail("cannot save " + path + ": " + kb::SaveRefusalText(shem.Count()));
        return InvalidInput;
    }
    return WriteFileAtomically(path, bytes) ? Ok : InvalidInput;
}

int LoadDiagram(const std::string& path, kb::TShem& shem, kb::TLoadReport& report)
{
    try {
        if (shem.LoadFromFile(path, &report)) return Ok;
    } catch (const kb::TFileError&) {
        // Said the way the other commands say it; a file that opens but
        // cannot be read has no reason to give.
        const TInputFile f(path);
        Fail(f.IsOpen() ? "cannot read " + path + ": Unknown error"
                        : "cannot open " + path + ": " + f.Error());
        return InvalidInput;
    }
    if (report.Refusal != kb::TLoadRefusal::None)
        Fail(path + " is refused: " + report.RefusalText());
    else
        Fail(path + " is not a diagram file (it does not start with \"" +
             std::string(kb::kFileMagic) + "\")");
    return InvalidInput;
}

} // namespace blstool
