// Files and folders of the win32 back end.
#include <windows.h>

#include "backends/win32/gdi_handles.h"
#include "backends/win32/wide_text.h"
#include "backends/win32/win32_platform.h"

namespace tl {

namespace {

using win32::Narrow;
using win32::UniqueFile;
using win32::Wide;

UniqueFile Open(const std::string& path, DWORD access, DWORD share, DWORD disposition) {
  HANDLE h = CreateFileW(Wide(path).c_str(), access, share, nullptr, disposition,
                         FILE_ATTRIBUTE_NORMAL, nullptr);
  return UniqueFile(h == INVALID_HANDLE_VALUE ? nullptr : h);
}

}  // namespace

std::string Win32Platform::ProgramPath() {
  std::wstring buf(32768, L'\0');
  const DWORD n = GetModuleFileNameW(nullptr, buf.data(), static_cast<DWORD>(buf.size()));
  buf.resize(n);
  return Narrow(buf);
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
  return static_cast<bool>(
      Open(path, GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, OPEN_EXISTING));
}

bool Win32Platform::MakeFolder(const std::string& path) {
  return CreateDirectoryW(Wide(path).c_str(), nullptr) || GetLastError() == ERROR_ALREADY_EXISTS;
}

}  // namespace tl
