#include "crypto/sealed/sodium_box.h"

#include <sodium.h>

#include <algorithm>
#include <cstring>

namespace hushlake::sealed {
namespace {

static_assert(kFormatPasses == crypto_pwhash_OPSLIMIT_MODERATE &&
              kFormatMemoryBytes == crypto_pwhash_MEMLIMIT_MODERATE);
static_assert(kSaltBytes == crypto_pwhash_SALTBYTES && kKeyBytes == crypto_kdf_KEYBYTES);
static_assert(kNonceBytes == crypto_aead_xchacha20poly1305_ietf_NPUBBYTES &&
              kTagBytes == crypto_aead_xchacha20poly1305_ietf_ABYTES);

constexpr char kKdfContext[crypto_kdf_CONTEXTBYTES + 1] = "HLsealed";

void RequireKey(const SecretBytes& key) {
  if (key.size() != kKeyBytes) throw SodiumError("a sealed-picture key must be 32 bytes");
}

}  // namespace

void EnsureSodium() {
  // sodium_init is safe to call again and from several threads.
  if (sodium_init() < 0) throw SodiumError("the cryptography library could not start");
}

SecretBytes Argon2idStretcher::Stretch(std::string_view passphrase,
                                       std::span<const std::uint8_t, kSaltBytes> salt) const {
  EnsureSodium();
  SecretBytes key;
  key.Value().resize(kKeyBytes);
  if (crypto_pwhash(key.data(), key.size(), passphrase.data(), passphrase.size(), salt.data(),
                    passes_, memoryBytes_, crypto_pwhash_ALG_ARGON2ID13) != 0) {
    throw SodiumError("not enough memory for the key derivation (it needs 256 MiB)");
  }
  return key;
}

SecretBytes DeriveSubkey(const SecretBytes& master, std::uint64_t id) {
  EnsureSodium();
  RequireKey(master);
  SecretBytes subkey;
  subkey.Value().resize(kKeyBytes);
  crypto_kdf_derive_from_key(subkey.data(), subkey.size(), id, kKdfContext, master.data());
  return subkey;
}

SecretBytes PublicKeyFromText(std::string_view text) {
  EnsureSodium();
  SecretBytes key;
  key.Value().resize(kKeyBytes);
  crypto_generichash(key.data(), key.size(), reinterpret_cast<const unsigned char*>(text.data()),
                     text.size(), nullptr, 0);
  return key;
}

std::vector<std::uint8_t> Seal(const SecretBytes& key,
                               std::span<const std::uint8_t, kNonceBytes> nonce,
                               std::span<const std::uint8_t> plain,
                               std::span<const std::uint8_t> context) {
  EnsureSodium();
  RequireKey(key);
  std::vector<std::uint8_t> sealed(plain.size() + kTagBytes);
  unsigned long long length = 0;
  crypto_aead_xchacha20poly1305_ietf_encrypt(sealed.data(), &length, plain.data(), plain.size(),
                                             context.data(), context.size(), nullptr, nonce.data(),
                                             key.data());
  sealed.resize(static_cast<std::size_t>(length));
  return sealed;
}

std::optional<SecretBytes> Open(const SecretBytes& key,
                                std::span<const std::uint8_t, kNonceBytes> nonce,
                                std::span<const std::uint8_t> sealed,
                                std::span<const std::uint8_t> context) {
  EnsureSodium();
  RequireKey(key);
  if (sealed.size() < kTagBytes) return std::nullopt;
  SecretBytes plain;
  plain.Value().resize(sealed.size() - kTagBytes);
  unsigned long long length = 0;
  if (crypto_aead_xchacha20poly1305_ietf_decrypt(plain.data(), &length, nullptr, sealed.data(),
                                                 sealed.size(), context.data(), context.size(),
                                                 nonce.data(), key.data()) != 0) {
    return std::nullopt;
  }
  plain.Value().resize(static_cast<std::size_t>(length));
  return plain;
}

static_assert(sizeof(crypto_generichash_state) <= 384 && alignof(crypto_generichash_state) <= 64);

Blake2b::Blake2b() {
  EnsureSodium();
  crypto_generichash_init(reinterpret_cast<crypto_generichash_state*>(state_.data()), nullptr, 0,
                          32);
}

Blake2b::~Blake2b() { sodium_memzero(state_.data(), state_.size()); }

void Blake2b::Update(std::span<const std::uint8_t> bytes) {
  crypto_generichash_update(reinterpret_cast<crypto_generichash_state*>(state_.data()),
                            bytes.data(), bytes.size());
}

std::array<std::uint8_t, 32> Blake2b::Final() {
  std::array<std::uint8_t, 32> digest{};
  crypto_generichash_final(reinterpret_cast<crypto_generichash_state*>(state_.data()),
                           digest.data(), digest.size());
  return digest;
}

void FillRandom(std::span<std::uint8_t> out) {
  EnsureSodium();
  randombytes_buf(out.data(), out.size());
}

KeyStream::KeyStream(const SecretBytes& key, std::span<const std::uint8_t, kNonceBytes> nonce)
    : key_(key.View()) {
  EnsureSodium();
  RequireKey(key_);
  std::copy(nonce.begin(), nonce.end(), nonce_.begin());
}

KeyStream::~KeyStream() { sodium_memzero(buffer_.data(), buffer_.size()); }

void KeyStream::Refill() {
  // The stream of 64-byte blocks from block nextBlock_ on: zeros enciphered.
  std::fill(buffer_.begin(), buffer_.end(), std::uint8_t{0});
  crypto_stream_xchacha20_xor_ic(buffer_.data(), buffer_.data(), buffer_.size(), nonce_.data(),
                                 nextBlock_, key_.data());
  nextBlock_ += buffer_.size() / 64;
  used_ = 0;
}

std::uint32_t KeyStream::NextWord() {
  if (used_ + 4 > buffer_.size()) Refill();
  const std::uint8_t* p = buffer_.data() + used_;
  used_ += 4;
  return static_cast<std::uint32_t>(p[0]) | static_cast<std::uint32_t>(p[1]) << 8 |
         static_cast<std::uint32_t>(p[2]) << 16 | static_cast<std::uint32_t>(p[3]) << 24;
}

std::uint32_t KeyStream::Below(std::uint32_t bound) {
  const std::uint64_t span = std::uint64_t{1} << 32;
  const std::uint64_t limit = span - span % bound;
  for (;;) {
    const std::uint32_t word = NextWord();
    if (word < limit) return word % bound;
  }
}

}  // namespace hushlake::sealed
