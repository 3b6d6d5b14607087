// Throughput (cmCBC over 1 MiB) and key set-up of the DES family, DESX,
// NewDES and FROG, with Crypto++'s DES, DES_EDE2, DES_EDE3 and DES_XEX3
// beside our single, double, triple DES and DESX. The wide-block DES
// classes, NewDES and FROG have no peer.
#include <benchmark/benchmark.h>

#include <cstdint>
#include <vector>

#include "cipher/des.h"
#include "cipher/des_family.h"
#include "cipher/frog.h"
#include "cipher/newdes.h"

#ifdef HUSHLAKE_HAVE_CRYPTOPP
#include <cryptopp/des.h>
#include <cryptopp/modes.h>
#endif

namespace {

constexpr std::size_t DataSize = 1 << 20;

std::vector<std::uint8_t> Pattern(std::size_t size) {
  std::vector<std::uint8_t> bytes(size);
  for (std::size_t i = 0; i < size; ++i) bytes[i] = static_cast<std::uint8_t>(i * 131 + 7);
  return bytes;
}

template <class Cipher>
void HushlakeCbc(benchmark::State& state) {
  Cipher cipher;
  const auto key = Pattern(static_cast<std::size_t>(cipher.KeySize()));
  cipher.Mode = hushlake::cmCBC;
  cipher.Init(key.data(), static_cast<int>(key.size()), nullptr);
  auto data = Pattern(DataSize);
  for (auto _ : state) {
    cipher.EncipherBuffer(data.data(), data.data(), static_cast<int>(data.size()));
    benchmark::DoNotOptimize(data.data());
  }
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) * DataSize);
}

template <class Cipher>
void HushlakeKeySetup(benchmark::State& state) {
  Cipher cipher;
  const auto key = Pattern(static_cast<std::size_t>(cipher.KeySize()));
  for (auto _ : state) {
    cipher.Init(key.data(), static_cast<int>(key.size()), nullptr);
    benchmark::ClobberMemory();
  }
}

#ifdef HUSHLAKE_HAVE_CRYPTOPP

// Keyed with as many bytes as our counterpart takes; DES_XEX3 wants the
// three DESX keys spelled out (24 bytes), ours derives the third from 16.
template <class C, std::size_t KeyBytes>
struct Peer {
  using Cipher = C;
  static constexpr std::size_t KeySize = KeyBytes;
};

using PeerDes = Peer<CryptoPP::DES, 8>;
using PeerDesEde2 = Peer<CryptoPP::DES_EDE2, 16>;
using PeerDesEde3 = Peer<CryptoPP::DES_EDE3, 24>;
using PeerDesXex3 = Peer<CryptoPP::DES_XEX3, 24>;

template <class P>
void PeerCbc(benchmark::State& state) {
  typename CryptoPP::CBC_Mode<typename P::Cipher>::Encryption cbc;
  const auto key = Pattern(P::KeySize);
  const auto iv = Pattern(P::Cipher::BLOCKSIZE);
  cbc.SetKeyWithIV(key.data(), key.size(), iv.data(), iv.size());
  auto data = Pattern(DataSize);
  for (auto _ : state) {
    cbc.ProcessData(data.data(), data.data(), data.size());
    benchmark::DoNotOptimize(data.data());
  }
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) * DataSize);
}

template <class P>
void PeerKeySetup(benchmark::State& state) {
  typename P::Cipher::Encryption cipher;
  const auto key = Pattern(P::KeySize);
  for (auto _ : state) {
    cipher.SetKey(key.data(), key.size());
    benchmark::ClobberMemory();
  }
}

#endif

// Ours beside the peer, algorithm by algorithm.
#ifdef HUSHLAKE_HAVE_CRYPTOPP
#define PEER(function, peer, name) BENCHMARK_TEMPLATE(function, peer)->Name(name)
#else
#define PEER(function, peer, name) static_assert(true)
#endif
#define OURS(function, cipher, name) BENCHMARK_TEMPLATE(function, hushlake::cipher)->Name(name)

OURS(HushlakeCbc, TCipher_1DES, "CBC/DES/Hushlake");
PEER(PeerCbc, PeerDes, "CBC/DES/CryptoPP-DES");
OURS(HushlakeCbc, TCipher_2DES, "CBC/2DES/Hushlake");
PEER(PeerCbc, PeerDesEde2, "CBC/2DES/CryptoPP-DES_EDE2");
OURS(HushlakeCbc, TCipher_3DES, "CBC/3DES/Hushlake");
PEER(PeerCbc, PeerDesEde3, "CBC/3DES/CryptoPP-DES_EDE3");
OURS(HushlakeCbc, TCipher_DESX, "CBC/DESX/Hushlake");
PEER(PeerCbc, PeerDesXex3, "CBC/DESX/CryptoPP-DES_XEX3");
OURS(HushlakeCbc, TCipher_2DDES, "CBC/2DDES/Hushlake");
OURS(HushlakeCbc, TCipher_3DDES, "CBC/3DDES/Hushlake");
OURS(HushlakeCbc, TCipher_3TDES, "CBC/3TDES/Hushlake");
OURS(HushlakeCbc, TCipher_NewDES, "CBC/NewDES/Hushlake");
OURS(HushlakeCbc, TCipher_FROG, "CBC/FROG/Hushlake");

OURS(HushlakeKeySetup, TCipher_1DES, "KeySetup/DES/Hushlake");
PEER(PeerKeySetup, PeerDes, "KeySetup/DES/CryptoPP-DES");
OURS(HushlakeKeySetup, TCipher_2DES, "KeySetup/2DES/Hushlake");
PEER(PeerKeySetup, PeerDesEde2, "KeySetup/2DES/CryptoPP-DES_EDE2");
OURS(HushlakeKeySetup, TCipher_3DES, "KeySetup/3DES/Hushlake");
PEER(PeerKeySetup, PeerDesEde3, "KeySetup/3DES/CryptoPP-DES_EDE3");
OURS(HushlakeKeySetup, TCipher_DESX, "KeySetup/DESX/Hushlake");
PEER(PeerKeySetup, PeerDesXex3, "KeySetup/DESX/CryptoPP-DES_XEX3");
OURS(HushlakeKeySetup, TCipher_NewDES, "KeySetup/NewDES/Hushlake");
OURS(HushlakeKeySetup, TCipher_FROG, "KeySetup/FROG/Hushlake");

}  // namespace

BENCHMARK_MAIN();
