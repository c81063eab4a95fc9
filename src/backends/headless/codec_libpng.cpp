// PNG through Debian's libpng, with its simplified interface: it takes every
// bit depth and colour type and hands back 8-bit BGRA.
#include <png.h>

#include <cstring>

#include "gfx/picture_codec.h"
#include "gfx/picture_probe.h"

namespace tl::codec {

namespace {
struct ImageEnd {
  png_image* image;
  ~ImageEnd() { png_image_free(image); }
};
}  // namespace

DecodedPicture DecodePng(std::span<const uint8_t> bytes, uint32_t background) {
  png_image image;
  std::memset(&image, 0, sizeof image);
  image.version = PNG_IMAGE_VERSION;
  const ImageEnd end{&image};
  if (!png_image_begin_read_from_memory(&image, bytes.data(), bytes.size()))
    return DecodedPicture::Failed(PictureError::Damaged);
  if (!PictureSizeAllowed(image.width, image.height))
    return DecodedPicture::Failed(PictureError::TooLarge);
  image.format = PNG_FORMAT_BGRA;
  DecodedPicture out;
  out.pixels.Resize(static_cast<int32_t>(image.width), static_cast<int32_t>(image.height));
  if (!png_image_finish_read(&image, nullptr, out.pixels.Data(), 0, nullptr))
    return DecodedPicture::Failed(PictureError::Damaged);
  uint32_t* p = out.pixels.Data();
  for (size_t i = 0, n = out.pixels.ByteSize() / 4; i < n; ++i) p[i] = OverBackground(p[i], background);
  return out;
}

std::optional<std::vector<uint8_t>> EncodePng(const Surface& pixels) {
  if (pixels.Width() <= 0 || pixels.Height() <= 0) return std::nullopt;
  std::vector<uint8_t> bgr(static_cast<size_t>(pixels.Width()) * pixels.Height() * 3);
  uint8_t* d = bgr.data();
  const uint32_t* s = pixels.Data();
  for (size_t i = 0, n = pixels.ByteSize() / 4; i < n; ++i) {
    *d++ = static_cast<uint8_t>(s[i]);
    *d++ = static_cast<uint8_t>(s[i] >> 8);
    *d++ = static_cast<uint8_t>(s[i] >> 16);
  }
  png_image image;
  std::memset(&image, 0, sizeof image);
  image.version = PNG_IMAGE_VERSION;
  image.width = static_cast<png_uint_32>(pixels.Width());
  image.height = static_cast<png_uint_32>(pixels.Height());
  image.format = PNG_FORMAT_BGR;
  const ImageEnd end{&image};
  png_alloc_size_t size = 0;
  if (!png_image_write_to_memory(&image, nullptr, &size, 0, bgr.data(), 0, nullptr))
    return std::nullopt;
  std::vector<uint8_t> out(size);
  if (!png_image_write_to_memory(&image, out.data(), &size, 0, bgr.data(), 0, nullptr))
    return std::nullopt;
  out.resize(size);
  return out;
}

}  // namespace tl::codec
