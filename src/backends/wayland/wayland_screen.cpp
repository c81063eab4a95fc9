// The screen of the Wayland back end: the outputs as monitors, and the
// desktop copied from each with the screen-copy protocol.
#include <cstring>
#include <optional>

#include "backends/wayland/wayland_buffer.h"
#include "backends/wayland/wayland_connection.h"

namespace tl {

namespace wl {

// Where the pixel (x, y) of an output's picture as our surfaces see it lies
// in the output's own buffer of `bufferWidth` × `bufferHeight` pixels,
// which the compositor filled turned by `transform` (wl_output's).
void SourceOf(int32_t transform, int32_t bufferWidth, int32_t bufferHeight, int32_t x, int32_t y,
              int32_t& sx, int32_t& sy) {
  // Our picture's size: the buffer's, turned a quarter for odd transforms.
  const int32_t w = transform % 2 ? bufferHeight : bufferWidth;
  const int32_t h = transform % 2 ? bufferWidth : bufferHeight;
  if (transform & 4) x = w - 1 - x;  // flipped first, about the vertical axis
  switch (transform & 3) {
    case 0: sx = x; sy = y; break;
    case 1: sx = y; sy = w - 1 - x; break;  // a quarter turn counter-clockwise
    case 2: sx = w - 1 - x; sy = h - 1 - y; break;
    default: sx = h - 1 - y; sy = x; break;
  }
}

namespace {

struct Capture {
  uint32_t format = 0;
  int32_t width = 0, height = 0, stride = 0;
  bool haveBuffer = false, described = false, ready = false, failed = false;
  bool yInvert = false;
};

void FrameBuffer(void* data, zwlr_screencopy_frame_v1*, uint32_t format, uint32_t w, uint32_t h,
                 uint32_t stride) {
  auto& c = *static_cast<Capture*>(data);
  // Only our own pixel layout; the opaque one first where both are offered.
  if (format != WL_SHM_FORMAT_XRGB8888 && format != WL_SHM_FORMAT_ARGB8888) return;
  if (c.haveBuffer && c.format == WL_SHM_FORMAT_XRGB8888) return;
  c.format = format;
  c.width = static_cast<int32_t>(w);
  c.height = static_cast<int32_t>(h);
  c.stride = static_cast<int32_t>(stride);
  c.haveBuffer = true;
}
void FrameFlags(void* data, zwlr_screencopy_frame_v1*, uint32_t flags) {
  static_cast<Capture*>(data)->yInvert = flags & ZWLR_SCREENCOPY_FRAME_V1_FLAGS_Y_INVERT;
}
void FrameReady(void* data, zwlr_screencopy_frame_v1*, uint32_t, uint32_t, uint32_t) {
  static_cast<Capture*>(data)->ready = true;
}
void FrameFailed(void* data, zwlr_screencopy_frame_v1*) { static_cast<Capture*>(data)->failed = true; }
void FrameDamage(void*, zwlr_screencopy_frame_v1*, uint32_t, uint32_t, uint32_t, uint32_t) {}
void FrameDmabuf(void*, zwlr_screencopy_frame_v1*, uint32_t, uint32_t, uint32_t) {}
void FrameBufferDone(void* data, zwlr_screencopy_frame_v1*) {
  static_cast<Capture*>(data)->described = true;
}

const zwlr_screencopy_frame_v1_listener kFrameListener = {
    FrameBuffer, FrameFlags, FrameReady, FrameFailed, FrameDamage, FrameDmabuf, FrameBufferDone};

// Waits for the compositor until `done` or the connection breaks.
template <typename Done>
bool DispatchUntil(Connection& c, Done done) {
  while (!done())
    if (wl_display_dispatch(c.display) < 0) return false;
  return true;
}

// The output's picture, as our surfaces see it; nothing when the
// compositor refuses.
bool CaptureOutput(Connection& c, const Output& o, Surface& picture) {
  if (!c.screencopy || !c.shm) return false;
  Capture cap;
  zwlr_screencopy_frame_v1* frame = zwlr_screencopy_manager_v1_capture_output(c.screencopy, 0, o.output);
  zwlr_screencopy_frame_v1_add_listener(frame, &kFrameListener, &cap);
  // Version 3 ends the buffer offers with buffer_done; earlier ones send
  // theirs at once.
  const bool v3 = zwlr_screencopy_frame_v1_get_version(frame) >= 3;
  bool ok = v3 ? DispatchUntil(c, [&] { return cap.described || cap.failed; }) : c.Roundtrip();
  std::optional<ShmBuffer> buffer;
  if (ok && cap.haveBuffer && !cap.failed) {
    buffer.emplace(c.shm, cap.width, cap.height, cap.format, cap.stride);
    ok = buffer->ok();
    if (ok) {
      zwlr_screencopy_frame_v1_copy(frame, buffer->buffer());
      ok = DispatchUntil(c, [&] { return cap.ready || cap.failed; }) && cap.ready;
    }
  } else {
    ok = false;
  }
  zwlr_screencopy_frame_v1_destroy(frame);
  if (!ok) return false;
  const int32_t t = o.transform;
  const int32_t w = t % 2 ? cap.height : cap.width, h = t % 2 ? cap.width : cap.height;
  picture.Resize(w, h);
  for (int32_t y = 0; y < h; ++y) {
    uint32_t* to = picture.Row(y);
    for (int32_t x = 0; x < w; ++x) {
      int32_t sx = 0, sy = 0;
      SourceOf(t, cap.width, cap.height, x, y, sx, sy);
      if (cap.yInvert) sy = cap.height - 1 - sy;
      to[x] = buffer->Row(sy)[sx] & 0x00FFFFFF;  // our reserved byte stays 0
    }
  }
  return true;
}

}  // namespace

}  // namespace wl

int32_t WaylandPlatform::Width() {
  const wl::Output* p = c_->Primary();
  return p ? p->Width() : 0;
}

int32_t WaylandPlatform::Height() {
  const wl::Output* p = c_->Primary();
  return p ? p->Height() : 0;
}

// The program draws no text; Wayland's outputs tell their scale instead.
int32_t WaylandPlatform::DpiX() { return 96; }
int32_t WaylandPlatform::DpiY() { return 96; }
int32_t WaylandPlatform::BitsPerPixel() { return 32; }

bool WaylandPlatform::SnapshotDesktop(Surface& into) { return SnapshotDesktopAt(into, 0, 0); }

// A client learns where the pointer is only over its own surfaces.
bool WaylandPlatform::CursorPosition(int32_t&, int32_t&) { return false; }

std::vector<Monitor> WaylandPlatform::Monitors() {
  std::vector<Monitor> list;
  const wl::Output* primary = c_->Primary();
  for (const auto& o : c_->outputs) {
    if (!o->Described()) continue;  // not yet whole, or off
    Monitor m;
    m.rect = c_->PlaceOf(*o);
    m.primary = o.get() == primary;
    m.id = o->name;  // the global's, never reused while it runs
    list.push_back(m);
  }
  return list;
}

bool WaylandPlatform::SnapshotDesktopAt(Surface& into, int32_t x, int32_t y) {
  into.Fill(0);
  bool all = true;
  const Rect want{x + c_->originX, y + c_->originY, x + c_->originX + into.Width(),
                  y + c_->originY + into.Height()};
  for (const auto& o : c_->outputs) {
    if (!o->Described()) continue;
    const Rect place = o->Place();
    const Rect part = Intersect(want, place);
    if (part.Empty()) continue;
    Surface picture;
    if (!wl::CaptureOutput(*c_, *o, picture)) {
      all = false;
      continue;
    }
    for (int32_t row = part.top; row < part.bottom; ++row) {
      const int32_t sy = row - place.top;
      if (sy >= picture.Height()) break;
      const int32_t n = std::min(part.Width(), picture.Width() - (part.left - place.left));
      if (n > 0)
        std::memcpy(into.Row(row - want.top) + (part.left - want.left),
                    picture.Row(sy) + (part.left - place.left), static_cast<size_t>(n) * 4);
    }
  }
  return all;
}

}  // namespace tl
