#pragma once
// Owners for the GDI objects the back end creates within one call.
#include <windows.h>

#include <cstdint>

namespace tl::win32 {

class ScreenDc {
 public:
  explicit ScreenDc(HWND w = nullptr) : window_(w), dc_(GetDC(w)) {}
  ~ScreenDc() { if (dc_) ReleaseDC(window_, dc_); }
  ScreenDc(const ScreenDc&) = delete;
  ScreenDc& operator=(const ScreenDc&) = delete;
  HDC get() const { return dc_; }

 private:
  HWND window_;
  HDC dc_;
};

// A 32-bit top-down DIB section selected into its own memory context.
class DibSection {
 public:
  DibSection(int32_t width, int32_t height) {
    BITMAPINFO bi{};
    bi.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    bi.bmiHeader.biWidth = width;
    bi.bmiHeader.biHeight = -height;  // top-down, as our surfaces are
    bi.bmiHeader.biPlanes = 1;
    bi.bmiHeader.biBitCount = 32;
    bi.bmiHeader.biCompression = BI_RGB;
    dc_ = CreateCompatibleDC(nullptr);
    if (width > 0 && height > 0)
      bitmap_ = CreateDIBSection(dc_, &bi, DIB_RGB_COLORS, &bits_, nullptr, 0);
    if (bitmap_) old_ = SelectObject(dc_, bitmap_);
    width_ = bitmap_ ? width : 0;
    height_ = bitmap_ ? height : 0;
  }
  ~DibSection() {
    if (old_) SelectObject(dc_, old_);
    if (bitmap_) DeleteObject(bitmap_);
    if (dc_) DeleteDC(dc_);
  }
  DibSection(const DibSection&) = delete;
  DibSection& operator=(const DibSection&) = delete;

  bool ok() const { return bitmap_ != nullptr; }
  HDC dc() const { return dc_; }
  uint32_t* bits() const { return static_cast<uint32_t*>(bits_); }
  int32_t width() const { return width_; }
  int32_t height() const { return height_; }

 private:
  HDC dc_ = nullptr;
  HBITMAP bitmap_ = nullptr;
  HGDIOBJ old_ = nullptr;
  void* bits_ = nullptr;
  int32_t width_ = 0, height_ = 0;
};

}  // namespace tl::win32
