// PNG reading through Debian's libpng, with its simplified interface: it
// takes every bit depth and colour type and hands back 8-bit BGRA. Writing
// is ours (codec_png_encode.cpp).
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

}  // namespace tl::codec
