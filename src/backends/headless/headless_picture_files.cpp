// Picture files of the headless back end: real files, decoded by the
// build's codecs and written by our BMP encoder.
#include "backends/headless/headless_platform.h"
#include "backends/host/host_files.h"
#include "gfx/bmp_file.h"

namespace tl {

DecodedPicture HeadlessPlatform::LoadPicture(const std::string& path, uint32_t background) {
  Note("LoadPicture " + path);
  picturesLoaded.push_back(path);
  if (const PictureError e = host::ProbePictureFile(path); e != PictureError::None)
    return DecodedPicture::Failed(e);
  // Read through the recorded call, where the tests inject their faults.
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
