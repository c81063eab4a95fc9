#pragma once
// Owners for what the x11 back end opens on the server or gets from Xlib,
// through one Unique; those freed on the server keep their connection.
#include <X11/Xlib.h>

#include "base/unique.h"

namespace tl::x11 {

template <typename T>
struct XFreeMemory {
  void operator()(T* p) const { XFree(p); }
};
template <typename T>
using UniqueXFree = Unique<T*, XFreeMemory<T>>;

struct FreePixmap {
  Display* display = nullptr;
  void operator()(Pixmap p) const { XFreePixmap(display, p); }
};
struct FreeGc {
  Display* display = nullptr;
  void operator()(GC gc) const { XFreeGC(display, gc); }
};
struct FreeCursor {
  Display* display = nullptr;
  void operator()(::Cursor c) const { XFreeCursor(display, c); }
};

using UniquePixmap = Unique<Pixmap, FreePixmap>;
using UniqueGc = Unique<GC, FreeGc>;
using UniqueCursor = Unique<::Cursor, FreeCursor>;

}  // namespace tl::x11
