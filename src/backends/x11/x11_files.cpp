// Files and folders of the x11 back end: the machine's own files.
#include "backends/host/host_files.h"
#include "backends/host/linux_session.h"
#include "backends/x11/x11_platform.h"

namespace tl {

std::string X11Platform::ProgramPath() { return host::ProgramPath(); }

std::string X11Platform::UserDataFolder() { return host::UserConfigFolder(); }

std::optional<std::vector<uint8_t>> X11Platform::ReadFile(const std::string& path) {
  return host::ReadFile(path);
}

bool X11Platform::WriteFile(const std::string& path, const std::vector<uint8_t>& bytes) {
  return host::WriteFile(path, bytes);
}

bool X11Platform::CanOpenForReading(const std::string& path) { return host::CanOpenForReading(path); }

bool X11Platform::MakeFolder(const std::string& path) { return host::MakeFolder(path); }

}  // namespace tl
