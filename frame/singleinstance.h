// One editor per user and display: a later start in the same session hands
// its file names to the running editor over a local socket and exits without
// creating any window.
//
// Requests are lines: "OPEN <percent-encoded UTF-8 absolute path>" or
// "RAISE". The running editor answers "OK" as soon as it has queued a
// request, before acting on it, so a message box it shows while opening a
// file never holds the sender. The sender waits a few seconds for each
// answer; a file that is not acknowledged in time is opened by the sender
// itself, as a new editor, so no file is ever opened nowhere.
#pragma once

#include <QObject>
#include <QString>
#include <QStringList>

#include <functional>
#include <optional>

class QLocalServer;
class QLocalSocket;

namespace kb {

// The display the editor shows on: WAYLAND_DISPLAY when set, else DISPLAY
// without its screen number (":0" and ":0.0" are one display). Empty when
// neither is set.
QString SessionDisplay();

// The socket name of the current user's editor on the current display. On
// Unix it is a path inside $XDG_RUNTIME_DIR when that folder is the user's
// own and private, else a name in the temporary folder.
QString InstanceName();

struct THandOffResult
{
    enum TState {
        NoInstance, // nobody listens: this start becomes the running editor
        Delivered,
        Failed, // refused, gone or silent: this start opens Remaining itself
    };
    TState State = NoInstance;
    // The files the running editor did not acknowledge, in the given order.
    QStringList Remaining;
};

// How long the sender waits for each acknowledgement.
constexpr int kAnswerMs = 5000;

// Sends every file (already absolute) in order, or only "RAISE" without files.
THandOffResult HandOffToRunningInstance(const QString& name, const QStringList& files);

// The user id of the process at the other end of a connected local socket,
// or nothing when the system cannot say.
using TPeerUserIdFn = std::function<std::optional<qint64>(qintptr descriptor)>;
std::optional<qint64> PeerUserId(qintptr descriptor);

class TInstanceServer : public QObject
{
    Q_OBJECT

public:
    using TOpenFn = std::function<void(const QString& fileName)>;
    using TRaiseFn = std::function<void()>;

    TInstanceServer(TOpenFn open, TRaiseFn raise, QObject* parent = nullptr);
    ~TInstanceServer() override;

    // Listens under name, replacing a socket left behind by an editor that
    // crashed. False when another editor took the name first.
    bool Listen(const QString& name);

    // Tests put another user at the other end of a connection through this.
    void SetPeerUserIdReader(TPeerUserIdFn reader) { m_peerUserId = std::move(reader); }

private:
    void Accept();
    void Serve(QLocalSocket* socket);
    void Queue(const QByteArray& request);
    void Drain();

    QLocalServer* m_server;
    TOpenFn m_open;
    TRaiseFn m_raise;
    TPeerUserIdFn m_peerUserId;
    // Requests acknowledged and not yet carried out, oldest first; empty
    // means a raise.
    QStringList m_pending;
    bool m_draining = false;
};

} // namespace kb
