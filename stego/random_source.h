#pragma once
// The engine's pseudo-random source: one linear congruential generator with a
// 32-bit state, and the clocks that seed it. Nothing that decides where or how
// a symbol is stored depends on it; it only adds noise and unsettles palette
// duplicates, so a reader never needs its state. Each front end owns its own
// source and hands it to the engines it runs, so two windows (or two threads)
// never draw from each other's generator.
#include <cstdint>
#include <functional>
#include <optional>
#include <string_view>

namespace hushlake {

inline constexpr std::uint32_t RandomMultiplier = 134775813u;  // 0x08088405
inline constexpr std::uint32_t RandomIncrement = 1u;

// The map state -> multiplier * state + increment (mod 2^32); composing them
// jumps the generator ahead, so independent draw streams can run side by side.
struct RandomJump {
  std::uint32_t multiplier = 1;
  std::uint32_t increment = 0;
  constexpr std::uint32_t operator()(std::uint32_t state) const {
    return multiplier * state + increment;
  }
};
// The jump over Steps advances of the generator.
RandomJump RandomJumpOf(std::uint64_t steps);

// The clock sources behind the seeds; replaceable so tests get fixed values.
struct EngineClock {
  // The high-resolution performance counter, when the platform has one.
  std::function<std::optional<std::uint64_t>()> performanceCounter;
  std::function<std::uint32_t()> millisecondsSinceStart;
  // Minutes * 60 + seconds of the local time of day (0 .. 3599).
  std::function<int()> secondsIntoHour;
};
EngineClock SystemEngineClock();

// (c1 + 3) * (c2 + 7) * T in wrapping 32-bit arithmetic: c1, c2 are the codes
// of the key's first two characters (a missing one counts as 0) and T the
// seconds into the current hour of local time.
std::uint32_t TimeSeedOf(std::string_view key, int secondsIntoHour);

class RandomSource {
 public:
  // Parts of Clock left empty are the system's.
  explicit RandomSource(EngineClock clock = SystemEngineClock(), std::uint32_t state = 0);

  std::uint32_t State() const { return state_; }
  void SetState(std::uint32_t state) { state_ = state; }

  // Advances the state, then scales it to 0 .. n - 1 (n >= 1): the high half
  // of the 64-bit product n * state.
  std::uint32_t Below(std::uint32_t n) {
    state_ = state_ * RandomMultiplier + RandomIncrement;
    return static_cast<std::uint32_t>((std::uint64_t{n} * state_) >> 32);
  }

  // State := low 32 bits of the performance counter, or the milliseconds
  // since start when there is no such counter.
  void SeedFromClock();
  void SeedFromTime(std::string_view key);

 private:
  EngineClock clock_;
  std::uint32_t state_;
};

}  // namespace hushlake
