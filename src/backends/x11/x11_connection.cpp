#include "backends/x11/x11_connection.h"

#include <X11/extensions/XShm.h>
#include <X11/extensions/Xrandr.h>

#include <cstdio>
#include <cstdlib>
#include <string>

#include "backends/x11/x11_handles.h"
#include "backends/x11/x11_image.h"

namespace tl::x11 {

namespace {

int g_lastError = 0;
int g_traps = 0;  // error traps alive: their errors are expected
bool g_reported = false;
// The major opcodes of the extensions we use, for naming a failed request
// (the handler may send no request of its own to ask).
std::vector<std::pair<int, std::string>> g_extensions;
void (*g_onLost)() = nullptr;

std::string RequestName(Display* d, int major, int minor) {
  std::string key = std::to_string(major);
  for (const auto& [opcode, name] : g_extensions)
    if (opcode == major) key = name + "." + std::to_string(minor);
  char text[128] = {};
  XGetErrorDatabaseText(d, "XRequest", key.c_str(), "", text, sizeof text);
  return text[0] ? text : "request " + std::to_string(major) + "." + std::to_string(minor);
}

int RecordError(Display* d, XErrorEvent* e) {
  if (g_traps > 0) {
    if (g_lastError == 0) g_lastError = e->error_code;
    return 0;
  }
  // An error nobody asked about is a fault of ours: said once, as the
  // first of a run of them is the one that tells.
  if (g_reported) return 0;
  g_reported = true;
  char error[128] = {};
  XGetErrorText(d, e->error_code, error, sizeof error);
  std::fprintf(stderr, "tidelight: X error: %s in %s (resource 0x%lx)\n", error,
               RequestName(d, e->request_code, e->minor_code).c_str(), e->resourceid);
  return 0;
}

// Xlib ends the process when this returns: the music is stopped first, so
// no sound outlives the screen.
int ConnectionLost(Display*) {
  std::fprintf(stderr, "tidelight: lost the connection to the X server; ending\n");
  if (g_onLost) g_onLost();
  std::_Exit(1);
}

// The visual's pixels as our conversion knows them; false for a visual
// that is no true-colour one (a palette).
bool FormatOf(Display* d, Visual* v, int depth, PixelFormat& f) {
  if (v->c_class != TrueColor) return false;
  int count = 0;
  const UniqueXFree<XPixmapFormatValues> formats(XListPixmapFormats(d, &count));
  for (int i = 0; i < count; ++i)
    if (formats.get()[i].depth == depth) f.bytesPerPixel = formats.get()[i].bits_per_pixel / 8;
  f.red = static_cast<uint32_t>(v->red_mask);
  f.green = static_cast<uint32_t>(v->green_mask);
  f.blue = static_cast<uint32_t>(v->blue_mask);
  const uint32_t planes = depth >= 32 ? ~0u : (1u << depth) - 1;
  f.fixed = planes & ~(f.red | f.green | f.blue);
  f.msbFirst = ImageByteOrder(d) == MSBFirst;
  return depth <= 32 && f.bytesPerPixel * 8 >= depth && Servable(f);
}

}  // namespace

void OnConnectionLost(void (*stop)()) { g_onLost = stop; }

ErrorTrap::ErrorTrap(Display* d) : display_(d) {
  // Errors of earlier requests are not this trap's.
  XSync(d, False);
  ++g_traps;
  g_lastError = 0;
}

ErrorTrap::~ErrorTrap() {
  // The trap's requests are answered before it stops expecting errors.
  XSync(display_, False);
  --g_traps;
  g_lastError = 0;
}

bool ErrorTrap::Failed() {
  XSync(display_, False);
  return g_lastError != 0;
}

X11Window* Connection::Find(XWindow w) const {
  const auto it = windows.find(w);
  return it == windows.end() ? nullptr : it->second;
}

void Open(Connection& c, const X11Options& o) {
  c.display = XOpenDisplay(o.display.empty() ? nullptr : o.display.c_str());
  if (!c.display) return;
  XSetErrorHandler(RecordError);
  XSetIOErrorHandler(ConnectionLost);
  Display* d = c.display;
  g_extensions.clear();
  for (const char* name : {"MIT-SHM", "RANDR"}) {
    int major = 0, event = 0, error = 0;
    if (XQueryExtension(d, name, &major, &event, &error)) g_extensions.emplace_back(major, name);
  }
  c.screen = DefaultScreen(d);
  c.root = RootWindow(d, c.screen);
  c.parent = c.root;
  c.visual = DefaultVisual(d, c.screen);
  c.depth = DefaultDepth(d, c.screen);
  c.colormap = DefaultColormap(d, c.screen);
  c.width = DisplayWidth(d, c.screen);
  c.height = DisplayHeight(d, c.screen);
  XWindowAttributes host{};
  const XWindow hostId = o.host != 0 ? static_cast<XWindow>(o.host) : o.root ? c.root : 0;
  ErrorTrap trap(d);
  if (hostId != 0 && XGetWindowAttributes(d, hostId, &host) && !trap.Failed()) {
    c.hosted = true;
    c.parent = hostId;
    c.visual = host.visual;
    c.depth = host.depth;
    c.colormap = host.colormap;
    c.width = host.width;
    c.height = host.height;
  } else {
    ReadPrimary(c);
  }
  PixelFormat format;
  c.served = FormatOf(d, c.visual, c.depth, format);
  if (c.served) c.pixels = PixelConverter(format);
  c.pixelsMatch = c.served && c.pixels.Ours();
  c.alphaBits = c.served ? format.fixed : 0;
  c.sharedMemory = o.sharedMemory && XShmQueryExtension(d) && SharedMemoryWorks(d, c.screen);
  c.refreshHz = RefreshRate(d, c.root);
}

void Close(Connection& c) {
  if (!c.display) return;
  if (c.blankCursor) XFreeCursor(c.display, c.blankCursor);
  XCloseDisplay(c.display);
  c.display = nullptr;
}

}  // namespace tl::x11
