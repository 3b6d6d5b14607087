// Any byte string given to the BMP reader (every header version, RLE8,
// palettes, bit fields) must end in a clean result, and a picture it accepts
// must survive writing and reading back unchanged, whether written from the
// picture or rewritten from the file.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <optional>
#include <span>
#include <vector>

#include "stego/picture/bmp/bmp_codec.h"

namespace {

using hushlake::PictureReadResult;
using hushlake::PictureReadStatus;
using hushlake::PixelFormat;

[[noreturn]] void Fail(const char* what) {
  std::fprintf(stderr, "fuzz_bmp_reader: %s\n", what);
  std::abort();
}

bool FormatMatchesDepth(const PictureReadResult& result) {
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

void CheckRoundTrip(const PictureReadResult& result) {
  if (result.picture.Empty() || !result.error.empty()) Fail("Ok with an empty picture or an error");
  if (!FormatMatchesDepth(result)) Fail("pixel format differs from the file's depth");
  const std::vector<std::uint8_t> written = hushlake::WriteBmp(result.picture);
  const PictureReadResult back = hushlake::ReadBmp(written);
  if (back.status != PictureReadStatus::Ok) Fail("a written picture cannot be read back");
  if (!(back.picture == result.picture)) Fail("a written picture reads back different");
  if (hushlake::WriteBmp(back.picture) != written) Fail("writing is not repeatable");
  // Written into its source file's own layout, it is the same picture too.
  const PictureReadResult kept =
      hushlake::ReadBmp(hushlake::WriteBmp(result.picture, result.source));
  if (kept.status != PictureReadStatus::Ok || !(kept.picture == result.picture))
    Fail("a picture written into its source's layout reads back different");
}

// A file that Encrypt could rewrite straight from itself is one the reader
// accepts, and rewritten unchanged it is what writing its picture into its
// own layout gives.
void CheckRewrite(std::span<const std::uint8_t> file, const PictureReadResult& result) {
  const std::optional<hushlake::BmpRewriteLayout> layout = hushlake::PlanBmpRewrite(file);
  if (!layout) return;
  if (result.status != PictureReadStatus::Ok) Fail("a file the reader refuses can be rewritten");
  std::vector<std::uint8_t> rewritten;
  hushlake::RewriteBmp(
      *layout,
      [&](std::uint64_t offset, std::span<std::uint8_t> into) {
        if (offset > file.size() || into.size() > file.size() - offset)
          Fail("a rewrite reads outside the file");
        std::memcpy(into.data(), file.data() + offset, into.size());
      },
      [](const hushlake::RowBand&) {},
      [&](std::span<const std::uint8_t> part) {
        rewritten.insert(rewritten.end(), part.begin(), part.end());
      });
  if (rewritten != hushlake::WriteBmp(result.picture, result.source))
    Fail("a rewrite differs from writing the picture into its source's layout");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const PictureReadResult result = hushlake::ReadBmp({data, size});
  if (result.status == PictureReadStatus::Ok) {
    CheckRoundTrip(result);
  } else if (!result.picture.Empty() || result.error.empty()) {
    Fail("a refusal carries a picture or no reason");
  }
  CheckRewrite({data, size}, result);
  return 0;
}
