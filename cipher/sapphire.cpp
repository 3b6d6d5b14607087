#include "cipher/sapphire.h"

#include <numeric>
#include <utility>

namespace hushlake {

const TCipherClass TCipher_Sapphire::Class = {
    .className = "TCipher_Sapphire",
    .displayName = "Sapphire II",
    .note = "",
    .blockSize = 32,
    .keySize = 1024,
    .userSize = 522,
    .referenceOutputHex = "7c8228b73945439d44e09c1983d039acb9b775182b5df36ab22d24075f41cd73",
    .create = &CreateCipherInstance<TCipher_Sapphire>,
};

namespace sapphire {

// The key byte goes into the sum as it is; the sum is not looked up in the deck.
void KeyRandom::AddNextKeyByte() {
  sum_ = static_cast<std::uint8_t>(sum_ + key_[position_]);
  if (++position_ == length_) {
    position_ = 0;
    sum_ = static_cast<std::uint8_t>(sum_ + length_);  // only the low byte of the length
  }
}

std::uint8_t KeyRandom::Next(std::uint8_t limit) {
  if (limit == 0) return 0;  // the only value in range; no key byte is used
  unsigned mask = 1;
  while (mask < limit) mask = mask * 2 + 1;
  // After eleven tries the value is reduced modulo the limit, so a key whose
  // sums keep missing the range still ends the search.
  for (int pass = 1;; ++pass) {
    AddNextKeyByte();
    unsigned value = sum_ & mask;
    if (pass > 11) value %= limit;
    if (value <= limit) return static_cast<std::uint8_t>(value);
  }
}

}  // namespace sapphire

void TCipher_Sapphire::Init(const void* key, int size, const void* iVector) {
  size = BeginInit(size);
  if (size > 0)
    ShuffleDeck(static_cast<const std::uint8_t*>(key), size);
  else
    SetKeylessState();
  FinishInit(iVector);
  key_->saved = key_->work;
}

void TCipher_Sapphire::ShuffleDeck(const std::uint8_t* key, int length) {
  State& s = key_->work;
  std::iota(s.cards.begin(), s.cards.end(), std::uint8_t{0});
  sapphire::KeyRandom random(key, length);
  for (int i = 255; i >= 1; --i) {
    const std::uint8_t r = random.Next(static_cast<std::uint8_t>(i));
    std::swap(s.cards[i], s.cards[r]);
  }
  s.rotor = s.cards[1];
  s.ratchet = s.cards[3];
  s.avalanche = s.cards[5];
  s.lastPlain = s.cards[7];
  s.lastCipher = s.cards[random.Sum()];
}

void TCipher_Sapphire::SetKeylessState() {
  State& s = key_->work;
  s.rotor = 1;
  s.ratchet = 3;
  s.avalanche = 5;
  s.lastPlain = 7;
  s.lastCipher = 11;
  for (int i = 0; i < 256; ++i) s.cards[i] = static_cast<std::uint8_t>(255 - i);
}

// The byte step over one block; both directions advance the deck the same
// way, with the plain byte and the cipher byte as the last pair. The indices
// are kept in locals because the block's bytes may alias the deck.
template <bool Decipher>
void TCipher_Sapphire::Transform(std::uint8_t* bytes) {
  State& s = key_->work;
  std::uint8_t* cards = s.cards.data();
  std::uint8_t rotor = s.rotor, ratchet = s.ratchet, avalanche = s.avalanche;
  std::uint8_t lastPlain = s.lastPlain, lastCipher = s.lastCipher;
  for (int n = 0; n < BlockBytes; ++n) {
    ratchet = static_cast<std::uint8_t>(ratchet + cards[rotor]);
    ++rotor;
    const std::uint8_t swap = cards[lastCipher];
    cards[lastCipher] = cards[ratchet];
    cards[ratchet] = cards[lastPlain];
    cards[lastPlain] = cards[rotor];
    cards[rotor] = swap;
    avalanche = static_cast<std::uint8_t>(avalanche + cards[swap]);
    // lastPlain and lastCipher still hold the previous pair here.
    const auto first = static_cast<std::uint8_t>(cards[ratchet] + cards[rotor]);
    const auto second =
        static_cast<std::uint8_t>(cards[lastPlain] + cards[lastCipher] + cards[avalanche]);
    const std::uint8_t in = bytes[n];
    const auto out = static_cast<std::uint8_t>(in ^ cards[first] ^ cards[cards[second]]);
    lastPlain = Decipher ? out : in;
    lastCipher = Decipher ? in : out;
    bytes[n] = out;
  }
  s.rotor = rotor;
  s.ratchet = ratchet;
  s.avalanche = avalanche;
  s.lastPlain = lastPlain;
  s.lastCipher = lastCipher;
}

void TCipher_Sapphire::EncryptBlock(void* block) {
  Transform<false>(static_cast<std::uint8_t*>(block));
}

void TCipher_Sapphire::DecryptBlock(void* block) {
  Transform<true>(static_cast<std::uint8_t*>(block));
}

void TCipher_Sapphire::Reset() {
  TCipher::Reset();
  key_->work = key_->saved;
}

}  // namespace hushlake
