#include <gtest/gtest.h>

#include <array>
#include <cstdint>
#include <cstring>
#include <string>

#include "crypto/secure_wipe.h"
#include "crypto/support.h"

namespace hushlake {
namespace {

TEST(Crc, CheckValuesOf123456789) {
  const std::string check = "123456789";
  EXPECT_EQ(Crc32Update(0xFFFFFFFFu, check.data(), 9) ^ 0xFFFFFFFFu, 0xCBF43926u);
  EXPECT_EQ(Crc16Update(0, check.data(), 9) & 0xFFFF, 0xBB3Du);
  EXPECT_EQ(Crc32Table[1], 0x77073096u);
  EXPECT_EQ(Crc16Table[1], 0xC0C1u);
}

TEST(Crc, Crc16KeepsTheHighHalfAndIgnoresEmptyInput) {
  const std::string check = "123456789";
  EXPECT_EQ(Crc16Update(0xABCD0000u, check.data(), 9), 0xABCDBB3Du);
  EXPECT_EQ(Crc32Update(0x1234u, nullptr, 5), 0x1234u);
  EXPECT_EQ(Crc32Update(0x1234u, check.data(), -1), 0x1234u);
}

TEST(ScrambleWithSeed, FollowsTheSeedSequence) {
  std::uint8_t untouched = 0x77;
  EXPECT_EQ(ScrambleWithSeed(42, &untouched, 0), 42u);
  EXPECT_EQ(untouched, 0x77);

  std::uint8_t zero = 0;
  EXPECT_EQ(ScrambleWithSeed(0, &zero, 1), 1u);
  EXPECT_EQ(zero, 0);

  // Two bytes by hand: the low seed byte takes the data byte in, then the LCG step.
  std::array<std::uint8_t, 2> bytes = {0x10, 0x20};
  std::uint32_t seed = 0x12345678u;
  std::uint32_t expected = seed;
  std::array<std::uint8_t, 2> expectedBytes{};
  for (int i = 0; i < 2; ++i) {
    expected = (expected & 0xFFFFFF00u) | ((expected ^ bytes[i]) & 0xFF);
    expected = expected * 0x08088405u + 1;
    expectedBytes[i] = static_cast<std::uint8_t>(expected >> 24);
  }
  EXPECT_EQ(ScrambleWithSeed(seed, bytes.data(), 2), expected);
  EXPECT_EQ(bytes, expectedBytes);
}

TEST(TimeSeed, CombinesTheInjectedClockAndCounter) {
  const SeedClock fixed{[] { return 0x01020304u; },
                        [] { return std::uint64_t{0x1111111122222222u}; }};
  EXPECT_EQ(TimeSeed(fixed), 0x01020304u ^ 0x22222222u ^ 0x11111111u);
  const std::uint32_t msOfDay = SystemSeedClock().millisecondsSinceMidnightUtc();
  EXPECT_LT(msOfDay, 24u * 60 * 60 * 1000);
}

TEST(BitsAndBytes, SwapsReversalsAndRotations) {
  EXPECT_EQ(ByteSwap32(0x11223344u), 0x44332211u);
  EXPECT_EQ(ReverseBits32(1), 0x80000000u);
  EXPECT_EQ(ReverseBits32(0x12345678u), 0x1E6A2C48u);
  EXPECT_EQ(RotateLeft32(0x80000001u, 1), 0x00000003u);
  EXPECT_EQ(RotateLeft32(0x12345678u, 36), RotateLeft32(0x12345678u, 4));
  EXPECT_EQ(RotateRight32(0x00000003u, 1), 0x80000001u);
  EXPECT_EQ(RotateLeftAdd(0x80000000u, 5, 1), 6u);

  std::array<std::uint32_t, 3> words = {0x11223344u, 0xAABBCCDDu, 0x01020304u};
  ByteSwap32Array(words.data(), words.data(), 3);
  EXPECT_EQ(words, (std::array<std::uint32_t, 3>{0x44332211u, 0xDDCCBBAAu, 0x04030201u}));
}

TEST(XorBuffers, WorksInPlaceAndOnOddLengths) {
  std::array<std::uint8_t, 19> a{}, b{}, expected{};
  for (int i = 0; i < 19; ++i) {
    a[i] = static_cast<std::uint8_t>(i * 7);
    b[i] = static_cast<std::uint8_t>(0xF0 - i);
    expected[i] = static_cast<std::uint8_t>(a[i] ^ b[i]);
  }
  XorBuffers(a.data(), b.data(), 19, a.data());
  EXPECT_EQ(a, expected);
  XorBuffers(a.data(), b.data(), 0, a.data());
  EXPECT_EQ(a, expected);
}

TEST(CompareBytes, GivesTheUnsignedDifferenceOfTheFirstMismatch) {
  const std::uint8_t x[] = {1, 2, 200};
  const std::uint8_t y[] = {1, 2, 10};
  EXPECT_EQ(CompareBytes(x, x, 3), 0);
  EXPECT_EQ(CompareBytes(x, y, 3), 190);
  EXPECT_EQ(CompareBytes(y, x, 3), -190);
  EXPECT_EQ(CompareBytes(x, y, 2), 0);
}

TEST(TestInputConstant, IsTheCommonReferenceInput) {
  EXPECT_EQ(TestInput.front(), 0x30);
  EXPECT_EQ(TestInput[16], 0xCB);
  EXPECT_EQ(TestInput.back(), 0xB1);
}

TEST(CpuClassCheck, IsAtLeastThree) { EXPECT_GE(CpuClass(), 3); }

TEST(SecureWipe, ScrubsAndWipesReallyZero) {
  std::array<std::uint8_t, 64> secret{};
  secret.fill(0x5A);
  ScrubBytes(secret.data(), secret.size(), 0x00);
  for (auto byte : secret) EXPECT_EQ(byte, 0);
  ScrubBytes(secret.data(), secret.size(), 0xFF);
  for (auto byte : secret) EXPECT_EQ(byte, 0xFF);

  std::string key = "a key that must not stay in memory";
  ScrubString(key);
  EXPECT_TRUE(key.empty());
}

constexpr std::size_t LeftBytes = 12 * 1024;

// Fills a local buffer and returns where it lay: a frame that has returned,
// as a function that handled a key leaves it.
__attribute__((noinline)) std::uintptr_t LeaveOnStack(std::uint8_t pattern) {
  std::uint8_t buffer[LeftBytes];
  std::memset(buffer, pattern, sizeof buffer);
  __asm__ __volatile__("" : : "r"(buffer) : "memory");
  return reinterpret_cast<std::uintptr_t>(buffer);
}

std::size_t CountLeft(std::uintptr_t at, std::uint8_t pattern) {
  // The frame's edges may hold ScrubStack's own saved registers afterwards.
  const auto* bytes = reinterpret_cast<const volatile std::uint8_t*>(at);
  std::size_t count = 0;
  for (std::size_t i = 256; i < LeftBytes - 256; ++i) count += bytes[i] == pattern;
  return count;
}

TEST(ScrubStack, ClearsWhatAReturnedFrameLeftBehind) {
  constexpr std::uint8_t Pattern = 0xC7;
  const std::uintptr_t at = LeaveOnStack(Pattern);
  ASSERT_GT(CountLeft(at, Pattern), LeftBytes / 2) << "the buffer did not stay where it lay";
  ScrubStack();
  EXPECT_EQ(CountLeft(at, Pattern), 0u);
}

TEST(SecureStorage, ExposesItsBytesForScrubbing) {
  struct Schedule {
    std::uint32_t words[4];
  };
  SecureStorage<Schedule> schedule;
  schedule->words[2] = 0xDEADBEEF;
  auto bytes = schedule.Bytes();
  ASSERT_EQ(bytes.size(), sizeof(Schedule));
  ScrubBytes(bytes.data(), bytes.size(), 0);
  EXPECT_EQ(schedule->words[2], 0u);
}

}  // namespace
}  // namespace hushlake
