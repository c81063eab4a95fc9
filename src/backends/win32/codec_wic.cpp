// PNG, JPEG and GIF through the Windows Imaging Component, the platform's
// own codecs. Only COM calls are used (no function exported by the codec
// library), so a program imports nothing beyond ole32 for them.
#include <windows.h>
#include <wincodec.h>

#include "backends/win32/com_handles.h"
#include "gfx/picture_codec.h"
#include "gfx/picture_probe.h"

namespace tl::codec {

namespace {

using win32::ComApartment;
using win32::UniqueCom;

UniqueCom<IWICImagingFactory> Factory() {
  IWICImagingFactory* f = nullptr;
  if (FAILED(CoCreateInstance(CLSID_WICImagingFactory, nullptr, CLSCTX_INPROC_SERVER,
                              IID_IWICImagingFactory, reinterpret_cast<void**>(&f))))
    return {};
  return UniqueCom<IWICImagingFactory>(f);
}

// Where a GIF's first frame sits on its logical screen; (0, 0) when the
// codec does not say.
void FramePlace(IWICBitmapFrameDecode* frame, UINT& left, UINT& top) {
  left = top = 0;
  IWICMetadataQueryReader* r = nullptr;
  if (FAILED(frame->GetMetadataQueryReader(&r))) return;
  const UniqueCom<IWICMetadataQueryReader> reader(r);
  auto read = [&](const wchar_t* name, UINT& out) {
    PROPVARIANT v;
    PropVariantInit(&v);
    if (SUCCEEDED(reader.get()->GetMetadataByName(name, &v)) && v.vt == VT_UI2) out = v.uiVal;
    PropVariantClear(&v);
  };
  read(L"/imgdesc/Left", left);
  read(L"/imgdesc/Top", top);
}

// The frame's pixels at their place on a canvas of the background colour,
// cut where they reach past it.
Surface OnCanvas(const Surface& frame, int32_t width, int32_t height, UINT left, UINT top,
                 uint32_t background) {
  Surface canvas(width, height, background);
  for (int32_t y = 0; y < frame.Height(); ++y) {
    const int64_t cy = int64_t{top} + y;
    if (cy >= height) break;
    for (int32_t x = 0; x < frame.Width(); ++x) {
      const int64_t cx = int64_t{left} + x;
      if (cx >= width) break;
      canvas.At(static_cast<int32_t>(cx), static_cast<int32_t>(cy)) = frame.At(x, y);
    }
  }
  return canvas;
}

// The first frame as straight-alpha BGRA, blended over the background; a
// GIF's on its logical screen.
DecodedPicture Decode(std::span<const uint8_t> bytes, uint32_t background, bool gif = false) {
  using enum PictureError;
  const ComApartment apartment;
  const auto factory = Factory();
  if (!factory) return DecodedPicture::Failed(Unsupported);
  const auto stream = win32::StreamOver(bytes.data(), bytes.size());
  if (!stream) return DecodedPicture::Failed(Damaged);
  IWICBitmapDecoder* d = nullptr;
  if (FAILED(factory.get()->CreateDecoderFromStream(stream.get(), nullptr,
                                                    WICDecodeMetadataCacheOnDemand, &d)))
    return DecodedPicture::Failed(Damaged);
  const UniqueCom<IWICBitmapDecoder> decoder(d);
  IWICBitmapFrameDecode* fr = nullptr;
  if (FAILED(decoder.get()->GetFrame(0, &fr))) return DecodedPicture::Failed(Damaged);
  const UniqueCom<IWICBitmapFrameDecode> frame(fr);
  UINT w = 0, h = 0;
  if (FAILED(frame.get()->GetSize(&w, &h))) return DecodedPicture::Failed(Damaged);
  if (!PictureSizeAllowed(w, h)) return DecodedPicture::Failed(TooLarge);
  IWICFormatConverter* c = nullptr;
  if (FAILED(factory.get()->CreateFormatConverter(&c))) return DecodedPicture::Failed(Unsupported);
  const UniqueCom<IWICFormatConverter> converter(c);
  if (FAILED(converter.get()->Initialize(frame.get(), GUID_WICPixelFormat32bppBGRA,
                                         WICBitmapDitherTypeNone, nullptr, 0.0,
                                         WICBitmapPaletteTypeCustom)))
    return DecodedPicture::Failed(Unsupported);
  DecodedPicture out;
  out.pixels.Resize(static_cast<int32_t>(w), static_cast<int32_t>(h));
  if (FAILED(converter.get()->CopyPixels(nullptr, w * 4, static_cast<UINT>(out.pixels.ByteSize()),
                                         reinterpret_cast<BYTE*>(out.pixels.Data()))))
    return DecodedPicture::Failed(Damaged);
  uint32_t* p = out.pixels.Data();
  for (size_t i = 0, n = out.pixels.ByteSize() / 4; i < n; ++i) p[i] = OverBackground(p[i], background);
  if (gif) {
    const PictureProbe screen = ProbePicture(bytes);
    if (!PictureSizeAllowed(screen.width, screen.height)) return DecodedPicture::Failed(TooLarge);
    UINT left = 0, top = 0;
    FramePlace(frame.get(), left, top);
    out.pixels = OnCanvas(out.pixels, static_cast<int32_t>(screen.width),
                          static_cast<int32_t>(screen.height), left, top, background);
  }
  return out;
}

std::optional<std::vector<uint8_t>> Encode(const Surface& pixels, const GUID& container,
                                           int jpegQuality) {
  if (pixels.Width() <= 0 || pixels.Height() <= 0) return std::nullopt;
  const ComApartment apartment;
  const auto factory = Factory();
  if (!factory) return std::nullopt;
  IStream* s = nullptr;
  if (FAILED(CreateStreamOnHGlobal(nullptr, TRUE, &s))) return std::nullopt;
  const UniqueCom<IStream> stream(s);
  IWICBitmapEncoder* e = nullptr;
  if (FAILED(factory.get()->CreateEncoder(container, nullptr, &e))) return std::nullopt;
  const UniqueCom<IWICBitmapEncoder> encoder(e);
  if (FAILED(encoder.get()->Initialize(stream.get(), WICBitmapEncoderNoCache))) return std::nullopt;
  IWICBitmapFrameEncode* f = nullptr;
  IPropertyBag2* options = nullptr;
  if (FAILED(encoder.get()->CreateNewFrame(&f, &options))) return std::nullopt;
  const UniqueCom<IWICBitmapFrameEncode> frame(f);
  const UniqueCom<IPropertyBag2> bag(options);
  if (jpegQuality > 0 && options != nullptr) {
    PROPBAG2 name{};
    name.pstrName = const_cast<LPOLESTR>(L"ImageQuality");
    VARIANT v;
    VariantInit(&v);
    v.vt = VT_R4;
    v.fltVal = static_cast<float>(jpegQuality) / 100.0f;
    options->Write(1, &name, &v);
  }
  if (FAILED(frame.get()->Initialize(options))) return std::nullopt;
  const UINT w = static_cast<UINT>(pixels.Width()), h = static_cast<UINT>(pixels.Height());
  WICPixelFormatGUID format = GUID_WICPixelFormat24bppBGR;
  if (FAILED(frame.get()->SetSize(w, h)) || FAILED(frame.get()->SetPixelFormat(&format)) ||
      format != GUID_WICPixelFormat24bppBGR)
    return std::nullopt;
  std::vector<BYTE> row(static_cast<size_t>(w) * 3);
  for (UINT y = 0; y < h; ++y) {
    const uint32_t* src = pixels.Row(static_cast<int32_t>(y));
    for (UINT x = 0; x < w; ++x) {
      row[3 * x] = static_cast<BYTE>(src[x]);
      row[3 * x + 1] = static_cast<BYTE>(src[x] >> 8);
      row[3 * x + 2] = static_cast<BYTE>(src[x] >> 16);
    }
    if (FAILED(frame.get()->WritePixels(1, w * 3, static_cast<UINT>(row.size()), row.data())))
      return std::nullopt;
  }
  if (FAILED(frame.get()->Commit()) || FAILED(encoder.get()->Commit())) return std::nullopt;
  HGLOBAL memory = nullptr;
  if (FAILED(GetHGlobalFromStream(stream.get(), &memory))) return std::nullopt;
  STATSTG stat{};
  if (FAILED(stream.get()->Stat(&stat, STATFLAG_NONAME))) return std::nullopt;
  const auto* p = static_cast<const uint8_t*>(GlobalLock(memory));
  if (p == nullptr) return std::nullopt;
  std::vector<uint8_t> out(p, p + stat.cbSize.QuadPart);
  GlobalUnlock(memory);
  return out;
}

}  // namespace

DecodedPicture DecodePng(std::span<const uint8_t> bytes, uint32_t background) {
  return Decode(bytes, background);
}
DecodedPicture DecodeJpeg(std::span<const uint8_t> bytes) { return Decode(bytes, 0); }
DecodedPicture DecodeGif(std::span<const uint8_t> bytes, uint32_t background) {
  return Decode(bytes, background, true);
}

std::optional<std::vector<uint8_t>> EncodePng(const Surface& pixels) {
  return Encode(pixels, GUID_ContainerFormatPng, 0);
}
std::optional<std::vector<uint8_t>> EncodeJpeg(const Surface& pixels, int quality) {
  return Encode(pixels, GUID_ContainerFormatJpeg, quality);
}

}  // namespace tl::codec
