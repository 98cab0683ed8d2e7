// One editor per user: a later start hands its file names to the running
// editor over a local socket and exits without creating any window.
//
// Requests are lines: "OPEN <percent-encoded UTF-8 absolute path>" or
// "RAISE". The running editor answers each with "OK" once it has handled it,
// and the sender waits for that answer before the next request, so files
// open in the order they were given.
#pragma once

#include <QObject>
#include <QString>
#include <QStringList>

#include <functional>

class QLocalServer;
class QLocalSocket;

namespace kb {

// The socket name of the current user's editor.
QString InstanceName();

enum class THandOff {
    NoInstance, // nobody listens: this start becomes the running editor
    Delivered,
    Failed, // the running editor went away or stopped answering midway
};

// Sends every file (already absolute) in order, or only "RAISE" without files.
THandOff HandOffToRunningInstance(const QString& name, const QStringList& files);

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

private:
    void Accept();
    void Serve(QLocalSocket* socket);
    void Handle(const QByteArray& request);

    QLocalServer* m_server;
    TOpenFn m_open;
    TRaiseFn m_raise;
};

} // namespace kb
