// GIF through Debian's giflib: the first frame, placed on the file's logical
// screen; what the frame leaves uncovered or marks transparent shows the
// background.
#include <gif_lib.h>

#include <algorithm>
#include <cstring>
#include <memory>

#include "gfx/picture_codec.h"
#include "gfx/picture_probe.h"

namespace tl::codec {

namespace {

struct Reader {
  std::span<const uint8_t> bytes;
  size_t at = 0;
};

int Read(GifFileType* gif, GifByteType* into, int want) {
  auto* r = static_cast<Reader*>(gif->UserData);
  const size_t n = std::min(static_cast<size_t>(want), r->bytes.size() - r->at);
  std::memcpy(into, r->bytes.data() + r->at, n);
  r->at += n;
  return static_cast<int>(n);
}

struct GifClose {
  void operator()(GifFileType* gif) const {
    int error = 0;
    DGifCloseFile(gif, &error);
  }
};

// Skips an extension block, keeping the transparent index of a graphic
// control extension.
bool ReadExtension(GifFileType* gif, int& transparent) {
  int code = 0;
  GifByteType* block = nullptr;
  if (DGifGetExtension(gif, &code, &block) == GIF_ERROR) return false;
  bool first = true;
  while (block != nullptr) {
    if (first && code == GRAPHICS_EXT_FUNC_CODE && block[0] >= 4)
      transparent = (block[1] & 1) ? block[4] : -1;
    first = false;
    if (DGifGetExtensionNext(gif, &block) == GIF_ERROR) return false;
  }
  return true;
}

}  // namespace

DecodedPicture DecodeGif(std::span<const uint8_t> bytes, uint32_t background) {
  using enum PictureError;
  Reader reader{bytes};
  int error = 0;
  std::unique_ptr<GifFileType, GifClose> gif(DGifOpen(&reader, Read, &error));
  if (!gif) return DecodedPicture::Failed(Damaged);
  if (!PictureSizeAllowed(gif->SWidth, gif->SHeight)) return DecodedPicture::Failed(TooLarge);
  int transparent = -1;
  for (;;) {
    GifRecordType type;
    if (DGifGetRecordType(gif.get(), &type) == GIF_ERROR) return DecodedPicture::Failed(Damaged);
    if (type == TERMINATE_RECORD_TYPE) return DecodedPicture::Failed(Damaged);  // no frame
    if (type == EXTENSION_RECORD_TYPE) {
      if (!ReadExtension(gif.get(), transparent)) return DecodedPicture::Failed(Damaged);
      continue;
    }
    if (type != IMAGE_DESC_RECORD_TYPE) continue;
    if (DGifGetImageDesc(gif.get()) == GIF_ERROR) return DecodedPicture::Failed(Damaged);
    break;
  }
  const GifImageDesc& frame = gif->Image;
  const ColorMapObject* map = frame.ColorMap ? frame.ColorMap : gif->SColorMap;
  if (map == nullptr || !PictureSizeAllowed(frame.Width, frame.Height))
    return DecodedPicture::Failed(Damaged);

  DecodedPicture out;
  out.pixels.Resize(gif->SWidth, gif->SHeight, background);
  std::vector<GifPixelType> line(static_cast<size_t>(frame.Width));
  // Interlaced rows come in four passes.
  static constexpr int kStart[] = {0, 4, 2, 1}, kStep[] = {8, 8, 4, 2};
  const int passes = frame.Interlace ? 4 : 1;
  for (int pass = 0; pass < passes; ++pass) {
    const int start = frame.Interlace ? kStart[pass] : 0, step = frame.Interlace ? kStep[pass] : 1;
    for (int y = start; y < frame.Height; y += step) {
      if (DGifGetLine(gif.get(), line.data(), frame.Width) == GIF_ERROR)
        return DecodedPicture::Failed(Damaged);
      const int sy = frame.Top + y;
      if (sy < 0 || sy >= gif->SHeight) continue;
      uint32_t* row = out.pixels.Row(sy);
      for (int x = 0; x < frame.Width; ++x) {
        const int sx = frame.Left + x;
        const int index = line[static_cast<size_t>(x)];
        if (sx >= gif->SWidth || index == transparent) continue;
        if (index >= map->ColorCount) {
          row[sx] = 0;
          continue;
        }
        const GifColorType& c = map->Colors[index];
        row[sx] = Rgb(c.Red, c.Green, c.Blue);
      }
    }
  }
  return out;
}

}  // namespace tl::codec
