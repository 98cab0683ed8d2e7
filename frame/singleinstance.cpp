#include "frame/singleinstance.h"

#include <QCryptographicHash>
#include <QFile>
#include <QLocalServer>
#include <QLocalSocket>

#ifndef _WIN32
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/types.h>
#include <unistd.h>
#endif

namespace kb {

namespace {

constexpr int kConnectMs = 1000;
// A request is one path; anything longer is not from an editor.
constexpr qsizetype kMaxRequest = 64 * 1024;
// Socket paths are short (108 bytes on Linux): a longer display name, such
// as a Wayland socket path, is replaced by its hash.
constexpr qsizetype kMaxDisplayInName = 40;

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

#ifndef _WIN32
// $XDG_RUNTIME_DIR, when it is a folder of this user that nobody else can
// enter; a socket there cannot be reached or replaced by another user.
QString PrivateRuntimeFolder()
{
    const QByteArray dir = qgetenv("XDG_RUNTIME_DIR");
    if (dir.isEmpty() || !dir.startsWith('/')) return {};
    struct stat st
    {
    };
    if (stat(dir.constData(), &st) != 0 || !S_ISDIR(st.st_mode)) return {};
    if (st.st_uid != getuid() || (st.st_mode & 077) != 0) return {};
    return QFile::decodeName(dir);
}

// The other end is this user's: anything else, including a system that
// cannot tell, is treated as a stranger.
bool SameUser(const TPeerUserIdFn& peerUserId, qintptr descriptor)
{
    const std::optional<qint64> uid = peerUserId(descriptor);
    return uid && *uid == qint64(getuid());
}
#endif

} // namespace

QString SessionDisplay()
{
    const QString wayland = qEnvironmentVariable("WAYLAND_DISPLAY");
    if (!wayland.isEmpty()) return wayland;
    QString display = qEnvironmentVariable("DISPLAY");
    // host:display.screen: every screen of a display belongs to one session.
    const qsizetype colon = display.lastIndexOf(QLatin1Char(':'));
    const qsizetype dot = display.indexOf(QLatin1Char('.'), colon + 1);
    if (colon >= 0 && dot > colon) display.truncate(dot);
    return display;
}

QString InstanceName()
{
#ifdef _WIN32
    // Local pipe names are already private to the login session.
    return QStringLiteral("Kestrabin-") + qEnvironmentVariable("USERNAME");
#else
    QString name = QStringLiteral("kestrabin-%1").arg(getuid());
    const QString display = SessionDisplay();
    if (!display.isEmpty()) {
        QByteArray part = display.toUtf8().toPercentEncoding(":");
        if (part.size() > kMaxDisplayInName)
            part = QCryptographicHash::hash(part, QCryptographicHash::Sha1).toHex().left(16);
        name += QLatin1Char('-') + QString::fromLatin1(part);
    }
    const QString folder = PrivateRuntimeFolder();
    return folder.isEmpty() ? name : folder + QLatin1Char('/') + name;
#endif
}

std::optional<qint64> PeerUserId(qintptr descriptor)
{
#if defined(__linux__)
    ucred cred{};
    socklen_t size = sizeof cred;
    if (getsockopt(int(descriptor), SOL_SOCKET, SO_PEERCRED, &cred, &size) != 0) return {};
    return qint64(cred.uid);
#elif defined(_WIN32)
    Q_UNUSED(descriptor);
    return {};
#else
    uid_t uid = 0;
    gid_t gid = 0;
    if (getpeereid(int(descriptor), &uid, &gid) != 0) return {};
    return qint64(uid);
#endif
}

THandOffResult HandOffToRunningInstance(const QString& name, const QStringList& files)
{
    QLocalSocket socket;
    socket.connectToServer(name);
    if (!socket.waitForConnected(kConnectMs)) return {THandOffResult::NoInstance, files};
#ifndef _WIN32
    // A socket in the shared temporary folder may belong to someone else:
    // file names are not handed to another user's program.
    if (!SameUser(PeerUserId, socket.socketDescriptor())) return {THandOffResult::Failed, files};
#endif
    if (files.isEmpty())
        return {Request(socket, kRaise) ? THandOffResult::Delivered : THandOffResult::Failed, {}};
    for (qsizetype i = 0; i < files.size(); ++i)
        if (!Request(socket, kOpen + files[i].toUtf8().toPercentEncoding("/")))
            return {THandOffResult::Failed, files.mid(i)};
    socket.disconnectFromServer();
    return {THandOffResult::Delivered, {}};
}

TInstanceServer::TInstanceServer(TOpenFn open, TRaiseFn raise, QObject* parent)
    : QObject(parent), m_server(new QLocalServer(this)), m_open(std::move(open)),
      m_raise(std::move(raise)), m_peerUserId(PeerUserId)
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
#ifndef _WIN32
        if (!SameUser(m_peerUserId, socket->socketDescriptor())) {
            socket->abort();
            continue;
        }
#endif
        connect(socket, &QLocalSocket::readyRead, this, [this, socket] { Serve(socket); });
        Serve(socket);
    }
}

void TInstanceServer::Serve(QLocalSocket* socket)
{
    bool queued = false;
    while (socket->canReadLine()) {
        QByteArray line = socket->readLine(kMaxRequest);
        if (!line.endsWith('\n')) break;
        line.chop(1);
        if (line != kRaise && !line.startsWith(kOpen)) {
            socket->abort();
            return;
        }
        Queue(line);
        queued = true;
        // Acknowledged before it is carried out: from here the file is ours.
        socket->write(kAnswer);
        socket->flush();
    }
    if (socket->bytesAvailable() > kMaxRequest) socket->abort();
    if (queued) QMetaObject::invokeMethod(this, &TInstanceServer::Drain, Qt::QueuedConnection);
}

void TInstanceServer::Queue(const QByteArray& request)
{
    if (request == kRaise) {
        m_pending.append(QString());
        return;
    }
    const QString name =
        QString::fromUtf8(QByteArray::fromPercentEncoding(request.mid(kOpen.size())));
    if (!name.isEmpty()) m_pending.append(name);
}

void TInstanceServer::Drain()
{
    // Opening a file can run a nested event loop (a message about it), in
    // which more requests arrive; the outer call opens them afterwards, in
    // the order they came.
    if (m_draining) return;
    m_draining = true;
    while (!m_pending.isEmpty()) {
        const QString request = m_pending.takeFirst();
        if (request.isEmpty())
            m_raise();
        else
            m_open(request);
    }
    m_draining = false;
}

} // namespace kb
