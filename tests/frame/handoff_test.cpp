// A second start of the real editor program hands its files to the running
// editor of the same user and display, one at a time, and exits without a
// window; when that editor refuses or stays silent, the second start opens
// the files itself instead of losing them.
#include "docwin/childd.h"
#include "frame/mainform.h"
#include "frame/singleinstance.h"
#include "frame/startup.h"
#include "tests/frame/shellsupport.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QLocalServer>
#include <QLocalSocket>
#include <QProcess>
#include <QTextStream>
#include <gtest/gtest.h>

#include <csignal>
#include <unistd.h>

using namespace kb;
using kb::test::TMessageRecorder;
using kb::test::WriteDiagram;

namespace {

// Points the instance name of this process at a private runtime folder and
// a display, so the tests never meet an editor the user is running.
class TSession
{
public:
    explicit TSession(const QString& display)
    {
        qputenv("TMPDIR", QFile::encodeName(Runtime.path()));
        qputenv("XDG_RUNTIME_DIR", QFile::encodeName(Runtime.path()));
        qputenv("DISPLAY", display.toUtf8());
        qunsetenv("WAYLAND_DISPLAY");
    }
    ~TSession()
    {
        for (const char* v : {"TMPDIR", "XDG_RUNTIME_DIR", "DISPLAY"})
            qunsetenv(v);
    }
    QTemporaryDir Runtime;
};

struct TStart
{
    int ExitCode = -1;
    qint64 Ms = 0;
    // The documents the start opened itself, from its start-up report.
    QStringList Documents;
    bool BecameEditor = false;
};

// The environment of another start of the editor by the same user on
// display, isolated from the user's settings and data.
QProcessEnvironment StartEnvironment(const TSession& session, const QTemporaryDir& home,
                                     const QString& display)
{
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("TMPDIR"), session.Runtime.path());
    env.insert(QStringLiteral("XDG_RUNTIME_DIR"), session.Runtime.path());
    env.insert(QStringLiteral("DISPLAY"), display);
    env.remove(QStringLiteral("WAYLAND_DISPLAY"));
    env.insert(QStringLiteral("XDG_CONFIG_HOME"), home.filePath(QStringLiteral("config")));
    env.insert(QStringLiteral("XDG_DATA_HOME"), home.filePath(QStringLiteral("data")));
    env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    // No desktop database tools: they would still be writing into home
    // after the editor exits.
    env.insert(QStringLiteral("PATH"), home.filePath(QStringLiteral("bin")));
    return env;
}

// Runs the editor program with args in work's folder until it exits, while
// this process keeps its event loop turning (it may be the running editor).
TStart RunStart(const QProcessEnvironment& baseEnv, const QTemporaryDir& work,
                const QStringList& args)
{
    const QString report = work.filePath(QStringLiteral("report.txt"));
    QFile::remove(report);
    QProcessEnvironment env = baseEnv;
    env.insert(QStringLiteral("KESTRABIN_STARTUP_REPORT"), report);
    QProcess p;
    p.setProcessEnvironment(env);
    p.setWorkingDirectory(work.path());
    QElapsedTimer clock;
    clock.start();
    p.start(QStringLiteral(KB_BIN_DIR "/kestrabin"), args);
    EXPECT_TRUE(p.waitForStarted(5000));
    while (p.state() != QProcess::NotRunning && clock.elapsed() < 30000) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
        p.waitForFinished(5);
    }
    EXPECT_EQ(p.state(), QProcess::NotRunning) << "the start did not finish";
    p.waitForFinished(1000);
    // The running editor opens what it acknowledged once its loop turns.
    QCoreApplication::processEvents();
    TStart result;
    result.Ms = clock.elapsed();
    result.ExitCode = p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1;
    QFile f(report);
    result.BecameEditor = f.open(QIODevice::ReadOnly | QIODevice::Text);
    while (result.BecameEditor && !f.atEnd()) {
        const QString line = QString::fromUtf8(f.readLine()).trimmed();
        if (line.startsWith(QStringLiteral("document: "))) result.Documents.append(line.mid(10));
    }
    return result;
}

class HandOff : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(session.Runtime.isValid());
        ASSERT_TRUE(server.Listen(InstanceName()));
        main.show();
    }

    TStart SecondStart(const QStringList& args, const QString& display = QStringLiteral(":7"))
    {
        return RunStart(StartEnvironment(session, home, display), work, args);
    }

    QStringList OpenFiles() const
    {
        QStringList names;
        for (TChildD* doc : main.Documents())
            names.append(doc->FileName());
        return names;
    }

    TSession session{QStringLiteral(":7")};
    QTemporaryDir home;
    QTemporaryDir work;
    TMessageRecorder messages;
    TMainForm main;
    int raised = 0;
    TInstanceServer server{[this](const QString& f) { main.OpenDocument(f); },
                           [this] { ++raised; }};
};

} // namespace

