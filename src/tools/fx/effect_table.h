#pragma once
// The effects tidelight-fx offers: one entry per effect, with the name a
// person asks for, a line saying what it does, its values and optional
// parts, and the engine method and opcode it runs. The command line,
// --help, --list and the gallery are all made from this table, so a new
// effect is one more entry in effect_table.cpp.
//
// The grammar (fx_cli.cpp reads it): an effect is --NAME followed by its
// values, one word each; optional parts follow the last value, or the name
// when there is none, each after a colon:
//   --rotate 30:bilinear:centre=120,80:fill=#102030     --emboss:colour=#808080
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "picfx/tidelight_c.h"

namespace tl::fx {

// A colour as a double: a COLORREF value (0x00BBGGRR, red in the low byte),
// or kBack for the box's background colour.
inline constexpr double kBack = 4294967296.0;

enum class ValueKind {
  Integer,  // a whole number within [min, max]
  Number,   // any number within [min, max]
  Colour,   // see ParseColour
};

struct Value {
  std::string_view name;  // as --help shows it: AMOUNT, ANGLE...
  ValueKind kind = ValueKind::Integer;
  double min = 0, max = 0;
  // How --help and the errors say [min, max] when "from min to max" is not
  // the whole truth: "from 1 to 16384 but not 5", or a list: "90, 180, 270 or 360".
  std::string_view range = {};
  // The value as the engine takes it, or nothing with `why` filled in, for
  // values whose unit is not the engine's (a swirl in degrees, a reach in
  // pixels). Null: the value as given.
  std::optional<double> (*toEngine)(double given, std::string& why) = nullptr;
};

// The optional parts an effect may take, as a set of bits.
enum Part : unsigned {
  kSampling = 1,  // nearest (the default) or bilinear
  kCentre = 2,    // centre=X,Y: pixels from the left and the top edge
  kFill = 4,      // fill=COLOUR: where the picture does not reach
  kColour = 8,    // colour=COLOUR: the colour an effect paints or adds
};

struct Parts {
  bool bilinear = false;
  std::optional<double> centreX, centreY;
  std::optional<double> fill, colour;  // colours as above
};

struct Effect;

struct Step {
  const Effect* effect = nullptr;
  std::vector<double> values;  // as the engine takes them
  Parts parts;
};

// What an effect needs beside its step.
struct Context {
  Tidelight_C& engine;
  int32_t backRef;                // the box's colour as a COLORREF
  std::optional<uint32_t> seed;   // --seed, when given
};

enum class Group { Colour, Filter, Paint, Geometry, History, Raw };

struct Effect {
  std::string_view name;  // the option, without its "--"
  Group group;
  std::string_view method;  // the engine method it calls
  int32_t opcode;           // -1 when the method takes none, or the opcode is a value
  std::vector<Value> values;
  unsigned parts;
  std::string_view summary;  // one line: what it does to the picture
  std::string_view example;  // a whole chain that shows the effect, for the gallery
  void (*apply)(const Context& context, const Step& step);
  int32_t fixedAmount = -1;  // the Amount, when the effect always passes one

  // "ANGLE[:nearest|bilinear][:centre=X,Y][:fill=COLOUR]"
  std::string Usage() const;
  // "ASM_PalEffects opcode 7"
  std::string Source() const;
};

const std::vector<Effect>& Effects();
const Effect* FindEffect(std::string_view name);

// A colour as the engine takes it: kBack becomes `backRef`.
int32_t ColourRef(double colour, int32_t backRef);

}  // namespace tl::fx
