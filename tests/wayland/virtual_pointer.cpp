// A pointer device for the end-to-end tests on a compositor without input
// devices: a virtual pointer (wlr-virtual-pointer) that lives while this
// runs, driven by lines on standard input, each answered "ok" once the
// compositor has handled it:
//   move X Y      to (X, Y) of the layout WIDTH × HEIGHT given as arguments
//   press | release   the left button
// usage: virtual_pointer WIDTH HEIGHT
#include <linux/input-event-codes.h>
#include <wayland-client.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <iostream>
#include <string>

#include "wlr-virtual-pointer-unstable-v1-client-protocol.h"

namespace {

zwlr_virtual_pointer_manager_v1* g_manager = nullptr;
wl_seat* g_seat = nullptr;

void Global(void*, wl_registry* r, uint32_t name, const char* interface, uint32_t) {
  if (std::strcmp(interface, zwlr_virtual_pointer_manager_v1_interface.name) == 0)
    g_manager = static_cast<zwlr_virtual_pointer_manager_v1*>(
        wl_registry_bind(r, name, &zwlr_virtual_pointer_manager_v1_interface, 1));
  else if (std::strcmp(interface, wl_seat_interface.name) == 0 && !g_seat)
    g_seat = static_cast<wl_seat*>(wl_registry_bind(r, name, &wl_seat_interface, 1));
}
void GlobalRemove(void*, wl_registry*, uint32_t) {}
const wl_registry_listener kListener = {Global, GlobalRemove};

}  // namespace

int main(int argc, char** argv) {
  if (argc != 3) return 2;
  const uint32_t width = static_cast<uint32_t>(std::atoi(argv[1]));
  const uint32_t height = static_cast<uint32_t>(std::atoi(argv[2]));
  wl_display* d = wl_display_connect(nullptr);
  if (!d) return 1;
  wl_registry* registry = wl_display_get_registry(d);
  wl_registry_add_listener(registry, &kListener, nullptr);
  wl_display_roundtrip(d);
  if (!g_manager) {
    std::fprintf(stderr, "virtual_pointer: no zwlr_virtual_pointer_manager_v1\n");
    return 1;
  }
  zwlr_virtual_pointer_v1* p = zwlr_virtual_pointer_manager_v1_create_virtual_pointer(g_manager, g_seat);
  wl_display_roundtrip(d);
  std::cout << "ok" << std::endl;
  std::string word;
  uint32_t time = 0;
  while (std::cin >> word) {
    time += 10;
    if (word == "move") {
      uint32_t x = 0, y = 0;
      std::cin >> x >> y;
      zwlr_virtual_pointer_v1_motion_absolute(p, time, x, y, width, height);
    } else if (word == "press" || word == "release") {
      zwlr_virtual_pointer_v1_button(p, time, BTN_LEFT,
                                     word == "press" ? WL_POINTER_BUTTON_STATE_PRESSED
                                                     : WL_POINTER_BUTTON_STATE_RELEASED);
    }
    zwlr_virtual_pointer_v1_frame(p);
    if (wl_display_roundtrip(d) < 0) return 1;
    std::cout << "ok" << std::endl;
  }
  zwlr_virtual_pointer_v1_destroy(p);
  zwlr_virtual_pointer_manager_v1_destroy(g_manager);
  if (g_seat) wl_seat_destroy(g_seat);
  wl_registry_destroy(registry);
  wl_display_roundtrip(d);
  wl_display_disconnect(d);
  return 0;
}
