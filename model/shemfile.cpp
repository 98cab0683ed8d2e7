// The .bls byte format: the 21-byte magic, then one record per entry in list
// order, numbers as unsigned 16-bit little-endian values.
#include "model/shem.h"

#include "model/entryorder.h"
#include "model/entryslab.h"

#include <algorithm>
#include <cstring>
#include <fstream>
#include <new>

namespace kb {

const std::string_view kFileMagic = "FileKestrabinEditorV2";

namespace {

// Thrown inside the reader when the data grows past kMaxFileBytes.
struct TTooLarge
{
    int64_t Bytes;
};

} // namespace

// Reads a diagram's bytes from the front, from memory or from a file a piece
// at a time; reads past the end yield nothing.
class TByteReader
{
public:
    explicit TByteReader(std::span<const uint8_t> data)
        : m_cur(data.data()), m_end(data.data() + data.size())
    {
    }
    TByteReader(std::istream& in, std::string name) : m_in(&in), m_name(std::move(name)) {}

    bool AtEnd() { return m_cur == m_end && !Refill(); }
    bool Byte(uint8_t& v)
    {
        if (AtEnd()) return false;
        v = *m_cur++;
        return true;
    }
    bool Word(int32_t& v)
    {
        if (m_end - m_cur >= 2) {
            v = int32_t(m_cur[0]) | int32_t(m_cur[1]) << 8;
            m_cur += 2;
            return true;
        }
        uint8_t lo = 0, hi = 0;
        if (!Byte(lo) || !Byte(hi)) return false;
        v = int32_t(lo) | int32_t(hi) << 8;
        return true;
    }
    // Reads a block's text up to and with its 0 byte, appending it to text
    // (when given); true when the 0 was there. When the data ends inside the
    // text, the text ends there without the last byte read.
    bool Text(std::string* text)
    {
        bool any = false;
        while (!AtEnd()) {
            any = true;
            const auto* zero =
                static_cast<const uint8_t*>(std::memchr(m_cur, 0, size_t(m_end - m_cur)));
            const uint8_t* stop = zero ? zero : m_end;
            if (text) text->append(reinterpret_cast<const char*>(m_cur), size_t(stop - m_cur));
            m_cur = zero ? zero + 1 : m_end;
            if (zero) return true;
        }
        if (any && text && !text->empty()) text->pop_back();
        return false;
    }

private:
    bool Refill()
    {
        if (!m_in) return false;
        m_buffer.resize(kChunk);
        m_in->read(reinterpret_cast<char*>(m_buffer.data()), std::streamsize(kChunk));
        const auto got = size_t(m_in->gcount());
        if (got == 0) {
            if (m_in->bad()) throw TFileError("cannot read " + m_name);
            return false;
        }
        m_total += int64_t(got);
        // A device or a growing file has no size to check in advance.
        if (m_total > kMaxFileBytes) throw TTooLarge{m_total};
        m_cur = m_buffer.data();
        m_end = m_cur + got;
        return true;
    }

