#pragma once
// The seam to picture files: loading one into pixels and saving pixels as a
// bitmap file. The win32 back end loads with the platform's own picture
// loader (BMP, GIF, JPEG, WMF, ICO, CUR); the headless back end reads BMP,
// PNG, JPEG and GIF with the build's codecs. Both refuse a picture beyond
// the size limits of gfx/picture_probe.h before allocating it.
#include <cstdint>
#include <string>

#include "gfx/picture_decode.h"
#include "gfx/surface.h"

namespace tl {

class PictureFiles {
 public:
  virtual ~PictureFiles() = default;

  // The picture in the file at `path` (UTF-8), at its own size in pixels;
  // transparent parts show `background` (a pixel value).
  virtual DecodedPicture LoadPicture(const std::string& path, uint32_t background) = 0;
  // Writes `pixels` as a 24-bit BMP file; false when it cannot be written.
  virtual bool SavePictureAsBmp(const std::string& path, const Surface& pixels) = 0;
};

}  // namespace tl
