#include "frame/singleinstance.h"

#include <QLocalServer>
#include <QLocalSocket>
#include <QPointer>
#include <QVariant>

#ifndef _WIN32
#include <unistd.h>
#endif

namespace kb {

namespace {

constexpr int kConnectMs = 1000;
// Opening a file may wait for the user to read a message about it.
constexpr int kAnswerMs = 10 * 60 * 1000;
// A request is one path; anything longer is not from an editor.
constexpr qsizetype kMaxRequest = 64 * 1024;

const QByteArray kOpen = QByteArrayLiteral("OPEN ");
const QByteArray kRaise = QByteArrayLiteral("RAISE");
const QByteArray kAnswer = QByteArrayLiteral("OK\n");

bool Request(QLocalSocket& socket, const QByteArray& line)
{
    socket.write(line + '\n');
    if (!socket.waitForBytesWritten(kConnectMs) && socket.bytesToWrite() > 0) return false;
    QByteArray answer;
    while (!answer.endsWith('\n')) {
        if (socket.bytesAvailable() == 0 && !socket.waitForReadyRead(kAnswerMs)) return false;
        answer += socket.read(kAnswer.size() - answer.size());
    }
    return answer == kAnswer;
}

} // namespace

QString InstanceName()
{
#ifdef _WIN32
    return QStringLiteral("Kestrabin-") + qEnvironmentVariable("USERNAME");
#else
    return QStringLiteral("kestrabin-%1").arg(getuid());
#endif
}

THandOff HandOffToRunningInstance(const QString& name, const QStringList& files)
{
    QLocalSocket socket;
    socket.connectToServer(name);
    if (!socket.waitForConnected(kConnectMs)) return THandOff::NoInstance;
    if (files.isEmpty()) return Request(socket, kRaise) ? THandOff::Delivered : THandOff::Failed;
    for (const QString& f : files)
        if (!Request(socket, kOpen + f.toUtf8().toPercentEncoding("/"))) return THandOff::Failed;
    socket.disconnectFromServer();
    return THandOff::Delivered;
}

TInstanceServer::TInstanceServer(TOpenFn open, TRaiseFn raise, QObject* parent)
    : QObject(parent), m_server(new QLocalServer(this)), m_open(std::move(open)),
      m_raise(std::move(raise))
{
    m_server->setSocketOptions(QLocalServer::UserAccessOption);
    connect(m_server, &QLocalServer::newConnection, this, &TInstanceServer::Accept);
}

TInstanceServer::~TInstanceServer() = default;

bool TInstanceServer::Listen(const QString& name)
{
    if (m_server->listen(name)) return true;
    if (m_server->serverError() != QAbstractSocket::AddressInUseError) return false;
    // In use: either an editor that started a moment ago, or a dead one's socket.
    QLocalSocket probe;
    probe.connectToServer(name);
    if (probe.waitForConnected(kConnectMs)) return false;
    QLocalServer::removeServer(name);
    return m_server->listen(name);
}

void TInstanceServer::Accept()
{
    while (QLocalSocket* socket = m_server->nextPendingConnection()) {
        connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
        connect(socket, &QLocalSocket::readyRead, this, [this, socket] { Serve(socket); });
        Serve(socket);
    }
}

void TInstanceServer::Serve(QLocalSocket* raw)
{
    // Opening a file can run a nested event loop (a message about it); the
    // next request waits for this one's answer instead of overtaking it, and
    // the socket may be gone when the loop returns.
    QPointer<QLocalSocket> socket(raw);
    if (socket->property("busy").toBool()) return;
    socket->setProperty("busy", true);
    while (socket->canReadLine()) {
        QByteArray line = socket->readLine(kMaxRequest);
        if (!line.endsWith('\n')) break;
        line.chop(1);
        Handle(line);
        if (!socket) return;
        socket->write(kAnswer);
        socket->flush();
    }
    socket->setProperty("busy", false);
    if (socket->bytesAvailable() > kMaxRequest) socket->abort();
}

void TInstanceServer::Handle(const QByteArray& request)
{
    if (request == kRaise) {
        m_raise();
    } else if (request.startsWith(kOpen)) {
        const QString name =
            QString::fromUtf8(QByteArray::fromPercentEncoding(request.mid(kOpen.size())));
        if (!name.isEmpty()) m_open(name);
    }
}

} // namespace kb
