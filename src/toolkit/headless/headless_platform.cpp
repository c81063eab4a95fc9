#include "toolkit/headless/headless_platform.h"

#include <iconv.h>
#include <sys/stat.h>

#include <cerrno>
#include <fstream>
#include <iterator>

namespace tl {

namespace {

std::optional<std::string> Convert(const char* to, const char* from, std::string_view in) {
  iconv_t cd = iconv_open(to, from);
  if (cd == reinterpret_cast<iconv_t>(-1)) return std::nullopt;
  std::string out(in.size() * 4 + 4, '\0');
  char* src = const_cast<char*>(in.data());
  size_t srcLeft = in.size();
  char* dst = out.data();
  size_t dstLeft = out.size();
  const size_t r = iconv(cd, &src, &srcLeft, &dst, &dstLeft);
  iconv_close(cd);
  if (r == static_cast<size_t>(-1)) return std::nullopt;
  out.resize(out.size() - dstLeft);
  return out;
}

}  // namespace

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
  std::ifstream in(HostPath(path), std::ios::binary);
  if (!in) return std::nullopt;
  return std::vector<uint8_t>(std::istreambuf_iterator<char>(in), {});
}

bool HeadlessPlatform::WriteFile(const std::string& path, const std::vector<uint8_t>& bytes) {
  std::ofstream out(HostPath(path), std::ios::binary | std::ios::trunc);
  if (!out) return false;
  out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
  return static_cast<bool>(out.flush());
}

bool HeadlessPlatform::CanOpenForReading(const std::string& path) {
  struct stat st {};
  const std::string host = HostPath(path);
  if (stat(host.c_str(), &st) != 0 || !S_ISREG(st.st_mode)) return false;
  std::ifstream in(host, std::ios::binary);
  return static_cast<bool>(in);
}

bool HeadlessPlatform::MakeFolder(const std::string& path) {
  return mkdir(HostPath(path).c_str(), 0755) == 0 || errno == EEXIST;
}

std::optional<std::string> HeadlessPlatform::ToCodePage932(std::string_view utf8) {
  return Convert("CP932", "UTF-8", utf8);
}

std::optional<std::string> HeadlessPlatform::FromCodePage932(std::string_view bytes) {
  return Convert("UTF-8", "CP932", bytes);
}

}  // namespace tl
