#pragma once
// Linux only: a window's big shown pixels in System V shared memory (X11's
// MIT-SHM) or in a memory file (Wayland's wl_shm), so that a display server
// on this machine reads them where they lie instead of a copy. Off until a back end that presents from such memory turns it on;
// the blocks lose the huge pages of private memory, so only shown ones go.
namespace tl {

// From now on, shown blocks (PixelPlace::Shown) of 2 MiB or more are (or
// are no longer) placed in shared segments; blocks given keep their place.
void SharePixelMemory(bool on);

// The same, in memory files (memfd) instead of segments.
void SharePixelMemoryInFiles(bool on);

// The shared segment whose start is `block`, or -1 when it is not in one.
int PixelMemorySegment(const void* block);
// The memory file whose start is `block` (the process's descriptor, owned
// by the block), or -1 when it is not in one.
int PixelMemoryFile(const void* block);

}  // namespace tl
