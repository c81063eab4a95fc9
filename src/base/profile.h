#pragma once
// Profile (INI) file semantics on bytes in memory, shared by every back end so
// that the settings file has the same bytes whatever the system's code page.
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace tl {

using Bytes = std::vector<uint8_t>;

// A buffer size that never cuts a value.
inline constexpr size_t kWholeValue = SIZE_MAX;

// The value of key in section, or "" when the section, key or value is
// missing. Names match as SameProfileName says; blanks around the value and
// one pair of enclosing double quotes are removed. At most bufferSize - 1
// bytes are returned, never half of a double-byte character.
std::string ProfileRead(const Bytes& file, std::string_view section, std::string_view key,
                        size_t bufferSize);

// The file with key set to value, creating the section (at the end) and the
// key (after the section's last entry) when they are missing. Lines end CRLF.
Bytes ProfileWrite(const Bytes& file, std::string_view section, std::string_view key,
                   std::string_view value);

}  // namespace tl
