#include "backends/wayland/wayland_connection.h"

#include <algorithm>
#include <cstring>

#include "backends/wayland/wayland_window.h"

namespace tl::wl {

namespace {

void OutputMode(void* data, wl_output*, uint32_t flags, int32_t width, int32_t height,
                int32_t refresh) {
  if (!(flags & WL_OUTPUT_MODE_CURRENT)) return;
  auto* o = static_cast<Output*>(data);
  o->modeWidth = width;
  o->modeHeight = height;
  o->refreshMhz = refresh;
}

// Told once an output is described, and again when its place, scale or
// turn changed; modes and positions alone come in the same burst.
void Announce(Output& o) {
  if (!o.Described()) return;
  const Rect place = o.Place();
  if (o.announced && o.announcedPlace == place && o.announcedScale == o.scale &&
      o.announcedTransform == o.transform)
    return;
  o.announced = true;
  o.announcedPlace = place;
  o.announcedScale = o.scale;
  o.announcedTransform = o.transform;
  o.c->outputsChanged = true;
}

void OutputDone(void* data, wl_output*) {
  auto* o = static_cast<Output*>(data);
  o->done = true;
  Announce(*o);
}

void OutputScale(void* data, wl_output*, int32_t factor) {
  static_cast<Output*>(data)->scale = std::max(factor, 1);
}

void OutputGeometryTransform(void* data, wl_output*, int32_t, int32_t, int32_t, int32_t, int32_t,
                             const char*, const char*, int32_t transform) {
  static_cast<Output*>(data)->transform = transform & 7;
}

// Versions 4 and later add the name and description, which we need not.
void OutputName(void*, wl_output*, const char*) {}
void OutputDescription(void*, wl_output*, const char*) {}

const wl_output_listener kOutputListener = {OutputGeometryTransform, OutputMode, OutputDone,
                                            OutputScale, OutputName, OutputDescription};

void XdgPosition(void* data, zxdg_output_v1*, int32_t x, int32_t y) {
  auto* o = static_cast<Output*>(data);
  o->logicalX = x;
  o->logicalY = y;
}
void XdgSize(void* data, zxdg_output_v1*, int32_t w, int32_t h) {
  auto* o = static_cast<Output*>(data);
  o->logicalWidth = w;
  o->logicalHeight = h;
}
// Versions before 3 end xdg-output's description with their own done;
// later ones with wl_output's.
void XdgDone(void* data, zxdg_output_v1*) { Announce(*static_cast<Output*>(data)); }
void XdgName(void*, zxdg_output_v1*, const char*) {}
void XdgDescription(void*, zxdg_output_v1*, const char*) {}

const zxdg_output_v1_listener kXdgOutputListener = {XdgPosition, XdgSize, XdgDone, XdgName,
                                                    XdgDescription};

void ListenToXdg(Connection& c, Output& o) {
  if (!c.xdgOutputs || o.xdg) return;
  o.xdg = zxdg_output_manager_v1_get_xdg_output(c.xdgOutputs, o.output);
  zxdg_output_v1_add_listener(o.xdg, &kXdgOutputListener, &o);
}

void Global(void* data, wl_registry* registry, uint32_t name, const char* interface,
            uint32_t version) {
  auto& c = *static_cast<Connection*>(data);
  auto bind = [&](const wl_interface* i, uint32_t most) {
    return wl_registry_bind(registry, name, i, std::min(version, most));
  };
  if (std::strcmp(interface, wl_compositor_interface.name) == 0) {
    // damage_buffer came with version 4.
    if (version >= 4) c.compositor = static_cast<wl_compositor*>(bind(&wl_compositor_interface, 4));
  } else if (std::strcmp(interface, wl_shm_interface.name) == 0) {
    c.shm = static_cast<wl_shm*>(bind(&wl_shm_interface, 1));
  } else if (std::strcmp(interface, wl_seat_interface.name) == 0 && !c.seat) {
    // Listened to at once: the capabilities come with the first answers.
    c.seat = static_cast<wl_seat*>(bind(&wl_seat_interface, 5));
    ListenToSeat(c);
  } else if (std::strcmp(interface, zwlr_layer_shell_v1_interface.name) == 0) {
    c.layerShell = static_cast<zwlr_layer_shell_v1*>(bind(&zwlr_layer_shell_v1_interface, 4));
  } else if (std::strcmp(interface, zwlr_screencopy_manager_v1_interface.name) == 0) {
    c.screencopy =
        static_cast<zwlr_screencopy_manager_v1*>(bind(&zwlr_screencopy_manager_v1_interface, 3));
  } else if (std::strcmp(interface, zxdg_output_manager_v1_interface.name) == 0) {
    c.xdgOutputs = static_cast<zxdg_output_manager_v1*>(bind(&zxdg_output_manager_v1_interface, 3));
    for (auto& o : c.outputs) ListenToXdg(c, *o);
  } else if (std::strcmp(interface, wl_output_interface.name) == 0) {
    auto o = std::make_unique<Output>();
    o->c = &c;
    o->name = name;
    o->output = static_cast<wl_output*>(bind(&wl_output_interface, 3));
    wl_output_add_listener(o->output, &kOutputListener, o.get());
    ListenToXdg(c, *o);
    c.outputs.push_back(std::move(o));
  }
}

void DestroyOutput(Output& o) {
  if (o.xdg) zxdg_output_v1_destroy(o.xdg);
  if (o.output) {
    if (wl_output_get_version(o.output) >= WL_OUTPUT_RELEASE_SINCE_VERSION)
      wl_output_release(o.output);
    else
      wl_output_destroy(o.output);
  }
}

void GlobalRemove(void* data, wl_registry*, uint32_t name) {
  auto& c = *static_cast<Connection*>(data);
  // An output that goes: the windows on it lose it, then it goes.
  for (auto it = c.outputs.begin(); it != c.outputs.end(); ++it) {
    if ((*it)->name != name) continue;
    for (WaylandWindow* w : c.windows) w->ForgetOutput(it->get());
    if ((*it)->announced) c.outputsChanged = true;
    DestroyOutput(**it);
    c.outputs.erase(it);
    return;
  }
}

const wl_registry_listener kRegistryListener = {Global, GlobalRemove};

}  // namespace

bool Output::Described() const {
  return done && modeWidth > 0 && modeHeight > 0 &&
         (!c->xdgOutputs || (logicalWidth > 0 && logicalHeight > 0));
}

WaylandWindow* Connection::Find(wl_surface* s) const {
  if (!s) return nullptr;  // a window of ours whose surface went has none either
  for (WaylandWindow* w : windows)
    if (w->surface() == s) return w;
  return nullptr;
}

const Output* Connection::Primary() const {
  for (const auto& o : outputs)
    if (o->Described()) return o.get();
  return nullptr;
}

Output* Connection::OutputFor(const Rect& r) const {
  Output* best = nullptr;
  int64_t most = 0;
  const Rect want{r.left + originX, r.top + originY, r.right + originX, r.bottom + originY};
  for (const auto& o : outputs) {
    if (!o->Described()) continue;
    const Rect common = Intersect(want, o->Place());
    const int64_t area = common.Empty() ? 0 : int64_t{common.Width()} * common.Height();
    if (area > most) {
      most = area;
      best = o.get();
    }
  }
  return best;
}

Rect Connection::PlaceOf(const Output& o) const {
  const Rect place = o.Place();
  return {place.left - originX, place.top - originY, place.right - originX,
          place.bottom - originY};
}

void Connection::FollowOutputs() {
  if (const Output* p = Primary()) {
    const Rect place = p->Place();
    originX = place.left;
    originY = place.top;
  }
  for (WaylandWindow* w : windows) w->FollowOutput();
}

bool Connection::Roundtrip() { return display && wl_display_roundtrip(display) >= 0; }

void Open(Connection& c, const WaylandOptions& options) {
  c.display = wl_display_connect(options.display.empty() ? nullptr : options.display.c_str());
  if (!c.display) return;
  c.inPlace = options.inPlace;
  c.registry = wl_display_get_registry(c.display);
  wl_registry_add_listener(c.registry, &kRegistryListener, &c);
  // The globals, then what the outputs and the seat say of themselves.
  if (!c.Roundtrip() || !c.Roundtrip()) {
    Close(c);
    return;
  }
  c.Roundtrip();
  // The outputs as they are now are the ones the program starts on.
  c.FollowOutputs();
  c.outputsChanged = false;
}

void Close(Connection& c) {
  if (!c.display) return;
  for (auto& o : c.outputs) DestroyOutput(*o);
  c.outputs.clear();
  // Released where the version has the request, else only forgotten.
  if (c.pointer) wl_pointer_get_version(c.pointer) >= 3 ? wl_pointer_release(c.pointer) : wl_pointer_destroy(c.pointer);
  if (c.keyboard) wl_keyboard_get_version(c.keyboard) >= 3 ? wl_keyboard_release(c.keyboard) : wl_keyboard_destroy(c.keyboard);
  if (c.seat) wl_seat_get_version(c.seat) >= 5 ? wl_seat_release(c.seat) : wl_seat_destroy(c.seat);
  if (c.xdgOutputs) zxdg_output_manager_v1_destroy(c.xdgOutputs);
  if (c.screencopy) zwlr_screencopy_manager_v1_destroy(c.screencopy);
  if (c.layerShell) {
    if (zwlr_layer_shell_v1_get_version(c.layerShell) >= 3)
      zwlr_layer_shell_v1_destroy(c.layerShell);
    else
      wl_proxy_destroy(reinterpret_cast<wl_proxy*>(c.layerShell));
  }
  if (c.shm) wl_shm_destroy(c.shm);
  if (c.compositor) wl_compositor_destroy(c.compositor);
  if (c.registry) wl_registry_destroy(c.registry);
  wl_display_flush(c.display);
  wl_display_disconnect(c.display);
  c.display = nullptr;
}

}  // namespace tl::wl
