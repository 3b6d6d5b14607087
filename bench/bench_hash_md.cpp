// Throughput of the MD4 family over a 1 MiB message, side by side with
// Crypto++ where it offers the same algorithm (it has no SHA-0).
#include <benchmark/benchmark.h>

#include <cstdint>
#include <vector>

#include "hash/md4_family.h"

#ifdef HUSHLAKE_HAVE_CRYPTOPP
#define CRYPTOPP_ENABLE_NAMESPACE_WEAK 1
#include <cryptopp/cpu.h>
#include <cryptopp/md4.h>
#include <cryptopp/md5.h>
#include <cryptopp/ripemd.h>
#include <cryptopp/sha.h>
#include <cryptopp/tiger.h>
#endif

namespace {

constexpr std::size_t MessageSize = 1 << 20;

const std::vector<std::uint8_t>& Message() {
  static const std::vector<std::uint8_t> message = [] {
    std::vector<std::uint8_t> bytes(MessageSize);
    std::uint32_t x = 0x12345678u;
    for (auto& b : bytes) {
      x = x * 1664525u + 1013904223u;
      b = static_cast<std::uint8_t>(x >> 24);
    }
    return bytes;
  }();
  return message;
}

void Ours(benchmark::State& state, const hushlake::THashClass* cls) {
  const auto& message = Message();
  hushlake::HashPtr hash = cls->Create();
  for (auto _ : state) {
    hash->Init();
    hash->Update(message.data(), static_cast<int>(message.size()));
    hash->Final();
    benchmark::DoNotOptimize(hash->Digest());
  }
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) *
                          static_cast<std::int64_t>(message.size()));
}

BENCHMARK_CAPTURE(Ours, MD4, &hushlake::THash_MD4::Class);
BENCHMARK_CAPTURE(Ours, MD5, &hushlake::THash_MD5::Class);
BENCHMARK_CAPTURE(Ours, SHA0, &hushlake::THash_SHA::Class);
BENCHMARK_CAPTURE(Ours, SHA1, &hushlake::THash_SHA1::Class);
BENCHMARK_CAPTURE(Ours, RIPEMD128, &hushlake::THash_RipeMD128::Class);
BENCHMARK_CAPTURE(Ours, RIPEMD160, &hushlake::THash_RipeMD160::Class);
BENCHMARK_CAPTURE(Ours, RIPEMD256, &hushlake::THash_RipeMD256::Class);
BENCHMARK_CAPTURE(Ours, RIPEMD320, &hushlake::THash_RipeMD320::Class);
BENCHMARK_CAPTURE(Ours, Tiger, &hushlake::THash_Tiger::Class);

#ifdef HUSHLAKE_HAVE_CRYPTOPP

template <class H>
void Peer(benchmark::State& state) {
  const auto& message = Message();
  H hash;
  std::uint8_t digest[H::DIGESTSIZE];
  for (auto _ : state) {
    hash.Update(message.data(), message.size());
    hash.Final(digest);
    benchmark::DoNotOptimize(digest);
  }
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) *
                          static_cast<std::int64_t>(message.size()));
}

BENCHMARK_TEMPLATE(Peer, CryptoPP::Weak::MD4)->Name("CryptoPP/MD4");
BENCHMARK_TEMPLATE(Peer, CryptoPP::Weak::MD5)->Name("CryptoPP/MD5");
// Uses the SHA extensions when the processor has them.
BENCHMARK_TEMPLATE(Peer, CryptoPP::SHA1)->Name("CryptoPP/SHA1");
BENCHMARK_TEMPLATE(Peer, CryptoPP::RIPEMD128)->Name("CryptoPP/RIPEMD128");
BENCHMARK_TEMPLATE(Peer, CryptoPP::RIPEMD160)->Name("CryptoPP/RIPEMD160");
BENCHMARK_TEMPLATE(Peer, CryptoPP::RIPEMD256)->Name("CryptoPP/RIPEMD256");
BENCHMARK_TEMPLATE(Peer, CryptoPP::RIPEMD320)->Name("CryptoPP/RIPEMD320");
BENCHMARK_TEMPLATE(Peer, CryptoPP::Tiger)->Name("CryptoPP/Tiger");

#if defined(__x86_64__) || defined(__i386__)
// Crypto++'s portable SHA-1, the fair peer of ours: its processor feature
// flag is switched off for the run.
void CryptoPPPortableSHA1(benchmark::State& state) {
  const bool hadSha = CryptoPP::HasSHA();
  state.counters["sha_extensions_present"] = hadSha ? 1 : 0;
  CryptoPP::g_hasSHA = false;
  Peer<CryptoPP::SHA1>(state);
  CryptoPP::g_hasSHA = hadSha;
}
BENCHMARK(CryptoPPPortableSHA1)->Name("CryptoPP/SHA1_portable");
#endif

#endif  // HUSHLAKE_HAVE_CRYPTOPP

}  // namespace

BENCHMARK_MAIN();
