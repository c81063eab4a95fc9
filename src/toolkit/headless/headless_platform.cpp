#include "toolkit/headless/headless_platform.h"

#include "toolkit/cp932.h"
#include "toolkit/utf8_path.h"

#include <filesystem>
#include <fstream>
#include <iterator>

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

bool HeadlessPlatform::FindWindowByTitle(std::string_view title) {
  calls.push_back("FindWindow " + std::string(title));
  return openWindows.count(std::string(title)) != 0;
}

int32_t HeadlessPlatform::ShowCursor(bool show) {
  cursorCount += show ? 1 : -1;
  calls.push_back(show ? "ShowCursor 1" : "ShowCursor 0");
  return cursorCount;
}

void HeadlessPlatform::EndProgram() {
  calls.push_back("EndProgram");
  ended = true;
}

std::optional<std::vector<uint8_t>> HeadlessPlatform::ReadFile(const std::string& path) {
  filesRead.push_back(path);
  std::ifstream in(PathFromUtf8(HostPath(path)), std::ios::binary);
  if (!in) return std::nullopt;
  return std::vector<uint8_t>(std::istreambuf_iterator<char>(in), {});
}

bool HeadlessPlatform::WriteFile(const std::string& path, const std::vector<uint8_t>& bytes) {
  std::ofstream out(PathFromUtf8(HostPath(path)), std::ios::binary | std::ios::trunc);
  if (!out) return false;
  out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
  return static_cast<bool>(out.flush());
}

bool HeadlessPlatform::CanOpenForReading(const std::string& path) {
  const auto host = PathFromUtf8(HostPath(path));
  std::error_code ec;
  if (!std::filesystem::is_regular_file(host, ec)) return false;
  std::ifstream in(host, std::ios::binary);
  return static_cast<bool>(in);
}

bool HeadlessPlatform::MakeFolder(const std::string& path) {
  std::error_code ec;
  std::filesystem::create_directory(PathFromUtf8(HostPath(path)), ec);
  return !ec;
}

std::optional<std::string> HeadlessPlatform::ToCodePage932(std::string_view utf8) {
  return Utf8ToCp932(utf8);
}

std::optional<std::string> HeadlessPlatform::FromCodePage932(std::string_view bytes) {
  return Cp932ToUtf8(bytes);
}

}  // namespace tl
