#include <gtest/gtest.h>

#include <string>

#include "cipher/cast128.h"
#include "cipher_test_helpers.h"

namespace hushlake::cipher_test {
namespace {

// RFC 2144 Appendix B.1. The 80- and 40-bit keys are used at their length
// (zero-padded to 16 bytes, 12 rounds). The round count follows the key
// length given, not the padded one: the 80-bit key followed by one zero byte
// pads to the same 16 bytes but runs 16 rounds. That 11-byte row agrees with
// Crypto++'s CAST128, which follows RFC 2144 for every length from 5 to 16.
const KnownAnswer Cast128Vectors[] = {
    {"RFC 2144 B.1, 128-bit key", "0123456712345678234567893456789a", "0123456789abcdef",
     "238b4fe5847e44b2"},
    {"RFC 2144 B.1, 80-bit key", "01234567123456782345", "0123456789abcdef", "eb6a711a2c02271b"},
    {"RFC 2144 B.1, 40-bit key", "0123456712", "0123456789abcdef", "7ac816d16e9b302e"},
    {"Crypto++ CAST128, 88-bit key (16 rounds)", "0123456712345678234500", "0123456789abcdef",
     "753de29f5d167d03"},
};

INSTANTIATE_TEST_SUITE_P(Cast128, PublishedVector,
                         ::testing::ValuesIn(KnownAnswersFor(TCipher_Cast128::Class,
                                                             Cast128Vectors)),
                         KnownAnswerName);

// Zero bytes appended within the same round class change nothing.
INSTANTIATE_TEST_SUITE_P(
    Cast128, EquivalentKeys,
    ::testing::Values(ZeroPaddedOrCut(TCipher_Cast128::Class, Hex("0123456712"), 10),
                      ZeroPaddedOrCut(TCipher_Cast128::Class, Hex("0123456712345678234500"), 16),
                      SameKey(TCipher_Cast128::Class, ByteString(), Hex("00"))),
    KeyCaseName);

// RFC 2144 B.2: a and b start as the 128-bit key of B.1; each iteration
// enciphers both halves of a under key b, then both halves of b under key a.
struct MaintenanceResult {
  std::string a, b;
};

MaintenanceResult RunMaintenanceTest(int iterations) {
  ByteString a = Hex("0123456712345678234567893456789a");
  ByteString b = a;
  TCipher_Cast128 cipher;
  for (int i = 0; i < iterations; ++i) {
    cipher.Init(b.data(), 16, nullptr);
    cipher.EncryptBlock(a.data());
    cipher.EncryptBlock(a.data() + 8);
    cipher.Init(a.data(), 16, nullptr);
    cipher.EncryptBlock(b.data());
    cipher.EncryptBlock(b.data() + 8);
  }
  return {ToHex(a), ToHex(b)};
}

// The published result needs a million iterations, seconds of key set-up in
// a sanitizer build; the regular run checks the first 10,000, whose result
// agrees with Crypto++'s CAST128 (which reproduces the full published
// result). Run the full test with --gtest_also_run_disabled_tests.
TEST(Cast128, MaintenanceTestFirstTenThousandIterations) {
  const MaintenanceResult result = RunMaintenanceTest(10000);
  EXPECT_EQ(result.a, "fd9f563662cc64d7f2fb6be67d23a0f8");
  EXPECT_EQ(result.b, "e8c3c8eae136a412228cf7414395373b");
}

TEST(Cast128, DISABLED_MaintenanceTestFullMillionIterations) {
  const MaintenanceResult result = RunMaintenanceTest(1000000);
  EXPECT_EQ(result.a, "eea9d0a249fd3ba6b3436fb89d6dca92");
  EXPECT_EQ(result.b, "b2c95eb00c31ad7180ac05b8e83d696e");
}

}  // namespace
}  // namespace hushlake::cipher_test
