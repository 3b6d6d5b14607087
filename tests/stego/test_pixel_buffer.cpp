// The pixel storage: zeroed or unset buffers of every size class, copies that
// are independent, moves that hand the bytes over, and the pictures on top.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <numeric>

#include "stego/picture.h"
#include "stego/pixel_buffer.h"
#include "stego_test_support.h"

namespace hushlake {
namespace {

constexpr std::size_t HugePage = std::size_t{2} << 20;

// Sizes on both sides of the heap and the mapping, and one not a page multiple.
const std::size_t Sizes[] = {1, 4095, 256 * 1024, 4 * HugePage - 1, 4 * HugePage + 4097};

void Fill(PixelBuffer& buffer, std::uint8_t seed) {
  std::iota(buffer.Bytes().begin(), buffer.Bytes().end(), seed);
}

TEST(PixelBuffer, ZeroedAndUnsetBuffersHaveTheirSizeAndHoldWhatIsWritten) {
  for (std::size_t size : Sizes) {
    SCOPED_TRACE(size);
    const PixelBuffer zeroed = PixelBuffer::Zeroed(size);
    ASSERT_EQ(zeroed.Size(), size);
    EXPECT_TRUE(std::all_of(zeroed.Bytes().begin(), zeroed.Bytes().end(),
                            [](std::uint8_t b) { return b == 0; }));
    PixelBuffer unset = PixelBuffer::ForOverwrite(size);
    ASSERT_EQ(unset.Size(), size);
    Fill(unset, 7);
    EXPECT_EQ(unset.Bytes()[size - 1], static_cast<std::uint8_t>(7 + size - 1));
    // Mapped buffers start on a huge page, where the kernel can use one.
    if (PixelBuffer::IsMapped(size)) {
      EXPECT_EQ(reinterpret_cast<std::uintptr_t>(unset.Data()) % HugePage, 0u);
    }
  }
}

TEST(PixelBuffer, ClonesAreEqualAndIndependentMovesHandTheBytesOver) {
  for (std::size_t size : Sizes) {
    SCOPED_TRACE(size);
    PixelBuffer original = PixelBuffer::ForOverwrite(size);
    Fill(original, 1);
    PixelBuffer copy = original.Clone();
    EXPECT_TRUE(copy == original);
    EXPECT_NE(copy.Data(), original.Data());
    copy.Bytes()[size / 2] ^= 0xFF;
    EXPECT_FALSE(copy == original);

    const std::uint8_t* bytes = original.Data();
    PixelBuffer moved(std::move(original));
    EXPECT_EQ(moved.Data(), bytes);
    EXPECT_EQ(original.Size(), 0u);  // the moved-from state
    copy = std::move(moved);
    EXPECT_EQ(copy.Data(), bytes);
    EXPECT_EQ(copy.Bytes()[size - 1], static_cast<std::uint8_t>(1 + size - 1));
  }
}

TEST(PixelBuffer, ShrinkKeepsTheFirstBytes) {
  PixelBuffer buffer = PixelBuffer::ForOverwrite(4 * HugePage + 10);
  Fill(buffer, 3);
  buffer.Shrink(100);
  ASSERT_EQ(buffer.Size(), 100u);
  EXPECT_EQ(buffer.Bytes()[99], 3 + 99);
  buffer.Shrink(1000);  // never grows
  EXPECT_EQ(buffer.Size(), 100u);
  EXPECT_TRUE(PixelBuffer() == PixelBuffer::Zeroed(0));
}

TEST(PixelBuffer, PictureCopiesAreIndependentAndUnsetPicturesHaveTheirSize) {
  for (PixelFormat format : {PixelFormat::Indexed8, PixelFormat::Bgr24, PixelFormat::Bgrx32}) {
    // 1410 x 1400 at 24 and 32 bits lies in the mapped range, 30 x 20 on the heap.
    for (int side : {20, 1400}) {
      const Picture picture = testing_support::RandomPicture(side + 10, side, format, 5);
      Picture copy = picture;
      EXPECT_EQ(copy, picture);
      copy.Row(side - 1)[0] ^= 1;
      EXPECT_NE(copy, picture);
      copy = picture;
      EXPECT_EQ(copy, picture);

      const Picture unset = Picture::WithUnsetPixels(side + 10, side, format);
      EXPECT_EQ(unset.Pixels().size(), picture.Pixels().size());
      EXPECT_EQ(unset.Width(), side + 10);
      EXPECT_EQ(unset.GetPalette(), Palette{});
    }
  }
}

}  // namespace
}  // namespace hushlake
