#pragma once
// Plain references for the pixel, painting, rotation and magnification
// routines, written pixel by pixel from their formulas, with no regard for
// speed. Coordinates count from 1, y = 1 the bottom row; every floating-point
// step is one double operation in the formula's order, single precision
// where the routine holds a value in single precision, and the bilinear
// blend exact (quadruple precision holds each of its steps exactly, as the
// processor's extended precision does). Sine and cosine are the engine's.
#include <algorithm>
#include <bit>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <random>
#include <vector>

#include "picfx/routine_params.h"
#include "picfx/trig.h"

namespace tl::ref {

constexpr double kPi = 3.14159265358979323846;

// A block of three W x H planes.
struct Block {
  int32_t w = 0, h = 0;
  std::vector<uint8_t> bytes;

  Block(int32_t width, int32_t height)
      : w(width), h(height), bytes(size_t(width) * size_t(height) * 12) {}
  uint8_t& At(int p, int32_t x, int32_t y, int b) {
    return bytes[size_t(b) + 4 * (size_t(x - 1) + size_t(w) * (size_t(y - 1) + size_t(h) * (p - 1)))];
  }
  uint8_t At(int p, int32_t x, int32_t y, int b) const {
    return const_cast<Block*>(this)->At(p, x, y, b);
  }
  bool operator==(const Block&) const = default;
};

inline Block RandomBlock(int32_t w, int32_t h, uint32_t seed) {
  std::mt19937 gen(seed);
  Block b(w, h);
  for (auto& v : b.bytes) v = static_cast<uint8_t>(gen());
  return b;
}

inline RoutineParams Params(const Block& b, int32_t opcode, int32_t amount, int32_t colour) {
  RoutineParams p;
  p.width = b.w;
  p.height = b.h;
  p.opcode = opcode;
  p.amount = amount;
  p.colour = colour;
  return p;
}

inline double Round(double v) { return std::nearbyint(v); }  // default mode: ties to even
inline int Clamp(double v) { return v < 0 ? 0 : v > 255 ? 255 : static_cast<int>(v); }
inline bool Inside(double v, double lo, double hi) { return v >= lo && v <= hi; }

// The colour's channel for pixel byte b (0 blue, 1 green, 2 red).
inline int C(int32_t colour, int b) {
  const uint32_t c = static_cast<uint32_t>(colour);
  return b == 0 ? (c >> 16) & 0xFF : b == 1 ? (c >> 8) & 0xFF : c & 0xFF;
}
inline void Paint(Block& o, int p, int32_t x, int32_t y, int32_t colour) {
  for (int b = 0; b < 3; ++b) o.At(p, x, y, b) = static_cast<uint8_t>(C(colour, b));
}

// ---- PixelRoutine: reads plane 3, writes plane 2 --------------------------

inline Block Pixel(const Block& in, int32_t opcode, int32_t amount, int32_t colour,
                   const std::vector<float>& t = {}) {
  Block o = in;
  const int32_t W = in.w, H = in.h;
  const auto S = [&](int32_t x, int32_t y, int b) { return int{in.At(3, x, y, b)}; };
  auto D = [&](int32_t x, int32_t y, int b) -> uint8_t& { return o.At(2, x, y, b); };
  switch (opcode) {
    case 0:
      for (int32_t y = 1; y <= H; ++y)
        for (int32_t x = 1; x <= W; ++x)
          for (int b = 0; b < 4; ++b) {
            const bool inX = x >= 2 && x <= W - 1, inY = y >= 2 && y <= H - 1;
            if (amount == 1 && inX) D(x, y, b) = S(x - 1, y, b) / 2 + S(x + 1, y, b) / 2;
            if (amount == 2 && inY) D(x, y, b) = S(x, y - 1, b) / 2 + S(x, y + 1, b) / 2;
            if (amount == 4 && inX && inY)
              D(x, y, b) = S(x - 1, y - 1, b) / 4 + S(x + 1, y - 1, b) / 4 +
                           S(x - 1, y + 1, b) / 4 + S(x + 1, y + 1, b) / 4;
            if (amount == 8 && inX && inY) {
              int sum = 0;
              for (int dy = -1; dy <= 1; ++dy)
                for (int dx = -1; dx <= 1; ++dx)
                  if (dx != 0 || dy != 0) sum += S(x + dx, y + dy, b) / 8;
              D(x, y, b) = static_cast<uint8_t>(sum);
            }
          }
      break;
    case 1:
      for (int32_t y = 3; y <= H - 1; ++y)
        for (int32_t x = 3; x <= W - 1; ++x)
          for (int b = 0; b < 3; ++b) {
            int around = 0;
            for (int dy = -1; dy <= 1; ++dy)
              for (int dx = -1; dx <= 1; ++dx)
                if (dx != 0 || dy != 0) around += S(x + dx, y + dy, b);
            D(x, y, b) = static_cast<uint8_t>(Clamp(8 * S(x, y, b) - around + C(colour, b)));
          }
      break;
    case 2:
      for (int32_t y = 2; y <= H - 1; ++y)
        for (int32_t x = 2; x <= W - 1; ++x)
          for (int b = 0; b < 3; ++b)
            D(x, y, b) = static_cast<uint8_t>(
                std::min(255, std::abs(S(x, y, b) - S(x + 1, y + 1, b) - C(colour, b))));
      break;
    case 3:
      for (int32_t y = 1; y <= H; ++y) {
        const double ys = Round(t[size_t(y - 1)]);
        if (!Inside(ys, 1, H)) continue;  // rows whose entry is unusable keep their pixels
        for (int32_t x = 1; x <= W; ++x)
          for (int b = 0; b < 3; ++b) D(x, y, b) = static_cast<uint8_t>(S(x, int32_t(ys), b));
      }
      break;
    case 4:
      for (int32_t y = 2; y <= H - 1; ++y)
        for (int32_t x = 2; x <= W - 1; ++x)
          for (int b = 0; b < 3; ++b) {
            const int d = S(x, y + 1, b) + 2 * S(x + 1, y + 1, b) + S(x + 1, y, b) -
                          S(x - 1, y, b) - 2 * S(x - 1, y - 1, b) - S(x, y - 1, b);
            const double v = std::floor((S(x, y, b) + d) / 2.0) + 50;
            D(x, y, b) = static_cast<uint8_t>(v > 255 ? C(colour, b) : v < 0 ? 0 : v);
          }
      break;
    case 5: {
      const int32_t cx = W / 2, cy = H / 2;
      const double M = std::max(W, H);
      const double k = amount == 1 ? kPi / 2 : amount == 2 ? kPi : amount == 4 ? 3 * kPi / 2 : 2 * kPi;
      for (int32_t y = 1; y <= H; ++y)
        for (int32_t x = 1; x <= W; ++x) {
          const double r = std::sqrt(double(x - cx) * (x - cx) + double(y - cy) * (y - cy));
          const SinCosResult th = SinCos(k * r / M);
          const double xs = Round((x - cx) * th.cos - (y - cy) * th.sin + cx);
          const double ys = Round((x - cx) * th.sin + (y - cy) * th.cos + cy);
          if (xs <= 1 || xs >= W || ys <= 1 || ys >= H) {
            Paint(o, 2, x, y, colour);
          } else {
            for (int b = 0; b < 3; ++b) D(x, y, b) = static_cast<uint8_t>(S(int32_t(xs), int32_t(ys), b));
          }
        }
      break;
    }
    default: break;
  }
  return o;
}

// ---- ColorXRoutine: in place on plane 2 -------------------------------------

inline int32_t Reach(int32_t amount) {
  int32_t r = amount + 2 <= 0 ? 0 : (amount + 2) / 2;
  return r == 5 ? 4 : r;
}

inline void Blend(Block& o, int32_t x, int32_t y, double f, int32_t colour) {
  for (int b = 0; b < 3; ++b) {
    const double v = Round(f * o.At(2, x, y, b) + (1 - f) * C(colour, b));
    o.At(2, x, y, b) = static_cast<uint8_t>(v > 255 ? 255 : v < 0 ? 0 : v);
  }
}

inline bool Matches(const Block& o, int32_t x, int32_t y, int32_t colour) {
  return o.At(2, x, y, 0) * 65536 + o.At(2, x, y, 1) * 256 + o.At(2, x, y, 2) == colour;
}

inline Block ColorX(const Block& in, int32_t opcode, int32_t amount, int32_t colour, float a,
                    float b) {
  Block o = in;
  const int32_t W = in.w, H = in.h, A = amount;
  const double fa = a, fb = b;
  const int32_t R = Reach(amount);
  switch (opcode) {
    case 0: {
      const double x = std::min(Round(fa * W + 1), double(W)), y = std::min(Round(fb * H + 1), double(H));
      if (x >= 1 && y >= 1) Paint(o, 2, int32_t(x), int32_t(y), colour);
      break;
    }
    case 1:
      if (A > 0)
        for (int32_t y = H; y > 0; y -= A)
          for (int32_t x = 1; x <= W; ++x) Paint(o, 2, x, y, colour);
      break;
    case 2:
      if (A > 0)
        for (int32_t x = W; x > 0; x -= A)
          for (int32_t y = 1; y <= H; ++y) Paint(o, 2, x, y, colour);
      break;
    case 3:
      if (A > 0)
        for (int32_t y = H; y > 0; y -= A)
          for (int32_t x = W; x > 0; x -= A) Paint(o, 2, x, y, colour);
      break;
    case 4:
      for (int32_t y = R + 1; y <= H - R; ++y)
        for (int32_t x = R + 1; x <= W - R; ++x)
          if (Matches(o, x, y, colour))
            for (int32_t dy = -R; dy <= R; ++dy)
              for (int32_t dx = -R; dx <= R; ++dx)
                Blend(o, x + dx, y + dy, fa - fb * (R - std::max(std::abs(dx), std::abs(dy))), colour);
      break;
    case 5:
      for (int32_t y = 1; y <= H - R; ++y)
        for (int32_t x = 1; x <= W; ++x)
          if (Matches(o, x, y, colour))
            for (int32_t k = 1; k <= R; ++k) Blend(o, x, y + R + 1 - k, fa - k * fb, colour);
      break;
    case 6:
      for (int32_t y = R + 1; y <= H; ++y)
        for (int32_t x = 1; x <= W; ++x)
          if (Matches(o, x, y, colour))
            for (int32_t k = 1; k <= R; ++k) Blend(o, x, y - R - 1 + k, fa - k * fb, colour);
      break;
    case 7:
      for (int32_t y = 1; y <= H; ++y)
        for (int32_t x = R + 1; x <= W; ++x)
          if (Matches(o, x, y, colour))
            for (int32_t k = 1; k <= R; ++k) Blend(o, x - R - 1 + k, y, fa - k * fb, colour);
      break;
    case 8:
      for (int32_t y = 1; y <= H; ++y)
        for (int32_t x = 1; x <= W - R; ++x)
          if (Matches(o, x, y, colour))
            for (int32_t k = 1; k <= R; ++k) Blend(o, x + R + 1 - k, y, fa - k * fb, colour);
      break;
    default:
      for (int32_t r = 1; r <= 24 * A; ++r) {
        const double g = 2 - double(r) / (24 * A);
        for (int t = 359; t >= 1; --t) {
          const SinCosResult st = SinCos(t * kPi / 180);
          const double xp = Round(st.sin * r + fa), yp = Round(st.cos * r + (H - fb));
          if (!(Inside(xp, 1, W) && Inside(yp, 1, H))) continue;
          for (int c = 0; c < 3; ++c) {
            uint8_t& v = o.At(2, int32_t(xp), int32_t(yp), c);
            const double n = Round(v * g);
            v = static_cast<uint8_t>(n > 255 ? C(colour, c) : n);
          }
        }
      }
      break;
  }
  return o;
}

// ---- Rotation and magnification: plane 3 (or 1) into plane 2 ----------------

using Exact = __float128;

inline int RoundExact(Exact v) {  // v >= 0
  const auto whole = static_cast<int64_t>(v);
  const Exact rest = v - whole;
  if (rest > Exact(0.5) || (rest == Exact(0.5) && whole % 2 != 0)) return int(whole + 1);
  return int(whole);
}

// Samples source plane `from` at (fx, fy) into pixel (x, y) of plane 2.
inline void Sample(Block& o, const Block& in, int from, bool bilinear, int32_t x, int32_t y,
                   double fx, double fy, int32_t colour) {
  const int32_t W = in.w, H = in.h;
  if (!bilinear) {
    const double xs = Round(fx);
    if (!Inside(xs, 1, W)) return Paint(o, 2, x, y, colour);
    const double ys = Round(fy);
    if (!Inside(ys, 1, H)) return Paint(o, 2, x, y, colour);
    for (int b = 0; b < 3; ++b) o.At(2, x, y, b) = in.At(from, int32_t(xs), int32_t(ys), b);
    return;
  }
  const float sx = static_cast<float>(fx), sy = static_cast<float>(fy);
  const double xi = Round(double(sx) - 0.5), yi = Round(double(sy) - 0.5);
  if (!(xi >= 1 && xi < W && yi >= 1 && yi < H)) return Paint(o, 2, x, y, colour);
  const Exact wx = Exact(sx) - Exact(xi), wy = Exact(sy) - Exact(yi);
  const int32_t i = int32_t(xi), j = int32_t(yi);
  for (int b = 0; b < 3; ++b) {
    const Exact p00 = in.At(from, i, j, b), p10 = in.At(from, i + 1, j, b),
                p01 = in.At(from, i, j + 1, b), p11 = in.At(from, i + 1, j + 1, b);
    const Exact top = p00 + (p10 - p00) * wx;
    const Exact bottom = p01 + (p11 - p01) * wx;
    o.At(2, x, y, b) = static_cast<uint8_t>(std::clamp(RoundExact(top + (bottom - top) * wy), 0, 255));
  }
}

inline Block Rotate(const Block& in, int32_t opcode, int32_t colour, float a, float b, int32_t c) {
  Block o = in;
  if (opcode < 0 || opcode > 3) return o;
  const double cX = a, cY = in.h - double(b);
  const SinCosResult t = SinCos(c * kPi / 180);
  const double cs = static_cast<float>(t.cos), sn = static_cast<float>(t.sin);
  for (int32_t y = 1; y <= in.h; ++y)
    for (int32_t x = 1; x <= in.w; ++x) {
      const double fx = (x - cX) * cs - (y - cY) * sn + cX;
      const double fy = (y - cY) * cs + (x - cX) * sn + cY;
      Sample(o, in, opcode <= 1 ? 3 : 1, opcode % 2 == 1, x, y, fx, fy, colour);
    }
  return o;
}

inline Block Magnify(const Block& in, int32_t opcode, int32_t colour, float a, float b, int32_t c) {
  Block o = in;
  if (opcode != 0 && opcode != 1) return o;
  const double cX = a, cY = in.h - double(b);
  const double s = static_cast<float>(1 / (c / 10.0));
  for (int32_t y = 1; y <= in.h; ++y)
    for (int32_t x = 1; x <= in.w; ++x)
      Sample(o, in, 3, opcode == 1, x, y, (x - cX) * s + cX, (y - cY) * s + cY, colour);
  return o;
}

inline uint32_t Bits(float f) { return std::bit_cast<uint32_t>(f); }

// The routine under test on a copy of the block.
inline Block Run(RoutineFn routine, const Block& in, const RoutineParams& params, uint32_t a = 0,
                 uint32_t b = 0, uint32_t c = 0, std::span<const float> rows = {}) {
  Block out = in;
  RoutineCall call = CallOn(params, out.bytes, a, b, c);
  call.rowTable = rows;
  routine(call);
  return out;
}

}  // namespace tl::ref
