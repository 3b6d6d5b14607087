// Any byte string given to the PNG reader must end in a clean result, and a
// picture it accepts must survive writing and reading back unchanged, kept
// chunks included.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <vector>

#include "stego/picture/png/png_codec.h"

namespace {

using hushlake::PictureReadResult;
using hushlake::PictureReadStatus;

[[noreturn]] void Fail(const char* what) {
  std::fprintf(stderr, "fuzz_png_reader: %s\n", what);
  std::abort();
}

void CheckRoundTrip(const PictureReadResult& result) {
  if (result.picture.Empty() || !result.error.empty()) Fail("Ok with an empty picture or an error");
  if (result.source.format != result.picture.Format()) Fail("source format differs from picture");
  // The fastest level: the fuzzer is after the reader, not zlib.
  const std::vector<std::uint8_t> written = hushlake::WritePng(result.picture, result.source, 1);
  const PictureReadResult back = hushlake::ReadPng(written);
  if (back.status != PictureReadStatus::Ok) Fail("a written picture cannot be read back");
  if (!(back.picture == result.picture)) Fail("a written picture reads back different");
  // What the reader left out is not written, so only what it kept comes back.
  hushlake::SourceFileInfo kept = result.source;
  kept.dropped.clear();
  if (!(back.source == kept)) Fail("kept chunks do not come back the same");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const PictureReadResult result = hushlake::ReadPng({data, size});
  if (result.status == PictureReadStatus::Ok) {
    CheckRoundTrip(result);
  } else if (!result.picture.Empty() || result.error.empty()) {
    Fail("a refusal carries a picture or no reason");
  }
  return 0;
}

// Small valid files of each kind, so mutations reach past the header.
extern "C" void HushlakeFuzzSeeds(std::vector<std::vector<std::uint8_t>>& seeds) {
  using hushlake::PixelFormat;
  hushlake::Picture indexed(5, 3, PixelFormat::Indexed8);
  for (std::size_t i = 0; i < indexed.Pixels().size(); ++i)
    indexed.Pixels()[i] = static_cast<std::uint8_t>(i * 37);
  seeds.push_back(hushlake::WritePng(indexed));
  for (PixelFormat format : {PixelFormat::Bgr24, PixelFormat::Bgrx32}) {
    hushlake::Picture colour(3, 2, format);
    for (std::size_t i = 0; i < colour.Pixels().size(); ++i)
      colour.Pixels()[i] = static_cast<std::uint8_t>(i * 11);
    seeds.push_back(hushlake::WritePng(colour));
  }
}
