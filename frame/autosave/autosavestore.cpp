#include "frame/autosave/autosavestore.h"

#include "docwin/drawing/atomicdevice.h"

#include <QCoreApplication>
#include <QDataStream>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>
#include <QStandardPaths>

namespace kb {
namespace {

const char kSuffix[] = ".kbautosave";
const char kLockSuffix[] = ".lock";
const quint32 kMagic = 0x4B424153; // "KBAS"
const quint16 kVersion = 1;

// "<session>-<n>.kbautosave" -> "<session>".
QString SessionOf(const QString& fileName)
{
    const QString base = QFileInfo(fileName).fileName();
    const int dash = base.lastIndexOf('-');
    return dash > 0 ? base.left(dash) : QString();
}

} // namespace

QString TAutosaveStore::DefaultFolder()
{
    return QStandardPaths::writableLocation(QStandardPaths::AppDataLocation) + "/autosave";
}

TAutosaveStore::TAutosaveStore(const QString& folder) : m_folder(folder)
{
    m_session = QStringLiteral("s%1x%2")
                    .arg(QCoreApplication::applicationPid())
                    .arg(QRandomGenerator::global()->generate(), 8, 16, QLatin1Char('0'));
    if (!QDir().mkpath(m_folder)) return;
    auto lock = std::make_unique<QLockFile>(LockPath(m_session));
    lock->setStaleLockTime(0); // only a dead owner makes a lock stale, never its age
    if (lock->tryLock(0)) m_lock = std::move(lock);
}

TAutosaveStore::~TAutosaveStore()
{
    // A clean exit leaves nothing behind: documents were saved or discarded.
    if (m_lock) m_lock->unlock();
}

bool TAutosaveStore::IsActive() const
{
    return m_lock != nullptr;
}

QString TAutosaveStore::LockPath(const QString& session) const
{
    return m_folder + '/' + session + kLockSuffix;
}

QString TAutosaveStore::NewSlot()
{
    return m_folder + '/' + m_session + '-' + QString::number(m_nextSlot++) + kSuffix;
}

bool TAutosaveStore::Write(const QString& slot, const TAutosaveRecord& record, QString* error)
{
    if (!IsActive()) {
        if (error) *error = QStringLiteral("no autosave folder");
        return false;
    }
    QByteArray bytes;
    QDataStream out(&bytes, QIODevice::WriteOnly);
    out.setVersion(QDataStream::Qt_6_0);
    out << kMagic << kVersion << record.OriginalPath << record.Caption << record.SavedAt
        << record.Diagram;
    if (out.status() != QDataStream::Ok) {
        if (error) *error = QStringLiteral("cannot serialise the autosave record");
        return false;
    }
    // Written through the model's writer: a full disk leaves the previous copy.
    const TWriteStatus status = WriteFileAtomically(
        NativeFileName(slot),
        std::span(reinterpret_cast<const uint8_t*>(bytes.constData()), size_t(bytes.size())));
    if (!status.Ok() && error) *error = QString::fromLocal8Bit(status.Error.c_str());
    return status.Ok();
}

void TAutosaveStore::Remove(const QString& slot)
{
    QFile::remove(slot);
}

std::optional<TAutosaveRecord> TAutosaveStore::Read(const QString& file)
{
    QFile f(file);
    if (!f.open(QIODevice::ReadOnly)) return std::nullopt;
    QDataStream in(&f);
    in.setVersion(QDataStream::Qt_6_0);
    quint32 magic = 0;
    quint16 version = 0;
    TAutosaveRecord r;
    in >> magic >> version;
    if (magic != kMagic || version != kVersion) return std::nullopt;
    in >> r.OriginalPath >> r.Caption >> r.SavedAt >> r.Diagram;
    if (in.status() != QDataStream::Ok) return std::nullopt;
    return r;
}

bool TAutosaveStore::SessionIsLive(const QString& session) const
{
    if (session == m_session) return true;
    QLockFile probe(LockPath(session));
    probe.setStaleLockTime(0);
    if (!probe.tryLock(0)) return probe.error() == QLockFile::LockFailedError;
    // Nobody held it: the session is over. Leave no lock of ours behind.
    probe.unlock();
    return false;
}

std::vector<TStaleAutosave> TAutosaveStore::StaleFiles() const
{
    std::vector<TStaleAutosave> out;
    const QDir dir(m_folder);
    const QStringList files =
        dir.entryList({QStringLiteral("*") + kSuffix}, QDir::Files, QDir::Time | QDir::Reversed);
    for (const QString& name : files) {
        const QString path = dir.filePath(name);
        if (SessionIsLive(SessionOf(path))) continue;
        if (auto record = Read(path)) out.push_back({path, *record});
    }
    return out;
}

void TAutosaveStore::Discard(const QString& file)
{
    QFile::remove(file);
    const QString session = SessionOf(file);
    if (session.isEmpty() || session == m_session) return;
    const QDir dir(m_folder);
    if (dir.entryList({session + "-*" + kSuffix}, QDir::Files).isEmpty())
        QFile::remove(LockPath(session));
}

} // namespace kb
