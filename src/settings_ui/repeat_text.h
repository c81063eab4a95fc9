#pragma once
// The repeat track as the drop-down list shows it and as Apply reads it back.
#include <cstdint>
#include <string>
#include <string_view>

namespace tl {

// The number typed or chosen: a fraction rounds to the nearest whole number,
// a tie to the even one. The empty text, text that is no number, and a
// number beyond 16 bits give 0.
int16_t RepeatTrackFromText(std::string_view text);

// The list's entries, in order: "", "1", ..., "30".
std::string RepeatEntry(int32_t index);

}  // namespace tl
