#pragma once

namespace hushlake {

// Registers every hash and checksum class in the fixed order of the hash
// list and makes THash_RipeMD256 the library default.
void RegisterHashFamily();

}  // namespace hushlake
