// The .bls byte format: the 21-byte magic, then one record per entry in list
// order, numbers as unsigned 16-bit little-endian values.
#include "model/shem.h"

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

// Per-record bookkeeping of the reader: which file record an entry came from
// and, for links, the file indices of its ends (-1 when missing).
struct LinkRefs
{
    int record = 0;
    int64_t end[2] = {-1, -1};
};

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
        loaded.ReadRecords(in, rep);
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

void TShem::ReadRecords(TByteReader& in, TLoadReport& rep)
{
    std::vector<LinkRefs> refs; // one per link, in list order
    std::vector<int64_t> pending;
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
            TEntryList::TVector().swap(*m_items);
            refs = {};
            pending = {};
            rep.Problems = {};
        }
        uint8_t kind = 0;
        in.Byte(kind);
        if (kind == TShemObj::okBlock) {
            // Read into its entry in place: a text copied would cost an
            // allocation per block. Records past the limit are only counted.
            auto entry = counting ? nullptr : std::make_unique<TShemObj>(Block());
            Block skipped;
            Block& b = entry ? entry->block() : skipped;
            uint8_t flags = 0;
            bool whole = in.Byte(flags);
            b.Kind = flags & 0x0F;
            b.Dotted = flags & 0x10;
            b.Filled = flags & 0x20;
            b.Align = flags >> 6;
            const bool ended = whole && in.Text(counting ? nullptr : &b.Text);
            whole = whole && ended && in.Word(b.Left) && in.Word(b.Top);
            // A rectangle without its far corner shrinks to its near one.
            b.Right = b.Left;
            b.Bottom = b.Top;
            whole = whole && in.Word(b.Right) && in.Word(b.Bottom);
            if (counting) continue;
            if (!whole) cutShort("block");
            if (b.Kind >= kBlockKindCount)
                rep.Problems.push_back(RecordName(record) + " is a block of the unknown kind " +
                                       std::to_string(b.Kind) + "; it is shown as a rectangle");
            Add(std::move(entry));
        } else if (kind == TShemObj::okLink) {
            TLink l;
            LinkRefs r;
            r.record = int(record);
            bool whole = in.Byte(l.Style);
            const int readSoFar = Count();
            for (int k = 0; k < 2 && whole; ++k) {
                int32_t index = 0;
                whole = in.Word(index);
                if (!whole || counting) continue;
                r.end[k] = index;
                if (index < readSoFar)
                    (k == 0 ? l.EndA : l.EndB) = Get(index);
                else
                    pending.push_back(index);
            }
            whole = whole && in.Word(l.PosA.x) && in.Word(l.PosA.y) && in.Word(l.PosB.x) &&
                    in.Word(l.PosB.y);
            if (counting) continue;
            if (!whole) cutShort("link");
            refs.push_back(r);
            AddLink(l);
        } else {
            if (!counting)
                rep.Problems.push_back(RecordName(record) + " has the unknown kind " +
                                       std::to_string(kind) + "; the rest of the data is ignored");
            break;
        }
    }
    if (counting) {
        rep.Refusal = TLoadRefusal::TooManyEntries;
        rep.Records = record;
        return;
    }

    // Forward references, in the order the table was filled.
    size_t next = 0;
    size_t linkNo = 0;
    for (auto& e : *m_items) {
        if (next == pending.size()) break;
        if (!e->IsLink()) continue;
        TLink& l = e->link();
        const LinkRefs& r = refs[linkNo++];
        for (int k = 0; k < 2; ++k) {
            TShemObj*& end = k == 0 ? l.EndA : l.EndB;
            if (end || r.end[k] < 0) continue;
            const int64_t index = pending[next++];
            if (index < Count()) end = Get(int(index));
        }
    }

    // Links with a missing end, and links that end on links in a cycle, would
    // break every later use of the diagram (an end nowhere, an attachment
    // computed forever). They are dropped with every link that ends on them:
    // a link is kept once both its ends are kept.
    const int n = Count();
    if (!m_indexValid) Renumber(); // Add numbered the entries
    std::vector<char> kept(static_cast<size_t>(n), 0);
    std::vector<int> waiting(static_cast<size_t>(n), 0);
    std::vector<int> ready;
    // The links that end on each entry, as one table in entry order: the
    // positions of both ends, then their count per entry, then the links.
    std::vector<int> endAt(2 * size_t(n), -1);
    std::vector<int> first(size_t(n) + 1, 0);
    for (int i = 0; i < n; ++i) {
        const TShemObj& e = *(*m_items)[size_t(i)];
        if (e.IsBlock()) {
            ready.push_back(i);
            continue;
        }
        const TLink& l = e.link();
        if (!l.EndA || !l.EndB) continue; // never kept
        for (int k = 0; k < 2; ++k) {
            const int at = PositionOf(k == 0 ? l.EndA : l.EndB);
            endAt[2 * size_t(i) + size_t(k)] = at;
            ++waiting[size_t(i)];
            ++first[size_t(at) + 1];
        }
    }
    for (size_t k = 1; k < first.size(); ++k)
        first[k] += first[k - 1];
    std::vector<int> dependants(size_t(first.back()));
    std::vector<int> fill(first.begin(), first.end() - 1);
    for (size_t k = 0; k < endAt.size(); ++k)
        if (endAt[k] >= 0) dependants[size_t(fill[size_t(endAt[k])]++)] = int(k / 2);
    while (!ready.empty()) {
        const int i = ready.back();
        ready.pop_back();
        kept[size_t(i)] = 1;
        for (int k = first[size_t(i)]; k < first[size_t(i) + 1]; ++k)
            if (const int d = dependants[size_t(k)]; --waiting[size_t(d)] == 0) ready.push_back(d);
    }
    linkNo = 0;
    const bool allKept = std::count(kept.begin(), kept.end(), 1) == n;
    for (int i = 0; i < n && !allKept; ++i) {
        const TShemObj& e = *(*m_items)[size_t(i)];
        if (!e.IsLink()) continue;
        const LinkRefs& r = refs[linkNo++];
        if (kept[size_t(i)]) continue;
        ++rep.DroppedLinks;
        const TLink& l = e.link();
        std::string why;
        if (!l.EndA || !l.EndB) {
            const int k = l.EndA ? 1 : 0;
            why = r.end[k] < 0 ? "lacks its end " + std::string(k ? "B" : "A")
                               : "has end " + std::string(k ? "B" : "A") + " on entry " +
                                     std::to_string(r.end[k]) + ", which the file does not hold";
        } else {
            why = "ends on a link that is dropped or on a cycle of links";
        }
        rep.Problems.push_back("link " + RecordName(r.record) + " " + why + "; it is dropped");
    }
    if (rep.DroppedLinks > 0) {
        EraseMarked([&] {
            std::vector<char> doomed(static_cast<size_t>(n));
            for (int i = 0; i < n; ++i)
                doomed[size_t(i)] = !kept[size_t(i)];
            return doomed;
        }());
    }
    SortEntries();
}

} // namespace kb
