// The table of effects. To offer another engine effect, add one entry: its
// name, the method and opcode, its values with their ranges, the optional
// parts it takes, a line saying what it does, an example chain for the
// gallery, and a function that calls the method.
#include "tools/fx/effect_table.h"

#include <cmath>
#include <cstdio>

namespace tl::fx {

namespace {

constexpr double kInt16Min = -32768, kInt16Max = 32767;
constexpr double kInt32Min = -2147483648.0, kInt32Max = 2147483647.0;

int16_t I16(double v) { return static_cast<int16_t>(v); }
int32_t I32(double v) { return static_cast<int32_t>(v); }

Value Amount(double min = 0, double max = 255) { return {"AMOUNT", ValueKind::Integer, min, max}; }
Value Opcode() { return {"OPCODE", ValueKind::Integer, kInt32Min, kInt32Max}; }
Value Spacing() { return {"SPACING", ValueKind::Integer, 1, kInt16Max}; }
Value ColourValue() { return {"COLOUR", ValueKind::Colour}; }

// A swirl's turn in degrees, as the engine's Amount (1, 2, 4, any other).
std::optional<double> TurnAmount(double degrees, std::string& why) {
  for (const auto& [turn, amount] : {std::pair{90, 1}, {180, 2}, {270, 4}, {360, 8}})
    if (degrees == turn) return amount;
  why = "90, 180, 270 or 360";
  return std::nullopt;
}
// A glow's reach in pixels, as the engine's Amount: the reach is
// (Amount + 2) div 2, except that 5 becomes 4, so no Amount reaches 5.
std::optional<double> ReachAmount(double reach, std::string& why) {
  if (reach == 5) {
    why = "4 or 6 (no glow reaches 5 pixels)";
    return std::nullopt;
  }
  return 2 * reach - 2;
}
// The engine zooms in tenths.
std::optional<double> InTenths(double factor, std::string& why) {
  if (std::fabs(factor * 10 - std::nearbyint(factor * 10)) > 1e-9) {
    why = "in tenths, like 1.5";
    return std::nullopt;
  }
  return factor;
}

std::optional<double> Centre(const std::optional<double>& v) { return v; }
int32_t Colour(const Context& c, const std::optional<double>& given, double otherwise) {
  return ColourRef(given.value_or(otherwise), c.backRef);
}
constexpr double kWhite = 0xFFFFFF;

// --seed gives the noise its own start; without it the engine's.
void PalOpcode(const Context& c, int32_t opcode, int16_t amount, int32_t colour) {
  if (c.seed) {
    c.engine.ASM_PalEffects(opcode, amount, colour, *c.seed);
  } else {
    c.engine.ASM_PalEffects(opcode, amount, colour);
  }
}
void PalNamed(const Context& c, const Step& s) {
  PalOpcode(c, s.effect->opcode, s.values.empty() ? 0 : I16(s.values[0]), -1);
}
void PalRaw(const Context& c, const Step& s) {
  PalOpcode(c, I32(s.values[0]), I16(s.values[1]), Colour(c, s.parts.colour, kBack));
}
void IncrementalRaw(const Context& c, const Step& s) {
  c.engine.ASM_IncrementalPalEffects(I32(s.values[0]), I16(s.values[1]));
}

void Smooth(const Context& c, const Step& s) {
  c.engine.ASM_PixelEffects(0, I16(s.effect->fixedAmount), -1);
}
void PixelColour(const Context& c, const Step& s) {
  c.engine.ASM_PixelEffects(s.effect->opcode, 0, Colour(c, s.parts.colour, kBack));
}
void RowWave(const Context& c, const Step& s) { c.engine.ASM_PixelEffects(3, I16(s.values[0]), -1); }
void Swirl(const Context& c, const Step& s) {
  c.engine.ASM_PixelEffects(5, I16(s.values[0]), Colour(c, s.parts.fill, kBack));
}
void PixelRaw(const Context& c, const Step& s) {
  c.engine.ASM_PixelEffects(I32(s.values[0]), I16(s.values[1]), Colour(c, s.parts.colour, kBack));
}

// Dots, lines and the grid: the value is the engine's Amount.
void PaintWith(const Context& c, const Step& s) {
  c.engine.ASM_ColorXEffects(s.effect->opcode, Colour(c, s.parts.colour, kWhite), I16(s.values[0]));
}
void Glow(const Context& c, const Step& s) {
  c.engine.ASM_ColorXEffects(s.effect->opcode, ColourRef(s.values[0], c.backRef), I16(s.values[1]));
}
void Ring(const Context& c, const Step& s) {
  c.engine.ASM_ColorXEffects(9, Colour(c, s.parts.colour, kWhite), I16(s.values[0]),
                             Centre(s.parts.centreX), Centre(s.parts.centreY));
}
void ColorXRaw(const Context& c, const Step& s) {
  c.engine.ASM_ColorXEffects(I32(s.values[0]), ColourRef(s.values[1], c.backRef), I16(s.values[2]),
                             Centre(s.parts.centreX), Centre(s.parts.centreY));
}

void Rotate(const Context& c, const Step& s) {
  c.engine.ASM_Rotate(I16(s.values[0]), s.parts.bilinear, false, Colour(c, s.parts.fill, kBack),
                      s.parts.centreX, s.parts.centreY);
}
void Magnify(const Context& c, const Step& s) {
  c.engine.ASM_Magnify(static_cast<float>(s.values[0]), s.parts.centreX, s.parts.centreY,
                       s.parts.bilinear ? -1 : 0, Colour(c, s.parts.fill, kBack));
}

void Undo(const Context& c, const Step&) { c.engine.UndoLast(); }
void Reset(const Context& c, const Step&) { c.engine.ResetPic(); }

constexpr const char* kPal = "ASM_PalEffects";
constexpr const char* kPixel = "ASM_PixelEffects";
constexpr const char* kColorX = "ASM_ColorXEffects";

Effect PalAmount(std::string_view name, int32_t opcode, std::string_view summary, std::string_view example) {
  return {name, Group::Colour, kPal, opcode, {Amount()}, 0, summary, example, PalNamed};
}
Effect PalPlain(std::string_view name, int32_t opcode, std::string_view summary, std::string_view example) {
  return {name, Group::Colour, kPal, opcode, {}, 0, summary, example, PalNamed};
}
// The smoothings: opcode 0, the neighbours chosen by the Amount.
Effect SmoothBy(std::string_view name, int32_t neighbours, std::string_view summary, std::string_view example) {
  return {name, Group::Filter, kPixel, 0, {}, 0, summary, example, Smooth, neighbours};
}
Effect Glows(std::string_view name, int32_t opcode, std::string_view summary, std::string_view example) {
  return {name, Group::Paint, kColorX, opcode,
          {ColourValue(), {"REACH", ValueKind::Integer, 1, 16384, "from 1 to 16384 but not 5", ReachAmount}},
          0, summary, example, Glow};
}

std::vector<Effect> MakeTable() {
  std::vector<Effect> t = {
      PalAmount("lighter", 6, "adds AMOUNT to red, green and blue, stopping at white", "--lighter 80"),
      PalAmount("darker", 7, "takes AMOUNT from red, green and blue, stopping at black", "--darker 80"),
      PalAmount("more-red", 0, "adds AMOUNT to red, stopping at full red", "--more-red 120"),
      PalAmount("less-red", 1, "takes AMOUNT from red, stopping at none", "--less-red 120"),
      PalAmount("more-green", 2, "adds AMOUNT to green, stopping at full green", "--more-green 120"),
      PalAmount("less-green", 3, "takes AMOUNT from green, stopping at none", "--less-green 120"),
      PalAmount("more-blue", 4, "adds AMOUNT to blue, stopping at full blue", "--more-blue 120"),
      PalAmount("less-blue", 5, "takes AMOUNT from blue, stopping at none", "--less-blue 120"),
      PalAmount("lighter-wrapping", 8, "adds AMOUNT to red, green and blue; past 255 counts on from 0",
                "--lighter-wrapping 100"),
      PalAmount("darker-wrapping", 9, "takes AMOUNT from red, green and blue; below 0 counts on from 255",
                "--darker-wrapping 100"),
      PalAmount("noise", 10, "moves each channel by a random step from -20 x AMOUNT to 20 x AMOUNT",
                "--noise 3"),
      PalPlain("invert", 11, "every colour to its opposite: each channel 255 minus itself", "--invert"),
      PalPlain("grey", 12, "each pixel grey: the mean of its red, green and blue", "--grey"),
      PalPlain("near-black-to-black", 13, "pixels whose channels are all 24 or less become black",
               "--darker 100 --near-black-to-black"),
      PalPlain("near-white-to-white", 14, "pixels whose channels are all above 248 become white",
               "--lighter 100 --near-white-to-white"),
      PalPlain("black-to-white", 15, "pure black pixels become white", "--darker 160 --black-to-white"),
      PalPlain("white-to-black", 16, "pure white pixels become black", "--lighter 160 --white-to-black"),
      PalPlain("all-but-white-to-black", 17, "every pixel but pure white becomes black",
               "--lighter 160 --all-but-white-to-black"),
      PalPlain("all-but-black-to-white", 18, "every pixel but pure black becomes white",
               "--darker 160 --all-but-black-to-white"),
      PalPlain("threshold", 19, "white where red is 180 or more, or green is and blue is not; black elsewhere",
               "--threshold"),

      SmoothBy("smooth", 8, "a soft blur: each pixel the mean of its eight neighbours", "--smooth"),
      SmoothBy("smooth-sideways", 1, "each pixel the mean of its left and right neighbours",
               "--smooth-sideways"),
      SmoothBy("smooth-upright", 2, "each pixel the mean of the pixels above and below it",
               "--smooth-upright"),
      SmoothBy("smooth-diagonal", 4, "each pixel the mean of its four diagonal neighbours",
               "--smooth-diagonal"),
      {"edge-lift", Group::Filter, kPixel, 1, {}, kColour,
       "edges bright, flat areas dark: 8 x each channel less its 8 neighbours, plus colour=",
       "--edge-lift", PixelColour},
      {"relief", Group::Filter, kPixel, 2, {}, kColour,
       "outlines: each channel's difference from its upper-right neighbour, less colour=",
       "--relief", PixelColour},
      {"emboss", Group::Filter, kPixel, 4, {}, kColour,
       "a raised look lit from the upper right; channels past 255 take colour=", "--emboss", PixelColour},
      {"row-wave", Group::Filter, kPixel, 3, {Amount(kInt16Min, kInt16Max)}, 0,
       "the rows waver: each taken from up to 2 x AMOUNT rows up or down, in waves 31 rows long",
       "--row-wave 3", RowWave},
      {"swirl", Group::Filter, kPixel, 5,
       {{"TURN", ValueKind::Integer, 90, 360, "90, 180, 270 or 360", TurnAmount}}, kFill,
       "twists clockwise about the middle, by TURN degrees at a side's length from it", "--swirl 180",
       Swirl},

      {"dots", Group::Paint, kColorX, 0, {Amount(0, kInt16Max)}, kColour,
       "20 x AMOUNT dots of colour= at random places; --seed repeats them",
       "--dots 20:colour=#FFE040", PaintWith},
      {"lines-across", Group::Paint, kColorX, 1, {Spacing()}, kColour,
       "a line of colour= across every SPACING rows, from the top edge down",
       "--lines-across 8", PaintWith},
      {"lines-down", Group::Paint, kColorX, 2, {Spacing()}, kColour,
       "a line of colour= down every SPACING columns, from the right edge leftwards",
       "--lines-down 8:colour=#000000", PaintWith},
      {"grid", Group::Paint, kColorX, 3, {Spacing()}, kColour,
       "a dot of colour= every SPACING pixels across and down, from the top right corner",
       "--grid 5", PaintWith},
      Glows("glow", 4, "pixels of exactly COLOUR glow in it on every side, REACH pixels far",
            "--glow #FFFFFF 3"),
      Glows("glow-up", 5, "pixels of exactly COLOUR glow in it upwards, REACH pixels far",
            "--glow-up #FFFFFF 4"),
      Glows("glow-down", 6, "pixels of exactly COLOUR glow in it downwards, REACH pixels far",
            "--glow-down #FFFFFF 4"),
      Glows("glow-left", 7, "pixels of exactly COLOUR glow in it to the left, REACH pixels far",
            "--glow-left #FFFFFF 4"),
      Glows("glow-right", 8, "pixels of exactly COLOUR glow in it to the right, REACH pixels far",
            "--glow-right #FFFFFF 4"),
      {"ring", Group::Paint, kColorX, 9, {{"SIZE", ValueKind::Integer, 1, kInt16Max}}, kCentre | kColour,
       "brightens a disc of radius 24 x SIZE about centre=, most in the middle; past 255: colour=",
       "--ring 2:centre=130,40", Ring},

      {"rotate", Group::Geometry, "ASM_Rotate", -1, {{"ANGLE", ValueKind::Integer, kInt16Min, 32407}},
       kSampling | kCentre | kFill,
       "turns clockwise by ANGLE degrees (anticlockwise when negative) about centre=",
       "--rotate 30:bilinear", Rotate},
      {"magnify", Group::Geometry, "ASM_Magnify", -1,
       {{"FACTOR", ValueKind::Number, 0.1, 1000, "", InTenths}}, kSampling | kCentre | kFill,
       "zooms by FACTOR (1.5 enlarges, 0.5 shrinks) about centre=", "--magnify 1.5:bilinear:centre=130,50",
       Magnify},

      {"undo", Group::History, "UndoLast", -1, {}, 0, "back to the picture before the last effect",
       "--invert --undo", Undo},
      {"reset", Group::History, "ResetPic", -1, {}, 0, "back to the picture as read",
       "--grey --noise 4 --reset", Reset},

      {"pal", Group::Raw, kPal, -1, {Opcode(), Amount(kInt16Min, kInt16Max)}, kColour,
       "the palette routine: OPCODE 0 to 19 with AMOUNT", "--pal 8 64", PalRaw},
      {"incremental", Group::Raw, "ASM_IncrementalPalEffects", -1, {Opcode(), Amount(kInt16Min, kInt16Max)}, 0,
       "the palette routine after the generator's fixed reset (the saver's fade step)",
       "--incremental 10 3", IncrementalRaw},
      {"pixel", Group::Raw, kPixel, -1, {Opcode(), Amount(kInt16Min, kInt16Max)}, kColour,
       "the pixel routine: OPCODE 0 to 5 with AMOUNT", "--pixel 0 8", PixelRaw},
      {"colorx", Group::Raw, kColorX, -1, {Opcode(), ColourValue(), Amount(kInt16Min, kInt16Max)}, kCentre,
       "the painting routine: OPCODE 0 to 9 with COLOUR (as it comes) and AMOUNT",
       "--colorx 4 #FFFFFF 6", ColorXRaw},
  };
  return t;
}

}  // namespace

std::string Effect::Usage() const {
  std::string u;
  for (const Value& v : values) {
    if (!u.empty()) u += ' ';
    u += v.name;
  }
  if (parts & kSampling) u += "[:nearest|bilinear]";
  if (parts & kCentre) u += "[:centre=X,Y]";
  if (parts & kFill) u += "[:fill=COLOUR]";
  if (parts & kColour) u += "[:colour=COLOUR]";
  return u;
}

std::string Effect::Source() const {
  std::string s(method);
  if (opcode >= 0) s += " opcode " + std::to_string(opcode);
  if (fixedAmount >= 0) s += " Amount " + std::to_string(fixedAmount);
  return s;
}

const std::vector<Effect>& Effects() {
  static const std::vector<Effect> table = MakeTable();
  return table;
}

const Effect* FindEffect(std::string_view name) {
  for (const Effect& e : Effects())
    if (e.name == name) return &e;
  return nullptr;
}

int32_t ColourRef(double colour, int32_t backRef) {
  return colour == kBack ? backRef : static_cast<int32_t>(static_cast<uint32_t>(static_cast<int64_t>(colour)));
}

}  // namespace tl::fx
