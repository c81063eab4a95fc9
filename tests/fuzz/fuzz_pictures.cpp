// Picture files of any bytes through the native decoders (our BMP reader,
// libpng, libjpeg-turbo, giflib): a picture or a refusal, never a crash,
// never an allocation beyond the size limits.
#include <cstdlib>
#include <span>

#include "gfx/picture_decode.h"
#include "gfx/picture_probe.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const tl::DecodedPicture p = tl::DecodePicture(std::span<const uint8_t>(data, size), 0x00808080);
  if (p.ok() && (p.pixels.Width() <= 0 || p.pixels.Height() <= 0)) std::abort();
  if (!p.ok() && p.pixels.Width() != 0) std::abort();
  return 0;
}
