// Code-page-932 conversions of the native build, by the C library's iconv.
#include <iconv.h>

#include "base/cp932.h"
#include "base/unique.h"

namespace tl {

namespace {

struct CloseIconv {
  void operator()(iconv_t cd) const {
    if (cd != reinterpret_cast<iconv_t>(-1)) iconv_close(cd);
  }
};
using UniqueIconv = Unique<iconv_t, CloseIconv>;

std::optional<std::string> Convert(const char* to, const char* from, std::string_view in) {
  const UniqueIconv cd(iconv_open(to, from));
  if (cd.get() == reinterpret_cast<iconv_t>(-1)) return std::nullopt;
  std::string out(in.size() * 4 + 4, '\0');
  char* src = const_cast<char*>(in.data());
  size_t srcLeft = in.size();
  char* dst = out.data();
  size_t dstLeft = out.size();
  if (iconv(cd.get(), &src, &srcLeft, &dst, &dstLeft) == static_cast<size_t>(-1))
    return std::nullopt;
  out.resize(out.size() - dstLeft);
  return out;
}

}  // namespace

std::optional<std::string> Utf8ToCp932(std::string_view utf8) {
  // iconv maps some characters to look-alikes (the yen sign to 0x5C, which
  // reads back as a backslash); Windows refuses those. Only an exact round
  // trip counts as representable, so a stored path never changes meaning.
  auto sjis = Convert("CP932", "UTF-8", utf8);
  if (!sjis) return std::nullopt;
  const auto back = Convert("UTF-8", "CP932", *sjis);
  if (!back || *back != utf8) return std::nullopt;
  return sjis;
}
std::optional<std::string> Cp932ToUtf8(std::string_view bytes) { return Convert("UTF-8", "CP932", bytes); }

}  // namespace tl
