// Every registered cipher in every mode, at the lengths where chaining and
// tails go wrong: the opposite direction restores the data, cipher text is
// as long as plain text, MAC modes write nothing, ProcessString round-trips.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/framework.h"
#include "crypto/registry.h"

namespace hushlake {
namespace {

using Bytes = std::vector<std::uint8_t>;

Bytes Pattern(int size) {
  Bytes data(static_cast<std::size_t>(size));
  for (int i = 0; i < size; ++i) data[i] = static_cast<std::uint8_t>(i * 73 + 11);
  return data;
}

std::vector<int> LengthsFor(int blockSize) {
  return {0, 1, blockSize - 1, blockSize, blockSize + 1, 4095, 4097, 10000};
}

std::string ParamName(const ::testing::TestParamInfo<const TCipherClass*>& info) {
  return ShortClassName(info.param->className);
}

// Test parameters are made before main runs, so the registry is filled here.
std::vector<const TCipherClass*> AllCiphers() {
  StartFramework();
  std::vector<const TCipherClass*> classes;
  for (const auto& entry : CipherRegistry()) classes.push_back(entry.cls);
  return classes;
}

class EveryCipher : public ::testing::TestWithParam<const TCipherClass*> {};

TEST_P(EveryCipher, RoundTripsInEveryModeAndLength) {
  const TCipherClass& cls = *GetParam();
  CipherPtr cipher = cls.Create();
  const std::string key = "a key for the round trip of every mode";
  for (int m = cmCTS; m <= cmCFBMAC; ++m) {
    const auto mode = static_cast<TCipherMode>(m);
    cipher->Mode = mode;
    cipher->Init(key.data(), static_cast<int>(key.size()), nullptr);
    for (int length : LengthsFor(cls.blockSize)) {
      const Bytes plain = Pattern(length);
      Bytes out(plain.size(), 0xEE);
      cipher->Reset();
      cipher->EncipherBuffer(plain.data(), out.data(), length);
      if (mode >= cmCTSMAC) {
        EXPECT_EQ(out, Bytes(plain.size(), 0xEE)) << "mode " << m << " length " << length;
        continue;
      }
      if (length >= 8) {
        EXPECT_NE(out, plain) << "mode " << m << " length " << length;
      }
      cipher->Reset();
      cipher->DecipherBuffer(out.data(), out.data(), length);
      EXPECT_EQ(out, plain) << "mode " << m << " length " << length;
    }
  }
}

TEST_P(EveryCipher, ProcessStringRoundTripsThroughMimeBase64) {
  CipherPtr cipher = GetParam()->Create("a key text");
  const std::string text(5000, 'q');
  for (int m = cmCTS; m <= cmOFB; ++m) {
    cipher->Mode = static_cast<TCipherMode>(m);
    const std::string encoded = cipher->ProcessString(text, caEncode, -1);
    EXPECT_EQ(cipher->ProcessString(text, caEncode, -1), encoded) << "mode " << m;
    EXPECT_EQ(cipher->ProcessString(encoded, caDecode, -1), text) << "mode " << m;
  }
}

INSTANTIATE_TEST_SUITE_P(Registered, EveryCipher, ::testing::ValuesIn(AllCiphers()), ParamName);
GTEST_ALLOW_UNINSTANTIATED_PARAMETERIZED_TEST(EveryCipher);

}  // namespace
}  // namespace hushlake
