#pragma once
// Constructed pictures for the detectors' tests: a photograph-like cover
// (smooth shapes plus sensor-like noise), plain low-bit replacement at a
// known rate, and a JPEG compression and decompression of our own.
#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <numbers>
#include <random>

#include "stego/picture.h"

namespace hushlake::testing {

// Noise of about the given standard deviation (a sum of uniforms: the same
// numbers on every standard library).
class SmallNoise {
 public:
  explicit SmallNoise(std::uint32_t seed) : engine_(seed) {}
  double Next(double deviation) {
    double sum = 0.0;
    for (int i = 0; i < 12; ++i) sum += static_cast<double>(engine_()) / 4294967296.0;
    return (sum - 6.0) * deviation;
  }
  std::uint32_t Bits() { return static_cast<std::uint32_t>(engine_()); }

 private:
  std::mt19937 engine_;
};

inline std::uint8_t ClampByte(double value) {
  return static_cast<std::uint8_t>(std::clamp(std::lround(value), 0L, 255L));
}

// Smooth shapes in each channel with noise of deviation Noise on every sample.
inline Picture PhotoLike(int width, int height, std::uint32_t seed, double noise = 2.5) {
  Picture picture(width, height, PixelFormat::Bgr24);
  SmallNoise random(seed);
  for (int y = 0; y < height; ++y) {
    std::uint8_t* row = picture.Row(y);
    for (int x = 0; x < width; ++x)
      for (int c = 0; c < 3; ++c) {
        const double shape = 120.0 + 50.0 * std::sin(x / (41.0 + 4 * c)) * std::cos(y / 53.0) +
                             35.0 * std::sin((x + 2.0 * y) / (97.0 + c));
        row[x * 3 + c] = ClampByte(shape + random.Next(noise));
      }
  }
  return picture;
}

// Replaces each colour byte's low bit with a random bit with chance Rate.
inline void ReplaceLowBits(Picture& picture, double rate, std::uint32_t seed) {
  SmallNoise random(seed);
  const auto limit = static_cast<std::uint32_t>(rate * 4294967295.0);
  const int step = picture.BytesPerPixel();
  for (int y = 0; y < picture.Height(); ++y) {
    std::uint8_t* row = picture.Row(y);
    for (int x = 0; x < picture.Width(); ++x)
      for (int c = 0; c < std::min(step, 3); ++c) {
        if (rate < 1.0 && random.Bits() > limit) continue;
        std::uint8_t& byte = row[x * step + c];
        byte = static_cast<std::uint8_t>((byte & 0xFE) | (random.Bits() & 1));
      }
  }
}

// The grey levels of Cover (its green channel) compressed as a JPEG of the
// given quality with the standard brightness table and decompressed again,
// as a grey 24-bit picture.
inline Picture JpegRoundTrip(const Picture& cover, int quality) {
  static constexpr std::array<int, 64> table = {
      16, 11, 10, 16, 24,  40,  51,  61,  12, 12, 14, 19, 26,  58,  60,  55,
      14, 13, 16, 24, 40,  57,  69,  56,  14, 17, 22, 29, 51,  87,  80,  62,
      18, 22, 37, 56, 68,  109, 103, 77,  24, 35, 55, 64, 81,  104, 113, 92,
      49, 64, 78, 87, 103, 121, 120, 101, 72, 92, 95, 98, 112, 100, 103, 99};
  const int scale = quality < 50 ? 5000 / quality : 200 - 2 * quality;
  std::array<double, 64> basis{};
  for (int u = 0; u < 8; ++u)
    for (int x = 0; x < 8; ++x)
      basis[u * 8 + x] =
          (u == 0 ? std::sqrt(0.125) : 0.5) * std::cos((2 * x + 1) * u * std::numbers::pi / 16);
  Picture out(cover.Width(), cover.Height(), PixelFormat::Bgr24);
  for (int by = 0; by + 8 <= cover.Height(); by += 8)
    for (int bx = 0; bx + 8 <= cover.Width(); bx += 8) {
      std::array<double, 64> coefficients{};
      for (int v = 0; v < 8; ++v)
        for (int u = 0; u < 8; ++u) {
          double sum = 0.0;
          for (int y = 0; y < 8; ++y)
            for (int x = 0; x < 8; ++x)
              sum += basis[v * 8 + y] * basis[u * 8 + x] *
                     (cover.Row(by + y)[(bx + x) * 3 + 1] - 128.0);
          const int step = std::clamp((table[v * 8 + u] * scale + 50) / 100, 1, 255);
          coefficients[v * 8 + u] = step * std::round(sum / step);
        }
      for (int y = 0; y < 8; ++y)
        for (int x = 0; x < 8; ++x) {
          double sum = 0.0;
          for (int v = 0; v < 8; ++v)
            for (int u = 0; u < 8; ++u)
              sum += basis[v * 8 + y] * basis[u * 8 + x] * coefficients[v * 8 + u];
          const std::uint8_t level = ClampByte(sum + 128.0);
          std::uint8_t* pixel = out.Row(by + y) + (bx + x) * 3;
          pixel[0] = pixel[1] = pixel[2] = level;
        }
    }
  return out;
}

}  // namespace hushlake::testing
