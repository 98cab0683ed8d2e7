#include "model/keywords.h"

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

namespace kb {
namespace {

// A word of up to 16 bytes as two integers, zero-padded, so that comparing
// a line with a keyword takes two integer comparisons instead of a loop: the
// converter asks about every line at every nesting level.
struct TPacked
{
    uint64_t Lo = 0;
    uint64_t Hi = 0;
};
constexpr size_t kPackedBytes = 16;

TPacked Pack(std::string_view s)
{
    char bytes[kPackedBytes] = {};
    std::memcpy(bytes, s.data(), std::min(s.size(), kPackedBytes));
    TPacked p;
    std::memcpy(&p.Lo, bytes, 8);
    std::memcpy(&p.Hi, bytes + 8, 8);
    return p;
}

struct TLengthEntry
{
    TPacked CaseMask; // 0x20 in each byte of the word: sets the lower-case bit
    std::vector<std::pair<TPacked, TKeyword>> Words;
};

// Keywords are lower-case ASCII letters only. Setting bit 0x20 of a byte
// makes it one of them only when it already was that letter in either case,
// so folding the whole word at once ignores A-Z case and nothing else.
const std::array<TLengthEntry, kPackedBytes>& ByLength()
{
    static const std::array<TLengthEntry, kPackedBytes> table = [] {
        std::array<TLengthEntry, kPackedBytes> t;
        for (size_t n = 0; n < kPackedBytes; ++n)
            t[n].CaseMask = Pack(std::string(n, ' '));
        for (int i = 0; i < kKeywordCount; ++i)
            t[kKeywords[size_t(i)].size()].Words.push_back(
                {Pack(kKeywords[size_t(i)]), TKeyword(i)});
        return t;
    }();
    return table;
}

} // namespace

std::string_view KeywordText(TKeyword k)
{
    return k >= 0 && k < kKeywordCount ? kKeywords[size_t(k)] : std::string_view{};
}

TKeyword FindKeyword(std::string_view text)
{
    // Most lines asked about are statements: the length alone rules out
    // nearly every one, and leaves at most four words to compare.
    if (text.size() >= kPackedBytes) return kwNone;
    const TLengthEntry& entry = ByLength()[text.size()];
    if (entry.Words.empty()) return kwNone;
    TPacked folded = Pack(text);
    folded.Lo |= entry.CaseMask.Lo;
    folded.Hi |= entry.CaseMask.Hi;
    for (const auto& [word, keyword] : entry.Words)
        if (word.Lo == folded.Lo && word.Hi == folded.Hi) return keyword;
    return kwNone;
}

} // namespace kb
