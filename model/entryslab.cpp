#include "model/entryslab.h"

#include <atomic>

#if defined(__SANITIZE_ADDRESS__)
#include <sanitizer/asan_interface.h>
#endif

namespace kb {

struct TEntrySlab
{
    static constexpr int kEntries = 256;
    // The entries placed here and alive, plus the places not yet handed out,
    // plus one for the TEntrySlabs still filling the block. Entries may die
    // on any thread (an undo step dropped elsewhere), hence atomic.
    std::atomic<int> Live{kEntries + 1};
    alignas(TShemObj) unsigned char Room[kEntries * sizeof(TShemObj)];
};

namespace {

// Under AddressSanitizer the places not in use are poisoned, so that a read
// through a pointer to a deleted entry is caught as it is for entries
// allocated one by one.
void MarkUnused([[maybe_unused]] void* place, [[maybe_unused]] size_t bytes)
{
#if defined(__SANITIZE_ADDRESS__)
    ASAN_POISON_MEMORY_REGION(place, bytes);
#endif
}

void MarkUsed([[maybe_unused]] void* place, [[maybe_unused]] size_t bytes)
{
#if defined(__SANITIZE_ADDRESS__)
    ASAN_UNPOISON_MEMORY_REGION(place, bytes);
#endif
}

void Drop(TEntrySlab* slab, int count)
{
    if (slab->Live.fetch_sub(count, std::memory_order_acq_rel) == count) {
        MarkUsed(slab->Room, sizeof slab->Room); // as the allocator gave it
        delete slab;
    }
}

// Ends the life of an entry placed in a shared block, leaving the place.
void Destroy(TShemObj* entry)
{
    entry->~TShemObj();
    MarkUnused(entry, sizeof(TShemObj));
}

} // namespace

void TShemObj::operator delete(TShemObj* entry, std::destroying_delete_t)
{
    TEntrySlab* slab = entry->m_slab.Slab;
    if (!slab) {
        entry->~TShemObj();
        ::operator delete(static_cast<void*>(entry), sizeof(TShemObj));
        return;
    }
    Destroy(entry);
    Drop(slab, 1);
}

void TEntrySlabs::DeleteAll(std::vector<std::unique_ptr<TShemObj>>& entries)
{
    TEntrySlab* run = nullptr;
    int count = 0;
    for (auto& owned : entries) {
        TShemObj* entry = owned.release();
        if (!entry) continue;
        TEntrySlab* slab = entry->m_slab.Slab;
        if (!slab) {
            delete entry;
            continue;
        }
        if (slab != run) {
            if (run) Drop(run, count);
            run = slab;
            count = 0;
        }
        Destroy(entry);
        ++count;
    }
    if (run) Drop(run, count);
    entries.clear();
}

TEntrySlabs::~TEntrySlabs()
{
    Release();
}

void TEntrySlabs::Release()
{
    if (!m_slab) return;
    Drop(m_slab, TEntrySlab::kEntries - m_used + 1);
    m_slab = nullptr;
}

void* TEntrySlabs::Place()
{
    if (!m_slab || m_used == TEntrySlab::kEntries) {
        Release();
        m_slab = new TEntrySlab; // the room is left uninitialised
        m_used = 0;
        MarkUnused(m_slab->Room, sizeof m_slab->Room);
    }
    void* place = m_slab->Room + size_t(m_used++) * sizeof(TShemObj);
    MarkUsed(place, sizeof(TShemObj));
    return place;
}

template <class T> std::unique_ptr<TShemObj> TEntrySlabs::Make(const T& value)
{
    void* place = Place();
    TShemObj* entry = nullptr;
    try {
        entry = ::new (place) TShemObj(value);
    } catch (...) {
        // The place is given back: the next entry takes it.
        MarkUnused(place, sizeof(TShemObj));
        --m_used;
        throw;
    }
    entry->m_slab.Slab = m_slab;
    return std::unique_ptr<TShemObj>(entry);
}

std::unique_ptr<TShemObj> TEntrySlabs::MakeBlock()
{
    return Make(Block());
}

std::unique_ptr<TShemObj> TEntrySlabs::MakeLink(const TLink& link)
{
    return Make(link);
}

} // namespace kb
