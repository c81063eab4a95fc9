// Pixel memory on Linux: a block of 2 MiB or more is mapped on its own,
// aligned to 2 MiB and marked for transparent huge pages, so that its first
// touch costs one fault per 2 MiB instead of one per 4 KiB. Smaller blocks
// come from the C library.
#include <sys/mman.h>

#include <cstdint>
#include <cstdlib>

#include "gfx/pixel_memory.h"

namespace tl {

namespace {
constexpr size_t kHuge = size_t{2} << 20;
size_t Mapped(size_t bytes) { return (bytes + kHuge - 1) / kHuge * kHuge; }
}  // namespace

void* AllocatePixelMemory(size_t bytes) {
  if (bytes < kHuge) return std::calloc(bytes, 1);
  const size_t size = Mapped(bytes);
  if (size < bytes) return nullptr;  // overflow
  // Map a huge page more, then give back what lies outside the aligned block.
  void* raw = mmap(nullptr, size + kHuge, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
  if (raw == MAP_FAILED) return nullptr;
  const uintptr_t start = reinterpret_cast<uintptr_t>(raw);
  const uintptr_t aligned = (start + kHuge - 1) / kHuge * kHuge;
  if (aligned > start) munmap(raw, aligned - start);
  if (const size_t tail = start + size + kHuge - (aligned + size); tail > 0)
    munmap(reinterpret_cast<void*>(aligned + size), tail);
  void* block = reinterpret_cast<void*>(aligned);
  madvise(block, size, MADV_HUGEPAGE);  // a hint: without it the pages are small
  return block;
}

void FreePixelMemory(void* block, size_t bytes) {
  if (bytes < kHuge) {
    std::free(block);
  } else {
    munmap(block, Mapped(bytes));
  }
}

}  // namespace tl
