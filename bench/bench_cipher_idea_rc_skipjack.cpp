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
#include "cipher_bench.h"

#ifdef HUSHLAKE_HAVE_CRYPTOPP
#define CRYPTOPP_ENABLE_NAMESPACE_WEAK 1
#include <cryptopp/arc4.h>
#include <cryptopp/idea.h>
#include <cryptopp/modes.h>
#include <cryptopp/rc2.h>
#include <cryptopp/rc5.h>
#include <cryptopp/rc6.h>
#include <cryptopp/skipjack.h>
#endif

namespace {

using namespace hushlake;
using namespace hushlake::cipher_bench;
using benchmark::RegisterBenchmark;

// Our RC4 in cmECB: the mode adds nothing to the keystream XOR.
void EncipherRC4Ecb(benchmark::State& state, int keyLength) {
  TCipher_RC4 cipher;
  KeyWith(cipher, keyLength);
  cipher.Mode = cmECB;
  std::vector<std::uint8_t> data(MiB, 0x5A);
  for (auto _ : state) {
    cipher.EncipherBuffer(data.data(), data.data(), MiB);
    benchmark::DoNotOptimize(data.data());
  }
  CountMiB(state);
}

#ifdef HUSHLAKE_HAVE_CRYPTOPP

template <class Block>
using PeerCbcEncryption = typename CryptoPP::CBC_Mode<Block>::Encryption;
template <class Block>
using PeerCbcDecryption = typename CryptoPP::CBC_Mode<Block>::Decryption;

// Our Init builds both directions' subkeys; for IDEA that is what a
// Crypto++ decryption object's key set-up does (expansion plus inversion).
void PeerIdeaDecryptionKeySetup(benchmark::State& state, int keyLength) {
  CryptoPP::IDEA::Decryption cipher;
  const auto key = BenchKey(static_cast<std::size_t>(keyLength));
  for (auto _ : state) {
    cipher.SetKey(key.data(), key.size());
    benchmark::ClobberMemory();
  }
}

void PeerArc4Stream(benchmark::State& state, int keyLength) {
  const auto key = BenchKey(static_cast<std::size_t>(keyLength));
  CryptoPP::Weak::ARC4 arc4(key.data(), key.size());
  std::vector<CryptoPP::byte> data(MiB, 0x5A);
  for (auto _ : state) {
    arc4.ProcessData(data.data(), data.data(), data.size());
    benchmark::DoNotOptimize(data.data());
  }
  CountMiB(state);
}

void PeerArc4KeySetup(benchmark::State& state, int keyLength) {
  const auto key = BenchKey(static_cast<std::size_t>(keyLength));
  CryptoPP::Weak::ARC4 arc4;
  for (auto _ : state) {
    arc4.SetKey(key.data(), key.size());
    benchmark::ClobberMemory();
  }
}

#endif

// Ours beside the peer, algorithm by algorithm, with the same key length and
// round count (rounds 0 keeps the peer's default).
void RegisterEncipher() {
  RegisterBenchmark("EncipherCBC/IDEA/Hushlake", EncipherCbc<TCipher_IDEA>, 16);
  HUSHLAKE_REGISTER_PEER("EncipherCBC/IDEA/CryptoPP-IDEA",
                         PeerCbc<PeerCbcEncryption<CryptoPP::IDEA>>, 16, 0);
  RegisterBenchmark("EncipherCBC/RC2/Hushlake", EncipherCbc<TCipher_RC2>, 32);
  HUSHLAKE_REGISTER_PEER("EncipherCBC/RC2/CryptoPP-RC2", PeerCbc<PeerCbcEncryption<CryptoPP::RC2>>,
                         32, 0);
  RegisterBenchmark("EncipherCBC/RC5/Hushlake", EncipherCbc<TCipher_RC5>, 32);
  HUSHLAKE_REGISTER_PEER("EncipherCBC/RC5/CryptoPP-RC5-12",
                         PeerCbc<PeerCbcEncryption<CryptoPP::RC5>>, 32, 12);
  RegisterBenchmark("EncipherCBC/RC6/Hushlake", EncipherCbc<TCipher_RC6>, 32);
  HUSHLAKE_REGISTER_PEER("EncipherCBC/RC6/CryptoPP-RC6", PeerCbc<PeerCbcEncryption<CryptoPP::RC6>>,
                         32, 20);
  RegisterBenchmark("EncipherCBC/Skipjack/Hushlake", EncipherCbc<TCipher_Skipjack>, 10);
  HUSHLAKE_REGISTER_PEER("EncipherCBC/Skipjack/CryptoPP-SKIPJACK",
                         PeerCbc<PeerCbcEncryption<CryptoPP::SKIPJACK>>, 10, 0);
  RegisterBenchmark("EncipherCBC/RC4/Hushlake", EncipherCbc<TCipher_RC4>, 32);
  RegisterBenchmark("EncipherECB/RC4/Hushlake", EncipherRC4Ecb, 32);
  HUSHLAKE_REGISTER_PEER("Stream/RC4/CryptoPP-ARC4", PeerArc4Stream, 32);
}

void RegisterDecipher() {
  RegisterBenchmark("DecipherCBC/IDEA/Hushlake", DecipherCbc<TCipher_IDEA>, 16);
  HUSHLAKE_REGISTER_PEER("DecipherCBC/IDEA/CryptoPP-IDEA",
                         PeerCbc<PeerCbcDecryption<CryptoPP::IDEA>>, 16, 0);
  RegisterBenchmark("DecipherCBC/RC2/Hushlake", DecipherCbc<TCipher_RC2>, 32);
  HUSHLAKE_REGISTER_PEER("DecipherCBC/RC2/CryptoPP-RC2", PeerCbc<PeerCbcDecryption<CryptoPP::RC2>>,
                         32, 0);
  RegisterBenchmark("DecipherCBC/RC5/Hushlake", DecipherCbc<TCipher_RC5>, 32);
  HUSHLAKE_REGISTER_PEER("DecipherCBC/RC5/CryptoPP-RC5-12",
                         PeerCbc<PeerCbcDecryption<CryptoPP::RC5>>, 32, 12);
  RegisterBenchmark("DecipherCBC/RC6/Hushlake", DecipherCbc<TCipher_RC6>, 32);
  HUSHLAKE_REGISTER_PEER("DecipherCBC/RC6/CryptoPP-RC6", PeerCbc<PeerCbcDecryption<CryptoPP::RC6>>,
                         32, 20);
  RegisterBenchmark("DecipherCBC/Skipjack/Hushlake", DecipherCbc<TCipher_Skipjack>, 10);
  HUSHLAKE_REGISTER_PEER("DecipherCBC/Skipjack/CryptoPP-SKIPJACK",
                         PeerCbc<PeerCbcDecryption<CryptoPP::SKIPJACK>>, 10, 0);
  RegisterBenchmark("DecipherCBC/RC4/Hushlake", DecipherCbc<TCipher_RC4>, 32);
}

void RegisterKeySetup() {
  RegisterBenchmark("KeySetup/IDEA/Hushlake", KeySetup<TCipher_IDEA>, 16);
  HUSHLAKE_REGISTER_PEER("KeySetup/IDEA/CryptoPP-IDEA", PeerKeySetup<CryptoPP::IDEA::Encryption>,
                         16, 0);
  HUSHLAKE_REGISTER_PEER("KeySetup/IDEA/CryptoPP-IDEA-Decryption", PeerIdeaDecryptionKeySetup, 16);
  RegisterBenchmark("KeySetup/RC2/Hushlake", KeySetup<TCipher_RC2>, 32);
  HUSHLAKE_REGISTER_PEER("KeySetup/RC2/CryptoPP-RC2", PeerKeySetup<CryptoPP::RC2::Encryption>, 32,
                         0);
  RegisterBenchmark("KeySetup/RC5/Hushlake", KeySetup<TCipher_RC5>, 32);
  HUSHLAKE_REGISTER_PEER("KeySetup/RC5/CryptoPP-RC5-12", PeerKeySetup<CryptoPP::RC5::Encryption>,
                         32, 12);
  RegisterBenchmark("KeySetup/RC6/Hushlake", KeySetup<TCipher_RC6>, 32);
  HUSHLAKE_REGISTER_PEER("KeySetup/RC6/CryptoPP-RC6", PeerKeySetup<CryptoPP::RC6::Encryption>, 32,
                         20);
  RegisterBenchmark("KeySetup/Skipjack/Hushlake", KeySetup<TCipher_Skipjack>, 10);
  HUSHLAKE_REGISTER_PEER("KeySetup/Skipjack/CryptoPP-SKIPJACK",
                         PeerKeySetup<CryptoPP::SKIPJACK::Encryption>, 10, 0);
  RegisterBenchmark("KeySetup/RC4/Hushlake", KeySetup<TCipher_RC4>, 32);
  HUSHLAKE_REGISTER_PEER("KeySetup/RC4/CryptoPP-ARC4", PeerArc4KeySetup, 32);
}

}  // namespace

int main(int argc, char** argv) {
  RegisterEncipher();
  RegisterDecipher();
  RegisterKeySetup();
  return RunBenchmarks(argc, argv);
}
