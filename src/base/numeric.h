#pragma once
// Numeric and text rules shared by the whole program: rounding, the
// text-to-number conversions and the number-to-text forms the settings file
// and the command line use.
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace tl {

// Round to the nearest whole number, a tie going to the even neighbour.
double RoundHalfEven(double v);

// Checked conversions; nullopt when the value does not fit or is not finite.
std::optional<int16_t> FloorToInt16(double v);
std::optional<int32_t> RoundToInt32(double v);
std::optional<int16_t> RoundToInt16(double v);

// Strict conversion of a whole text to a number: blanks around the number, a
// sign, digits with an optional '.' fraction and an optional exponent. Any
// other character makes the text unusable (nullopt).
std::optional<double> ParseNumberText(std::string_view text);

// Lenient prefix reading: blanks are skipped wherever they stand, reading stops
// at the first character that cannot continue the number; no number gives 0.
double ReadLeadingNumber(std::string_view text);

// " 24", " 0", "-3": a blank takes the place of the sign for 0 and above.
std::string FormatWithSignPosition(int64_t v);

// The "##" picture: up to two optional digits, so 0 shows as the empty text.
std::string FormatHashHash(int64_t v);

// ASCII upper-casing; other bytes unchanged.
std::string UpperAscii(std::string_view s);

}  // namespace tl
