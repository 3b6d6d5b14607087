// Throughput in cmCBC over 1 MiB and key set-up time of CAST-128, CAST-256,
// MARS and MISTY1, beside Crypto++'s CAST128, CAST256 and MARS in CBC
// (Crypto++ has no MISTY1). Our Init also scrubs the state and enciphers the
// default vector; the peer's SetKey does neither.
#include <benchmark/benchmark.h>

#include "cipher/cast128.h"
#include "cipher/cast256.h"
#include "cipher/mars.h"
#include "cipher/misty.h"
#include "cipher_bench.h"

#ifdef HUSHLAKE_HAVE_CRYPTOPP
#include <cryptopp/cast.h>
#include <cryptopp/mars.h>
#include <cryptopp/modes.h>
#endif

namespace {

using namespace hushlake::cipher_bench;

using hushlake::TCipher_Cast128;
using hushlake::TCipher_Cast256;
using hushlake::TCipher_Mars;
using hushlake::TCipher_Misty;

void RegisterOurs() {
  benchmark::RegisterBenchmark("Cbc/Cast128_key16", EncipherCbc<TCipher_Cast128>, 16);
  benchmark::RegisterBenchmark("Cbc/Cast128_key10", EncipherCbc<TCipher_Cast128>, 10);
  benchmark::RegisterBenchmark("Cbc/Cast256_key32", EncipherCbc<TCipher_Cast256>, 32);
  benchmark::RegisterBenchmark("Cbc/Mars_key16", EncipherCbc<TCipher_Mars>, 16);
  benchmark::RegisterBenchmark("Cbc/Mars_key32", EncipherCbc<TCipher_Mars>, 32);
  benchmark::RegisterBenchmark("Cbc/Misty_key16", EncipherCbc<TCipher_Misty>, 16);
  benchmark::RegisterBenchmark("DecipherCbc/Cast128_key16", DecipherCbc<TCipher_Cast128>, 16);
  benchmark::RegisterBenchmark("DecipherCbc/Cast256_key32", DecipherCbc<TCipher_Cast256>, 32);
  benchmark::RegisterBenchmark("DecipherCbc/Mars_key16", DecipherCbc<TCipher_Mars>, 16);
  benchmark::RegisterBenchmark("DecipherCbc/Misty_key16", DecipherCbc<TCipher_Misty>, 16);
  benchmark::RegisterBenchmark("Init/Cast128_key16", KeySetup<TCipher_Cast128>, 16);
  benchmark::RegisterBenchmark("Init/Cast256_key32", KeySetup<TCipher_Cast256>, 32);
  benchmark::RegisterBenchmark("Init/Mars_key16", KeySetup<TCipher_Mars>, 16);
  benchmark::RegisterBenchmark("Init/Mars_key32", KeySetup<TCipher_Mars>, 32);
  benchmark::RegisterBenchmark("Init/Misty_key16", KeySetup<TCipher_Misty>, 16);
}

void RegisterPeers() {
#ifdef HUSHLAKE_HAVE_CRYPTOPP
  using CryptoPP::CAST128;
  using CryptoPP::CAST256;
  using CryptoPP::MARS;
  benchmark::RegisterBenchmark("Cbc/CryptoPP_CAST128_key16",
                               PeerCbc<CryptoPP::CBC_Mode<CAST128>::Encryption>, 16, 0);
  benchmark::RegisterBenchmark("Cbc/CryptoPP_CAST128_key10",
                               PeerCbc<CryptoPP::CBC_Mode<CAST128>::Encryption>, 10, 0);
  benchmark::RegisterBenchmark("Cbc/CryptoPP_CAST256_key32",
                               PeerCbc<CryptoPP::CBC_Mode<CAST256>::Encryption>, 32, 0);
  benchmark::RegisterBenchmark("Cbc/CryptoPP_MARS_key16",
                               PeerCbc<CryptoPP::CBC_Mode<MARS>::Encryption>, 16, 0);
  benchmark::RegisterBenchmark("Cbc/CryptoPP_MARS_key32",
                               PeerCbc<CryptoPP::CBC_Mode<MARS>::Encryption>, 32, 0);
  benchmark::RegisterBenchmark("DecipherCbc/CryptoPP_CAST128_key16",
                               PeerCbc<CryptoPP::CBC_Mode<CAST128>::Decryption>, 16, 0);
  benchmark::RegisterBenchmark("DecipherCbc/CryptoPP_CAST256_key32",
                               PeerCbc<CryptoPP::CBC_Mode<CAST256>::Decryption>, 32, 0);
  benchmark::RegisterBenchmark("DecipherCbc/CryptoPP_MARS_key16",
                               PeerCbc<CryptoPP::CBC_Mode<MARS>::Decryption>, 16, 0);
  benchmark::RegisterBenchmark("Init/CryptoPP_CAST128_key16", PeerKeySetup<CAST128::Encryption>, 16,
                               0);
  benchmark::RegisterBenchmark("Init/CryptoPP_CAST256_key32", PeerKeySetup<CAST256::Encryption>, 32,
                               0);
  benchmark::RegisterBenchmark("Init/CryptoPP_MARS_key16", PeerKeySetup<MARS::Encryption>, 16, 0);
  benchmark::RegisterBenchmark("Init/CryptoPP_MARS_key32", PeerKeySetup<MARS::Encryption>, 32, 0);
#endif
}

}  // namespace

int main(int argc, char** argv) {
  RegisterOurs();
  RegisterPeers();
  return RunBenchmarks(argc, argv);
}
