#include "app/stub_windows.h"

#include <windows.h>

#include <string>


namespace tl::app {

namespace {

constexpr wchar_t kClass[] = L"TidelightWindow";

LRESULT CALLBACK SaverProc(HWND w, UINT m, WPARAM wp, LPARAM lp) {
  switch (m) {
    case WM_LBUTTONDOWN: case WM_RBUTTONDOWN: case WM_MBUTTONDOWN:
    case WM_KEYDOWN: case WM_SYSKEYDOWN:
      ExitProcess(0);
    case WM_SETCURSOR:
      return TRUE;
  }
  return DefWindowProcW(w, m, wp, lp);
}

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

void LoadSaverWindow() {
  Register(L"TidelightSaver", SaverProc);
  const int w = GetSystemMetrics(SM_CXSCREEN), h = GetSystemMetrics(SM_CYSCREEN);
  HWND win = CreateWindowExW(WS_EX_TOPMOST, L"TidelightSaver", L"Tidelight_Main", WS_POPUP, 0, 0,
                             w, h, nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
  ShowWindow(win, SW_SHOWNORMAL);
}

void ShowSettingsDialogModal() {
  Register(L"TidelightDialog", DialogProc);
  HWND win = CreateWindowExW(0, L"TidelightDialog", L"<Tidelight>", WS_OVERLAPPEDWINDOW,
                             CW_USEDEFAULT, CW_USEDEFAULT, 400, 300, nullptr, nullptr,
                             GetModuleHandleW(nullptr), nullptr);
  ShowWindow(win, SW_SHOWNORMAL);
  RunMessageLoop();
}

int RunMessageLoop() {
  MSG m;
  while (GetMessageW(&m, nullptr, 0, 0) > 0) {
    TranslateMessage(&m);
    DispatchMessageW(&m);
  }
  return 0;
}

}  // namespace tl::app
