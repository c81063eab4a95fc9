#include "tools/fx/fx_help.h"

#include <ostream>

#include "tools/fx/effect_table.h"
#include "tools/fx/fx_grammar.h"

namespace tl::fx {

namespace {

constexpr const char* kIntroduction = R"(Applies Tidelight's picture effects to a picture, in the order given, and
writes what the engine last drew. INPUT, the effects and the options may
come in any order; only the effects' order matters.

  -o, --output FILE     where to write the result, .png or .bmp; it appears
                        whole or not at all
  --background COLOUR   the background colour: behind transparent parts and
                        wherever a colour is "back" (default #000000)
  --seed N              the dots and the noise from N (0 to 4294967295): the
                        same picture every run. Without it the dots follow
                        the clock and the noise is the engine's own pattern.
  --list                every effect one a line, with the engine call it
                        makes, for scripts
  --help, --version

An effect is --NAME followed by its values, one word each. Its optional
parts follow the last value, or the name when it has no value, each after
a colon, in any order:
  --rotate 30:bilinear:centre=120,80:fill=#102030
  --emboss:colour=#808080
The parts: nearest or bilinear (the sampling; nearest when left out),
centre=X,Y (pixels from the left and from the top edge; the middle when
left out), fill=COLOUR (where the picture does not reach) and
colour=COLOUR. A colour left out is the background colour, or white for
the dots, lines, grid and ring.
COLOUR: #RRGGBB or 0xRRGGBB (red first), back (the background colour), or
colorref=N (a 0x00BBGGRR number, handed to the engine as it is).
)";

constexpr const char* kClosing = R"(
Reads PNG, JPEG, GIF (its first frame) and BMP, up to 16384 pixels a side
and 2^25 pixels in all. Exit status: 0 done, 1 a file could not be read or
written, 2 a usage error (nothing is written).
)";

const char* Heading(Group g) {
  switch (g) {
    case Group::Colour: return "Colour and brightness";
    case Group::Filter: return "Filters (each pixel from its neighbours; the outermost pixels stay)";
    case Group::Paint: return "Painting";
    case Group::Geometry: return "Turning and zooming";
    case Group::History: return "Going back";
    case Group::Raw: return "The engine's routines by opcode (see --list for each effect's)";
  }
  return "";
}

// " (AMOUNT from 0 to 255)": the values' ranges, but an opcode's, which
// is any number.
std::string Ranges(const Effect& e) {
  std::string ranges;
  for (const Value& v : e.values) {
    if (v.kind == ValueKind::Colour || v.name == "OPCODE") continue;
    ranges += (ranges.empty() ? " (" : ", ") + std::string(v.name) + " " + RangeOf(v);
  }
  return ranges.empty() ? ranges : ranges + ")";
}

// Words into lines of at most 78 characters, each after `indent`.
void Wrapped(std::ostream& out, const std::string& text, const std::string& indent) {
  std::string line;
  size_t start = 0;
  while (start < text.size()) {
    size_t end = text.find(' ', start);
    if (end == std::string::npos) end = text.size();
    const std::string word = text.substr(start, end - start);
    if (!line.empty() && indent.size() + line.size() + 1 + word.size() > 78) {
      out << indent << line << "\n";
      line.clear();
    }
    line += (line.empty() ? "" : " ") + word;
    start = end + 1;
  }
  out << indent << line << "\n";
}

}  // namespace

void PrintHelp(std::ostream& out) {
  out << "Usage: " << kUsageLine << "\n" << kIntroduction;
  const Group* last = nullptr;
  for (const Effect& e : Effects()) {
    if (last == nullptr || *last != e.group) out << "\n" << Heading(e.group) << ":\n";
    last = &e.group;
    std::string line = "  --" + std::string(e.name);
    const std::string usage = e.Usage();
    if (!usage.empty()) line += (usage.front() == '[' ? "" : " ") + usage;
    out << line << "\n";
    Wrapped(out, std::string(e.summary) + Ranges(e), "      ");
  }
  out << kClosing;
}

void PrintList(std::ostream& out) {
  for (const Effect& e : Effects())
    out << e.name << '\t' << e.Usage() << '\t' << e.Source() << '\t' << e.summary << '\t' << e.example << '\n';
}

}  // namespace tl::fx
