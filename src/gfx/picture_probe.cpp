#include "gfx/picture_probe.h"

#include <cstdlib>
#include <cstring>

namespace tl {

namespace {

uint32_t Le16(std::span<const uint8_t> b, size_t at) {
  return at + 2 <= b.size() ? uint32_t{b[at]} | uint32_t{b[at + 1]} << 8 : 0;
}
uint32_t Le32(std::span<const uint8_t> b, size_t at) {
  return at + 4 <= b.size() ? Le16(b, at) | Le16(b, at + 2) << 16 : 0;
}
uint32_t Be16(std::span<const uint8_t> b, size_t at) {
  return at + 2 <= b.size() ? uint32_t{b[at]} << 8 | uint32_t{b[at + 1]} : 0;
}
uint32_t Be32(std::span<const uint8_t> b, size_t at) {
  return at + 4 <= b.size() ? Be16(b, at) << 16 | Be16(b, at + 2) : 0;
}
bool StartsWith(std::span<const uint8_t> b, const char* magic, size_t n) {
  return b.size() >= n && std::memcmp(b.data(), magic, n) == 0;
}

PictureProbe Bmp(std::span<const uint8_t> b) {
  PictureProbe p{PictureFormat::Bmp};
  const uint32_t header = Le32(b, 14);
  if (header == 12) {  // the old core header: 16-bit sizes
    p.width = Le16(b, 18);
    p.height = Le16(b, 20);
  } else if (header >= 40 && b.size() >= 26) {
    p.width = static_cast<int32_t>(Le32(b, 18));
    p.height = std::llabs(static_cast<int32_t>(Le32(b, 22)));  // negative: top-down rows
  }
  return p;
}

// The frame header (SOFn) holds the size; it comes after the tables.
PictureProbe Jpeg(std::span<const uint8_t> b) {
  PictureProbe p{PictureFormat::Jpeg};
  size_t at = 2;
  while (at + 4 <= b.size()) {
    if (b[at] != 0xFF) break;
    const uint8_t marker = b[at + 1];
    if (marker == 0xFF) {  // fill byte
      ++at;
      continue;
    }
    const bool frame = marker >= 0xC0 && marker <= 0xCF && marker != 0xC4 && marker != 0xC8 &&
                       marker != 0xCC;
    if (frame) {
      p.height = Be16(b, at + 5);
      p.width = Be16(b, at + 7);
      break;
    }
    if (marker == 0xDA || marker == 0xD9) break;  // scan data or the end: no frame header
    at += 2 + Be16(b, at + 2);
  }
  return p;
}

PictureProbe Icon(std::span<const uint8_t> b, PictureFormat format) {
  PictureProbe p{format};
  if (Le16(b, 4) == 0 || b.size() < 6 + 16) return p;
  // The first image; a stored 0 means 256.
  p.width = b[6] == 0 ? 256 : b[6];
  p.height = b[7] == 0 ? 256 : b[7];
  return p;
}

PictureProbe Metafile(std::span<const uint8_t> b, int32_t dpi) {
  PictureProbe p{PictureFormat::Wmf};
  const int32_t left = static_cast<int16_t>(Le16(b, 6)), top = static_cast<int16_t>(Le16(b, 8));
  const int32_t right = static_cast<int16_t>(Le16(b, 10)), bottom = static_cast<int16_t>(Le16(b, 12));
  const int32_t unitsPerInch = static_cast<int32_t>(Le16(b, 14));
  if (b.size() < 22 || unitsPerInch == 0) return p;
  p.width = (std::llabs(int64_t{right} - left) * dpi + unitsPerInch / 2) / unitsPerInch;
  p.height = (std::llabs(int64_t{bottom} - top) * dpi + unitsPerInch / 2) / unitsPerInch;
  return p;
}

// Entropy-coded data never holds FF D9 (an FF there is followed by 00 or a
// restart marker), so an end marker after the first scan header ends the
// picture; one before it may belong to an embedded thumbnail.
bool JpegComplete(std::span<const uint8_t> b) {
  size_t at = 2;
  while (at + 4 <= b.size() && b[at] == 0xFF) {
    if (b[at + 1] == 0xFF) {
      ++at;
      continue;
    }
    if (b[at + 1] == 0xDA) break;
    at += 2 + Be16(b, at + 2);
  }
  for (size_t i = at; i + 1 < b.size(); ++i)
    if (b[i] == 0xFF && b[i + 1] == 0xD9) return true;
  return false;
}

bool BmpComplete(std::span<const uint8_t> b, const PictureProbe& p) {
  const uint32_t header = Le32(b, 14);
  const uint64_t bpp = header == 12 ? Le16(b, 24) : Le16(b, 28);
  const uint32_t compression = header == 12 ? 0 : Le32(b, 30);
  if (compression != 0 && compression != 3) return true;  // compressed: the reader checks
  const uint64_t stride = ((static_cast<uint64_t>(p.width) * bpp + 31) / 32) * 4;
  return uint64_t{Le32(b, 10)} + stride * static_cast<uint64_t>(p.height) <= b.size();
}

bool IconComplete(std::span<const uint8_t> b) {
  const uint32_t count = Le16(b, 4);
  if (6 + uint64_t{count} * 16 > b.size()) return false;
  for (uint32_t i = 0; i < count; ++i) {
    const size_t e = 6 + size_t{i} * 16;
    if (uint64_t{Le32(b, e + 12)} + Le32(b, e + 8) > b.size()) return false;
  }
  return count > 0;
}

}  // namespace

bool PictureComplete(std::span<const uint8_t> b, const PictureProbe& p) {
  switch (p.format) {
    case PictureFormat::Bmp: return BmpComplete(b, p);
    case PictureFormat::Jpeg: return JpegComplete(b);
    case PictureFormat::Ico:
    case PictureFormat::Cur: return IconComplete(b);
    case PictureFormat::Wmf:
      // The metafile header after the 22-byte placeable one gives the size in words.
      return b.size() >= 22 + 18 && 22 + uint64_t{Le32(b, 22 + 6)} * 2 <= b.size();
    default: return true;
  }
}

PictureProbe ProbePicture(std::span<const uint8_t> b, int32_t dpi) {
  if (StartsWith(b, "BM", 2)) return Bmp(b);
  if (StartsWith(b, "\x89PNG\r\n\x1A\n", 8)) {
    PictureProbe p{PictureFormat::Png};
    if (Be32(b, 12) == 0x49484452) {  // "IHDR"
      p.width = Be32(b, 16);
      p.height = Be32(b, 20);
    }
    return p;
  }
  if (StartsWith(b, "\xFF\xD8\xFF", 3)) return Jpeg(b);
  if (StartsWith(b, "GIF87a", 6) || StartsWith(b, "GIF89a", 6))
    return {PictureFormat::Gif, Le16(b, 6), Le16(b, 8)};
  if (StartsWith(b, "\xD7\xCD\xC6\x9A", 4)) return Metafile(b, dpi);  // placeable metafile
  if (StartsWith(b, "\0\0\1\0", 4)) return Icon(b, PictureFormat::Ico);
  if (StartsWith(b, "\0\0\2\0", 4)) return Icon(b, PictureFormat::Cur);
  return {};
}

const char* PictureFormatName(PictureFormat format) {
  switch (format) {
    case PictureFormat::Bmp: return "BMP";
    case PictureFormat::Png: return "PNG";
    case PictureFormat::Jpeg: return "JPEG";
    case PictureFormat::Gif: return "GIF";
    case PictureFormat::Wmf: return "WMF";
    case PictureFormat::Ico: return "ICO";
    case PictureFormat::Cur: return "CUR";
    case PictureFormat::Unknown: break;
  }
  return "unknown";
}

}  // namespace tl
