#include "backends/host/host_files.h"

#include <filesystem>
#include <fstream>
#include <iterator>

#include "base/utf8_path.h"
#include "gfx/picture_probe.h"

namespace tl::host {

std::string HostPath(std::string path) {
  for (char& c : path)
    if (c == '\\') c = '/';
  std::string out;
  for (char c : path)
    if (!(c == '/' && !out.empty() && out.back() == '/')) out += c;
  return out;
}

std::optional<std::vector<uint8_t>> ReadFile(const std::string& path) {
  std::ifstream in(PathFromUtf8(HostPath(path)), std::ios::binary);
  if (!in) return std::nullopt;
  return std::vector<uint8_t>(std::istreambuf_iterator<char>(in), {});
}

bool WriteFile(const std::string& path, const std::vector<uint8_t>& bytes) {
  std::ofstream out(PathFromUtf8(HostPath(path)), std::ios::binary | std::ios::trunc);
  if (!out) return false;
  out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
  return static_cast<bool>(out.flush());
}

bool CanOpenForReading(const std::string& path) {
  const auto host = PathFromUtf8(HostPath(path));
  std::error_code ec;
  if (!std::filesystem::is_regular_file(host, ec)) return false;
  std::ifstream in(host, std::ios::binary);
  return static_cast<bool>(in);
}

bool MakeFolder(const std::string& path) {
  std::error_code ec;
  const auto host = PathFromUtf8(HostPath(path));
  std::filesystem::create_directory(host, ec);
  return std::filesystem::is_directory(host, ec);
}

PictureError ProbePictureFile(const std::string& path) {
  std::error_code ec;
  const auto host = PathFromUtf8(HostPath(path));
  if (!std::filesystem::is_regular_file(host, ec)) return PictureError::CannotRead;
  if (std::filesystem::file_size(host, ec) > kMaxPictureFileBytes) return PictureError::TooLarge;
  return PictureError::None;
}

DecodedPicture LoadPicture(const std::string& path, uint32_t background) {
  if (const PictureError e = ProbePictureFile(path); e != PictureError::None)
    return DecodedPicture::Failed(e);
  const auto bytes = ReadFile(path);
  if (!bytes) return DecodedPicture::Failed(PictureError::CannotRead);
  return DecodePicture(*bytes, background);
}

}  // namespace tl::host
