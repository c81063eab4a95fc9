#pragma once
// Owners for the Windows handles the back end opens: device contexts,
// bitmaps, brushes, fonts, paint sessions, files, all through one Unique.
#include <windows.h>

#include <cstdint>

#include "base/unique.h"

namespace tl::win32 {

struct DeleteDc {
  void operator()(HDC dc) const { DeleteDC(dc); }
};
struct DeleteGdiObject {
  void operator()(HGDIOBJ o) const { DeleteObject(o); }
};
// A device context from GetDC goes back to the window it came from.
struct ReleaseWindowDc {
  HWND window = nullptr;
  void operator()(HDC dc) const { ReleaseDC(window, dc); }
};
// A paint session keeps what BeginPaint filled in for EndPaint.
struct EndPaintSession {
  HWND window = nullptr;
  PAINTSTRUCT paint{};
  void operator()(HDC) const { EndPaint(window, &paint); }
};
struct CloseFileHandle {
  void operator()(HANDLE h) const { CloseHandle(h); }
};

using UniqueMemoryDc = Unique<HDC, DeleteDc>;
using UniqueBitmap = Unique<HBITMAP, DeleteGdiObject>;
using UniqueBrush = Unique<HBRUSH, DeleteGdiObject>;
using UniqueFont = Unique<HFONT, DeleteGdiObject>;
using UniqueWindowDc = Unique<HDC, ReleaseWindowDc>;
using UniquePaint = Unique<HDC, EndPaintSession>;
using UniqueFile = Unique<HANDLE, CloseFileHandle, nullptr>;

inline UniqueWindowDc WindowDc(HWND window) {
  return UniqueWindowDc(GetDC(window), ReleaseWindowDc{window});
}

// A window's common device context for copying pixels, which changes none
// of its attributes: released without resetting them. A reset selects the
// default font again, and Wine's X11 driver then asks Xlib for the font
// defaults, which re-reads ~/.Xdefaults each time where the X server holds
// no resources: a cost every frame that nothing here needs.
inline UniqueWindowDc PixelCopyDc(HWND window) {
  const LONG_PTR style = GetWindowLongPtrW(window, GWL_STYLE);
  DWORD flags = DCX_CACHE | DCX_NORESETATTRS;
  if (style & WS_CLIPCHILDREN) flags |= DCX_CLIPCHILDREN;
  if (style & WS_CLIPSIBLINGS) flags |= DCX_CLIPSIBLINGS;
  return UniqueWindowDc(GetDCEx(window, nullptr, flags), ReleaseWindowDc{window});
}

inline UniquePaint BeginPaintSession(HWND window) {
  EndPaintSession s{window, {}};
  HDC dc = BeginPaint(window, &s.paint);
  return UniquePaint(dc, s);
}

// A 32-bit top-down DIB section selected into its own memory context.
class DibSection {
 public:
  DibSection(int32_t width, int32_t height) : dc_(CreateCompatibleDC(nullptr)) {
    BITMAPINFO bi{};
    bi.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    bi.bmiHeader.biWidth = width;
    bi.bmiHeader.biHeight = -height;  // top-down, as our surfaces are
    bi.bmiHeader.biPlanes = 1;
    bi.bmiHeader.biBitCount = 32;
    bi.bmiHeader.biCompression = BI_RGB;
    if (dc_ && width > 0 && height > 0)
      bitmap_.reset(CreateDIBSection(dc_.get(), &bi, DIB_RGB_COLORS, &bits_, nullptr, 0));
    if (bitmap_) old_ = SelectObject(dc_.get(), bitmap_.get());
    width_ = bitmap_ ? width : 0;
    height_ = bitmap_ ? height : 0;
  }
  ~DibSection() {
    // The bitmap must leave the context before either is deleted.
    if (old_) SelectObject(dc_.get(), old_);
  }
  DibSection(const DibSection&) = delete;
  DibSection& operator=(const DibSection&) = delete;

  bool ok() const { return static_cast<bool>(bitmap_); }
  HDC dc() const { return dc_.get(); }
  uint32_t* bits() const { return static_cast<uint32_t*>(bits_); }
  int32_t width() const { return width_; }
  int32_t height() const { return height_; }

 private:
  // Declared in this order so the bitmap is deleted before its context.
  UniqueMemoryDc dc_;
  UniqueBitmap bitmap_;
  HGDIOBJ old_ = nullptr;
  void* bits_ = nullptr;
  int32_t width_ = 0, height_ = 0;
};

}  // namespace tl::win32