TEST_F(HandOff, ThreeFilesArriveInArgumentOrder)
{
    const QStringList names{QStringLiteral("c.bls"), QStringLiteral("a.bls"),
                            QStringLiteral("b b.bls")};
    QStringList expected;
    for (const QString& n : names)
        expected.append(WriteDiagram(work, n));
    // Relative names: this process has another working folder.
    ASSERT_NE(QDir::currentPath(), work.path());
    const TStart start = SecondStart(names);
    EXPECT_EQ(start.ExitCode, 0);
    EXPECT_FALSE(start.BecameEditor);
    EXPECT_EQ(OpenFiles(), expected);
    EXPECT_TRUE(messages.Texts.isEmpty());
}

TEST_F(HandOff, AFileAlreadyOpenIsBroughtBackNotOpenedTwice)
{
    const QString a = WriteDiagram(work, QStringLiteral("a.bls"));
    const QString b = WriteDiagram(work, QStringLiteral("b.bls"));
    TChildD* docA = main.OpenDocument(a);
    main.OpenDocument(b);
    EXPECT_EQ(SecondStart({a}).ExitCode, 0);
    EXPECT_EQ(main.Documents().size(), 2);
    EXPECT_EQ(main.ActiveDocument(), docA);
}

TEST_F(HandOff, WithoutFilesTheRunningEditorIsOnlyRaised)
{
    EXPECT_EQ(SecondStart({}).ExitCode, 0);
    EXPECT_EQ(raised, 1);
    EXPECT_TRUE(main.Documents().isEmpty());
}

TEST_F(HandOff, AnotherScreenOfTheSameDisplayIsTheSameSession)
{
    const QString a = WriteDiagram(work, QStringLiteral("a.bls"));
    const TStart start = SecondStart({a}, QStringLiteral(":7.1"));
    EXPECT_EQ(start.ExitCode, 0);
    EXPECT_FALSE(start.BecameEditor);
    EXPECT_EQ(OpenFiles(), QStringList{a});
}

TEST_F(HandOff, AStartOnAnotherDisplayGetsItsOwnEditor)
{
    // Same user, same temporary and runtime folders, another login's display.
    const QString a = WriteDiagram(work, QStringLiteral("a.bls"));
    const TStart start = SecondStart({a}, QStringLiteral(":8"));
    EXPECT_EQ(start.ExitCode, 0);
    ASSERT_TRUE(start.BecameEditor);
    EXPECT_EQ(start.Documents, QStringList{a});
    EXPECT_TRUE(main.Documents().isEmpty());
    EXPECT_EQ(raised, 0);
}

// Runs the editor program in the background, as another process would.
struct TBackgroundStart
{
    TBackgroundStart(const QProcessEnvironment& env, const QStringList& args)
    {
        Process.setProcessEnvironment(env);
        Process.start(QStringLiteral(KB_BIN_DIR "/kestrabin"), args);
        EXPECT_TRUE(Process.waitForStarted(5000));
    }
    ~TBackgroundStart()
    {
        if (Process.state() == QProcess::NotRunning) return;
        ::kill(pid_t(Process.processId()), SIGCONT);
        Process.kill();
        Process.waitForFinished(5000);
    }
    // Turns this process's event loop until pred holds or 30 s have passed.
    template <class TPred> bool WaitFor(TPred pred)
    {
        QElapsedTimer clock;
        clock.start();
        while (!pred() && clock.elapsed() < 30000) {
            QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
            Process.waitForFinished(5);
        }
        return pred();
    }
    QProcess Process;
};

