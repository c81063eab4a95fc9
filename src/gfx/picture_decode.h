#pragma once
// Picture files into our 32-bit pixels: the format is found from the file's
// first bytes, the size checked against the limits (picture_probe.h), BMP
// read by our own code and PNG, JPEG and GIF by the codecs of the build
// (picture_codec.h).
#include <cstdint>
#include <span>

#include "gfx/surface.h"

namespace tl {

enum class PictureError {
  None,
  CannotRead,   // no such file, or it cannot be opened
  NotAPicture,  // no format we know
  Unsupported,  // a known format this platform cannot read
  Damaged,      // cut short or inconsistent
  TooLarge,     // 0 x 0, or beyond the size limits
  CannotWrite,
};

const char* PictureErrorText(PictureError error);

struct DecodedPicture {
  Surface pixels;  // reserved bytes 0
  PictureError error = PictureError::None;
  bool ok() const { return error == PictureError::None; }
  static DecodedPicture Failed(PictureError e) { return {Surface(), e}; }
};

// Reads BMP, PNG, JPEG and GIF (its first frame); transparent parts show
// `background` (a pixel value).
DecodedPicture DecodePicture(std::span<const uint8_t> bytes, uint32_t background);

// Blends a straight-alpha pixel over the background, per channel.
uint32_t OverBackground(uint32_t bgra, uint32_t background);

}  // namespace tl
