#include "gfx/picture_decode.h"

#include "gfx/bmp_file.h"
#include "gfx/picture_codec.h"
#include "gfx/picture_probe.h"

namespace tl {

const char* PictureErrorText(PictureError error) {
  switch (error) {
    case PictureError::None: return "no error";
    case PictureError::CannotRead: return "cannot be read";
    case PictureError::NotAPicture: return "is not a picture file";
    case PictureError::Unsupported: return "is a picture of a kind this program cannot read";
    case PictureError::Damaged: return "is damaged or cut short";
    case PictureError::TooLarge: return "is empty or larger than 16384 pixels a side or 2^25 pixels";
    case PictureError::CannotWrite: return "cannot be written";
  }
  return "unknown error";
}

uint32_t OverBackground(uint32_t bgra, uint32_t background) {
  const uint32_t a = bgra >> 24;
  if (a == 255) return bgra & 0xFFFFFF;
  uint32_t out = 0;
  for (int shift = 0; shift < 24; shift += 8) {
    const uint32_t c = (bgra >> shift) & 0xFF, g = (background >> shift) & 0xFF;
    out |= ((c * a + g * (255 - a) + 127) / 255) << shift;
  }
  return out;
}

DecodedPicture DecodePicture(std::span<const uint8_t> bytes, uint32_t background) {
  const PictureProbe probe = ProbePicture(bytes);
  if (probe.format == PictureFormat::Unknown) return DecodedPicture::Failed(PictureError::NotAPicture);
  if (probe.width == 0 && probe.height == 0 && probe.format == PictureFormat::Jpeg)
    return DecodedPicture::Failed(PictureError::Damaged);  // no frame header
  if (!PictureSizeAllowed(probe.width, probe.height))
    return DecodedPicture::Failed(PictureError::TooLarge);
  if (!PictureComplete(bytes, probe)) return DecodedPicture::Failed(PictureError::Damaged);
  DecodedPicture out;
  switch (probe.format) {
    case PictureFormat::Bmp: out = DecodeBmp(bytes); break;
    case PictureFormat::Png: out = codec::DecodePng(bytes, background); break;
    case PictureFormat::Jpeg: out = codec::DecodeJpeg(bytes); break;
    case PictureFormat::Gif: out = codec::DecodeGif(bytes, background); break;
    default: return DecodedPicture::Failed(PictureError::Unsupported);
  }
  if (out.ok() && !PictureSizeAllowed(out.pixels.Width(), out.pixels.Height()))
    return DecodedPicture::Failed(PictureError::TooLarge);
  return out;
}

}  // namespace tl
