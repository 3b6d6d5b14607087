// Every string format's decoder, on any text: it decodes or raises
// EStringFormat, never anything else, and decoding what the format encoded
// gives the bytes back. The first byte chooses the format.
#include <array>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "crypto/exceptions.h"
#include "crypto/string_format.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace hushlake;
  if (size == 0) return 0;
  static constexpr std::array<int, 7> kFormats = {FormatCopy, FormatHEX, FormatHEXL, FormatMIME64,
                                                  FormatUU,   FormatXX,  -1};
  const int format = kFormats[data[0] % kFormats.size()];
  const std::string input(reinterpret_cast<const char*>(data + 1), size - 1);
  try {
    (void)DecodeFromFormat(input, format);
  } catch (const EStringFormat&) {
  }
  // The counted form stops at the first zero byte when given a negative length.
  try {
    (void)DecodeFromFormat(input.c_str(), -1, format);
  } catch (const EStringFormat&) {
  }
  if (DecodeFromFormat(EncodeToFormat(input, format), format) != input) std::abort();
  return 0;
}
