#include "cipher/frog.h"

#include <algorithm>
#include <cstring>

namespace hushlake {

// Not offered by the main window: the reference output is ours to fix,
// computed with the reference procedure (class name cut to KeySize as key,
// cmCTS, no vector, TestInput enciphered) once the published FROG known
// answers passed.
const TCipherClass TCipher_FROG::Class = {
    .className = "TCipher_FROG",
    .displayName = "FROG",
    .note = "",
    .blockSize = 32,
    .keySize = 125,
    .userSize = 5120,
    .referenceOutputHex = "222d066716319cc8a5564b4cf769b07ad51f9fb8d00eedd170509bc80b35284a",
    .create = &CreateCipherInstance<TCipher_FROG>,
};

namespace detail {

namespace {

// randomSeed of the submission: the first 251 five-digit groups of RAND's
// "A Million Random Digits", each taken modulo 256.
constexpr std::array<std::uint8_t, 251> RandomSeed = {{
    0x71, 0x15, 0xE8, 0x12, 0x71, 0x5C, 0x3F, 0x9D, 0x7C, 0xC1, 0xA6, 0xC5, 0x7E, 0x38, 0xE5, 0xE5,
    0x9C, 0xA2, 0x36, 0x11, 0xE6, 0x59, 0xBD, 0x57, 0xA9, 0x00, 0x51, 0xCC, 0x08, 0x46, 0xCB, 0xE1,
    0xA0, 0x3B, 0xA7, 0xBD, 0x64, 0x9D, 0x54, 0x0B, 0x07, 0x82, 0x1D, 0x33, 0x20, 0x2D, 0x87, 0xED,
    0x8B, 0x21, 0x11, 0xDD, 0x18, 0x32, 0x59, 0x4A, 0x15, 0xCD, 0xBF, 0xF2, 0x54, 0x35, 0x03, 0xE6,
    0xE7, 0x76, 0x0F, 0x0F, 0x6B, 0x04, 0x15, 0x22, 0x03, 0x9C, 0x39, 0x42, 0x5D, 0xFF, 0xBF, 0x03,
    0x55, 0x87, 0xCD, 0xC8, 0xB9, 0xCC, 0x34, 0x25, 0x23, 0x18, 0x44, 0xB9, 0xC9, 0x0A, 0xE0, 0xEA,
    0x07, 0x78, 0xC9, 0x73, 0xD8, 0x67, 0x39, 0xFF, 0x5D, 0x6E, 0x2A, 0xF9, 0x44, 0x0E, 0x1D, 0x37,
    0x80, 0x54, 0x25, 0x98, 0xDD, 0x89, 0x27, 0x0B, 0xFC, 0x32, 0x90, 0x23, 0xB2, 0xBE, 0x2B, 0xA2,
    0x67, 0xF9, 0x6D, 0x08, 0xEB, 0x21, 0x9E, 0x6F, 0xFC, 0xCD, 0xA9, 0x36, 0x0A, 0x14, 0xDD, 0xC9,
    0xB2, 0xE0, 0x59, 0xB8, 0xB6, 0x41, 0xC9, 0x0A, 0x3C, 0x06, 0xBF, 0xAE, 0x4F, 0x62, 0x1A, 0xA0,
    0xFC, 0x33, 0x3F, 0x4F, 0x06, 0x66, 0x7B, 0xAD, 0x31, 0x03, 0x6E, 0xE9, 0x5A, 0x9E, 0xE4, 0xD2,
    0xD1, 0xED, 0x1E, 0x5F, 0x1C, 0xB3, 0xCC, 0xDC, 0x48, 0xA3, 0x4D, 0xA6, 0xC0, 0x62, 0xA5, 0x19,
    0x91, 0xA2, 0x5B, 0xD4, 0x29, 0xE6, 0x6E, 0x06, 0x6B, 0xBB, 0x7F, 0x26, 0x52, 0x62, 0x1E, 0x43,
    0xE1, 0x50, 0xD0, 0x86, 0x3C, 0xFA, 0x99, 0x57, 0x94, 0x3C, 0x42, 0xA5, 0x48, 0x1D, 0xA5, 0x52,
    0xD3, 0xCF, 0x00, 0xB1, 0xCE, 0x0D, 0x06, 0x0E, 0x5C, 0xF8, 0x3C, 0xC9, 0x84, 0x5F, 0x23, 0xD7,
    0x76, 0xB1, 0x79, 0xB4, 0x1B, 0x53, 0x83, 0x1A, 0x27, 0x2E, 0x0C,
}};

// Turns the first Last + 1 bytes at Values into a permutation of 0..Last:
// each byte is a step through the list of values not yet taken.
void MakePermutation(std::uint8_t* values, int last) {
  std::array<std::uint8_t, 256> unused;
  for (int i = 0; i <= last; ++i)
    unused[static_cast<std::size_t>(i)] = static_cast<std::uint8_t>(i);
  int remaining = last;  // index of the last unused value
  int j = 0;
  for (int i = 0; i < last; ++i) {
    j = (j + values[i]) % (remaining + 1);
    values[i] = unused[static_cast<std::size_t>(j)];
    std::memmove(&unused[static_cast<std::size_t>(j)], &unused[static_cast<std::size_t>(j) + 1],
                 static_cast<std::size_t>(remaining - j));
    --remaining;
    if (j > remaining) j = 0;
  }
  values[last] = unused[0];
}

void InvertPermutation(std::uint8_t (&permutation)[256]) {
  std::uint8_t inverse[256];
  for (int i = 0; i < 256; ++i) inverse[permutation[i]] = static_cast<std::uint8_t>(i);
  std::memcpy(permutation, inverse, sizeof inverse);
}

// BombPermu must be one cycle through all positions: following it from 0,
// a position that leads back to 0 too early is sent to the next position not
// yet visited, and whatever pointed there is sent to 0 instead.
template <int BlockSize>
void JoinIntoOneCycle(std::uint8_t (&bomb)[BlockSize]) {
  bool used[BlockSize] = {};
  int j = 0;
  for (int i = 0; i < BlockSize - 1; ++i) {
    if (bomb[j] == 0) {
      int k = j;
      do k = (k + 1) % BlockSize;
      while (used[k]);
      bomb[j] = static_cast<std::uint8_t>(k);
      int l = k;
      while (bomb[l] != k) l = bomb[l];
      bomb[l] = 0;
    }
    used[j] = true;
    j = bomb[j];
  }
}

// No position may bomb its right neighbour (cyclically), which the chaining
// step already changes.
template <int BlockSize>
void AvoidNeighbours(std::uint8_t (&bomb)[BlockSize]) {
  for (int i = 0; i < BlockSize; ++i) {
    const int next = (i + 1) % BlockSize;
    if (bomb[i] == next) bomb[i] = static_cast<std::uint8_t>((next + 1) % BlockSize);
  }
}

// Makes raw key bytes into a valid internal key.
template <int BlockSize>
void FormatInternalKey(FrogInternalKey<BlockSize>& key, bool decrypting) {
  for (FrogIteration<BlockSize>& iteration : key) {
    MakePermutation(iteration.substPermu, 255);
    if (decrypting) InvertPermutation(iteration.substPermu);
    MakePermutation(iteration.bombPermu, BlockSize - 1);
    JoinIntoOneCycle<BlockSize>(iteration.bombPermu);
    AvoidNeighbours<BlockSize>(iteration.bombPermu);
  }
}

template <int BlockSize>
std::uint8_t* BytesOf(FrogInternalKey<BlockSize>& key) {
  return reinterpret_cast<std::uint8_t*>(key.data());
}

// The user key cycled against randomSeed gives a first internal key; under
// it, a block holding the key (at most one block of it) with its length
// XORed into byte 0 is enciphered again and again, and the outputs in a row
// are the raw internal key. The submission's code reads one byte past the
// block for a key of exactly BlockSize + 1 bytes; only whole-block bytes
// are taken here.
template <int BlockSize>
void HashKey(const std::uint8_t* key, int size, FrogInternalKey<BlockSize>& raw) {
  static_assert(sizeof(FrogInternalKey<BlockSize>) % BlockSize == 0);
  SecureStorage<FrogInternalKey<BlockSize>> simple;
  std::uint8_t* simpleBytes = BytesOf<BlockSize>(*simple);
  const std::size_t total = sizeof(FrogInternalKey<BlockSize>);
  for (std::size_t i = 0; i < total; ++i)
    simpleBytes[i] = RandomSeed[i % RandomSeed.size()] ^ key[i % static_cast<std::size_t>(size)];
  FormatInternalKey<BlockSize>(*simple, false);
  SecureStorage<std::array<std::uint8_t, BlockSize>> buffer;
  std::memcpy(buffer->data(), key, static_cast<std::size_t>(std::min(size, BlockSize)));
  (*buffer)[0] ^= static_cast<std::uint8_t>(size);
  std::uint8_t* rawBytes = BytesOf<BlockSize>(raw);
  for (std::size_t position = 0; position < total; position += BlockSize) {
    FrogEncrypt<BlockSize>(buffer->data(), *simple);
    std::memcpy(rawBytes + position, buffer->data(), BlockSize);
  }
}

}  // namespace

template <int BlockSize>
void FrogSetKey(const std::uint8_t* key, int size, FrogKeys<BlockSize>& keys) {
  HashKey<BlockSize>(key, size, keys.encrypt);
  keys.decrypt = keys.encrypt;
  FormatInternalKey<BlockSize>(keys.encrypt, false);
  FormatInternalKey<BlockSize>(keys.decrypt, true);
}

// Per byte: XOR the key byte, substitute, XOR into the next byte (the last
// into the first), XOR into the byte BombPermu names. BombPermu never names
// the next byte, so the next byte's new value is known before the bomb is
// stored and the chain from byte to byte stays in a register. The block is
// worked on in a local copy: stores through the caller's byte pointer could
// alias the key, which would force the key bytes to be read again.
template <int BlockSize>
void FrogEncrypt(std::uint8_t* block, const FrogInternalKey<BlockSize>& key) {
  std::uint8_t x[BlockSize];
  std::memcpy(x, block, BlockSize);
  for (const FrogIteration<BlockSize>& it : key) {
    std::uint8_t current = x[0];
    for (int i = 0; i < BlockSize - 1; ++i) {
      current = it.substPermu[current ^ it.xorBu[i]];
      x[i] = current;
      const std::uint8_t next = x[i + 1] ^ current;
      x[it.bombPermu[i]] ^= current;
      current = next;
    }
    current = it.substPermu[current ^ it.xorBu[BlockSize - 1]];
    x[BlockSize - 1] = current;
    x[0] ^= current;
    x[it.bombPermu[BlockSize - 1]] ^= current;
  }
  std::memcpy(block, x, BlockSize);
}

template <int BlockSize>
void FrogDecrypt(std::uint8_t* block, const FrogInternalKey<BlockSize>& key) {
  std::uint8_t x[BlockSize];
  std::memcpy(x, block, BlockSize);
  for (auto it = key.rbegin(); it != key.rend(); ++it) {
    for (int i = BlockSize - 1; i >= 0; --i) {
      x[it->bombPermu[i]] ^= x[i];
      x[(i + 1) % BlockSize] ^= x[i];
      x[i] = it->substPermu[x[i]] ^ it->xorBu[i];
    }
  }
  std::memcpy(block, x, BlockSize);
}

template void FrogSetKey<16>(const std::uint8_t*, int, FrogKeys<16>&);
template void FrogEncrypt<16>(std::uint8_t*, const FrogInternalKey<16>&);
template void FrogDecrypt<16>(std::uint8_t*, const FrogInternalKey<16>&);
template void FrogSetKey<32>(const std::uint8_t*, int, FrogKeys<32>&);
template void FrogEncrypt<32>(std::uint8_t*, const FrogInternalKey<32>&);
template void FrogDecrypt<32>(std::uint8_t*, const FrogInternalKey<32>&);

}  // namespace detail

void TCipher_FROG::Init(const void* key, int size, const void* iVector) {
  size = BeginInit(size);
  SecureStorage<std::array<std::uint8_t, MinKeySize>> padded;
  const std::uint8_t* bytes = static_cast<const std::uint8_t*>(key);
  if (size < MinKeySize) {
    if (size > 0) std::memcpy(padded->data(), key, static_cast<std::size_t>(size));
    bytes = padded->data();
    size = MinKeySize;
  }
  detail::FrogSetKey<32>(bytes, size, *key_);
  FinishInit(iVector);
}

void TCipher_FROG::EncryptBlock(void* block) {
  detail::FrogEncrypt<32>(static_cast<std::uint8_t*>(block), key_->encrypt);
}

void TCipher_FROG::DecryptBlock(void* block) {
  detail::FrogDecrypt<32>(static_cast<std::uint8_t*>(block), key_->decrypt);
}

}  // namespace hushlake
