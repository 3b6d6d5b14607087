// The parts of the sealed-picture engine: the trellis code, the HILL costs
// and the key-drawn order of the colour bytes.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <random>
#include <set>

#include "crypto/sealed/sodium_box.h"
#include "stego/sealed/element_order.h"
#include "stego/sealed/hill_cost.h"
#include "stego/sealed/trellis_code.h"

namespace hushlake::sealed {
namespace {

std::vector<std::uint8_t> RandomBits(std::mt19937& random, std::size_t count) {
  std::vector<std::uint8_t> bits(count);
  for (auto& bit : bits) bit = static_cast<std::uint8_t>(random() & 1u);
  return bits;
}

struct TrellisCase {
  int height;
  int width;
  std::size_t messageBits;
  double wetShare;  // share of cover bits that must not flip
};

TEST(TrellisCode, EmbeddedBitsCarryTheMessageOverATableOfCoversCostsAndHeights) {
  const TrellisCase cases[] = {{2, 2, 40, 0},    {4, 3, 100, 0},    {7, 2, 300, 0.2},
                               {10, 2, 257, 0},  {10, 8, 200, 0.5}, {10, 16, 64, 0.8},
                               {12, 4, 90, 0.1}, {10, 1, 50, 0},    {10, 5, 9, 0}};
  std::mt19937 random(2011);
  for (const TrellisCase& c : cases) {
    const auto columns = TrellisColumns(c.height, c.width);
    ASSERT_EQ(columns.size(), static_cast<std::size_t>(c.width));
    for (int round = 0; round < 3; ++round) {
      const std::size_t n = c.messageBits * c.width;
      const auto cover = RandomBits(random, n);
      const auto message = RandomBits(random, c.messageBits);
      std::vector<float> costs(n);
      std::uniform_real_distribution<float> share(0, 1);
      for (auto& cost : costs) cost = share(random) < c.wetShare ? kWet : share(random) + 0.01f;
      const auto result = TrellisEmbed(cover, costs, message, columns, c.height);
      if (c.width == 1) {
        // Rate one: every bit is fixed by the message; wet bits are absent in this row.
        ASSERT_TRUE(result.has_value());
      }
      if (!result) continue;  // heavy wetness may leave no way; then nothing is claimed
      SCOPED_TRACE(testing::Message() << "h=" << c.height << " w=" << c.width);
      EXPECT_EQ(TrellisSyndrome(result->bits, c.messageBits, columns, c.height), message);
      double spent = 0;
      for (std::size_t i = 0; i < n; ++i) {
        if (result->bits[i] != cover[i]) {
          ASSERT_NE(costs[i], kWet) << "a wet bit flipped at " << i;
          spent += costs[i];
        }
      }
      EXPECT_NEAR(spent, result->cost, 1e-3);
    }
  }
}

TEST(TrellisCode, ACoverThatAlreadyCarriesTheMessageIsLeftAsItIs) {
  std::mt19937 random(7);
  const auto columns = TrellisColumns(10, 4);
  const auto cover = RandomBits(random, 400);
  const auto message = TrellisSyndrome(cover, 100, columns, 10);
  const std::vector<float> costs(400, 1.0f);
  const auto result = TrellisEmbed(cover, costs, message, columns, 10);
  ASSERT_TRUE(result.has_value());
  EXPECT_EQ(result->bits, cover);
  EXPECT_EQ(result->cost, 0);
}

TEST(TrellisCode, FindsTheCheapestWayOnASmallCodeByTryingEveryOne) {
  // 4 message bits in 12 cover bits: all 4096 stego words can be tried.
  std::mt19937 random(99);
  const auto columns = TrellisColumns(3, 3);
  for (int round = 0; round < 20; ++round) {
    const auto cover = RandomBits(random, 12);
    const auto message = RandomBits(random, 4);
    std::vector<float> costs(12);
    for (auto& cost : costs) cost = static_cast<float>(random() % 100 + 1);
    double best = kWet;
    for (std::uint32_t word = 0; word < 4096; ++word) {
      std::vector<std::uint8_t> bits(12);
      double spent = 0;
      for (int i = 0; i < 12; ++i) {
        bits[i] = (word >> i) & 1u;
        if (bits[i] != cover[i]) spent += costs[i];
      }
      if (TrellisSyndrome(bits, 4, columns, 3) == message) best = std::min(best, spent);
    }
    const auto result = TrellisEmbed(cover, costs, message, columns, 3);
    ASSERT_TRUE(result.has_value());
    EXPECT_DOUBLE_EQ(result->cost, best);
  }
}

TEST(TrellisCode, RefusesWhenWetBitsLeaveNoWay) {
  const auto columns = TrellisColumns(10, 2);
  const std::vector<std::uint8_t> cover(20, 0);
  const std::vector<float> costs(20, kWet);
  std::vector<std::uint8_t> message(10, 0);
  EXPECT_TRUE(TrellisEmbed(cover, costs, message, columns, 10).has_value());
  message[3] = 1;
  EXPECT_FALSE(TrellisEmbed(cover, costs, message, columns, 10).has_value());
}

TEST(TrellisCode, ColumnsAreFixedAndUseTheFullHeight) {
  const auto columns = TrellisColumns(10, 6);
  EXPECT_EQ(columns, TrellisColumns(10, 6));
  for (std::uint32_t column : columns) {
    EXPECT_EQ(column & 1u, 1u);
    EXPECT_EQ(column >> 9, 1u);
  }
  EXPECT_NE(TrellisColumns(10, 7)[0], TrellisColumns(11, 7)[0]);
}

TEST(HillCost, HandCheckedSpikeAndFlatPictures) {
  // A lone spike of 4 in a 3x3 picture: with mirrored borders the residual is
  // [4 8 4; 8 16 8; 4 8 4], whose 3x3 mean is 64/9 everywhere, so every cost is 9/64.
  const std::vector<float> spike = {0, 0, 0, 0, 4, 0, 0, 0, 0};
  for (float cost : HillCosts(spike, 3, 3)) EXPECT_FLOAT_EQ(cost, 9.0f / 64.0f);
  // A flat picture has no residual: every change there costs the flat cost.
  const std::vector<float> flat(5 * 4, 77.0f);
  for (float cost : HillCosts(flat, 5, 4)) EXPECT_FLOAT_EQ(cost, kFlatCost);
  // A ramp is invisible to the second-order kernel too.
  std::vector<float> ramp(6 * 6);
  for (int i = 0; i < 36; ++i) ramp[i] = static_cast<float>(i % 6) * 10;
  for (int x = 1; x < 5; ++x) EXPECT_FLOAT_EQ(HillCosts(ramp, 6, 6)[6 * 3 + x], kFlatCost);
}

TEST(HillCost, NoiseIsCheaperThanSmoothnessAndTheCostsMirrorWithThePicture) {
  const int width = 40;
  const int height = 20;
  std::vector<float> plane(width * height);
  std::mt19937 random(3);
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) {
      // Left half: a gentle gradient with a little noise; right half: strong noise.
      plane[y * width + x] = x < width / 2 ? static_cast<float>(100 + x + (random() % 2))
                                           : static_cast<float>(random() % 200);
    }
  }
  const auto costs = HillCosts(plane, width, height);
  EXPECT_GT(costs[10 * width + 2], 10 * costs[10 * width + 37]);
  std::vector<float> mirrored(plane.size());
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) mirrored[y * width + x] = plane[y * width + (width - 1 - x)];
  }
  const auto mirroredCosts = HillCosts(mirrored, width, height);
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) {
      EXPECT_FLOAT_EQ(mirroredCosts[y * width + x], costs[y * width + (width - 1 - x)]);
    }
  }
}

