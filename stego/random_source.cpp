#include "stego/random_source.h"

#include <chrono>
#include <ctime>
#include <utility>

namespace hushlake {

namespace detail {
std::uint32_t randomSeed = 0;
}  // namespace detail

RandomJump RandomJumpOf(std::uint64_t steps) {
  RandomJump result;                                    // identity
  RandomJump power{RandomMultiplier, RandomIncrement};  // one step
  while (steps != 0) {
    if (steps & 1u) result = {power.multiplier * result.multiplier, power(result.increment)};
    power = {power.multiplier * power.multiplier, power(power.increment)};
    steps >>= 1;
  }
  return result;
}

namespace {

std::uint32_t SystemMillisecondsSinceStart() {
  timespec now{};
  clock_gettime(CLOCK_MONOTONIC, &now);
  return static_cast<std::uint32_t>(static_cast<std::uint64_t>(now.tv_sec) * 1000u +
                                    static_cast<std::uint64_t>(now.tv_nsec) / 1000000u);
}

std::optional<std::uint64_t> SystemPerformanceCounter() {
  return static_cast<std::uint64_t>(std::chrono::steady_clock::now().time_since_epoch().count());
}

int SystemSecondsIntoHour() {
  const std::time_t now = std::time(nullptr);
  std::tm local{};
  localtime_r(&now, &local);
  return local.tm_min * 60 + local.tm_sec % 60;
}

EngineClock& CurrentClock() {
  static EngineClock clock = SystemEngineClock();
  return clock;
}

}  // namespace

EngineClock SystemEngineClock() {
  return {SystemPerformanceCounter, SystemMillisecondsSinceStart, SystemSecondsIntoHour};
}

void SetEngineClock(EngineClock clock) {
  const EngineClock system = SystemEngineClock();
  if (!clock.performanceCounter) clock.performanceCounter = system.performanceCounter;
  if (!clock.millisecondsSinceStart) clock.millisecondsSinceStart = system.millisecondsSinceStart;
  if (!clock.secondsIntoHour) clock.secondsIntoHour = system.secondsIntoHour;
  CurrentClock() = std::move(clock);
}

void SeedFromClock() {
  EngineClock& clock = CurrentClock();
  const std::optional<std::uint64_t> counter = clock.performanceCounter();
  SetRandomSeed(counter ? static_cast<std::uint32_t>(*counter) : clock.millisecondsSinceStart());
}

std::uint32_t TimeSeedOf(std::string_view key, int secondsIntoHour) {
  const auto code = [&](std::size_t i) -> std::uint32_t {
    return i < key.size() ? static_cast<std::uint8_t>(key[i]) : 0u;
  };
  return (code(0) + 3u) * (code(1) + 7u) * static_cast<std::uint32_t>(secondsIntoHour);
}

void SeedFromTime(std::string_view key) {
  SetRandomSeed(TimeSeedOf(key, CurrentClock().secondsIntoHour()));
}

}  // namespace hushlake
