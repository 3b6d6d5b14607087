#include "cipher/safer.h"

#include <array>
#include <cstring>

#include "crypto/bytes.h"

namespace hushlake {

const TCipherClass TCipher_SAFER::Class = {
    .className = "TCipher_SAFER",
    .displayName = "",
    .note = "",
    .blockSize = 8,
    .keySize = 16,
    .userSize = 768,
    .referenceOutputHex = "",
    .create = &CreateCipherInstance<TCipher_SAFER>,
};
const TCipherClass TCipher_SAFER_K40::Class = {
    .className = "TCipher_SAFER_K40",
    .displayName = "SAFER-K40",
    .note = "",
    .blockSize = 8,
    .keySize = 5,
    .userSize = 768,
    .referenceOutputHex = "",
    .create = &CreateCipherInstance<TCipher_SAFER_K40>,
};
const TCipherClass TCipher_SAFER_SK40::Class = {
    .className = "TCipher_SAFER_SK40",
    .displayName = "SAFER-SK40",
    .note = "Keyscheduling",
    .blockSize = 8,
    .keySize = 5,
    .userSize = 768,
    .referenceOutputHex = "",
    .create = &CreateCipherInstance<TCipher_SAFER_SK40>,
};
const TCipherClass TCipher_SAFER_K64::Class = {
    .className = "TCipher_SAFER_K64",
    .displayName = "SAFER-K64",
    .note = "",
    .blockSize = 8,
    .keySize = 8,
    .userSize = 768,
    .referenceOutputHex = "",
    .create = &CreateCipherInstance<TCipher_SAFER_K64>,
};
const TCipherClass TCipher_SAFER_SK64::Class = {
    .className = "TCipher_SAFER_SK64",
    .displayName = "SAFER-SK64",
    .note = "Keyscheduling",
    .blockSize = 8,
    .keySize = 8,
    .userSize = 768,
    .referenceOutputHex = "",
    .create = &CreateCipherInstance<TCipher_SAFER_SK64>,
};
const TCipherClass TCipher_SAFER_K128::Class = {
    .className = "TCipher_SAFER_K128",
    .displayName = "SAFER-K128",
    .note = "",
    .blockSize = 8,
    .keySize = 16,
    .userSize = 768,
    .referenceOutputHex = "0ca970b9f31487d99e5e783174dfa8bb3d40a5d98c7c04b79c01da63ab2635bc",
    .create = &CreateCipherInstance<TCipher_SAFER_K128>,
};
const TCipherClass TCipher_SAFER_SK128::Class = {
    .className = "TCipher_SAFER_SK128",
    .displayName = "SAFER-SK128",
    .note = "Keyscheduling",
    .blockSize = 8,
    .keySize = 16,
    .userSize = 768,
    .referenceOutputHex = "c8a670332938382b69ac61728fdc9fa49e6fc453d889ff4272097dcdd0ea7e28",
    .create = &CreateCipherInstance<TCipher_SAFER_SK128>,
};

namespace {

using ByteTable = std::array<std::uint8_t, 256>;

// Exp[i] = 45^i mod 257, with 45^128 = 256 stored as 0.
constexpr ByteTable MakeExp() {
  ByteTable exp{};
  std::uint32_t value = 1;
  for (std::size_t i = 0; i < 256; ++i) {
    exp[i] = static_cast<std::uint8_t>(value & 0xFF);
    value = value * 45 % 257;
  }
  return exp;
}

constexpr ByteTable MakeLog(const ByteTable& exp) {
  ByteTable log{};
  for (std::size_t i = 0; i < 256; ++i) log[exp[i]] = static_cast<std::uint8_t>(i);
  return log;
}

constexpr ByteTable Exp = MakeExp();
constexpr ByteTable Log = MakeLog(Exp);

constexpr std::uint8_t RotateByte(std::uint8_t value, int shift) {
  return static_cast<std::uint8_t>((value << shift) | (value >> (8 - shift)));
}

// The round works on eight bytes held in wider words: only the low eight
// bits of each matter, since additions and XORs never carry downwards.
struct State {
  std::uint32_t a, b, c, d, e, f, g, h;
};

inline std::uint32_t E(std::uint32_t x) { return Exp[x & 0xFF]; }
inline std::uint32_t L(std::uint32_t x) { return Log[x & 0xFF]; }

// Pseudo-Hadamard transform (x, y) -> (2x + y, x + y) and its inverse.
inline void Pht(std::uint32_t& x, std::uint32_t& y) {
  y += x;
  x += y;
}
inline void InversePht(std::uint32_t& x, std::uint32_t& y) {
  x -= y;
  y -= x;
}

// XOR on bytes 0, 3, 4, 7 and addition on the others.
inline void MixKey(State& s, const std::uint8_t* k) {
  s.a ^= k[0], s.b += k[1], s.c += k[2], s.d ^= k[3];
  s.e ^= k[4], s.f += k[5], s.g += k[6], s.h ^= k[7];
}
inline void UnmixKey(State& s, const std::uint8_t* k) {
  s.a ^= k[0], s.b -= k[1], s.c -= k[2], s.d ^= k[3];
  s.e ^= k[4], s.f -= k[5], s.g -= k[6], s.h ^= k[7];
}

inline void EncryptRound(State& s, const std::uint8_t* k) {
  MixKey(s, k);
  s.a = E(s.a) + k[8], s.b = L(s.b) ^ k[9], s.c = L(s.c) ^ k[10], s.d = E(s.d) + k[11];
  s.e = E(s.e) + k[12], s.f = L(s.f) ^ k[13], s.g = L(s.g) ^ k[14], s.h = E(s.h) + k[15];
  Pht(s.a, s.b), Pht(s.c, s.d), Pht(s.e, s.f), Pht(s.g, s.h);
  Pht(s.a, s.c), Pht(s.e, s.g), Pht(s.b, s.d), Pht(s.f, s.h);
  Pht(s.a, s.e), Pht(s.b, s.f), Pht(s.c, s.g), Pht(s.d, s.h);
  // The published byte permutation, folded into the order of the next round.
  s = {s.a, s.e, s.b, s.f, s.c, s.g, s.d, s.h};
}

inline void DecryptRound(State& s, const std::uint8_t* k) {
  s = {s.a, s.c, s.e, s.g, s.b, s.d, s.f, s.h};
  InversePht(s.a, s.e), InversePht(s.b, s.f), InversePht(s.c, s.g), InversePht(s.d, s.h);
  InversePht(s.a, s.c), InversePht(s.e, s.g), InversePht(s.b, s.d), InversePht(s.f, s.h);
  InversePht(s.a, s.b), InversePht(s.c, s.d), InversePht(s.e, s.f), InversePht(s.g, s.h);
  s.a = L(s.a - k[8]), s.b = E(s.b ^ k[9]), s.c = E(s.c ^ k[10]), s.d = L(s.d - k[11]);
  s.e = L(s.e - k[12]), s.f = E(s.f ^ k[13]), s.g = E(s.g ^ k[14]), s.h = L(s.h - k[15]);
  UnmixKey(s, k);
}

State LoadState(const std::uint8_t* p) { return {p[0], p[1], p[2], p[3], p[4], p[5], p[6], p[7]}; }

// One 64-bit store: the chaining modes read the block back as words at once.
void StoreState(std::uint8_t* p, const State& s) {
  const auto byte = [](std::uint32_t value, int position) {
    return static_cast<std::uint64_t>(value & 0xFF) << (8 * position);
  };
  StoreLE64(p, byte(s.a, 0) | byte(s.b, 1) | byte(s.c, 2) | byte(s.d, 3) | byte(s.e, 4) |
                   byte(s.f, 5) | byte(s.g, 6) | byte(s.h, 7));
}

int DefaultRounds(TSAFERMode mode) {
  switch (mode) {
    case smK40:
    case smSK40:
      return 5;
    case smK64:
    case smSK64:
      return 6;
    case smK128:
    case smSK128:
      return 10;
    default:
      return 8;
  }
}

void AppendParity(std::uint8_t (&reg)[9]) {
  reg[8] = 0;
  for (int j = 0; j < 8; ++j) reg[8] ^= reg[j];
}

}  // namespace

void TCipher_SAFER::SetRounds(int value) {
  Rounds = (value >= 4 && value <= MaxRounds) ? value : DefaultRounds(mode_);
}

// Fills both registers from the key: K40 extends its five bytes to nine,
// K64 and short K128 keys use one 8-byte half for both, longer K128 keys
// (and the plain base class) split at byte 8. Key is zero-padded to KeySize.
void TCipher_SAFER::LoadRegisters(const std::uint8_t* key, int size, Registers& r) const {
  if (size > 0) std::memcpy(r.a, key, static_cast<std::size_t>(size < 8 ? size : 8));
  const int keyBits = mode_ & 3;
  if (keyBits == 1) {
    const std::uint8_t* k = r.a;
    r.a[5] = static_cast<std::uint8_t>(k[0] ^ k[2] ^ 0x81);
    r.a[6] = static_cast<std::uint8_t>(k[0] ^ k[3] ^ k[4] ^ 0x42);
    r.a[7] = static_cast<std::uint8_t>(k[1] ^ k[2] ^ k[4] ^ 0x24);
    r.a[8] = static_cast<std::uint8_t>(k[1] ^ k[3] ^ 0x18);
    std::memcpy(r.b, r.a, 9);
    return;
  }
  AppendParity(r.a);
  if (keyBits == 2 || size <= 8) {
    std::memcpy(r.b, r.a, 9);
    return;
  }
  std::memcpy(r.b, key + 8, static_cast<std::size_t>(size - 8));
  AppendParity(r.b);
}

// The reference key schedule: subkey 1 is the second register; for every
// round both registers are rotated by 6 bits per byte and biased by
// exp(exp(.)); the strengthened schedule picks register bytes cyclically.
void TCipher_SAFER::ExpandKey(Registers& r) {
  const bool strengthened = (mode_ & 4) != 0;
  for (int j = 0; j < 8; ++j) key_->subkeys[j] = r.b[j];
  for (std::uint8_t& byte : r.a) byte = RotateByte(byte, 5);
  for (int i = 1; i <= Rounds; ++i) {
    for (int j = 0; j < 9; ++j) {
      r.a[j] = RotateByte(r.a[j], 6);
      r.b[j] = RotateByte(r.b[j], 6);
    }
    std::uint8_t* first = key_->subkeys + 8 * (2 * i - 1);
    std::uint8_t* second = first + 8;
    for (int j = 0; j < 8; ++j) {
      const std::uint8_t a = strengthened ? r.a[(j + 2 * i - 1) % 9] : r.a[j];
      const std::uint8_t b = strengthened ? r.b[(j + 2 * i) % 9] : r.b[j];
      first[j] = static_cast<std::uint8_t>(a + Exp[Exp[18 * i + j + 1]]);
      second[j] = static_cast<std::uint8_t>(b + Exp[Exp[18 * i + j + 10]]);
    }
  }
}

void TCipher_SAFER::Init(const void* key, int size, const void* iVector) {
  size = BeginInit(size);
  SetRounds(Rounds);
  key_->rounds = static_cast<std::uint32_t>(Rounds);
  Registers registers{};
  LoadRegisters(static_cast<const std::uint8_t*>(key), size, registers);
  ExpandKey(registers);
  SecureWipe(&registers, sizeof(registers));
  FinishInit(iVector);
}

void TCipher_SAFER::EncryptBlock(void* block) {
  auto* p = static_cast<std::uint8_t*>(block);
  State s = LoadState(p);
  const std::uint8_t* k = key_->subkeys;
  for (std::uint32_t round = 0; round < key_->rounds; ++round, k += 16) EncryptRound(s, k);
  MixKey(s, k);
  StoreState(p, s);
}

void TCipher_SAFER::DecryptBlock(void* block) {
  auto* p = static_cast<std::uint8_t*>(block);
  State s = LoadState(p);
  const std::uint8_t* k = key_->subkeys + 16 * key_->rounds;
  UnmixKey(s, k);
  for (std::uint32_t round = 0; round < key_->rounds; ++round) {
    k -= 16;
    DecryptRound(s, k);
  }
  StoreState(p, s);
}

}  // namespace hushlake
