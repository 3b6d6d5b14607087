#pragma once
// Pictures and clocks for the engine's tests.
#include <cstdint>
#include <random>
#include <string>

#include "stego/picture.h"
#include "stego/random_source.h"

namespace hushlake::testing_support {

// Every byte random; 8-bit pictures get a random palette (distinct in practice).
inline Picture RandomPicture(int width, int height, PixelFormat format, std::uint32_t seed) {
  Picture picture(width, height, format);
  std::mt19937 generator(seed);
  for (std::uint8_t& byte : picture.Pixels()) byte = static_cast<std::uint8_t>(generator());
  if (format == PixelFormat::Indexed8) {
    Palette palette{};
    for (PaletteEntry& entry : palette)
      entry = {static_cast<std::uint8_t>(generator()), static_cast<std::uint8_t>(generator()),
               static_cast<std::uint8_t>(generator()), 0};
    picture.SetPalette(palette);
  }
  return picture;
}

// Printable text of the given length (what a cipher text looks like).
inline std::string PrintableText(std::size_t length, std::uint32_t seed) {
  std::mt19937 generator(seed);
  std::string text(length, ' ');
  for (char& c : text) c = static_cast<char>(33 + generator() % 94);
  return text;
}

// A deterministic clock: the counter advances by one on every reading, and
// the time of day stands still. Random() is a random source seeded by it.
class FakeClock {
 public:
  explicit FakeClock(std::uint64_t counter = 1000, int secondsIntoHour = 1234,
                     bool hasCounter = true)
      : counter_(counter), random_(Clock(hasCounter, secondsIntoHour)) {}
  FakeClock(const FakeClock&) = delete;
  FakeClock& operator=(const FakeClock&) = delete;
  RandomSource& Random() { return random_; }

 private:
  EngineClock Clock(bool hasCounter, int secondsIntoHour) {
    auto* state = &counter_;
    EngineClock clock;
    if (hasCounter)
      clock.performanceCounter = [state]() -> std::optional<std::uint64_t> { return (*state)++; };
    else
      clock.performanceCounter = []() -> std::optional<std::uint64_t> { return std::nullopt; };
    clock.millisecondsSinceStart = [state] { return static_cast<std::uint32_t>((*state)++); };
    clock.secondsIntoHour = [secondsIntoHour] { return secondsIntoHour; };
    return clock;
  }

  std::uint64_t counter_;
  RandomSource random_;
};

}  // namespace hushlake::testing_support
