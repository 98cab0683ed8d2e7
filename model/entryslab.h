// Shared blocks of memory for the entries a reader creates in one go.
#pragma once

#include "model/shemobj.h"

#include <memory>
#include <vector>

namespace kb {

// Places entries side by side, a few hundred to a block of memory, instead of
// one allocation each: a 65,536-entry file then costs a few hundred
// allocations, and walking its list in order walks memory in order. Each
// entry is still owned and deleted on its own (an undo step may keep one
// alive long after the others); a block goes when its last entry does.
class TEntrySlabs
{
public:
    TEntrySlabs() = default;
    ~TEntrySlabs();
    TEntrySlabs(const TEntrySlabs&) = delete;
    TEntrySlabs& operator=(const TEntrySlabs&) = delete;

    // An empty block entry, for the caller to fill in.
    std::unique_ptr<TShemObj> MakeBlock();
    std::unique_ptr<TShemObj> MakeLink(const TLink& link);

    // Deletes every entry of the list and empties it; the same as clearing
    // it, with one count of a shared block per run of its entries instead of
    // one per entry.
    static void DeleteAll(std::vector<std::unique_ptr<TShemObj>>& entries);

private:
    template <class T> std::unique_ptr<TShemObj> Make(const T& value);
    void* Place();
    void Release();

    TEntrySlab* m_slab = nullptr;
    int m_used = 0;
};

} // namespace kb
