#pragma once
// What the cipher tests share: bytes written as hex, keying, one block or a
// whole buffer through a cipher, and the two table-driven checks every
// cipher's file feeds with its own rows: published known answers and keys
// that must act alike. Bytes are ByteString throughout.
#include <gtest/gtest.h>

#include <cstddef>
#include <cstdint>
#include <initializer_list>
#include <ostream>
#include <span>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "crypto/cipher_base.h"
#include "crypto/registry.h"
#include "crypto/string_format.h"
#include "framework/framework.h"

namespace hushlake::cipher_test {

inline ByteString Hex(std::string_view hex) { return DecodeFromFormat(hex, FormatHEX); }
inline std::string ToHex(const ByteString& bytes) { return EncodeToFormat(bytes, FormatHEXL); }

// Count bytes First, First+Step, First+2*Step, ... (mod 256).
inline ByteString Sequence(std::size_t count, unsigned first = 0, unsigned step = 1) {
  ByteString data(count, '\0');
  for (std::size_t i = 0; i < count; ++i)
    data[i] = static_cast<char>(static_cast<std::uint8_t>(first + step * i));
  return data;
}

inline const std::uint8_t* BytesOf(const ByteString& data) {
  return reinterpret_cast<const std::uint8_t*>(data.data());
}

// An empty key goes in as a null pointer, as a caller without key bytes would pass it.
inline void InitWith(TCipher& cipher, const ByteString& key, const void* iVector = nullptr) {
  cipher.Init(key.empty() ? nullptr : key.data(), static_cast<int>(key.size()), iVector);
}

inline ByteString EncryptOne(TCipher& cipher, ByteString block) {
  cipher.EncryptBlock(block.data());
  return block;
}

inline ByteString DecryptOne(TCipher& cipher, ByteString block) {
  cipher.DecryptBlock(block.data());
  return block;
}

inline ByteString EncryptWithKey(TCipher& cipher, const ByteString& key, const ByteString& plain) {
  InitWith(cipher, key);
  return EncryptOne(cipher, plain);
}

// A fresh instance of Cls, keyed with Key, on one block.
inline ByteString EncryptWithClass(const TCipherClass& cls, const ByteString& key,
                                   const ByteString& plain) {
  CipherPtr cipher = cls.Create();
  return EncryptWithKey(*cipher, key, plain);
}

inline ByteString Encipher(TCipher& cipher, ByteString data) {
  cipher.EncipherBuffer(data.data(), data.data(), static_cast<int>(data.size()));
  return data;
}

inline ByteString Decipher(TCipher& cipher, ByteString data) {
  cipher.DecipherBuffer(data.data(), data.data(), static_cast<int>(data.size()));
  return data;
}

// What the cipher keyed with Key makes of a fixed 64-byte text in cmCBC.
// The default vector comes from the key schedule too, so two keys that give
// the same sample act alike.
inline ByteString CbcSample(TCipher& cipher, const ByteString& key) {
  InitWith(cipher, key);
  cipher.Mode = cmCBC;
  return Encipher(cipher, Sequence(64, 11, 37));
}

// Test parameters are made before the framework environment starts the
// framework, so a generator that reads the registry starts it itself.
inline std::vector<const TCipherClass*> RegisteredCipherClasses() {
  StartFramework();
  std::vector<const TCipherClass*> classes;
  for (const auto& entry : CipherRegistry()) classes.push_back(entry.cls);
  return classes;
}

// Names a test case after the class: "TCipher_SAFER_K128" -> "SAFER_K128".
inline std::string ShortNameOf(const ::testing::TestParamInfo<const TCipherClass*>& info) {
  return ShortClassName(info.param->className);
}

// A published single-block example, all in hex, byte 0 first.
struct KnownAnswer {
  const char* source;
  const char* key;
  const char* plain;
  const char* cipher;
};

// Test lists show a key by its length, so a long key does not swamp the line.
inline std::size_t KeyBytes(const KnownAnswer& v) { return std::string_view(v.key).size() / 2; }

inline void PrintTo(const KnownAnswer& v, std::ostream* out) {
  *out << v.source << " (" << KeyBytes(v) << "-byte key)";
}

// Encrypts Plain and decrypts Cipher, each after its own key set-up.
inline void ExpectKnownAnswer(TCipher& cipher, const KnownAnswer& v) {
  InitWith(cipher, Hex(v.key));
  EXPECT_EQ(ToHex(EncryptOne(cipher, Hex(v.plain))), v.cipher);
  InitWith(cipher, Hex(v.key));
  EXPECT_EQ(ToHex(DecryptOne(cipher, Hex(v.cipher))), v.plain);
}

// One row of a cipher's known-answer table, for the shared parameterised
// test PublishedVector (test_table_checks.cpp). Prepare, when given, sets
// the instance up before keying (a round count, say).
struct KnownAnswerCase {
  const TCipherClass* cls;
  KnownAnswer vector;
  void (*prepare)(TCipher&);
};

// The row's name (KnownAnswerName) already gives the key length.
inline void PrintTo(const KnownAnswerCase& c, std::ostream* out) {
  *out << ShortClassName(c.cls->className) << ": " << c.vector.source;
}

// Names a row by its place and key length: "Row3_Key16Bytes".
inline std::string KnownAnswerName(const ::testing::TestParamInfo<KnownAnswerCase>& info) {
  std::string name = "Row";
  name += std::to_string(info.index);
  name += "_Key";
  name += std::to_string(KeyBytes(info.param.vector));
  name += "Bytes";
  return name;
}

inline std::vector<KnownAnswerCase> KnownAnswersFor(const TCipherClass& cls,
                                                    std::span<const KnownAnswer> table,
                                                    void (*prepare)(TCipher&) = nullptr) {
  std::vector<KnownAnswerCase> cases;
  for (const KnownAnswer& v : table) cases.push_back({&cls, v, prepare});
  return cases;
}

class PublishedVector : public ::testing::TestWithParam<KnownAnswerCase> {};

// Two keys a cipher must treat alike (a short key and its zero-padded form,
// a long key and its cut), for the shared parameterised test EquivalentKeys
// (test_table_checks.cpp).
struct KeyCase {
  const TCipherClass* cls;
  ByteString key;
  ByteString sameAs;
};

// Keys of up to 8 bytes in hex, longer ones by their length.
inline std::string KeyText(const ByteString& key) {
  if (key.empty()) return "no key";
  if (key.size() <= 8) return ToHex(key);
  return std::to_string(key.size()) + " bytes";
}

inline void PrintTo(const KeyCase& c, std::ostream* out) {
  *out << ShortClassName(c.cls->className) << ": " << KeyText(c.key) << " acts as "
       << KeyText(c.sameAs);
}

// Names a pair by its place and the two key lengths: "Row0_Key5As16Bytes".
inline std::string KeyCaseName(const ::testing::TestParamInfo<KeyCase>& info) {
  std::string name = "Row";
  name += std::to_string(info.index);
  name += "_Key";
  name += std::to_string(info.param.key.size());
  name += "As";
  name += std::to_string(info.param.sameAs.size());
  name += "Bytes";
  return name;
}

inline KeyCase SameKey(const TCipherClass& cls, ByteString key, ByteString sameAs) {
  return {&cls, std::move(key), std::move(sameAs)};
}

// Key, zero-padded or cut to Length bytes.
inline KeyCase ZeroPaddedOrCut(const TCipherClass& cls, const ByteString& key, std::size_t length) {
  ByteString sameAs = key.substr(0, length);
  sameAs.resize(length, '\0');
  return {&cls, key, std::move(sameAs)};
}

// The first Length bytes of Key, for each Length, act as zero-padded or cut
// to ActsAs bytes.
inline std::vector<KeyCase> PrefixesActAs(const TCipherClass& cls, const ByteString& key,
                                          std::initializer_list<std::size_t> lengths,
                                          std::size_t actsAs) {
  std::vector<KeyCase> cases;
  for (std::size_t length : lengths)
    cases.push_back(ZeroPaddedOrCut(cls, key.substr(0, length), actsAs));
  return cases;
}

// For ciphers with 16-, 24- and 32-byte schedules: keys between those
// lengths act as zero-padded to the next one, longer keys as cut to 32.
inline std::vector<KeyCase> KeysBetween16And32Bytes(const TCipherClass& cls) {
  const std::pair<std::size_t, std::size_t> lengths[] = {{0, 16},  {5, 16},  {10, 16},
                                                         {20, 24}, {28, 32}, {40, 32}};
  std::vector<KeyCase> cases;
  for (const auto& [length, actsAs] : lengths)
    cases.push_back(ZeroPaddedOrCut(cls, Sequence(length, 0xA1, 7), actsAs));
  return cases;
}

class EquivalentKeys : public ::testing::TestWithParam<KeyCase> {};

}  // namespace hushlake::cipher_test
