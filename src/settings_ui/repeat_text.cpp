#include "settings_ui/repeat_text.h"

#include "base/numeric.h"

namespace tl {

int16_t RepeatTrackFromText(std::string_view text) {
  const auto number = ParseNumberText(text);
  if (!number) return 0;
  return RoundToInt16(*number).value_or(0);
}

std::string RepeatEntry(int32_t index) { return FormatHashHash(index); }

}  // namespace tl
