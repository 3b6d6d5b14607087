// Throughput in cmCBC over 1 MiB and key set-up time of Blowfish, Twofish
// and Rijndael, beside Crypto++'s Blowfish, Twofish and AES in CBC.
//
// Crypto++ picks AES-NI by a CPU check at run time and has no switch in the
// environment for it. Its own detection flags (CryptoPP::g_hasAESNI,
// g_hasSSE2) are public, so the AES peer is measured three ways: as shipped
// (AES-NI), with AES-NI masked (its SSE2 table code), and with SSE2 masked
// too (its portable C++ table code). Flags are set before the peer object is
// made and put back afterwards.
#include <benchmark/benchmark.h>

#include <cstdint>
#include <vector>

#include "cipher/blowfish.h"
#include "cipher/rijndael.h"
#include "cipher/twofish.h"

#ifdef HUSHLAKE_HAVE_CRYPTOPP
#include <cryptopp/aes.h>
#include <cryptopp/blowfish.h>
#include <cryptopp/cpu.h>
#include <cryptopp/modes.h>
#include <cryptopp/twofish.h>
#endif

namespace {

constexpr int MiB = 1 << 20;

std::vector<std::uint8_t> SampleKey(int length) {
  std::vector<std::uint8_t> key(static_cast<std::size_t>(length));
  for (int i = 0; i < length; ++i) key[i] = static_cast<std::uint8_t>(i * 29 + 7);
  return key;
}

template <class Cipher>
void BM_Cbc(benchmark::State& state, int keyLength) {
  Cipher cipher;
  const auto key = SampleKey(keyLength);
  cipher.Init(key.data(), keyLength, nullptr);
  cipher.Mode = hushlake::cmCBC;
  std::vector<std::uint8_t> data(MiB, 0x5A);
  for (auto _ : state) {
    cipher.EncipherBuffer(data.data(), data.data(), MiB);
    benchmark::ClobberMemory();
  }
  state.SetBytesProcessed(state.iterations() * MiB);
}

// EncryptBlock alone, each block the previous one's output, as chained
// modes see it: the cost of the mode code is the difference to BM_Cbc.
template <class Cipher>
void BM_Block(benchmark::State& state, int keyLength) {
  Cipher cipher;
  const auto key = SampleKey(keyLength);
  cipher.Init(key.data(), keyLength, nullptr);
  const int blockSize = cipher.BlockSize();
  std::vector<std::uint8_t> block(static_cast<std::size_t>(blockSize), 0x5A);
  for (auto _ : state) {
    for (int done = 0; done < MiB; done += blockSize) cipher.EncryptBlock(block.data());
    benchmark::ClobberMemory();
  }
  state.SetBytesProcessed(state.iterations() * MiB);
}

template <class Cipher>
void BM_Init(benchmark::State& state, int keyLength) {
  Cipher cipher;
  const auto key = SampleKey(keyLength);
  for (auto _ : state) {
    cipher.Init(key.data(), keyLength, nullptr);
    benchmark::ClobberMemory();
  }
}

#ifdef HUSHLAKE_HAVE_CRYPTOPP

// Masks Crypto++'s CPU features for the lifetime of the object.
class PeerFeatureMask {
 public:
  PeerFeatureMask(bool maskAesNi, bool maskSse2) {
    (void)CryptoPP::HasAESNI();  // the detection runs once; flags set later stay
    aesNi_ = CryptoPP::g_hasAESNI;
    sse2_ = CryptoPP::g_hasSSE2;
    if (maskAesNi) CryptoPP::g_hasAESNI = false;
    if (maskSse2) CryptoPP::g_hasSSE2 = false;
  }
  ~PeerFeatureMask() {
    CryptoPP::g_hasAESNI = aesNi_;
    CryptoPP::g_hasSSE2 = sse2_;
  }
  PeerFeatureMask(const PeerFeatureMask&) = delete;
  PeerFeatureMask& operator=(const PeerFeatureMask&) = delete;

