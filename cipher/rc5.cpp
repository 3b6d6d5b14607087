#include "cipher/rc5.h"

#include <algorithm>
#include <cstring>

#include "crypto/bytes.h"
#include "crypto/support.h"

namespace hushlake {

// The class's reference output was computed by this implementation once it
// reproduced the published RC5 vectors; the value is ours to fix.
const TCipherClass TCipher_RC5::Class = {
    .className = "TCipher_RC5",
    .displayName = "RC5",
    .note = "Patented by RSA",
    .blockSize = 8,
    .keySize = 256,
    .userSize = 136,
    .referenceOutputHex = "10392ce00b5f097fd6b16c0eb975d5ccfcbeb58d41ac547c8330269daccb0a69",
    .create = &CreateCipherInstance<TCipher_RC5>,
};

namespace rc5 {

namespace {
constexpr std::uint32_t P32 = 0xB7E15163u;
constexpr std::uint32_t Q32 = 0x9E3779B9u;
constexpr int MaxKeyWords = 64;
}  // namespace

void ExpandKey(const std::uint8_t* key, int length, std::uint32_t* s, int count) {
  length = std::clamp(length, 0, 4 * MaxKeyWords);
  std::uint32_t l[MaxKeyWords] = {};
  if (length > 0) std::memcpy(l, key, static_cast<std::size_t>(length));
  const int words = std::max(1, (length + 3) / 4);
  s[0] = P32;
  for (int n = 1; n < count; ++n) s[n] = s[n - 1] + Q32;
  std::uint32_t a = 0, b = 0;
  for (int step = 0, i = 0, j = 0; step < 3 * std::max(count, words); ++step) {
    a = s[i] = RotateLeft32(s[i] + a + b, 3);
    b = l[j] = RotateLeft32(l[j] + a + b, static_cast<int>(a + b));
    i = (i + 1) % count;
    j = (j + 1) % words;
  }
  SecureWipe(l, sizeof l);
  SecureWipe(&a, sizeof a);
  SecureWipe(&b, sizeof b);
}

}  // namespace rc5

void TCipher_RC5::SetRounds(int value) {
  Rounds = value >= MinRounds && value <= MaxRounds ? value : DefaultRounds;
}

void TCipher_RC5::Init(const void* key, int size, const void* iVector) {
  size = BeginInit(size);
  SetRounds(Rounds);
  key_->rounds = static_cast<std::uint32_t>(Rounds);
  rc5::ExpandKey(static_cast<const std::uint8_t*>(key), size, key_->s, 2 * Rounds + 2);
  FinishInit(iVector);
}

void TCipher_RC5::EncryptBlock(void* block) {
  const std::uint64_t v = LoadLE64(block);
  const std::uint32_t* s = key_->s;
  const std::uint32_t rounds = key_->rounds;
  std::uint32_t a = static_cast<std::uint32_t>(v) + s[0];
  std::uint32_t b = static_cast<std::uint32_t>(v >> 32) + s[1];
  for (std::uint32_t r = 1; r <= rounds; ++r) {
    a = RotateLeft32(a ^ b, static_cast<int>(b)) + s[2 * r];
    b = RotateLeft32(b ^ a, static_cast<int>(a)) + s[2 * r + 1];
  }
  StoreLE64(block, a | std::uint64_t{b} << 32);
}

void TCipher_RC5::DecryptBlock(void* block) {
  const std::uint64_t v = LoadLE64(block);
  const std::uint32_t* s = key_->s;
  std::uint32_t a = static_cast<std::uint32_t>(v);
  std::uint32_t b = static_cast<std::uint32_t>(v >> 32);
  for (std::uint32_t r = key_->rounds; r >= 1; --r) {
    b = RotateRight32(b - s[2 * r + 1], static_cast<int>(a)) ^ a;
    a = RotateRight32(a - s[2 * r], static_cast<int>(b)) ^ b;
  }
  StoreLE64(block, (a - s[0]) | std::uint64_t{b - s[1]} << 32);
}

}  // namespace hushlake
