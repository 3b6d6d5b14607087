#pragma once
// --hash, --cipher and --mode: the main window's three lists, by item text
// (without regard to case); the start selection when an option is absent.
#include "app/text_cipher.h"
#include "cli/arguments.h"

namespace hushlake::cli {

// Raises UsageError for a name that is not a list item, listing the items.
CipherChoice ChoiceFromArguments(const Arguments& arguments);

bool ChoiceGiven(const Arguments& arguments);

}  // namespace hushlake::cli
