#include "cipher/sapphire.h"

#include <numeric>
#include <utility>

namespace hushlake {

const TCipherClass TCipher_Sapphire::Class = {
    "TCipher_Sapphire", "Sapphire II", "", 32, 1024, 522,
    "7c8228b73945439d44e09c1983d039acb9b775182b5df36ab22d24075f41cd73",
    &CreateCipherInstance<TCipher_Sapphire>};

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

std::uint8_t TCipher_Sapphire::AdvanceAndMask() {
  State& s = key_->work;
  auto& cards = s.cards;
  s.ratchet = static_cast<std::uint8_t>(s.ratchet + cards[s.rotor]);
  ++s.rotor;
  const std::uint8_t swap = cards[s.lastCipher];
  cards[s.lastCipher] = cards[s.ratchet];
  cards[s.ratchet] = cards[s.lastPlain];
  cards[s.lastPlain] = cards[s.rotor];
  cards[s.rotor] = swap;
  s.avalanche = static_cast<std::uint8_t>(s.avalanche + cards[swap]);
  const auto first = static_cast<std::uint8_t>(cards[s.ratchet] + cards[s.rotor]);
  const auto second =
      static_cast<std::uint8_t>(cards[s.lastPlain] + cards[s.lastCipher] + cards[s.avalanche]);
  return static_cast<std::uint8_t>(cards[first] ^ cards[cards[second]]);
}

void TCipher_Sapphire::EncryptBlock(void* block) {
  auto* bytes = static_cast<std::uint8_t*>(block);
  State& s = key_->work;
  for (int n = 0; n < BlockBytes; ++n) {
    const std::uint8_t plain = bytes[n];
    const auto cipher = static_cast<std::uint8_t>(plain ^ AdvanceAndMask());
    s.lastPlain = plain;
    s.lastCipher = cipher;
    bytes[n] = cipher;
  }
}

void TCipher_Sapphire::DecryptBlock(void* block) {
  auto* bytes = static_cast<std::uint8_t*>(block);
  State& s = key_->work;
  for (int n = 0; n < BlockBytes; ++n) {
    const std::uint8_t cipher = bytes[n];
    const auto plain = static_cast<std::uint8_t>(cipher ^ AdvanceAndMask());
    s.lastPlain = plain;
    s.lastCipher = cipher;
    bytes[n] = plain;
  }
}

void TCipher_Sapphire::Reset() {
  TCipher::Reset();
  key_->work = key_->saved;
}

}  // namespace hushlake
