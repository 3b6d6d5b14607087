// Throughput (cmCBC over 1 MiB, both directions) and key set-up time of IDEA,
// RC2, RC4, RC5, RC6 and Skipjack, side by side with Crypto++ where
// available. Both sides get the same key length and round count: IDEA 16
// bytes, Skipjack 10, the others 32; RC2 at 1024 effective bits (Crypto++'s
// default too), RC5 12 rounds, RC6 20. Crypto++ keeps Skipjack's bytes in
// reverse order, the same work per block. RC4 is a stream cipher there, so
// its peer runs the bare keystream; ours is also shown in cmECB, where the
// mode adds nothing to the keystream XOR.
#include <benchmark/benchmark.h>

#include <cstdint>
#include <vector>

#include "cipher/idea.h"
#include "cipher/rc2.h"
#include "cipher/rc4.h"
#include "cipher/rc5.h"
#include "cipher/rc6.h"
#include "cipher/skipjack.h"

#ifdef HUSHLAKE_HAVE_CRYPTOPP
#define CRYPTOPP_ENABLE_NAMESPACE_WEAK 1
#include <cryptopp/algparam.h>
#include <cryptopp/arc4.h>
#include <cryptopp/argnames.h>
#include <cryptopp/idea.h>
#include <cryptopp/modes.h>
#include <cryptopp/rc2.h>
#include <cryptopp/rc5.h>
#include <cryptopp/rc6.h>
#include <cryptopp/skipjack.h>
#endif

namespace {

using namespace hushlake;

constexpr std::size_t DataSize = 1 << 20;

std::vector<std::uint8_t> Pattern(std::size_t size) {
  std::vector<std::uint8_t> data(size);
  for (std::size_t n = 0; n < size; ++n) data[n] = static_cast<std::uint8_t>(n * 37 + 11);
  return data;
}

template <class Cipher, std::size_t KeyBytes, TCipherMode Mode, bool Decipher>
void HushlakeBuffer(benchmark::State& state) {
  Cipher cipher;
  const auto key = Pattern(KeyBytes);
  cipher.Init(key.data(), static_cast<int>(key.size()), nullptr);
  cipher.Mode = Mode;
  auto data = Pattern(DataSize);
  for (auto _ : state) {
    if constexpr (Decipher)
      cipher.DecipherBuffer(data.data(), data.data(), static_cast<int>(data.size()));
    else
      cipher.EncipherBuffer(data.data(), data.data(), static_cast<int>(data.size()));
    benchmark::DoNotOptimize(data.data());
  }
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) * DataSize);
}

template <class Cipher, std::size_t KeyBytes>
void HushlakeEncipherCbc(benchmark::State& state) {
  HushlakeBuffer<Cipher, KeyBytes, cmCBC, false>(state);
}

template <class Cipher, std::size_t KeyBytes>
void HushlakeDecipherCbc(benchmark::State& state) {
  HushlakeBuffer<Cipher, KeyBytes, cmCBC, true>(state);
}

template <class Cipher, std::size_t KeyBytes>
void HushlakeEncipherEcb(benchmark::State& state) {
  HushlakeBuffer<Cipher, KeyBytes, cmECB, false>(state);
}

// Init includes the default vector, i.e. one block encryption.
template <class Cipher, std::size_t KeyBytes>
void HushlakeKeySetup(benchmark::State& state) {
  Cipher cipher;
  const auto key = Pattern(KeyBytes);
  for (auto _ : state) {
    cipher.Init(key.data(), static_cast<int>(key.size()), nullptr);
    benchmark::ClobberMemory();
  }
}

#ifdef HUSHLAKE_HAVE_CRYPTOPP

// A peer cipher with the key length and round count of our counterpart
// (Rounds 0 keeps the peer's default).
template <class C, std::size_t KeyBytes, int Rounds>
struct Peer {
  using Cipher = C;
  static constexpr std::size_t KeySize = KeyBytes;

