// The number rules: text to number, the checked conversions, and the text
// forms the settings file uses.
#include <fuzzer/FuzzedDataProvider.h>

#include <cmath>
#include <cstdlib>

#include "base/numeric.h"
#include "shared/command_line.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  FuzzedDataProvider in(data, size);
  const std::string text = in.ConsumeRemainingBytesAsString();

  if (const auto v = tl::ParseNumberText(text)) {
    if (std::isnan(*v)) std::abort();
    // A whole number that fits 16 bits survives the file's text form.
    if (const auto w = tl::FloorToInt16(*v)) {
      const auto back = tl::ParseNumberText(tl::FormatWithSignPosition(*w));
      if (!back || *back != *w) std::abort();
    }
    if (const auto r = tl::RoundToInt32(*v)) {
      if (std::fabs(*r - *v) > 0.5) std::abort();
    }
  }
  const double lead = tl::ReadLeadingNumber(text);
  (void)tl::RoundToInt16(lead);
  (void)tl::WindowHandleArgument(text);
  // The "##" form of 0 to 99 has at most two digits, 0 none at all.
  const int64_t small = static_cast<int64_t>(text.size() % 100);
  const std::string hash = tl::FormatHashHash(small);
  if (hash.size() > 2 || (small == 0) != hash.empty()) std::abort();
  const std::string upper = tl::UpperAscii(text);
  if (upper.size() != text.size()) std::abort();
  return 0;
}
