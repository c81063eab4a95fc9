#include "gfx/bmp_file.h"

#include <array>
#include <bit>
#include <cstring>

#include "gfx/picture_probe.h"

namespace tl {

namespace {

void Put16(uint8_t* at, uint32_t v) {
  at[0] = static_cast<uint8_t>(v);
  at[1] = static_cast<uint8_t>(v >> 8);
}
void Put32(uint8_t* at, uint32_t v) {
  Put16(at, v & 0xFFFF);
  Put16(at + 2, v >> 16);
}

uint32_t Load32(const uint8_t* at) {
  uint32_t v;
  std::memcpy(&v, at, 4);
  return v;
}
void Store32(uint8_t* at, uint32_t v) { std::memcpy(at, &v, 4); }

// Rows of 24-bit pixels to 32-bit ones and back, four pixels (three
// little-endian words) at a time.
void Row24To32(const uint8_t* src, uint32_t* dst, size_t n) {
  size_t x = 0;
  for (; x + 4 <= n; x += 4, src += 12) {
    const uint32_t w0 = Load32(src), w1 = Load32(src + 4), w2 = Load32(src + 8);
    dst[x] = w0 & 0xFFFFFF;
    dst[x + 1] = (w0 >> 24) | (w1 & 0xFFFF) << 8;
    dst[x + 2] = (w1 >> 16) | (w2 & 0xFF) << 16;
    dst[x + 3] = w2 >> 8;
  }
  for (; x < n; ++x, src += 3) dst[x] = uint32_t{src[0]} | uint32_t{src[1]} << 8 | uint32_t{src[2]} << 16;
}
void Row32To24(const uint32_t* src, uint8_t* dst, size_t n) {
  size_t x = 0;
  for (; x + 4 <= n; x += 4, dst += 12) {
    Store32(dst, (src[x] & 0xFFFFFF) | src[x + 1] << 24);
    Store32(dst + 4, (src[x + 1] >> 8 & 0xFFFF) | src[x + 2] << 16);
    Store32(dst + 8, (src[x + 2] >> 16 & 0xFF) | src[x + 3] << 8);
  }
  for (; x < n; ++x, dst += 3) {
    dst[0] = static_cast<uint8_t>(src[x]);
    dst[1] = static_cast<uint8_t>(src[x] >> 8);
    dst[2] = static_cast<uint8_t>(src[x] >> 16);
  }
}

uint32_t RowBytes(const Surface& pixels) { return (static_cast<uint32_t>(pixels.Width()) * 3 + 3) & ~3u; }

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

size_t BmpFileBytes(const Surface& pixels) {
  return 54 + size_t{RowBytes(pixels)} * static_cast<size_t>(pixels.Height());
}

void WriteBmpFile(const Surface& pixels, uint8_t* out) {
  const uint32_t w = static_cast<uint32_t>(pixels.Width());
  const uint32_t h = static_cast<uint32_t>(pixels.Height());
  const uint32_t stride = RowBytes(pixels);
  const uint32_t image = stride * h;
  std::memset(out, 0, 54);
  out[0] = 'B';
  out[1] = 'M';
  Put32(out + 2, 54 + image);
  Put32(out + 10, 54);
  Put32(out + 14, 40);
  Put32(out + 18, w);
  Put32(out + 22, h);  // positive: bottom-up
  Put16(out + 26, 1);
  Put16(out + 28, 24);
  Put32(out + 34, image);  // BI_RGB, then the image's size
  Put32(out + 38, 3780);   // 96 DPI in pixels per metre
  Put32(out + 42, 3780);
  uint8_t* d = out + 54;
  for (uint32_t y = h; y-- > 0; d += stride) {
    Row32To24(pixels.Row(static_cast<int32_t>(y)), d, w);
    std::memset(d + w * 3, 0, stride - w * 3);
  }
}

std::vector<uint8_t> EncodeBmp(const Surface& pixels) {
  std::vector<uint8_t> out(BmpFileBytes(pixels));
  WriteBmpFile(pixels, out.data());
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
    if (bpp == 24) {  // the common case, in a loop of its own
      Row24To32(src, dst, static_cast<size_t>(width));
      continue;
    }
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
