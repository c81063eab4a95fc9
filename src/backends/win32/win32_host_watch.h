#pragma once
// A foreign host window watched for a change of its client size: the system
// tells no child of its host's resizing (and Wine sends no location notices
// across processes), so the host's size is read on a timer of our child.
#include <windows.h>

#include <functional>

namespace tl::win32 {

class HostWatch {
 public:
  // The child's own timer id for the watch; no event sink sees it.
  static constexpr UINT_PTR kTimer = 0x7EED;

  // `resized` runs from our child's message loop, once per change.
  HostWatch(HWND child, HWND host, std::function<void()> resized);
  ~HostWatch();
  HostWatch(const HostWatch&) = delete;
  HostWatch& operator=(const HostWatch&) = delete;

  // The timer's tick: tells of a new size.
  void Check();

 private:
  HWND child_, host_;
  SIZE size_{};
  std::function<void()> resized_;
};

}  // namespace tl::win32
