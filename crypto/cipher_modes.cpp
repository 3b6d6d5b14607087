// The eight chaining modes of the cipher base. F is the chaining register
// (feedback_), B the work block (buffer_), E/D the block functions.
#include <cstring>

#include "crypto/bytes.h"
#include "crypto/cipher_base.h"
#include "crypto/support.h"

namespace hushlake {

void TCipher::EncipherBuffer(const void* source, void* dest, int size) {
  ProcessBufferInMode(source, dest, size, false);
}

void TCipher::DecipherBuffer(const void* source, void* dest, int size) {
  ProcessBufferInMode(source, dest, size, true);
}

void TCipher::ProcessBufferInMode(const void* source, void* dest, int size, bool decipher) {
  CheckInitialized();
  if (size <= 0) return;
  auto* in = static_cast<const std::uint8_t*>(source);
  auto* out = static_cast<std::uint8_t*>(dest);
  switch (Mode) {
    case cmCTS:
    case cmCBC:
    case cmECB:
      if (decipher)
        DecipherBlocks(in, out, size);
      else
        EncipherBlocks(in, out, size);
      break;
    case cmCFB:
    case cmOFB:
      ProcessByteMode(in, out, size, decipher);
      break;
    case cmCTSMAC:
    case cmCBCMAC:
    case cmCFBMAC:
      // Deciphering in a MAC mode computes the same MAC as enciphering.
      ProcessMac(in, size);
      break;
  }
}

namespace {

// Dest := A xor B and Dest := Source over one block, a word at a time. Kept
// inline: called twice per block, an out-of-line call or a memcpy of
// run-time length costs as much as a fast block function.
inline void XorBlock(const std::uint8_t* a, const std::uint8_t* b, std::uint8_t* dest, int count) {
  int i = 0;
  for (; i + 8 <= count; i += 8) StoreLE64(dest + i, LoadLE64(a + i) ^ LoadLE64(b + i));
  for (; i + 4 <= count; i += 4) StoreLE32(dest + i, LoadLE32(a + i) ^ LoadLE32(b + i));
  for (; i < count; ++i) dest[i] = static_cast<std::uint8_t>(a[i] ^ b[i]);
}

inline void CopyBlock(std::uint8_t* dest, const std::uint8_t* source, int count) {
  int i = 0;
  for (; i + 8 <= count; i += 8) StoreLE64(dest + i, LoadLE64(source + i));
  for (; i + 4 <= count; i += 4) StoreLE32(dest + i, LoadLE32(source + i));
  for (; i < count; ++i) dest[i] = source[i];
}

// The full blocks of cmCTS, cmCBC and cmECB. FixedSize is the block size
// when known at compile time (the common 8 and 16), else 0. Each block is
// enciphered in place in Out; In may be Out. Returns the bytes left over.
template <int FixedSize>
int EncipherFullBlocks(TCipher& cipher, TCipherMode mode, std::uint8_t* f, const std::uint8_t*& in,
                       std::uint8_t*& out, int size) {
  const int bs = FixedSize != 0 ? FixedSize : cipher.BlockSize();
  for (; size >= bs; size -= bs, in += bs, out += bs) {
    if (mode == cmECB) {
      CopyBlock(out, in, bs);
      cipher.EncryptBlock(out);
      continue;
    }
    XorBlock(in, f, out, bs);
    cipher.EncryptBlock(out);
    if (mode == cmCTS)
      XorBlock(out, f, f, bs);
    else
      CopyBlock(f, out, bs);
  }
  return size;
}

// CipherBlock is a block of work space: In may be Out.
template <int FixedSize>
int DecipherFullBlocks(TCipher& cipher, TCipherMode mode, std::uint8_t* f,
                       std::uint8_t* cipherBlock, const std::uint8_t*& in, std::uint8_t*& out,
                       int size) {
  const int bs = FixedSize != 0 ? FixedSize : cipher.BlockSize();
  for (; size >= bs; size -= bs, in += bs, out += bs) {
    CopyBlock(cipherBlock, in, bs);
    CopyBlock(out, cipherBlock, bs);
    cipher.DecryptBlock(out);
    if (mode == cmECB) continue;
    XorBlock(out, f, out, bs);
    if (mode == cmCTS)
      XorBlock(cipherBlock, f, f, bs);
    else
      CopyBlock(f, cipherBlock, bs);
  }
  return size;
}

}  // namespace

void TCipher::EncipherBlocks(const std::uint8_t* in, std::uint8_t* out, int size) {
  std::uint8_t* f = feedback_.data();
  switch (BlockSize()) {
    case 8:
      size = EncipherFullBlocks<8>(*this, Mode, f, in, out, size);
      break;
    case 16:
      size = EncipherFullBlocks<16>(*this, Mode, f, in, out, size);
      break;
    default:
      size = EncipherFullBlocks<0>(*this, Mode, f, in, out, size);
  }
  if (size > 0) ProcessTail(in, out, size);
}

void TCipher::DecipherBlocks(const std::uint8_t* in, std::uint8_t* out, int size) {
  std::uint8_t* f = feedback_.data();
  std::uint8_t* work = scratch_.data();
  switch (BlockSize()) {
    case 8:
      size = DecipherFullBlocks<8>(*this, Mode, f, work, in, out, size);
      break;
    case 16:
      size = DecipherFullBlocks<16>(*this, Mode, f, work, in, out, size);
      break;
    default:
      size = DecipherFullBlocks<0>(*this, Mode, f, work, in, out, size);
  }
  if (size > 0) ProcessTail(in, out, size);
}

// The tail of fewer than BlockSize bytes, the same in both directions. cmECB
// has no chaining of its own; it uses this rule too, so its tail turns back
// into the bytes it was given.
void TCipher::ProcessTail(const std::uint8_t* in, std::uint8_t* out, int size) {
  const int bs = BlockSize();
  std::uint8_t* b = buffer_.data();
  std::memcpy(b, feedback_.data(), static_cast<std::size_t>(bs));
  EncryptBlock(b);
  XorBuffers(in, b, size, out);
  XorBuffers(b, feedback_.data(), bs, feedback_.data());
}

void TCipher::ProcessByteMode(const std::uint8_t* in, std::uint8_t* out, int size, bool decipher) {
  const int bs = BlockSize();
  std::uint8_t* f = feedback_.data();
  std::uint8_t* b = buffer_.data();
  for (int i = 0; i < size; ++i) {
    std::memcpy(b, f, static_cast<std::size_t>(bs));
    EncryptBlock(b);
    const std::uint8_t x = in[i];
    const auto y = static_cast<std::uint8_t>(x ^ b[0]);
    out[i] = y;
    std::memmove(f, f + 1, static_cast<std::size_t>(bs - 1));
    if (Mode == cmOFB)
      f[bs - 1] = b[0];
    else
      f[bs - 1] = decipher ? x : y;
  }
}

void TCipher::ProcessMac(const std::uint8_t* in, int size) {
  const int bs = BlockSize();
  std::uint8_t* f = feedback_.data();
  std::uint8_t* b = buffer_.data();
  if (Mode == cmCFBMAC) {
    for (int i = 0; i < size; ++i) {
      std::memcpy(b, f, static_cast<std::size_t>(bs));
      EncryptBlock(b);
      std::memmove(f, f + 1, static_cast<std::size_t>(bs - 1));
      f[bs - 1] = static_cast<std::uint8_t>(in[i] ^ b[0]);
    }
    return;
  }
  for (; size >= bs; size -= bs, in += bs) {
    XorBuffers(in, f, bs, b);
    EncryptBlock(b);
    if (Mode == cmCTSMAC)
      XorBuffers(b, f, bs, f);
    else
      std::memcpy(f, b, static_cast<std::size_t>(bs));
  }
  if (size > 0) {
    std::memcpy(b, f, static_cast<std::size_t>(bs));
    EncryptBlock(b);
    XorBuffers(b, f, bs, f);
  }
}

}  // namespace hushlake
