// Pixel memory from the C library, where no larger pages are asked for.
#include <cstdlib>

#include "gfx/pixel_memory.h"

namespace tl {

void* AllocatePixelMemory(size_t bytes, PixelPlace) { return std::calloc(bytes, 1); }

void FreePixelMemory(void* block, size_t) { std::free(block); }

}  // namespace tl
