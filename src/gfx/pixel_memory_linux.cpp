// Pixel memory on Linux: a block of 2 MiB or more is mapped on its own,
// aligned to 2 MiB and marked for transparent huge pages, so that its first
// touch costs one fault per 2 MiB and its rows far apart share few page
// table entries; or, shown pixels once asked, placed in a System V segment
// or a memory file (gfx/pixel_memory_shared.h). Smaller blocks come from the C library.
#include <sys/ipc.h>
#include <unistd.h>
#include <sys/mman.h>
#include <sys/shm.h>

#include <atomic>
#include <cstdint>
#include <cstdlib>
#include <map>
#include <mutex>

#include "gfx/pixel_memory.h"
#include "gfx/pixel_memory_shared.h"

namespace tl {

namespace {
constexpr size_t kHuge = size_t{2} << 20;
size_t Mapped(size_t bytes) { return (bytes + kHuge - 1) / kHuge * kHuge; }

std::atomic<bool> g_share{false};
std::atomic<bool> g_shareInFiles{false};

// The shared blocks by their start, with their segments (System V ids) or
// their memory files (descriptors) and sizes.
struct SharedBlock {
  int segment = -1;
  int file = -1;
  size_t bytes = 0;
};
struct Segments {
  std::mutex lock;
  std::map<const void*, SharedBlock> ids;
};
Segments& SharedBlocks() {
  static Segments s;
  return s;
}

void* AllocateShared(size_t bytes) {
  const int id = shmget(IPC_PRIVATE, bytes, IPC_CREAT | 0600);
  if (id < 0) return nullptr;
  void* block = shmat(id, nullptr, 0);
  // Marked for removal at once: the segment goes with the last of us and
  // the server to detach, however the process ends. Linux lets the server
  // attach it until then.
  shmctl(id, IPC_RMID, nullptr);
  if (block == reinterpret_cast<void*>(-1)) return nullptr;
  Segments& s = SharedBlocks();
  const std::lock_guard<std::mutex> hold(s.lock);
  s.ids[block] = {id, -1, bytes};
  return block;  // zeroed by the system
}

void* AllocateInFile(size_t bytes) {
  const int fd = memfd_create("tidelight-pixels", MFD_CLOEXEC);
  if (fd < 0) return nullptr;
  void* block = MAP_FAILED;
  if (ftruncate(fd, static_cast<off_t>(bytes)) == 0)
    block = mmap(nullptr, bytes, PROT_READ | PROT_WRITE, MAP_SHARED, fd, 0);
  if (block == MAP_FAILED) {
    close(fd);
    return nullptr;
  }
  Segments& s = SharedBlocks();
  const std::lock_guard<std::mutex> hold(s.lock);
  s.ids[block] = {-1, fd, bytes};
  return block;  // zeroed by the system
}

// Detaches a shared block; false when `block` is not one.
bool FreeShared(void* block) {
  Segments& s = SharedBlocks();
  SharedBlock b;
  {
    const std::lock_guard<std::mutex> hold(s.lock);
    const auto it = s.ids.find(block);
    if (it == s.ids.end()) return false;
    b = it->second;
    s.ids.erase(it);
  }
  if (b.file >= 0) {
    // A compositor holding a buffer over it keeps its own mapping.
    munmap(block, b.bytes);
    close(b.file);
  } else {
    shmdt(block);
  }
  return true;
}
}  // namespace

void SharePixelMemory(bool on) { g_share = on; }

void SharePixelMemoryInFiles(bool on) { g_shareInFiles = on; }

int PixelMemorySegment(const void* block) {
  Segments& s = SharedBlocks();
  const std::lock_guard<std::mutex> hold(s.lock);
  const auto it = s.ids.find(block);
  return it == s.ids.end() ? -1 : it->second.segment;
}

int PixelMemoryFile(const void* block) {
  Segments& s = SharedBlocks();
  const std::lock_guard<std::mutex> hold(s.lock);
  const auto it = s.ids.find(block);
  return it == s.ids.end() ? -1 : it->second.file;
}

void* AllocatePixelMemory(size_t bytes, PixelPlace place) {
  if (bytes < kHuge) return std::calloc(bytes, 1);
  if (place == PixelPlace::Shown && g_shareInFiles) {
    if (void* block = AllocateInFile(bytes)) return block;
  }
  if (place == PixelPlace::Shown && g_share) {
    // Where the system has no shared memory to give, private memory serves.
    if (void* block = AllocateShared(bytes)) return block;
  }
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
  } else if (!FreeShared(block)) {
    munmap(block, Mapped(bytes));
  }
}

}  // namespace tl
