#pragma once
// The seam to the shell: modal message boxes, the user's browser and the
// common dialogs. Every text is UTF-8.
#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "toolkit/window.h"

namespace tl {

enum class MessageIcon { Error, Information, Exclamation, Question };

// What the file dialogs show: a title, the file types as (description,
// patterns such as "*.mp3;*.wav") pairs, where to start, the extension added
// to a name typed without one.
struct FileDialogSpec {
  std::string title;
  std::vector<std::pair<std::string, std::string>> filter;
  std::string initialFolder;
  std::string defaultExtension;
  NativeHandle owner = 0;
  // False: any name is taken, also of a file or folder that does not exist.
  bool mustExist = true;
};

class Shell {
 public:
  virtual ~Shell() = default;

  // A modal message box; returns when the user closes it.
  virtual void ShowMessageBox(std::string_view text, std::string_view title, MessageIcon icon) = 0;
  // Opens a web address with the user's browser; false when nothing opened it.
  virtual bool OpenWebPage(std::string_view url) = 0;
  // The chosen file, nothing when cancelled.
  virtual std::optional<std::string> ChooseFileToOpen(const FileDialogSpec& spec) = 0;
  virtual std::optional<std::string> ChooseFileToSave(const FileDialogSpec& spec) = 0;
  // The chosen colour (COLORREF), nothing when cancelled. `custom` keeps the
  // sixteen custom colours between calls.
  virtual std::optional<uint32_t> ChooseColour(uint32_t initial, std::array<uint32_t, 16>& custom,
                                               NativeHandle owner) = 0;
  // The user's user-interface language as a Windows language identifier
  // (0x0411 Japanese, 0x0409 English (United States), ...). A platform that
  // cannot tell answers English.
  virtual uint16_t UserInterfaceLanguage() { return 0x0409; }
};

}  // namespace tl
