#include "model/shem.h"

#include "model/cp1251.h"
#include "model/entryorder.h"
#include "model/entryslab.h"

#include <cmath>
#include <numbers>
#include <unordered_map>
#include <unordered_set>

namespace kb {

TShem::TShem() = default;

TShem::~TShem()
{
    Clear();
}

void TShem::Clear()
{
    TEntrySlabs::DeleteAll(*m_items);
    m_indexValid = true;
    m_positions.clear();
    m_positionsValid = false; // rebuilt on the first look-up, not on every Add
}

int TShem::Add(std::unique_ptr<TShemObj> entry)
{
    TShemObj* e = entry.get();
    m_items->push_back(std::move(entry));
    e->m_index = Count() - 1;
    if (m_positionsValid) m_positions.emplace(e, Count() - 1);
    return Count() - 1;
}

int TShem::AddBlock(const Block& b)
{
    return Add(std::make_unique<TShemObj>(b));
}
int TShem::AddLink(const TLink& l)
{
    return Add(std::make_unique<TShemObj>(l));
}

void TShem::Insert(int index, std::unique_ptr<TShemObj> entry)
{
    if (index < 0 || index > Count())
        throw std::out_of_range("TShem::Insert: list index out of bounds");
    m_items->insert(m_items->begin() + index, std::move(entry));
    InvalidateIndex();
}

TShemObj* TShem::Get(int index) const
{
    if (index < 0 || index >= Count())
        throw std::out_of_range("TShem::Get: list index out of bounds");
    return (*m_items)[size_t(index)].get();
}

void TShem::Renumber() const
{
    for (size_t i = 0; i < m_items->size(); ++i)
        (*m_items)[i]->m_index = int(i);
    m_indexValid = true;
}

int TShem::PositionOf(const TShemObj* entry) const
{
    if (!entry) return -1;
    if (!m_indexValid) Renumber();
    const int i = entry->m_index;
    return i >= 0 && i < Count() && (*m_items)[size_t(i)].get() == entry ? i : -1;
}

// Callers may hold pointers to entries that are gone (a selection list, a
// row of the object list), so the public look-up compares addresses only and
// never reads through the pointer it is given.
int TShem::IndexOf(const TShemObj* entry) const
{
    if (!entry) return -1;
    if (!m_positionsValid) {
        m_positions.clear();
        m_positions.reserve(m_items->size());
        for (size_t i = 0; i < m_items->size(); ++i)
            m_positions.emplace((*m_items)[i].get(), int(i));
        m_positionsValid = true;
    }
    const auto it = m_positions.find(entry);
    return it == m_positions.end() ? -1 : it->second;
}

// Everything the delete cascade takes with the seed entries: the links that end
// on a deleted entry, and the joint points at the ends of a deleted link, until
// nothing more is added. The result does not depend on the order in which the
// cascade visits entries, so one breadth-first pass gives it in linear time.
std::vector<char> TShem::DeleteClosure(const std::vector<int>& seeds) const
{
    const int n = Count();
    Renumber();
    // Links ending on each entry, as compressed rows.
    std::vector<int> start(size_t(n) + 1, 0);
    for (const auto& e : *m_items)
        if (e->IsLink()) {
            const TLink& l = e->link();
            if (const int a = PositionOf(l.EndA); a >= 0) ++start[size_t(a) + 1];
            if (const int b = PositionOf(l.EndB); b >= 0 && l.EndB != l.EndA)
                ++start[size_t(b) + 1];
        }
    for (int i = 0; i < n; ++i)
        start[size_t(i) + 1] += start[size_t(i)];
    std::vector<int> linksOn(static_cast<size_t>(start[size_t(n)]));
    std::vector<int> fill(start.begin(), start.end() - 1);
    for (int i = 0; i < n; ++i) {
        const TShemObj& e = *(*m_items)[size_t(i)];
        if (!e.IsLink()) continue;
        const TLink& l = e.link();
        if (const int a = PositionOf(l.EndA); a >= 0) linksOn[size_t(fill[size_t(a)]++)] = i;
        if (const int b = PositionOf(l.EndB); b >= 0 && l.EndB != l.EndA)
            linksOn[size_t(fill[size_t(b)]++)] = i;
    }

    std::vector<char> doomed(static_cast<size_t>(n), 0);
    std::vector<int> queue;
    auto doom = [&](int i) {
        if (i >= 0 && !doomed[size_t(i)]) {
            doomed[size_t(i)] = 1;
            queue.push_back(i);
        }
    };
    for (int s : seeds)
        doom(s);
    for (size_t q = 0; q < queue.size(); ++q) {
        const int i = queue[q];
        for (int k = start[size_t(i)]; k < start[size_t(i) + 1]; ++k)
            doom(linksOn[size_t(k)]);
        const TShemObj& e = *(*m_items)[size_t(i)];
        if (e.IsLink()) {
            for (const TShemObj* end : {e.link().EndA, e.link().EndB})
                if (end && end->IsJoint()) doom(PositionOf(end));
        }
    }
    return doomed;
}

void TShem::EraseMarked(const std::vector<char>& doomed)
{
    size_t out = 0;
    for (size_t i = 0; i < m_items->size(); ++i)
        if (!doomed[i]) (*m_items)[out++] = std::move((*m_items)[i]);
    m_items->resize(out);
    InvalidateIndex();
}

void TShem::Delete(int index)
{
    Get(index); // index check
    EraseMarked(DeleteClosure({index}));
}

void TShem::Remove(TShemObj* entry)
{
    Delete(IndexOf(entry));
}

void TShem::RemoveAll(const std::vector<TShemObj*>& entries)
{
    std::vector<int> seeds;
    for (TShemObj* e : entries)
        if (const int i = IndexOf(e); i >= 0) seeds.push_back(i);
    if (!seeds.empty()) EraseMarked(DeleteClosure(seeds));
}

std::vector<TShemObj*> TShem::CascadeOf(const std::vector<TShemObj*>& seeds) const
{
    std::vector<int> indices;
    for (const TShemObj* e : seeds)
        if (const int i = IndexOf(e); i >= 0) indices.push_back(i);
    std::vector<TShemObj*> cascade;
    if (indices.empty()) return cascade;
    const std::vector<char> doomed = DeleteClosure(indices);
    for (size_t i = 0; i < doomed.size(); ++i)
        if (doomed[i]) cascade.push_back((*m_items)[i].get());
    return cascade;
}

std::vector<TTakenEntry> TShem::TakeOut(const std::vector<TShemObj*>& entries)
{
    std::vector<char> marked(m_items->size(), 0);
    bool any = false;
    for (const TShemObj* e : entries)
        if (const int i = IndexOf(e); i >= 0) {
            marked[size_t(i)] = 1;
            any = true;
        }
    std::vector<TTakenEntry> taken;
    if (!any) return taken;
    TEntryList::TVector& items = *m_items;
    size_t out = 0;
    for (size_t i = 0; i < items.size(); ++i) {
        if (marked[i])
            taken.push_back(TTakenEntry{int(i), std::move(items[i])});
        else
            items[out++] = std::move(items[i]);
    }
    items.resize(out);
    InvalidateIndex();
    return taken;
}

void TShem::PutBack(std::vector<TTakenEntry>& taken)
{
    if (taken.empty()) return;
    // One merge instead of an insertion per entry: the taken indices are
    // ascending and name places in the list as it will be afterwards.
    TEntryList::TVector& items = *m_items;
    TEntryList::TVector merged;
    merged.reserve(items.size() + taken.size());
    size_t next = 0, t = 0;
    while (t < taken.size() || next < items.size()) {
        if (t < taken.size() && size_t(taken[t].Index) <= merged.size())
            merged.push_back(std::move(taken[t++].Entry));
        else if (next < items.size())
            merged.push_back(std::move(items[next++]));
        else
            merged.push_back(std::move(taken[t++].Entry)); // past the end: appended
    }
    items = std::move(merged);
    taken.clear();
    InvalidateIndex();
}

int TShem::NextLinkOf(const TShemObj* after, const TShemObj* entry) const
{
    const int from = after ? IndexOf(after) + 1 : 0;
    for (int i = from; i < Count(); ++i) {
        const TShemObj& e = *(*m_items)[size_t(i)];
        if (e.IsLink() && (e.link().EndA == entry || e.link().EndB == entry)) return i;
    }
    return -1;
}

namespace {

TPoint PointOnBlock(TPoint pos, const Block& b)
{
    return {int32_t(b.Left + RoundDiv(int64_t(pos.x) * (int64_t(b.Right) - b.Left), kMaxCoord)),
            int32_t(b.Top + RoundDiv(int64_t(pos.y) * (int64_t(b.Bottom) - b.Top), kMaxCoord))};
}

TPoint PointOnSegment(int32_t x, TLinkEnds s)
{
    return {int32_t(s.A.x + RoundDiv(int64_t(x) * (int64_t(s.B.x) - s.A.x), kMaxCoord)),
            int32_t(s.A.y + RoundDiv(int64_t(x) * (int64_t(s.B.y) - s.A.y), kMaxCoord))};
}

} // namespace

// A link's point on the entry it sits on, from what is known already: a link
// end on a link not yet resolved (only on a cycle, which the reader never
// lets in) is at the origin.
TPoint TShem::At(TPoint pos, const TShemObj* e) const
{
    if (!e) return {};
    if (e->IsBlock()) return PointOnBlock(pos, e->block());
    const auto it = m_linkEnds.find(e);
    return it == m_linkEnds.end() ? TPoint{} : PointOnSegment(pos.x, it->second);
}

// The end points of a link. Positions on links nest, so each link is solved
// once per change of the diagram (a chain walked link by link would
// otherwise cost the square of its length, and a crafted file could make the
// work grow exponentially), with an explicit stack (no depth limit from the
// call stack).
const TLinkEnds& TShem::SegmentOf(const TShemObj* top) const
{
    if (m_linkEndsAt != ChangeCount()) {
        m_linkEnds.clear();
        m_linkEndsAt = ChangeCount();
    }
    if (const auto it = m_linkEnds.find(top); it != m_linkEnds.end()) return it->second;
    std::unordered_set<const TShemObj*> open;
    std::vector<const TShemObj*> stack{top};
    while (!stack.empty()) {
        const TShemObj* e = stack.back();
        if (m_linkEnds.count(e)) {
            stack.pop_back();
            continue;
        }
        const TLink& l = e->link();
        if (open.insert(e).second) {
            for (const TShemObj* end : {l.EndA, l.EndB})
                if (end && end->IsLink() && !m_linkEnds.count(end) && !open.count(end))
                    stack.push_back(end);
            continue;
        }
        m_linkEnds.emplace(e, TLinkEnds{At(l.PosA, l.EndA), At(l.PosB, l.EndB)});
        stack.pop_back();
    }
    return m_linkEnds.find(top)->second;
}

TLinkEnds TShem::LinkEnds(const TLink& l) const
{
    for (const TShemObj* end : {l.EndA, l.EndB})
        if (end && end->IsLink()) SegmentOf(end);
    return {At(l.PosA, l.EndA), At(l.PosB, l.EndB)};
}

TPoint TShem::AttachPoint(TPoint pos, const TShemObj* entry) const
{
    if (entry && entry->IsLink()) SegmentOf(entry);
    return At(pos, entry);
}

TRect TShem::Bounds() const
{
    TRect r{kMaxCoord, kMaxCoord, 0, 0};
    for (const auto& e : *m_items) {
        if (!e->IsBlock()) continue;
        Unite(r, e->block().Rect());
    }
    return r;
}

TListRow ListRowOf(TShemObj* e)
{
    const Block& b = e->block();
    TListRow row;
    row.Caption = b.Text.substr(0, b.Text.find('\r'));
    row.ImageIndex = b.Kind;
    row.Position = FormatPoint({b.Left, b.Top});
    row.Size = FormatPoint({b.Right - b.Left, b.Bottom - b.Top});
    row.Entry = e;
    return row;
}

bool HasListRow(const TShemObj* e)
{
    return e->IsBlock() && e->block().Kind != bkJoint;
}

void TShem::PasteFrom(const TShem& source, TPoint offset, std::vector<TShemObj*>* selection)
{
    if (source.Count() == 0) return;
    std::unordered_map<const TShemObj*, TShemObj*> copyOf;
    std::vector<TShemObj*> copies;
    for (const auto& e : *source.m_items) {
        if (e->IsBlock()) {
            Block b = e->block();
            b.Left = ClampCoord(int64_t(b.Left) + offset.x);
            b.Right = ClampCoord(int64_t(b.Right) + offset.x);
            b.Top = ClampCoord(int64_t(b.Top) + offset.y);
            b.Bottom = ClampCoord(int64_t(b.Bottom) + offset.y);
            copies.push_back(Get(AddBlock(b)));
        } else {
            TLink l = e->link();
            auto a = copyOf.find(l.EndA);
            auto b = copyOf.find(l.EndB);
            if (a == copyOf.end() || b == copyOf.end())
                continue; // an end not copied yet: the link is left out
            l.EndA = a->second;
            l.EndB = b->second;
            copies.push_back(Get(AddLink(l)));
        }
        copyOf[e.get()] = copies.back();
    }
    if (selection) *selection = std::move(copies);
}

namespace {

int32_t Clamped(double v)
{
    return ClampCoord(Trunc(v));
}

// Moves an attachment position onto the outline of a block of the new kind,
// in the unit square of positions.
TPoint OntoOutline(TPoint p, uint8_t kind)
{
    const int32_t x = p.x, y = p.y;
    switch (kind) {
    case bkRectangle:
    case bkProcess:
        if (x == 0 || x == kMaxCoord || y == 0 || y == kMaxCoord) return p;
        return {x > 32767 ? kMaxCoord : 0, y};
    case bkEllipse: {
        const double dx = x - 32767.0, dy = y - 32767.0;
        if (std::abs(std::sqrt(dx * dx + dy * dy) - 32767) <= 2) return p;
        const double s = std::sqrt(double(kMaxCoord - x) * x);
        return {x, Clamped(y > 32767 ? 32767 + s : 32767 - s)};
    }
    case bkRhomb: {
        const int32_t d = std::abs(x - 32767);
        return {x, y < 32767 ? d : kMaxCoord - d};
    }
    case bkParallelogram:
        if (x < 10923 && y != kMaxCoord) return {x, ClampCoord(kMaxCoord - 6 * int64_t(x))};
        if (x > 54612 && y != 0) return {x, ClampCoord(kMaxCoord - 6 * (int64_t(x) - 54612))};
        if (x >= 10923 && x <= 54612) return {x, y > 32767 ? kMaxCoord : 0};
        return p;
    case bkCommentary: {
        const int32_t nx = MinInt(x, 6553);
        if (nx == 0) return {nx, y};
        return {nx, y >= 32767 ? kMaxCoord : 0};
    }
    case bkDocument:
        if (x == 0 || y == 0 || (x == kMaxCoord && y <= 49151)) return p;
        return {x, Clamped(kMaxCoord - x / 4.0 +
                           4095 * std::sin(2 * std::numbers::pi * x / double(kMaxCoord)))};
    case bkDivider:
        if (y >= 43690) return {x, Clamped(kMaxCoord - 2 * std::abs(x - 32767) / 3.0)};
        if (y != 0) return {x >= 32767 ? kMaxCoord : 0, y};
        return p;
    default:
        return p;
    }
}

} // namespace

void TShem::ChangeKind(TShemObj* entry, uint8_t kind)
{
    if (!entry || !entry->IsBlock() || entry->block().Kind == bkJoint || kind == bkJoint ||
        kind >= kBlockKindCount)
        return;
    NoteChanged(); // link ends move below through their entries
    int i = NextLinkOf(nullptr, entry);
    while (i >= 0) {
        TShemObj* linkEntry = Get(i);
        if (kind == bkText) {
            Delete(i);
            i = NextLinkOf(nullptr, entry);
            continue;
        }
        TLink& l = linkEntry->link();
        TPoint& pos = l.EndA == entry ? l.PosA : l.PosB;
        pos = OntoOutline(pos, kind);
        i = NextLinkOf(linkEntry, entry);
    }
    entry->block().Kind = kind;
}

namespace {

struct TextMatcher
{
    std::string pattern;
    bool caseSensitive;

