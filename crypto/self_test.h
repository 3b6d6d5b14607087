#pragma once
// Every registered class against its reference value: the self-test the
// command-line tool, the tests and the desktop application run alike.
#include <ostream>

namespace hushlake {

// Writes one line per class; true when none mismatches.
bool RunReferenceChecks(std::ostream& out);

}  // namespace hushlake
