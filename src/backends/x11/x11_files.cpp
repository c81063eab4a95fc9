// Files and folders of the x11 back end: the machine's own files.
#include <pwd.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>

#include "backends/host/host_files.h"
#include "backends/x11/x11_platform.h"
#include "base/utf8_path.h"

namespace tl {

std::string X11Platform::ProgramPath() {
  std::error_code ec;
  return Utf8FromPath(std::filesystem::read_symlink("/proc/self/exe", ec));
}

// The per-user folder of settings files: $XDG_CONFIG_HOME when it names a
// full path, else ~/.config (the XDG base-directory rule).
std::string X11Platform::UserDataFolder() {
  const char* config = std::getenv("XDG_CONFIG_HOME");
  if (config && config[0] == '/') return config;
  const char* home = std::getenv("HOME");
  if (!home || !home[0]) {
    const passwd* user = getpwuid(getuid());
    home = user ? user->pw_dir : nullptr;
  }
  return home && home[0] ? std::string(home) + "/.config" : "";
}

std::optional<std::vector<uint8_t>> X11Platform::ReadFile(const std::string& path) {
  return host::ReadFile(path);
}

bool X11Platform::WriteFile(const std::string& path, const std::vector<uint8_t>& bytes) {
  return host::WriteFile(path, bytes);
}

bool X11Platform::CanOpenForReading(const std::string& path) { return host::CanOpenForReading(path); }

bool X11Platform::MakeFolder(const std::string& path) { return host::MakeFolder(path); }

}  // namespace tl
