#include "frame/autosave/documentautosave.h"

#include <algorithm>

namespace kb {

TDocumentAutosave::TDocumentAutosave(TAutosaveStore& store,
                                     std::function<TAutosaveRecord()> snapshot, QObject* parent,
                                     int intervalMs)
    : QObject(parent), m_store(store), m_snapshot(std::move(snapshot)), m_slot(store.NewSlot())
{
    m_timer.setSingleShot(true);
    // A countdown shortened by a new interval is worked out from the first
    // change; a coarse timer's slack would blur that by up to 5%.
    m_timer.setTimerType(Qt::PreciseTimer);
    m_interval = intervalMs;
    connect(&m_timer, &QTimer::timeout, this, &TDocumentAutosave::WriteNow);
}

TDocumentAutosave::~TDocumentAutosave()
{
    DocumentSettled();
}

void TDocumentAutosave::DocumentChanged()
{
    if (m_timer.isActive()) return;
    m_since.start();
    m_timer.start(m_interval);
}

void TDocumentAutosave::SetInterval(int intervalMs)
{
    m_interval = intervalMs;
    if (m_timer.isActive()) m_timer.start(int(std::max<qint64>(intervalMs - m_since.elapsed(), 0)));
}

void TDocumentAutosave::DocumentSettled()
{
    m_timer.stop();
    if (m_written) m_store.Remove(m_slot);
    m_written = false;
}

bool TDocumentAutosave::WriteNow()
{
    m_timer.stop();
    TAutosaveRecord record = m_snapshot();
    record.SavedAt = QDateTime::currentDateTime();
    // A failed write is retried with the next change; the document itself is
    // untouched, so nothing is lost by it.
    m_written = m_store.Write(m_slot, record) || m_written;
    return m_written;
}

} // namespace kb
