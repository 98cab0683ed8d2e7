// TShem, the diagram: one ordered list of entries. The list order is the file
// order, the order in which hit tests find entries and the order the Pascal
// export walks.
#pragma once

#include "model/canvas.h"
#include "model/geometry.h"
#include "model/listsink.h"
#include "model/shemobj.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <span>
#include <stdexcept>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace kb {

// "FileKestrabinEditorV2", the first 21 bytes of every diagram file.
extern const std::string_view kFileMagic;

// The most entries a diagram can hold: a link names the entries its ends sit
// on by 16-bit record indices, so a file cannot refer past this many records.
inline constexpr int kMaxEntries = 65536;

// The largest file the reader takes. Far above any diagram the format can
// hold with real texts, and small enough that a wrong or hostile file cannot
// exhaust memory.
inline constexpr int64_t kMaxFileBytes = int64_t(64) << 20;

// Why the reader turned down a file whose header was right.
enum class TLoadRefusal : uint8_t {
    None,
    TooLarge,       // more than kMaxFileBytes
    TooManyEntries, // more than kMaxEntries records
    OutOfMemory,
};

// What the reader had to leave out or guess while loading. A damaged file
// never yields a link with an empty end or a cycle of links ending on links:
// such links are dropped (with every link that ends on them) and listed here.
struct TLoadReport
{
    bool HeaderOk = false;
    // A refused file leaves the diagram as it was.
    TLoadRefusal Refusal = TLoadRefusal::None;
    int64_t Records = 0; // with TooManyEntries, how many records the file holds
    int64_t Bytes = 0;   // with TooLarge, the size of the file as far as known
    int DroppedLinks = 0;
    std::vector<std::string> Problems; // one sentence each, in file order

    bool Clean() const { return HeaderOk && Refusal == TLoadRefusal::None && Problems.empty(); }
    // The refusal in one sentence, empty when there is none.
    std::string RefusalText() const;
};

// The reason a diagram cannot be written in the file format: a file names at
// most kMaxEntries entries. Empty when it can.
std::string SaveRefusalText(int entries);

// An error opening a diagram file (as opposed to its content).
class TFileError : public std::runtime_error
{
public:
    using std::runtime_error::runtime_error;
};

// An entry taken out of the list with the index it stood at, kept whole so
// that it can be put back where it was (an undo history holds these).
struct TTakenEntry
{
    int Index = -1;
    std::unique_ptr<TShemObj> Entry;
};

struct TLinkEnds
{
    TPoint A;
    TPoint B;
};

class TByteReader;
class THitIndex;
struct THitIndexDeleter
{
    void operator()(THitIndex* index) const;
};

// The entry list of a diagram, counting its changes: every access through a
// non-const reference counts as one. A member of TShem that changes the list
// therefore cannot forget to count; one that changes entries in place without
// touching the list calls Touch().
class TEntryList
{
public:
    using TVector = std::vector<std::unique_ptr<TShemObj>>;
    const TVector& operator*() const { return m_entries; }
    const TVector* operator->() const { return &m_entries; }
    TVector& operator*()
    {
        Touch();
        return m_entries;
    }
    TVector* operator->()
    {
        Touch();
        return &m_entries;
    }
    void Touch() { ++m_changes; }
    uint64_t Changes() const { return m_changes; }

private:
    TVector m_entries;
    uint64_t m_changes = 0;
};

class TShem
{
public:
    TShem();
    ~TShem();
    TShem(const TShem&) = delete;
    TShem& operator=(const TShem&) = delete;

    void Clear();
    int Add(std::unique_ptr<TShemObj> entry);
    int AddBlock(const Block& b);
    int AddLink(const TLink& l);
    void Insert(int index, std::unique_ptr<TShemObj> entry);
    TShemObj* Get(int index) const;
    int Count() const { return int(m_items->size()); }
    int IndexOf(const TShemObj* entry) const;

    // Deletes the entry, every link that ends on it (and on those links), and
    // the joint points at the ends of every link deleted.
    void Delete(int index);
    void Remove(TShemObj* entry);
    // The same cascade for several entries at once, in one pass.
    void RemoveAll(const std::vector<TShemObj*>& entries);

    // What RemoveAll(seeds) would delete, in list order.
    std::vector<TShemObj*> CascadeOf(const std::vector<TShemObj*>& seeds) const;
    // Takes exactly these entries out of the list without destroying them
    // (no cascade), in list order; entries not in the list are skipped.
    std::vector<TTakenEntry> TakeOut(const std::vector<TShemObj*>& entries);
    // Puts taken entries back at their indices, in the order TakeOut gave
    // them; the list must be as TakeOut left it. The vector is emptied.
    void PutBack(std::vector<TTakenEntry>& taken);

