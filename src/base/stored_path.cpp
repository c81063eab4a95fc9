#include "base/stored_path.h"

#include "base/cp932.h"
#include "base/utf8_chars.h"

namespace tl {

std::string EncodeStoredPath(std::string_view utf8) {
  if (auto sjis = Utf8ToCp932(utf8)) return *sjis;
  return kUtf8PathMarker + std::string(utf8);
}

std::string DecodeStoredPath(std::string_view bytes) {
  const std::string_view marker = kUtf8PathMarker;
  std::string path;
  if (bytes.substr(0, marker.size()) == marker)
    path = bytes.substr(marker.size());
  else if (auto u = Cp932ToUtf8(bytes))
    path = std::move(*u);
  return Utf16Length(path) <= kLongestPathUnits ? path : "";
}

}  // namespace tl
