// Sends a window what the system sends when the session or the machine
// changes, as Wine cannot lock, log off or sleep:
//   system_notice <caption> lock|end|sleep
// Exits 0 once sent (the window may end while it handles it), 1 when no
// window has that caption.
#include <windows.h>

#include <string>

int wmain(int argc, wchar_t** argv) {
  if (argc < 3) return 2;
  HWND w = FindWindowW(nullptr, argv[1]);
  if (!w) return 1;
  const std::wstring what = argv[2];
  // Posted: the receiver may end the process inside its handler.
  if (what == L"lock") PostMessageW(w, WM_WTSSESSION_CHANGE, WTS_SESSION_LOCK, 0);
  else if (what == L"end") PostMessageW(w, WM_QUERYENDSESSION, 0, ENDSESSION_LOGOFF);
  else if (what == L"sleep") PostMessageW(w, WM_POWERBROADCAST, PBT_APMSUSPEND, 0);
  else return 2;
  return 0;
}
