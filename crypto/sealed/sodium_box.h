#pragma once
// The one place sealed pictures reach libsodium: the memory-hard key
// derivation, subkeys, the authenticated cipher, a keyed stream of words and
// fresh random bytes. Every key lives in a SecretBytes, which wipes itself.
#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <stdexcept>
#include <string_view>
#include <vector>

#include "crypto/secret.h"

namespace hushlake::sealed {

inline constexpr std::size_t kKeyBytes = 32;
inline constexpr std::size_t kSaltBytes = 16;
inline constexpr std::size_t kNonceBytes = 24;
inline constexpr std::size_t kTagBytes = 16;

// Argon2id limits the format fixes: libsodium's MODERATE (3 passes, 256 MiB).
inline constexpr std::uint64_t kFormatPasses = 3;
inline constexpr std::size_t kFormatMemoryBytes = std::size_t{256} << 20;

class SodiumError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// Starts libsodium once; throws SodiumError when it cannot start.
void EnsureSodium();

// Turns a passphrase and a salt into the master key.
class KeyStretcher {
 public:
  virtual ~KeyStretcher() = default;
  virtual SecretBytes Stretch(std::string_view passphrase,
                              std::span<const std::uint8_t, kSaltBytes> salt) const = 0;
};

// Argon2id with the format's limits. Weaker limits exist only for the tests,
// through a friend that only the test tree defines: no front end can make a
// picture that is cheaper to guess than the format says.
class Argon2idStretcher final : public KeyStretcher {
 public:
  Argon2idStretcher() : Argon2idStretcher(kFormatPasses, kFormatMemoryBytes) {}
  // Throws SodiumError when the memory cannot be had.
  SecretBytes Stretch(std::string_view passphrase,
                      std::span<const std::uint8_t, kSaltBytes> salt) const override;

 private:
  friend class TestingStretchers;
  Argon2idStretcher(std::uint64_t passes, std::size_t memoryBytes)
      : passes_(passes), memoryBytes_(memoryBytes) {}
  std::uint64_t passes_;
  std::size_t memoryBytes_;
};

// Subkey number `id` of a master key (BLAKE2b through crypto_kdf, context "HLsealed").
SecretBytes DeriveSubkey(const SecretBytes& master, std::uint64_t id);

// A 32-byte key from public text (BLAKE2b, unkeyed), for the parts of the
// format every reader must reproduce without a passphrase.
SecretBytes PublicKeyFromText(std::string_view text);

// Unkeyed BLAKE2b with a 32-byte digest, fed in pieces.
class Blake2b {
 public:
  Blake2b();
  Blake2b(const Blake2b&) = delete;
  Blake2b& operator=(const Blake2b&) = delete;
  ~Blake2b();
  void Update(std::span<const std::uint8_t> bytes);
  std::array<std::uint8_t, 32> Final();

 private:
  // libsodium's state, 384 bytes aligned to 64, kept here so the header needs no sodium.h.
  alignas(64) std::array<std::uint8_t, 384> state_{};
};

// XChaCha20-Poly1305: the sealed bytes are the cipher text followed by the 16-byte tag.
// `context` is authenticated along with the plain bytes but not carried.
std::vector<std::uint8_t> Seal(const SecretBytes& key,
                               std::span<const std::uint8_t, kNonceBytes> nonce,
                               std::span<const std::uint8_t> plain,
                               std::span<const std::uint8_t> context = {});
// Nothing when the tag does not match (wrong key, or changed bytes).
std::optional<SecretBytes> Open(const SecretBytes& key,
                                std::span<const std::uint8_t, kNonceBytes> nonce,
                                std::span<const std::uint8_t> sealed,
                                std::span<const std::uint8_t> context = {});

// Fresh random bytes from the system.
void FillRandom(std::span<std::uint8_t> out);

// The XChaCha20 key stream of a key and nonce, read as little-endian 32-bit words.
class KeyStream {
 public:
  KeyStream(const SecretBytes& key, std::span<const std::uint8_t, kNonceBytes> nonce);
  KeyStream(const KeyStream&) = delete;
  KeyStream& operator=(const KeyStream&) = delete;
  ~KeyStream();

  std::uint32_t NextWord();
  // Uniform in [0, bound) for bound >= 1: words at or above the largest
  // multiple of bound below 2^32 are skipped, then the remainder is taken.
  std::uint32_t Below(std::uint32_t bound);

 private:
  void Refill();
  SecretBytes key_;
  std::array<std::uint8_t, kNonceBytes> nonce_{};
  std::uint64_t nextBlock_ = 0;
  std::array<std::uint8_t, 4096> buffer_{};
  std::size_t used_ = 4096;
};

}  // namespace hushlake::sealed
