#pragma once
// Memory for pictures, owned by one object and zeroed when it arrives. A
// picture's first touch of fresh memory costs more than the work done on it
// (a page fault every 4 KiB), so big blocks come from the system in its
// largest pages where it has them: AllocatePixelMemory is linked per build
// (pixel_memory_linux.cpp natively, pixel_memory_plain.cpp on Windows).
#include <cstddef>
#include <cstdint>

namespace tl {

// Whose pixels a block holds: the program's own, or a window's shown ones,
// which a platform may place where its display reads them
// (gfx/pixel_memory_shared.h).
enum class PixelPlace : uint8_t { Own, Shown };

// Zeroed bytes, or nullptr when the memory is not there.
void* AllocatePixelMemory(size_t bytes, PixelPlace place);
// `bytes` as given to the allocation.
void FreePixelMemory(void* block, size_t bytes);

class PixelMemory {
 public:
  PixelMemory() = default;
  // Zeroed; throws std::bad_alloc when the memory is not there. A copy
  // is the program's own.
  explicit PixelMemory(size_t bytes, PixelPlace place = PixelPlace::Own);
  PixelMemory(const PixelMemory& other);
  PixelMemory& operator=(const PixelMemory& other);
  PixelMemory(PixelMemory&& other) noexcept;
  PixelMemory& operator=(PixelMemory&& other) noexcept;
  ~PixelMemory();

  uint8_t* data() { return bytes_; }
  const uint8_t* data() const { return bytes_; }
  size_t size() const { return size_; }
  bool empty() const { return size_ == 0; }
  PixelPlace place() const { return place_; }

 private:
  void Release();
  uint8_t* bytes_ = nullptr;
  size_t size_ = 0;
  PixelPlace place_ = PixelPlace::Own;
};

}  // namespace tl
