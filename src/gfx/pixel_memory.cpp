#include "gfx/pixel_memory.h"

#include <cstring>
#include <new>
#include <utility>

namespace tl {

PixelMemory::PixelMemory(size_t bytes, PixelPlace place) : size_(bytes), place_(place) {
  if (bytes == 0) return;
  bytes_ = static_cast<uint8_t*>(AllocatePixelMemory(bytes, place));
  if (bytes_ == nullptr) throw std::bad_alloc();
}

PixelMemory::PixelMemory(const PixelMemory& other) : PixelMemory(other.size_) {
  if (size_ != 0) std::memcpy(bytes_, other.bytes_, size_);
}

PixelMemory& PixelMemory::operator=(const PixelMemory& other) {
  if (this == &other) return *this;
  if (size_ != other.size_) *this = PixelMemory(other.size_, place_);
  if (size_ != 0) std::memcpy(bytes_, other.bytes_, size_);
  return *this;
}

PixelMemory::PixelMemory(PixelMemory&& other) noexcept
    : bytes_(std::exchange(other.bytes_, nullptr)),
      size_(std::exchange(other.size_, 0)),
      place_(other.place_) {}

PixelMemory& PixelMemory::operator=(PixelMemory&& other) noexcept {
  if (this != &other) {
    Release();
    bytes_ = std::exchange(other.bytes_, nullptr);
    size_ = std::exchange(other.size_, 0);
    place_ = other.place_;
  }
  return *this;
}

PixelMemory::~PixelMemory() { Release(); }

void PixelMemory::Release() {
  if (bytes_ != nullptr) FreePixelMemory(bytes_, size_);
  bytes_ = nullptr;
  size_ = 0;
}

}  // namespace tl
