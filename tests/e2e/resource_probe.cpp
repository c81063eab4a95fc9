// Watches another process's resources from outside it: finds the window with
// the given caption, then prints, every interval, its process's GDI and USER
// object counts, handle count and working set, one line each:
//   sample <seconds> gdi <n> user <n> handles <n> workingset <bytes>
// It stops after the given number of seconds, or when the process ends.
//   resource_probe <caption> <seconds> <interval-ms>
#include <windows.h>
#include <psapi.h>

#include <cstdio>
#include <cwchar>
#include <string>

int wmain(int argc, wchar_t** argv) {
  if (argc < 4) {
    std::fprintf(stderr, "usage: resource_probe <caption> <seconds> <interval-ms>\n");
    return 2;
  }
  const std::wstring caption = argv[1];
  const DWORD seconds = static_cast<DWORD>(std::wcstoul(argv[2], nullptr, 10));
  const DWORD interval = static_cast<DWORD>(std::wcstoul(argv[3], nullptr, 10));
  HWND window = nullptr;
  for (int i = 0; i < 200 && window == nullptr; ++i) {
    window = FindWindowW(nullptr, caption.c_str());
    if (window == nullptr) Sleep(100);
  }
  if (window == nullptr) {
    std::printf("no window\n");
    return 1;
  }
  DWORD pid = 0;
  GetWindowThreadProcessId(window, &pid);
  HANDLE process = OpenProcess(PROCESS_QUERY_INFORMATION | PROCESS_VM_READ | SYNCHRONIZE, FALSE, pid);
  if (process == nullptr) {
    std::printf("no process\n");
    return 1;
  }
  const DWORD start = GetTickCount();
  for (;;) {
    const DWORD elapsed = GetTickCount() - start;
    DWORD handles = 0;
    GetProcessHandleCount(process, &handles);
    PROCESS_MEMORY_COUNTERS memory{};
    memory.cb = sizeof memory;
    GetProcessMemoryInfo(process, &memory, sizeof memory);
    std::printf("sample %lu gdi %lu user %lu handles %lu workingset %llu\n",
                static_cast<unsigned long>(elapsed / 1000),
                static_cast<unsigned long>(GetGuiResources(process, GR_GDIOBJECTS)),
                static_cast<unsigned long>(GetGuiResources(process, GR_USEROBJECTS)),
                static_cast<unsigned long>(handles),
                static_cast<unsigned long long>(memory.WorkingSetSize));
    std::fflush(stdout);
    if (elapsed >= seconds * 1000) break;
    if (WaitForSingleObject(process, interval) == WAIT_OBJECT_0) {
      std::printf("ended\n");
      break;
    }
  }
  CloseHandle(process);
  return 0;
}
