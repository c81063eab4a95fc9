#pragma once
// The words of tidelight-fx's effects: values, colours and the optional
// parts after the colons (see effect_table.h for the grammar). Every "why"
// is a phrase that completes "... must be" or names what is wrong, in the
// tool's own words.
#include <optional>
#include <string>
#include <string_view>

#include "tools/fx/effect_table.h"

namespace tl::fx {

// One value's text as the engine takes it; nothing when it does not fit,
// with `why` saying what would ("a whole number from 0 to 255").
std::optional<double> ParseValue(const Value& value, std::string_view text, std::string& why);

// What a value must be: "a whole number from 0 to 255"; its range alone:
// "from 0 to 255".
std::string Expected(const Value& value);
std::string RangeOf(const Value& value);

// #RRGGBB or 0xRRGGBB (red first, as written), "back" for the box's
// colour, or colorref=N: a COLORREF (0x00BBGGRR) passed as it is, any
// 32-bit value. Nothing for anything else.
std::optional<double> ParseColour(std::string_view text);
inline constexpr const char* kColourForms = "a colour: #RRGGBB, 0xRRGGBB, back or colorref=N";

// The optional parts, the text after an effect's first colon, as `effect`
// takes them; nothing when one does not fit, with `why` saying which part
// and what would.
std::optional<Parts> ParseParts(const Effect& effect, std::string_view text, std::string& why);

// "nearest, bilinear, centre=X,Y, fill=COLOUR": the parts an effect takes.
std::string PartList(const Effect& effect);

}  // namespace tl::fx
