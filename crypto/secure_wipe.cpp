#include "crypto/secure_wipe.h"

#include <cstring>

namespace hushlake {

void SecureFill(void* data, std::size_t size, std::uint8_t value) {
  if (data == nullptr || size == 0) return;
  std::memset(data, value, size);
  // The barrier tells the compiler the memory is read afterwards, so the
  // memset is never removed as a dead store.
  __asm__ __volatile__("" : : "r"(data) : "memory");
}

void ScrubBytes(void* data, std::size_t size, std::uint8_t finalValue) {
  if (data == nullptr || size == 0) return;
  SecureFill(data, size, 0xAA);
  SecureFill(data, size, 0x55);
  SecureFill(data, size, finalValue);
}

void ScrubString(std::string& text) {
  ScrubBytes(text.data(), text.size(), 0);
  text.clear();
  text.shrink_to_fit();
}

}  // namespace hushlake
