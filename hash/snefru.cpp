#include "hash/snefru.h"

#include <algorithm>
#include <bit>
#include <utility>

#include "crypto/bytes.h"
#include "hash/block_buffering.h"
#include "hash/snefru_tables.h"

namespace hushlake {

namespace {

using Word = std::uint32_t;

constexpr int LengthFieldOffset = 24;

// Word I's low byte picks the entry; both neighbours take it.
template <int I>
[[gnu::always_inline]] inline void Mix(Word (&w)[16], const Word* even, const Word* odd) {
  const Word s = (((I / 2) & 1) != 0 ? odd : even)[w[I] & 0xFF];
  w[(I + 1) & 15] ^= s;
  w[(I + 15) & 15] ^= s;
}

template <int Shift, std::size_t... I>
[[gnu::always_inline]] inline void SubRound(Word (&w)[16], const Word* even, const Word* odd,
                                            std::index_sequence<I...>) {
  (Mix<static_cast<int>(I)>(w, even, odd), ...);
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
    const Word* even = snefru_tables::SBoxes[2 * p].data();
    const Word* odd = snefru_tables::SBoxes[2 * p + 1].data();
    SubRound<16>(w, even, odd, words);
    SubRound<8>(w, even, odd, words);
    SubRound<16>(w, even, odd, words);
    SubRound<24>(w, even, odd, words);
  }
  std::copy(w, w + 16, work.begin());
}

}  // namespace snefru

const THashClass THash_Snefru::Class = {
    "THash_Snefru", "Snefru-256", "Hash", 32, 32,
    "d690ee6728d9ba02a3c790ee507319741fbf6b83eb9a6bdff57ad8c3078da434",
    &CreateHashInstance<THash_Snefru>};

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

std::uint8_t* THash_Snefru::Digest() { return reinterpret_cast<std::uint8_t*>(state_->work.data()); }

}  // namespace hushlake
