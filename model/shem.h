// TShem, the diagram: one ordered list of entries. The list order is the file
// order, the order in which hit tests find entries and the order the Pascal
// export walks.
#pragma once

#include "model/canvas.h"
#include "model/geometry.h"
#include "model/listsink.h"
#include "model/shemobj.h"

#include <cstdint>
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

// What the reader had to leave out or guess while loading. A damaged file
// never yields a link with an empty end or a cycle of links ending on links:
// such links are dropped (with every link that ends on them) and listed here.
struct TLoadReport
{
    bool HeaderOk = false;
    int DroppedLinks = 0;
    std::vector<std::string> Problems; // one sentence each, in file order

    bool Clean() const { return HeaderOk && Problems.empty(); }
};

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

class TShem
{
public:
    explicit TShem(TListSink* view = nullptr);
    ~TShem();
    TShem(const TShem&) = delete;
    TShem& operator=(const TShem&) = delete;

    TListSink* View() const { return m_view; }
    void SetView(TListSink* view) { m_view = view; }

    void Clear();
    int Add(std::unique_ptr<TShemObj> entry);
    int AddBlock(const Block& b);
    int AddLink(const TLink& l);
    void Insert(int index, std::unique_ptr<TShemObj> entry);
    TShemObj* Get(int index) const;
    int Count() const { return int(m_items.size()); }
    int IndexOf(const TShemObj* entry) const;

    // Deletes the entry, every link that ends on it (and on those links), and
    // the joint points at the ends of every link deleted. The view is not
    // touched: callers call RefreshList afterwards.
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
    TLinkEnds LinkEnds(const TLink& link) const;
    // The union of all block rectangles; (65535, 65535, 0, 0) without blocks.
    TRect Bounds() const;

    void RefreshList();
    void AddListItem(TShemObj* entry);

    void PasteFrom(const TShem& source, TPoint offset, std::vector<TShemObj*>* selection);
    void ChangeKind(TShemObj* entry, uint8_t kind);
    TShemObj* FindText(const TShemObj* after, std::string_view pattern, bool caseSensitive) const;
    TShemObj* ReplaceText(const TShemObj* after, std::string_view pattern, bool caseSensitive,
                          std::string_view replacement);
    void SortEntries();

    void SaveToStream(std::vector<uint8_t>& out) const;
    std::vector<uint8_t> SaveToBytes() const;
    bool LoadFromStream(std::span<const uint8_t> data, TLoadReport* report = nullptr);
    // Throws TFileError when the file cannot be opened or read.
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

    // Draws the whole diagram black on white at the integer scale s, for paper.
    void Render(int s, const TFont& font, TCanvas& canvas) const;
    // The area Render draws: (0, 0, (Right - o.x) * s, (Bottom - o.y) * s).
    TRect RenderArea(int s) const;
    TPoint RenderOrigin() const;

private:
    void Renumber() const;
    void InvalidateIndex()
    {
        m_indexValid = false;
        m_positionsValid = false;
    }
    // IndexOf for entries known to be alive: reads the position they cache.
    int PositionOf(const TShemObj* entry) const;
    void EraseMarked(const std::vector<char>& doomed);
    void SortLinksTopologically(int from);
    std::vector<char> DeleteClosure(const std::vector<int>& seeds) const;

    std::vector<std::unique_ptr<TShemObj>> m_items;
    TListSink* m_view = nullptr;
    mutable bool m_indexValid = true;
    mutable std::unordered_map<const TShemObj*, int> m_positions;
    mutable bool m_positionsValid = false;
};

} // namespace kb
