#include "hash/haval.h"

#include <algorithm>
#include <bit>
#include <utility>

#include "crypto/bytes.h"
#include "hash/block_buffering.h"
#include "hash/haval_tables.h"

namespace hushlake {

namespace {

using Word = std::uint32_t;

// Pass count, version and output size go into the final block, so every
// (passes, size) pair is a function of its own.
constexpr int LengthFieldOffset = 120;
constexpr int TailOffset = 118;

// The five Boolean functions, in the form of the reference code.
template <int Pass>
[[gnu::always_inline]] inline Word Boolean(Word x6, Word x5, Word x4, Word x3, Word x2, Word x1,
                                           Word x0) {
  if constexpr (Pass == 1) {
    return (x1 & (x0 ^ x4)) ^ (x2 & x5) ^ (x3 & x6) ^ x0;
  } else if constexpr (Pass == 2) {
    return (x2 & ((x1 & ~x3) ^ (x4 & x5) ^ x6 ^ x0)) ^ (x4 & (x1 ^ x5)) ^ (x3 & x5) ^ x0;
  } else if constexpr (Pass == 3) {
    return (x3 & ((x1 & x2) ^ x6 ^ x0)) ^ (x1 & x4) ^ (x2 & x5) ^ x0;
  } else if constexpr (Pass == 4) {
    return (x4 & ((x5 & ~x2) ^ (x3 & ~x6) ^ x1 ^ x6 ^ x0)) ^ (x3 & ((x1 & x2) ^ x5 ^ x6)) ^
           (x2 & x6) ^ x0;
  } else {
    return (x0 & ((x1 & x2 & x3) ^ ~x5)) ^ (x1 & x4) ^ (x2 & x5) ^ (x3 & x6);
  }
}

// The registers move one place per step; instead of moving them, step J
// addresses register k as T[(k - J) mod 8].
constexpr int Slot(int k, int step) { return ((k - step) % 8 + 8) % 8; }

template <int Passes, int Pass, int J>
[[gnu::always_inline]] inline void Step(Word (&t)[8], const std::uint8_t* block) {
  constexpr std::array<int, 7> phi = haval_tables::Phi[Passes - 3][Pass - 1];
  const Word f =
      Boolean<Pass>(t[Slot(phi[0], J)], t[Slot(phi[1], J)], t[Slot(phi[2], J)], t[Slot(phi[3], J)],
                    t[Slot(phi[4], J)], t[Slot(phi[5], J)], t[Slot(phi[6], J)]);
  constexpr int target = Slot(7, J);
  constexpr int word = haval_tables::Order[Pass - 1][J];
  constexpr Word constant = haval_tables::Constant[Pass - 1][J];
  // The Boolean function waits for the previous step; the rest does not.
  const Word independent = std::rotr(t[target], 11) + LoadLE32(block + 4 * word) + constant;
  t[target] = independent + std::rotr(f, 7);
}

template <int Passes, int Pass, std::size_t... J>
[[gnu::always_inline]] inline void RunPass(Word (&t)[8], const std::uint8_t* block,
                                           std::index_sequence<J...>) {
  (Step<Passes, Pass, static_cast<int>(J)>(t, block), ...);
}

template <int Passes>
void CompressWithPasses(Word* chain, const std::uint8_t* block) {
  Word t[8];
  std::copy_n(chain, 8, t);
  constexpr auto steps = std::make_index_sequence<32>{};
  RunPass<Passes, 1>(t, block, steps);
  RunPass<Passes, 2>(t, block, steps);
  RunPass<Passes, 3>(t, block, steps);
  if constexpr (Passes >= 4) RunPass<Passes, 4>(t, block, steps);
  if constexpr (Passes >= 5) RunPass<Passes, 5>(t, block, steps);
  for (int i = 0; i < 8; ++i) chain[i] += t[i];
}

// Folding of the eight chaining words into the digest size. The masks for 24
// and 20 bytes are the system's own (they differ from the published ones in
// D0 and D4 respectively) and decide those digests.
void Fold28(Word* d) {
  const Word d7 = d[7];
  d[0] += (d7 >> 27) & 0x1F;
  d[1] += (d7 >> 22) & 0x1F;
  d[2] += (d7 >> 18) & 0x0F;
  d[3] += (d7 >> 13) & 0x1F;
  d[4] += (d7 >> 9) & 0x0F;
  d[5] += (d7 >> 4) & 0x1F;
  d[6] += d7 & 0x0F;
}

void Fold24(Word* d) {
  const Word d6 = d[6], d7 = d[7];
  d[0] += std::rotr((d7 & 0x3F) | (d6 & 0xFC000000), 26);
  d[1] += (d7 & 0x3E0) | (d6 & 0x1F);
  d[2] += ((d7 & 0xFC00) | (d6 & 0x3E0)) >> 5;
  d[3] += ((d7 & 0x1F0000) | (d6 & 0xFC00)) >> 10;
  d[4] += ((d7 & 0x3E00000) | (d6 & 0x1F0000)) >> 16;
  d[5] += ((d7 & 0xFC000000) | (d6 & 0x3E00000)) >> 21;
}

void Fold20(Word* d) {
  const Word d5 = d[5], d6 = d[6], d7 = d[7];
  d[0] += std::rotr((d7 & 0x3F) | (d6 & 0xFE000000) | (d5 & 0x1F80000), 19);
  d[1] += std::rotr((d7 & 0xFC0) | (d6 & 0x3F) | (d5 & 0xFE000000), 25);
  d[2] += (d7 & 0x7F000) | (d6 & 0xFC0) | (d5 & 0x3F);
  d[3] += ((d7 & 0x1F80000) | (d6 & 0x7F000) | (d5 & 0xFC0)) >> 6;
  d[4] += ((d7 & 0x6E000000) | (d6 & 0x1F80000) | (d5 & 0x7F000)) >> 12;
}

void Fold16(Word* d) {
  const Word d4 = d[4], d5 = d[5], d6 = d[6], d7 = d[7];
  d[0] += std::rotr((d7 & 0xFF) | (d6 & 0xFF000000) | (d5 & 0xFF0000) | (d4 & 0xFF00), 8);
  d[1] += std::rotr((d7 & 0xFF00) | (d6 & 0xFF) | (d5 & 0xFF000000) | (d4 & 0xFF0000), 16);
  d[2] += std::rotr((d7 & 0xFF0000) | (d6 & 0xFF00) | (d5 & 0xFF) | (d4 & 0xFF000000), 24);
  d[3] += (d7 & 0xFF000000) | (d6 & 0xFF0000) | (d5 & 0xFF00) | (d4 & 0xFF);
}

}  // namespace

const THashClass THash_Haval128::Class = {
    .className = "THash_Haval128",
    .displayName = "Haval-128",
    .category = "Hash",
    .digestSize = 16,
    .blockSize = 128,
    .referenceDigestHex = "d8cbcdec7afdc8a5f27bd212b9339abd",
    .create = &CreateHashInstance<THash_Haval128>,
};
const THashClass THash_Haval160::Class = {
    .className = "THash_Haval160",
    .displayName = "Haval-160",
    .category = "Hash",
    .digestSize = 20,
    .blockSize = 128,
    .referenceDigestHex = "13ddbd3233bc048d6df6635637e2a0d0531b9003",
    .create = &CreateHashInstance<THash_Haval160>,
};
const THashClass THash_Haval192::Class = {
    .className = "THash_Haval192",
    .displayName = "Haval-192",
    .category = "Hash",
    .digestSize = 24,
    .blockSize = 128,
    .referenceDigestHex = "30aeec3fc18e6118a4f2a3e8066c3b64a6a92e7de252a0b5",
    .create = &CreateHashInstance<THash_Haval192>,
};
const THashClass THash_Haval224::Class = {
    .className = "THash_Haval224",
    .displayName = "Haval-224",
    .category = "Hash",
    .digestSize = 28,
    .blockSize = 128,
    .referenceDigestHex = "323adcb375b58f5a6af16689995a7a98716e2277bc02293867a5cce1",
    .create = &CreateHashInstance<THash_Haval224>,
};
const THashClass THash_Haval256::Class = {
    .className = "THash_Haval256",
    .displayName = "Haval-256",
    .category = "Hash",
    .digestSize = 32,
    .blockSize = 128,
    .referenceDigestHex = "e992c1fb79e9baa8285c7a730beb0c7cadf3f7ad26d7efe21ff4bf675769d59a",
    .create = &CreateHashInstance<THash_Haval256>,
};

THash_Haval256::THash_Haval256(ProtectionPtr next) : THash(std::move(next)) {}

void THash_Haval256::ChoosePasses() {
  State& s = *state_;
  if (s.passes < 3 || s.passes > 5) {
    const int size = DigestSize();
    s.passes = size <= 20 ? 3 : size <= 28 ? 4 : 5;
  }
  switch (s.passes) {
    case 3:
      compress_ = &CompressWithPasses<3>;
      break;
    case 4:
      compress_ = &CompressWithPasses<4>;
      break;
    default:
      compress_ = &CompressWithPasses<5>;
      break;
  }
}

void THash_Haval256::Init() {
  State& s = *state_;
  s.blockBuffer.fill(0);
  ChoosePasses();
  s.byteCount = 0;
  s.chain = haval_tables::InitialValue;
  ChainHook(true);
}

void THash_Haval256::Update(const void* data, int size) {
  // Guards an Update on an object that never saw Init.
  if (compress_ == nullptr) ChoosePasses();
  State& s = *state_;
  BufferedUpdate(s.byteCount, s.blockBuffer, data, size,
                 [&](const std::uint8_t* block) { compress_(s.chain.data(), block); });
}

void THash_Haval256::Final() {
  if (compress_ == nullptr) ChoosePasses();
  State& s = *state_;
  auto& buffer = s.blockBuffer;
  std::size_t pending = s.byteCount % BlockSize;
  buffer[pending] = 0x01;
  if (pending + 1 > TailOffset) {
    std::fill(buffer.begin() + static_cast<std::ptrdiff_t>(pending) + 1, buffer.end(), 0);
    compress_(s.chain.data(), buffer.data());
    std::fill(buffer.begin(), buffer.end(), 0);
  } else {
    std::fill(buffer.begin() + static_cast<std::ptrdiff_t>(pending) + 1,
              buffer.begin() + TailOffset, 0);
  }
  const int bits = DigestSize() * 8;
  buffer[TailOffset] = static_cast<std::uint8_t>((s.passes * 8) | 1 | ((bits & 3) * 64));
  buffer[TailOffset + 1] = static_cast<std::uint8_t>(bits / 4);
  StoreLE64(buffer.data() + LengthFieldOffset, SignExtendedBitLength(s.byteCount));
  compress_(s.chain.data(), buffer.data());
  buffer.fill(0);
  FoldToDigestSize();
  ChainHook(false);
}

void THash_Haval256::FoldToDigestSize() {
  Word* d = state_->chain.data();
  switch (DigestSize()) {
    case 28:
      Fold28(d);
      break;
    case 24:
      Fold24(d);
      break;
    case 20:
      Fold20(d);
      break;
    case 16:
      Fold16(d);
      break;
    default:
      break;
  }
}

std::uint8_t* THash_Haval256::Digest() {
  return reinterpret_cast<std::uint8_t*>(state_->chain.data());
}

}  // namespace hushlake
