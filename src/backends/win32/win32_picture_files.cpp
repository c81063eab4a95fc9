// Picture files of the win32 back end: the platform's own picture loader
// (OleLoadPicture) for BMP, GIF, JPEG, WMF, ICO and CUR, drawn into our
// pixels; PNG, which that loader does not read, through the build's codecs.
// Sizes are checked from the file's header before the loader sees it.
#include <windows.h>
#include <ole2.h>
#include <olectl.h>

#include "backends/win32/com_handles.h"
#include "backends/win32/gdi_handles.h"
#include "backends/win32/wide_text.h"
#include "backends/win32/win32_platform.h"
#include "gfx/bmp_file.h"
#include "gfx/picture_probe.h"

namespace tl {

namespace {

using win32::ComApartment;
using win32::DibSection;
using win32::UniqueCom;
using win32::UniqueFile;
using win32::Wide;

std::optional<std::vector<uint8_t>> ReadPictureFile(const std::string& path, PictureError& error) {
  HANDLE h = CreateFileW(Wide(path).c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                         FILE_ATTRIBUTE_NORMAL, nullptr);
  const UniqueFile f(h == INVALID_HANDLE_VALUE ? nullptr : h);
  LARGE_INTEGER size{};
  if (!f || !GetFileSizeEx(f.get(), &size)) {
    error = PictureError::CannotRead;
    return std::nullopt;
  }
  if (static_cast<uint64_t>(size.QuadPart) > kMaxPictureFileBytes) {
    error = PictureError::TooLarge;
    return std::nullopt;
  }
  std::vector<uint8_t> bytes(static_cast<size_t>(size.QuadPart));
  DWORD got = 0;
  if (!bytes.empty() &&
      (!::ReadFile(f.get(), bytes.data(), static_cast<DWORD>(bytes.size()), &got, nullptr) ||
       got != bytes.size())) {
    error = PictureError::CannotRead;
    return std::nullopt;
  }
  return bytes;
}

int32_t HimetricToPixels(OLE_XSIZE_HIMETRIC v, int32_t dpi) { return MulDiv(v, dpi, 2540); }

// A bitmap picture: its pixels as they are, without scaling.
DecodedPicture FromBitmap(HBITMAP bitmap) {
  BITMAP bm{};
  if (!GetObjectW(bitmap, sizeof bm, &bm)) return DecodedPicture::Failed(PictureError::Damaged);
  if (!PictureSizeAllowed(bm.bmWidth, bm.bmHeight)) return DecodedPicture::Failed(PictureError::TooLarge);
  DecodedPicture out;
  out.pixels.Resize(bm.bmWidth, bm.bmHeight);
  BITMAPINFO bi{};
  bi.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
  bi.bmiHeader.biWidth = bm.bmWidth;
  bi.bmiHeader.biHeight = -bm.bmHeight;  // top-down, as our surfaces are
  bi.bmiHeader.biPlanes = 1;
  bi.bmiHeader.biBitCount = 32;
  bi.bmiHeader.biCompression = BI_RGB;
  const auto screen = win32::WindowDc(nullptr);
  if (GetDIBits(screen.get(), bitmap, 0, static_cast<UINT>(bm.bmHeight), out.pixels.Data(), &bi,
                DIB_RGB_COLORS) != bm.bmHeight)
    return DecodedPicture::Failed(PictureError::Damaged);
  return out;
}

// Icons, cursors and metafiles: drawn by the picture over the background at
// their size in pixels on this screen.
DecodedPicture Rendered(IPicture* picture, uint32_t background, int32_t dpiX, int32_t dpiY) {
  OLE_XSIZE_HIMETRIC hw = 0;
  OLE_YSIZE_HIMETRIC hh = 0;
  picture->get_Width(&hw);
  picture->get_Height(&hh);
  const int32_t w = HimetricToPixels(hw, dpiX), h = HimetricToPixels(hh, dpiY);
  if (!PictureSizeAllowed(w, h)) return DecodedPicture::Failed(PictureError::TooLarge);
  DibSection dib(w, h);
  if (!dib.ok()) return DecodedPicture::Failed(PictureError::TooLarge);
  std::fill(dib.bits(), dib.bits() + static_cast<size_t>(w) * h, background);
  if (FAILED(picture->Render(dib.dc(), 0, 0, w, h, 0, hh, hw, -hh, nullptr)))
    return DecodedPicture::Failed(PictureError::Damaged);
  GdiFlush();
  DecodedPicture out;
  out.pixels.Resize(w, h);
  std::copy(dib.bits(), dib.bits() + static_cast<size_t>(w) * h, out.pixels.Data());
  return out;
}

DecodedPicture WithPictureLoader(const std::vector<uint8_t>& bytes, uint32_t background,
                                 int32_t dpiX, int32_t dpiY) {
  const ComApartment apartment;
  const UniqueCom<IStream> stream = win32::StreamOver(bytes.data(), bytes.size());
  if (!stream) return DecodedPicture::Failed(PictureError::CannotRead);
  IPicture* raw = nullptr;
  if (FAILED(OleLoadPicture(stream.get(), static_cast<LONG>(bytes.size()), FALSE, IID_IPicture,
                            reinterpret_cast<void**>(&raw))) ||
      raw == nullptr)
    return DecodedPicture::Failed(PictureError::Damaged);
  const UniqueCom<IPicture> picture(raw);
  SHORT type = PICTYPE_NONE;
  picture.get()->get_Type(&type);
  DecodedPicture out;
  if (type == PICTYPE_BITMAP) {
    OLE_HANDLE handle = 0;
    picture.get()->get_Handle(&handle);
    out = FromBitmap(reinterpret_cast<HBITMAP>(static_cast<uintptr_t>(handle)));
  } else if (type == PICTYPE_ICON || type == PICTYPE_METAFILE || type == PICTYPE_ENHMETAFILE) {
    out = Rendered(picture.get(), background, dpiX, dpiY);
  } else {
    return DecodedPicture::Failed(PictureError::Unsupported);
  }
  // The loader leaves the fourth byte of each pixel as it likes; ours is 0.
  uint32_t* p = out.pixels.Data();
  for (size_t i = 0, n = out.pixels.ByteSize() / 4; i < n; ++i) p[i] &= 0xFFFFFF;
  return out;
}

}  // namespace

DecodedPicture Win32Platform::LoadPicture(const std::string& path, uint32_t background) {
  PictureError error = PictureError::None;
  const auto bytes = ReadPictureFile(path, error);
  if (!bytes) return DecodedPicture::Failed(error);
  const int32_t dpiX = DpiX(), dpiY = DpiY();
  const PictureProbe probe = ProbePicture(*bytes, dpiX);
  if (probe.format == PictureFormat::Unknown) return DecodedPicture::Failed(PictureError::NotAPicture);
  if (probe.format == PictureFormat::Png) return DecodePicture(*bytes, background);
  if (probe.format == PictureFormat::Jpeg && probe.width == 0)
    return DecodedPicture::Failed(PictureError::Damaged);
  if (!PictureSizeAllowed(probe.width, probe.height)) return DecodedPicture::Failed(PictureError::TooLarge);
  if (!PictureComplete(*bytes, probe)) return DecodedPicture::Failed(PictureError::Damaged);
  return WithPictureLoader(*bytes, background, dpiX, dpiY);
}

bool Win32Platform::SavePictureAsBmp(const std::string& path, const Surface& pixels) {
  return WriteFile(path, EncodeBmp(pixels));
}

}  // namespace tl
