#include <gtest/gtest.h>

#include <cstdint>

#include "stego/random_source.h"
#include "stego_test_support.h"

namespace hushlake {
namespace {

using testing_support::FakeClock;

// Known answers: six draws of RandomBelow(5) from state 0, with the state
// each leaves behind (the engine's published generator example).
struct Draw {
  std::uint32_t state;
  std::uint32_t result;
};
constexpr Draw DrawsFromZero[] = {{1u, 0},         {134775814u, 0},  {3698175007u, 4},
                                  {870078620u, 1}, {1172187917u, 1}, {2884733762u, 3}};

TEST(RandomSource, DrawsFromStateZero) {
  RandomSource random;
  random.SetState(0);
  for (const Draw& expected : DrawsFromZero) {
    EXPECT_EQ(random.Below(5), expected.result);
    EXPECT_EQ(random.State(), expected.state);
  }
}

TEST(RandomSource, ResultIsTheHighHalfOfTheScaledState) {
  RandomSource random({}, 0xFFFFFFFEu);  // next state 0xFFFFFFFE * m + 1
  const std::uint32_t next = 0xFFFFFFFEu * RandomMultiplier + 1u;
  EXPECT_EQ(random.Below(1000), static_cast<std::uint32_t>((std::uint64_t{1000} * next) >> 32));
  EXPECT_EQ(random.Below(1), 0u);
}

TEST(RandomSource, JumpEqualsThatManySingleSteps) {
  for (std::uint64_t steps : {0ull, 1ull, 2ull, 3ull, 12ull, 1000ull, 123457ull}) {
    RandomSource random({}, 0x12345678u);
    for (std::uint64_t i = 0; i < steps; ++i) random.Below(2);
    EXPECT_EQ(RandomJumpOf(steps)(0x12345678u), random.State()) << steps;
  }
  // The generator has full period 2^32: a jump of 2^32 is the identity.
  EXPECT_EQ(RandomJumpOf(1ull << 32)(77u), 77u);
}

TEST(RandomSource, TimeSeedMultipliesTheFirstTwoKeyCodesAndTheTime) {
  EXPECT_EQ(TimeSeedOf("AB9C", 3599), (65u + 3u) * (66u + 7u) * 3599u);
  EXPECT_EQ(TimeSeedOf("\xFF\xFF", 3599), 258u * 262u * 3599u);
  EXPECT_EQ(TimeSeedOf("A", 10), 68u * 7u * 10u);  // a missing character counts as 0
  EXPECT_EQ(TimeSeedOf("", 10), 3u * 7u * 10u);
  EXPECT_EQ(TimeSeedOf("AB", 0), 0u);

  FakeClock clock(1, 1234);
  clock.Random().SeedFromTime("0F");
  EXPECT_EQ(clock.Random().State(), (48u + 3u) * (70u + 7u) * 1234u);
}

TEST(RandomSource, ClockSeedTakesTheLowHalfOfTheCounter) {
  {
    FakeClock clock(0x1234567890ABCDEFull);
    clock.Random().SeedFromClock();
    EXPECT_EQ(clock.Random().State(), 0x90ABCDEFu);
  }
  {
    FakeClock clock(4242, 0, /*hasCounter=*/false);
    clock.Random().SeedFromClock();
    EXPECT_EQ(clock.Random().State(), 4242u);
  }
}

}  // namespace
}  // namespace hushlake
