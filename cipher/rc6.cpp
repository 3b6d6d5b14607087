#include "cipher/rc6.h"

#include "cipher/block_words.h"
#include "cipher/rc5.h"
#include "crypto/bytes.h"
#include "crypto/support.h"

namespace hushlake {

// The class's reference output was computed by this implementation once it
// reproduced the published RC6 vectors; the value is ours to fix.
const TCipherClass TCipher_RC6::Class = {
    .className = "TCipher_RC6",
    .displayName = "RC6",
    .note = "Patented by RSA",
    .blockSize = 16,
    .keySize = 256,
    .userSize = 272,
    .referenceOutputHex = "987165a110febdf907853efc21dbfca18f5f8bf74528810def9a227af0622cc6",
    .create = &CreateCipherInstance<TCipher_RC6>,
};

namespace {

// x(2x + 1) rotated left by lg 32 = 5.
inline std::uint32_t Quadratic(std::uint32_t x) { return RotateLeft32(x * (2 * x + 1), 5); }

}  // namespace

void TCipher_RC6::SetRounds(int value) {
  Rounds = value >= MinRounds && value <= MaxRounds ? value : DefaultRounds;
}

void TCipher_RC6::Init(const void* key, int size, const void* iVector) {
  size = BeginInit(size);
  SetRounds(Rounds);
  key_->rounds = static_cast<std::uint32_t>(Rounds);
  rc5::ExpandKey(static_cast<const std::uint8_t*>(key), size, key_->s, 2 * Rounds + 4);
  FinishInit(iVector);
}

void TCipher_RC6::EncryptBlock(void* block) {
  auto* bytes = static_cast<std::uint8_t*>(block);
  const std::uint32_t* s = key_->s;
  const std::uint32_t rounds = key_->rounds;
  std::uint32_t a = LoadLE32(bytes), b = LoadLE32(bytes + 4) + s[0];
  std::uint32_t c = LoadLE32(bytes + 8), d = LoadLE32(bytes + 12) + s[1];
  for (std::uint32_t r = 1; r <= rounds; ++r) {
    const std::uint32_t t = Quadratic(b), u = Quadratic(d);
    const std::uint32_t newB = RotateLeft32(c ^ u, static_cast<int>(t)) + s[2 * r + 1];
    const std::uint32_t newD = RotateLeft32(a ^ t, static_cast<int>(u)) + s[2 * r];
    // (A, B, C, D) := (B, C, D, A) with the new A and C.
    a = b;
    b = newB;
    c = d;
    d = newD;
  }
  detail::StoreFourLE32(block, a + s[2 * rounds + 2], b, c + s[2 * rounds + 3], d);
}

void TCipher_RC6::DecryptBlock(void* block) {
  auto* bytes = static_cast<std::uint8_t*>(block);
  const std::uint32_t* s = key_->s;
  const std::uint32_t rounds = key_->rounds;
  std::uint32_t a = LoadLE32(bytes) - s[2 * rounds + 2], b = LoadLE32(bytes + 4);
  std::uint32_t c = LoadLE32(bytes + 8) - s[2 * rounds + 3], d = LoadLE32(bytes + 12);
  for (std::uint32_t r = rounds; r >= 1; --r) {
    // (A, B, C, D) := (D, A, B, C), then undo the round.
    const std::uint32_t oldA = d, oldB = a, oldC = b, oldD = c;
    const std::uint32_t t = Quadratic(oldB), u = Quadratic(oldD);
    a = RotateRight32(oldA - s[2 * r], static_cast<int>(u)) ^ t;
    c = RotateRight32(oldC - s[2 * r + 1], static_cast<int>(t)) ^ u;
    b = oldB;
    d = oldD;
  }
  detail::StoreFourLE32(block, a, b - s[0], c, d - s[1]);
}

}  // namespace hushlake
