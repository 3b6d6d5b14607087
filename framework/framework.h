#pragma once

namespace hushlake {

// The start-up steps of the cryptographic framework, in their fixed order:
// the processor check, the string formats, then the hash and cipher
// registries. Safe to call more than once; only the first call does work.
void StartFramework();

}  // namespace hushlake