TEST(HandOffToABusyEditor, AMessageWhileOpeningDoesNotHoldTheSender)
{
    // The first file's opening stays in a nested loop, as under a modal
    // message, until the sender is done: every file was acknowledged anyway.
    TSession session(QStringLiteral(":7"));
    QTemporaryDir home, work;
    const QStringList names{WriteDiagram(work, QStringLiteral("a.bls")),
                            WriteDiagram(work, QStringLiteral("b.bls")),
                            WriteDiagram(work, QStringLiteral("c.bls"))};
    QProcessEnvironment env = StartEnvironment(session, home, QStringLiteral(":7"));
    const QString report = work.filePath(QStringLiteral("report.txt"));
    env.insert(QStringLiteral("KESTRABIN_STARTUP_REPORT"), report);
    std::unique_ptr<TBackgroundStart> sender;
    QStringList opened;
    bool senderDoneDuringMessage = false;
    TInstanceServer busy(
        [&](const QString& f) {
            opened.append(f);
            if (opened.size() == 1)
                senderDoneDuringMessage = sender->WaitFor(
                    [&] { return sender->Process.state() == QProcess::NotRunning; });
        },
        [] {});
    ASSERT_TRUE(busy.Listen(InstanceName()));
    sender = std::make_unique<TBackgroundStart>(env, names);
    EXPECT_TRUE(sender->WaitFor([&] { return opened.size() == 3; }));
    EXPECT_TRUE(senderDoneDuringMessage);
    EXPECT_EQ(sender->Process.exitCode(), 0);
    EXPECT_FALSE(QFile::exists(report)) << "the sender opened the files too";
    EXPECT_EQ(opened, names);
}

TEST(HandOffToABusyEditor, AFrozenEditorLeavesTheFilesToTheSecondStart)
{
    // A real editor that stops answering (stopped by a signal, as if hung).
    TSession session(QStringLiteral(":7"));
    QTemporaryDir home, work;
    const QProcessEnvironment env = StartEnvironment(session, home, QStringLiteral(":7"));
    TBackgroundStart frozen(env, {});
    const QString socket = InstanceName();
    ASSERT_TRUE(socket.startsWith(session.Runtime.path())) << qPrintable(socket);
    ASSERT_TRUE(frozen.WaitFor([&] { return QFile::exists(socket); }));
    ASSERT_EQ(::kill(pid_t(frozen.Process.processId()), SIGSTOP), 0);
    const QString a = WriteDiagram(work, QStringLiteral("a.bls"));
    const QString b = WriteDiagram(work, QStringLiteral("b.bls"));
    const TStart start = RunStart(env, work, {a, b});
    EXPECT_EQ(start.ExitCode, 0);
    ASSERT_TRUE(start.BecameEditor);
    EXPECT_EQ(start.Documents, (QStringList{a, b}));
    // One wait of five seconds, not one per file.
    EXPECT_LT(start.Ms, 15000);
}

TEST(HandOffToABusyEditor, FilesAfterTheLastAcknowledgedOneAreOpenedByTheSender)
{
    // An editor that takes the first file and then goes silent.
    TSession session(QStringLiteral(":7"));
    QTemporaryDir home, work;
    QLocalServer silent;
    silent.setSocketOptions(QLocalServer::UserAccessOption);
    ASSERT_TRUE(silent.listen(InstanceName()));
    QByteArrayList requests;
    QObject::connect(&silent, &QLocalServer::newConnection, [&] {
        QLocalSocket* s = silent.nextPendingConnection();
        QObject::connect(s, &QLocalSocket::readyRead, [&, s] {
            while (s->canReadLine()) {
                requests.append(s->readLine().trimmed());
                if (requests.size() == 1) s->write("OK\n");
            }
        });
    });
    const QStringList names{WriteDiagram(work, QStringLiteral("a.bls")),
                            WriteDiagram(work, QStringLiteral("b.bls")),
                            WriteDiagram(work, QStringLiteral("c.bls"))};
    const TStart start =
        RunStart(StartEnvironment(session, home, QStringLiteral(":7")), work, names);
    ASSERT_GE(requests.size(), 2);
    EXPECT_EQ(requests[0], "OPEN " + names[0].toUtf8().toPercentEncoding("/"));
    ASSERT_TRUE(start.BecameEditor);
    EXPECT_EQ(start.Documents, names.mid(1));
}

