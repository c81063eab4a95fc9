// Files, shell, picture files and text of the Wayland back end: the same
// as the x11 back end's, which the Linux program shares whatever it draws
// on (the machine's files, lines on standard error, our own codecs, no
// text and no dialogs).
#include "backends/host/host_files.h"
#include "backends/host/linux_session.h"
#include "backends/wayland/wayland_platform.h"
#include "gfx/bmp_file.h"

namespace tl {

std::string WaylandPlatform::ProgramPath() { return host::ProgramPath(); }

std::string WaylandPlatform::UserDataFolder() { return host::UserConfigFolder(); }

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
  host::SayOnStandardError(title, text);
}

uint16_t WaylandPlatform::UserInterfaceLanguage() { return host::LanguageOfEnvironment(); }

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