  // The mode takes the vector; the bare block cipher only the rounds.
  static CryptoPP::AlgorithmParameters Parameters(const std::vector<std::uint8_t>* iv) {
    CryptoPP::AlgorithmParameters params;
    if (iv != nullptr)
      params(CryptoPP::Name::IV(),
             CryptoPP::ConstByteArrayParameter(iv->data(), iv->size(), false));
    if (Rounds > 0) params(CryptoPP::Name::Rounds(), Rounds);
    return params;
  }
};

using PeerIdea = Peer<CryptoPP::IDEA, 16, 0>;
using PeerRC2 = Peer<CryptoPP::RC2, 32, 0>;
using PeerRC5 = Peer<CryptoPP::RC5, 32, 12>;
using PeerRC6 = Peer<CryptoPP::RC6, 32, 20>;
using PeerSkipjack = Peer<CryptoPP::SKIPJACK, 10, 0>;

template <class P, class Mode>
void PeerCbcRun(benchmark::State& state) {
  Mode cbc;
  const auto key = Pattern(P::KeySize);
  const auto iv = Pattern(P::Cipher::BLOCKSIZE);
  cbc.SetKey(key.data(), key.size(), P::Parameters(&iv));
  auto data = Pattern(DataSize);
  for (auto _ : state) {
    cbc.ProcessData(data.data(), data.data(), data.size());
    benchmark::DoNotOptimize(data.data());
  }
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) * DataSize);
}

template <class P>
void PeerEncipherCbc(benchmark::State& state) {
  PeerCbcRun<P, typename CryptoPP::CBC_Mode<typename P::Cipher>::Encryption>(state);
}

template <class P>
void PeerDecipherCbc(benchmark::State& state) {
  PeerCbcRun<P, typename CryptoPP::CBC_Mode<typename P::Cipher>::Decryption>(state);
}

template <class P>
void PeerKeySetup(benchmark::State& state) {
  typename P::Cipher::Encryption cipher;
  const auto key = Pattern(P::KeySize);
  const auto params = P::Parameters(nullptr);
  for (auto _ : state) {
    cipher.SetKey(key.data(), key.size(), params);
    benchmark::ClobberMemory();
  }
}

// Our Init builds both directions' subkeys; for IDEA that is what a
// Crypto++ decryption object's key set-up does (expansion plus inversion).
template <class P>
void PeerDecryptionKeySetup(benchmark::State& state) {
  typename P::Cipher::Decryption cipher;
  const auto key = Pattern(P::KeySize);
  const auto params = P::Parameters(nullptr);
  for (auto _ : state) {
    cipher.SetKey(key.data(), key.size(), params);
    benchmark::ClobberMemory();
  }
}

void PeerArc4Stream(benchmark::State& state) {
  const auto key = Pattern(32);
  CryptoPP::Weak::ARC4 arc4(key.data(), key.size());
  auto data = Pattern(DataSize);
  for (auto _ : state) {
    arc4.ProcessData(data.data(), data.data(), data.size());
    benchmark::DoNotOptimize(data.data());
  }
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) * DataSize);
}

void PeerArc4KeySetup(benchmark::State& state) {
  const auto key = Pattern(32);
  CryptoPP::Weak::ARC4 arc4;
  for (auto _ : state) {
    arc4.SetKey(key.data(), key.size());
    benchmark::ClobberMemory();
  }
}

#endif

// Ours beside the peer, algorithm by algorithm.
#ifdef HUSHLAKE_HAVE_CRYPTOPP
#define PEER(function, peer, name) BENCHMARK_TEMPLATE(function, peer)->Name(name)
#define PEER_PLAIN(function, name) BENCHMARK(function)->Name(name)
#else
#define PEER(function, peer, name) static_assert(true)
#define PEER_PLAIN(function, name) static_assert(true)
#endif
#define OURS(function, cipher, keyBytes, name) \
  BENCHMARK_TEMPLATE(function, hushlake::cipher, keyBytes)->Name(name)

