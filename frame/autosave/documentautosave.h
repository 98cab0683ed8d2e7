// Keeps one document's autosave file up to date: written one interval after
// the first unsaved change, and again while changes go on; removed when the
// document is saved or closed without saving.
#pragma once

#include "frame/autosave/autosavestore.h"

#include <QElapsedTimer>
#include <QObject>
#include <QTimer>

#include <functional>

namespace kb {

class TDocumentAutosave : public QObject
{
    Q_OBJECT

public:
    static constexpr int kDefaultInterval = 60 * 1000;

    // snapshot gives the document's current content when a write is due.
    TDocumentAutosave(TAutosaveStore& store, std::function<TAutosaveRecord()> snapshot,
                      QObject* parent = nullptr, int intervalMs = kDefaultInterval);
    // Removes the file: a document that goes away was saved or discarded.
    ~TDocumentAutosave() override;

    // The document changed: a write is due one interval from the first
    // change that is not yet written.
    void DocumentChanged();
    // The document was saved or closed without saving: its file goes.
    void DocumentSettled();
    // Writes at once (used by the timer, and for a just-recovered document).
    bool WriteNow();

    // A running countdown keeps its start: the copy comes at most one new
    // interval after the first change not yet in a copy.
    void SetInterval(int intervalMs);
    bool Pending() const { return m_timer.isActive(); }
    QString Slot() const { return m_slot; }
    QTimer& Timer() { return m_timer; }
    int Interval() const { return m_interval; }

private:
    TAutosaveStore& m_store;
    std::function<TAutosaveRecord()> m_snapshot;
    QTimer m_timer;
    QString m_slot;
    bool m_written = false;
    int m_interval = kDefaultInterval;
    QElapsedTimer m_since; // from the first change not yet in a copy
};

} // namespace kb
