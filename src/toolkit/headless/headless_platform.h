#pragma once
// Headless back end: deterministic, in memory, for the native tests. Windows
// and the cursor are simulated and every call is recorded; files are real
// (paths with '\' separators are mapped onto the host's '/').
#include <set>
#include <string>
#include <vector>

#include "toolkit/platform.h"

namespace tl {

class HeadlessPlatform : public Platform {
 public:
  // Scripted state the tests set.
  std::string args;
  std::set<std::string> openWindows;
  std::string programFolder = "/tmp";
  std::string userDataFolder;
  int32_t cursorCount = 0;

  // Recorded calls.
  std::vector<std::string> calls;
  std::vector<std::string> filesRead;
  bool ended = false;

  std::string CommandLineArgs() override { return args; }
  bool FindWindowByTitle(std::string_view title) override;
  int32_t ShowCursor(bool show) override;
  void EndProgram() override;
  bool Ended() const override { return ended; }
  std::string ProgramFolder() override { return programFolder; }
  std::string UserDataFolder() override { return userDataFolder; }
  std::optional<std::vector<uint8_t>> ReadFile(const std::string& path) override;
  bool WriteFile(const std::string& path, const std::vector<uint8_t>& bytes) override;
  bool CanOpenForReading(const std::string& path) override;
  bool MakeFolder(const std::string& path) override;
  std::optional<std::string> ToCodePage932(std::string_view utf8) override;
  std::optional<std::string> FromCodePage932(std::string_view bytes) override;

  static std::string HostPath(std::string path);
};

}  // namespace tl
