#pragma once
// Decoders and encoders for the formats that are not ours to write: linked
// per build, Debian's libpng, libjpeg-turbo and giflib natively, the Windows
// Imaging Component on Windows. Callers check the size first
// (picture_probe.h); each decoder checks it again from what it reads.
#include <cstdint>
#include <optional>
#include <span>
#include <vector>

#include "gfx/picture_decode.h"
#include "gfx/surface.h"

namespace tl::codec {

DecodedPicture DecodePng(std::span<const uint8_t> bytes, uint32_t background);
DecodedPicture DecodeJpeg(std::span<const uint8_t> bytes);
// The first frame, placed on the logical screen as the file says.
DecodedPicture DecodeGif(std::span<const uint8_t> bytes, uint32_t background);

// 8-bit RGB, no alpha.
std::optional<std::vector<uint8_t>> EncodePng(const Surface& pixels);
// Baseline JPEG at a quality of 1 to 100 (used to make test files).
std::optional<std::vector<uint8_t>> EncodeJpeg(const Surface& pixels, int quality);

}  // namespace tl::codec
