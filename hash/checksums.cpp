#include "hash/checksums.h"

#include <array>
#include <bit>

#include "crypto/secure_wipe.h"
#include "crypto/support.h"

namespace hushlake {

namespace {

// T[i]: the CRC of the high byte i for the polynomial 0x1021, most
// significant bit first.
constexpr std::array<std::uint16_t, 256> MakeCcittTable() {
  std::array<std::uint16_t, 256> table{};
  for (unsigned i = 0; i < 256; ++i) {
    unsigned value = i << 8;
    for (int bit = 0; bit < 8; ++bit) value = (value & 0x8000) ? (value << 1) ^ 0x1021 : value << 1;
    table[i] = static_cast<std::uint16_t>(value);
  }
  return table;
}
constexpr std::array<std::uint16_t, 256> CcittTable = MakeCcittTable();
static_assert(CcittTable[1] == 0x1021 && CcittTable[255] == 0x1EF0);

const std::uint8_t* BytesOf(const void* data) { return static_cast<const std::uint8_t*>(data); }

}  // namespace

const THashClass THash_XOR16::Class = {
    .className = "THash_XOR16",
    .displayName = "XOR-16",
    .category = "Checksum",
    .digestSize = 2,
    .blockSize = 1,
    .referenceDigestHex = "79e8",
    .create = &CreateHashInstance<THash_XOR16>,
};
const THashClass THash_XOR32::Class = {
    .className = "THash_XOR32",
    .displayName = "XOR-32",
    .category = "Checksum",
    .digestSize = 4,
    .blockSize = 2,
    .referenceDigestHex = "8dad897f",
    .create = &CreateHashInstance<THash_XOR32>,
};
const THashClass THash_CRC16_CCITT::Class = {
    .className = "THash_CRC16_CCITT",
    .displayName = "CRC-16 CCITT",
    .category = "Checksum",
    .digestSize = 2,
    .blockSize = 1,
    .referenceDigestHex = "b0d1",
    .create = &CreateHashInstance<THash_CRC16_CCITT>,
};
const THashClass Thash_CRC16_Standard::Class = {
    .className = "Thash_CRC16_Standard",
    .displayName = "CRC-16 Standard",
    .category = "Checksum",
    .digestSize = 2,
    .blockSize = 1,
    .referenceDigestHex = "ed75",
    .create = &CreateHashInstance<Thash_CRC16_Standard>,
};
const THashClass THash_CRC32::Class = {
    .className = "THash_CRC32",
    .displayName = "CRC-32",
    .category = "Checksum",
    .digestSize = 4,
    .blockSize = 1,
    .referenceDigestHex = "58ee1f31",
    .create = &CreateHashInstance<THash_CRC32>,
};

THash_XOR16::THash_XOR16(ProtectionPtr next) : TChecksum(std::move(next)) {}

THash_XOR16::~THash_XOR16() { SecureWipe(&register_, sizeof register_); }

void THash_XOR16::Init() {
  register_ = 0;
  ChainHook(true);
}

void THash_XOR16::Update(const void* data, int size) {
  if (data == nullptr || size <= 0) return;
  std::uint16_t r = register_;
  for (const std::uint8_t* p = BytesOf(data); size > 0; --size, ++p)
    r = static_cast<std::uint16_t>(std::rotl(r, 5) ^ *p);
  register_ = r;
}

void THash_XOR16::Final() { ChainHook(false); }

THash_XOR32::THash_XOR32(ProtectionPtr next) : TChecksum(std::move(next)) {}

THash_XOR32::~THash_XOR32() { SecureWipe(&register_, sizeof register_); }

void THash_XOR32::Init() {
  register_ = 0;
  highBytePending_ = false;
  ChainHook(true);
}

void THash_XOR32::Update(const void* data, int size) {
  if (data == nullptr || size <= 0) return;
  const std::uint8_t* p = BytesOf(data);
  std::uint32_t r = register_;
  if (highBytePending_) {
    r ^= std::uint32_t{*p++} << 8;
    --size;
  }
  for (; size >= 2; size -= 2, p += 2) r = std::rotl(r, 5) ^ (p[0] | (std::uint32_t{p[1]} << 8));
  highBytePending_ = size == 1;
  if (highBytePending_) r = std::rotl(r, 5) ^ *p;
  register_ = r;
}

void THash_XOR32::Final() { ChainHook(false); }

void THash_CRC16_CCITT::Init() {
  register_ = 0xFFFF;
  ChainHook(true);
}

void THash_CRC16_CCITT::Update(const void* data, int size) {
  if (data == nullptr || size <= 0) return;
  // The data byte is shifted into the register rather than XORed onto it.
  std::uint16_t r = register_;
  for (const std::uint8_t* p = BytesOf(data); size > 0; --size, ++p)
    r = static_cast<std::uint16_t>(((r << 8) | *p) ^ CcittTable[r >> 8]);
  register_ = r;
}

void Thash_CRC16_Standard::Update(const void* data, int size) {
  register_ = static_cast<std::uint16_t>(Crc16Update(register_, data, size));
}

void THash_CRC32::Init() {
  register_ = 0xFFFFFFFFu;
  ChainHook(true);
}

void THash_CRC32::Update(const void* data, int size) {
  register_ = Crc32Update(register_, data, size);
}

void THash_CRC32::Final() {
  register_ = ~register_;
  ChainHook(false);
}

}  // namespace hushlake
