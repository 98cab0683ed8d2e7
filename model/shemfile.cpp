// The .bls byte format: the 21-byte magic, then one record per entry in list
// order, numbers as unsigned 16-bit little-endian values.
#include "model/shem.h"

#include <fstream>
#include <iterator>

namespace kb {

const std::string_view kFileMagic = "FileKestrabinEditorV2";

namespace {

void Put16(std::vector<uint8_t>& out, int64_t v)
{
    out.push_back(uint8_t(v & 0xFF));
    out.push_back(uint8_t((v >> 8) & 0xFF));
}

uint8_t FlagByte(const Block& b)
{
    return uint8_t((b.Kind & 0x0F) | (b.Dotted ? 0x10 : 0) | (b.Filled ? 0x20 : 0) |
                   ((b.Align & 0x03) << 6));
}

// Reads the buffer from the front; reads past the end yield nothing.
class Reader
{
public:
    explicit Reader(std::span<const uint8_t> d) : m_data(d) {}
    bool AtEnd() const { return m_pos >= m_data.size(); }
    size_t Pos() const { return m_pos; }
    bool Byte(uint8_t& v)
    {
        if (AtEnd()) return false;
        v = m_data[m_pos++];
        return true;
    }
    bool Word(int32_t& v)
    {
        if (m_pos + 2 > m_data.size()) {
            m_pos = m_data.size();
            return false;
        }
        v = int32_t(m_data[m_pos]) | int32_t(m_data[m_pos + 1]) << 8;
        m_pos += 2;
        return true;
    }

private:
    std::span<const uint8_t> m_data;
    size_t m_pos = 0;
};

std::string RecordName(int record)
{
    return "record " + std::to_string(record);
}

} // namespace

void TShem::SaveToStream(std::vector<uint8_t>& out) const
{
    // A link whose end is not an entry of this diagram cannot be written (no
    // index names it); such a link, and every link ending on it, is left out,
    // and indices count only what is written.
    const int n = Count();
    Renumber();
    std::vector<char> skip(static_cast<size_t>(n), 0);
    for (bool changed = true; changed;) {
        changed = false;
        for (int i = 0; i < n; ++i) {
            const TShemObj& e = *(*m_items)[size_t(i)];
            if (skip[size_t(i)] || !e.IsLink()) continue;
            for (const TShemObj* end : {e.link().EndA, e.link().EndB}) {
                const int k = PositionOf(end);
                if (k < 0 || skip[size_t(k)]) {
                    skip[size_t(i)] = 1;
                    changed = true;
                    break;
                }
            }
        }
    }
    std::vector<int> fileIndex(static_cast<size_t>(n), 0);
    for (int i = 0, next = 0; i < n; ++i)
        fileIndex[size_t(i)] = skip[size_t(i)] ? -1 : next++;

    out.insert(out.end(), kFileMagic.begin(), kFileMagic.end());
    for (int i = 0; i < n; ++i) {
        if (skip[size_t(i)]) continue;
        const TShemObj& e = *(*m_items)[size_t(i)];
        if (e.IsBlock()) {
            const Block& b = e.block();
            out.push_back(0);
            out.push_back(FlagByte(b));
            for (char c : b.Text)
                if (c != 0) // a zero byte would end the text early
                    out.push_back(uint8_t(c));
            out.push_back(0);
            Put16(out, b.Left);
            Put16(out, b.Top);
            Put16(out, b.Right);
            Put16(out, b.Bottom);
        } else {
            const TLink& l = e.link();
            out.push_back(1);
            out.push_back(l.Style);
            Put16(out, fileIndex[size_t(PositionOf(l.EndA))]);
            Put16(out, fileIndex[size_t(PositionOf(l.EndB))]);
            Put16(out, l.PosA.x);
            Put16(out, l.PosA.y);
            Put16(out, l.PosB.x);
            Put16(out, l.PosB.y);
        }
    }
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
    TLoadReport& rep = report ? *report : local;
    rep = {};

    // The reader works on its own copy of the data.
    const std::vector<uint8_t> buffer(source.begin(), source.end());
    if (buffer.size() < kFileMagic.size() ||
        !std::equal(kFileMagic.begin(), kFileMagic.end(), buffer.begin())) {
        rep.Problems.push_back("the data does not start with \"" + std::string(kFileMagic) +
                               "\": not a diagram file");
        SortEntries();
        return false;
    }
    rep.HeaderOk = true;
    Clear();

    Reader in(std::span<const uint8_t>(buffer).subspan(kFileMagic.size()));
    std::vector<LinkRefs> refs; // one per link, in list order
    std::vector<int64_t> pending;
    int record = 0;
    auto cutShort = [&](const char* what) {
        rep.Problems.push_back(RecordName(record) + " (" + what +
                               ") is cut short by the end of the data");
    };
    for (; !in.AtEnd(); ++record) {
        uint8_t kind = 0;
        in.Byte(kind);
        if (kind == TShemObj::okBlock) {
            Block b;
            uint8_t flags = 0;
            bool whole = in.Byte(flags);
            b.Kind = flags & 0x0F;
            b.Dotted = flags & 0x10;
            b.Filled = flags & 0x20;
            b.Align = flags >> 6;
            uint8_t c = 0;
            bool ended = false;
            if (whole && in.Byte(c)) {
                // The text runs to its 0 byte; when the data ends inside the
                // text, the text ends there and its last byte read is dropped.
                while (c != 0 && !in.AtEnd()) {
                    b.Text += char(c);
                    in.Byte(c);
                }
                ended = c == 0;
            }
            whole = whole && ended && in.Word(b.Left) && in.Word(b.Top);
            // A rectangle without its far corner shrinks to its near one.
            b.Right = b.Left;
            b.Bottom = b.Top;
            whole = whole && in.Word(b.Right) && in.Word(b.Bottom);
            if (!whole) cutShort("block");
            if (b.Kind >= kBlockKindCount)
                rep.Problems.push_back(RecordName(record) + " is a block of the unknown kind " +
                                       std::to_string(b.Kind) + "; it is shown as a rectangle");
            AddBlock(b);
        } else if (kind == TShemObj::okLink) {
            TLink l;
            LinkRefs r;
            r.record = record;
            bool whole = in.Byte(l.Style);
            const int readSoFar = Count();
            for (int k = 0; k < 2 && whole; ++k) {
                int32_t index = 0;
                whole = in.Word(index);
                if (!whole) break;
                r.end[k] = index;
                if (index < readSoFar)
                    (k == 0 ? l.EndA : l.EndB) = Get(index);
                else
                    pending.push_back(index);
            }
            whole = whole && in.Word(l.PosA.x) && in.Word(l.PosA.y) && in.Word(l.PosB.x) &&
                    in.Word(l.PosB.y);
            if (!whole) cutShort("link");
            refs.push_back(r);
            AddLink(l);
        } else {
            rep.Problems.push_back(RecordName(record) + " has the unknown kind " +
                                   std::to_string(kind) + "; the rest of the data is ignored");
            break;
        }
    }

    // Forward references, in the order the table was filled.
    size_t next = 0;
    size_t linkNo = 0;
    for (auto& e : *m_items) {
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
    Renumber();
    std::vector<char> kept(static_cast<size_t>(n), 0);
    std::vector<std::vector<int>> dependants(static_cast<size_t>(n));
    std::vector<int> waiting(static_cast<size_t>(n), 0);
    std::vector<int> ready;
    for (int i = 0; i < n; ++i) {
        const TShemObj& e = *(*m_items)[size_t(i)];
        if (e.IsBlock()) {
            ready.push_back(i);
            continue;
        }
        const TLink& l = e.link();
        if (!l.EndA || !l.EndB) continue; // never kept
        for (const TShemObj* end : {l.EndA, l.EndB}) {
            ++waiting[size_t(i)];
            dependants[size_t(PositionOf(end))].push_back(i);
        }
    }
    while (!ready.empty()) {
        const int i = ready.back();
        ready.pop_back();
        kept[size_t(i)] = 1;
        for (int d : dependants[size_t(i)])
            if (--waiting[size_t(d)] == 0) ready.push_back(d);
    }
    linkNo = 0;
    for (int i = 0; i < n; ++i) {
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
    return true;
}

bool TShem::LoadFromFile(const std::string& fileName, TLoadReport* report)
{
    std::ifstream f(fileName, std::ios::binary);
    if (!f) throw TFileError("cannot open " + fileName);
    std::vector<uint8_t> data((std::istreambuf_iterator<char>(f)),
                              std::istreambuf_iterator<char>());
    if (f.bad()) throw TFileError("cannot read " + fileName);
    return LoadFromStream(data, report);
}

} // namespace kb
