// Code-page-932 conversions and the stored music path: any bytes either
// convert or are refused, and a path that converts comes back the same.
#include <cstdlib>
#include <string>

#include "base/cp932.h"
#include "base/stored_path.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string bytes(reinterpret_cast<const char*>(data), size);
  if (const auto utf8 = tl::Cp932ToUtf8(bytes)) (void)tl::Utf8ToCp932(*utf8);
  if (const auto sjis = tl::Utf8ToCp932(bytes)) {
    const auto back = tl::Cp932ToUtf8(*sjis);
    if (!back || *back != bytes) std::abort();
  }
  // A stored path decodes to what was encoded. ('*' never occurs in a real
  // path, so one that starts with the marker need not survive.)
  if (bytes.starts_with(tl::kUtf8PathMarker)) return 0;
  const std::string stored = tl::EncodeStoredPath(bytes);
  if (tl::Cp932ToUtf8(stored) || stored.starts_with(tl::kUtf8PathMarker)) {
    const std::string back = tl::DecodeStoredPath(stored);
    if (tl::Utf8ToCp932(bytes) && back != bytes) std::abort();
  }
  (void)tl::DecodeStoredPath(bytes);
  return 0;
}