TEST(HandOffFromAnotherUser, IsRefusedAndTheSenderOpensTheFileItself)
{
    TSession session(QStringLiteral(":7"));
    QTemporaryDir home, work;
    QStringList opened;
    int raised = 0;
    TInstanceServer server([&](const QString& f) { opened.append(f); }, [&] { ++raised; });
    // No second user on a build machine: the credential reader says the
    // other end is one.
    server.SetPeerUserIdReader([](qintptr) { return std::optional<qint64>(getuid() + 1); });
    ASSERT_TRUE(server.Listen(InstanceName()));

    QLocalSocket stranger;
    stranger.connectToServer(InstanceName());
    ASSERT_TRUE(stranger.waitForConnected(1000));
    stranger.write("RAISE\n");
    QElapsedTimer clock;
    clock.start();
    while (stranger.state() == QLocalSocket::ConnectedState && clock.elapsed() < 5000) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
        stranger.waitForDisconnected(5);
    }
    EXPECT_NE(stranger.state(), QLocalSocket::ConnectedState);
    EXPECT_EQ(stranger.bytesAvailable(), 0);

    const QString a = WriteDiagram(work, QStringLiteral("a.bls"));
    const TStart start = RunStart(StartEnvironment(session, home, QStringLiteral(":7")), work, {a});
    ASSERT_TRUE(start.BecameEditor);
    EXPECT_EQ(start.Documents, QStringList{a});
    EXPECT_LT(start.Ms, 15000);
    QCoreApplication::processEvents();
    EXPECT_TRUE(opened.isEmpty());
    EXPECT_EQ(raised, 0);

    // A system that cannot name the other end is not trusted either.
    server.SetPeerUserIdReader([](qintptr) { return std::optional<qint64>(); });
    QLocalSocket unknown;
    unknown.connectToServer(InstanceName());
    ASSERT_TRUE(unknown.waitForConnected(1000));
    unknown.write("RAISE\n");
    clock.restart();
    while (unknown.state() == QLocalSocket::ConnectedState && clock.elapsed() < 5000) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
        unknown.waitForDisconnected(5);
    }
    EXPECT_NE(unknown.state(), QLocalSocket::ConnectedState);
    EXPECT_EQ(raised, 0);
}

TEST(InstanceName, IsTheUserAndTheDisplayInThePrivateRuntimeFolder)
{
    TSession session(QStringLiteral(":0.0"));
    const QString runtime = session.Runtime.path();
    const QString uid = QString::number(getuid());
    EXPECT_EQ(InstanceName(), runtime + "/kestrabin-" + uid + "-:0");
    qputenv("DISPLAY", "host.example:10.2");
    EXPECT_EQ(SessionDisplay(), QStringLiteral("host.example:10"));
    // Wayland's display wins; a long one is shortened to fit a socket path.
    qputenv("WAYLAND_DISPLAY", "wayland-1");
    EXPECT_EQ(InstanceName(), runtime + "/kestrabin-" + uid + "-wayland-1");
    qputenv("WAYLAND_DISPLAY", QByteArray("/run/user/") + QByteArray(80, 'w'));
    EXPECT_LT(InstanceName().size(), runtime.size() + 50);
    qunsetenv("WAYLAND_DISPLAY");
    qunsetenv("DISPLAY");
    EXPECT_EQ(InstanceName(), runtime + "/kestrabin-" + uid);
    // A runtime folder others can enter is not used: the temporary one is.
    QFile::setPermissions(runtime,
                          QFile::permissions(runtime) | QFile::ReadGroup | QFile::ExeGroup);
    EXPECT_EQ(InstanceName(), "kestrabin-" + uid);
    qunsetenv("XDG_RUNTIME_DIR");
    EXPECT_EQ(InstanceName(), "kestrabin-" + uid);
}

TEST(CommandLine, FileNamesAreMadeAbsoluteAndTheProgramNameSkipped)
{
    const QString cwd = QDir::currentPath();
    EXPECT_EQ(CommandLineFiles({QStringLiteral("kestrabin"), QStringLiteral("x.bls"), QString(),
                                QStringLiteral("/tmp/../tmp/y.bls")}),
              (QStringList{cwd + QStringLiteral("/x.bls"), QStringLiteral("/tmp/y.bls")}));
    EXPECT_TRUE(CommandLineFiles({QStringLiteral("kestrabin")}).isEmpty());
}

TEST(InstanceServer, OverlongRequestsAreCutOff)
{
    TSession session(QStringLiteral(":7"));
    QStringList opened;
    TInstanceServer server([&](const QString& f) { opened.append(f); }, [] {});
    ASSERT_TRUE(server.Listen(InstanceName()));
    QLocalSocket client;
    client.connectToServer(InstanceName());
    ASSERT_TRUE(client.waitForConnected(1000));
    client.write(QByteArray(200 * 1024, 'x'));
    client.flush();
    QElapsedTimer clock;
    clock.start();
    while (client.state() == QLocalSocket::ConnectedState && clock.elapsed() < 5000) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
        client.waitForDisconnected(5);
    }
    EXPECT_NE(client.state(), QLocalSocket::ConnectedState);
    EXPECT_TRUE(opened.isEmpty());
}
