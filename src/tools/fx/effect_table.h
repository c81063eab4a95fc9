#pragma once
// The effects tidelight-fx offers: one entry per effect, each naming the
// engine method and opcode it runs, its arguments and how to call it. The
// command line, --help, --list and the gallery are all made from this table,
// so a new effect is one more entry in effect_table.cpp.
#include <cstdint>
#include <limits>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "picfx/tidelight_c.h"

namespace tl::fx {

enum class ArgKind {
  Integer,  // whole number within [min, max]
  Number,   // any number within [min, max]
  Colour,   // #RRGGBB, a COLORREF number (0x00BBGGRR), or -1 / "back" for the box's colour
  Word,     // one of `words`
};

inline constexpr double kMissing = std::numeric_limits<double>::quiet_NaN();

struct Arg {
  std::string_view name;  // as --help shows it: AMOUNT, OPCODE...
  ArgKind kind = ArgKind::Integer;
  double min = 0, max = 0;
  // Arguments with a default may be left out, from the last one backwards.
  // A default of kMissing reaches the apply function as NaN: the method's
  // own optional argument left out (a centre that defaults to the middle).
  std::optional<double> defaultValue = std::nullopt;
  std::vector<std::pair<std::string_view, double>> words = {};
};

struct Effect;
using ApplyFn = void (*)(Tidelight_C& engine, const Effect& effect, std::span<const double> args);

struct Effect {
  std::string_view name;    // the option, without its "--"
  std::string_view method;  // the engine method it calls
  int32_t opcode;           // -1 when the method takes none, or the opcode is an argument
  std::string_view summary;
  std::vector<Arg> args;
  std::string_view example;  // a whole chain that shows the effect, for the gallery
  ApplyFn apply;

  size_t RequiredArgs() const;
  // "AMOUNT [COLOUR]"
  std::string Usage() const;
  // "ASM_PalEffects opcode 7"
  std::string Source() const;
};

const std::vector<Effect>& Effects();
const Effect* FindEffect(std::string_view name);

// One argument's text as a value; nothing when it is not valid for `arg`.
// `why` tells what was wrong.
std::optional<double> ParseArg(const Arg& arg, std::string_view text, std::string& why);

}  // namespace tl::fx
