#pragma once
// The harness every cipher benchmark shares: 1 MiB through cmCBC both ways,
// the block function alone, key set-up, and the same figures for a Crypto++
// peer. Benchmarks take the key length as their argument; WholeKey keys with
// the cipher's full KeySize, a longer count is cut by Init as InitKey would.
#include <benchmark/benchmark.h>

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "crypto/cipher_base.h"

#ifdef HUSHLAKE_HAVE_CRYPTOPP
#include <cryptopp/algparam.h>
#include <cryptopp/argnames.h>
#include <cryptopp/cryptlib.h>
#include <cryptopp/modes.h>
#endif

namespace hushlake::cipher_bench {

inline constexpr int MiB = 1 << 20;
inline constexpr int WholeKey = -1;

inline std::vector<std::uint8_t> BenchKey(std::size_t length) {
  std::vector<std::uint8_t> key(length);
  for (std::size_t i = 0; i < length; ++i) key[i] = static_cast<std::uint8_t>(i * 29 + 7);
  return key;
}

inline void KeyWith(TCipher& cipher, int keyLength) {
  const int length = keyLength == WholeKey ? cipher.KeySize() : keyLength;
  const auto key = BenchKey(static_cast<std::size_t>(length));
  cipher.Init(key.data(), length, nullptr);
}

inline void CountMiB(benchmark::State& state) {
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) * MiB);
}

// 1 MiB through cmCBC, one way or the other.
template <class Cipher>
void RunCbc(benchmark::State& state, int keyLength, bool decipher) {
  Cipher cipher;
  KeyWith(cipher, keyLength);
  cipher.Mode = cmCBC;
  std::vector<std::uint8_t> data(MiB, 0x5A);
  for (auto _ : state) {
    if (decipher)
      cipher.DecipherBuffer(data.data(), data.data(), MiB);
    else
      cipher.EncipherBuffer(data.data(), data.data(), MiB);
    benchmark::DoNotOptimize(data.data());
  }
  CountMiB(state);
}

template <class Cipher>
void EncipherCbc(benchmark::State& state, int keyLength) {
  RunCbc<Cipher>(state, keyLength, false);
}

template <class Cipher>
void DecipherCbc(benchmark::State& state, int keyLength) {
  RunCbc<Cipher>(state, keyLength, true);
}

// EncryptBlock alone, each block the previous one's output, as chained
// modes see it: the cost of the mode code is the difference to EncipherCbc.
template <class Cipher>
void EncryptBlocks(benchmark::State& state, int keyLength) {
  Cipher cipher;
  KeyWith(cipher, keyLength);
  const int blockSize = cipher.BlockSize();
  std::vector<std::uint8_t> block(static_cast<std::size_t>(blockSize), 0x5A);
  for (auto _ : state) {
    for (int done = 0; done < MiB; done += blockSize) cipher.EncryptBlock(block.data());
    benchmark::DoNotOptimize(block.data());
  }
  CountMiB(state);
}

// Init includes the default vector, i.e. one block encryption.
template <class Cipher>
void KeySetup(benchmark::State& state, int keyLength) {
  Cipher cipher;
  for (auto _ : state) {
    KeyWith(cipher, keyLength);
    benchmark::ClobberMemory();
  }
}

// Name/EncipherCBC_1MiB, Name/DecipherCBC_1MiB and Name/KeySetup; returns
// the last, for a caller that wants other units.
template <class Cipher>
benchmark::internal::Benchmark* RegisterBothWaysAndKeySetup(const std::string& name,
                                                            int keyLength) {
  const auto add = [&name](const char* figure, auto function, int length) {
    return benchmark::RegisterBenchmark((name + figure).c_str(), function, length);
  };
  add("/EncipherCBC_1MiB", EncipherCbc<Cipher>, keyLength);
  add("/DecipherCBC_1MiB", DecipherCbc<Cipher>, keyLength);
  return add("/KeySetup", KeySetup<Cipher>, keyLength);
}

inline int RunBenchmarks(int argc, char** argv) {
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}

// Registers a Crypto++ peer benchmark; without Crypto++ the arguments are
// dropped unread, so they may name its classes.
#ifdef HUSHLAKE_HAVE_CRYPTOPP
#define HUSHLAKE_REGISTER_PEER(...) benchmark::RegisterBenchmark(__VA_ARGS__)
#else
#define HUSHLAKE_REGISTER_PEER(...) static_cast<void>(0)
#endif

#ifdef HUSHLAKE_HAVE_CRYPTOPP

// The key set-up parameters of a peer: its default rounds unless Rounds > 0.
inline CryptoPP::AlgorithmParameters PeerRounds(int rounds) {
  CryptoPP::AlgorithmParameters params;
  if (rounds > 0) params(CryptoPP::Name::Rounds(), rounds);
  return params;
}

// A Crypto++ mode object (CBC_Mode<Block>::Encryption or ::Decryption) over
// 1 MiB. The key set-up is kept out of the timed loop: the BenchKey pattern,
// KeyLength bytes, a zero vector, and Rounds as PeerRounds reads it.
template <class Mode>
void PeerCbc(benchmark::State& state, int keyLength, int rounds) {
  Mode mode;
  const auto key = BenchKey(static_cast<std::size_t>(keyLength));
  const std::vector<CryptoPP::byte> iv(mode.IVSize(), 0);
  CryptoPP::AlgorithmParameters params = PeerRounds(rounds);
  params(CryptoPP::Name::IV(), CryptoPP::ConstByteArrayParameter(iv.data(), iv.size(), false));
  mode.SetKey(key.data(), key.size(), params);
  std::vector<CryptoPP::byte> data(MiB, 0x5A);
  for (auto _ : state) {
    mode.ProcessData(data.data(), data.data(), data.size());
    benchmark::DoNotOptimize(data.data());
  }
  CountMiB(state);
}

// Key set-up of a Crypto++ block cipher (Block::Encryption).
template <class Encryption>
void PeerKeySetup(benchmark::State& state, int keyLength, int rounds) {
  Encryption cipher;
  const auto key = BenchKey(static_cast<std::size_t>(keyLength));
  const CryptoPP::AlgorithmParameters params = PeerRounds(rounds);
  for (auto _ : state) {
    cipher.SetKey(key.data(), key.size(), params);
    benchmark::ClobberMemory();
  }
}

// The peer's counterpart of RegisterBothWaysAndKeySetup.
template <class Block>
void RegisterPeerBothWaysAndKeySetup(const std::string& name, int keyLength) {
  using Cbc = CryptoPP::CBC_Mode<Block>;
  benchmark::RegisterBenchmark((name + "/EncipherCBC_1MiB").c_str(),
                               PeerCbc<typename Cbc::Encryption>, keyLength, 0);
  benchmark::RegisterBenchmark((name + "/DecipherCBC_1MiB").c_str(),
                               PeerCbc<typename Cbc::Decryption>, keyLength, 0);
  benchmark::RegisterBenchmark((name + "/KeySetup").c_str(),
                               PeerKeySetup<typename Block::Encryption>, keyLength, 0);
}

#endif

}  // namespace hushlake::cipher_bench