    static constexpr size_t kChunk = 64 * 1024;
    const uint8_t* m_cur = nullptr;
    const uint8_t* m_end = nullptr;
    std::istream* m_in = nullptr;
    std::string m_name;
    std::vector<uint8_t> m_buffer;
    int64_t m_total = 0;
};

namespace {

uint8_t FlagByte(const Block& b)
{
    return uint8_t((b.Kind & 0x0F) | (b.Dotted ? 0x10 : 0) | (b.Filled ? 0x20 : 0) |
                   ((b.Align & 0x03) << 6));
}

std::string RecordName(int64_t record)
{
    return "record " + std::to_string(record);
}

} // namespace

std::string TLoadReport::RefusalText() const
{
    switch (Refusal) {
    case TLoadRefusal::None:
        return {};
    case TLoadRefusal::TooLarge:
        return "the file is larger than " + std::to_string(kMaxFileBytes >> 20) +
               " MiB, more than any diagram needs";
    case TLoadRefusal::TooManyEntries:
        return "the file holds " + std::to_string(Records) + " records; a diagram holds at most " +
               std::to_string(kMaxEntries);
    case TLoadRefusal::OutOfMemory:
        return "there is not enough memory to load the file";
    }
    return {};
}

std::string SaveRefusalText(int entries)
{
    if (entries <= kMaxEntries) return {};
    return "the diagram has " + std::to_string(entries) +
           " entries; a diagram file holds at most " + std::to_string(kMaxEntries);
}

bool TShem::SaveToStream(std::vector<uint8_t>& out) const
{
    // A link whose end is not an entry of this diagram cannot be written (no
    // index names it); such a link, and every link ending on it, is left out,
    // and indices count only what is written.
    const int n = Count();
    Renumber();
    // The list positions of the links' ends, looked up once: each look-up
    // reads a far entry, which is most of the cost on a large diagram.
    std::vector<int> endAt(2 * size_t(n), -1);
    std::vector<char> isLink(static_cast<size_t>(n), 0);
    std::vector<size_t> recordBytes(static_cast<size_t>(n), 14);
    for (int i = 0; i < n; ++i) {
        const TShemObj& e = *(*m_items)[size_t(i)];
        if (e.IsBlock()) {
            recordBytes[size_t(i)] = 11 + e.block().Text.size();
            continue;
        }
        isLink[size_t(i)] = 1;
        endAt[2 * size_t(i)] = PositionOf(e.link().EndA);
        endAt[2 * size_t(i) + 1] = PositionOf(e.link().EndB);
    }
    std::vector<char> skip(static_cast<size_t>(n), 0);
    for (bool changed = true; changed;) {
        changed = false;
        for (int i = 0; i < n; ++i) {
            if (skip[size_t(i)] || !isLink[size_t(i)]) continue;
            for (const int k : {endAt[2 * size_t(i)], endAt[2 * size_t(i) + 1]}) {
                if (k < 0 || skip[size_t(k)]) {
                    skip[size_t(i)] = 1;
                    changed = true;
                    break;
                }
            }
        }
    }
    std::vector<int> fileIndex(static_cast<size_t>(n), 0);
    int written = 0;
    size_t bytes = kFileMagic.size();
    for (int i = 0; i < n; ++i) {
        fileIndex[size_t(i)] = skip[size_t(i)] ? -1 : written++;
        if (!skip[size_t(i)]) bytes += recordBytes[size_t(i)];
    }
    // Past this many, 16-bit end indices would name the wrong entries.
    if (written > kMaxEntries) return false;

    // Written in place into room made once; a text's zero bytes (which
    // would end it early) are left out, so the room may be more than used.
    const size_t start = out.size();
    out.resize(start + bytes);
    uint8_t* at = out.data() + start;
    const auto put16 = [&at](int64_t v) {
        *at++ = uint8_t(v & 0xFF);
        *at++ = uint8_t((v >> 8) & 0xFF);
    };
    at = std::copy(kFileMagic.begin(), kFileMagic.end(), at);
    for (int i = 0; i < n; ++i) {
        if (skip[size_t(i)]) continue;
        const TShemObj& e = *(*m_items)[size_t(i)];
        if (e.IsBlock()) {
            const Block& b = e.block();
            *at++ = 0;
            *at++ = FlagByte(b);
            at = std::copy_if(b.Text.begin(), b.Text.end(), at, [](char c) { return c != 0; });
            *at++ = 0;
            put16(b.Left);
            put16(b.Top);
            put16(b.Right);
            put16(b.Bottom);
        } else {
            const TLink& l = e.link();
            *at++ = 1;
            *at++ = l.Style;
            put16(fileIndex[size_t(endAt[2 * size_t(i)])]);
            put16(fileIndex[size_t(endAt[2 * size_t(i) + 1])]);
            put16(l.PosA.x);
            put16(l.PosA.y);
            put16(l.PosB.x);
            put16(l.PosB.y);
        }
    }
    out.resize(size_t(at - out.data()));
    return true;
}

std::vector<uint8_t> TShem::SaveToBytes() const
{
    std::vector<uint8_t> out;
    SaveToStream(out);
    return out;
}

namespace {

// One record as read, before it becomes an entry: the reader puts the
// records in list order first and then makes each entry once, in its place.
struct TRecord
{
    bool IsLink = false;
    uint8_t Byte = 0;          // a block's flag byte, a link's style
    int32_t Box[4] = {};       // a block's Left, Top, Right, Bottom; a link's PosA, PosB
    int32_t End[2] = {-1, -1}; // a link's ends as the file names them; -1 when missing
    uint32_t TextAt = 0;       // a block's text in the reader's one text buffer
    uint32_t TextSize = 0;
};

// A link's end as a record index, -1 when it is missing or past the records.
int EndOf(const TRecord& r, int k, int records)
{
    return r.End[k] >= 0 && r.End[k] < records ? r.End[k] : -1;
}

// Which records the diagram keeps: every block, and every link once both of
// its ends are kept.
std::vector<char> KeptRecords(const std::vector<TRecord>& records)
{
    const int n = int(records.size());
    std::vector<char> kept(static_cast<size_t>(n), 0);
    // Most files have no link ending on a link: a link on two blocks stays.
    bool linksOnLinks = false;
    for (int i = 0; i < n && !linksOnLinks; ++i) {
        const TRecord& r = records[size_t(i)];
        if (!r.IsLink) {
            kept[size_t(i)] = 1;
            continue;
        }
        const int a = EndOf(r, 0, n), b = EndOf(r, 1, n);
        if (a < 0 || b < 0) continue; // never kept
        linksOnLinks = records[size_t(a)].IsLink || records[size_t(b)].IsLink;
        kept[size_t(i)] = !linksOnLinks;
    }
    if (!linksOnLinks) return kept;

    // Otherwise a walk from the blocks over the links that end on what is
    // kept; links on a cycle are never reached.
    std::fill(kept.begin(), kept.end(), 0);
    std::vector<int> waiting(static_cast<size_t>(n), 0);
    std::vector<int> ready;
    // The links that end on each record, as one table in record order: their
    // count per record, then the links.
    std::vector<int> first(size_t(n) + 1, 0);
    for (int i = 0; i < n; ++i) {
        const TRecord& r = records[size_t(i)];
        if (!r.IsLink) {
            ready.push_back(i);
            continue;
        }
        if (EndOf(r, 0, n) < 0 || EndOf(r, 1, n) < 0) continue; // never kept
        waiting[size_t(i)] = 2;
        ++first[size_t(r.End[0]) + 1];
        ++first[size_t(r.End[1]) + 1];
    }
    for (size_t k = 1; k < first.size(); ++k)
        first[k] += first[k - 1];
    std::vector<int> dependants(size_t(first.back()));
    std::vector<int> fill(first.begin(), first.end() - 1);
    for (int i = 0; i < n; ++i)
        if (waiting[size_t(i)] > 0)
            for (int k = 0; k < 2; ++k)
                dependants[size_t(fill[size_t(records[size_t(i)].End[k])]++)] = i;
    while (!ready.empty()) {
        const int i = ready.back();
        ready.pop_back();
        kept[size_t(i)] = 1;
        for (int k = first[size_t(i)]; k < first[size_t(i) + 1]; ++k)
            if (const int d = dependants[size_t(k)]; --waiting[size_t(d)] == 0) ready.push_back(d);
    }
    return kept;
}

// Lists each dropped link with the reason, in file order.
void ReportDropped(const std::vector<TRecord>& records, const std::vector<char>& kept,
                   TLoadReport& rep)
{
    const int n = int(records.size());
    for (int i = 0; i < n; ++i) {
        const TRecord& r = records[size_t(i)];
        if (kept[size_t(i)]) continue;
        ++rep.DroppedLinks;
        std::string why;
        if (EndOf(r, 0, n) < 0 || EndOf(r, 1, n) < 0) {
            const int k = EndOf(r, 0, n) < 0 ? 0 : 1;
            why = r.End[k] < 0 ? "lacks its end " + std::string(k ? "B" : "A")
                               : "has end " + std::string(k ? "B" : "A") + " on entry " +
                                     std::to_string(r.End[k]) + ", which the file does not hold";
        } else {
            why = "ends on a link that is dropped or on a cycle of links";
        }
        rep.Problems.push_back("link " + RecordName(i) + " " + why + "; it is dropped");
    }
}

// The kept records in list order, as SortEntries would put their entries.
std::vector<int> ListOrder(const std::vector<TRecord>& records, const std::vector<char>& kept)
{
    const size_t n = records.size();
    std::vector<int> keptAt(n, -1); // a kept record's place among the kept
    std::vector<int> keptRecords;
    keptRecords.reserve(n);
    for (size_t i = 0; i < n; ++i)
        if (kept[i]) {
            keptAt[i] = int(keptRecords.size());
            keptRecords.push_back(int(i));
        }
    const size_t m = keptRecords.size();
    std::vector<char> isLink(m, 0);
    std::vector<int> linkEnds(2 * m, -1);
    for (size_t p = 0; p < m; ++p) {
        const TRecord& r = records[size_t(keptRecords[p])];
        if (!r.IsLink) continue;
        isLink[p] = 1;
        for (int k = 0; k < 2; ++k)
            if (records[size_t(r.End[k])].IsLink)
                linkEnds[2 * p + size_t(k)] = keptAt[size_t(r.End[k])];
    }
    std::vector<int> order = SortedOrder(isLink, linkEnds);
    for (int& p : order)
        p = keptRecords[size_t(p)];
    return order;
}

} // namespace

bool TShem::LoadFromStream(std::span<const uint8_t> source, TLoadReport* report)
{
    TLoadReport local;
    TByteReader in(source);
    return Load(in, report ? *report : local, int64_t(source.size()));
}

bool TShem::LoadFromFile(const std::string& fileName, TLoadReport* report)
{
    std::ifstream f(fileName, std::ios::binary);
    if (!f) throw TFileError("cannot open " + fileName);
    int64_t size = -1;
    if (f.seekg(0, std::ios::end)) size = int64_t(f.tellg());
    f.clear();
    f.seekg(0, std::ios::beg);
    f.clear();
    TLoadReport local;
    TByteReader in(f, fileName);
    return Load(in, report ? *report : local, size);
}

bool TShem::Load(TByteReader& in, TLoadReport& rep, int64_t size)
{
    rep = {};
    try {
        // The header is checked before anything else is read, so a file that
        // is not a diagram costs nothing however large it is.
        bool header = true;
        for (char m : kFileMagic) {
            uint8_t c = 0;
            if (!in.Byte(c) || c != uint8_t(m)) {
                header = false;
                break;
            }
        }
        if (!header) {
            rep.Problems.push_back("the data does not start with \"" + std::string(kFileMagic) +
                                   "\": not a diagram file");
            SortEntries();
            return false;
        }
        rep.HeaderOk = true;
        if (size > kMaxFileBytes) throw TTooLarge{size};
        // Read aside, so that a refused file leaves this diagram as it was.
        TShem loaded;
        loaded.ReadRecords(in, rep, size);
        if (rep.Refusal == TLoadRefusal::None) {
            Adopt(loaded);
            return true;
        }
    } catch (const TTooLarge& tooLarge) {
        rep.Refusal = TLoadRefusal::TooLarge;
        rep.Bytes = tooLarge.Bytes;
    } catch (const std::bad_alloc&) {
        rep.Refusal = TLoadRefusal::OutOfMemory;
    }
    rep.Problems.clear();
    rep.DroppedLinks = 0;
    return false;
}

void TShem::Adopt(TShem& loaded)
{
    Clear();
    m_items->swap(*loaded.m_items);
    InvalidateIndex();
    // The entries keep their places, so the numbers the loader gave them
    // hold; each pass over a large diagram's entries costs.
    if (loaded.m_indexValid)
        m_indexValid = true;
    else
        Renumber();
}

void TShem::ReadRecords(TByteReader& in, TLoadReport& rep, int64_t size)
{
    std::vector<TRecord> records;
    std::string texts; // every block's text, one after another
    if (size > 0) {
        // A record takes at least 11 bytes.
        records.reserve(size_t(std::min<int64_t>(size / 11 + 1, kMaxEntries)));
        texts.reserve(size_t(size));
    }
    int64_t record = 0;
    // Past kMaxEntries records the file cannot be taken: what was read goes,
    // and the rest is only counted, for the message.
    bool counting = false;
    auto cutShort = [&](const char* what) {
        if (!counting)
            rep.Problems.push_back(RecordName(record) + " (" + what +
                                   ") is cut short by the end of the data");
    };
    for (; !in.AtEnd(); ++record) {
        if (record == kMaxEntries && !counting) {
            counting = true;
            records = {};
            texts = {};
            rep.Problems = {};
        }
        uint8_t kind = 0;
        in.Byte(kind);
        TRecord r;
        if (kind == TShemObj::okBlock) {
            bool whole = in.Byte(r.Byte);
            r.TextAt = uint32_t(texts.size());
            const bool ended = whole && in.Text(counting ? nullptr : &texts);
            r.TextSize = uint32_t(texts.size() - r.TextAt);
            whole = whole && ended && in.Word(r.Box[0]) && in.Word(r.Box[1]);
            // A rectangle without its far corner shrinks to its near one.
            r.Box[2] = r.Box[0];
            r.Box[3] = r.Box[1];
            whole = whole && in.Word(r.Box[2]) && in.Word(r.Box[3]);
            if (counting) continue;
            if (!whole) cutShort("block");
            if (const int blockKind = r.Byte & 0x0F; blockKind >= kBlockKindCount)
                rep.Problems.push_back(RecordName(record) + " is a block of the unknown kind " +
                                       std::to_string(blockKind) + "; it is shown as a rectangle");
        } else if (kind == TShemObj::okLink) {
            r.IsLink = true;
            bool whole = in.Byte(r.Byte);
            for (int k = 0; k < 2 && whole; ++k) {
                int32_t index = 0;
                whole = in.Word(index);
                if (whole) r.End[k] = index;
            }
            for (int k = 0; k < 4 && whole; ++k)
                whole = in.Word(r.Box[k]);
            if (counting) continue;
            if (!whole) cutShort("link");
        } else {
            if (!counting)
                rep.Problems.push_back(RecordName(record) + " has the unknown kind " +
                                       std::to_string(kind) + "; the rest of the data is ignored");
            break;
        }
        records.push_back(r);
    }
    if (counting) {
        rep.Refusal = TLoadRefusal::TooManyEntries;
        rep.Records = record;
        return;
    }

    // Links with a missing end, and links that end on links in a cycle, would
    // break every later use of the diagram (an end nowhere, an attachment
    // computed forever). They are dropped with every link that ends on them.
    const int n = int(records.size());
    const std::vector<char> kept = KeptRecords(records);
    ReportDropped(records, kept, rep);
    const std::vector<int> listed = ListOrder(records, kept);
    const size_t m = listed.size();

    // The sort puts every end before the links on it, so each link finds
    // its ends made already; should one not be, a second walk sets it.
    bool late = false;
    TEntrySlabs slabs;
    TEntryList::TVector& items = *m_items;
    items.reserve(m);
    std::vector<TShemObj*> entryOf(size_t(n), nullptr); // by record
    for (size_t p = 0; p < m; ++p) {
        const int i = listed[p];
        const TRecord& r = records[size_t(i)];
        std::unique_ptr<TShemObj> entry;
        if (r.IsLink) {
            TLink l;
            l.Style = r.Byte;
            l.EndA = entryOf[size_t(r.End[0])];
            l.EndB = entryOf[size_t(r.End[1])];
            l.PosA = {r.Box[0], r.Box[1]};
            l.PosB = {r.Box[2], r.Box[3]};
            late = late || !l.EndA || !l.EndB;
            entry = slabs.MakeLink(l);
        } else {
            entry = slabs.MakeBlock();
            Block& b = entry->block();
            b.Kind = r.Byte & 0x0F;
            b.Dotted = r.Byte & 0x10;
            b.Filled = r.Byte & 0x20;
            b.Align = r.Byte >> 6;
            b.Text.assign(texts, r.TextAt, r.TextSize);
            b.Left = r.Box[0];
            b.Top = r.Box[1];
            b.Right = r.Box[2];
            b.Bottom = r.Box[3];
        }
        entry->m_index = int(p);
        entryOf[size_t(i)] = entry.get();
        items.push_back(std::move(entry));
    }
    for (size_t p = 0; late && p < m; ++p)
        if (TShemObj& e = *items[p]; e.IsLink()) {
            const TRecord& r = records[size_t(listed[p])];
            e.link().EndA = entryOf[size_t(r.End[0])];
            e.link().EndB = entryOf[size_t(r.End[1])];
        }
    m_indexValid = true;
}

} // namespace kb