    TextMatcher(std::string_view p, bool cs)
        : pattern(cs ? std::string(p) : LowerCase1251(p)), caseSensitive(cs)
    {
    }
    size_t FindIn(std::string_view text, size_t from = 0) const
    {
        if (caseSensitive) return text.find(pattern, from);
        return LowerCase1251(text).find(pattern, from);
    }
};

} // namespace

TShemObj* TShem::FindText(const TShemObj* after, std::string_view pattern, bool caseSensitive) const
{
    if (pattern.empty()) return nullptr;
    int from = 0;
    if (after) {
        const int i = IndexOf(after);
        if (i < 0) return nullptr;
        from = i + 1;
    }
    const TextMatcher m(pattern, caseSensitive);
    for (int i = from; i < Count(); ++i) {
        TShemObj* e = (*m_items)[size_t(i)].get();
        if (e->IsBlock() && m.FindIn(e->block().Text) != std::string::npos) return e;
    }
    return nullptr;
}

TShemObj* TShem::ReplaceText(const TShemObj* after, std::string_view pattern, bool caseSensitive,
                             std::string_view replacement)
{
    TShemObj* found = FindText(after, pattern, caseSensitive);
    if (!found) return nullptr;
    NoteChanged(); // the text changes through its entry
    const TextMatcher m(pattern, caseSensitive);
    // Each replacement is followed by a fresh search of the new text. When the
    // replacement itself holds the pattern that search would never end, so
    // then every occurrence is replaced once, left to right, instead.
    const bool once = m.FindIn(replacement) != std::string::npos;
    // Rewriting can in rare cases create occurrences faster than it removes
    // them; past the format's text limit the text is left as it stands.
    constexpr size_t kLimit = 65535;
    std::string& text = found->block().Text;
    size_t at = m.FindIn(text);
    while (at != std::string::npos) {
        text.replace(at, pattern.size(), replacement);
        if (once) {
            at = m.FindIn(text, at + replacement.size());
        } else {
            if (text.size() > kLimit) break;
            // Nothing before the replaced occurrence matched, so a new match
            // can only start where it overlaps the replacement.
            at = m.FindIn(text, at >= pattern.size() ? at - pattern.size() + 1 : 0);
        }
    }
    return found;
}

void TShem::SortEntries()
{
    const int n = Count();
    std::vector<char> isLink(size_t(n), 0);
    std::vector<int> linkEnds(2 * size_t(n), -1);
    for (int i = 0; i < n; ++i) {
        const TShemObj& e = *(*m_items)[size_t(i)];
        if (!e.IsLink()) continue;
        isLink[size_t(i)] = 1;
        for (int k = 0; k < 2; ++k)
            if (const TShemObj* end = k == 0 ? e.link().EndA : e.link().EndB; end && end->IsLink())
                linkEnds[2 * size_t(i) + size_t(k)] = PositionOf(end);
    }
    const std::vector<int> order = SortedOrder(isLink, linkEnds);
    TEntryList::TVector sorted;
    sorted.reserve(size_t(n));
    for (int p = 0; p < n; ++p) {
        sorted.push_back(std::move((*m_items)[size_t(order[size_t(p)])]));
        sorted.back()->m_index = p;
    }
    *m_items = std::move(sorted);
    InvalidateIndex();
    m_indexValid = true;
}

} // namespace kb