TEST(ElementOrder, VisitsEveryElementOnceAndDependsOnTheKey) {
  const struct {
    std::uint32_t rows, elements;
  } sizes[] = {{1, 1}, {1, 9}, {7, 1}, {13, 21}, {64, 96}};
  for (const auto& size : sizes) {
    const ElementOrder order(PublicKeyFromText("order"), size.rows, size.elements);
    std::vector<bool> seen(order.Size(), false);
    for (std::uint64_t k = 0; k < order.Size(); ++k) {
      const std::uint64_t element = order.At(k);
      ASSERT_LT(element, order.Size());
      ASSERT_FALSE(seen[element]);
      seen[element] = true;
    }
  }
  const ElementOrder one(PublicKeyFromText("one"), 64, 96);
  const ElementOrder two(PublicKeyFromText("two"), 64, 96);
  int same = 0;
  for (std::uint64_t k = 0; k < one.Size(); ++k) same += one.At(k) == two.At(k);
  EXPECT_LT(same, 20);
  // Neighbours in the order lie in different rows.
  std::set<std::uint64_t> rows;
  for (std::uint64_t k = 0; k < 64; ++k) rows.insert(one.At(k) / 96);
  EXPECT_EQ(rows.size(), 64u);
}

}  // namespace
}  // namespace hushlake::sealed
