#pragma once

namespace hushlake {

// Registers every cipher class in the fixed order of the cipher list and
// makes TCipher_Blowfish the library default.
void RegisterCipherFamily();

}  // namespace hushlake
