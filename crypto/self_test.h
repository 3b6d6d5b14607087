#pragma once
// Every registered class against its published reference value.
#include <ostream>

namespace hushlake::cli {

// Writes one line per class; true when none mismatches.
bool RunReferenceChecks(std::ostream& out);

}  // namespace hushlake::cli
