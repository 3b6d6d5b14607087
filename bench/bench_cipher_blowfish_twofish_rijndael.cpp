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

#include "cipher/blowfish.h"
#include "cipher/rijndael.h"
#include "cipher/twofish.h"
#include "cipher_bench.h"

#ifdef HUSHLAKE_HAVE_CRYPTOPP
#include <cryptopp/aes.h>
#include <cryptopp/blowfish.h>
#include <cryptopp/cpu.h>
#include <cryptopp/modes.h>
#include <cryptopp/twofish.h>
#endif

namespace {

using namespace hushlake::cipher_bench;
using hushlake::TCipher_Blowfish;
using hushlake::TCipher_Rijndael;
using hushlake::TCipher_Twofish;

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
void MaskedPeerCbc(benchmark::State& state, int keyLength, bool maskAesNi, bool maskSse2) {
  PeerFeatureMask mask(maskAesNi, maskSse2);
  PeerCbc<typename CryptoPP::CBC_Mode<Peer>::Encryption>(state, keyLength, 0);
}

template <class Peer>
void MaskedPeerKeySetup(benchmark::State& state, int keyLength, bool maskAesNi, bool maskSse2) {
  PeerFeatureMask mask(maskAesNi, maskSse2);
  PeerKeySetup<typename Peer::Encryption>(state, keyLength, 0);
}

#endif

void RegisterOurs() {
  benchmark::RegisterBenchmark("Cbc/Blowfish_key16", EncipherCbc<TCipher_Blowfish>, 16);
  benchmark::RegisterBenchmark("Cbc/Twofish_key16", EncipherCbc<TCipher_Twofish>, 16);
  benchmark::RegisterBenchmark("Cbc/Twofish_key32", EncipherCbc<TCipher_Twofish>, 32);
  benchmark::RegisterBenchmark("Cbc/AES128", EncipherCbc<TCipher_Rijndael>, 16);
  benchmark::RegisterBenchmark("Cbc/AES192", EncipherCbc<TCipher_Rijndael>, 24);
  benchmark::RegisterBenchmark("Cbc/AES256", EncipherCbc<TCipher_Rijndael>, 32);
  benchmark::RegisterBenchmark("Block/Blowfish_key16", EncryptBlocks<TCipher_Blowfish>, 16);
  benchmark::RegisterBenchmark("Block/Twofish_key16", EncryptBlocks<TCipher_Twofish>, 16);
  benchmark::RegisterBenchmark("Block/AES128", EncryptBlocks<TCipher_Rijndael>, 16);
  benchmark::RegisterBenchmark("Init/Blowfish_key16", KeySetup<TCipher_Blowfish>, 16);
  benchmark::RegisterBenchmark("Init/Twofish_key16", KeySetup<TCipher_Twofish>, 16);
  benchmark::RegisterBenchmark("Init/Twofish_key32", KeySetup<TCipher_Twofish>, 32);
  benchmark::RegisterBenchmark("Init/AES128", KeySetup<TCipher_Rijndael>, 16);
  benchmark::RegisterBenchmark("Init/AES256", KeySetup<TCipher_Rijndael>, 32);
}

void RegisterPeers() {
#ifdef HUSHLAKE_HAVE_CRYPTOPP
  using CryptoPP::AES;
  using CryptoPP::Blowfish;
  using CryptoPP::Twofish;
  benchmark::RegisterBenchmark("Cbc/CryptoPP_Blowfish_key16", MaskedPeerCbc<Blowfish>, 16, false,
                               false);
  benchmark::RegisterBenchmark("Cbc/CryptoPP_Twofish_key16", MaskedPeerCbc<Twofish>, 16, false,
                               false);
  benchmark::RegisterBenchmark("Cbc/CryptoPP_Twofish_key32", MaskedPeerCbc<Twofish>, 32, false,
                               false);
  benchmark::RegisterBenchmark("Cbc/CryptoPP_AES128_aesni", MaskedPeerCbc<AES>, 16, false, false);
  benchmark::RegisterBenchmark("Cbc/CryptoPP_AES128_sse2_tables", MaskedPeerCbc<AES>, 16, true,
                               false);
  benchmark::RegisterBenchmark("Cbc/CryptoPP_AES128_portable_tables", MaskedPeerCbc<AES>, 16, true,
                               true);
  benchmark::RegisterBenchmark("Cbc/CryptoPP_AES256_portable_tables", MaskedPeerCbc<AES>, 32, true,
                               true);
  benchmark::RegisterBenchmark("Init/CryptoPP_Blowfish_key16", MaskedPeerKeySetup<Blowfish>, 16,
                               false, false);
  benchmark::RegisterBenchmark("Init/CryptoPP_Twofish_key16", MaskedPeerKeySetup<Twofish>, 16,
                               false, false);
  benchmark::RegisterBenchmark("Init/CryptoPP_Twofish_key32", MaskedPeerKeySetup<Twofish>, 32,
                               false, false);
  benchmark::RegisterBenchmark("Init/CryptoPP_AES128_portable_tables", MaskedPeerKeySetup<AES>, 16,
                               true, true);
#endif
}

}  // namespace

int main(int argc, char** argv) {
  RegisterOurs();
  RegisterPeers();
  return RunBenchmarks(argc, argv);
}
