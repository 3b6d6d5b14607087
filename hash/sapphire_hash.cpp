#include "hash/sapphire_hash.h"

#include "crypto/bytes.h"

namespace hushlake {

namespace {

constexpr int FinalPadSize = 40;

// The running indices of the byte step, kept in locals while a buffer is
// absorbed; all arithmetic is modulo 256.
struct Cursor {
  std::uint8_t step, drift, cascade, prevInput, prevOutput;
};

inline std::uint8_t Sum(unsigned a, unsigned b) { return static_cast<std::uint8_t>(a + b); }

// The Sapphire II byte step; leaves the new output in c.prevOutput.
inline void AbsorbByte(Cursor& c, std::uint8_t* deck, std::uint8_t b) {
  c.drift = Sum(c.drift, deck[c.step]);
  c.step = Sum(c.step, 1);
  const std::uint8_t t = deck[c.prevOutput];
  deck[c.prevOutput] = deck[c.drift];
  deck[c.drift] = deck[c.prevInput];
  deck[c.prevInput] = deck[c.step];
  deck[c.step] = t;
  c.cascade = Sum(c.cascade, deck[t]);
  const std::uint8_t x = Sum(Sum(deck[c.prevInput], deck[c.prevOutput]), deck[c.cascade]);
  c.prevInput = b;
  const std::uint8_t mixed = deck[Sum(deck[c.drift], deck[c.step])];
  c.prevOutput = static_cast<std::uint8_t>(b ^ mixed ^ deck[deck[x]]);
}

}  // namespace

const THashClass THash_Sapphire128::Class = {
    .className = "THash_Sapphire128",
    .displayName = "Sapphire II-128",
    .category = "Hash",
    .digestSize = 16,
    .blockSize = 1,
    .referenceDigestHex = "47ae1613c93a942d26748d62432688d8",
    .create = &CreateHashInstance<THash_Sapphire128>,
};
const THashClass THash_Sapphire160::Class = {
    .className = "THash_Sapphire160",
    .displayName = "Sapphire II-160",
    .category = "Hash",
    .digestSize = 20,
    .blockSize = 1,
    .referenceDigestHex = "73d91aceb175fd04907a97413c200f532c22b38c",
    .create = &CreateHashInstance<THash_Sapphire160>,
};
const THashClass THash_Sapphire192::Class = {
    .className = "THash_Sapphire192",
    .displayName = "Sapphire II-192",
    .category = "Hash",
    .digestSize = 24,
    .blockSize = 1,
    .referenceDigestHex = "95413fe02b527e50b5ff57eb763d325129eb796f4a64fb17",
    .create = &CreateHashInstance<THash_Sapphire192>,
};
const THashClass THash_Sapphire224::Class = {
    .className = "THash_Sapphire224",
    .displayName = "Sapphire II-224",
    .category = "Hash",
    .digestSize = 28,
    .blockSize = 1,
    .referenceDigestHex = "8f3ec55792316cdfca40183a8608089934fdeb21aba4520f4017d3d0",
    .create = &CreateHashInstance<THash_Sapphire224>,
};
const THashClass THash_Sapphire256::Class = {
    .className = "THash_Sapphire256",
    .displayName = "Sapphire II-256",
    .category = "Hash",
    .digestSize = 32,
    .blockSize = 1,
    .referenceDigestHex = "e7c82b6d258afde0344293a3e2e52896a546506b1393861b40c6934b51fa66dd",
    .create = &CreateHashInstance<THash_Sapphire256>,
};
const THashClass THash_Sapphire288::Class = {
    .className = "THash_Sapphire288",
    .displayName = "Sapphire II-288",
    .category = "Hash",
    .digestSize = 36,
    .blockSize = 1,
    .referenceDigestHex =
        "40f65a37d8cb1165dcfbde632b2cbe9c2bb7f3ed22d1ebef0fa188ed23f07f9c7e613740",
    .create = &CreateHashInstance<THash_Sapphire288>,
};
const THashClass THash_Sapphire320::Class = {
    .className = "THash_Sapphire320",
    .displayName = "Sapphire II-320",
    .category = "Hash",
    .digestSize = 40,
    .blockSize = 1,
    .referenceDigestHex =
        "d8eda5749948ac0b0090cd8761f218dba41dcb73e43399dd37120693973395004acf86db236de76b",
    .create = &CreateHashInstance<THash_Sapphire320>,
};

THash_Sapphire320::THash_Sapphire320(ProtectionPtr next) : THash(std::move(next)) {}

void THash_Sapphire320::Init() {
  State& s = *state_;
  s.byteCount = 0;
  s.step = 1;
  s.drift = 3;
  s.cascade = 5;
  s.prevInput = 7;
  s.prevOutput = 11;
  for (int i = 0; i < 256; ++i) s.deck[i] = static_cast<std::uint8_t>(255 - i);
  s.digest.fill(0);
  ChainHook(true);
}

void THash_Sapphire320::Update(const void* data, int size) {
  if (data == nullptr || size <= 0) return;
  State& s = *state_;
  s.byteCount += static_cast<std::uint32_t>(size);
  Cursor c{s.step, s.drift, s.cascade, s.prevInput, s.prevOutput};
  const auto* bytes = static_cast<const std::uint8_t*>(data);
  for (int i = 0; i < size; ++i) AbsorbByte(c, s.deck.data(), bytes[i]);
  s.step = c.step;
  s.drift = c.drift;
  s.cascade = c.cascade;
  s.prevInput = c.prevInput;
  s.prevOutput = c.prevOutput;
}

void THash_Sapphire320::Final() {
  State& s = *state_;
  const int digestSize = DigestSize();
  auto t = static_cast<std::uint8_t>(digestSize);
  for (int v = 255; v >= 0; --v) {
    t = static_cast<std::uint8_t>(t ^ v);
    Update(&t, 1);
  }
  // Built after the 256 steps above, so the length counts them too.
  std::array<std::uint8_t, FinalPadSize> pad{};
  pad[0] = 0x80;
  pad[1] = 0x02;
  pad[2] = 0x00;
  pad[3] = static_cast<std::uint8_t>(digestSize);
  pad[4] = 1;
  pad[5] = 3;
  pad[6] = 5;
  pad[7] = 7;
  pad[8] = 11;
  StoreLE64(pad.data() + 9, std::uint64_t{s.byteCount * 8u});
  for (int i = 0; i < digestSize; ++i) {
    Update(&pad[i], 1);
    s.digest[i] ^= s.prevOutput;
  }
  ChainHook(false);
}

}  // namespace hushlake
