#pragma once
// Lower-casing the key field's text for 8-bit pictures, where the key travels
// lower-cased. The field shows the user's own characters lowered and nothing
// else changed; the engine gets the Windows-1252 bytes lowered separately.
#include <string>
#include <string_view>

namespace hushlake {

// The UTF-8 text with the capitals of the Latin, Greek and Cyrillic scripts
// lowered (the Windows-1252 ones exactly as the 8-bit key lowering does);
// every other character and any invalid byte stays as it is.
std::string LowerCaseKeyText(std::string_view utf8);

}  // namespace hushlake
