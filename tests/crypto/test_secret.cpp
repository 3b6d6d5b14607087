// The wiping owners: whatever ends their life (scope, move, an exception),
// the bytes they held are gone before the memory is given back.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <memory>
#include <stdexcept>
#include <string>
#include <type_traits>
#include <vector>

#include "crypto/secret.h"

namespace hushlake {
namespace {

// What the storage saw of each block at the moment it was freed.
struct FreedBlocks {
  std::vector<std::vector<std::uint8_t>> contents;
  bool AllZero() const {
    return std::all_of(contents.begin(), contents.end(), [](const auto& block) {
      return std::all_of(block.begin(), block.end(), [](std::uint8_t b) { return b == 0; });
    });
  }
};

// An allocator that records a freed block's bytes, then frees it.
template <class T>
struct ObservingStorage {
  using value_type = T;
  FreedBlocks* freed = nullptr;
  ObservingStorage() = default;
  explicit ObservingStorage(FreedBlocks* blocks) : freed(blocks) {}
  template <class U>
  ObservingStorage(const ObservingStorage<U>& other) noexcept : freed(other.freed) {}
  T* allocate(std::size_t count) { return std::allocator<T>().allocate(count); }
  void deallocate(T* block, std::size_t count) noexcept {
    if (freed != nullptr) {
      const auto* bytes = reinterpret_cast<const std::uint8_t*>(block);
      freed->contents.emplace_back(bytes, bytes + count * sizeof(T));
    }
    std::allocator<T>().deallocate(block, count);
  }
  friend bool operator==(const ObservingStorage&, const ObservingStorage&) { return true; }
};

// The test's storage is reached through one global record, as a default-built
// allocator cannot be given a pointer.
FreedBlocks observed;
template <class T>
struct RecordingStorage : ObservingStorage<T> {
  RecordingStorage() : ObservingStorage<T>(&observed) {}
  template <class U>
  RecordingStorage(const RecordingStorage<U>&) noexcept : RecordingStorage() {}
};

using ObservedString = BasicSecretString<RecordingStorage<char>>;
using ObservedBytes = BasicSecretBytes<RecordingStorage<std::uint8_t>>;

const std::string LongSecret = "a key far longer than any short-string buffer holds, 0123456789";

static_assert(!std::is_copy_constructible_v<SecretString>);
static_assert(!std::is_copy_assignable_v<SecretBytes>);
static_assert(std::is_nothrow_move_constructible_v<SecretString>);
static_assert(std::is_nothrow_move_constructible_v<SecretBytes>);

TEST(SecretOwners, AnExceptionPassingThroughWipesTheirStorage) {
  observed = {};
  EXPECT_THROW(
      {
        ObservedString key(LongSecret);
        ObservedBytes symbols;
        for (char c : LongSecret) symbols.push_back(static_cast<std::uint8_t>(c));
        throw std::runtime_error("enciphering failed");
      },
      std::runtime_error);
  ASSERT_GE(observed.contents.size(), 2u);  // the string and at least the last vector block
  EXPECT_TRUE(observed.AllZero());
}

TEST(SecretOwners, BlocksLeftBehindWhileGrowingAreWipedToo) {
  observed = {};
  {
    ObservedString text;
    for (int i = 0; i < 20; ++i) text.Value().append(LongSecret);
    ObservedBytes bytes;
    for (int i = 0; i < 1000; ++i) bytes.push_back(0xA5);
  }
  EXPECT_GT(observed.contents.size(), 4u);
  EXPECT_TRUE(observed.AllZero());
}

TEST(SecretOwners, MovesLeaveNothingBehind) {
  observed = {};
  {
    ObservedString first(LongSecret);
    ObservedString second(std::move(first));
    ObservedString third;
    third = std::move(second);
    EXPECT_EQ(third, LongSecret);
    EXPECT_TRUE(first.empty());
  }
  EXPECT_TRUE(observed.AllZero());
}

TEST(SecretOwners, ShortSecretsInsideTheOwnerAreWiped) {
  // A short text lives in the string object itself, which no allocator sees:
  // the owner scrubs it in place. The object's bytes are read while it is alive.
  alignas(SecretString) unsigned char place[sizeof(SecretString)];
  auto* owner = new (place) SecretString("short key");
  const char* stored = owner->data();
  const bool inside = stored >= reinterpret_cast<const char*>(place) &&
                      stored < reinterpret_cast<const char*>(place) + sizeof(place);
  owner->~SecretString();
  if (inside) {
    const std::string left(reinterpret_cast<const char*>(place), sizeof(place));
    EXPECT_EQ(left.find("short key"), std::string::npos);
  }
}

TEST(SecretOwners, AdoptScrubsThePlainString) {
  std::string plain = LongSecret;
  const char* buffer = plain.data();
  const std::size_t capacity = plain.capacity();
  const SecretString secret = SecretString::Adopt(std::move(plain));
  EXPECT_EQ(secret, LongSecret);
  EXPECT_TRUE(std::all_of(buffer, buffer + capacity, [](char c) { return c == 0; }));
}

}  // namespace
}  // namespace hushlake
