#pragma once
// How the system's profile functions match section and key names: character
// by character in code page 932, ASCII letters without regard to case. The
// second byte of a double-byte character belongs to that character and is
// never folded on its own (0x93 0x58 is not 0x93 0x78), and double-byte
// characters, full-width letters included, match only themselves; the few
// characters code page 932 holds under two byte pairs match either pair.
#include <string_view>

namespace tl {

bool SameProfileName(std::string_view a, std::string_view b);

}  // namespace tl
