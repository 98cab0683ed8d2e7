// Block texts are stored as Windows-1251 bytes; the interface and the
// command-line tools speak UTF-8. Conversion here is exact both ways for every
// byte, so a text survives any number of round trips.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace kb {

std::string Cp1251ToUtf8(std::string_view bytes);
// Converts UTF-8 to Windows-1251. Returns false when some character has no
// Windows-1251 byte (it becomes '?'), so callers can refuse instead of losing
// what the user typed. Malformed UTF-8 also counts as unrepresentable.
bool Utf8ToCp1251(std::string_view utf8, std::string& out);
// True when every character of the UTF-8 text has a Windows-1251 byte.
bool RepresentableIn1251(std::string_view utf8);

// Lower case of one Windows-1251 byte: A-Z and every Cyrillic capital.
uint8_t LowerCase1251(uint8_t c);
std::string LowerCase1251(std::string_view s);

} // namespace kb
