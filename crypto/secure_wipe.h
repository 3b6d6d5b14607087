#pragma once
// Overwriting key material. A plain memset before a buffer dies is a dead
// store the optimiser may delete; these writes go through a volatile pointer
// and a compiler barrier so they always happen.
#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <type_traits>

namespace hushlake {

// Fills Size bytes with Value; never optimised away.
void SecureFill(void* data, std::size_t size, std::uint8_t value);

// Zeroes Size bytes; never optimised away.
inline void SecureWipe(void* data, std::size_t size) { SecureFill(data, size, 0); }

// The system's rule for buffers that held key material: 0xAA, then 0x55,
// then a final value.
void ScrubBytes(void* data, std::size_t size, std::uint8_t finalValue = 0);

// Scrubs a byte string's characters and then empties it.
void ScrubString(std::string& text);

// How much of the stack below its caller ScrubStack overwrites.
inline constexpr std::size_t StackScrubSize = 64 * 1024;

// Overwrites the stack below the caller, where functions that have returned
// leave key material behind: their local buffers, and the vector registers
// the dynamic linker saves there while it binds a library function on its
// first call. Then clears those registers and the general ones, which the
// next such binding would save again. Called where an action that used a
// key ends, and by main() last of all.
void ScrubStack();

// Holds key material of a trivially copyable type and scrubs it when it dies.
template <class T>
class SecureStorage {
  static_assert(std::is_trivially_copyable_v<T>);

 public:
  SecureStorage() = default;
  SecureStorage(const SecureStorage&) = delete;
  SecureStorage& operator=(const SecureStorage&) = delete;
  ~SecureStorage() { ScrubBytes(&value_, sizeof(T)); }
  T& operator*() { return value_; }
  const T& operator*() const { return value_; }
  T* operator->() { return &value_; }
  const T* operator->() const { return &value_; }
  std::span<std::uint8_t> Bytes() { return {reinterpret_cast<std::uint8_t*>(&value_), sizeof(T)}; }

 private:
  T value_{};
};

}  // namespace hushlake
