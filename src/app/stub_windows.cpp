#include "app/stub_windows.h"

#include <windows.h>

#include <string>

#include "toolkit/platform.h"


namespace tl::app {

namespace {


LRESULT CALLBACK DialogProc(HWND w, UINT m, WPARAM wp, LPARAM lp) {
  if (m == WM_DESTROY) PostQuitMessage(0);
  return DefWindowProcW(w, m, wp, lp);
}

void Register(const wchar_t* name, WNDPROC proc) {
  WNDCLASSW c{};
  c.lpfnWndProc = proc;
  c.hInstance = GetModuleHandleW(nullptr);
  c.hCursor = LoadCursorW(nullptr, reinterpret_cast<LPCWSTR>(IDC_ARROW));
  c.hbrBackground = static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH));
  c.lpszClassName = name;
  c.hIcon = LoadIconW(c.hInstance, MAKEINTRESOURCEW(1));
  RegisterClassW(&c);
}

}  // namespace

void ShowSettingsDialogModal(Platform& platform) {
  Register(L"TidelightDialog", DialogProc);
  HWND win = CreateWindowExW(0, L"TidelightDialog", L"<Tidelight>", WS_OVERLAPPEDWINDOW,
                             CW_USEDEFAULT, CW_USEDEFAULT, 400, 300, nullptr, nullptr,
                             GetModuleHandleW(nullptr), nullptr);
  ShowWindow(win, SW_SHOWNORMAL);
  platform.RunMessageLoop();  // until the window is closed
}

}  // namespace tl::app
