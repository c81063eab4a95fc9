// Picture files of the x11 back end: the machine's files, decoded by the
// build's codecs and written by our BMP encoder.
#include "backends/host/host_files.h"
#include "backends/x11/x11_platform.h"
#include "gfx/bmp_file.h"

namespace tl {

DecodedPicture X11Platform::LoadPicture(const std::string& path, uint32_t background) {
  return host::LoadPicture(path, background);
}

bool X11Platform::SavePictureAsBmp(const std::string& path, const Surface& pixels) {
  return host::WriteFile(path, EncodeBmp(pixels));
}

}  // namespace tl
