#include "gfx/bmp_file.h"

#include <array>
#include <bit>

#include "gfx/picture_probe.h"

namespace tl {

namespace {

void Put16(std::vector<uint8_t>& out, uint32_t v) {
  out.push_back(static_cast<uint8_t>(v));
  out.push_back(static_cast<uint8_t>(v >> 8));
}
void Put32(std::vector<uint8_t>& out, uint32_t v) {
  Put16(out, v & 0xFFFF);
  Put16(out, v >> 16);
}

uint32_t Get16(std::span<const uint8_t> b, size_t at) {
  return uint32_t{b[at]} | uint32_t{b[at + 1]} << 8;
}
uint32_t Get32(std::span<const uint8_t> b, size_t at) { return Get16(b, at) | Get16(b, at + 2) << 16; }

// One channel of a bit-field pixel, scaled to 0..255.
struct Field {
  uint32_t mask = 0;
  int shift = 0;
  uint32_t max = 0;
  explicit Field(uint32_t m) : mask(m) {
    if (m == 0) return;
    shift = std::countr_zero(m);
    max = m >> shift;
  }
  uint32_t Of(uint32_t px) const {
    if (max == 0) return 0;
    return (((px & mask) >> shift) * 255 + max / 2) / max;
  }
};

}  // namespace

std::vector<uint8_t> EncodeBmp(const Surface& pixels) {
  const uint32_t w = static_cast<uint32_t>(pixels.Width());
  const uint32_t h = static_cast<uint32_t>(pixels.Height());
  const uint32_t stride = (w * 3 + 3) & ~3u;
  const uint32_t image = stride * h;
  std::vector<uint8_t> out;
  out.reserve(54 + image);
  out.push_back('B');
  out.push_back('M');
  Put32(out, 54 + image);
  Put32(out, 0);
  Put32(out, 54);
  Put32(out, 40);
  Put32(out, w);
  Put32(out, h);  // positive: bottom-up
  Put16(out, 1);
  Put16(out, 24);
  Put32(out, 0);  // BI_RGB
  Put32(out, image);
  Put32(out, 3780);  // 96 DPI in pixels per metre
  Put32(out, 3780);
  Put32(out, 0);
  Put32(out, 0);
  for (uint32_t y = h; y-- > 0;) {
    const uint32_t* row = pixels.Row(static_cast<int32_t>(y));
    for (uint32_t x = 0; x < w; ++x) {
      out.push_back(static_cast<uint8_t>(row[x]));
      out.push_back(static_cast<uint8_t>(row[x] >> 8));
      out.push_back(static_cast<uint8_t>(row[x] >> 16));
    }
    out.resize(out.size() + (stride - w * 3), 0);
  }
  return out;
}

DecodedPicture DecodeBmp(std::span<const uint8_t> b) {
  using enum PictureError;
  if (b.size() < 26 || b[0] != 'B' || b[1] != 'M') return DecodedPicture::Failed(NotAPicture);
  const uint32_t dataAt = Get32(b, 10);
  const uint32_t header = Get32(b, 14);
  const bool core = header == 12;
  if (!core && header < 40) return DecodedPicture::Failed(Damaged);
  if (14 + uint64_t{header} > b.size()) return DecodedPicture::Failed(Damaged);
  int64_t width, height;
  uint32_t bpp, compression = 0, colours = 0;
  if (core) {
    width = Get16(b, 18);
    height = Get16(b, 20);
    bpp = Get16(b, 24);
  } else {
    width = static_cast<int32_t>(Get32(b, 18));
    height = static_cast<int32_t>(Get32(b, 22));
    bpp = Get16(b, 28);
    compression = Get32(b, 30);
    colours = Get32(b, 46);
  }
  const bool topDown = height < 0;
  if (topDown) height = -height;
  if (!PictureSizeAllowed(width, height)) return DecodedPicture::Failed(TooLarge);
  if (bpp != 1 && bpp != 4 && bpp != 8 && bpp != 16 && bpp != 24 && bpp != 32)
    return DecodedPicture::Failed(Damaged);
  const bool fields = compression == 3 && (bpp == 16 || bpp == 32);
  if (compression != 0 && !fields)
    return DecodedPicture::Failed(compression <= 2 ? Unsupported : Damaged);

  // The channels of 16- and 32-bit pixels.
  uint32_t masks[3] = {0x00FF0000, 0x0000FF00, 0x000000FF};
  if (bpp == 16) {
    masks[0] = 0x7C00;
    masks[1] = 0x03E0;
    masks[2] = 0x001F;
  }
  if (fields) {
    if (14 + 40 + 12 > b.size()) return DecodedPicture::Failed(Damaged);
    for (int i = 0; i < 3; ++i) masks[i] = Get32(b, 54 + 4 * static_cast<size_t>(i));
  }
  const Field red(masks[0]), green(masks[1]), blue(masks[2]);

  // The colour table of 1-, 4- and 8-bit pixels; indexes beyond it are black.
  std::array<uint32_t, 256> palette{};
  if (bpp <= 8) {
    const uint32_t most = 1u << bpp;
    const uint32_t count = colours == 0 || colours > most ? most : colours;
    const size_t entry = core ? 3 : 4;
    const size_t at = 14 + size_t{header};
    if (at + count * entry > b.size()) return DecodedPicture::Failed(Damaged);
    for (uint32_t i = 0; i < count; ++i) {
      const size_t e = at + i * entry;
      palette[i] = uint32_t{b[e]} | uint32_t{b[e + 1]} << 8 | uint32_t{b[e + 2]} << 16;
    }
  }

  const uint64_t stride = ((static_cast<uint64_t>(width) * bpp + 31) / 32) * 4;
  if (dataAt > b.size() || stride * static_cast<uint64_t>(height) > b.size() - dataAt)
    return DecodedPicture::Failed(Damaged);

  DecodedPicture out;
  out.pixels.Resize(static_cast<int32_t>(width), static_cast<int32_t>(height));
  for (int32_t y = 0; y < height; ++y) {
    const int32_t fileRow = topDown ? y : static_cast<int32_t>(height) - 1 - y;
    const uint8_t* src = b.data() + dataAt + stride * static_cast<uint64_t>(fileRow);
    uint32_t* dst = out.pixels.Row(y);
    for (int32_t x = 0; x < width; ++x) {
      uint32_t px;
      switch (bpp) {
        case 1: px = palette[(src[x / 8] >> (7 - x % 8)) & 1]; break;
        case 4: px = palette[(src[x / 2] >> (x % 2 ? 0 : 4)) & 15]; break;
        case 8: px = palette[src[x]]; break;
        case 24: px = uint32_t{src[3 * x]} | uint32_t{src[3 * x + 1]} << 8 | uint32_t{src[3 * x + 2]} << 16; break;
        default: {
          const uint32_t v = bpp == 16 ? Get16({src, 2 * size_t(x) + 2}, 2 * size_t(x))
                                       : Get32({src, 4 * size_t(x) + 4}, 4 * size_t(x));
          px = Rgb(static_cast<uint8_t>(red.Of(v)), static_cast<uint8_t>(green.Of(v)),
                   static_cast<uint8_t>(blue.Of(v)));
        }
      }
      dst[x] = px;
    }
  }
  return out;
}

}  // namespace tl
