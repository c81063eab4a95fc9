#include "backends/headless/headless_window.h"

#include <algorithm>
#include <string>

#include "backends/headless/headless_platform.h"
#include "gfx/raster.h"

namespace tl {

HeadlessWindow::HeadlessWindow(HeadlessPlatform& platform, const WindowSpec& s,
                               WindowEvents& e, NativeHandle handle)
    : spec(s), events(e), platform_(platform), handle_(handle) {
  screen.Resize(s.rect.Width(), s.rect.Height(), s.background);
  // Controls show with their host.
  shown = s.kind == WindowKind::Control;
  topmost = s.topmost;
}

HeadlessWindow::~HeadlessWindow() { platform_.Forget(this); }

void HeadlessWindow::Destroy() {
  if (destroyed) return;
  destroyed = true;
  timers.clear();
  platform_.Forget(this);
  events.OnDestroyed();
}

void HeadlessWindow::Show() {
  platform_.Note("Show " + spec.title);
  shown = true;
  if (!IsChild()) platform_.activeWindow = this;
}

void HeadlessWindow::ShowWithoutActivating() {
  platform_.Note("ShowWithoutActivating " + spec.title);
  shown = true;
}

void HeadlessWindow::SetTopmost() {
  platform_.Note("SetTopmost " + spec.title);
  topmost = true;
}

void HeadlessWindow::Move(const Rect& rect) {
  platform_.Note("Move " + spec.title);
  spec.rect = rect;
  Surface resized(rect.Width(), rect.Height(), spec.background);
  BitBlt(resized, 0, 0, screen.Width(), screen.Height(), screen, 0, 0, Rop::SrcCopy);
  screen = std::move(resized);
}

void HeadlessWindow::SetMousePointer(MousePointer pointer) {
  platform_.Note("MousePointer " + std::to_string(static_cast<int32_t>(pointer)));
  mousePointer = pointer;
  pointersSet.push_back(pointer);
}

void HeadlessWindow::Present(const Surface& pixels, const Rect& dirty) {
  platform_.NoteQuietly("Present");
  const Rect r = Intersect(dirty, Intersect(pixels.Bounds(), screen.Bounds()));
  presented.push_back(r);
  BitBlt(screen, r.left, r.top, r.Width(), r.Height(), pixels, r.left, r.top, Rop::SrcCopy);
}

void HeadlessWindow::StartTimer(int32_t timerId, uint32_t intervalMs) {
  platform_.NoteQuietly("StartTimer");
  if (destroyed) return;
  // Like the platform's window timers, no interval is shorter than 10 ms.
  const uint32_t interval = std::max<uint32_t>(intervalMs, 10);
  timers[timerId] = {interval, platform_.NowMs() + interval};
}

void HeadlessWindow::StopTimer(int32_t timerId) {
  platform_.NoteQuietly("StopTimer");
  timers.erase(timerId);
}

}  // namespace tl

namespace tl {

void HeadlessWindow::SetFocus() {
  platform_.NoteQuietly("SetFocus");
  if (!destroyed) platform_.Focus(this);
}

}  // namespace tl

namespace tl {

void HeadlessWindow::SetCustomPointer(const PointerPicture& picture) {
  platform_.NoteQuietly("SetCustomPointer");
  customPointer = picture;
}

void HeadlessWindow::Close() {
  platform_.Note("Close " + spec.title);
  Destroy();
}

}  // namespace tl
