#include "backends/win32/win32_host_watch.h"

namespace tl::win32 {

namespace {
// Four times a second: a drag of the host is followed without a lag one
// would notice, at no cost worth measuring.
constexpr UINT kCheckMs = 250;

SIZE ClientSize(HWND w) {
  RECT r{};
  GetClientRect(w, &r);
  return {r.right - r.left, r.bottom - r.top};
}
}  // namespace

HostWatch::HostWatch(HWND child, HWND host, std::function<void()> resized)
    : child_(child), host_(host), size_(ClientSize(host)), resized_(std::move(resized)) {
  SetTimer(child_, kTimer, kCheckMs, nullptr);
}

HostWatch::~HostWatch() { KillTimer(child_, kTimer); }

void HostWatch::Check() {
  if (!IsWindow(host_)) return;
  const SIZE now = ClientSize(host_);
  if (now.cx == size_.cx && now.cy == size_.cy) return;
  size_ = now;
  resized_();  // may let the watch go: nothing of it is touched after
}

}  // namespace tl::win32
