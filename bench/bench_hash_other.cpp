// Throughput of the HAVAL, Snefru, Sapphire II, Square and checksum classes
// over 1 MiB, with mhash's HAVAL and Snefru beside them when it is present.
#include <benchmark/benchmark.h>

#include <cstdint>
#include <string>
#include <vector>

#include "hash/checksums.h"
#include "hash/haval.h"
#include "hash/sapphire_hash.h"
#include "hash/snefru.h"
#include "hash/square_hash.h"

#ifdef HUSHLAKE_HAVE_MHASH
// Its utility functions are declared without C linkage for C++.
extern "C" {
#include <mhash.h>
}
#endif

namespace {

using namespace hushlake;

constexpr std::size_t MessageSize = 1 << 20;

const std::vector<std::uint8_t>& Message() {
  static const std::vector<std::uint8_t> message = [] {
    std::vector<std::uint8_t> bytes(MessageSize);
    std::uint32_t seed = 1;
    for (auto& b : bytes) {
      seed = seed * 1103515245u + 12345u;
      b = static_cast<std::uint8_t>(seed >> 23);
    }
    return bytes;
  }();
  return message;
}

void HashOnce(THash& hash) {
  hash.Init();
  hash.Update(Message().data(), static_cast<int>(Message().size()));
  hash.Final();
  benchmark::DoNotOptimize(hash.Digest());
}

void Ours(benchmark::State& state, const THashClass* cls) {
  HashPtr hash = cls->Create();
  for (auto _ : state) HashOnce(*hash);
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * MessageSize));
}

// HAVAL-256 with a pass count of our choosing, to compare like with like.
void OursHaval256Passes(benchmark::State& state, int passes) {
  THash_Haval256 hash;
  hash.SetPasses(passes);
  for (auto _ : state) HashOnce(hash);
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * MessageSize));
}

BENCHMARK_CAPTURE(Ours, Haval128, &THash_Haval128::Class);
BENCHMARK_CAPTURE(Ours, Haval160, &THash_Haval160::Class);
BENCHMARK_CAPTURE(Ours, Haval192, &THash_Haval192::Class);
BENCHMARK_CAPTURE(Ours, Haval224, &THash_Haval224::Class);
BENCHMARK_CAPTURE(Ours, Haval256, &THash_Haval256::Class);
BENCHMARK_CAPTURE(OursHaval256Passes, Haval256_3Passes, 3);
BENCHMARK_CAPTURE(OursHaval256Passes, Haval256_4Passes, 4);
BENCHMARK_CAPTURE(Ours, Snefru, &THash_Snefru::Class);
BENCHMARK_CAPTURE(Ours, Sapphire128, &THash_Sapphire128::Class);
BENCHMARK_CAPTURE(Ours, Sapphire160, &THash_Sapphire160::Class);
BENCHMARK_CAPTURE(Ours, Sapphire192, &THash_Sapphire192::Class);
BENCHMARK_CAPTURE(Ours, Sapphire224, &THash_Sapphire224::Class);
BENCHMARK_CAPTURE(Ours, Sapphire256, &THash_Sapphire256::Class);
BENCHMARK_CAPTURE(Ours, Sapphire288, &THash_Sapphire288::Class);
BENCHMARK_CAPTURE(Ours, Sapphire320, &THash_Sapphire320::Class);
BENCHMARK_CAPTURE(Ours, Square, &THash_Square::Class);
BENCHMARK_CAPTURE(Ours, XOR16, &THash_XOR16::Class);
BENCHMARK_CAPTURE(Ours, XOR32, &THash_XOR32::Class);
BENCHMARK_CAPTURE(Ours, CRC16_CCITT, &THash_CRC16_CCITT::Class);
BENCHMARK_CAPTURE(Ours, CRC16_Standard, &Thash_CRC16_Standard::Class);
BENCHMARK_CAPTURE(Ours, CRC32, &THash_CRC32::Class);

#ifdef HUSHLAKE_HAVE_MHASH
void Mhash(benchmark::State& state, hashid algorithm) {
  for (auto _ : state) {
    MHASH context = mhash_init(algorithm);
    if (context == MHASH_FAILED) {
      state.SkipWithError("mhash_init failed");
      return;
    }
    mhash(context, Message().data(), static_cast<mutils_word32>(Message().size()));
    void* digest = mhash_end(context);
    benchmark::DoNotOptimize(digest);
    mutils_free(digest);
  }
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * MessageSize));
}

BENCHMARK_CAPTURE(Mhash, Haval128, MHASH_HAVAL128);
BENCHMARK_CAPTURE(Mhash, Haval160, MHASH_HAVAL160);
BENCHMARK_CAPTURE(Mhash, Haval192, MHASH_HAVAL192);
BENCHMARK_CAPTURE(Mhash, Haval224, MHASH_HAVAL224);
BENCHMARK_CAPTURE(Mhash, Haval256, MHASH_HAVAL256);
BENCHMARK_CAPTURE(Mhash, Snefru256, MHASH_SNEFRU256);
#endif

}  // namespace

BENCHMARK_MAIN();
