// Reading files whose headers claim more than the file holds, and reading
// only the headers: what a file is refused for, and that a header-only read
// agrees with a full one.
#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "stego/bmp_fixture.h"
#include "stego/picture/bmp/bmp_codec.h"

namespace hushlake {
namespace {

using bmptest::BmpFixture;
using Bytes = std::vector<std::uint8_t>;

class BmpBounds : public ::testing::Test {
 protected:
  void SetUp() override {
    folder_ = std::filesystem::temp_directory_path() /
              ("bmp_bounds_test_" + std::to_string(::getpid()) + "_" +
               ::testing::UnitTest::GetInstance()->current_test_info()->name());
    std::filesystem::remove_all(folder_);
    std::filesystem::create_directories(folder_);
  }
  void TearDown() override { std::filesystem::remove_all(folder_); }

  // The bytes, then (when larger) a hole up to `size`, which costs no disk.
  std::string File(const Bytes& bytes, std::uint64_t size = 0) const {
    const std::string path = (folder_ / "picture.bmp").string();
    {
      std::ofstream out(path, std::ios::binary | std::ios::trunc);
      out.write(reinterpret_cast<const char*>(bytes.data()),
                static_cast<std::streamsize>(bytes.size()));
    }
    if (size > bytes.size()) std::filesystem::resize_file(path, size);
    return path;
  }

  std::filesystem::path folder_;
};

constexpr std::uint64_t kTwoGiB = std::uint64_t{1} << 31;

TEST_F(BmpBounds, HeadersClaimingMoreThanTheFileHoldsAreRefusedByBothReads) {
  struct Claim {
    const char* name;
    BmpFixture fixture;
    std::uint64_t size;
    const char* reason;
  };
  const Claim claims[] = {
      {"2^20 x 2^20 in 100 bytes", BmpFixture().WithSize(1 << 20, 1 << 20), 100,
       "exceeds the limit"},
      {"2^20 x 2^20 in a 2 GiB hole", BmpFixture().WithSize(1 << 20, 1 << 20), kTwoGiB,
       "exceeds the limit"},
      {"RLE8 2^20 x 2^20 in a 2 GiB hole",
       BmpFixture()
           .WithBits(8)
           .WithCompression(1)
           .WithSize(1 << 20, 1 << 20)
           .WithAfterHeader(Bytes(1024)),
       kTwoGiB, "exceeds the limit"},
      {"16384 x 16384 (768 MiB of rows) in 100 bytes", BmpFixture().WithSize(16384, 16384), 100,
       "truncated file"},
  };
  for (const Claim& claim : claims) {
    SCOPED_TRACE(claim.name);
    const std::string path = File(claim.fixture.Build(), claim.size);
    const PictureReadResult full = ReadBmpFile(path);
    EXPECT_EQ(full.status, PictureReadStatus::Malformed);
    EXPECT_NE(full.error.find(claim.reason), std::string::npos) << full.error;
    const BmpHeaderResult header = ReadBmpFileHeader(path);
    EXPECT_EQ(header.status, PictureReadStatus::Malformed);
    EXPECT_EQ(header.error, full.error);
  }
}

TEST_F(BmpBounds, ShortRle8PictureFollowedByAHugeHoleIsRead) {
  // 2 x 2 of index 5 with no stated size: the data nominally runs to the end of the file.
  const Bytes rle = {2, 5, 0, 0, 2, 5, 0, 1};
  const BmpFixture fixture = BmpFixture()
                                 .WithBits(8)
                                 .WithCompression(1)
                                 .WithSize(2, 2)
                                 .WithAfterHeader(Bytes(1024))
                                 .WithPixels(rle);
  const PictureReadResult result = ReadBmpFile(File(fixture.Build(), kTwoGiB - 1));
  ASSERT_EQ(result.status, PictureReadStatus::Ok) << result.error;
  EXPECT_EQ(result.picture.Pixels()[0], 5);
  EXPECT_EQ(result.picture.Pixels()[3], 5);
}

TEST_F(BmpBounds, HeaderReadAgreesWithTheFullRead) {
  Bytes palette(1024);
  for (std::size_t i = 0; i < palette.size(); ++i) palette[i] = static_cast<std::uint8_t>(i * 3);
  const Bytes files[] = {
      BmpFixture().WithSize(3, -2).WithPixels(Bytes(24, 7)).Build(),
      BmpFixture().WithHeader(124).WithBits(32).WithSize(2, 2).WithPixels(Bytes(16, 1)).Build(),
      BmpFixture()
          .WithBits(8)
          .WithSize(4, 3)
          .WithAfterHeader(palette)
          .WithPixels(Bytes(12, 2))
          .Build(),
      BmpFixture().WithHeader(12).WithSize(2, 1).WithPixels(Bytes(8)).Build(),
      BmpFixture().WithBits(4).WithSize(2, 1).WithPixels(Bytes(4)).Build(),
  };
  for (const Bytes& bytes : files) {
    const std::string path = File(bytes);
    const PictureReadResult full = ReadBmpFile(path);
    const BmpHeaderResult header = ReadBmpFileHeader(path);
    EXPECT_EQ(header.status, full.status);
    EXPECT_EQ(header.bitsPerPixel, full.bitsPerPixel);
    EXPECT_EQ(header.error, full.error);
    EXPECT_EQ(header.width, full.picture.Width());
    EXPECT_EQ(header.height, full.picture.Height());
    if (full.status != PictureReadStatus::Ok) continue;
    EXPECT_EQ(header.format, full.picture.Format());
    EXPECT_EQ(header.palette, full.picture.GetPalette());
  }
}

TEST_F(BmpBounds, HeaderReadOfAMissingFileNamesIt) {
  const BmpHeaderResult header = ReadBmpFileHeader((folder_ / "missing.bmp").string());
  EXPECT_EQ(header.status, PictureReadStatus::Malformed);
  EXPECT_NE(header.error.find("missing.bmp"), std::string::npos);
}

}  // namespace
}  // namespace hushlake
