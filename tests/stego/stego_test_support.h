#pragma once
// Pictures and clocks for the engine's tests.
#include <cstdint>
#include <random>
#include <string>

#include "stego/picture.h"
#include "stego/random_source.h"
#include "tests/common/random_picture.h"

namespace hushlake::testing_support {

using test::PrintableText;
using test::RandomPicture;

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
