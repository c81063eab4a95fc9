#pragma once
// How the system's profile functions match section and key names: character
// by character in code page 932, with letter case folded per character. The
// second byte of a double-byte character is part of that character and is
// never folded on its own (0x93 0x58 is not 0x93 0x78).
#include <string_view>

namespace tl {

bool SameProfileName(std::string_view a, std::string_view b);

// The lower-case form of the cased letters code page 932 holds: ASCII, the
// full-width Latin letters, Greek, Cyrillic and the Roman numerals. Other
// characters are returned unchanged.
char32_t FoldCase(char32_t c);

}  // namespace tl
