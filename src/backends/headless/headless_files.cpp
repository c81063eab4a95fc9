// Files and folders of the headless back end: the host's real files.
#include <filesystem>
#include <fstream>
#include <iterator>

#include "backends/headless/headless_platform.h"
#include "base/utf8_path.h"

namespace tl {

std::string HeadlessPlatform::HostPath(std::string path) {
  for (char& c : path)
    if (c == '\\') c = '/';
  // Collapse the doubled separator a drive-root join gives.
  std::string out;
  for (char c : path)
    if (!(c == '/' && !out.empty() && out.back() == '/')) out += c;
  return out;
}

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
  std::ifstream in(PathFromUtf8(HostPath(path)), std::ios::binary);
  if (!in) return std::nullopt;
  return std::vector<uint8_t>(std::istreambuf_iterator<char>(in), {});
}

bool HeadlessPlatform::WriteFile(const std::string& path, const std::vector<uint8_t>& bytes) {
  Note("WriteFile " + path);
  if (writesFail) return false;
  std::ofstream out(PathFromUtf8(HostPath(path)), std::ios::binary | std::ios::trunc);
  if (!out) return false;
  out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
  return static_cast<bool>(out.flush());
}

bool HeadlessPlatform::CanOpenForReading(const std::string& path) {
  Note("CanOpenForReading " + path);
  const auto host = PathFromUtf8(HostPath(path));
  std::error_code ec;
  if (!std::filesystem::is_regular_file(host, ec)) return false;
  std::ifstream in(host, std::ios::binary);
  return static_cast<bool>(in);
}

bool HeadlessPlatform::MakeFolder(const std::string& path) {
  Note("MakeFolder " + path);
  if (writesFail) return false;
  std::error_code ec;
  const auto host = PathFromUtf8(HostPath(path));
  std::filesystem::create_directory(host, ec);
  return std::filesystem::is_directory(host, ec);
}

}  // namespace tl
