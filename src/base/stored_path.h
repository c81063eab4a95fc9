#pragma once
// How a music path is kept in the settings file: in code page 932 when it
// can hold the path, so the file reads as it always has on a Japanese
// system; otherwise as a marker followed by the path in UTF-8.
#include <string>
#include <string_view>

namespace tl {

// '*' never occurs in a Windows path, so the marked form cannot be mistaken
// for a real one.
inline constexpr char kUtf8PathMarker[] = "*UTF-8*";

// The longest path Windows accepts, in UTF-16 units: 32,767 characters of
// the Basic Multilingual Plane, fewer beyond it (two units each).
inline constexpr size_t kLongestPathUnits = 32767;

std::string EncodeStoredPath(std::string_view utf8);
// The path back as UTF-8, whole; "" when the bytes are neither form or name
// a path longer than Windows accepts.
std::string DecodeStoredPath(std::string_view bytes);

}  // namespace tl
