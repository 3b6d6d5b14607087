// MD5 (RFC 1321).
#include "crypto/bytes.h"
#include "hash/md4_family.h"
#include "hash/unrolled_steps.h"

namespace hushlake {

const THashClass THash_MD5::Class = {
    .className = "THash_MD5",
    .displayName = "Message Digest 5",
    .category = "Hash",
    .digestSize = 16,
    .blockSize = 64,
    .referenceDigestHex = "3ed8348cd2a445d6755d4bc9fedcc2c6",
    .create = &CreateHashInstance<THash_MD5>,
};

namespace {

// floor(2^32 * abs(sin(i + 1))).
constexpr std::uint32_t SineTable[64] = {
    0xD76AA478u, 0xE8C7B756u, 0x242070DBu, 0xC1BDCEEEu, 0xF57C0FAFu, 0x4787C62Au, 0xA8304613u,
    0xFD469501u, 0x698098D8u, 0x8B44F7AFu, 0xFFFF5BB1u, 0x895CD7BEu, 0x6B901122u, 0xFD987193u,
    0xA679438Eu, 0x49B40821u, 0xF61E2562u, 0xC040B340u, 0x265E5A51u, 0xE9B6C7AAu, 0xD62F105Du,
    0x02441453u, 0xD8A1E681u, 0xE7D3FBC8u, 0x21E1CDE6u, 0xC33707D6u, 0xF4D50D87u, 0x455A14EDu,
    0xA9E3E905u, 0xFCEFA3F8u, 0x676F02D9u, 0x8D2A4C8Au, 0xFFFA3942u, 0x8771F681u, 0x6D9D6122u,
    0xFDE5380Cu, 0xA4BEEA44u, 0x4BDECFA9u, 0xF6BB4B60u, 0xBEBFBC70u, 0x289B7EC6u, 0xEAA127FAu,
    0xD4EF3085u, 0x04881D05u, 0xD9D4D039u, 0xE6DB99E5u, 0x1FA27CF8u, 0xC4AC5665u, 0xF4292244u,
    0x432AFF97u, 0xAB9423A7u, 0xFC93A039u, 0x655B59C3u, 0x8F0CCC92u, 0xFFEFF47Du, 0x85845DD1u,
    0x6FA87E4Fu, 0xFE2CE6E0u, 0xA3014314u, 0x4E0811A1u, 0xF7537E82u, 0xBD3AF235u, 0x2AD7D2BBu,
    0xEB86D391u};
constexpr int Rotation[4][4] = {{7, 12, 17, 22}, {5, 9, 14, 20}, {4, 11, 16, 23}, {6, 10, 15, 21}};

constexpr int MessageIndex(int step) {
  switch (step / 16) {
    case 0:
      return step;
    case 1:
      return (1 + 5 * step) % 16;
    case 2:
      return (5 + 3 * step) % 16;
    default:
      return (7 * step) % 16;
  }
}

template <int I>
struct Md5Step {
  HUSHLAKE_ALWAYS_INLINE static void Run(std::uint32_t (&v)[4], const std::uint8_t*& block) {
    constexpr int a = unrolled::Role<4>(I, 0), b = unrolled::Role<4>(I, 1),
                  c = unrolled::Role<4>(I, 2), d = unrolled::Role<4>(I, 3);
    constexpr int round = I / 16;
    std::uint32_t f;
    if constexpr (round == 0)
      f = v[d] ^ (v[b] & (v[c] ^ v[d]));
    else if constexpr (round == 1)
      f = v[c] ^ (v[d] & (v[b] ^ v[c]));
    else if constexpr (round == 2)
      f = v[b] ^ v[c] ^ v[d];
    else
      f = v[c] ^ (v[b] | ~v[d]);
    v[a] = v[b] + std::rotl(v[a] + f + LoadLE32(block + 4 * MessageIndex(I)) + SineTable[I],
                            Rotation[round][I % 4]);
  }
};

}  // namespace

void THash_MD5::CompressBlock(const std::uint8_t* block) {
  std::uint32_t* chain = Chain();
  std::uint32_t v[4] = {chain[0], chain[1], chain[2], chain[3]};
  unrolled::Steps<Md5Step, 0, 64>(v, block);
  for (int i = 0; i < 4; ++i) chain[i] += v[i];
}

}  // namespace hushlake
