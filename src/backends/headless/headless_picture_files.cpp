// Picture files of the headless back end: real files, decoded by the
// build's codecs and written by our BMP encoder.
#include <filesystem>

#include "backends/headless/headless_platform.h"
#include "base/utf8_path.h"
#include "gfx/bmp_file.h"
#include "gfx/picture_probe.h"

namespace tl {

DecodedPicture HeadlessPlatform::LoadPicture(const std::string& path, uint32_t background) {
  Note("LoadPicture " + path);
  picturesLoaded.push_back(path);
  std::error_code ec;
  const auto host = PathFromUtf8(HostPath(path));
  if (!std::filesystem::is_regular_file(host, ec)) return DecodedPicture::Failed(PictureError::CannotRead);
  if (std::filesystem::file_size(host, ec) > kMaxPictureFileBytes)
    return DecodedPicture::Failed(PictureError::TooLarge);
  const auto bytes = ReadFile(path);
  if (!bytes) return DecodedPicture::Failed(PictureError::CannotRead);
  return DecodePicture(*bytes, background);
}

bool HeadlessPlatform::SavePictureAsBmp(const std::string& path, const Surface& pixels) {
  Note("SavePictureAsBmp " + path);
  picturesSaved.push_back(path);
  return WriteFile(path, EncodeBmp(pixels));
}

}  // namespace tl
