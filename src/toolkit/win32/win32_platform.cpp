#include "toolkit/win32/win32_platform.h"

#include <windows.h>

#include "toolkit/win32/wide_text.h"

#include <memory>

#include "toolkit/cp932.h"

namespace tl {

namespace {

using win32::Narrow;
using win32::Wide;

struct HandleCloser {
  void operator()(HANDLE h) const { CloseHandle(h); }
};
using UniqueFile = std::unique_ptr<void, HandleCloser>;

UniqueFile Open(const std::string& path, DWORD access, DWORD share, DWORD disposition) {
  HANDLE h = CreateFileW(Wide(path).c_str(), access, share, nullptr, disposition,
                         FILE_ATTRIBUTE_NORMAL, nullptr);
  return UniqueFile(h == INVALID_HANDLE_VALUE ? nullptr : h);
}

}  // namespace

std::string Win32Platform::CommandLineArgs() {
  // Skip the program's own path, quoted or not, and the blanks after it.
  const wchar_t* p = GetCommandLineW();
  if (*p == L'"') {
    ++p;
    while (*p && *p != L'"') ++p;
    if (*p) ++p;
  } else {
    while (*p && *p != L' ' && *p != L'\t') ++p;
  }
  while (*p == L' ' || *p == L'\t') ++p;
  return Narrow(p);
}

bool Win32Platform::FindWindowByTitle(std::string_view title) {
  return FindWindowW(nullptr, Wide(title).c_str()) != nullptr;
}

int32_t Win32Platform::ShowCursor(bool show) { return ::ShowCursor(show ? TRUE : FALSE); }

void Win32Platform::EndProgram() {
  ended_ = true;
  ExitProcess(0);
}

std::string Win32Platform::ProgramFolder() {
  std::wstring buf(32768, L'\0');
  const DWORD n = GetModuleFileNameW(nullptr, buf.data(), static_cast<DWORD>(buf.size()));
  buf.resize(n);
  const size_t slash = buf.find_last_of(L"\\/");
  if (slash == std::wstring::npos) return "";
  // A drive root keeps its separator ("C:\").
  return Narrow(buf.substr(0, slash == 2 ? 3 : slash));
}

std::string Win32Platform::UserDataFolder() {
  const DWORD n = GetEnvironmentVariableW(L"APPDATA", nullptr, 0);
  if (n == 0) return "";
  std::wstring buf(n, L'\0');
  buf.resize(GetEnvironmentVariableW(L"APPDATA", buf.data(), n));
  return Narrow(buf);
}

std::optional<std::vector<uint8_t>> Win32Platform::ReadFile(const std::string& path) {
  UniqueFile f = Open(path, GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, OPEN_EXISTING);
  if (!f) return std::nullopt;
  std::vector<uint8_t> out;
  uint8_t chunk[65536];
  DWORD got = 0;
  while (::ReadFile(f.get(), chunk, sizeof chunk, &got, nullptr) && got > 0)
    out.insert(out.end(), chunk, chunk + got);
  return out;
}

bool Win32Platform::WriteFile(const std::string& path, const std::vector<uint8_t>& bytes) {
  UniqueFile f = Open(path, GENERIC_WRITE, 0, CREATE_ALWAYS);
  if (!f) return false;
  DWORD put = 0;
  return ::WriteFile(f.get(), bytes.data(), static_cast<DWORD>(bytes.size()), &put, nullptr) &&
         put == bytes.size();
}

bool Win32Platform::CanOpenForReading(const std::string& path) {
  const DWORD attr = GetFileAttributesW(Wide(path).c_str());
  if (attr == INVALID_FILE_ATTRIBUTES || (attr & FILE_ATTRIBUTE_DIRECTORY)) return false;
  return static_cast<bool>(Open(path, GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, OPEN_EXISTING));
}

bool Win32Platform::MakeFolder(const std::string& path) {
  return CreateDirectoryW(Wide(path).c_str(), nullptr) || GetLastError() == ERROR_ALREADY_EXISTS;
}

std::optional<std::string> Win32Platform::ToCodePage932(std::string_view utf8) {
  return Utf8ToCp932(utf8);
}

std::optional<std::string> Win32Platform::FromCodePage932(std::string_view bytes) {
  return Cp932ToUtf8(bytes);
}

}  // namespace tl