OURS(HushlakeEncipherCbc, TCipher_IDEA, 16, "EncipherCBC/IDEA/Hushlake");
PEER(PeerEncipherCbc, PeerIdea, "EncipherCBC/IDEA/CryptoPP-IDEA");
OURS(HushlakeEncipherCbc, TCipher_RC2, 32, "EncipherCBC/RC2/Hushlake");
PEER(PeerEncipherCbc, PeerRC2, "EncipherCBC/RC2/CryptoPP-RC2");
OURS(HushlakeEncipherCbc, TCipher_RC5, 32, "EncipherCBC/RC5/Hushlake");
PEER(PeerEncipherCbc, PeerRC5, "EncipherCBC/RC5/CryptoPP-RC5-12");
OURS(HushlakeEncipherCbc, TCipher_RC6, 32, "EncipherCBC/RC6/Hushlake");
PEER(PeerEncipherCbc, PeerRC6, "EncipherCBC/RC6/CryptoPP-RC6");
OURS(HushlakeEncipherCbc, TCipher_Skipjack, 10, "EncipherCBC/Skipjack/Hushlake");
PEER(PeerEncipherCbc, PeerSkipjack, "EncipherCBC/Skipjack/CryptoPP-SKIPJACK");
OURS(HushlakeEncipherCbc, TCipher_RC4, 32, "EncipherCBC/RC4/Hushlake");
OURS(HushlakeEncipherEcb, TCipher_RC4, 32, "EncipherECB/RC4/Hushlake");
PEER_PLAIN(PeerArc4Stream, "Stream/RC4/CryptoPP-ARC4");

OURS(HushlakeDecipherCbc, TCipher_IDEA, 16, "DecipherCBC/IDEA/Hushlake");
PEER(PeerDecipherCbc, PeerIdea, "DecipherCBC/IDEA/CryptoPP-IDEA");
OURS(HushlakeDecipherCbc, TCipher_RC2, 32, "DecipherCBC/RC2/Hushlake");
PEER(PeerDecipherCbc, PeerRC2, "DecipherCBC/RC2/CryptoPP-RC2");
OURS(HushlakeDecipherCbc, TCipher_RC5, 32, "DecipherCBC/RC5/Hushlake");
PEER(PeerDecipherCbc, PeerRC5, "DecipherCBC/RC5/CryptoPP-RC5-12");
OURS(HushlakeDecipherCbc, TCipher_RC6, 32, "DecipherCBC/RC6/Hushlake");
PEER(PeerDecipherCbc, PeerRC6, "DecipherCBC/RC6/CryptoPP-RC6");
OURS(HushlakeDecipherCbc, TCipher_Skipjack, 10, "DecipherCBC/Skipjack/Hushlake");
PEER(PeerDecipherCbc, PeerSkipjack, "DecipherCBC/Skipjack/CryptoPP-SKIPJACK");
OURS(HushlakeDecipherCbc, TCipher_RC4, 32, "DecipherCBC/RC4/Hushlake");

OURS(HushlakeKeySetup, TCipher_IDEA, 16, "KeySetup/IDEA/Hushlake");
PEER(PeerKeySetup, PeerIdea, "KeySetup/IDEA/CryptoPP-IDEA");
PEER(PeerDecryptionKeySetup, PeerIdea, "KeySetup/IDEA/CryptoPP-IDEA-Decryption");
OURS(HushlakeKeySetup, TCipher_RC2, 32, "KeySetup/RC2/Hushlake");
PEER(PeerKeySetup, PeerRC2, "KeySetup/RC2/CryptoPP-RC2");
OURS(HushlakeKeySetup, TCipher_RC5, 32, "KeySetup/RC5/Hushlake");
PEER(PeerKeySetup, PeerRC5, "KeySetup/RC5/CryptoPP-RC5-12");
OURS(HushlakeKeySetup, TCipher_RC6, 32, "KeySetup/RC6/Hushlake");
PEER(PeerKeySetup, PeerRC6, "KeySetup/RC6/CryptoPP-RC6");
OURS(HushlakeKeySetup, TCipher_Skipjack, 10, "KeySetup/Skipjack/Hushlake");
PEER(PeerKeySetup, PeerSkipjack, "KeySetup/Skipjack/CryptoPP-SKIPJACK");
OURS(HushlakeKeySetup, TCipher_RC4, 32, "KeySetup/RC4/Hushlake");
PEER_PLAIN(PeerArc4KeySetup, "KeySetup/RC4/CryptoPP-ARC4");

}  // namespace

BENCHMARK_MAIN();
