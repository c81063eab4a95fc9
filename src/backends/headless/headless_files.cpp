// Files and folders of the headless back end: the host's real files.
#include "backends/headless/headless_platform.h"
#include "backends/host/host_files.h"

namespace tl {

std::string HeadlessPlatform::HostPath(std::string path) { return host::HostPath(std::move(path)); }

std::string HeadlessPlatform::ProgramPath() {
  NoteQuietly("ProgramPath");
  return programPath;
}

std::string HeadlessPlatform::UserDataFolder() {
  NoteQuietly("UserDataFolder");
  return userDataFolder;
}

std::optional<std::vector<uint8_t>> HeadlessPlatform::ReadFile(const std::string& path) {
  Note("ReadFile " + path);
  filesRead.push_back(path);
  return host::ReadFile(path);
}

bool HeadlessPlatform::WriteFile(const std::string& path, const std::vector<uint8_t>& bytes) {
  Note("WriteFile " + path);
  if (writesFail) return false;
  return host::WriteFile(path, bytes);
}

bool HeadlessPlatform::CanOpenForReading(const std::string& path) {
  Note("CanOpenForReading " + path);
  return host::CanOpenForReading(path);
}

bool HeadlessPlatform::MakeFolder(const std::string& path) {
  Note("MakeFolder " + path);
  if (writesFail) return false;
  return host::MakeFolder(path);
}

}  // namespace tl
