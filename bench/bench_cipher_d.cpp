// Throughput (cmCBC over 1 MiB) and key set-up time of Q128, SCOP and
// Sapphire II. None of the peer libraries carries these three, so the figures
// stand alone.
#include <benchmark/benchmark.h>

#include <array>
#include <cstdint>
#include <vector>

#include "cipher/q128.h"
#include "cipher/sapphire.h"
#include "cipher/scop.h"

namespace {

using namespace hushlake;

constexpr int MiB = 1 << 20;

// A 32-byte key, the length of the default key hash's digest; Init cuts it
// to each cipher's key size as InitKey would.
std::array<std::uint8_t, 32> BenchKey() {
  std::array<std::uint8_t, 32> key{};
  for (std::size_t n = 0; n < key.size(); ++n) key[n] = static_cast<std::uint8_t>(n * 37 + 11);
  return key;
}

template <class Cipher>
void BM_EncipherCbc(benchmark::State& state) {
  const auto key = BenchKey();
  Cipher cipher;
  cipher.Init(key.data(), static_cast<int>(key.size()), nullptr);
  cipher.Mode = cmCBC;
  std::vector<std::uint8_t> data(MiB, 0x5A);
  for (auto _ : state) {
    cipher.EncipherBuffer(data.data(), data.data(), MiB);
    benchmark::DoNotOptimize(data.data());
  }
  state.SetBytesProcessed(state.iterations() * static_cast<std::int64_t>(MiB));
}

template <class Cipher>
void BM_DecipherCbc(benchmark::State& state) {
  const auto key = BenchKey();
  Cipher cipher;
  cipher.Init(key.data(), static_cast<int>(key.size()), nullptr);
  cipher.Mode = cmCBC;
  std::vector<std::uint8_t> data(MiB, 0x5A);
  for (auto _ : state) {
    cipher.DecipherBuffer(data.data(), data.data(), MiB);
    benchmark::DoNotOptimize(data.data());
  }
  state.SetBytesProcessed(state.iterations() * static_cast<std::int64_t>(MiB));
}

// Init includes the default vector, i.e. one block encryption.
template <class Cipher>
void BM_KeySetup(benchmark::State& state) {
  const auto key = BenchKey();
  Cipher cipher;
  for (auto _ : state) {
    cipher.Init(key.data(), static_cast<int>(key.size()), nullptr);
    benchmark::ClobberMemory();
  }
}

BENCHMARK(BM_EncipherCbc<TCipher_Q128>)->Name("Q128/EncipherCBC_1MiB");
BENCHMARK(BM_DecipherCbc<TCipher_Q128>)->Name("Q128/DecipherCBC_1MiB");
BENCHMARK(BM_KeySetup<TCipher_Q128>)->Name("Q128/KeySetup");
BENCHMARK(BM_EncipherCbc<TCipher_SCOP>)->Name("SCOP/EncipherCBC_1MiB");
BENCHMARK(BM_DecipherCbc<TCipher_SCOP>)->Name("SCOP/DecipherCBC_1MiB");
BENCHMARK(BM_KeySetup<TCipher_SCOP>)->Name("SCOP/KeySetup");
BENCHMARK(BM_EncipherCbc<TCipher_Sapphire>)->Name("SapphireII/EncipherCBC_1MiB");
BENCHMARK(BM_DecipherCbc<TCipher_Sapphire>)->Name("SapphireII/DecipherCBC_1MiB");
BENCHMARK(BM_KeySetup<TCipher_Sapphire>)->Name("SapphireII/KeySetup");

}  // namespace

BENCHMARK_MAIN();
