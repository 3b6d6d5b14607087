// Any byte string given to the BMP reader must end in a clean result, and a
// picture it accepts must survive writing and reading back unchanged.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <vector>

#include "stego/bmp_codec.h"
#include "tests/stego/bmp_fixture.h"

namespace {

using hushlake::BmpReadResult;
using hushlake::BmpStatus;
using hushlake::PixelFormat;

[[noreturn]] void Fail(const char* what) {
  std::fprintf(stderr, "fuzz_bmp_reader: %s\n", what);
  std::abort();
}

bool FormatMatchesDepth(const BmpReadResult& result) {
  switch (result.picture.Format()) {
    case PixelFormat::Indexed8:
      return result.bitsPerPixel == 8;
    case PixelFormat::Bgr24:
      return result.bitsPerPixel == 24;
    case PixelFormat::Bgrx32:
      return result.bitsPerPixel == 32;
  }
  return false;
}

void CheckRoundTrip(const BmpReadResult& result) {
  if (result.picture.Empty() || !result.error.empty()) Fail("Ok with an empty picture or an error");
  if (!FormatMatchesDepth(result)) Fail("pixel format differs from the file's depth");
  const std::vector<std::uint8_t> written = hushlake::WriteBmp(result.picture);
  const BmpReadResult back = hushlake::ReadBmp(written);
  if (back.status != BmpStatus::Ok) Fail("a written picture cannot be read back");
  if (!(back.picture == result.picture)) Fail("a written picture reads back different");
  if (hushlake::WriteBmp(back.picture) != written) Fail("writing is not repeatable");
  // Written into its source file's own layout, it is the same picture too.
  const BmpReadResult kept = hushlake::ReadBmp(hushlake::WriteBmp(result.picture, result.source));
  if (kept.status != BmpStatus::Ok || !(kept.picture == result.picture))
    Fail("a picture written into its source's layout reads back different");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const BmpReadResult result = hushlake::ReadBmp({data, size});
  if (result.status == BmpStatus::Ok) {
    CheckRoundTrip(result);
  } else if (!result.picture.Empty() || result.error.empty()) {
    Fail("a refusal carries a picture or no reason");
  }
  return 0;
}

// Small valid files of each kind, so mutations reach past the headers.
extern "C" void HushlakeFuzzSeeds(std::vector<std::vector<std::uint8_t>>& seeds) {
  using hushlake::bmptest::BmpFixture;
  using Bytes = std::vector<std::uint8_t>;
  hushlake::Picture indexed(5, 3, PixelFormat::Indexed8);
  hushlake::Palette palette{};
  for (int i = 0; i < 256; ++i)
    palette[i] = {static_cast<std::uint8_t>(i), static_cast<std::uint8_t>(255 - i), 7, 0};
  indexed.SetPalette(palette);
  for (std::size_t i = 0; i < indexed.Pixels().size(); ++i)
    indexed.Pixels()[i] = static_cast<std::uint8_t>(i * 37);
  seeds.push_back(hushlake::WriteBmp(indexed));
  hushlake::Picture colour(3, 2, PixelFormat::Bgr24);
  for (std::size_t i = 0; i < colour.Pixels().size(); ++i)
    colour.Pixels()[i] = static_cast<std::uint8_t>(i * 11);
  seeds.push_back(hushlake::WriteBmp(colour));
  seeds.push_back(BmpFixture()
                      .WithSize(6, 3)
                      .WithBits(8)
                      .WithCompression(1)
                      .WithColors(4)
                      .WithAfterHeader(Bytes(16, 9))
                      .WithPixels({3, 1, 0, 3, 7, 8, 9, 0, 0, 0, 0, 2, 1, 1, 2, 2, 0, 0, 0, 1})
                      .Build());
  seeds.push_back(BmpFixture()
                      .WithHeader(124)
                      .WithSize(2, -2)
                      .WithBits(32)
                      .WithCompression(3)
                      .WithMasksInHeader({0xFF, 0xFF00, 0xFF0000, 0xFF000000})
                      .WithPixels(Bytes(16, 0x5A))
                      .Build());
  seeds.push_back(BmpFixture()
                      .WithHeader(12)
                      .WithSize(3, 2)
                      .WithBits(8)
                      .WithAfterHeader(Bytes(12, 4))
                      .WithPixels({0, 1, 2, 0, 3, 2, 1, 0})
                      .Build());
}
