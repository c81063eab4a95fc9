#pragma once
// Linux only: big pixel blocks in System V shared memory, so that a display
// server on this machine reads a picture where it lies instead of a copy of
// it. Off until a back end that presents from such memory turns it on; the
// blocks lose the huge pages of private memory, so nothing else wants them.
namespace tl {

// From now on, blocks of 2 MiB or more are (or are no longer) placed in
// shared segments; blocks already given keep their place.
void SharePixelMemory(bool on);

// The shared segment whose start is `block`, or -1 when it is not in one.
int PixelMemorySegment(const void* block);

}  // namespace tl
