#pragma once
// Owners for secrets: key text, derived keys, hidden symbols, deciphered
// text. They cannot be copied, and every byte they ever held is scrubbed
// before the memory goes back: a buffer given up while growing, the whole
// capacity when the owner dies (also while an exception unwinds), and the
// short-string buffer inside the owner itself.
#include <cstddef>
#include <cstdint>
#include <memory>
#include <span>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "crypto/secure_wipe.h"
#include "platform/secret_memory.h"

namespace hushlake {

// Scrubs every block before Storage frees it, and locks it in memory. Storage is the allocator that
// really holds the memory (tests put an observer there).
template <class T, class Storage = std::allocator<T>>
class WipingAllocator : public Storage {
 public:
  using value_type = T;
  template <class U>
  struct rebind {
    using other =
        WipingAllocator<U, typename std::allocator_traits<Storage>::template rebind_alloc<U>>;
  };
  WipingAllocator() = default;
  template <class U, class OtherStorage>
  WipingAllocator(const WipingAllocator<U, OtherStorage>& other) noexcept : Storage(other) {}
  // Locked in memory where the system allows, so no secret goes to swap.
  T* allocate(std::size_t count) {
    T* block = Storage::allocate(count);
    LockSecretMemory(block, count * sizeof(T));
    return block;
  }
  void deallocate(T* block, std::size_t count) noexcept {
    ScrubBytes(block, count * sizeof(T));
    Storage::deallocate(block, count);
  }
  friend bool operator==(const WipingAllocator&, const WipingAllocator&) { return true; }
};

template <class Storage = std::allocator<char>>
class BasicSecretString {
 public:
  using String = std::basic_string<char, std::char_traits<char>, WipingAllocator<char, Storage>>;

  BasicSecretString() = default;
  explicit BasicSecretString(std::string_view text) : text_(text.data(), text.size()) {}
  // Takes a plain string's characters and scrubs the plain string's buffer.
  static BasicSecretString Adopt(std::string&& plain) {
    BasicSecretString secret(plain);
    ScrubBytes(plain.data(), plain.capacity());
    plain.clear();
    return secret;
  }
  BasicSecretString(BasicSecretString&& other) noexcept : text_(std::move(other.text_)) {
    other.Scrub();
  }
  BasicSecretString& operator=(BasicSecretString&& other) noexcept {
    if (this != &other) {
      Scrub();
      text_ = std::move(other.text_);
      other.Scrub();
    }
    return *this;
  }
  BasicSecretString(const BasicSecretString&) = delete;
  BasicSecretString& operator=(const BasicSecretString&) = delete;
  ~BasicSecretString() { Scrub(); }

  std::string_view View() const { return {text_.data(), text_.size()}; }
  operator std::string_view() const { return View(); }
  String& Value() { return text_; }
  const String& Value() const { return text_; }
  char* data() { return text_.data(); }
  const char* data() const { return text_.data(); }
  std::size_t size() const { return text_.size(); }
  bool empty() const { return text_.empty(); }
  // A plain copy, for an interface that insists on one; the caller owns its wiping.
  std::string PlainCopy() const { return std::string(View()); }
  friend bool operator==(const BasicSecretString& a, std::string_view b) { return a.View() == b; }

 private:
  // Moved-from strings keep their short-string bytes; scrub them too.
  void Scrub() noexcept {
    ScrubBytes(text_.data(), text_.capacity());
    text_.clear();
  }
  String text_;
};

template <class Storage = std::allocator<std::uint8_t>>
class BasicSecretBytes {
 public:
  using Bytes = std::vector<std::uint8_t, WipingAllocator<std::uint8_t, Storage>>;

  BasicSecretBytes() = default;
  explicit BasicSecretBytes(std::span<const std::uint8_t> bytes)
      : bytes_(bytes.begin(), bytes.end()) {}
  BasicSecretBytes(BasicSecretBytes&&) noexcept = default;
  BasicSecretBytes& operator=(BasicSecretBytes&& other) noexcept {
    if (this != &other) {
      Scrub();
      bytes_ = std::move(other.bytes_);
    }
    return *this;
  }
  BasicSecretBytes(const BasicSecretBytes&) = delete;
  BasicSecretBytes& operator=(const BasicSecretBytes&) = delete;
  ~BasicSecretBytes() { Scrub(); }

  Bytes& Value() { return bytes_; }
  const Bytes& Value() const { return bytes_; }
  std::span<const std::uint8_t> View() const { return bytes_; }
  std::uint8_t* data() { return bytes_.data(); }
  const std::uint8_t* data() const { return bytes_.data(); }
  std::size_t size() const { return bytes_.size(); }
  bool empty() const { return bytes_.empty(); }
  void push_back(std::uint8_t byte) { bytes_.push_back(byte); }
  void clear() { bytes_.clear(); }
  void reserve(std::size_t count) { bytes_.reserve(count); }
  std::uint8_t operator[](std::size_t i) const { return bytes_[i]; }
  auto begin() const { return bytes_.begin(); }
  auto end() const { return bytes_.end(); }

 private:
  // The whole capacity: a cleared owner may still hold old bytes past size().
  void Scrub() noexcept { ScrubBytes(bytes_.data(), bytes_.capacity()); }
  Bytes bytes_;
};

// Scrubs a plain string's whole buffer when the scope ends, for the copies an
// interface outside our control insists on.
class ScrubOnExit {
 public:
  explicit ScrubOnExit(std::string& plain) : plain_(plain) {}
  ScrubOnExit(const ScrubOnExit&) = delete;
  ScrubOnExit& operator=(const ScrubOnExit&) = delete;
  ~ScrubOnExit() { ScrubBytes(plain_.data(), plain_.capacity()); }

 private:
  std::string& plain_;
};

using SecretString = BasicSecretString<>;
using SecretBytes = BasicSecretBytes<>;

}  // namespace hushlake