 private:
  bool aesNi_ = false, sse2_ = false;
};

template <class Peer>
void BM_PeerCbc(benchmark::State& state, int keyLength, bool maskAesNi, bool maskSse2) {
  PeerFeatureMask mask(maskAesNi, maskSse2);
  const auto key = SampleKey(keyLength);
  std::vector<std::uint8_t> iv(Peer::BLOCKSIZE, 0xFF);
  typename CryptoPP::CBC_Mode<Peer>::Encryption cipher(key.data(), key.size(), iv.data());
  std::vector<std::uint8_t> data(MiB, 0x5A);
  for (auto _ : state) {
    cipher.ProcessData(data.data(), data.data(), data.size());
    benchmark::ClobberMemory();
  }
  state.SetBytesProcessed(state.iterations() * MiB);
}

template <class Peer>
void BM_PeerInit(benchmark::State& state, int keyLength, bool maskAesNi, bool maskSse2) {
  PeerFeatureMask mask(maskAesNi, maskSse2);
  const auto key = SampleKey(keyLength);
  typename Peer::Encryption cipher;
  for (auto _ : state) {
    cipher.SetKey(key.data(), key.size());
    benchmark::ClobberMemory();
  }
}

#endif

using hushlake::TCipher_Blowfish;
using hushlake::TCipher_Rijndael;
using hushlake::TCipher_Twofish;

void RegisterOurs() {
  benchmark::RegisterBenchmark("Cbc/Blowfish_key16", BM_Cbc<TCipher_Blowfish>, 16);
  benchmark::RegisterBenchmark("Cbc/Twofish_key16", BM_Cbc<TCipher_Twofish>, 16);
  benchmark::RegisterBenchmark("Cbc/Twofish_key32", BM_Cbc<TCipher_Twofish>, 32);
  benchmark::RegisterBenchmark("Cbc/AES128", BM_Cbc<TCipher_Rijndael>, 16);
  benchmark::RegisterBenchmark("Cbc/AES192", BM_Cbc<TCipher_Rijndael>, 24);
  benchmark::RegisterBenchmark("Cbc/AES256", BM_Cbc<TCipher_Rijndael>, 32);
  benchmark::RegisterBenchmark("Block/Blowfish_key16", BM_Block<TCipher_Blowfish>, 16);
  benchmark::RegisterBenchmark("Block/Twofish_key16", BM_Block<TCipher_Twofish>, 16);
  benchmark::RegisterBenchmark("Block/AES128", BM_Block<TCipher_Rijndael>, 16);
  benchmark::RegisterBenchmark("Init/Blowfish_key16", BM_Init<TCipher_Blowfish>, 16);
  benchmark::RegisterBenchmark("Init/Twofish_key16", BM_Init<TCipher_Twofish>, 16);
  benchmark::RegisterBenchmark("Init/Twofish_key32", BM_Init<TCipher_Twofish>, 32);
  benchmark::RegisterBenchmark("Init/AES128", BM_Init<TCipher_Rijndael>, 16);
  benchmark::RegisterBenchmark("Init/AES256", BM_Init<TCipher_Rijndael>, 32);
}

void RegisterPeers() {
#ifdef HUSHLAKE_HAVE_CRYPTOPP
  using CryptoPP::AES;
  using CryptoPP::Blowfish;
  using CryptoPP::Twofish;
  benchmark::RegisterBenchmark("Cbc/CryptoPP_Blowfish_key16", BM_PeerCbc<Blowfish>, 16, false,
                               false);
  benchmark::RegisterBenchmark("Cbc/CryptoPP_Twofish_key16", BM_PeerCbc<Twofish>, 16, false, false);
  benchmark::RegisterBenchmark("Cbc/CryptoPP_Twofish_key32", BM_PeerCbc<Twofish>, 32, false, false);
  benchmark::RegisterBenchmark("Cbc/CryptoPP_AES128_aesni", BM_PeerCbc<AES>, 16, false, false);
  benchmark::RegisterBenchmark("Cbc/CryptoPP_AES128_sse2_tables", BM_PeerCbc<AES>, 16, true, false);
  benchmark::RegisterBenchmark("Cbc/CryptoPP_AES128_portable_tables", BM_PeerCbc<AES>, 16, true,
                               true);
  benchmark::RegisterBenchmark("Cbc/CryptoPP_AES256_portable_tables", BM_PeerCbc<AES>, 32, true,
                               true);
  benchmark::RegisterBenchmark("Init/CryptoPP_Blowfish_key16", BM_PeerInit<Blowfish>, 16, false,
                               false);
  benchmark::RegisterBenchmark("Init/CryptoPP_Twofish_key16", BM_PeerInit<Twofish>, 16, false,
                               false);
  benchmark::RegisterBenchmark("Init/CryptoPP_Twofish_key32", BM_PeerInit<Twofish>, 32, false,
                               false);
  benchmark::RegisterBenchmark("Init/CryptoPP_AES128_portable_tables", BM_PeerInit<AES>, 16, true,
                               true);
#endif
}

}  // namespace

int main(int argc, char** argv) {
  RegisterOurs();
  RegisterPeers();
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
