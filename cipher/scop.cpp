#include "cipher/scop.h"

#include <algorithm>
#include <cstring>

#include "crypto/bytes.h"

namespace hushlake {

const TCipherClass TCipher_SCOP::Class = {
    .className = "TCipher_SCOP",
    .displayName = "SCOP",
    .note = "",
    .blockSize = 128,
    .keySize = 48,
    .userSize = 3104,
    .referenceOutputHex = "14c009e873b653928b1369a9f299fe5eee3bfdc150590e946217081ea41a4d8f",
    .create = &CreateCipherInstance<TCipher_SCOP>,
};

namespace scop {

namespace {
constexpr int CoefficientBytes = 32;

std::uint32_t XWord(const Generator& g, int h) {
  return LoadLE32(g.data() + CoefficientBytes + 4 * h);
}

// c0*x^4 + c1*x^3 + c2*x^2 + c3*x + 1 (mod 2^32).
std::uint32_t Polynomial(std::uint32_t x, std::uint8_t c0, std::uint8_t c1, std::uint8_t c2,
                         std::uint8_t c3) {
  return (((c0 * x + c1) * x + c2) * x + c3) * x + 1;
}
}  // namespace

Generator ExpandKey(const std::uint8_t* key, int length) {
  Generator g{};
  length = std::clamp(length, 0, static_cast<int>(g.size()));
  if (length > 0) {
    std::memcpy(g.data(), key, static_cast<std::size_t>(length));
    for (int n = length; n < static_cast<int>(g.size()); ++n)
      g[n] = static_cast<std::uint8_t>(g[n - length] + g[n - length + 1]);
  }
  std::uint8_t next = 1;
  for (int n = 0; n < CoefficientBytes; ++n)
    if (g[n] == 0) g[n] = next++;
  return g;
}

void Step(Generator& g, std::uint32_t* out) {
  std::array<std::uint32_t, 4> n{};
  for (int h = 0; h < 4; ++h) {
    const int c = 8 * h;
    const std::uint32_t x = XWord(g, h);
    // The low half's coefficients step by 5, so for h = 2 and 3 some are bytes
    // of the X words themselves; all of them are read before X changes.
    const std::uint32_t y1 = Polynomial(x >> 16, g[c], g[c + 1], g[c + 2], g[c + 3]);
    const std::uint32_t y2 = Polynomial(x & 0xFFFF, g[c + 4], g[c + 9], g[c + 14], g[c + 19]);
    out[h] = (y1 << 16) | (y2 & 0xFFFF);
    n[h] = (y1 & 0xFFFF0000u) | (y2 >> 16);
  }
  std::uint8_t* x = g.data() + CoefficientBytes;
  StoreLE32(x, (n[0] >> 16) | (n[3] << 16));
  StoreLE32(x + 4, (n[0] << 16) | (n[1] >> 16));
  StoreLE32(x + 8, (n[1] << 16) | (n[2] >> 16));
  StoreLE32(x + 12, (n[2] << 16) | (n[3] >> 16));
  SecureWipe(n.data(), sizeof n);
}

}  // namespace scop

void TCipher_SCOP::Init(const void* key, int size, const void* iVector) {
  size = BeginInit(size);
  scop::Generator g = scop::ExpandKey(static_cast<const std::uint8_t*>(key), size);
  FillState(g);
  SecureWipe(g.data(), g.size());
  FinishInit(iVector);
  key_->saved = key_->work;
}

// W[3..386] from the generator, with one discarded step after every 32
// words; then the start indices from one more step.
void TCipher_SCOP::FillState(scop::Generator& g) {
  std::array<std::uint32_t, 4> discard{};
  for (int n = 0; n < 8; ++n) scop::Step(g, discard.data());
  std::uint32_t* w = key_->work.data();
  for (int a = 0; a < 12; ++a) {
    for (int b = 0; b < 8; ++b) scop::Step(g, w + 3 + 32 * a + 4 * b);
    scop::Step(g, discard.data());
  }
  scop::Step(g, discard.data());
  const std::uint32_t t = discard[3];
  w[3 + (t & 0x7F)] |= 1;
  w[0] = t >> 24;
  w[1] = t >> 16;
  w[2] = t >> 8;
  SecureWipe(discard.data(), sizeof discard);
}

// The keystream is the same in both directions; only the sign differs. Every
// block starts from the saved i, j and t3; T carries over.
template <bool Decipher>
void TCipher_SCOP::ApplyKeystream(void* block) {
  auto* bytes = static_cast<std::uint8_t*>(block);
  std::uint32_t* w = key_->work.data();
  const std::uint32_t* v = w + VOffset;
  std::uint32_t* t = w + TOffset;
  std::uint8_t i = static_cast<std::uint8_t>(w[0]);
  std::uint8_t j = static_cast<std::uint8_t>(w[1]);
  std::uint32_t t3 = w[3];
  for (int word = 0; word < 32; ++word) {
    const std::uint32_t t1 = t[j];
    j = static_cast<std::uint8_t>(j + t3);
    const std::uint32_t t2 = t[j];
    t3 = v[i] + t2;  // V and T overlap: read V[i] before T[j] is written
    t[j] = t3;
    ++i;
    j = static_cast<std::uint8_t>(j + t2);
    std::uint8_t* d = bytes + 4 * word;
    if constexpr (Decipher)
      StoreLE32(d, LoadLE32(d) - t1 - t2);
    else
      StoreLE32(d, LoadLE32(d) + t1 + t2);
  }
}

void TCipher_SCOP::EncryptBlock(void* block) { ApplyKeystream<false>(block); }

void TCipher_SCOP::DecryptBlock(void* block) { ApplyKeystream<true>(block); }

void TCipher_SCOP::Reset() {
  TCipher::Reset();
  key_->work = key_->saved;
}

}  // namespace hushlake
