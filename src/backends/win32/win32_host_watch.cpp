#include "backends/win32/win32_host_watch.h"

#include <vector>

namespace tl::win32 {

namespace {
// The watches alive, for the hook's callback, which carries no context.
std::vector<HostWatch*>& Watches() {
  static std::vector<HostWatch*> watches;
  return watches;
}

SIZE ClientSize(HWND w) {
  RECT r{};
  GetClientRect(w, &r);
  return {r.right - r.left, r.bottom - r.top};
}
}  // namespace

HostWatch::HostWatch(HWND host, std::function<void()> resized)
    : host_(host), size_(ClientSize(host)), resized_(std::move(resized)) {
  DWORD process = 0;
  const DWORD thread = GetWindowThreadProcessId(host, &process);
  if (thread == 0) return;
  hook_ = SetWinEventHook(EVENT_OBJECT_LOCATIONCHANGE, EVENT_OBJECT_LOCATIONCHANGE, nullptr,
                          &HostWatch::Moved, process, thread, WINEVENT_OUTOFCONTEXT);
  Watches().push_back(this);
}

HostWatch::~HostWatch() {
  if (hook_) UnhookWinEvent(hook_);
  std::erase(Watches(), this);
}

void CALLBACK HostWatch::Moved(HWINEVENTHOOK hook, DWORD, HWND w, LONG object, LONG child, DWORD,
                               DWORD) {
  if (object != OBJID_WINDOW || child != CHILDID_SELF) return;
  for (HostWatch* watch : Watches()) {
    if (watch->hook_ != hook || watch->host_ != w) continue;
    const SIZE now = ClientSize(w);
    if (now.cx == watch->size_.cx && now.cy == watch->size_.cy) return;
    watch->size_ = now;
    watch->resized_();  // may let the watch go: nothing of it is touched after
    return;
  }
}

}  // namespace tl::win32
