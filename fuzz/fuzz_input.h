#pragma once
// Takes a fuzz input apart into the choices a target needs: single bytes,
// short byte strings, and the rest. Running out of bytes gives zeros and
// empty strings, so every input is a valid (if short) case.
#include <algorithm>
#include <cstdint>
#include <span>
#include <string>

namespace hushlake::fuzzing {

class FuzzInput {
 public:
  FuzzInput(const std::uint8_t* data, std::size_t size) : bytes_(data, size) {}

  std::uint8_t Byte() {
    if (bytes_.empty()) return 0;
    const std::uint8_t value = bytes_[0];
    bytes_ = bytes_.subspan(1);
    return value;
  }
  // A value in [0, count).
  std::size_t Index(std::size_t count) { return Byte() % count; }
  // Up to Limit bytes, as many as the next byte says.
  std::string ShortString(std::size_t limit) { return Take(std::min<std::size_t>(Byte(), limit)); }
  std::string Take(std::size_t count) {
    count = std::min(count, bytes_.size());
    std::string taken(reinterpret_cast<const char*>(bytes_.data()), count);
    bytes_ = bytes_.subspan(count);
    return taken;
  }
  std::string Rest() { return Take(bytes_.size()); }
  std::size_t Left() const { return bytes_.size(); }

 private:
  std::span<const std::uint8_t> bytes_;
};

}  // namespace hushlake::fuzzing
