// A stand-in for the system's screen-saver page.
//
//   preview_host <scr> <stop-file>            the preview: a window with a
//     152 x 112 client area whose handle it passes to "<scr> /p <handle>". It
//     prints the area's screen origin and the size of the preview window once
//     one lives in the area, destroys itself when the stop file appears, and
//     exits 0 when the preview process then ends.
//   preview_host <scr> <stop-file> resize     the same, then the area grows to
//     240 x 180 and it prints the preview window's size once that follows
//     (or, after ten seconds, as it is).
//   preview_host <scr> <stop-file> settings   the Settings button: starts
//     "<scr> /c:<handle>" with its own window's handle, prints whether the
//     page owns the settings window and whether it is enabled while that is
//     open, closes it as the user's close box does, prints whether the page
//     is enabled then, and exits 0 when the settings process has ended.
#include <windows.h>

#include <cstdio>
#include <string>

namespace {
std::wstring g_stopFile;
HWND g_settings = nullptr;
int g_waited = 0;
bool g_resize = false;

HWND PreviewIn(HWND host) {
  HWND area = GetWindow(host, GW_CHILD);
  return area ? FindWindowExW(area, nullptr, nullptr, L"Preview Window") : nullptr;
}

// Timer 3, settings mode: find the settings window, see whether it is modal
// to us, close it, and see whether we are enabled after.
void WatchSettings(HWND page) {
  if (!g_settings) {
    HWND found = FindWindowW(nullptr, L"<Tidelight>");
    if (found && IsWindowVisible(found)) g_settings = found;
    return;
  }
  if (IsWindow(g_settings)) {
    if (g_waited < 0) return;  // closing
    // A modal run would disable the page once the window shows: give it time.
    if (IsWindowEnabled(page) && ++g_waited < 50) return;
    std::printf("settings owner %s page %s\n",
                GetWindow(g_settings, GW_OWNER) == page ? "page" : "other",
                IsWindowEnabled(page) ? "enabled" : "disabled");
    std::fflush(stdout);
    g_waited = -1;
    PostMessageW(g_settings, WM_CLOSE, 0, 0);
    return;
  }
  std::printf("closed page %s\n", IsWindowEnabled(page) ? "enabled" : "disabled");
  std::fflush(stdout);
  KillTimer(page, 3);
  DestroyWindow(page);
}

LRESULT CALLBACK HostProc(HWND w, UINT m, WPARAM wp, LPARAM lp) {
  if (m == WM_TIMER && wp == 2) {
    // Report the preview window once it has settled inside our area.
    HWND area = GetWindow(w, GW_CHILD);
    HWND preview = area ? FindWindowExW(area, nullptr, nullptr, L"Preview Window") : nullptr;
    RECT r{};
    if (preview && IsWindowVisible(preview) && GetClientRect(preview, &r)) {
      KillTimer(w, 2);
      std::printf("preview %ld %ld\n", r.right - r.left, r.bottom - r.top);
      std::fflush(stdout);
      if (g_resize) {
        MoveWindow(area, 0, 0, 240, 180, TRUE);
        SetTimer(w, 4, 100, nullptr);
      }
    }
    return 0;
  }
  if (m == WM_TIMER && wp == 4) {
    RECT r{};
    HWND preview = PreviewIn(w);
    if (preview && GetClientRect(preview, &r) &&
        ((r.right == 240 && r.bottom == 180) || ++g_waited > 100)) {
      KillTimer(w, 4);
      std::printf("resized %ld %ld\n", r.right - r.left, r.bottom - r.top);
      std::fflush(stdout);
    }
    return 0;
  }
  if (m == WM_TIMER && wp == 3) {
    WatchSettings(w);
    return 0;
  }
  if (m == WM_TIMER && GetFileAttributesW(g_stopFile.c_str()) != INVALID_FILE_ATTRIBUTES) {
    KillTimer(w, 1);
    DestroyWindow(w);
    return 0;
  }
  if (m == WM_DESTROY) PostQuitMessage(0);
  return DefWindowProcW(w, m, wp, lp);
}
}  // namespace

int wmain(int argc, wchar_t** argv) {
  if (argc < 3) return 2;
  g_stopFile = argv[2];
  const bool settings = argc > 3 && std::wstring(argv[3]) == L"settings";
  g_resize = argc > 3 && std::wstring(argv[3]) == L"resize";
  WNDCLASSW c{};
  c.lpfnWndProc = HostProc;
  c.hInstance = GetModuleHandleW(nullptr);
  c.hbrBackground = static_cast<HBRUSH>(GetStockObject(GRAY_BRUSH));
  c.lpszClassName = L"TidelightPreviewHost";
  RegisterClassW(&c);
  RECT r{0, 0, 152, 112};
  AdjustWindowRect(&r, WS_OVERLAPPED | WS_CAPTION, FALSE);
  HWND host = CreateWindowExW(0, c.lpszClassName, L"Preview Host", WS_OVERLAPPED | WS_CAPTION | WS_VISIBLE,
                              100, 100, r.right - r.left, r.bottom - r.top, nullptr, nullptr,
                              c.hInstance, nullptr);
  std::wstring cmd = L"\"" + std::wstring(argv[1]) + L"\" ";
  if (settings) {
    // The page passes its own window, as an unsigned number after a colon.
    cmd += L"/c:" + std::to_wstring(static_cast<unsigned>(reinterpret_cast<UINT_PTR>(host)));
  } else {
    // The saver's page hands over a child area; the child is what the preview fills.
    HWND area = CreateWindowExW(0, L"STATIC", L"", WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN, 0, 0, 152,
                                112, host, nullptr, c.hInstance, nullptr);
    POINT origin{0, 0};
    ClientToScreen(area, &origin);
    std::printf("origin %ld %ld %lld\n", origin.x, origin.y,
                static_cast<long long>(reinterpret_cast<INT_PTR>(area)));
    std::fflush(stdout);
    cmd += L"/p " + std::to_wstring(reinterpret_cast<INT_PTR>(area));
  }
  STARTUPINFOW si{};
  si.cb = sizeof si;
  PROCESS_INFORMATION pi{};
  if (!CreateProcessW(nullptr, cmd.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi))
    return 3;
  if (settings) {
    SetTimer(host, 3, 100, nullptr);
  } else {
    SetTimer(host, 1, 100, nullptr);
    SetTimer(host, 2, 100, nullptr);
  }
  MSG m;
  while (GetMessageW(&m, nullptr, 0, 0) > 0) DispatchMessageW(&m);
  // Our windows are gone; the other process must end by itself.
  const DWORD waited = WaitForSingleObject(pi.hProcess, 10000);
  std::printf(waited == WAIT_OBJECT_0 ? "%s ended\n" : "%s still running\n",
              settings ? "settings" : "preview");
  std::fflush(stdout);
  if (waited != WAIT_OBJECT_0) TerminateProcess(pi.hProcess, 1);
  CloseHandle(pi.hThread);
  CloseHandle(pi.hProcess);
  return waited == WAIT_OBJECT_0 ? 0 : 1;
}