    // The first link after `after` (from the front when null) with an end on entry.
    int NextLinkOf(const TShemObj* after, const TShemObj* entry) const;
    TPoint AttachPoint(TPoint pos, const TShemObj* entry) const;
    // The end points of a link. Ends on links are remembered until the
    // diagram changes, so walking every link of a chain stays linear.
    TLinkEnds LinkEnds(const TLink& link) const;

    // Counts every change made through TShem. Code that changes an entry in
    // place through its pointer (a block's rectangle, a link's end or
    // position) calls NoteChanged, so that remembered link ends are dropped.
    void NoteChanged() { m_items.Touch(); }
    uint64_t ChangeCount() const { return m_items.Changes(); }
    // The union of all block rectangles; (65535, 65535, 0, 0) without blocks.
    TRect Bounds() const;

    void PasteFrom(const TShem& source, TPoint offset, std::vector<TShemObj*>* selection);
    void ChangeKind(TShemObj* entry, uint8_t kind);
    TShemObj* FindText(const TShemObj* after, std::string_view pattern, bool caseSensitive) const;
    TShemObj* ReplaceText(const TShemObj* after, std::string_view pattern, bool caseSensitive,
                          std::string_view replacement);
    void SortEntries();

    // Appends the file bytes to out. A diagram of more than kMaxEntries
    // entries cannot be written without losing its links: nothing is
    // appended and the result is false (SaveRefusalText says why).
    bool SaveToStream(std::vector<uint8_t>& out) const;
    // Empty for a diagram that cannot be written.
    std::vector<uint8_t> SaveToBytes() const;
    // False when the header is wrong or the file is refused (report->Refusal);
    // the diagram then keeps its entries. Never throws for want of memory.
    bool LoadFromStream(std::span<const uint8_t> data, TLoadReport* report = nullptr);
    // Reads the file a piece at a time: a wrong header or a file over
    // kMaxFileBytes is turned down before the rest is read. Throws TFileError
    // when the file cannot be opened or read.
    bool LoadFromFile(const std::string& fileName, TLoadReport* report = nullptr);

    // Hit tests, all in diagram units, first match in list order.
    TShemObj* ObjectAt(TPoint p) const;
    TShemObj* NextInRect(const TShemObj* after, TRect r) const;
    // Index form of NextInRect for enumerating a whole region in one pass.
    int NextInRectIndex(int after, TRect r) const;
    bool TouchesRect(const TShemObj& entry, const TRect& r) const;
    TShemObj* LinkTargetAt(TPoint p, TPoint& snapped) const;
    TShemObj* HandleAt(TPoint p, int& handle) const;
    // end: 1 for end A, 0 for end B (1 when nothing is found).
    TShemObj* LinkEndAt(TPoint p, int& end) const;
    // The hit tests narrow their walk with a spatial index of the entries
    // once a diagram is large and unchanged for a few tests; off, they walk
    // the whole list (for comparisons and measurements).
    void UseSpatialIndex(bool on);

    // Draws the whole diagram black on white at the integer scale s, for paper.
    void Render(int s, const TFont& font, TCanvas& canvas) const;
    // The area Render draws: (0, 0, (Right - o.x) * s, (Bottom - o.y) * s).
    TRect RenderArea(int s) const;
    TPoint RenderOrigin() const;

private:
    bool Load(TByteReader& in, TLoadReport& report, int64_t size);
    void ReadRecords(TByteReader& in, TLoadReport& report, int64_t size);
    void Adopt(TShem& loaded);
    void Renumber() const;
    void InvalidateIndex()
    {
        m_indexValid = false;
        m_positionsValid = false;
    }
    // IndexOf for entries known to be alive: reads the position they cache.
    int PositionOf(const TShemObj* entry) const;
    void EraseMarked(const std::vector<char>& doomed);
    std::vector<char> DeleteClosure(const std::vector<int>& seeds) const;
    const TLinkEnds& SegmentOf(const TShemObj* link) const;
    TPoint At(TPoint pos, const TShemObj* entry) const;
    // The spatial index of the hit tests when it pays to use it, else null
    // (hittest.cpp); a linear walk instead reports how many entries it tried.
    THitIndex* HitIndex() const;
    void NoteLinearWalk(int64_t walked) const;
    // The first entry, in list order, under p that passes test.
    TShemObj* FirstAt(TPoint p, const std::function<bool(const TShemObj&)>& test) const;

    TEntryList m_items;
    mutable bool m_indexValid = true;
    mutable std::unordered_map<const TShemObj*, int> m_positions;
    mutable bool m_positionsValid = false;
    // End points of links, valid while ChangeCount() equals m_linkEndsAt.
    mutable std::unordered_map<const TShemObj*, TLinkEnds> m_linkEnds;
    mutable uint64_t m_linkEndsAt = ~uint64_t(0);
    // A grid of the entries for the hit tests, rebuilt after a change once
    // the linear walks have cost more than a rebuild.
    mutable std::unique_ptr<THitIndex, THitIndexDeleter> m_hitIndex;
};

} // namespace kb
