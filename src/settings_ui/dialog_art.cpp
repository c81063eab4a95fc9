#include "settings_ui/dialog_art.h"

#include <array>
#include <string_view>

#include "gfx/raster.h"

namespace tl {

Surface MarkPicture(bool chosen) {
  constexpr uint32_t kWhite = 0xFFFFFF, kFrame = 0x404040, kBlue = Rgb(0x20, 0x40, 0xE0);
  Surface s(kMarkPx, kMarkPx, kFrame);
  // A one-pixel dark frame keeps the white box visible on a light panel.
  FillRect(s, {1, 1, kMarkPx - 1, kMarkPx - 1}, kWhite);
  if (chosen) FillRect(s, {2, 2, kMarkPx - 2, kMarkPx - 2}, kBlue);
  return s;
}

namespace {
// The hand, row by row: '#' black outline, '.' white fill, ' ' transparent.
// Its index finger points up, the tip's top-left at (12, 10).
constexpr std::array<std::string_view, 32> kHand{{
    "",
    "",
    "",
    "",
    "",
    "",
    "",
    "",
    "",
    "",
    "            ##",
    "           #..#",
    "           #..#",
    "           #..#",
    "           #..#",
    "           #..###",
    "           #..#..###",
    "           #..#..#..##",
    "        ## #..#..#..#.#",
    "       #..##........#.#",
    "       #...#..........#",
    "        #.............#",
    "        #.............#",
    "         #............#",
    "         #...........#",
    "          #..........#",
    "          #.........#",
    "           #........#",
    "           #........#",
    "           ##########",
    "",
    "",
}};
}  // namespace

PointerPicture LinkPointer() {
  PointerPicture p;
  p.hotX = 12;
  p.hotY = 10;
  for (size_t y = 0; y < 32; ++y) {
    uint32_t andRow = 0xFFFFFFFFu, xorRow = 0;
    const std::string_view row = kHand[y];
    for (size_t x = 0; x < row.size() && x < 32; ++x) {
      const uint32_t bit = 0x80000000u >> x;
      if (row[x] == '#') andRow &= ~bit;                       // black
      if (row[x] == '.') { andRow &= ~bit; xorRow |= bit; }   // white
    }
    p.andMask[y] = andRow;
    p.xorMask[y] = xorRow;
  }
  return p;
}

}  // namespace tl
