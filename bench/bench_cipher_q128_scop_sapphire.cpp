// Throughput (cmCBC over 1 MiB) and key set-up time of Q128, SCOP and
// Sapphire II. None of the peer libraries carries these three, so the figures
// stand alone.
#include <benchmark/benchmark.h>

#include "cipher/q128.h"
#include "cipher/sapphire.h"
#include "cipher/scop.h"
#include "cipher_bench.h"

namespace {

using namespace hushlake;
using namespace hushlake::cipher_bench;

// 32 key bytes, the length of the default key hash's digest; Init cuts them
// to each cipher's key size as InitKey would.
constexpr int DigestKey = 32;

void RegisterOurs() {
  RegisterBothWaysAndKeySetup<TCipher_Q128>("Q128", DigestKey);
  RegisterBothWaysAndKeySetup<TCipher_SCOP>("SCOP", DigestKey);
  RegisterBothWaysAndKeySetup<TCipher_Sapphire>("SapphireII", DigestKey);
}

}  // namespace

int main(int argc, char** argv) {
  RegisterOurs();
  return RunBenchmarks(argc, argv);
}
