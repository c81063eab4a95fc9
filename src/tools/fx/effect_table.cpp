// The table of effects. To offer another engine effect, add one entry:
// its option name, the method and opcode, a summary, its arguments with
// their ranges (as the method takes them), an example chain for the
// gallery, and a function that calls the method.
#include "tools/fx/effect_table.h"

#include <charconv>
#include <cmath>
#include <cstdio>

namespace tl::fx {

namespace {

constexpr double kInt16Min = -32768, kInt16Max = 32767;
constexpr double kInt32Min = -2147483648.0, kInt32Max = 2147483647.0;

Arg Amount(std::string_view name = "AMOUNT") { return {name, ArgKind::Integer, kInt16Min, kInt16Max}; }
Arg Opcode() { return {"OPCODE", ArgKind::Integer, kInt32Min, kInt32Max}; }
Arg Colour() { return {"COLOUR", ArgKind::Colour, kInt32Min, kInt32Max, -1.0}; }

int16_t I16(double v) { return static_cast<int16_t>(v); }
int32_t I32(double v) { return static_cast<int32_t>(v); }

// ASM_PalEffects with the entry's opcode and Amount (0 for the opcodes that
// ignore it); no palette opcode reads the colour, so it is the box's.
void PalWithOpcode(Tidelight_C& e, const Effect& fx, std::span<const double> a) {
  e.ASM_PalEffects(fx.opcode, a.empty() ? 0 : I16(a[0]), -1);
}
void Pal(Tidelight_C& e, const Effect&, std::span<const double> a) {
  e.ASM_PalEffects(I32(a[0]), I16(a[1]), I32(a[2]));
}
void IncrementalWithOpcode(Tidelight_C& e, const Effect& fx, std::span<const double> a) {
  e.ASM_IncrementalPalEffects(fx.opcode, I16(a[0]));
}
void Incremental(Tidelight_C& e, const Effect&, std::span<const double> a) {
  e.ASM_IncrementalPalEffects(I32(a[0]), I16(a[1]));
}
// A left-out centre arrives as NaN: the method's own default, the middle.
std::optional<double> Centre(double v) {
  return std::isnan(v) ? std::nullopt : std::optional<double>(v);
}
void Pixel(Tidelight_C& e, const Effect&, std::span<const double> a) {
  e.ASM_PixelEffects(I32(a[0]), I16(a[1]), I32(a[2]));
}
void ColorX(Tidelight_C& e, const Effect&, std::span<const double> a) {
  e.ASM_ColorXEffects(I32(a[0]), I32(a[1]), I16(a[2]), Centre(a[3]), Centre(a[4]));
}
void Rotate(Tidelight_C& e, const Effect&, std::span<const double> a) {
  e.ASM_Rotate(I16(a[0]), a[1] != 0, false, I32(a[2]), Centre(a[3]), Centre(a[4]));
}
void Magnify(Tidelight_C& e, const Effect&, std::span<const double> a) {
  e.ASM_Magnify(static_cast<float>(a[0]), Centre(a[2]), Centre(a[3]), I16(a[1]), I32(a[4]));
}
Arg Sampling() {
  return {"SAMPLING", ArgKind::Word, 0, 1, 0.0, {{"nearest", 0}, {"bilinear", 1}}};
}
Arg CentreArg(std::string_view name) { return {name, ArgKind::Number, kInt32Min, kInt32Max, kMissing}; }

void Undo(Tidelight_C& e, const Effect&, std::span<const double>) { e.UndoLast(); }
void Reset(Tidelight_C& e, const Effect&, std::span<const double>) { e.ResetPic(); }

// A palette opcode that takes an Amount, and one that ignores it.
Effect PalAmount(std::string_view name, int32_t opcode, std::string_view summary, std::string_view example) {
  return {name, "ASM_PalEffects", opcode, summary, {Amount()}, example, PalWithOpcode};
}
Effect PalPlain(std::string_view name, int32_t opcode, std::string_view summary, std::string_view example) {
  return {name, "ASM_PalEffects", opcode, summary, {}, example, PalWithOpcode};
}

std::vector<Effect> MakeTable() {
  return {
      // The brightness steps of the saver's fade.
      {"lighter", "ASM_IncrementalPalEffects", 6, "one fade step towards white by AMOUNT (0 to 255)",
       {{"AMOUNT", ArgKind::Integer, 0, 255}}, "--lighter 96", IncrementalWithOpcode},
      {"darker", "ASM_IncrementalPalEffects", 7, "one fade step towards black by AMOUNT (0 to 255)",
       {{"AMOUNT", ArgKind::Integer, 0, 255}}, "--darker 96", IncrementalWithOpcode},
      {"incremental", "ASM_IncrementalPalEffects", -1,
       "any palette opcode (0 to 19) after the fixed reset of the generator",
       {Opcode(), Amount()}, "--incremental 10 3", Incremental},
      // The palette routine, opcode by opcode.
      {"pal", "ASM_PalEffects", -1, "any palette opcode (0 to 19) with AMOUNT and COLOUR",
       {Opcode(), Amount(), Colour()}, "--pal 8 64", Pal},
      PalAmount("pal-red-up", 0, "red plus AMOUNT, saturating", "--pal-red-up 120"),
      PalAmount("pal-red-down", 1, "red minus AMOUNT, saturating", "--pal-red-down 120"),
      PalAmount("pal-green-up", 2, "green plus AMOUNT, saturating", "--pal-green-up 120"),
      PalAmount("pal-green-down", 3, "green minus AMOUNT, saturating", "--pal-green-down 120"),
      PalAmount("pal-blue-up", 4, "blue plus AMOUNT, saturating", "--pal-blue-up 120"),
      PalAmount("pal-blue-down", 5, "blue minus AMOUNT, saturating", "--pal-blue-down 120"),
      PalAmount("pal-lighter", 6, "blue, green and red plus AMOUNT, saturating", "--pal-lighter 80"),
      PalAmount("pal-darker", 7, "blue, green and red minus AMOUNT, saturating", "--pal-darker 80"),
      PalAmount("pal-add-wrap", 8, "blue, green and red plus AMOUNT, wrapping", "--pal-add-wrap 100"),
      PalAmount("pal-subtract-wrap", 9, "blue, green and red minus AMOUNT, wrapping",
                "--pal-subtract-wrap 100"),
      PalAmount("pal-noise", 10, "noise of about 20 x AMOUNT per channel", "--pal-noise 3"),
      PalPlain("pal-invert", 11, "every byte inverted", "--pal-invert"),
      PalPlain("pal-grey", 12, "grey: the mean of blue, green and red", "--pal-grey"),
      PalPlain("pal-black-floor", 13, "near-black (every channel 24 or less) to black",
               "--pal-darker 100 --pal-black-floor"),
      PalPlain("pal-white-ceiling", 14, "near-white (every channel above 248) to white",
               "--pal-lighter 100 --pal-white-ceiling"),
      PalPlain("pal-black-to-white", 15, "pure black to white", "--pal-darker 160 --pal-black-to-white"),
      PalPlain("pal-white-to-black", 16, "pure white to black", "--pal-lighter 160 --pal-white-to-black"),
      PalPlain("pal-only-white", 17, "all but pure white to black", "--pal-lighter 160 --pal-only-white"),
      PalPlain("pal-only-black", 18, "all but pure black to white", "--pal-darker 160 --pal-only-black"),
      PalPlain("pal-threshold", 19, "white where red, or green without blue, is 180 or more; else black",
               "--pal-threshold"),
      // The pixel routine, the colour painting, rotation and magnification.
      {"pixel", "ASM_PixelEffects", -1,
       "any pixel-filter opcode (smoothing, edge lift, relief, emboss, row wave...) with AMOUNT and COLOUR",
       {Opcode(), Amount(), Colour()}, "--pixel 0 8", Pixel},
      {"colorx", "ASM_ColorXEffects", -1,
       "any colour-painting opcode (dots, rings, glows, swirl...) with COLOUR, AMOUNT and a centre",
       {Opcode(), {"COLOUR", ArgKind::Colour, kInt32Min, kInt32Max}, Amount(), CentreArg("CENTREX"),
        CentreArg("CENTREY")},
       "--colorx 4 0xFFFFFF 12", ColorX},
      {"rotate", "ASM_Rotate", -1, "turned by ANGLE degrees about the centre, nearest or bilinear",
       {{"ANGLE", ArgKind::Integer, kInt16Min, kInt16Max}, Sampling(), Colour(),
        CentreArg("CENTREX"), CentreArg("CENTREY")},
       "--rotate 30 bilinear", Rotate},
      {"magnify", "ASM_Magnify", -1, "zoomed by FACTOR (in tenths) about the centre, nearest or bilinear",
       {{"FACTOR", ArgKind::Number, -1e6, 1e6}, Sampling(), CentreArg("CENTREX"),
        CentreArg("CENTREY"), Colour()},
       "--magnify 1.5 bilinear", Magnify},
      // Undo and reset.
      {"undo", "UndoLast", -1, "back to the picture before the last effect", {},
       "--pal-invert --undo", Undo},
      {"reset", "ResetPic", -1, "back to the picture as read", {},
       "--pal-grey --pal-noise 4 --reset", Reset},
  };
}

std::string Text(double v) {
  char buf[32];
  std::snprintf(buf, sizeof buf, "%.10g", v);
  return buf;
}

bool ParseNumber(std::string_view text, double& value) {
  if (text.empty()) return false;
  int base = 10;
  bool negative = false;
  std::string_view digits = text;
  if (digits.front() == '-' || digits.front() == '+') {
    negative = digits.front() == '-';
    digits.remove_prefix(1);
  }
  if (digits.empty() || digits.front() == '-' || digits.front() == '+') return false;
  if (digits.size() > 2 && digits[0] == '0' && (digits[1] == 'x' || digits[1] == 'X')) {
    base = 16;
    digits.remove_prefix(2);
  }
  if (base == 10 && digits.find_first_of(".eE") != std::string_view::npos) {
    const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
    return ec == std::errc() && end == text.data() + text.size() && std::isfinite(value);
  }
  int64_t whole = 0;
  const auto [end, ec] = std::from_chars(digits.data(), digits.data() + digits.size(), whole, base);
  if (ec != std::errc() || end != digits.data() + digits.size() || digits.empty()) return false;
  value = negative ? -static_cast<double>(whole) : static_cast<double>(whole);
  return true;
}

}  // namespace

size_t Effect::RequiredArgs() const {
  size_t n = args.size();
  while (n > 0 && args[n - 1].defaultValue) --n;
  return n;
}

std::string Effect::Usage() const {
  std::string u;
  for (size_t i = 0; i < args.size(); ++i) {
    if (!u.empty()) u += ' ';
    const bool optional = i >= RequiredArgs();
    if (optional) u += '[';
    u += args[i].name;
    if (optional) u += ']';
  }
  return u;
}

std::string Effect::Source() const {
  std::string s(method);
  if (opcode >= 0) s += " opcode " + std::to_string(opcode);
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

std::optional<double> ParseArg(const Arg& arg, std::string_view text, std::string& why) {
  double value = 0;
  if (arg.kind == ArgKind::Word) {
    for (const auto& [word, v] : arg.words)
      if (word == text) return v;
    why = "one of";
    for (const auto& w : arg.words) why.append(" ").append(w.first);
    return std::nullopt;
  }
  if (arg.kind == ArgKind::Colour) {
    if (text == "back") return -1.0;
    if (text.size() == 7 && text[0] == '#') {
      uint32_t rgb = 0;
      const auto [end, ec] = std::from_chars(text.data() + 1, text.data() + 7, rgb, 16);
      if (ec == std::errc() && end == text.data() + 7)
        return static_cast<double>(((rgb & 0xFF) << 16) | (rgb & 0xFF00) | (rgb >> 16));
    }
  }
  if (!ParseNumber(text, value)) {
    why = arg.kind == ArgKind::Colour ? "a colour: #RRGGBB, a COLORREF number, or -1 or back"
                                      : "a number";
    return std::nullopt;
  }
  if (arg.kind != ArgKind::Number && value != std::floor(value)) {
    why = "a whole number";
    return std::nullopt;
  }
  if (value < arg.min || value > arg.max) {
    why = "from " + Text(arg.min) + " to " + Text(arg.max);
    return std::nullopt;
  }
  return value;
}

}  // namespace tl::fx
