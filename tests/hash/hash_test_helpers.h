#pragma once
// What every hash test needs: digests in lower-case hex, fed in one Update or
// in pieces, reproducible messages, and the shape of a published vector.
#include <cstddef>
#include <cstdint>
#include <initializer_list>
#include <ostream>
#include <string>
#include <string_view>

#include "crypto/bytes.h"
#include "crypto/hash_base.h"
#include "crypto/string_format.h"
#include "crypto/support.h"
#include "tests/common/case_names.h"

namespace hushlake::testing_support {

// Piece sizes for Feed; empty means the whole message in one Update.
using PieceSizes = std::initializer_list<std::size_t>;

inline std::string ToHex(std::string_view bytes) { return EncodeToFormat(bytes, FormatHEXL); }
inline std::string DigestHex(THash& hash) { return ToHex(hash.DigestBytes()); }

inline std::string_view TestInputText() {
  return {reinterpret_cast<const char*>(TestInput.data()), TestInput.size()};
}

// Starts Hash afresh and feeds it Message. With Sizes, the pieces take those
// sizes in turn, the last one again until the message is used up, and every
// piece is followed by an Update of 0 and one of -7 bytes, which must absorb
// nothing.
inline void Feed(THash& hash, std::string_view message, PieceSizes sizes = {}) {
  hash.Init();
  if (sizes.size() == 0) {
    hash.Update(message.data(), static_cast<int>(message.size()));
    return;
  }
  const std::size_t* size = sizes.begin();
  for (std::size_t done = 0; done < message.size(); done += *size) {
    if (done > 0 && size + 1 != sizes.end()) ++size;
    const std::string_view piece = message.substr(done, *size);
    hash.Update(piece.data(), static_cast<int>(piece.size()));
    hash.Update(piece.data(), 0);
    hash.Update(piece.data(), -7);
  }
}

inline std::string HexDigest(THash& hash, std::string_view message, PieceSizes sizes = {}) {
  Feed(hash, message, sizes);
  hash.Final();
  return DigestHex(hash);
}

inline std::string HexDigest(const THashClass& cls, std::string_view message,
                             PieceSizes sizes = {}) {
  return HexDigest(*cls.Create(), message, sizes);
}

// Between Init and Final the digest area of the block hashes holds the
// running chaining value, so hashing a message padded by hand and stopping
// before Final shows what Final must arrive at.
inline std::string HexChainingValue(THash& hash, std::string_view blocks, PieceSizes sizes = {}) {
  Feed(hash, blocks, sizes);
  return DigestHex(hash);
}

// Reproducible bytes that are not a simple pattern.
inline ByteString PatternBytes(std::size_t count, std::uint32_t seed = 1) {
  ByteString bytes(count, '\0');
  for (char& c : bytes) {
    seed = seed * 1103515245u + 12345u;
    c = static_cast<char>(seed >> 23);
  }
  return bytes;
}

// The 64-bit little-endian bit length that ends the padding of several hashes.
inline ByteString LittleEndianBitLength(std::size_t byteCount) {
  ByteString field(8, '\0');
  StoreLE64(field.data(), std::uint64_t{byteCount} * 8);
  return field;
}

// A published test value, as the tables of the hash tests hold them.
struct PublishedVector {
  const THashClass* cls;  // what must give Digest; none where the test computes it itself
  std::string_view text;
  std::string_view digest;  // lower-case hex
  std::string_view source;
  int repeat = 1;  // the message is Text repeated this often

  std::string Message() const {
    std::string message;
    message.reserve(text.size() * static_cast<std::size_t>(repeat));
    for (int i = 0; i < repeat; ++i) message += text;
    return message;
  }
};

// What a test list shows of a row: the class and the start of its text. The
// source is long; the checks name it where one fails.
inline void PrintTo(const PublishedVector& v, std::ostream* out) {
  if (v.cls != nullptr) *out << v.cls->className << ": ";
  *out << "\"";
  for (char c : v.text.substr(0, 24)) {
    if (c == '\n')
      *out << "\\n";
    else
      *out << c;
  }
  *out << (v.text.size() > 24 ? "...\"" : "\"");
  if (v.repeat != 1) *out << " x " << v.repeat;
}

// Names a row by its place and the start of its text: "Row2_abc".
inline std::string PublishedVectorName(const ::testing::TestParamInfo<PublishedVector>& info) {
  const PublishedVector& v = info.param;
  std::string name = "Row";
  name += std::to_string(info.index);
  name += '_';
  name += test::TextName(v.text.substr(0, 16));
  if (v.repeat != 1) name += "_x" + std::to_string(v.repeat);
  return name;
}

}  // namespace hushlake::testing_support
