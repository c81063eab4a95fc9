// Message boxes, the browser and the common dialogs of the win32 back end.
#include <windows.h>
#include <commdlg.h>
#include <shellapi.h>

#include "backends/win32/com_handles.h"
#include "backends/win32/wide_text.h"
#include "backends/win32/win32_platform.h"

namespace tl {

using win32::Narrow;
using win32::Wide;

void Win32Platform::ShowMessageBox(std::string_view text, std::string_view title,
                                   MessageIcon icon) {
  UINT flags = MB_OK | MB_TASKMODAL;
  switch (icon) {
    case MessageIcon::Error: flags |= MB_ICONERROR; break;
    case MessageIcon::Information: flags |= MB_ICONINFORMATION; break;
    case MessageIcon::Exclamation: flags |= MB_ICONEXCLAMATION; break;
    case MessageIcon::Question: flags |= MB_ICONQUESTION; break;
  }
  MessageBoxW(GetActiveWindow(), Wide(text).c_str(), Wide(title).c_str(), flags);
}

uint16_t Win32Platform::UserInterfaceLanguage() { return GetUserDefaultUILanguage(); }

bool Win32Platform::OpenWebPage(std::string_view url) {
  // The shell may hand the address to a handler that needs COM.
  const win32::ComApartment apartment;
  const auto result = reinterpret_cast<INT_PTR>(
      ShellExecuteW(nullptr, L"open", Wide(url).c_str(), nullptr, nullptr, SW_SHOWNORMAL));
  return result > 32;  // values up to 32 are the call's error codes
}

namespace {

// The dialog's filter: description and patterns, each ended by NUL, and a
// second NUL at the end.
std::wstring FilterText(const FileDialogSpec& spec) {
  std::wstring f;
  for (const auto& [description, patterns] : spec.filter) {
    f += Wide(description) + L'\0' + Wide(patterns) + L'\0';
  }
  return f + L'\0';
}

std::optional<std::string> RunFileDialog(const FileDialogSpec& spec, bool save) {
  std::wstring file(32768, L'\0');
  const std::wstring filter = FilterText(spec), title = Wide(spec.title),
                     folder = Wide(spec.initialFolder), ext = Wide(spec.defaultExtension);
  OPENFILENAMEW o{};
  o.lStructSize = sizeof o;
  o.hwndOwner = reinterpret_cast<HWND>(spec.owner);
  o.lpstrFilter = spec.filter.empty() ? nullptr : filter.c_str();
  o.nFilterIndex = 1;
  o.lpstrFile = file.data();
  o.nMaxFile = static_cast<DWORD>(file.size());
  o.lpstrTitle = title.empty() ? nullptr : title.c_str();
  o.lpstrInitialDir = folder.empty() ? nullptr : folder.c_str();
  o.lpstrDefExt = ext.empty() ? nullptr : ext.c_str();
  o.Flags = OFN_EXPLORER | OFN_HIDEREADONLY |
            (save ? OFN_OVERWRITEPROMPT
                  : spec.mustExist ? OFN_FILEMUSTEXIST | OFN_PATHMUSTEXIST : 0);
  const BOOL ok = save ? GetSaveFileNameW(&o) : GetOpenFileNameW(&o);
  if (!ok) return std::nullopt;
  return Narrow(file.c_str());
}

}  // namespace

std::optional<std::string> Win32Platform::ChooseFileToOpen(const FileDialogSpec& spec) {
  return RunFileDialog(spec, false);
}

std::optional<std::string> Win32Platform::ChooseFileToSave(const FileDialogSpec& spec) {
  return RunFileDialog(spec, true);
}

std::optional<uint32_t> Win32Platform::ChooseColour(uint32_t initial,
                                                    std::array<uint32_t, 16>& custom,
                                                    NativeHandle owner) {
  COLORREF colours[16];
  for (size_t i = 0; i < 16; ++i) colours[i] = custom[i];
  CHOOSECOLORW c{};
  c.lStructSize = sizeof c;
  c.hwndOwner = reinterpret_cast<HWND>(owner);
  c.rgbResult = initial;
  c.lpCustColors = colours;
  c.Flags = CC_RGBINIT | CC_FULLOPEN;
  const BOOL ok = ChooseColorW(&c);
  for (size_t i = 0; i < 16; ++i) custom[i] = colours[i];
  if (!ok) return std::nullopt;
  return c.rgbResult;
}

}  // namespace tl
