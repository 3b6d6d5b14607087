// Throughput (cmCBC over 1 MiB) and key set-up of the DES family, DESX,
// NewDES and FROG, with Crypto++'s DES, DES_EDE2, DES_EDE3 and DES_XEX3
// beside our single, double, triple DES and DESX. The wide-block DES
// classes, NewDES and FROG have no peer.
#include <benchmark/benchmark.h>

#include "cipher/des.h"
#include "cipher/des_family.h"
#include "cipher/frog.h"
#include "cipher/newdes.h"
#include "cipher_bench.h"

#ifdef HUSHLAKE_HAVE_CRYPTOPP
#include <cryptopp/des.h>
#include <cryptopp/modes.h>
#endif

namespace {

using namespace hushlake;
using namespace hushlake::cipher_bench;
using benchmark::RegisterBenchmark;

// Ours beside the peer, algorithm by algorithm; the peer keyed with as many
// bytes as our counterpart takes. DES_XEX3 wants the three DESX keys spelled
// out (24 bytes), ours derives the third from 16.
void RegisterCbc() {
  RegisterBenchmark("CBC/DES/Hushlake", EncipherCbc<TCipher_1DES>, WholeKey);
  HUSHLAKE_REGISTER_PEER("CBC/DES/CryptoPP-DES",
                         PeerCbc<CryptoPP::CBC_Mode<CryptoPP::DES>::Encryption>, 8, 0);
  RegisterBenchmark("CBC/2DES/Hushlake", EncipherCbc<TCipher_2DES>, WholeKey);
  HUSHLAKE_REGISTER_PEER("CBC/2DES/CryptoPP-DES_EDE2",
                         PeerCbc<CryptoPP::CBC_Mode<CryptoPP::DES_EDE2>::Encryption>, 16, 0);
  RegisterBenchmark("CBC/3DES/Hushlake", EncipherCbc<TCipher_3DES>, WholeKey);
  HUSHLAKE_REGISTER_PEER("CBC/3DES/CryptoPP-DES_EDE3",
                         PeerCbc<CryptoPP::CBC_Mode<CryptoPP::DES_EDE3>::Encryption>, 24, 0);
  RegisterBenchmark("CBC/DESX/Hushlake", EncipherCbc<TCipher_DESX>, WholeKey);
  HUSHLAKE_REGISTER_PEER("CBC/DESX/CryptoPP-DES_XEX3",
                         PeerCbc<CryptoPP::CBC_Mode<CryptoPP::DES_XEX3>::Encryption>, 24, 0);
  RegisterBenchmark("CBC/2DDES/Hushlake", EncipherCbc<TCipher_2DDES>, WholeKey);
  RegisterBenchmark("CBC/3DDES/Hushlake", EncipherCbc<TCipher_3DDES>, WholeKey);
  RegisterBenchmark("CBC/3TDES/Hushlake", EncipherCbc<TCipher_3TDES>, WholeKey);
  RegisterBenchmark("CBC/NewDES/Hushlake", EncipherCbc<TCipher_NewDES>, WholeKey);
  RegisterBenchmark("CBC/FROG/Hushlake", EncipherCbc<TCipher_FROG>, WholeKey);
}

void RegisterKeySetup() {
  RegisterBenchmark("KeySetup/DES/Hushlake", KeySetup<TCipher_1DES>, WholeKey);
  HUSHLAKE_REGISTER_PEER("KeySetup/DES/CryptoPP-DES", PeerKeySetup<CryptoPP::DES::Encryption>, 8,
                         0);
  RegisterBenchmark("KeySetup/2DES/Hushlake", KeySetup<TCipher_2DES>, WholeKey);
  HUSHLAKE_REGISTER_PEER("KeySetup/2DES/CryptoPP-DES_EDE2",
                         PeerKeySetup<CryptoPP::DES_EDE2::Encryption>, 16, 0);
  RegisterBenchmark("KeySetup/3DES/Hushlake", KeySetup<TCipher_3DES>, WholeKey);
  HUSHLAKE_REGISTER_PEER("KeySetup/3DES/CryptoPP-DES_EDE3",
                         PeerKeySetup<CryptoPP::DES_EDE3::Encryption>, 24, 0);
  RegisterBenchmark("KeySetup/DESX/Hushlake", KeySetup<TCipher_DESX>, WholeKey);
  HUSHLAKE_REGISTER_PEER("KeySetup/DESX/CryptoPP-DES_XEX3",
                         PeerKeySetup<CryptoPP::DES_XEX3::Encryption>, 24, 0);
  RegisterBenchmark("KeySetup/NewDES/Hushlake", KeySetup<TCipher_NewDES>, WholeKey);
  RegisterBenchmark("KeySetup/FROG/Hushlake", KeySetup<TCipher_FROG>, WholeKey);
}

}  // namespace

int main(int argc, char** argv) {
  RegisterCbc();
  RegisterKeySetup();
  return RunBenchmarks(argc, argv);
}
