#include "backends/x11/x11_window.h"

#include <X11/cursorfont.h>
#include <X11/keysym.h>

#include <algorithm>

#include "backends/x11/x11_keyboard.h"

namespace tl::x11 {

namespace {

constexpr long kInputEvents = KeyPressMask | ButtonPressMask | ButtonReleaseMask |
                              PointerMotionMask | FocusChangeMask;

bool ButtonOf(unsigned int x, MouseButton& b) {
  switch (x) {
    case Button1: b = MouseButton::Left; return true;
    case Button2: b = MouseButton::Middle; return true;
    case Button3: b = MouseButton::Right; return true;
    default: return false;  // the wheel's steps are no clicks
  }
}

// The last part with pixels in `bounds`: its put ends the batch.
const Rect* LastShown(std::span<const Rect> parts, const Rect& bounds) {
  const Rect* last = nullptr;
  for (const Rect& part : parts)
    if (!Intersect(part, bounds).Empty()) last = &part;
  return last;
}

}  // namespace

int32_t VirtualKeyOf(KeySym k) {
  if (k >= XK_a && k <= XK_z) return static_cast<int32_t>('A' + (k - XK_a));
  if (k >= XK_A && k <= XK_Z) return static_cast<int32_t>('A' + (k - XK_A));
  if (k >= XK_0 && k <= XK_9) return static_cast<int32_t>('0' + (k - XK_0));
  if (k >= XK_F1 && k <= XK_F24) return static_cast<int32_t>(0x70 + (k - XK_F1));
  switch (k) {
    case XK_Shift_L: case XK_Shift_R: return vk::kShift;
    case XK_Control_L: case XK_Control_R: return vk::kControl;
    case XK_Alt_L: case XK_Alt_R: case XK_Meta_L: case XK_Meta_R: return 0x12;
    case XK_Escape: return vk::kEscape;
    case XK_space: return vk::kSpace;
    case XK_Return: case XK_KP_Enter: return 0x0D;
    case XK_Tab: return 0x09;
    case XK_BackSpace: return 0x08;
    case XK_Left: return 0x25;
    case XK_Up: return 0x26;
    case XK_Right: return 0x27;
    case XK_Down: return 0x28;
    default: return 0xFF;  // a key Windows names otherwise; still a key
  }
}

X11Window::X11Window(Connection& c, const WindowSpec& spec, WindowEvents& events)
    : c_(c), events_(events), title_(spec.title), background_(spec.background) {
  Display* d = c.display;
  const bool own = spec.kind == WindowKind::Popup || spec.kind == WindowKind::Dialog;
  XWindow parent = own ? c.parent : static_cast<XWindow>(spec.host);
  Rect r = spec.rect;
  if (own) r = {r.left + c.originX, r.top + c.originY, r.right + c.originX, r.bottom + c.originY};
  ownPlace_ = own;
  // A borderless window straight on the root is override-redirect: no
  // window manager frames or moves it.
  const bool unmanaged = spec.kind == WindowKind::Popup && parent == c.root;
  takesInput_ = !c.hosted;
  grabsKeyboard_ = unmanaged && takesInput_;

  XSetWindowAttributes a{};
  // No background: the screen keeps what it showed until our pixels come,
  // so a cover shows the desktop it copied, never a flash of black.
  a.background_pixmap = None;
  a.border_pixel = 0;
  a.colormap = c.colormap;
  a.override_redirect = unmanaged ? True : False;
  a.event_mask = ExposureMask | StructureNotifyMask | (takesInput_ ? kInputEvents : 0);
  ErrorTrap trap(d);
  window_ = XCreateWindow(d, parent, r.left, r.top, static_cast<unsigned>(std::max(r.Width(), 1)),
                          static_cast<unsigned>(std::max(r.Height(), 1)), 0, c.depth, InputOutput,
                          c.visual, CWBackPixmap | CWBorderPixel | CWColormap | CWOverrideRedirect |
                                        CWEventMask, &a);
  if (trap.Failed()) {
    window_ = 0;  // a host that is gone, or of a visual we cannot share
    return;
  }
  XStoreName(d, window_, title_.c_str());
  if (spec.kind == WindowKind::Dialog) {
    closeAtom_ = XInternAtom(d, "WM_DELETE_WINDOW", False);
    XSetWMProtocols(d, window_, &closeAtom_, 1);
  }
  gc_ = UniqueGc(XCreateGC(d, window_, 0, nullptr), FreeGc{d});
  c.windows[window_] = this;
  ApplyPointer();
}

X11Window::~X11Window() { Destroy(); }

void X11Window::Destroy() {
  if (window_ == 0) return;
  c_.timers.Forget(this);
  c_.windows.erase(window_);
  if (c_.grabPending == window_) c_.grabPending = 0;
  image_.reset();
  inPlace_.reset();
  gc_.reset();
  XDestroyWindow(c_.display, window_);
  XFlush(c_.display);
  window_ = 0;
}

void X11Window::Show() {
  if (window_ == 0) return;
  XMapRaised(c_.display, window_);
  raised_ = true;
  // The keyboard comes to the cover whatever had the focus.
  if (grabsKeyboard_) TakeKeyboard(c_, window_);
  XFlush(c_.display);
}

void X11Window::SetTopmost() {
  // A shown window was raised as it showed; raising it again would put it
  // over a window that came in front since, as a screen locker's does.
  if (window_ == 0 || raised_) return;
  XRaiseWindow(c_.display, window_);
  XFlush(c_.display);
}

void X11Window::Move(const Rect& rect) {
  if (window_ == 0) return;
  const int32_t dx = ownPlace_ ? c_.originX : 0, dy = ownPlace_ ? c_.originY : 0;
  XMoveResizeWindow(c_.display, window_, rect.left + dx, rect.top + dy,
                    static_cast<unsigned>(std::max(rect.Width(), 1)),
                    static_cast<unsigned>(std::max(rect.Height(), 1)));
  XFlush(c_.display);
}

void X11Window::Present(const Surface& pixels, const Rect& dirty) {
  Present(pixels, std::span<const Rect>(&dirty, 1));
}

void X11Window::Present(const Surface& pixels, std::span<const Rect> parts) {
  shown_ = &pixels;
  if (window_ == 0 || !c_.served) return;
  if (PresentInPlace(pixels, parts)) return;
  if (!image_ || image_->Width() != pixels.Width() || image_->Height() != pixels.Height())
    image_ = std::make_unique<PixelImage>(c_, pixels.Width(), pixels.Height());
  if (!image_->ok()) return;
  for (const Rect& part : parts)
    if (const Rect r = Intersect(part, pixels.Bounds()); !r.Empty())
      image_->CopyFrom(pixels, r);
  const Rect* last = LastShown(parts, pixels.Bounds());
  for (const Rect& part : parts)
    if (const Rect r = Intersect(part, pixels.Bounds()); !r.Empty())
      image_->Put(window_, gc_.get(), r, &part == last);
  XFlush(c_.display);
}

bool X11Window::PresentInPlace(const Surface& pixels, std::span<const Rect> parts) {
  // A 32-bit visual wants an opaque alpha that our pixels lack: copies set it.
  if (!c_.sharedMemory || c_.alphaBits != 0) return false;
  if (!inPlace_ || !inPlace_->Of(pixels)) {
    inPlace_.reset();
    auto image = std::make_unique<SurfaceImage>(c_, pixels);
    if (!image->ok()) return false;
    inPlace_ = std::move(image);
  }
  // Nothing is waited for: a server that falls behind reads the pixels as
  // they are by then, which is what the later puts would show anyway, and
  // a full connection holds the program back by itself. The puts go with
  // the flush before the message loop's next wait (Xlib's flush reads the
  // connection too: once a frame is enough).
  for (const Rect& part : parts)
    if (const Rect r = Intersect(part, pixels.Bounds()); !r.Empty())
      inPlace_->Put(window_, gc_.get(), r);
  return true;
}

void X11Window::Repaint(const Rect& r) {
  if (shown_) {
    Present(*shown_, r);
    return;
  }
  XSetForeground(c_.display, gc_.get(), c_.pixels.Pixel(background_));
  XFillRectangle(c_.display, window_, gc_.get(), r.left, r.top, static_cast<unsigned>(r.Width()),
                 static_cast<unsigned>(r.Height()));
}

void X11Window::StartTimer(int32_t timerId, uint32_t intervalMs) {
  if (window_ != 0) c_.timers.Start(this, timerId, intervalMs, NowMs());
}

void X11Window::StopTimer(int32_t timerId) { c_.timers.Stop(this, timerId); }

void X11Window::SetFocus() {
  if (window_ == 0 || !takesInput_) return;
  XSetInputFocus(c_.display, window_, RevertToParent, CurrentTime);
  XFlush(c_.display);
}

void X11Window::SetMousePointer(MousePointer pointer) {
  pointer_ = pointer;
  ApplyPointer();
}

void X11Window::SetCustomPointer(const PointerPicture& picture) {
  if (window_ == 0) return;
  // X bitmaps hold the leftmost pixel in the lowest bit of each byte. A
  // cursor has no inverting pixels: those show white.
  char shape[32 * 4] = {}, mask[32 * 4] = {};
  for (int y = 0; y < 32; ++y)
    for (int x = 0; x < 32; ++x) {
      const bool andBit = (picture.andMask[y] >> (31 - x)) & 1;
      const bool xorBit = (picture.xorMask[y] >> (31 - x)) & 1;
      const int byte = y * 4 + x / 8, bit = 1 << (x % 8);
      if (xorBit) shape[byte] = static_cast<char>(shape[byte] | bit);
      if (!andBit || xorBit) mask[byte] = static_cast<char>(mask[byte] | bit);
    }
  Display* d = c_.display;
  const UniquePixmap s(XCreateBitmapFromData(d, window_, shape, 32, 32), FreePixmap{d});
  const UniquePixmap m(XCreateBitmapFromData(d, window_, mask, 32, 32), FreePixmap{d});
  XColor white{}, black{};
  white.red = white.green = white.blue = 0xFFFF;
  custom_ = UniqueCursor(XCreatePixmapCursor(d, s.get(), m.get(), &white, &black,
                                             static_cast<unsigned>(picture.hotX),
                                             static_cast<unsigned>(picture.hotY)),
                         FreeCursor{d});
  ApplyPointer();
}

void X11Window::ApplyPointer() {
  if (window_ == 0) return;
  Display* d = c_.display;
  if (c_.CursorHidden()) {
    if (!c_.blankCursor) {
      const char none[1] = {0};
      const UniquePixmap empty(XCreateBitmapFromData(d, c_.root, none, 1, 1), FreePixmap{d});
      XColor black{};
      c_.blankCursor = XCreatePixmapCursor(d, empty.get(), empty.get(), &black, &black, 0, 0);
    }
    XDefineCursor(d, window_, c_.blankCursor);
    XFlush(d);
    return;
  }
  const MousePointer p = c_.screenPointer != MousePointer::Default ? c_.screenPointer : pointer_;
  if (p == MousePointer::Custom && custom_) {
    XDefineCursor(d, window_, custom_.get());
  } else if (p == MousePointer::Hourglass) {
    if (!shape_) shape_ = UniqueCursor(XCreateFontCursor(d, XC_watch), FreeCursor{d});
    XDefineCursor(d, window_, shape_.get());
  } else {
    XUndefineCursor(d, window_);
  }
  XFlush(d);
}

void X11Window::Close() {
  if (window_ == 0) return;
  Destroy();
  events_.OnDestroyed();
}

void X11Window::Handle(const XEvent& e) {
  // The sink may end the program or let this window go: nothing of ours is
  // touched after it runs, but for the close the user asked for, which
  // destroys the window after telling the sink, as on Windows.
  MouseButton b;
  switch (e.type) {
    case Expose:
      Repaint({e.xexpose.x, e.xexpose.y, e.xexpose.x + e.xexpose.width,
               e.xexpose.y + e.xexpose.height});
      break;
    case KeyPress: {
      XKeyEvent key = e.xkey;
      events_.OnKeyDown(VirtualKeyOf(XLookupKeysym(&key, 0)));
      break;
    }
    case ButtonPress:
      if (ButtonOf(e.xbutton.button, b)) events_.OnButtonDown(b, e.xbutton.x, e.xbutton.y);
      break;
    case ButtonRelease:
      if (ButtonOf(e.xbutton.button, b)) events_.OnButtonUp(b, e.xbutton.x, e.xbutton.y);
      break;
    case MotionNotify:
      events_.OnMouseMove(e.xmotion.x, e.xmotion.y);
      break;
    case FocusIn:
    case FocusOut:
      if (e.xfocus.mode == NotifyNormal && e.xfocus.detail != NotifyPointer)
        events_.OnFocus(e.type == FocusIn);
      break;
    case ClientMessage:
      // The window manager's close box.
      if (closeAtom_ == 0 || static_cast<Atom>(e.xclient.data.l[0]) != closeAtom_) break;
      events_.OnClosing();
      Close();
      break;
    case DestroyNotify:
      if (e.xdestroywindow.window != window_) break;
      // Destroyed from outside: with its host, or by another program.
      c_.timers.Forget(this);
      c_.windows.erase(window_);
      if (c_.grabPending == window_) c_.grabPending = 0;
      window_ = 0;
      events_.OnDestroyed();
      break;
  }
}

}  // namespace tl::x11
