// Files, shell, picture files and text of the Wayland back end: the same
// as the x11 back end's, which the Linux program shares whatever it draws
// on (the machine's files, lines on standard error, our own codecs, no
// text and no dialogs).
#include <pwd.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>

#include "backends/host/host_files.h"
#include "backends/wayland/wayland_platform.h"
#include "base/utf8_path.h"
#include "gfx/bmp_file.h"
#include "shared/ui_texts.h"

namespace tl {

std::string WaylandPlatform::ProgramPath() {
  std::error_code ec;
  return Utf8FromPath(std::filesystem::read_symlink("/proc/self/exe", ec));
}

std::string WaylandPlatform::UserDataFolder() {
  const char* config = std::getenv("XDG_CONFIG_HOME");
  if (config && config[0] == '/') return config;
  const char* home = std::getenv("HOME");
  if (!home || !home[0]) {
    const passwd* user = getpwuid(getuid());
    home = user ? user->pw_dir : nullptr;
  }
  return home && home[0] ? std::string(home) + "/.config" : "";
}

std::optional<std::vector<uint8_t>> WaylandPlatform::ReadFile(const std::string& path) {
  return host::ReadFile(path);
}

bool WaylandPlatform::WriteFile(const std::string& path, const std::vector<uint8_t>& bytes) {
  return host::WriteFile(path, bytes);
}

bool WaylandPlatform::CanOpenForReading(const std::string& path) {
  return host::CanOpenForReading(path);
}

bool WaylandPlatform::MakeFolder(const std::string& path) { return host::MakeFolder(path); }

void WaylandPlatform::ShowMessageBox(std::string_view text, std::string_view title, MessageIcon) {
  std::fprintf(stderr, "tidelight: %.*s: %.*s\n", static_cast<int>(title.size()), title.data(),
               static_cast<int>(text.size()), text.data());
}

uint16_t WaylandPlatform::UserInterfaceLanguage() {
  for (const char* name : {"LC_ALL", "LC_MESSAGES", "LANG"}) {
    const char* value = std::getenv(name);
    if (value && *value) return LangIdOfLocaleName(value);
  }
  return LangIdOfLocaleName("C");
}

bool WaylandPlatform::OpenWebPage(std::string_view) { return false; }
std::optional<std::string> WaylandPlatform::ChooseFileToOpen(const FileDialogSpec&) { return std::nullopt; }
std::optional<std::string> WaylandPlatform::ChooseFileToSave(const FileDialogSpec&) { return std::nullopt; }
std::optional<uint32_t> WaylandPlatform::ChooseColour(uint32_t, std::array<uint32_t, 16>&, NativeHandle) {
  return std::nullopt;
}

DecodedPicture WaylandPlatform::LoadPicture(const std::string& path, uint32_t background) {
  return host::LoadPicture(path, background);
}

bool WaylandPlatform::SavePictureAsBmp(const std::string& path, const Surface& pixels) {
  return host::WriteFile(path, EncodeBmp(pixels));
}

void WaylandPlatform::DrawText(Surface&, const TextDraw&) {}
bool WaylandPlatform::HasFontFace(std::string_view, uint8_t) { return false; }

}  // namespace tl
