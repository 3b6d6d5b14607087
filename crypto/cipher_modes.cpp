// The eight chaining modes of the cipher base. F is the chaining register
// (feedback_), B the work block (buffer_), E/D the block functions.
#include <cstring>

#include "crypto/cipher_base.h"
#include "crypto/support.h"

namespace hushlake {

namespace {

// Block-sized XOR and copy, inlined: the common 8- and 16-byte blocks go as
// whole 64-bit words instead of through out-of-line calls with a runtime size.
inline void XorBlock(const std::uint8_t* a, const std::uint8_t* b, std::size_t bs, std::uint8_t* out) {
  if (bs % 8 == 0) {
    for (std::size_t i = 0; i < bs; i += 8) {
      std::uint64_t x, y;
      std::memcpy(&x, a + i, 8);
      std::memcpy(&y, b + i, 8);
      x ^= y;
      std::memcpy(out + i, &x, 8);
    }
    return;
  }
  for (std::size_t i = 0; i < bs; ++i) out[i] = static_cast<std::uint8_t>(a[i] ^ b[i]);
}

inline void CopyBlock(const std::uint8_t* from, std::uint8_t* to, std::size_t bs) {
  if (bs == 8) {
    std::memcpy(to, from, 8);
  } else if (bs == 16) {
    std::memcpy(to, from, 16);
  } else {
    std::memcpy(to, from, bs);
  }
}

}  // namespace

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
  const auto ubs = static_cast<std::size_t>(bs);
  std::uint8_t* f = feedback_.data();
  std::uint8_t* work = scratch_.data();
  for (; size >= bs; size -= bs, in += bs, out += bs) {
    if (Mode == cmECB) {
      CopyBlock(in, work, ubs);
      EncryptBlock(work);
    } else {
      XorBlock(in, f, ubs, work);
      EncryptBlock(work);
      if (Mode == cmCTS)
        XorBlock(work, f, ubs, f);
      else
        CopyBlock(work, f, ubs);
    }
    CopyBlock(work, out, ubs);
  }
  if (size > 0) ProcessTail(in, out, size);
}

void TCipher::DecipherBlocks(const std::uint8_t* in, std::uint8_t* out, int size) {
  const int bs = BlockSize();
  const auto ubs = static_cast<std::size_t>(bs);
  std::uint8_t* f = feedback_.data();
  std::uint8_t* cipherBlock = scratch_.data();
  std::uint8_t* work = scratch_.data() + bs;
  for (; size >= bs; size -= bs, in += bs, out += bs) {
    CopyBlock(in, cipherBlock, ubs);  // in may be out
    CopyBlock(in, work, ubs);
    DecryptBlock(work);
    if (Mode == cmECB) {
      CopyBlock(work, out, ubs);
      continue;
    }
    XorBlock(work, f, ubs, out);
    if (Mode == cmCTS)
      XorBlock(cipherBlock, f, ubs, f);
    else
      CopyBlock(cipherBlock, f, ubs);
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
