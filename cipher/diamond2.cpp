#include "cipher/diamond2.h"

#include <array>
#include <bit>
#include <cstring>
#include <numeric>

#include "crypto/bytes.h"
#include "crypto/exceptions.h"
#include "crypto/secure_wipe.h"
#include "crypto/support.h"

namespace hushlake {

const TCipherClass TCipher_Diamond2::Class = {
    .className = "TCipher_Diamond2",
    .displayName = "Diamond II",
    .note = "",
    .blockSize = 16,
    .keySize = 256,
    .userSize = 0,
    .referenceOutputHex = "20b358b4ce22fb762d3b9369059f06c7e4f7c69ce1db55235270a1dfb15eed8d",
    .create = &CreateCipherInstance<TCipher_Diamond2>,
};

// Not offered and without a published value: what the Diamond II rules with
// 8-byte blocks make of the test input, confirmed by a second, independent
// implementation of those rules.
const TCipherClass TCipher_Diamond2Lite::Class = {
    .className = "TCipher_Diamond2Lite",
    .displayName = "Diamond II Lite",
    .note = "",
    .blockSize = 8,
    .keySize = 256,
    .userSize = 0,
    .referenceOutputHex = "6b2d3dd1f2b129ff55c881a9a54c277f8eab897134dcd1d79b2d1fce9b43c145",
    .create = &CreateCipherInstance<TCipher_Diamond2Lite>,
};

Diamond2KeyRand::~Diamond2KeyRand() { SecureWipe(&accumulator_, sizeof accumulator_); }

unsigned Diamond2KeyRand::Next(unsigned max) {
  if (max == 0) return 0;
  unsigned mask = 0;
  for (unsigned v = max; v != 0; v >>= 1) mask = mask * 2 + 1;
  for (int pass = 1;; ++pass) {
    Step();
    unsigned u = accumulator_ & 0xFF & mask;
    // Ends the rejection loop for a key that keeps giving values above max.
    if (pass > 97 && u > max) u -= max;
    if (u <= max) return u;
  }
}

void Diamond2KeyRand::Step() {
  const auto crc = [](std::uint32_t a, unsigned byte) {
    return (a >> 8) ^ Crc32Table[(a ^ byte) & 0xFF];
  };
  // An empty key reads as one zero byte that wraps at every step.
  std::uint8_t c = position_ < length_ ? key_[position_] : 0;
  if (previousBox_ != nullptr) c = previousBox_[c];
  accumulator_ = crc(accumulator_, c);
  if (++position_ >= length_) {
    position_ = 0;
    accumulator_ = crc(accumulator_, static_cast<unsigned>(length_) & 0xFF);
    accumulator_ = crc(accumulator_, (static_cast<unsigned>(length_) >> 8) & 0xFF);
  }
}

void ScrubbedBytes::Allocate(std::size_t size) {
  Release();
  bytes_.resize(size);
}

void ScrubbedBytes::Release() {
  ScrubBytes(bytes_.data(), bytes_.size());
  std::vector<std::uint8_t>().swap(bytes_);
}

namespace {

constexpr int BoxSize = 256;
constexpr int DefaultRounds = 10;

// Puts n = 255 down to 0 into the empty slot chosen by the generator, the
// slots kept as an ordered list of those still empty.
void FillBox(Diamond2KeyRand& generator, std::uint8_t* box) {
  std::uint8_t empty[BoxSize];
  std::iota(empty, empty + BoxSize, std::uint8_t{0});
  for (int n = BoxSize - 1; n >= 0; --n) {
    const unsigned q = generator.Next(static_cast<unsigned>(n));
    box[empty[q]] = static_cast<std::uint8_t>(n);
    std::memmove(empty + q, empty + q + 1, static_cast<std::size_t>(n) - q);
  }
  SecureWipe(empty, sizeof empty);
}

// The block is kept as little-endian 64-bit words while it is enciphered.
template <int B>
using Words = std::array<std::uint64_t, B / 8>;

template <int B>
inline Words<B> LoadWords(const void* block) {
  Words<B> x;
  for (int w = 0; w < B / 8; ++w) x[w] = LoadLE64(static_cast<const std::uint8_t*>(block) + 8 * w);
  return x;
}

template <int B>
inline void StoreWords(void* block, const Words<B>& x) {
  for (int w = 0; w < B / 8; ++w) StoreLE64(static_cast<std::uint8_t*>(block) + 8 * w, x[w]);
}

// Byte i of the result is byte (i + n) mod B of X when Down, (i - n) mod B
// otherwise; 0 < n < 8.
template <int B, bool Down>
inline Words<B> RotateBytes(const Words<B>& x, int n) {
  const int s = 8 * n;
  if constexpr (B == 8) {
    return {Down ? std::rotr(x[0], s) : std::rotl(x[0], s)};
  } else if constexpr (Down) {
    return {(x[0] >> s) | (x[1] << (64 - s)), (x[1] >> s) | (x[0] << (64 - s))};
  } else {
    return {(x[0] << s) | (x[1] >> (64 - s)), (x[1] << s) | (x[0] >> (64 - s))};
  }
}

// Output byte i, bit k = bit k of input byte (i + k) mod B; the inverse takes
// it from byte (i - k) mod B. Bit plane k is the whole block rotated by k
// bytes and masked to bit k of every byte.
template <int B, bool Inverse>
inline Words<B> Permute(const Words<B>& x) {
  constexpr std::uint64_t LowBits = 0x0101010101010101u;
  Words<B> out;
  for (int w = 0; w < B / 8; ++w) out[w] = x[w] & LowBits;
  for (int k = 1; k < 8; ++k) {
    const Words<B> rotated = RotateBytes<B, !Inverse>(x, k);
    for (int w = 0; w < B / 8; ++w) out[w] |= rotated[w] & (LowBits << k);
  }
  return out;
}

// One substitution layer: byte j through box j of the layer.
template <int B>
inline Words<B> Substitute(const std::uint8_t* layer, const Words<B>& x) {
  Words<B> out{};
  for (int w = 0; w < B / 8; ++w) {
    const std::uint8_t* boxes = layer + 8 * w * BoxSize;
    for (int b = 0; b < 8; ++b)
      out[w] |= std::uint64_t{boxes[b * BoxSize + ((x[w] >> (8 * b)) & 0xFF)]} << (8 * b);
  }
  return out;
}

}  // namespace

void TCipher_Diamond2::SetRounds(int value) {
  Rounds = value >= 5 && value <= 15 ? value : DefaultRounds;
}

void TCipher_Diamond2Lite::SetRounds(int value) {
  Rounds = value >= 4 && value <= 30 ? value : DefaultRounds;
}

void TCipher_Diamond2::Scrub() {
  TCipher::Scrub();
  encryptBoxes_.Release();
  decryptBoxes_.Release();
  boxRounds_ = 0;
}

void TCipher_Diamond2::Init(const void* key, int size, const void* iVector) {
  SetRounds(Rounds);
  size = BeginInit(size);
  boxRounds_ = Rounds;
  const auto bytes =
      static_cast<std::size_t>(boxRounds_) * static_cast<std::size_t>(BlockSize()) * BoxSize;
  encryptBoxes_.Allocate(bytes);
  decryptBoxes_.Allocate(bytes);
  BuildBoxes(static_cast<const std::uint8_t*>(key), size);
  FinishInit(iVector);
}

std::size_t TCipher_Diamond2::BoxOffset(int round, int position) const {
  return static_cast<std::size_t>(round * BlockSize() + position) * BoxSize;
}

const std::uint8_t* TCipher_Diamond2::EncryptBox(int round, int position) const {
  return encryptBoxes_.data() + BoxOffset(round, position);
}

const std::uint8_t* TCipher_Diamond2::DecryptBox(int round, int position) const {
  return decryptBoxes_.data() + BoxOffset(round, position);
}

void TCipher_Diamond2::BuildBoxes(const std::uint8_t* key, int length) {
  Diamond2KeyRand generator(key, length);
  const int boxes = boxRounds_ * BlockSize();
  for (int b = 0; b < boxes; ++b) {
    std::uint8_t* box = encryptBoxes_.data() + static_cast<std::size_t>(b) * BoxSize;
    FillBox(generator, box);
    generator.SetPreviousBox(box);
  }
  for (int r = 0; r < boxRounds_; ++r)
    for (int j = 0; j < BlockSize(); ++j) {
      const std::uint8_t* forward = EncryptBox(r, j);
      std::uint8_t* inverse = decryptBoxes_.data() + BoxOffset(boxRounds_ - 1 - r, j);
      for (int i = 0; i < BoxSize; ++i) inverse[forward[i]] = static_cast<std::uint8_t>(i);
    }
}

// The block functions are public; without boxes they refuse rather than read
// released memory.
void TCipher_Diamond2::CheckBoxes() const {
  if (boxRounds_ == 0)
    throw ECipherException(FillMessage("%s is not initialized call Init() or InitKey() before.",
                                       {std::string(ClassType().className)}),
                           ECipherException::NotInitialized);
}

template <int B>
void TCipher_Diamond2::EncryptWith(void* block) const {
  CheckBoxes();
  Words<B> x = Substitute<B>(EncryptBox(0, 0), LoadWords<B>(block));
  for (int r = 1; r < boxRounds_; ++r) x = Substitute<B>(EncryptBox(r, 0), Permute<B, false>(x));
  StoreWords<B>(block, x);
}

template <int B>
void TCipher_Diamond2::DecryptWith(void* block) const {
  CheckBoxes();
  Words<B> x = Substitute<B>(DecryptBox(0, 0), LoadWords<B>(block));
  for (int r = 1; r < boxRounds_; ++r) x = Substitute<B>(DecryptBox(r, 0), Permute<B, true>(x));
  StoreWords<B>(block, x);
}

void TCipher_Diamond2::EncryptBlock(void* block) { EncryptWith<16>(block); }
void TCipher_Diamond2::DecryptBlock(void* block) { DecryptWith<16>(block); }
void TCipher_Diamond2Lite::EncryptBlock(void* block) { EncryptWith<8>(block); }
void TCipher_Diamond2Lite::DecryptBlock(void* block) { DecryptWith<8>(block); }

}  // namespace hushlake
