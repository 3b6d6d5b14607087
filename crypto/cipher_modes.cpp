// The eight chaining modes of the cipher base. F is the chaining register
// (feedback_), B the work block (buffer_), E/D the block functions.
#include <cstring>

#include "crypto/cipher_base.h"
#include "crypto/support.h"

namespace hushlake {

void TCipher::EncipherBuffer(const void* source, void* dest, int size) {
  CheckInitialized();
  if (size <= 0) return;
  auto* in = static_cast<const std::uint8_t*>(source);
  auto* out = static_cast<std::uint8_t*>(dest);
  switch (Mode) {
    case cmCTS:
    case cmCBC:
    case cmECB:
      EncipherBlocks(in, out, size);
      break;
    case cmCFB:
    case cmOFB:
      ProcessByteMode(in, out, size, false);
      break;
    case cmCTSMAC:
    case cmCBCMAC:
    case cmCFBMAC:
      ProcessMac(in, size);
      break;
  }
}

void TCipher::DecipherBuffer(const void* source, void* dest, int size) {
  CheckInitialized();
  if (size <= 0) return;
  auto* in = static_cast<const std::uint8_t*>(source);
  auto* out = static_cast<std::uint8_t*>(dest);
  switch (Mode) {
    case cmCTS:
    case cmCBC:
    case cmECB:
      DecipherBlocks(in, out, size);
      break;
    case cmCFB:
    case cmOFB:
      ProcessByteMode(in, out, size, true);
      break;
    case cmCTSMAC:
    case cmCBCMAC:
    case cmCFBMAC:
      ProcessMac(in, size);
      break;
  }
}

void TCipher::EncipherBlocks(const std::uint8_t* in, std::uint8_t* out, int size) {
  const int bs = BlockSize();
  std::uint8_t* f = feedback_.data();
  std::uint8_t* work = scratch_.data();
  for (; size >= bs; size -= bs, in += bs, out += bs) {
    if (Mode == cmECB) {
      std::memcpy(work, in, static_cast<std::size_t>(bs));
      EncryptBlock(work);
    } else {
      XorBuffers(in, f, bs, work);
      EncryptBlock(work);
      if (Mode == cmCTS)
        XorBuffers(work, f, bs, f);
      else
        std::memcpy(f, work, static_cast<std::size_t>(bs));
    }
    std::memcpy(out, work, static_cast<std::size_t>(bs));
  }
  if (size > 0) ProcessTail(in, out, size);
}

void TCipher::DecipherBlocks(const std::uint8_t* in, std::uint8_t* out, int size) {
  const int bs = BlockSize();
  std::uint8_t* f = feedback_.data();
  std::uint8_t* cipherBlock = scratch_.data();
  std::uint8_t* work = scratch_.data() + bs;
  for (; size >= bs; size -= bs, in += bs, out += bs) {
    std::memcpy(cipherBlock, in, static_cast<std::size_t>(bs));  // in may be out
    std::memcpy(work, in, static_cast<std::size_t>(bs));
    DecryptBlock(work);
    if (Mode == cmECB) {
      std::memcpy(out, work, static_cast<std::size_t>(bs));
      continue;
    }
    XorBuffers(work, f, bs, out);
    if (Mode == cmCTS)
      XorBuffers(cipherBlock, f, bs, f);
    else
      std::memcpy(f, cipherBlock, static_cast<std::size_t>(bs));
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
