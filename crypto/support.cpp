#include "crypto/support.h"

#include <chrono>
#include <cstring>

#if defined(__x86_64__) || defined(__i386__)
#include <cpuid.h>
#endif

namespace hushlake {

void XorBuffers(const void* a, const void* b, int count, void* dest) {
  if (count <= 0) return;
  auto* pa = static_cast<const std::uint8_t*>(a);
  auto* pb = static_cast<const std::uint8_t*>(b);
  auto* pd = static_cast<std::uint8_t*>(dest);
  int i = 0;
  for (; i + 8 <= count; i += 8) {
    std::uint64_t x, y;
    std::memcpy(&x, pa + i, 8);
    std::memcpy(&y, pb + i, 8);
    x ^= y;
    std::memcpy(pd + i, &x, 8);
  }
  for (; i < count; ++i) pd[i] = static_cast<std::uint8_t>(pa[i] ^ pb[i]);
}

std::uint32_t ScrambleWithSeed(std::uint32_t seed, void* buffer, int size) {
  if (buffer == nullptr || size <= 0) return seed;
  auto* p = static_cast<std::uint8_t*>(buffer);
  for (int i = 0; i < size; ++i) {
    seed = (seed & 0xFFFFFF00u) | ((seed ^ p[i]) & 0xFFu);
    seed = seed * 134775813u + 1u;
    p[i] = static_cast<std::uint8_t>(seed >> 24);
  }
  return seed;
}

SeedClock SystemSeedClock() {
  SeedClock clock;
  clock.millisecondsSinceMidnightUtc = [] {
    using namespace std::chrono;
    const auto now = system_clock::now();
    const auto sinceMidnight = now - floor<days>(now);
    return static_cast<std::uint32_t>(duration_cast<milliseconds>(sinceMidnight).count());
  };
  clock.performanceCounter = [] {
    return static_cast<std::uint64_t>(std::chrono::steady_clock::now().time_since_epoch().count());
  };
  return clock;
}

std::uint32_t TimeSeed(const SeedClock& clock) {
  const std::uint64_t counter = clock.performanceCounter();
  return clock.millisecondsSinceMidnightUtc() ^ static_cast<std::uint32_t>(counter) ^
         static_cast<std::uint32_t>(counter >> 32);
}

std::uint32_t TimeSeed() {
  static const SeedClock system = SystemSeedClock();
  return TimeSeed(system);
}

std::uint32_t Crc32Update(std::uint32_t crc, const void* data, int size) {
  if (data == nullptr || size <= 0) return crc;
  auto* p = static_cast<const std::uint8_t*>(data);
  for (int i = 0; i < size; ++i) crc = (crc >> 8) ^ Crc32Table[(crc ^ p[i]) & 0xFF];
  return crc;
}

std::uint32_t Crc16Update(std::uint32_t crc, const void* data, int size) {
  if (data == nullptr || size <= 0) return crc;
  auto* p = static_cast<const std::uint8_t*>(data);
  std::uint32_t low = crc & 0xFFFF;
  for (int i = 0; i < size; ++i) low = (low >> 8) ^ Crc16Table[(low ^ p[i]) & 0xFF];
  return (crc & 0xFFFF0000u) | (low & 0xFFFF);
}

void ByteSwap32Array(const std::uint32_t* source, std::uint32_t* dest, int count) {
  for (int i = count - 1; i >= 0; --i) dest[i] = ByteSwap32(source[i]);
}

int CompareBytes(const void* p1, const void* p2, int size) {
  auto* a = static_cast<const std::uint8_t*>(p1);
  auto* b = static_cast<const std::uint8_t*>(p2);
  for (int i = 0; i < size; ++i)
    if (a[i] != b[i]) return int{a[i]} - int{b[i]};
  return 0;
}

int CpuClass() {
  static const int cpuClass = [] {
#if defined(__x86_64__) || defined(__i386__)
    unsigned eax = 0, ebx = 0, ecx = 0, edx = 0;
    if (__get_cpuid(1, &eax, &ebx, &ecx, &edx)) return static_cast<int>((eax >> 8) & 0xF);
#endif
    // Every processor we build for can toggle both flags; 6 is a modern family.
    return 6;
  }();
  return cpuClass;
}

}  // namespace hushlake
