// The sealed read path on a stranger's bytes. The first byte picks the part:
//   0: the rest is an opened record (what a sender holding the key controls):
//      it unpacks cleanly or not at all, and a stored name is only ever a plain name;
//   1: then width - 64, height - 64 and depth (even 24, odd 32) bytes, and the
//      pixels, repeated to fill the picture: opened with the fuzzing key, it
//      either opens whole or is refused, and never reads the pixels out of bounds.
// The key derivation is the format's with a test-only weak setting, so a run is fast.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <span>

#include "app/sealed_job.h"
#include "stego/sealed/sealed_content.h"
#include "stego/sealed/sealed_picture.h"
#include "tests/common/testing_stretchers.h"

namespace {

[[noreturn]] void Fail(const char* what) {
  std::fprintf(stderr, "fuzz_sealed_read: %s\n", what);
  std::abort();
}

void CheckRecord(std::span<const std::uint8_t> bytes) {
  const auto content = hushlake::sealed::UnpackContent(bytes);
  if (!content) return;
  if (!content->isFile && !content->name.empty()) Fail("a text with a name");
  const auto name = hushlake::SafeStoredName(content->name);
  if (!name) return;
  if (name->empty() || *name == "." || *name == "..") Fail("an unsafe name passed");
  for (char c : *name) {
    const auto byte = static_cast<unsigned char>(c);
    if (c == '/' || c == '\\' || byte < 0x20 || byte == 0x7F) Fail("an unsafe name passed");
  }
}

void CheckPicture(std::span<const std::uint8_t> bytes) {
  if (bytes.size() < 4) return;
  const int width = 64 + bytes[0];
  const int height = 64 + bytes[1];
  const auto format = bytes[2] % 2 ? hushlake::PixelFormat::Bgrx32 : hushlake::PixelFormat::Bgr24;
  const auto pixels = bytes.subspan(3);
  hushlake::Picture picture(width, height, format);
  std::size_t i = 0;
  for (std::uint8_t& byte : picture.Pixels()) byte = pixels[i++ % pixels.size()];
  static const hushlake::sealed::Argon2idStretcher stretcher =
      hushlake::sealed::TestingStretchers::Fast();
  const auto outcome = hushlake::sealed::OpenFromPicture(picture, "fuzzing key 1", stretcher);
  if (!outcome.Succeeded() && outcome.status != hushlake::sealed::SealedStatus::NothingOpens)
    Fail("a true-colour picture refused as something else");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size < 1) return 0;
  const std::span<const std::uint8_t> rest(data + 1, size - 1);
  if (data[0] == 0) {
    CheckRecord(rest);
  } else {
    CheckPicture(rest);
  }
  return 0;
}
