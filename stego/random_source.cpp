#include "stego/random_source.h"

#include <chrono>
#include <ctime>
#include <utility>

namespace hushlake {

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

}  // namespace

EngineClock SystemEngineClock() {
  return {SystemPerformanceCounter, SystemMillisecondsSinceStart, SystemSecondsIntoHour};
}

RandomSource::RandomSource(EngineClock clock, std::uint32_t state)
    : clock_(std::move(clock)), state_(state) {
  const EngineClock system = SystemEngineClock();
  if (!clock_.performanceCounter) clock_.performanceCounter = system.performanceCounter;
  if (!clock_.millisecondsSinceStart) clock_.millisecondsSinceStart = system.millisecondsSinceStart;
  if (!clock_.secondsIntoHour) clock_.secondsIntoHour = system.secondsIntoHour;
}

void RandomSource::SeedFromClock() {
  const std::optional<std::uint64_t> counter = clock_.performanceCounter();
  state_ = counter ? static_cast<std::uint32_t>(*counter) : clock_.millisecondsSinceStart();
}

std::uint32_t TimeSeedOf(std::string_view key, int secondsIntoHour) {
  const auto code = [&](std::size_t i) -> std::uint32_t {
    return i < key.size() ? static_cast<std::uint8_t>(key[i]) : 0u;
  };
  return (code(0) + 3u) * (code(1) + 7u) * static_cast<std::uint32_t>(secondsIntoHour);
}

void RandomSource::SeedFromTime(std::string_view key) {
  state_ = TimeSeedOf(key, clock_.secondsIntoHour());
}

}  // namespace hushlake
