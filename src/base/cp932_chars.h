#pragma once
// Characters of code-page-932 (Shift-JIS) bytes, the form the settings
// file's names and values take: a lead byte and the byte after it are one
// character, and the second byte may look like an ASCII letter or '\'.
#include <cstddef>
#include <cstdint>
#include <string_view>

namespace tl {

bool IsCp932LeadByte(uint8_t b);

// Bytes taken by the character that starts at `at`: 2 for a lead byte with a
// byte after it, 0 at the end, otherwise 1.
size_t Cp932CharSize(std::string_view bytes, size_t at);

// Where the single-byte character `c` first stands, never matching the
// second byte of a double-byte character; npos when it does not occur.
size_t Cp932Find(std::string_view bytes, char c);

// The first `count` characters.
std::string_view Cp932FirstChars(std::string_view bytes, size_t count);

// The longest start of whole characters that fits in `maxBytes`.
std::string_view Cp932FitBytes(std::string_view bytes, size_t maxBytes);

}  // namespace tl
