#pragma once
// The machine's own files through the C++ library, for the back ends that
// have no file interface of their own to prefer (headless, x11). Paths are
// the program's UTF-8 text, written with '\' separators; each is mapped
// onto '/' before it reaches the file system.
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "gfx/picture_decode.h"

namespace tl::host {

// '\' to '/', and the doubled separator a drive-root join gives made one.
std::string HostPath(std::string path);

std::optional<std::vector<uint8_t>> ReadFile(const std::string& path);
bool WriteFile(const std::string& path, const std::vector<uint8_t>& bytes);
bool CanOpenForReading(const std::string& path);
bool MakeFolder(const std::string& path);

// Whether a picture file may be read: None for a file within the size
// limit, checked before anything is read.
PictureError ProbePictureFile(const std::string& path);
// The picture in a file, probed, read and decoded by the build's codecs.
DecodedPicture LoadPicture(const std::string& path, uint32_t background);

}  // namespace tl::host
