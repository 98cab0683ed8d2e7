#include "docwin/drawing/rledeflate.h"

#include <algorithm>
#include <array>
#include <bit>
#include <cstring>
#include <queue>
#include <utility>

namespace kb {
namespace {

// Tokens coded in one block: enough that a block's table pays for itself,
// few enough that a piece of noise holds little memory.
constexpr size_t kBlockTokens = size_t(1) << 16;
constexpr int kMaxRun = 258;
constexpr int kEndOfBlock = 256;
constexpr int kLitLenSymbols = 286;
constexpr int kMaxBits = 15;
constexpr int kMaxLengthBits = 7; // of the code that codes the code lengths

// Length symbol, extra bits and their value for each run length 3..258.
struct TLengthCode
{
    uint16_t Symbol = 0;
    uint8_t ExtraBits = 0;
    uint16_t Extra = 0;
};

const std::array<TLengthCode, kMaxRun + 1>& LengthCodes()
{
    static const std::array<TLengthCode, kMaxRun + 1> table = [] {
        static const int kBase[29] = {3,  4,  5,  6,   7,   8,   9,   10,  11, 13,
                                      15, 17, 19, 23,  27,  31,  35,  43,  51, 59,
                                      67, 83, 99, 115, 131, 163, 195, 227, 258};
        static const int kExtra[29] = {0, 0, 0, 0, 0, 0, 0, 0, 1, 1, 1, 1, 2, 2, 2,
                                       2, 3, 3, 3, 3, 4, 4, 4, 4, 5, 5, 5, 5, 0};
        std::array<TLengthCode, kMaxRun + 1> t{};
        for (int code = 0; code < 29; ++code) {
            const int last = code == 28 ? 258 : kBase[code] + (1 << kExtra[code]) - 1;
            for (int length = kBase[code]; length <= last && length <= kMaxRun; ++length)
                t[size_t(length)] = {uint16_t(257 + code), uint8_t(kExtra[code]),
                                     uint16_t(length - kBase[code])};
        }
        t[258] = {285, 0, 0}; // 227 + 31 would also be 258; the format says 285
        return t;
    }();
    return table;
}

// Huffman code lengths of at most maxBits for these symbol counts. Fewer
// than two symbols in use get a second one, so that every code is complete
// (decoders are strict about incomplete ones).
std::vector<uint8_t> CodeLengths(std::vector<uint32_t> counts, int maxBits)
{
    const size_t n = counts.size();
    int used = int(std::count_if(counts.begin(), counts.end(), [](uint32_t c) { return c > 0; }));
    for (size_t s = 0; used < 2 && s < n; ++s)
        if (counts[s] == 0) {
            counts[s] = 1;
            ++used;
        }
    // The tree: leaves 0..n-1, inner nodes after them; depths from parents.
    using TNode = std::pair<uint64_t, int>; // weight, node
    std::priority_queue<TNode, std::vector<TNode>, std::greater<>> queue;
    std::vector<int> parent(2 * n, -1);
    for (size_t s = 0; s < n; ++s)
        if (counts[s] > 0) queue.push({counts[s], int(s)});
    int next = int(n);
    while (queue.size() > 1) {
        const TNode a = queue.top();
        queue.pop();
        const TNode b = queue.top();
        queue.pop();
        parent[size_t(a.second)] = parent[size_t(b.second)] = next;
        queue.push({a.first + b.first, next++});
    }
    std::vector<int> depth(size_t(next), 0);
    for (int node = next - 2; node >= 0; --node)
        if (parent[size_t(node)] >= 0)
            depth[size_t(node)] = depth[size_t(parent[size_t(node)])] + 1;

    // Too deep a tree is flattened: how many codes of each length, fitted
    // under maxBits so that they still fill the code space exactly, are then
    // handed out again, shortest to the most frequent symbols.
    std::vector<int> perLength(64, 0);
    std::vector<int> symbols;
    for (size_t s = 0; s < n; ++s)
        if (counts[s] > 0) {
            ++perLength[size_t(std::min(depth[s], maxBits))];
            symbols.push_back(int(s));
        }
    uint64_t space = 0;
    for (int len = 1; len <= maxBits; ++len)
        space += uint64_t(perLength[size_t(len)]) << (maxBits - len);
    while (space > (uint64_t(1) << maxBits)) {
        --perLength[size_t(maxBits)];
        for (int len = maxBits - 1; len > 0; --len)
            if (perLength[size_t(len)] > 0) {
                --perLength[size_t(len)];
                perLength[size_t(len) + 1] += 2;
                break;
            }
        --space;
    }
    std::stable_sort(symbols.begin(), symbols.end(),
                     [&](int a, int b) { return counts[size_t(a)] > counts[size_t(b)]; });
    std::vector<uint8_t> lengths(n, 0);
    size_t at = 0;
    for (int len = 1; len <= maxBits; ++len)
        for (int k = 0; k < perLength[size_t(len)]; ++k)
            lengths[size_t(symbols[at++])] = uint8_t(len);
    return lengths;
}

// Canonical codes for the lengths, bit-reversed: deflate sends a code's
// first bit first, and the writer puts bits in from the lowest.
std::vector<uint16_t> Codes(const std::vector<uint8_t>& lengths)
{
    std::array<uint16_t, kMaxBits + 2> next{};
    std::array<int, kMaxBits + 1> perLength{};
    for (uint8_t len : lengths)
        if (len) ++perLength[len];
    uint16_t code = 0;
    for (int len = 1; len <= kMaxBits; ++len) {
        code = uint16_t((code + perLength[size_t(len) - 1]) << 1);
        next[size_t(len)] = code;
    }
    std::vector<uint16_t> codes(lengths.size(), 0);
    for (size_t s = 0; s < lengths.size(); ++s) {
        const int len = lengths[s];
        if (!len) continue;
        uint16_t c = next[size_t(len)]++;
        uint16_t reversed = 0;
        for (int b = 0; b < len; ++b, c >>= 1)
            reversed = uint16_t(reversed << 1 | (c & 1));
        codes[s] = reversed;
    }
    return codes;
}

// A code-length sequence as the symbols 0..18 that code it: 16 repeats the
// last length 3 to 6 times, 17 and 18 give 3 to 10 and 11 to 138 zeros.
struct TLengthSymbol
{
    uint8_t Symbol;
    uint8_t Extra;
};

std::vector<TLengthSymbol> RunsOfLengths(const std::vector<uint8_t>& lengths)
{
    std::vector<TLengthSymbol> out;
    for (size_t i = 0; i < lengths.size();) {
        const uint8_t len = lengths[i];
        size_t run = 1;
        while (i + run < lengths.size() && lengths[i + run] == len)
            ++run;
        i += run;
        if (len == 0) {
            while (run >= 11) {
                const size_t k = std::min<size_t>(run, 138);
                out.push_back({18, uint8_t(k - 11)});
                run -= k;
            }
            if (run >= 3) {
                out.push_back({17, uint8_t(run - 3)});
                run = 0;
            }
        } else {
            out.push_back({len, 0});
            --run;
            while (run >= 3) {
                const size_t k = std::min<size_t>(run, 6);
                out.push_back({16, uint8_t(k - 3)});
                run -= k;
            }
        }
        for (; run > 0; --run)
            out.push_back({len, 0});
    }
    return out;
}

} // namespace

void TRleDeflate::Literal(uint8_t value)
{
    m_tokens.push_back(value);
    m_last = value;
    if (m_tokens.size() >= kBlockTokens) CodeBlock();
}

void TRleDeflate::Run(size_t length)
{
    while (length >= 3) {
        const size_t part = std::min<size_t>(length, kMaxRun);
        m_tokens.push_back(uint16_t(256 + part));
        length -= part;
        if (m_tokens.size() >= kBlockTokens) CodeBlock();
    }
    for (; length > 0; --length)
        Literal(uint8_t(m_last)); // one or two bytes after the last full run
}

void TRleDeflate::Add(const uint8_t* data, size_t size)
{
    size_t i = 0;
    while (i < size) {
        if (m_last < 0 || data[i] != m_last) {
            Literal(data[i++]);
            continue;
        }
        // The run of the last byte's value from i, eight bytes at a time.
        const uint64_t pattern = uint64_t(m_last) * 0x0101010101010101u;
        size_t end = i;
        for (; end + 8 <= size; end += 8) {
            uint64_t word;
            std::memcpy(&word, data + end, 8);
            if (const uint64_t differs = word ^ pattern) {
                end += size_t(std::countr_zero(differs) / 8);
                goto found;
            }
        }
        while (end < size && data[end] == m_last)
            ++end;
    found:
        Run(end - i);
        i = end;
    }
}

void TRleDeflate::PutBits(uint32_t bits, int count)
{
    m_bits |= uint64_t(bits) << m_bitCount;
    m_bitCount += count;
    if (m_bitCount >= 32) {
        const uint32_t low = uint32_t(m_bits);
        const uint8_t bytes[4] = {uint8_t(low), uint8_t(low >> 8), uint8_t(low >> 16),
                                  uint8_t(low >> 24)};
        m_out.insert(m_out.end(), bytes, bytes + 4);
        m_bits >>= 32;
        m_bitCount -= 32;
    }
}

// One dynamic Huffman block, not the last, of the tokens gathered so far.
void TRleDeflate::CodeBlock()
{
    const auto& lengthCodes = LengthCodes();
    std::vector<uint32_t> litCounts(kLitLenSymbols, 0);
    for (uint16_t t : m_tokens)
        ++litCounts[t < 256 ? t : lengthCodes[size_t(t - 256)].Symbol];
    litCounts[kEndOfBlock] = 1;
    const std::vector<uint8_t> litLengths = CodeLengths(litCounts, kMaxBits);
    const std::vector<uint16_t> litCodes = Codes(litLengths);
    // Every run copies from one byte back: distance code 0 (1 bit), with a
    // second code beside it to keep the distance code complete.
    const std::vector<uint8_t> distLengths{1, 1};
    const std::vector<uint16_t> distCodes = Codes(distLengths);

    int litUsed = kLitLenSymbols;
    while (litUsed > 257 && litLengths[size_t(litUsed) - 1] == 0)
        --litUsed;
    std::vector<uint8_t> all(litLengths.begin(), litLengths.begin() + litUsed);
    all.insert(all.end(), distLengths.begin(), distLengths.end());
    const std::vector<TLengthSymbol> runs = RunsOfLengths(all);
    std::vector<uint32_t> runCounts(19, 0);
    for (const TLengthSymbol& r : runs)
        ++runCounts[r.Symbol];
    const std::vector<uint8_t> runLengths = CodeLengths(runCounts, kMaxLengthBits);
    const std::vector<uint16_t> runCodes = Codes(runLengths);
    static const int kOrder[19] = {16, 17, 18, 0, 8,  7, 9,  6, 10, 5,
                                   11, 4,  12, 3, 13, 2, 14, 1, 15};
    int orderUsed = 19;
    while (orderUsed > 4 && runLengths[size_t(kOrder[orderUsed - 1])] == 0)
        --orderUsed;

    PutBits(0, 1); // not the last block
    PutBits(2, 2); // dynamic Huffman codes
    PutBits(uint32_t(litUsed - 257), 5);
    PutBits(uint32_t(distLengths.size() - 1), 5);
    PutBits(uint32_t(orderUsed - 4), 4);
    for (int k = 0; k < orderUsed; ++k)
        PutBits(runLengths[size_t(kOrder[k])], 3);
    static const int kExtraBits[19] = {0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 2, 3, 7};
    for (const TLengthSymbol& r : runs) {
        PutBits(runCodes[r.Symbol], runLengths[r.Symbol]);
        if (kExtraBits[r.Symbol]) PutBits(r.Extra, kExtraBits[r.Symbol]);
    }
    for (uint16_t t : m_tokens) {
        if (t < 256) {
            PutBits(litCodes[t], litLengths[t]);
            continue;
        }
        const TLengthCode& lc = lengthCodes[size_t(t - 256)];
        PutBits(litCodes[lc.Symbol], litLengths[lc.Symbol]);
        if (lc.ExtraBits) PutBits(lc.Extra, lc.ExtraBits);
        PutBits(distCodes[0], distLengths[0]);
    }
    PutBits(litCodes[kEndOfBlock], litLengths[kEndOfBlock]);
    m_tokens.clear();
}

std::vector<uint8_t> TRleDeflate::Finish()
{
    if (!m_tokens.empty()) CodeBlock();
    // An empty stored block (not the last): its header, then the rest of the
    // byte, then a length of 0 and its complement.
    PutBits(0, 3);
    while (m_bitCount > 0) {
        m_out.push_back(uint8_t(m_bits));
        m_bits >>= 8;
        m_bitCount = std::max(m_bitCount - 8, 0);
    }
    m_bits = 0;
    const uint8_t empty[4] = {0x00, 0x00, 0xFF, 0xFF};
    m_out.insert(m_out.end(), empty, empty + 4);
    m_last = -1;
    return std::exchange(m_out, {});
}

} // namespace kb
