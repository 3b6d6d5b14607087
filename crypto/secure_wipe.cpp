#include "crypto/secure_wipe.h"

namespace hushlake {

void SecureFill(void* data, std::size_t size, std::uint8_t value) {
  volatile std::uint8_t* p = static_cast<volatile std::uint8_t*>(data);
  for (std::size_t i = 0; i < size; ++i) p[i] = value;
  // Tells the compiler the memory is observed, so the stores cannot be elided.
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
