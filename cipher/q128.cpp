#include "cipher/q128.h"

#include <cstring>

#include "crypto/bytes.h"
#include "crypto/support.h"

namespace hushlake {

const TCipherClass TCipher_Q128::Class = {
    .className = "TCipher_Q128",
    .displayName = "Q128",
    .note = "",
    .blockSize = 16,
    .keySize = 16,
    .userSize = 256,
    // What this implementation makes of TestInput. Only the six fixed table
    // words are common to every Q128, so this value belongs to our table.
    .referenceOutputHex = "ca1370f5a9fa03b7281f880524f1d66c6e3cc308624a31187ef5118946288c44",
    .create = &CreateCipherInstance<TCipher_Q128>,
};

namespace {

constexpr std::uint32_t Q(std::uint32_t word) { return Q128Table[word & 0x3FF]; }

// One step of the schedule: the next word takes the table entry of the
// current one, and the current one turns right by 10 bits.
inline void StirPair(std::uint32_t& current, std::uint32_t& next) {
  next ^= Q(current);
  current = RotateRight32(current, 10);
}

}  // namespace

void TCipher_Q128::Init(const void* key, int size, const void* iVector) {
  size = BeginInit(size);
  std::array<std::uint8_t, 16> keyBlock{};
  if (size > 0) std::memcpy(keyBlock.data(), key, static_cast<std::size_t>(size));
  std::array<std::uint32_t, 4> w{};
  for (int i = 0; i < 4; ++i) w[i] = LoadLE32(keyBlock.data() + 4 * i);

  // Three passes only stir the work block; the next sixteen give the round keys.
  std::uint32_t* out = key_->roundKey.data();
  for (int pass = 19; pass >= 1; --pass) {
    StirPair(w[0], w[1]);
    StirPair(w[1], w[2]);
    StirPair(w[2], w[3]);
    StirPair(w[3], w[0]);
    if (pass <= Rounds) {
      std::memcpy(out, w.data(), sizeof w);
      out += 4;
    }
  }
  SecureWipe(keyBlock.data(), keyBlock.size());
  SecureWipe(w.data(), sizeof w);
  FinishInit(iVector);
}

void TCipher_Q128::EncryptBlock(void* block) {
  auto* bytes = static_cast<std::uint8_t*>(block);
  std::uint32_t a = LoadLE32(bytes), b = LoadLE32(bytes + 4);
  std::uint32_t c = LoadLE32(bytes + 8), d = LoadLE32(bytes + 12);
  const std::uint32_t* k = key_->roundKey.data();
  for (int round = 0; round < Rounds; ++round, k += 4) {
    b ^= Q(a) + k[0];
    c ^= Q(b) + k[1];
    d ^= Q(c) + k[2];
    a = RotateLeft32(a, 10) ^ (Q(d) + k[3]);
    b = RotateLeft32(b, 10);
    c = RotateLeft32(c, 10);
    d = RotateLeft32(d, 10);
  }
  StoreLE32(bytes, a);
  StoreLE32(bytes + 4, b);
  StoreLE32(bytes + 8, c);
  StoreLE32(bytes + 12, d);
}

void TCipher_Q128::DecryptBlock(void* block) {
  auto* bytes = static_cast<std::uint8_t*>(block);
  std::uint32_t a = LoadLE32(bytes), b = LoadLE32(bytes + 4);
  std::uint32_t c = LoadLE32(bytes + 8), d = LoadLE32(bytes + 12);
  for (int round = Rounds - 1; round >= 0; --round) {
    const std::uint32_t* k = key_->roundKey.data() + 4 * round;
    d = RotateRight32(d, 10);
    a ^= Q(d) + k[3];
    c = RotateRight32(c, 10);
    d ^= Q(c) + k[2];
    b = RotateRight32(b, 10);
    c ^= Q(b) + k[1];
    a = RotateRight32(a, 10);
    b ^= Q(a) + k[0];
  }
  StoreLE32(bytes, a);
  StoreLE32(bytes + 4, b);
  StoreLE32(bytes + 8, c);
  StoreLE32(bytes + 12, d);
}

}  // namespace hushlake
