// Any text handed to a decoder either decodes or raises EStringFormat, and
// every byte string survives encoding and decoding in every format.
#include <cstdint>
#include <cstdlib>
#include <string>

#include "crypto/string_format.h"
#include "crypto/exceptions.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace hushlake;
  const std::string input(reinterpret_cast<const char*>(data), size);
  for (int format : {FormatCopy, FormatHEX, FormatHEXL, FormatMIME64, FormatUU, FormatXX}) {
    try {
      (void)DecodeFromFormat(input, format);
    } catch (const EStringFormat&) {
    }
    if (DecodeFromFormat(EncodeToFormat(input, format), format) != input) std::abort();
  }
  return 0;
}
