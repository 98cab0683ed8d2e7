#include "model/cp1251.h"

#include <array>

namespace kb {
namespace {

// Code points of the bytes 0x80..0xBF; 0xC0..0xFF are U+0410..U+044F.
// 0x98 has no character in Windows-1251 and maps to U+0098 to stay lossless.
constexpr char16_t kHigh[64] = {
    0x0402, 0x0403, 0x201A, 0x0453, 0x201E, 0x2026, 0x2020, 0x2021, 0x20AC, 0x2030, 0x0409,
    0x2039, 0x040A, 0x040C, 0x040B, 0x040F, 0x0452, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x0098, 0x2122, 0x0459, 0x203A, 0x045A, 0x045C, 0x045B, 0x045F, 0x00A0,
    0x040E, 0x045E, 0x0408, 0x00A4, 0x0490, 0x00A6, 0x00A7, 0x0401, 0x00A9, 0x0404, 0x00AB,
    0x00AC, 0x00AD, 0x00AE, 0x0407, 0x00B0, 0x00B1, 0x0406, 0x0456, 0x0491, 0x00B5, 0x00B6,
    0x00B7, 0x0451, 0x2116, 0x0454, 0x00BB, 0x0458, 0x0405, 0x0455, 0x0457,
};

char32_t CodePointOf(uint8_t b)
{
    if (b < 0x80) return b;
    if (b >= 0xC0) return 0x0410 + (b - 0xC0);
    return kHigh[b - 0x80];
}

int ByteOf(char32_t cp)
{
    if (cp < 0x80) return int(cp);
    if (cp >= 0x0410 && cp <= 0x044F) return 0xC0 + int(cp - 0x0410);
    for (int i = 0; i < 64; ++i)
        if (kHigh[i] == cp) return 0x80 + i;
    return -1;
}

void AppendUtf8(std::string& out, char32_t cp)
{
    if (cp < 0x80) {
        out += char(cp);
    } else if (cp < 0x800) {
        out += char(0xC0 | (cp >> 6));
        out += char(0x80 | (cp & 0x3F));
    } else {
        out += char(0xE0 | (cp >> 12));
        out += char(0x80 | ((cp >> 6) & 0x3F));
        out += char(0x80 | (cp & 0x3F));
    }
}

// Decodes one UTF-8 sequence at s[i]; returns false on malformed input.
bool NextCodePoint(std::string_view s, size_t& i, char32_t& cp)
{
    const auto b0 = uint8_t(s[i]);
    int extra = b0 < 0x80 ? 0 : (b0 >> 5) == 6 ? 1 : (b0 >> 4) == 14 ? 2 : (b0 >> 3) == 30 ? 3 : -1;
    if (extra < 0 || i + extra >= s.size()) {
        ++i;
        return false;
    }
    cp = extra == 0 ? b0 : (b0 & (0x3F >> extra));
    for (int k = 1; k <= extra; ++k) {
        const auto b = uint8_t(s[i + k]);
        if ((b & 0xC0) != 0x80) {
            i += k;
            return false;
        }
        cp = (cp << 6) | (b & 0x3F);
    }
    i += extra + 1;
    return true;
}

constexpr std::array<uint8_t, 256> MakeLowerTable()
{
    std::array<uint8_t, 256> t{};
    for (int c = 0; c < 256; ++c)
        t[c] = uint8_t(c);
    for (int c = 'A'; c <= 'Z'; ++c)
        t[c] = uint8_t(c + 32);
    for (int c = 0xC0; c <= 0xDF; ++c)
        t[c] = uint8_t(c + 32);
    // Capitals outside the contiguous range: Ђ Ѓ Љ Њ Ќ Ћ Џ Ў Ј Ґ Ё Є Ї І Ѕ.
    constexpr uint8_t pairs[][2] = {{0x80, 0x90}, {0x81, 0x83}, {0x8A, 0x9A}, {0x8C, 0x9C},
                                    {0x8D, 0x9D}, {0x8E, 0x9E}, {0x8F, 0x9F}, {0xA1, 0xA2},
                                    {0xA3, 0xBC}, {0xA5, 0xB4}, {0xA8, 0xB8}, {0xAA, 0xBA},
                                    {0xAF, 0xBF}, {0xB2, 0xB3}, {0xBD, 0xBE}};
    for (const auto& p : pairs)
        t[p[0]] = p[1];
    return t;
}
constexpr auto kLower = MakeLowerTable();

} // namespace

std::string Cp1251ToUtf8(std::string_view bytes)
{
    std::string out;
    out.reserve(bytes.size() * 2);
    for (char c : bytes)
        AppendUtf8(out, CodePointOf(uint8_t(c)));
    return out;
}

bool Utf8ToCp1251(std::string_view utf8, std::string& out)
{
    out.clear();
    bool exact = true;
    for (size_t i = 0; i < utf8.size();) {
        char32_t cp = 0;
        const int b = NextCodePoint(utf8, i, cp) ? ByteOf(cp) : -1;
        if (b < 0) {
            exact = false;
            out += '?';
        } else {
            out += char(b);
        }
    }
    return exact;
}

bool RepresentableIn1251(std::string_view utf8)
{
    std::string ignored;
    return Utf8ToCp1251(utf8, ignored);
}

uint8_t LowerCase1251(uint8_t c)
{
    return kLower[c];
}

std::string LowerCase1251(std::string_view s)
{
    std::string out(s);
    for (char& c : out)
        c = char(kLower[uint8_t(c)]);
    return out;
}

} // namespace kb
