// Autosave files: every modified document is copied, in the .bls format, into
// the user's data folder, so that a crash, a power cut or a killed process
// loses at most the last minute of work.
//
// Each running editor is one session. It holds a lock file for the session
// while it runs; its autosave files carry the session id in their names. Files
// of a session whose lock nobody holds belong to an editor that died: they are
// stale, and the next editor offers to recover them.
#pragma once

#include <QByteArray>
#include <QDateTime>
#include <QLockFile>
#include <QString>

#include <memory>
#include <optional>
#include <vector>

namespace kb {

// What one autosave file holds.
struct TAutosaveRecord
{
    QString OriginalPath; // the document's file, empty for a new document
    QString Caption;      // the window title of a new document
    QDateTime SavedAt;
    QByteArray Diagram; // the .bls bytes
};

struct TStaleAutosave
{
    QString File; // the autosave file
    TAutosaveRecord Record;
};

class TAutosaveStore
{
public:
    // The default folder: the application data location's autosave/.
    static QString DefaultFolder();

    // Opens the folder (creating it) and takes this session's lock.
    explicit TAutosaveStore(const QString& folder = DefaultFolder());
    ~TAutosaveStore();
    TAutosaveStore(const TAutosaveStore&) = delete;
    TAutosaveStore& operator=(const TAutosaveStore&) = delete;

    // False when the folder cannot be created or locked; writes then fail.
    bool IsActive() const;
    QString Folder() const { return m_folder; }
    QString SessionId() const { return m_session; }

    // A new file name for one document of this session (nothing is written).
    QString NewSlot();
    // Writes the record atomically into slot; false (with the reason) on failure.
    bool Write(const QString& slot, const TAutosaveRecord& record, QString* error = nullptr);
    // Removes one of this session's files.
    void Remove(const QString& slot);

    // Autosave files of sessions that no running editor holds.
    std::vector<TStaleAutosave> StaleFiles() const;
    // Deletes a stale file, and its session's lock file once it has no more.
    void Discard(const QString& file);

    static std::optional<TAutosaveRecord> Read(const QString& file);

private:
    QString LockPath(const QString& session) const;
    bool SessionIsLive(const QString& session) const;

    QString m_folder;
    QString m_session;
    std::unique_ptr<QLockFile> m_lock;
    int m_nextSlot = 1;
};

} // namespace kb
