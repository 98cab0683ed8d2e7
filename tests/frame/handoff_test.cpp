// A second start of the real editor program hands its files to the running
// editor (this test process) one at a time, and exits without a window.
#include "docwin/childd.h"
#include "frame/mainform.h"
#include "frame/singleinstance.h"
#include "frame/startup.h"
#include "tests/frame/shellsupport.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QLocalSocket>
#include <QProcess>
#include <gtest/gtest.h>

using namespace kb;
using kb::test::TMessageRecorder;
using kb::test::WriteDiagram;

namespace {

class HandOff : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(sockets.isValid());
        // The socket lives in the temporary folder: a private one keeps this
        // test away from an editor the user is running.
        qputenv("TMPDIR", QFile::encodeName(sockets.path()));
        ASSERT_TRUE(server.Listen(InstanceName()));
        main.show();
    }
    void TearDown() override { qunsetenv("TMPDIR"); }

    // Runs the editor program with args in work's folder until it exits.
    int SecondStart(const QStringList& args)
    {
        QProcess p;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("TMPDIR"), sockets.path());
        env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
        p.setProcessEnvironment(env);
        p.setWorkingDirectory(work.path());
        p.start(QStringLiteral(KB_BIN_DIR "/kestrabin"), args);
        EXPECT_TRUE(p.waitForStarted(5000));
        // This process is the running editor: it must keep answering.
        QElapsedTimer clock;
        clock.start();
        while (p.state() != QProcess::NotRunning && clock.elapsed() < 20000) {
            QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
            p.waitForFinished(5);
        }
        EXPECT_EQ(p.state(), QProcess::NotRunning) << "the second start did not finish";
        return p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1;
    }

    QStringList OpenFiles() const
    {
        QStringList names;
        for (TChildD* doc : main.Documents())
            names.append(doc->FileName());
        return names;
    }

    QTemporaryDir sockets;
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
    EXPECT_EQ(SecondStart(names), 0);
    EXPECT_EQ(OpenFiles(), expected);
    EXPECT_TRUE(messages.Texts.isEmpty());
}

TEST_F(HandOff, AFileAlreadyOpenIsBroughtBackNotOpenedTwice)
{
    const QString a = WriteDiagram(work, QStringLiteral("a.bls"));
    const QString b = WriteDiagram(work, QStringLiteral("b.bls"));
    TChildD* docA = main.OpenDocument(a);
    main.OpenDocument(b);
    EXPECT_EQ(SecondStart({a}), 0);
    EXPECT_EQ(main.Documents().size(), 2);
    EXPECT_EQ(main.ActiveDocument(), docA);
}

TEST_F(HandOff, WithoutFilesTheRunningEditorIsOnlyRaised)
{
    EXPECT_EQ(SecondStart({}), 0);
    EXPECT_EQ(raised, 1);
    EXPECT_TRUE(main.Documents().isEmpty());
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
    QTemporaryDir sockets;
    qputenv("TMPDIR", QFile::encodeName(sockets.path()));
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
    qunsetenv("TMPDIR");
}
