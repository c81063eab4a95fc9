#include "backends/win32/win32_session.h"

#include "backends/win32/system_function.h"

namespace tl::win32 {

namespace {
using RegisterFn = BOOL(WINAPI*)(HWND, DWORD);
using UnregisterFn = BOOL(WINAPI*)(HWND);
constexpr DWORD kThisSession = 0;  // NOTIFY_FOR_THIS_SESSION
}  // namespace

void StopSessionNotices::operator()(HWND w) const {
  static const auto stop =
      SystemFunction<UnregisterFn>(L"wtsapi32.dll", "WTSUnRegisterSessionNotification");
  if (stop) stop(w);
}

SessionNotices HearSessionChanges(HWND w) {
  static const auto start =
      SystemFunction<RegisterFn>(L"wtsapi32.dll", "WTSRegisterSessionNotification");
  if (!w || !start || !start(w, kThisSession)) return {};
  return SessionNotices(w);
}

bool TellSessionNotice(UINT m, WPARAM wp, WindowEvents& events, LRESULT& result) {
  switch (m) {
    case WM_WTSSESSION_CHANGE:
      if (wp != WTS_SESSION_LOCK) return false;
      events.OnSessionNotice(SessionNotice::Locked);
      result = 0;
      return true;
    case WM_QUERYENDSESSION:
      // Yes at once: nothing of ours holds up a log-off or an installer.
      events.OnSessionNotice(SessionNotice::Ending);
      result = TRUE;
      return true;
    case WM_ENDSESSION:
      if (!wp) return false;  // the ending was called off
      events.OnSessionNotice(SessionNotice::Ending);
      result = 0;
      return true;
    case WM_POWERBROADCAST:
      if (wp != PBT_APMSUSPEND) return false;
      events.OnSessionNotice(SessionNotice::Suspending);
      result = TRUE;
      return true;
  }
  return false;
}

}  // namespace tl::win32
