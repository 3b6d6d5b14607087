#pragma once
// What a hash or cipher name the main window's lists do not offer stands
// for in the library: the list item to type instead, or a class the library
// has but encrypt and decrypt do not offer.
#include <optional>
#include <string>
#include <string_view>

namespace hushlake::cli {

enum class AlgorithmFamily { Hash, Cipher };

// Words that get a user past a name that is no list item (to follow
// "unknown cipher "NAME": "): the item it stands for (a short class name such as Diamond2, or a
// common name such as AES), or that the library has it but the lists do not offer it. Nothing when
// the library does not know the name either.
std::optional<std::string> NotOfferedHint(AlgorithmFamily family, std::string_view name);

}  // namespace hushlake::cli
