#pragma once
// The session's and the machine's notices for a window: the session locked
// (WM_WTSSESSION_CHANGE, once the window is registered for it), the session
// ending (WM_QUERYENDSESSION, WM_ENDSESSION), the machine going to sleep
// (WM_POWERBROADCAST, PBT_APMSUSPEND), told to its sink as SessionNotice.
#include <windows.h>

#include "base/unique.h"
#include "toolkit/window.h"

namespace tl::win32 {

struct StopSessionNotices {
  void operator()(HWND w) const;
};
// The window hears of its session's changes while this lives; nothing where
// the system lacks the session functions (wtsapi32, found at run time).
using SessionNotices = Unique<HWND, StopSessionNotices>;
SessionNotices HearSessionChanges(HWND w);

// Tells `events` the notice a message carries; false for any other message,
// which the window handles as before. `result` is the message's answer.
bool TellSessionNotice(UINT m, WPARAM wp, WindowEvents& events, LRESULT& result);

}  // namespace tl::win32
