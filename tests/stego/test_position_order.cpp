#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "stego/position_order.h"
#include "stego_reference.h"
#include "tests/common/case_names.h"

namespace hushlake {
namespace {

// A key whose codes, all but the last, add up to 1000: ten times 'd' (100).
const std::string KeySum1000 = std::string(10, 'd') + "x";

TEST(StepTable, PrimesThenTheRepeatedSmallSteps) {
  std::vector<std::uint32_t> primes;
  for (std::uint32_t n = 2; n < 1000; ++n)
    if (std::none_of(primes.begin(), primes.end(), [n](std::uint32_t p) { return n % p == 0; }))
      primes.push_back(n);
  ASSERT_EQ(primes.size(), 168u);
  EXPECT_TRUE(std::equal(primes.begin(), primes.end(), StepTable.begin()));
  const std::uint32_t tail[10] = {7, 11, 29, 31, 17, 3, 5, 19, 23, 13};
  for (std::size_t i = 168; i < StepTableSize; ++i) EXPECT_EQ(StepTable[i], tail[(i - 168) % 10]);
  EXPECT_EQ(StepTable[27], 107u);
}

// Known answers: the worked position lists for a 24 x 24 picture and a key
// with key sum 1000 (K = 1003, r = 27), one per column step.
struct WorkedOrder {
  const char* name;
  int columnStep;
  std::int64_t count;
  std::uint32_t firstStep;
  std::uint32_t secondStep;
  std::vector<std::int64_t> firstPositions;
};

void PrintTo(const WorkedOrder& o, std::ostream* out) { *out << o.name; }

class WorkedOrders : public ::testing::TestWithParam<WorkedOrder> {};

TEST_P(WorkedOrders, MatchTheKnownLists) {
  const WorkedOrder& expected = GetParam();
  const PositionOrder order(24, 24, expected.columnStep, KeySum1000);
  EXPECT_EQ(KeySum(KeySum1000), 1003u);
  EXPECT_EQ(order.Count(), expected.count);
  EXPECT_EQ(order.FirstStep(), expected.firstStep);
  EXPECT_EQ(order.SecondStep(), expected.secondStep);
  PositionOrder::Cursor cursor = order.Begin();
  for (std::size_t k = 0; k < expected.firstPositions.size(); ++k, ++cursor) {
    EXPECT_EQ(order.PositionAt(static_cast<std::int64_t>(k)), expected.firstPositions[k]);
    const PixelPosition position = *cursor;
    EXPECT_EQ(position.row * 24 + position.column, expected.firstPositions[k]);
  }
}

INSTANTIATE_TEST_SUITE_P(
    Known, WorkedOrders,
    ::testing::Values(WorkedOrder{"Palette", 3, 167, 107, 13, {3, 189, 378, 567, 183, 372}},
                      WorkedOrder{"TrueColor", 2, 263, 107, 13, {2, 166, 332, 498, 90, 256}}),
    [](const auto& param) { return std::string(param.param.name); });

TEST(PositionOrder, PrimeCountSkipsOnlyItself) {
  // 8-bit 24 x 24: N = 167 is prime; table entry 38 is 167 itself.
  std::string key(1, static_cast<char>(38 - 3 + 61));  // K = 99, r = 38
  key += 'z';
  const PositionOrder order(24, 24, 3, key);
  EXPECT_EQ(StepTable[38], 167u);
  EXPECT_EQ(order.FirstStep(), StepTable[39]);
  EXPECT_EQ(order.SecondStep(), 13u);
}

TEST(PositionOrder, TheLastKeyCharacterDoesNotMove) {
  const PositionOrder a(64, 40, 2, "abcdefgh1");
  const PositionOrder b(64, 40, 2, "abcdefgh~");
  for (std::int64_t k = 0; k < a.Count(); ++k) ASSERT_EQ(a.PositionAt(k), b.PositionAt(k));
}

TEST(PositionOrder, TooSmallPicturesGiveNoPosition) {
  EXPECT_EQ(PositionOrder(2, 100, 2, "key").Count(), 0);
  EXPECT_EQ(PositionOrder(3, 100, 3, "key").Count(), 0);
  EXPECT_EQ(PositionOrder(100, 0, 2, "key").Count(), 0);
  EXPECT_EQ(PositionOrder(0, 0, 3, "").Count(), 0);
  EXPECT_EQ(PositionOrder(4, 1, 2, "key").Count(), 0);  // one grid entry, then the last removed
  const PositionOrder one(4, 2, 2, "key");
  ASSERT_EQ(one.Count(), 1);
  EXPECT_EQ(one.PositionAt(0), 2);
}

// Fast order (random access and cursor) against the two materialised passes.
struct OrderCase {
  int width;
  int height;
  int columnStep;
  std::string key;
};

void PrintTo(const OrderCase& c, std::ostream* out) {
  *out << c.width << "x" << c.height << "_Step" << c.columnStep << "_Key" << c.key.size()
       << "Chars";
}

class FastOrder : public ::testing::TestWithParam<OrderCase> {};

TEST_P(FastOrder, EqualsTheReferencePasses) {
  const OrderCase& c = GetParam();
  const std::vector<std::int64_t> expected =
      reference::PositionList(c.width, c.height, c.columnStep, c.key);
  const PositionOrder order(c.width, c.height, c.columnStep, c.key);
  ASSERT_EQ(order.Count(), static_cast<std::int64_t>(expected.size()));
  PositionOrder::Cursor cursor = order.Begin();
  for (std::int64_t k = 0; k < order.Count(); ++k, ++cursor) {
    const PixelPosition position = *cursor;
    ASSERT_EQ(position.row * c.width + position.column, expected[k]) << "k = " << k;
    ASSERT_EQ(order.PositionAt(k), expected[k]);
  }
  if (order.Count() > 0) {
    const std::int64_t middle = order.Count() / 2;
    PositionOrder::Cursor resumed = order.Begin(middle);
    const PixelPosition position = *resumed;
    EXPECT_EQ(position.row * c.width + position.column, expected[middle]);
  }
  // Every grid entry exactly once.
  std::vector<std::int64_t> sorted = expected;
  std::sort(sorted.begin(), sorted.end());
  EXPECT_EQ(std::adjacent_find(sorted.begin(), sorted.end()), sorted.end());
}

INSTANTIATE_TEST_SUITE_P(
    Sizes, FastOrder,
    ::testing::Values(OrderCase{24, 24, 2, "0123456789ABCDEF"}, OrderCase{24, 24, 3, "secret key"},
                      OrderCase{25, 23, 3, "secret key"}, OrderCase{6, 2, 2, "k"},
                      OrderCase{100, 50, 2, ""}, OrderCase{100, 50, 3, "palette-key"},
                      OrderCase{318, 211, 2, "DEADBEEF01234567"},
                      OrderCase{1024, 768, 3, "zzzzzzzzzzzzzzzzzzz"},
                      // N = 239399: beyond the old 16-bit quotient for the steps 2 and 3.
                      OrderCase{800, 600, 2, std::string(1, '\x3a') + "x"},
                      OrderCase{800, 600, 2, "0123456789ABCDEF"}),
    test::ByPrintedParam());

TEST(PositionOrder, LargePicturesSearchTheFirstStepFromR) {
  // 24-bit 800 x 600: N = 600 * 399 - 1 = 239399 (odd, not a
  // multiple of 3); a key with r = 0 takes the step 2, r = 1 the step 3.
  const std::string rZero = std::string(1, static_cast<char>(58)) + "x";  // K = 61
  const std::string rOne = std::string(1, static_cast<char>(59)) + "x";   // K = 62
  EXPECT_EQ(PositionOrder(800, 600, 2, rZero).Count(), 239399);
  EXPECT_EQ(PositionOrder(800, 600, 2, rZero).FirstStep(), 2u);
  EXPECT_EQ(PositionOrder(800, 600, 2, rOne).FirstStep(), 3u);
  // A 12-megapixel photo: random access agrees with walking the cursor.
  const PositionOrder photo(4000, 3000, 2, "0123456789ABCDEF");
  PositionOrder::Cursor cursor = photo.Begin();
  for (std::int64_t k = 0; k < 5000; ++k, ++cursor) {
    const PixelPosition position = *cursor;
    ASSERT_EQ(photo.PositionAt(k), position.row * 4000 + position.column);
  }
  const std::int64_t last = photo.Count() - 1;
  EXPECT_EQ(photo.Begin(last).operator*(), photo.At(last));
}

}  // namespace
}  // namespace hushlake
