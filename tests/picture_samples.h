#pragma once
// Picture files the tests make for themselves: a sample picture of our own,
// and small writers for the formats whose files we never write otherwise
// (GIF, icons, cursors, metafiles, bitmap variants), byte by byte.
#include <cstdint>
#include <map>
#include <string>
#include <vector>

#include "gfx/surface.h"

namespace tl::test {

using Bytes = std::vector<uint8_t>;

// Smooth colour ramps with a few hard edges; reserved bytes 0.
inline Surface SamplePicture(int32_t w, int32_t h) {
  Surface s(w, h);
  for (int32_t y = 0; y < h; ++y)
    for (int32_t x = 0; x < w; ++x) {
      const uint8_t r = static_cast<uint8_t>(x * 255 / std::max(1, w - 1));
      const uint8_t g = static_cast<uint8_t>(y * 255 / std::max(1, h - 1));
      const uint8_t b = (x / 8 + y / 8) % 2 ? 200 : 40;
      s.At(x, y) = Rgb(r, g, b);
    }
  return s;
}

// A picture of at most 256 colours: eight blocks of colour across.
inline Surface PalettePicture(int32_t w, int32_t h) {
  static constexpr uint32_t kColours[] = {0xFF0000, 0x00FF00, 0x0000FF, 0xFFFF00,
                                          0x00FFFF, 0xFF00FF, 0x808080, 0x102030};
  Surface s(w, h);
  for (int32_t y = 0; y < h; ++y)
    for (int32_t x = 0; x < w; ++x) s.At(x, y) = kColours[(x * 8 / w + y) % 8];
  return s;
}

inline std::string AsString(const Bytes& b) { return std::string(b.begin(), b.end()); }

// Blue, green and red only: what a 24-bit file keeps.
inline Surface Rgb24(Surface s) {
  for (int32_t y = 0; y < s.Height(); ++y)
    for (int32_t x = 0; x < s.Width(); ++x) s.At(x, y) &= 0xFFFFFF;
  return s;
}

inline void Put16(Bytes& b, uint32_t v) {
  b.push_back(static_cast<uint8_t>(v));
  b.push_back(static_cast<uint8_t>(v >> 8));
}
inline void Put32(Bytes& b, uint32_t v) {
  Put16(b, v & 0xFFFF);
  Put16(b, v >> 16);
}
inline void Set32(Bytes& b, size_t at, uint32_t v) {
  for (int i = 0; i < 4; ++i) b[at + i] = static_cast<uint8_t>(v >> (8 * i));
}

// A GIF of one frame covering the screen, from a picture of at most 256
// colours. The codes are written 9 bits wide with a clear code every 100
// pixels, so the table never grows: plain to write, valid for any reader.
// The picture as a GIF's first frame; `canvas` (when given) is the logical
// screen it sits on at `at`.
struct GifPlacement {
  int32_t canvasWidth = 0, canvasHeight = 0, left = 0, top = 0;
};
inline Bytes GifFile(const Surface& s, int transparentIndex = -1, bool interlaced = false,
                     GifPlacement place = {}) {
  std::map<uint32_t, uint8_t> index;
  std::vector<uint32_t> palette;
  for (int32_t y = 0; y < s.Height(); ++y)
    for (int32_t x = 0; x < s.Width(); ++x)
      if (index.emplace(s.At(x, y), static_cast<uint8_t>(palette.size())).second)
        palette.push_back(s.At(x, y));
  palette.resize(256, 0);
  Bytes b = {'G', 'I', 'F', '8', '9', 'a'};
  Put16(b, static_cast<uint32_t>(place.canvasWidth ? place.canvasWidth : s.Width()));
  Put16(b, static_cast<uint32_t>(place.canvasHeight ? place.canvasHeight : s.Height()));
  b.insert(b.end(), {0xF7, 0, 0});  // a global table of 256 colours
  for (uint32_t c : palette) b.insert(b.end(), {uint8_t(c >> 16), uint8_t(c >> 8), uint8_t(c)});
  if (transparentIndex >= 0)
    b.insert(b.end(), {0x21, 0xF9, 4, 1, 0, 0, static_cast<uint8_t>(transparentIndex), 0});
  b.push_back(0x2C);
  Put16(b, static_cast<uint32_t>(place.left));
  Put16(b, static_cast<uint32_t>(place.top));
  Put16(b, static_cast<uint32_t>(s.Width()));
  Put16(b, static_cast<uint32_t>(s.Height()));
  b.push_back(interlaced ? 0x40 : 0);
  b.push_back(8);  // minimum code size
  Bytes data;
  uint32_t acc = 0;
  int bits = 0;
  auto code = [&](uint32_t c) {
    acc |= c << bits;
    bits += 9;
    while (bits >= 8) {
      data.push_back(static_cast<uint8_t>(acc));
      acc >>= 8;
      bits -= 8;
    }
  };
  std::vector<int32_t> rows;
  if (interlaced) {
    for (auto [start, step] : {std::pair{0, 8}, {4, 8}, {2, 4}, {1, 2}})
      for (int32_t y = start; y < s.Height(); y += step) rows.push_back(y);
  } else {
    for (int32_t y = 0; y < s.Height(); ++y) rows.push_back(y);
  }
  int run = 0;
  for (int32_t y : rows)
    for (int32_t x = 0; x < s.Width(); ++x) {
      if (run++ % 100 == 0) code(256);
      code(index[s.At(x, y)]);
    }
  code(257);
  if (bits > 0) data.push_back(static_cast<uint8_t>(acc));
  for (size_t at = 0; at < data.size(); at += 255) {
    const size_t n = std::min<size_t>(255, data.size() - at);
    b.push_back(static_cast<uint8_t>(n));
    b.insert(b.end(), data.begin() + at, data.begin() + at + n);
  }
  b.push_back(0);
  b.push_back(0x3B);
  return b;
}

// An icon (or cursor) of one 24-bit image; pixels whose bit is set in
// `transparent` show what is under the icon.
inline Bytes IconFile(const Surface& s, bool cursor, const std::vector<bool>& transparent = {}) {
  const uint32_t w = static_cast<uint32_t>(s.Width()), h = static_cast<uint32_t>(s.Height());
  const uint32_t colourStride = (w * 3 + 3) & ~3u, maskStride = ((w + 31) / 32) * 4;
  Bytes image;
  Put32(image, 40);
  Put32(image, w);
  Put32(image, 2 * h);  // colour rows, then mask rows
  Put16(image, 1);
  Put16(image, 24);
  for (int i = 0; i < 6; ++i) Put32(image, 0);
  for (uint32_t y = h; y-- > 0;) {
    for (uint32_t x = 0; x < w; ++x) {
      const bool clear = !transparent.empty() && transparent[y * w + x];
      const uint32_t p = clear ? 0 : s.At(static_cast<int32_t>(x), static_cast<int32_t>(y));
      image.insert(image.end(), {uint8_t(p), uint8_t(p >> 8), uint8_t(p >> 16)});
    }
    image.resize(image.size() + colourStride - w * 3, 0);
  }
  for (uint32_t y = h; y-- > 0;) {
    Bytes row(maskStride, 0);
    for (uint32_t x = 0; x < w; ++x)
      if (!transparent.empty() && transparent[y * w + x]) row[x / 8] |= uint8_t(0x80 >> (x % 8));
    image.insert(image.end(), row.begin(), row.end());
  }
  Bytes b;
  Put16(b, 0);
  Put16(b, cursor ? 2 : 1);
  Put16(b, 1);
  b.push_back(static_cast<uint8_t>(w));
  b.push_back(static_cast<uint8_t>(h));
  b.push_back(0);
  b.push_back(0);
  Put16(b, cursor ? 3 : 1);   // cursor: hot spot x; icon: planes
  Put16(b, cursor ? 4 : 24);  // cursor: hot spot y; icon: bits per pixel
  Put32(b, static_cast<uint32_t>(image.size()));
  Put32(b, 22);
  b.insert(b.end(), image.begin(), image.end());
  return b;
}

// A placeable metafile of w x h pixels at 96 DPI: the left half `left`, the
// right half `right` (COLORREFs), as two rectangles without outline.
inline Bytes MetafileOf(int32_t w, int32_t h, uint32_t left, uint32_t right) {
  Bytes records;
  int words = 9, most = 0;
  auto record = [&](uint16_t fn, std::vector<uint16_t> params) {
    const uint32_t size = 3 + static_cast<uint32_t>(params.size());
    Put32(records, size);
    Put16(records, fn);
    for (uint16_t p : params) Put16(records, p);
    words += static_cast<int>(size);
    most = std::max(most, static_cast<int>(size));
  };
  auto u16 = [](int32_t v) { return static_cast<uint16_t>(v); };
  record(0x020B, {0, 0});                                  // SetWindowOrg(0, 0)
  record(0x020C, {u16(h), u16(w)});                        // SetWindowExt(w, h)
  record(0x02FA, {5, 0, 0, 0, 0});                         // CreatePenIndirect(PS_NULL)
  record(0x012D, {0});                                     // SelectObject(pen)
  for (uint32_t c : {left, right}) {
    record(0x02FC, {0, u16(c & 0xFFFF), u16(c >> 16), 0}); // CreateBrushIndirect(solid)
    record(0x012D, {1});                                   // SelectObject(brush)
    const int32_t x0 = c == left ? 0 : w / 2, x1 = c == left ? w / 2 + 1 : w + 1;
    record(0x041B, {u16(h + 1), u16(x1), 0, u16(x0)});     // Rectangle
    record(0x01F0, {1});                                   // DeleteObject(brush)
  }
  record(0x0000, {});                                      // end of file
  Bytes b;
  Put32(b, 0x9AC6CDD7);
  Put16(b, 0);
  Put16(b, 0);
  Put16(b, 0);
  Put16(b, static_cast<uint32_t>(w));
  Put16(b, static_cast<uint32_t>(h));
  Put16(b, 96);
  Put32(b, 0);
  uint16_t sum = 0;
  for (size_t i = 0; i < 20; i += 2) sum ^= static_cast<uint16_t>(b[i] | b[i + 1] << 8);
  Put16(b, sum);
  Put16(b, 1);  // in memory
  Put16(b, 9);
  Put16(b, 0x0300);
  Put32(b, static_cast<uint32_t>(words));
  Put16(b, 2);  // objects
  Put32(b, static_cast<uint32_t>(most));
  Put16(b, 0);
  b.insert(b.end(), records.begin(), records.end());
  return b;
}

// A bitmap file with a chosen header and pixel layout: `extra` is the colour
// table (or the bit fields), `pixelBytes` the rows as the file stores them
// (bottom-up unless `topDown`).
inline Bytes BmpFile(int32_t w, int32_t h, uint16_t bpp, uint32_t compression,
                     const Bytes& extra, const Bytes& pixelBytes, bool topDown = false) {
  Bytes b = {'B', 'M'};
  Put32(b, 0);
  Put32(b, 0);
  Put32(b, 54 + static_cast<uint32_t>(extra.size()));
  Put32(b, 40);
  Put32(b, static_cast<uint32_t>(w));
  Put32(b, static_cast<uint32_t>(topDown ? -h : h));
  Put16(b, 1);
  Put16(b, bpp);
  Put32(b, compression);
  Put32(b, static_cast<uint32_t>(pixelBytes.size()));
  Put32(b, 0);
  Put32(b, 0);
  Put32(b, bpp <= 8 ? static_cast<uint32_t>(extra.size() / 4) : 0);  // colours in the table
  Put32(b, 0);
  b.insert(b.end(), extra.begin(), extra.end());
  b.insert(b.end(), pixelBytes.begin(), pixelBytes.end());
  Set32(b, 2, static_cast<uint32_t>(b.size()));
  return b;
}

}  // namespace tl::test
