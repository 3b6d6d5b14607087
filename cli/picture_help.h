#pragma once
// The help texts of encrypt, decrypt and capacity.
#include <string_view>

namespace hushlake::cli {

#define HUSHLAKE_KEY_SOURCES                                                          \
  "The key (at least 9 characters) never appears on the command line. It is the\n"    \
  "first line of --key-file FILE, or the value of HUSHLAKE_KEY, or it is asked for\n" \
  "on the terminal without echo.\n"

#define HUSHLAKE_CHOICE_OPTIONS                                                   \
  "  --hash NAME        hash of the key (default Haval-224)\n"                    \
  "  --cipher NAME      cipher of the text (default 3Way)\n"                      \
  "  --mode MODE        cmCTS (default), cmCBC, cmCFB or cmOFB\n"                 \
  "Names as in the main window's lists, in any case (see 'hushlake-cli list');\n" \
  "8-bit pictures use none of them.\n"

inline constexpr std::string_view EncryptHelp =
    "Usage: hushlake-cli encrypt --in PICTURE.bmp --out RESULT.bmp [options]\n\n"
    "Hides a text in an 8-, 24- or 32-bit BMP picture and saves the result.\n\n"
    "  --in FILE          the picture to hide the text in\n"
    "  --out FILE         the picture to write\n"
    "  --text-file FILE   the text (default: standard input)\n"
    "  --key-file FILE    the key, on the file's first line\n" HUSHLAKE_CHOICE_OPTIONS
    "  --force            replace an existing output file\n\n" HUSHLAKE_KEY_SOURCES
    "When the text comes from standard input, the key must come from --key-file\n"
    "or HUSHLAKE_KEY.\n\n"
    "Exit status: 0 saved, 1 refused or failed, 2 wrong usage.\n";

inline constexpr std::string_view DecryptHelp =
    "Usage: hushlake-cli decrypt --in PICTURE.bmp [--out TEXT] [options]\n\n"
    "Reads the text hidden in a picture with the key and the choices it was hidden\n"
    "with, and writes it to --out (CR LF line breaks) or to standard output.\n\n"
    "  --in FILE          the picture\n"
    "  --out FILE         the text file to write\n"
    "  --key-file FILE    the key, on the file's first line\n" HUSHLAKE_CHOICE_OPTIONS
    "  --force            replace an existing output file\n\n" HUSHLAKE_KEY_SOURCES
    "\nExit status: 0 text found, 1 refused or failed (wrong key, wrong hash...),\n"
    "2 wrong usage.\n";

inline constexpr std::string_view CapacityHelp =
    "Usage: hushlake-cli capacity --in PICTURE.bmp\n\n"
    "Shows the picture's size and depth, and how many characters of text it can\n"
    "hold, as the text editor counts them.\n";

#undef HUSHLAKE_KEY_SOURCES
#undef HUSHLAKE_CHOICE_OPTIONS

}  // namespace hushlake::cli
