#pragma once
// Win32 back end of the platform seam: thin calls into the Windows API, with
// Unicode functions for every text and path.
#include "toolkit/platform.h"

namespace tl {

class Win32Platform : public Platform {
 public:
  std::string CommandLineArgs() override;
  bool FindWindowByTitle(std::string_view title) override;
  int32_t ShowCursor(bool show) override;
  void EndProgram() override;
  bool Ended() const override { return ended_; }
  std::string ProgramFolder() override;
  std::string UserDataFolder() override;
  std::optional<std::vector<uint8_t>> ReadFile(const std::string& path) override;
  bool WriteFile(const std::string& path, const std::vector<uint8_t>& bytes) override;
  bool CanOpenForReading(const std::string& path) override;
  bool MakeFolder(const std::string& path) override;
  std::optional<std::string> ToCodePage932(std::string_view utf8) override;
  std::optional<std::string> FromCodePage932(std::string_view bytes) override;

 private:
  bool ended_ = false;
};

}  // namespace tl
