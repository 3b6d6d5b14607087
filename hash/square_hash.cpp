#include "hash/square_hash.h"

#include <algorithm>
#include <bit>

#include "crypto/bytes.h"
#include "crypto/square_field.h"
#include "hash/block_buffering.h"

namespace hushlake {

namespace {

using Word = std::uint32_t;

constexpr int Rounds = 8;
constexpr int LengthFieldOffset = 8;

constexpr unsigned Times2(unsigned x) {
  return SquareFieldMultiply(static_cast<std::uint8_t>(x), 2);
}
constexpr unsigned Times3(unsigned x) {
  return SquareFieldMultiply(static_cast<std::uint8_t>(x), 3);
}

// The word whose bytes, lowest first, are 2x, x, x, 3x.
constexpr Word ColumnWord(unsigned x) {
  return Times2(x) | (x << 8) | (x << 16) | (Times3(x) << 24);
}

struct Tables {
  std::array<Word, 256> theta;
  std::array<std::array<Word, 256>, 4> round;
};

constexpr Tables MakeTables() {
  Tables t{};
  for (unsigned x = 0; x < 256; ++x) {
    t.theta[x] = ColumnWord(x);
    const Word r = ColumnWord(SquareSbox[x]);
    for (int k = 0; k < 4; ++k) t.round[k][x] = std::rotl(r, 8 * k);
  }
  return t;
}

constexpr Tables SquareTables = MakeTables();
static_assert(SquareTables.theta[1] == 0x03010102u);
static_assert(SquareTables.round[0][0] == 0x26B1B197u);

constexpr unsigned ByteOf(Word w, int j) { return (w >> (8 * j)) & 0xFF; }

Word Theta(Word w) {
  const auto& t = SquareTables.theta;
  return std::rotl(t[ByteOf(w, 1)], 8) ^ t[ByteOf(w, 0)] ^ std::rotl(t[ByteOf(w, 2)], 16) ^
         std::rotl(t[ByteOf(w, 3)], 24);
}

using RoundKey = std::array<Word, 4>;

// Round keys 0 to 7 leave here after theta, round key 8 as generated.
void ExpandKey(const std::array<Word, 4>& chain, std::array<RoundKey, Rounds + 1>& keys) {
  keys[0] = chain;
  for (int t = 1; t <= Rounds; ++t) {
    RoundKey& previous = keys[t - 1];
    RoundKey& next = keys[t];
    next[0] = previous[0] ^ std::rotr(previous[3], 8) ^ (Word{1} << (t - 1));
    next[1] = previous[1] ^ next[0];
    next[2] = previous[2] ^ next[1];
    next[3] = previous[3] ^ next[2];
    for (Word& w : previous) w = Theta(w);
  }
}

RoundKey TableRound(const RoundKey& s, const RoundKey& key) {
  const auto& r = SquareTables.round;
  RoundKey out;
  for (int j = 0; j < 4; ++j)
    out[j] = r[0][ByteOf(s[0], j)] ^ r[1][ByteOf(s[1], j)] ^ r[2][ByteOf(s[2], j)] ^
             r[3][ByteOf(s[3], j)] ^ key[j];
  return out;
}

}  // namespace

const THashClass THash_Square::Class = {
    .className = "THash_Square",
    .displayName = "Square",
    .category = "Hash",
    .digestSize = 16,
    .blockSize = 16,
    .referenceDigestHex = "808f35ea00a7773337ce559826ddb324",
    .create = &CreateHashInstance<THash_Square>,
};

THash_Square::THash_Square(ProtectionPtr next) : THash(std::move(next)) {}

void THash_Square::Compress(const std::uint8_t* block) {
  State& st = *state_;
  std::array<RoundKey, Rounds + 1> keys;
  ExpandKey(st.chain, keys);
  RoundKey s;
  for (int j = 0; j < 4; ++j) s[j] = LoadLE32(block + 4 * j) ^ keys[0][j];
  for (int t = 1; t < Rounds; ++t) s = TableRound(s, keys[t]);
  // The feed-forward is one byte of the block buffer per word, whichever
  // block was compressed; the old chaining value is not added back.
  for (int j = 0; j < 4; ++j)
    st.chain[j] =
        (Word{SquareSbox[ByteOf(s[0], j)]} | (Word{SquareSbox[ByteOf(s[1], j)]} << 8) |
         (Word{SquareSbox[ByteOf(s[2], j)]} << 16) | (Word{SquareSbox[ByteOf(s[3], j)]} << 24)) ^
        keys[Rounds][j] ^ st.blockBuffer[j];
  SecureWipe(keys.data(), sizeof keys);
  SecureWipe(s.data(), sizeof s);
}

void THash_Square::Init() {
  State& s = *state_;
  s.blockBuffer.fill(0);
  s.chain = {0x67452301u, 0xEFCDAB89u, 0x98BADCFEu, 0x10325476u};
  s.byteCount = 0;
  ChainHook(true);
}

void THash_Square::Update(const void* data, int size) {
  State& s = *state_;
  BufferedUpdate(s.byteCount, s.blockBuffer, data, size,
                 [this](const std::uint8_t* block) { Compress(block); });
}

void THash_Square::Final() {
  State& s = *state_;
  auto& buffer = s.blockBuffer;
  const std::size_t pending = s.byteCount % BlockSize;
  buffer[pending] = 0x80;
  std::fill(buffer.begin() + static_cast<std::ptrdiff_t>(pending) + 1, buffer.end(), 0);
  if (pending + 1 > LengthFieldOffset) {
    Compress(buffer.data());
    buffer.fill(0);
  }
  StoreLE64(buffer.data() + LengthFieldOffset, SignExtendedBitLength(s.byteCount));
  Compress(buffer.data());
  buffer.fill(0);
  ChainHook(false);
}

}  // namespace hushlake
