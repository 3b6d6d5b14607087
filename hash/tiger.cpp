// Tiger (Anderson and Biham) on the MD4 family frame, with this system's
// arithmetic shift in the key schedule and a selectable number of passes.
#include "hash/tiger.h"

#include "crypto/bytes.h"
#include "hash/md4_family.h"
#include "hash/unrolled_steps.h"

namespace hushlake {

const THashClass THash_Tiger::Class = {
    .className = "THash_Tiger",
    .displayName = "Tiger",
    .category = "Hash",
    .digestSize = 24,
    .blockSize = 64,
    .referenceDigestHex = "7610d2cda517a4d6ff35734fce5c7795f3a1516e1e024d87",
    .create = &CreateHashInstance<THash_Tiger>,
};

namespace {

constexpr int DefaultPasses = 3;
constexpr int MaxPasses = 32;

HUSHLAKE_ALWAYS_INLINE std::uint64_t Lookup(int table, std::uint64_t word, int byte) {
  return TigerSBoxes[table][(word >> (8 * byte)) & 0xFF];
}

template <std::uint64_t Mul>
HUSHLAKE_ALWAYS_INLINE void Round(std::uint64_t& a, std::uint64_t& b, std::uint64_t& c,
                                  std::uint64_t x) {
  c ^= x;
  a -= Lookup(0, c, 0) ^ Lookup(1, c, 2) ^ Lookup(2, c, 4) ^ Lookup(3, c, 6);
  b += Lookup(3, c, 1) ^ Lookup(2, c, 3) ^ Lookup(1, c, 5) ^ Lookup(0, c, 7);
  b *= Mul;
}

template <std::uint64_t Mul>
HUSHLAKE_ALWAYS_INLINE void Pass(std::uint64_t& a, std::uint64_t& b, std::uint64_t& c,
                                 const std::uint64_t (&x)[8]) {
  Round<Mul>(a, b, c, x[0]);
  Round<Mul>(b, c, a, x[1]);
  Round<Mul>(c, a, b, x[2]);
  Round<Mul>(a, b, c, x[3]);
  Round<Mul>(b, c, a, x[4]);
  Round<Mul>(c, a, b, x[5]);
  Round<Mul>(a, b, c, x[6]);
  Round<Mul>(b, c, a, x[7]);
}

template <TigerShift Shift>
HUSHLAKE_ALWAYS_INLINE std::uint64_t ShiftRight23(std::uint64_t value) {
  if constexpr (Shift == TigerShift::Arithmetic)
    return static_cast<std::uint64_t>(static_cast<std::int64_t>(value) >> 23);
  else
    return value >> 23;
}

template <TigerShift Shift>
HUSHLAKE_ALWAYS_INLINE void KeySchedule(std::uint64_t (&x)[8]) {
  x[0] -= x[7] ^ 0xA5A5A5A5A5A5A5A5u;
  x[1] ^= x[0];
  x[2] += x[1];
  x[3] -= x[2] ^ (~x[1] << 19);
  x[4] ^= x[3];
  x[5] += x[4];
  x[6] -= x[5] ^ ShiftRight23<Shift>(~x[4]);
  x[7] ^= x[6];
  x[0] += x[7];
  x[1] -= x[0] ^ (~x[7] << 19);
  x[2] ^= x[1];
  x[3] += x[2];
  x[4] -= x[3] ^ ShiftRight23<Shift>(~x[2]);
  x[5] ^= x[4];
  x[6] += x[5];
  x[7] -= x[6] ^ 0x0123456789ABCDEFu;
}

}  // namespace

template <TigerShift Shift>
void TigerCompress(std::uint64_t (&state)[3], const std::uint8_t* block, int passes) {
  std::uint64_t x[8];
  for (int i = 0; i < 8; ++i) x[i] = LoadLE64(block + 8 * i);
  std::uint64_t a = state[0], b = state[1], c = state[2];
  // After every pass the roles move on: (first, second, third) <- (third, first, second).
  Pass<5>(a, b, c, x);
  KeySchedule<Shift>(x);
  Pass<7>(c, a, b, x);
  KeySchedule<Shift>(x);
  Pass<9>(b, c, a, x);
  for (int pass = DefaultPasses; pass < passes; ++pass) {
    KeySchedule<Shift>(x);
    Pass<9>(a, b, c, x);
    const std::uint64_t third = c;
    c = b;
    b = a;
    a = third;
  }
  state[0] ^= a;
  state[1] = b - state[1];
  state[2] += c;
}

template void TigerCompress<TigerShift::Arithmetic>(std::uint64_t (&)[3], const std::uint8_t*, int);
template void TigerCompress<TigerShift::Logical>(std::uint64_t (&)[3], const std::uint8_t*, int);

void THash_Tiger::Init() {
  if (passes_ < DefaultPasses || passes_ > MaxPasses) passes_ = DefaultPasses;
  ResetFrame();
  const std::uint64_t initial[3] = {0x0123456789ABCDEFu, 0xFEDCBA9876543210u, 0xF096A5B4C3B2E187u};
  for (int i = 0; i < 3; ++i) StoreLE64(Chain() + 2 * i, initial[i]);
  ChainHook(true);
}

void THash_Tiger::Final() {
  PadAndCompress(0x01, LengthOrder::LittleEndian);
  ChainHook(false);
}

void THash_Tiger::CompressBlock(const std::uint8_t* block) {
  std::uint64_t state[3];
  for (int i = 0; i < 3; ++i) state[i] = LoadLE64(Chain() + 2 * i);
  TigerCompress<TigerShift::Arithmetic>(state, block, passes_);
  for (int i = 0; i < 3; ++i) StoreLE64(Chain() + 2 * i, state[i]);
}

}  // namespace hushlake
