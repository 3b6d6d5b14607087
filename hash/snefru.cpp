#include "hash/snefru.h"

#include <algorithm>
#include <array>
#include <bit>
#include <utility>

#include "crypto/bytes.h"
#include "hash/block_buffering.h"
#include "hash/snefru_tables.h"

namespace hushlake {

namespace {

using Word = std::uint32_t;

constexpr int LengthFieldOffset = 24;

// The low bytes of the S-box entries on their own. Each step's index is the
// low byte of a word that the previous step's entry was just XORed into;
// taking it as (old low byte XOR entry's low byte) lets the byte load run
// beside the word load and shortens the chain of dependent steps.
using LowBytes = std::array<std::array<std::uint8_t, 256>, 16>;
constexpr LowBytes MakeLowBytes() {
  LowBytes low{};
  for (std::size_t t = 0; t < 16; ++t)
    for (std::size_t i = 0; i < 256; ++i)
      low[t][i] = static_cast<std::uint8_t>(snefru_tables::SBoxes[t][i]);
  return low;
}
constexpr LowBytes SBoxLowBytes = MakeLowBytes();

struct PassTables {
  const Word* full[2];
  const std::uint8_t* low[2];
};

// Word I's low byte (Index) picks the entry; both neighbours take it.
template <int I>
[[gnu::always_inline]] inline void Mix(Word (&w)[16], const PassTables& tables, unsigned& index) {
  constexpr int table = (I / 2) & 1;
  constexpr int next = (I + 1) & 15;
  const Word s = tables.full[table][index];
  if constexpr (I < 15) index = (w[next] & 0xFF) ^ tables.low[table][index];
  w[next] ^= s;
  w[(I + 15) & 15] ^= s;
}

template <int Shift, std::size_t... I>
[[gnu::always_inline]] inline void SubRound(Word (&w)[16], const PassTables& tables,
                                            std::index_sequence<I...>) {
  unsigned index = w[0] & 0xFF;
  (Mix<static_cast<int>(I)>(w, tables, index), ...);
  ((w[I] = std::rotr(w[I], Shift)), ...);
}

}  // namespace

namespace snefru {

void RunPasses(WorkBlock& work, int passes) {
  passes = std::clamp(passes, 0, MaxPasses);
  // A local copy the compiler can keep in registers.
  Word w[16];
  std::copy(work.begin(), work.end(), w);
  constexpr auto words = std::make_index_sequence<16>{};
  for (int p = 0; p < passes; ++p) {
    const PassTables tables = {
        {snefru_tables::SBoxes[2 * p].data(), snefru_tables::SBoxes[2 * p + 1].data()},
        {SBoxLowBytes[2 * p].data(), SBoxLowBytes[2 * p + 1].data()}};
    SubRound<16>(w, tables, words);
    SubRound<8>(w, tables, words);
    SubRound<16>(w, tables, words);
    SubRound<24>(w, tables, words);
  }
  std::copy(w, w + 16, work.begin());
}

}  // namespace snefru

const THashClass THash_Snefru::Class = {
    .className = "THash_Snefru",
    .displayName = "Snefru-256",
    .category = "Hash",
    .digestSize = 32,
    .blockSize = 32,
    .referenceDigestHex = "d690ee6728d9ba02a3c790ee507319741fbf6b83eb9a6bdff57ad8c3078da434",
    .create = &CreateHashInstance<THash_Snefru>,
};

THash_Snefru::THash_Snefru(ProtectionPtr next) : THash(std::move(next)) {}

void THash_Snefru::Compress(const std::uint8_t* block) {
  snefru::WorkBlock& work = state_->work;
  for (int i = 0; i < 8; ++i) work[8 + i] = LoadLE32(block + 4 * i);
  snefru::RunPasses(work, state_->passes);
  // The output step works on the block after the passes, not on the old
  // chaining value as the published hash does.
  for (int i = 0; i < 8; ++i) work[i] ^= work[15 - i];
}

void THash_Snefru::Init() {
  State& s = *state_;
  s.work.fill(0);
  s.blockBuffer.fill(0);
  s.passes = snefru::MaxPasses;
  s.byteCount = 0;
  ChainHook(true);
}

void THash_Snefru::Update(const void* data, int size) {
  State& s = *state_;
  BufferedUpdate(s.byteCount, s.blockBuffer, data, size,
                 [this](const std::uint8_t* block) { Compress(block); });
}

void THash_Snefru::Final() {
  State& s = *state_;
  auto& buffer = s.blockBuffer;
  // No marker byte: the zero fill and the length are all the padding.
  const std::size_t pending = s.byteCount % snefru::BlockSize;
  std::fill(buffer.begin() + static_cast<std::ptrdiff_t>(pending), buffer.end(), 0);
  if (pending + 1 > LengthFieldOffset) {
    Compress(buffer.data());
    buffer.fill(0);
  }
  StoreLE64(buffer.data() + LengthFieldOffset, SignExtendedBitLength(s.byteCount));
  Compress(buffer.data());
  buffer.fill(0);
  ChainHook(false);
}

std::uint8_t* THash_Snefru::Digest() {
  return reinterpret_cast<std::uint8_t*>(state_->work.data());
}

}  // namespace hushlake
