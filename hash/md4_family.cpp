#include "hash/md4_family.h"

#include <algorithm>
#include <cstring>

#include "crypto/bytes.h"
#include "crypto/secure_wipe.h"

namespace hushlake {

namespace {
// The first four or five are the initial values of MD4, MD5, SHA and
// RIPEMD-128/160; all ten are those of RIPEMD-320.
constexpr std::array<std::uint32_t, 10> StandardChain = {
    0x67452301u, 0xEFCDAB89u, 0x98BADCFEu, 0x10325476u, 0xC3D2E1F0u,
    0x76543210u, 0xFEDCBA98u, 0x89ABCDEFu, 0x01234567u, 0x3C2D1E0Fu};
constexpr int LengthFieldOffset = 56;
}  // namespace

THash_MD4::~THash_MD4() {
  // The base class cannot reach the state; the digest and everything it was
  // made from go here.
  SecureWipe(chain_.data(), sizeof(chain_));
  SecureWipe(blockBuffer_.data(), blockBuffer_.size());
  SecureWipe(&byteCount_, sizeof(byteCount_));
}

void THash_MD4::ResetFrame() {
  blockBuffer_.fill(0);
  chain_ = StandardChain;
  byteCount_ = 0;
}

void THash_MD4::Init() {
  ResetFrame();
  ChainHook(true);
}

void THash_MD4::Update(const void* data, int size) {
  if (size <= 0) return;
  const auto* bytes = static_cast<const std::uint8_t*>(data);
  auto remaining = static_cast<std::size_t>(size);
  const std::size_t pending = byteCount_ % BlockSize;
  byteCount_ += static_cast<std::uint32_t>(size);
  if (pending > 0) {
    const std::size_t free = BlockSize - pending;
    if (remaining < free) {
      std::memcpy(blockBuffer_.data() + pending, bytes, remaining);
      return;
    }
    std::memcpy(blockBuffer_.data() + pending, bytes, free);
    CompressBlock(blockBuffer_.data());
    bytes += free;
    remaining -= free;
  }
  for (; remaining >= BlockSize; remaining -= BlockSize, bytes += BlockSize) CompressBlock(bytes);
  std::memcpy(blockBuffer_.data(), bytes, remaining);
}

void THash_MD4::PadAndCompress(std::uint8_t marker, LengthOrder order) {
  std::size_t pending = byteCount_ % BlockSize;
  blockBuffer_[pending++] = marker;
  if (pending > LengthFieldOffset) {
    std::fill(blockBuffer_.begin() + static_cast<std::ptrdiff_t>(pending), blockBuffer_.end(), 0);
    CompressBlock(blockBuffer_.data());
    pending = 0;
  }
  std::fill(blockBuffer_.begin() + static_cast<std::ptrdiff_t>(pending), blockBuffer_.end(), 0);
  // The length field is 64 bits wide, but only the low 32 bits of the bit
  // count are ever written: the digests are the published ones below 2^29 bytes.
  const std::uint32_t bitCount = byteCount_ * 8;
  if (order == LengthOrder::LittleEndian)
    StoreLE32(blockBuffer_.data() + LengthFieldOffset, bitCount);
  else
    StoreBE32(blockBuffer_.data() + LengthFieldOffset + 4, bitCount);
  CompressBlock(blockBuffer_.data());
  blockBuffer_.fill(0);
}

void THash_MD4::Final() {
  PadAndCompress(0x80, LengthOrder::LittleEndian);
  ChainHook(false);
}

}  // namespace hushlake
