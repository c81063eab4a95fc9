// JPEG through Debian's libjpeg-turbo. The library reports errors by a long
// jump: the functions below hold every C++ object before the jump point and
// start none after it, so the jump skips no destructor.
#include <csetjmp>
#include <cstdio>
#include <cstdlib>

#include <jpeglib.h>
#include <jerror.h>

#include "gfx/picture_codec.h"
#include "gfx/picture_probe.h"

namespace tl::codec {

namespace {

struct ErrorManager {
  jpeg_error_mgr pub;
  std::jmp_buf jump;
  bool cutShort = false;
};

[[noreturn]] void OnError(j_common_ptr c) {
  std::longjmp(reinterpret_cast<ErrorManager*>(c->err)->jump, 1);
}

// Warnings are not printed; a file that ends before its last row counts as
// damaged rather than being padded with grey.
void OnMessage(j_common_ptr c, int level) {
  if (level < 0 && c->err->msg_code == JWRN_JPEG_EOF) reinterpret_cast<ErrorManager*>(c->err)->cutShort = true;
}

ErrorManager& Install(ErrorManager& e) {
  jpeg_std_error(&e.pub);
  e.pub.error_exit = OnError;
  e.pub.emit_message = OnMessage;
  return e;
}

}  // namespace

DecodedPicture DecodeJpeg(std::span<const uint8_t> bytes) {
  DecodedPicture out;
  std::vector<uint8_t> cmykRow;
  ErrorManager errors;
  jpeg_decompress_struct in;
  in.err = &Install(errors).pub;
  if (setjmp(errors.jump)) {
    jpeg_destroy_decompress(&in);
    return DecodedPicture::Failed(PictureError::Damaged);
  }
  jpeg_create_decompress(&in);
  jpeg_mem_src(&in, bytes.data(), static_cast<unsigned long>(bytes.size()));
  jpeg_read_header(&in, TRUE);
  if (!PictureSizeAllowed(in.image_width, in.image_height)) {
    jpeg_destroy_decompress(&in);
    return DecodedPicture::Failed(PictureError::TooLarge);
  }
  // Four-channel files are taken as the inverted CMYK that most writers store.
  const bool cmyk = in.jpeg_color_space == JCS_CMYK || in.jpeg_color_space == JCS_YCCK;
  in.out_color_space = cmyk ? JCS_CMYK : JCS_EXT_BGRX;
  jpeg_start_decompress(&in);
  out.pixels.Resize(static_cast<int32_t>(in.output_width), static_cast<int32_t>(in.output_height));
  cmykRow.resize(static_cast<size_t>(in.output_width) * 4);
  while (in.output_scanline < in.output_height) {
    uint32_t* row = out.pixels.Row(static_cast<int32_t>(in.output_scanline));
    JSAMPROW target = cmyk ? cmykRow.data() : reinterpret_cast<JSAMPROW>(row);
    if (jpeg_read_scanlines(&in, &target, 1) != 1) break;
    for (uint32_t x = 0; x < in.output_width; ++x) {
      if (!cmyk) {
        row[x] &= 0xFFFFFF;
        continue;
      }
      const uint8_t* k = &cmykRow[4 * size_t{x}];
      row[x] = Rgb(static_cast<uint8_t>(k[0] * k[3] / 255), static_cast<uint8_t>(k[1] * k[3] / 255),
                   static_cast<uint8_t>(k[2] * k[3] / 255));
    }
  }
  const bool whole = in.output_scanline == in.output_height && !errors.cutShort;
  if (whole) jpeg_finish_decompress(&in);
  jpeg_destroy_decompress(&in);
  if (!whole || errors.cutShort) return DecodedPicture::Failed(PictureError::Damaged);
  return out;
}

std::optional<std::vector<uint8_t>> EncodeJpeg(const Surface& pixels, int quality) {
  if (pixels.Width() <= 0 || pixels.Height() <= 0) return std::nullopt;
  std::vector<uint8_t> result;
  unsigned char* buffer = nullptr;
  unsigned long size = 0;
  ErrorManager errors;
  jpeg_compress_struct c;
  c.err = &Install(errors).pub;
  if (setjmp(errors.jump)) {
    jpeg_destroy_compress(&c);
    std::free(buffer);
    return std::nullopt;
  }
  jpeg_create_compress(&c);
  jpeg_mem_dest(&c, &buffer, &size);
  c.image_width = static_cast<JDIMENSION>(pixels.Width());
  c.image_height = static_cast<JDIMENSION>(pixels.Height());
  c.input_components = 4;
  c.in_color_space = JCS_EXT_BGRX;
  jpeg_set_defaults(&c);
  jpeg_set_quality(&c, quality, TRUE);
  jpeg_start_compress(&c, TRUE);
  while (c.next_scanline < c.image_height) {
    JSAMPROW row = const_cast<JSAMPROW>(
        reinterpret_cast<const uint8_t*>(pixels.Row(static_cast<int32_t>(c.next_scanline))));
    jpeg_write_scanlines(&c, &row, 1);
  }
  jpeg_finish_compress(&c);
  result.assign(buffer, buffer + size);
  jpeg_destroy_compress(&c);
  std::free(buffer);
  return result;
}

}  // namespace tl::codec
