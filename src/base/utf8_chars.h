#pragma once
// Characters of UTF-8 text. The program's text is UTF-8, but whatever it
// indexes or cuts counts characters (code points), never bytes. A byte that
// starts no valid sequence counts as one character of its own, so malformed
// text is walked without a crash and without swallowing what follows.
#include <cstddef>
#include <string_view>

namespace tl {

// Bytes taken by the character that starts at `at` (0 at the end).
size_t Utf8CharSize(std::string_view text, size_t at);

// The character at `at` as a code point; a malformed byte gives its own value.
char32_t Utf8CharValue(std::string_view text, size_t at);

// The text after its first `count` characters ("" when it has fewer).
std::string_view Utf8DropChars(std::string_view text, size_t count);

// The character with the given 0-based index, or "" when there is none.
std::string_view Utf8CharAt(std::string_view text, size_t index);

// The length in UTF-16 units, the measure Windows gives its path limits in.
size_t Utf16Length(std::string_view text);

}  // namespace tl
