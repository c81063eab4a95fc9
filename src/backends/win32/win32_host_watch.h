#pragma once
// A foreign host window watched for a change of its client size: the system
// tells no child of its host's resizing, so the host's own location notices
// (an out-of-context event hook, delivered through our message loop) are
// read instead.
#include <windows.h>

#include <functional>

namespace tl::win32 {

class HostWatch {
 public:
  // `resized` runs on our thread, from the message loop, once per change.
  HostWatch(HWND host, std::function<void()> resized);
  ~HostWatch();
  HostWatch(const HostWatch&) = delete;
  HostWatch& operator=(const HostWatch&) = delete;

 private:
  static void CALLBACK Moved(HWINEVENTHOOK hook, DWORD event, HWND w, LONG object, LONG child,
                             DWORD thread, DWORD time);
  HWND host_;
  SIZE size_{};
  std::function<void()> resized_;
  HWINEVENTHOOK hook_ = nullptr;
};

}  // namespace tl::win32
