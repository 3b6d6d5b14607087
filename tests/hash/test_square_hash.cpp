// The Square hash: its padding, and the feed-forward that makes the digest
// depend on how the message is split into Update calls.
#include <gtest/gtest.h>

#include <initializer_list>
#include <string>

#include "crypto/bytes.h"
#include "hash/hash_other_helpers.h"
#include "hash/square_hash.h"

namespace hushlake {
namespace {

using testing_support::HexDigest;
using testing_support::PatternBytes;
using testing_support::ToHex;

std::string DigestOfPieces(const ByteString& message, std::initializer_list<std::size_t> pieces) {
  THash_Square hash;
  hash.Init();
  std::size_t done = 0;
  for (std::size_t size : pieces) {
    hash.Update(message.data() + done, static_cast<int>(size));
    done += size;
  }
  EXPECT_EQ(done, message.size());
  hash.Final();
  return ToHex(hash.DigestBytes());
}

std::string DigestOfBytewise(const ByteString& message) {
  return testing_support::HexDigestInPieces(THash_Square::Class, message, 1);
}

// Final compresses its blocks from the block buffer, so their own first four
// bytes are their feed-forward. Feeding a block as 1 + 15 bytes does the same;
// the digest area then holds the chaining value Final must arrive at.
std::string ChainingValueAfterBufferedBlocks(const ByteString& blocks) {
  THash_Square hash;
  hash.Init();
  for (std::size_t at = 0; at < blocks.size(); at += 16) {
    hash.Update(blocks.data() + at, 1);
    hash.Update(blocks.data() + at + 1, 15);
  }
  return ToHex(hash.DigestBytes());
}

ByteString LengthField(std::size_t byteCount) {
  ByteString field(8, '\0');
  StoreLE64(field.data(), byteCount * 8);
  return field;
}

class SquareFinalBlocks : public ::testing::TestWithParam<std::size_t> {};

// Up to 7 bytes the 0x80 marker and the length share one block; from 8 bytes
// on an extra block of eight zero bytes and the length follows.
TEST_P(SquareFinalBlocks, AreTheMarkerZerosAndLittleEndianLength) {
  const std::size_t length = GetParam();
  const ByteString message = PatternBytes(length);
  ByteString padded = message + '\x80';
  if (length < 8) {
    padded += ByteString(7 - length, '\0') + LengthField(length);
  } else {
    padded += ByteString(15 - length, '\0') + ByteString(8, '\0') + LengthField(length);
  }
  ASSERT_EQ(padded.size() % 16, 0u);
  EXPECT_EQ(HexDigest(THash_Square::Class, message), ChainingValueAfterBufferedBlocks(padded));
}

INSTANTIATE_TEST_SUITE_P(Lengths, SquareFinalBlocks, ::testing::Values(0u, 7u, 8u, 15u));

TEST(SquareSplit, WholeBlocksPerCallKeepTheOneCallDigest) {
  const ByteString message = PatternBytes(48);
  EXPECT_EQ(DigestOfPieces(message, {16, 32}), HexDigest(THash_Square::Class, message));
}

// Block two repeats block one. Split 8 + 24, block two is compressed straight
// from the data while the buffer holds the completed block one; bytewise, it
// is compressed from the buffer holding itself. Both give block two the same
// feed-forward, which one call does not.
TEST(SquareSplit, CompletedBlockFeedsForwardIntoTheWholeBlocksAfterIt) {
  const ByteString block = PatternBytes(16);
  const ByteString message = block + block;
  const std::string split = DigestOfPieces(message, {8, 24});
  EXPECT_EQ(split, DigestOfBytewise(message));
  EXPECT_NE(split, HexDigest(THash_Square::Class, message));
}

// The completed block stays in the buffer between calls, so a whole block
// in a later call takes the same feed-forward as one in the same call.
TEST(SquareSplit, CompletedBlockStaysInTheBufferForLaterCalls) {
  const ByteString message = PatternBytes(48);
  EXPECT_EQ(DigestOfPieces(message, {20, 12, 16}), DigestOfPieces(message, {20, 28}));
}

}  // namespace
}  // namespace hushlake
