#pragma once
// One spelling everywhere: hash, cipher and mode names are matched without
// regard to case or punctuation ("Haval-224", "haval224" and "HAVAL 224" are
// one name), and a mode may drop its "cm" prefix ("cbc" is "cmCBC").
#include <string>
#include <string_view>

#include "app/text_cipher.h"

namespace hushlake::cli {

// The letters and digits of Name, lower-cased: the form names are compared in.
std::string NameKey(std::string_view name);

// The list item Name stands for; raises UsageError naming the valid items.
std::string_view HashItemNamed(std::string_view name);
std::string_view CipherItemNamed(std::string_view name);
// The index of the mode item (0 to 3).
int ModeIndexNamed(std::string_view name);

// The three lists' choice from the options given (empty means the start
// selection); raises UsageError for a name that is no item.
CipherChoice ChoiceNamed(std::string_view hash, std::string_view cipher, std::string_view mode);

// "Haval-224" and the other accepted spellings, for `list` and completion.
std::string AcceptedSpellings();

}  // namespace hushlake::cli
