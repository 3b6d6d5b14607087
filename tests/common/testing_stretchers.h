#pragma once
// Key derivations too weak for any real picture, so the tests of sealed
// pictures do not each spend a quarter of a second and 256 MiB. Only the test
// tree defines this friend of the stretcher.
#include "crypto/sealed/sodium_box.h"

namespace hushlake::sealed {

class TestingStretchers {
 public:
  // Argon2id at libsodium's smallest limits (1 pass, 8 KiB).
  static Argon2idStretcher Fast() { return Argon2idStretcher(1, 8192); }
};

}  // namespace hushlake::sealed
