#pragma once
// Conversions between UTF-8 and code page 932 (Shift-JIS), done by the host
// system's own tables; nullopt when a character cannot be represented.
#include <optional>
#include <string>
#include <string_view>

namespace tl {
std::optional<std::string> Utf8ToCp932(std::string_view utf8);
std::optional<std::string> Cp932ToUtf8(std::string_view bytes);
}  // namespace tl
