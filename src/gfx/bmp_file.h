#pragma once
// Device-independent bitmap files, read and written by our own code: the
// format is plain rows of pixels, so no library is needed.
#include <cstdint>
#include <span>
#include <vector>

#include "gfx/picture_decode.h"
#include "gfx/surface.h"

namespace tl {

// 24 bits per pixel, rows bottom-up, 96 DPI: what every reader takes.
std::vector<uint8_t> EncodeBmp(const Surface& pixels);
// The same into memory of BmpFileBytes(pixels) bytes.
size_t BmpFileBytes(const Surface& pixels);
void WriteBmpFile(const Surface& pixels, uint8_t* out);

// Reads 1, 4, 8, 16, 24 and 32 bits per pixel, uncompressed or with bit
// fields, bottom-up or top-down, with the core or any later info header.
// Run-length compressed files are Unsupported.
DecodedPicture DecodeBmp(std::span<const uint8_t> bytes);

}  // namespace tl
