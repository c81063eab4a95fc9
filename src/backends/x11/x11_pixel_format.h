#pragma once
// Our pixels (0x00RRGGBB in 32-bit units) in the layout of any true-colour
// visual, and back: 16-bit 565, 24 or 32 bits of 8-8-8, 30-bit 10-10-10,
// any other channel masks of up to 16 bits each, one to four bytes a
// pixel, either byte order (a server on a machine of the other order).
// Plain C++: the back end fills the format from what the server says.
#include <array>
#include <cstdint>
#include <vector>

namespace tl::x11 {

struct PixelFormat {
  int32_t bytesPerPixel = 4;
  uint32_t red = 0xFF0000, green = 0xFF00, blue = 0xFF;
  uint32_t fixed = 0;  // bits set in every pixel sent (a 32-bit visual's opaque alpha)
  bool msbFirst = false;
};

// Whether pixels of the format can be made: each mask one run of 1 to 16
// bits inside the pixel's bytes, none overlapping another.
bool Servable(const PixelFormat& f);

class PixelConverter {
 public:
  // The format must be Servable.
  explicit PixelConverter(const PixelFormat& f = {});

  // Our own layout: the pixels need no conversion, only the fixed bits.
  bool Ours() const { return ours_; }
  const PixelFormat& format() const { return f_; }

  // The visual's pixel value for one of our colours.
  uint32_t Pixel(uint32_t rgb) const;
  // `count` of our pixels into the visual's bytes, and back.
  void ToVisual(const uint32_t* from, uint8_t* to, int32_t count) const;
  void FromVisual(const uint8_t* from, uint32_t* to, int32_t count) const;

 private:
  struct Channel {
    int32_t shift = 0;
    uint32_t mask = 0;
    std::array<uint32_t, 256> place{};  // our 8 bits, in place in the pixel
    std::vector<uint8_t> back;           // the channel's value to our 8 bits
  };
  static Channel Make(uint32_t mask);

  PixelFormat f_;
  bool ours_ = false;
  Channel r_, g_, b_;
};

}  // namespace tl::x11
