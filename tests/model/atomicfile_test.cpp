// The atomic writer: the old file stays byte for byte on any failure, above
// all a full disk, which a child process meets through its file size limit.
#include "model/atomicfile.h"

#include <gtest/gtest.h>

#include <csignal>
#include <filesystem>
#include <fstream>
#include <functional>
#include <sstream>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

using namespace kb;
namespace fs = std::filesystem;

namespace {

class AtomicFile : public testing::Test
{
protected:
    void SetUp() override
    {
        m_dir = fs::temp_directory_path() /
                ("kb-atomic-" + std::to_string(::getpid()) + "-" +
                 testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(m_dir);
        fs::create_directories(m_dir);
    }
    void TearDown() override { fs::remove_all(m_dir); }

    std::string Path(const std::string& name) const { return (m_dir / name).string(); }
    static std::string Read(const std::string& path)
    {
        std::ifstream f(path, std::ios::binary);
        std::stringstream ss;
        ss << f.rdbuf();
        return ss.str();
    }
    static void Put(const std::string& path, const std::string& text)
    {
        std::ofstream(path, std::ios::binary) << text;
    }
    // Nothing but the named files: no temporary is left behind.
    std::vector<std::string> Names() const
    {
        std::vector<std::string> names;
        for (const auto& e : fs::directory_iterator(m_dir))
            names.push_back(e.path().filename().string());
        std::sort(names.begin(), names.end());
        return names;
    }

    fs::path m_dir;
};

std::span<const uint8_t> AsBytes(const std::string& s)
{
    return {reinterpret_cast<const uint8_t*>(s.data()), s.size()};
}

// Runs fn in a child whose files cannot grow past `limit` bytes, as on a full
// disk (the signal that would end it is ignored, so writes fail instead).
int WithFileSizeLimit(rlim_t limit, const std::function<int()>& fn)
{
    const pid_t pid = fork();
    if (pid == 0) {
        std::signal(SIGXFSZ, SIG_IGN);
        const rlimit rl{limit, limit};
        setrlimit(RLIMIT_FSIZE, &rl);
        _exit(fn());
    }
    int status = 0;
    waitpid(pid, &status, 0);
    return WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
}

} // namespace

TEST_F(AtomicFile, ReplacesTheFileKeepingItsPermissions)
{
    const std::string path = Path("a.bls");
    Put(path, "old content");
    chmod(path.c_str(), 0640);
    ASSERT_TRUE(WriteFileAtomically(path, AsBytes("new")).Ok());
    EXPECT_EQ(Read(path), "new");
    struct stat st;
    ASSERT_EQ(stat(path.c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 0777, 0640u);
    EXPECT_EQ(Names(), (std::vector<std::string>{"a.bls"}));
}

TEST_F(AtomicFile, LargeWritesInManyPiecesArriveWhole)
{
    std::string expected;
    TAtomicFile f(Path("big"));
    ASSERT_TRUE(f.Open());
    for (int i = 0; i < 5000; ++i) {
        const std::string piece = std::to_string(i) + std::string(size_t(i % 97), 'x') + "\n";
        expected += piece;
        ASSERT_TRUE(f.Write(AsBytes(piece)));
    }
    const std::string huge(200000, 'y'); // larger than the gathering buffer
    expected += huge;
    ASSERT_TRUE(f.Write(AsBytes(huge)));
    ASSERT_TRUE(f.Commit());
    EXPECT_EQ(Read(Path("big")), expected);
}

TEST_F(AtomicFile, AFullDiskLeavesTheOldFileByteForByte)
{
    const std::string path = Path("a.bls");
    const std::string old(3000, 'o');
    Put(path, old);
    // Small files fail when the data is written, large ones in the middle.
    for (const size_t size : {size_t(100), size_t(300000)}) {
        const std::string data(size, 'n');
        const int rc = WithFileSizeLimit(50, [&] {
            const TWriteStatus s = WriteFileAtomically(path, AsBytes(data));
            if (s.Ok()) return 1;
            if (s.Failure != TWriteFailure::NoSpace) return 2;
            return s.Error.find(path) == std::string::npos ? 3 : 0;
        });
        EXPECT_EQ(rc, 0) << size;
        EXPECT_EQ(Read(path), old);
        EXPECT_EQ(Names(), (std::vector<std::string>{"a.bls"}));
    }
}

TEST_F(AtomicFile, DiscardedOrUncommittedWritesLeaveTheTargetAlone)
{
    const std::string path = Path("a");
    Put(path, "old");
    {
        TAtomicFile f(path);
        ASSERT_TRUE(f.Open());
        ASSERT_TRUE(f.Write(AsBytes("half")));
    } // destroyed without Commit
    EXPECT_EQ(Read(path), "old");
    TAtomicFile f(path);
    EXPECT_FALSE(f.Write(AsBytes("x"))); // not open
    EXPECT_FALSE(f.Commit());
    EXPECT_FALSE(f.Error().empty());
    EXPECT_EQ(Names(), (std::vector<std::string>{"a"}));
}

TEST_F(AtomicFile, AMissingFolderOrAFolderInTheWayIsReported)
{
    const TWriteStatus missing = WriteFileAtomically(Path("no/such/x"), AsBytes("x"));
    EXPECT_EQ(missing.Failure, TWriteFailure::NoFolder);
    EXPECT_NE(missing.Error.find("cannot create " + Path("no/such/x")), std::string::npos);
    fs::create_directory(Path("taken"));
    EXPECT_NE(WriteFileAtomically(Path("taken"), AsBytes("x")).Error.find("Is a directory"),
              std::string::npos);
    EXPECT_TRUE(fs::is_directory(Path("taken")));
    EXPECT_EQ(Names(), (std::vector<std::string>{"taken"}));
}

TEST_F(AtomicFile, AReadOnlyFileIsNotReplaced)
{
    if (geteuid() == 0) GTEST_SKIP() << "root writes read-only files";
    const std::string path = Path("ro");
    Put(path, "old");
    chmod(path.c_str(), 0444);
    EXPECT_EQ(WriteFileAtomically(path, AsBytes("new")).Failure, TWriteFailure::NoPermission);
    EXPECT_EQ(Read(path), "old");
}

TEST_F(AtomicFile, SavingThroughALinkReplacesTheFileItPointsTo)
{
    const std::string real = Path("real"), link = Path("link");
    Put(real, "old");
    fs::create_symlink(real, link);
    ASSERT_TRUE(WriteFileAtomically(link, AsBytes("new")).Ok());
    EXPECT_TRUE(fs::is_symlink(link));
    EXPECT_EQ(Read(real), "new");
}

TEST_F(AtomicFile, ABatchIsSyncedOnce)
{
    for (int i = 0; i < 3; ++i)
        ASSERT_TRUE(WriteFileAtomically(Path(std::to_string(i)), AsBytes("x"), TSync::Batch).Ok());
    std::string error;
    EXPECT_TRUE(SyncFolder(m_dir.string(), &error)) << error;
    EXPECT_FALSE(SyncFolder(Path("missing"), &error));
    EXPECT_EQ(Names().size(), 3u);
}
