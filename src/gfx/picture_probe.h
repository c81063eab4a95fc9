#pragma once
// What a picture file is, read from its first bytes: the format and the size
// its header claims. Loaders check the size against the limits below before
// they allocate anything, so a damaged or hostile header never becomes a
// runaway allocation.
#include <cstdint>
#include <span>

namespace tl {

enum class PictureFormat { Unknown, Bmp, Png, Jpeg, Gif, Wmf, Ico, Cur };

// The largest picture a file may hold: 16384 pixels a side and 2^25 pixels
// in all (128 MiB as 32-bit pixels; an 8K screen, 7680 x 4320, fits).
inline constexpr int32_t kMaxPictureSide = 16384;
inline constexpr int64_t kMaxPicturePixels = int64_t{1} << 25;

// True for a size of at least 1 x 1 within the limits.
constexpr bool PictureSizeAllowed(int64_t width, int64_t height) {
  return width >= 1 && height >= 1 && width <= kMaxPictureSide && height <= kMaxPictureSide &&
         width * height <= kMaxPicturePixels;
}

struct PictureProbe {
  PictureFormat format = PictureFormat::Unknown;
  // The size the header claims, in pixels; 0 when the header is cut short.
  // A metafile's size is given at `dpi` dots per inch.
  int64_t width = 0, height = 0;
};

PictureProbe ProbePicture(std::span<const uint8_t> bytes, int32_t dpi = 96);

// False when the file ends before the data its header announces: checked
// here for BMP, JPEG, ICO, CUR and WMF, whose platform readers may pad a
// short file silently; the PNG and GIF readers find it themselves.
bool PictureComplete(std::span<const uint8_t> bytes, const PictureProbe& probe);

// The most bytes a picture file may have: a largest picture as an
// uncompressed 32-bit bitmap, and room to spare.
inline constexpr uint64_t kMaxPictureFileBytes = uint64_t{256} << 20;

const char* PictureFormatName(PictureFormat format);

}  // namespace tl
