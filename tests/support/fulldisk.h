// A full disk for the process running the test: while a TFullDisk lives, no
// file it writes can grow past `limit` bytes, and the signal that would end
// the process is ignored, so the writes fail as they do on a full disk. The
// process keeps running, so a test can drive real windows through it.
#pragma once

#include <csignal>
#include <sys/resource.h>

namespace kbtest {

class TFullDisk
{
public:
    explicit TFullDisk(rlim_t limit)
    {
        getrlimit(RLIMIT_FSIZE, &m_old);
        m_oldHandler = std::signal(SIGXFSZ, SIG_IGN);
        const rlimit full{limit, m_old.rlim_max};
        setrlimit(RLIMIT_FSIZE, &full);
    }
    ~TFullDisk()
    {
        setrlimit(RLIMIT_FSIZE, &m_old);
        std::signal(SIGXFSZ, m_oldHandler);
    }
    TFullDisk(const TFullDisk&) = delete;
    TFullDisk& operator=(const TFullDisk&) = delete;

private:
    rlimit m_old{};
    void (*m_oldHandler)(int) = nullptr;
};

} // namespace kbtest
