#include "cipher/tea.h"

#include <algorithm>
#include <cstring>

#include "crypto/bytes.h"

namespace hushlake {

const TCipherClass TCipher_TEA::Class = {
    .className = "TCipher_TEA",
    .displayName = "TEA",
    .note = "",
    .blockSize = 8,
    .keySize = 16,
    .userSize = 32,
    .referenceOutputHex = "b7b8aabb264b06f97086b0e4560429ccbf55ea4eef59261819b0037c298ce277",
    .create = &CreateCipherInstance<TCipher_TEA>,
};

const TCipherClass TCipher_TEAN::Class = {
    .className = "TCipher_TEAN",
    .displayName = "TEA extended",
    .note = "",
    .blockSize = 8,
    .keySize = 16,
    .userSize = 32,
    .referenceOutputHex = "cd7ebba2921a4b3be29e62cff71da5df63339429e2367c663ff81af90278bfa1",
    .create = &CreateCipherInstance<TCipher_TEAN>,
};

namespace {

struct Halves {
  std::uint32_t y, z;
};

// The block moves as one 64-bit word, as the chaining modes move it;
// mismatched store and load widths would stall every block.
inline Halves LoadHalves(const void* block) {
  const std::uint64_t v = LoadLE64(block);
  return {static_cast<std::uint32_t>(v), static_cast<std::uint32_t>(v >> 32)};
}

inline void StoreHalves(void* block, std::uint32_t y, std::uint32_t z) {
  StoreLE64(block, y | static_cast<std::uint64_t>(z) << 32);
}

}  // namespace

void TCipher_TEA::SetRounds(int value) { Rounds = std::clamp(value, 16, 32); }

void TCipher_TEA::Init(const void* key, int size, const void* iVector) {
  size = BeginInit(size);
  SetRounds(Rounds);
  // The schedule is zero after BeginInit, so a short key arrives zero-padded.
  if (size > 0) std::memcpy(key_->k, key, static_cast<std::size_t>(size));
  key_->cycles = static_cast<std::uint32_t>(Rounds);
  FinishInit(iVector);
}

// The XOR with Z comes before the addition of the sum: this system's TEA.
void TCipher_TEA::EncryptBlock(void* block) {
  auto [y, z] = LoadHalves(block);
  const auto& [k, cycles] = *key_;
  std::uint32_t sum = 0;
  for (std::uint32_t i = 0; i < cycles; ++i) {
    sum += Delta;
    y += ((((z << 4) + k[0]) ^ z) + sum) ^ ((z >> 5) + k[1]);
    z += ((((y << 4) + k[2]) ^ y) + sum) ^ ((y >> 5) + k[3]);
  }
  StoreHalves(block, y, z);
}

void TCipher_TEA::DecryptBlock(void* block) {
  auto [y, z] = LoadHalves(block);
  const auto& [k, cycles] = *key_;
  std::uint32_t sum = Delta * cycles;
  for (std::uint32_t i = 0; i < cycles; ++i) {
    z -= ((((y << 4) + k[2]) ^ y) + sum) ^ ((y >> 5) + k[3]);
    y -= ((((z << 4) + k[0]) ^ z) + sum) ^ ((z >> 5) + k[1]);
    sum -= Delta;
  }
  StoreHalves(block, y, z);
}

// The three terms are added: this system's extended TEA, not XTEA.
void TCipher_TEAN::EncryptBlock(void* block) {
  auto [y, z] = LoadHalves(block);
  const auto& [k, cycles] = Key();
  std::uint32_t sum = 0;
  for (std::uint32_t i = 0; i < cycles; ++i) {
    y += ((z << 4) ^ (z >> 5)) + (z ^ sum) + k[sum & 3];
    sum += Delta;
    z += ((y << 4) ^ (y >> 5)) + (y ^ sum) + k[(sum >> 11) & 3];
  }
  StoreHalves(block, y, z);
}

void TCipher_TEAN::DecryptBlock(void* block) {
  auto [y, z] = LoadHalves(block);
  const auto& [k, cycles] = Key();
  std::uint32_t sum = Delta * cycles;
  for (std::uint32_t i = 0; i < cycles; ++i) {
    z -= ((y << 4) ^ (y >> 5)) + (y ^ sum) + k[(sum >> 11) & 3];
    sum -= Delta;
    y -= ((z << 4) ^ (z >> 5)) + (z ^ sum) + k[sum & 3];
  }
  StoreHalves(block, y, z);
}

}  // namespace hushlake
