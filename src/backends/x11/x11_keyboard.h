#pragma once
// The keyboard of a saver running on its own (x11_keyboard.cpp).
#include "backends/x11/x11_connection.h"

namespace tl::x11 {

// Grabs the keyboard for `w`; when another program holds it, the focus
// comes to `w` and the grab is tried again for a while (KeepTakingKeyboard).
void TakeKeyboard(Connection& c, XWindow w);
// One retry when one is due at `now`.
void KeepTakingKeyboard(Connection& c, uint64_t now);

// Asks for the root's changes of windows, to see other programs' windows
// come over ours; nothing for a hosted screen.
void WatchOtherWindows(Connection& c);
// Whether, after the root's event `e`, another program's shown window lies
// over the whole of one of our unmanaged covers: a screen locker's, which
// must get the keyboard. A notification over part of a cover is not.
bool OthersCoverUs(Connection& c, const XEvent& e);

}  // namespace tl::x11
