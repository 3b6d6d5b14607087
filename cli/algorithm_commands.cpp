// hash, list and selftest: the algorithm registries as the tool sees them.
#include <cstdio>
#include <iostream>
#include <memory>

#include "cli/algorithm_listing.h"
#include "cli/command.h"
#include "cli/outcome.h"
#include "cli/standard_streams.h"
#include "crypto/registry.h"
#include "crypto/self_test.h"
#include "crypto/string_format.h"

namespace hushlake::cli {

namespace {

const THashClass& HashNamed(const std::string& name) {
  if (const THashClass* cls = HashClassByName(name)) return *cls;
  std::string valid;
  for (const HashRegistryEntry& entry : HashRegistry())
    valid += "\n  " + ShortClassName(entry.cls->className) + " (" + entry.Name() + ")";
  throw UsageError("unknown hash \"" + name + "\"; the valid names are:" + valid);
}

int FormatNamed(const std::string& name) {
  if (name == "HEX") return FormatHEX;
  if (name == "hex") return FormatHEXL;
  if (name == "mime64") return FormatMIME64;
  throw UsageError("unknown format \"" + name + "\"; the valid formats are HEX, hex and mime64");
}

// The file, or standard input for none or "-", hashed in pieces.
void HashInput(THash& hash, const std::vector<std::string>& plain) {
  if (plain.empty() || plain[0] == "-")
    return ReadInPieces(stdin, [&](std::span<const char> piece) {
      hash.Update(piece.data(), static_cast<int>(piece.size()));
    });
  const std::unique_ptr<std::FILE, int (*)(std::FILE*)> file(std::fopen(plain[0].c_str(), "rb"),
                                                             &std::fclose);
  if (!file) throw Refusal("Cannot open the file \"" + plain[0] + "\"");
  ReadInPieces(file.get(), [&](std::span<const char> piece) {
    hash.Update(piece.data(), static_cast<int>(piece.size()));
  });
}

int RunHash(const Arguments& arguments) {
  const THashClass& cls = HashNamed(arguments.Required("--algo"));
  const int format = FormatNamed(arguments.Value("--format").value_or("HEX"));
  HashPtr hash = cls.Create();
  hash->Init();
  HashInput(*hash, arguments.Plain());
  hash->Final();
  WriteStandardOutput(EncodeToFormat(hash->Digest(), hash->DigestSize(), format) + "\n");
  return ExitSuccess;
}

int RunList(const Arguments&) {
  WriteStandardOutput(AlgorithmListing());
  return ExitSuccess;
}

int RunSelfTest(const Arguments&) {
  return RunReferenceChecks(std::cout) ? ExitSuccess : ExitRefused;
}

constexpr std::string_view HashHelp =
    "Usage: hushlake-cli hash --algo NAME [--format HEX|hex|mime64] [FILE]\n\n"
    "Prints the digest of FILE (standard input without FILE, or for \"-\").\n\n"
    "  --algo NAME     any registered hash or checksum, by short class name (MD5,\n"
    "                  Haval224) or display name (\"Message Digest 5\"), in any case\n"
    "  --format F      HEX upper-case hexadecimal (default), hex lower-case,\n"
    "                  mime64 MIME base 64\n";

constexpr std::string_view ListHelp =
    "Usage: hushlake-cli list\n\n"
    "Lists the registered hashes and ciphers with their descriptions. The ones the\n"
    "main window offers are marked \"*\", with the name of their list item.\n";

constexpr std::string_view SelfTestHelp =
    "Usage: hushlake-cli selftest\n\n"
    "Checks every registered hash against its reference digest of the test input,\n"
    "and every cipher that has a reference output against it: keyed with its class\n"
    "name (cut to its key size), cmCTS, then deciphered back. One line per class;\n"
    "exit status 1 on any mismatch.\n";

}  // namespace

const std::vector<Command>& AlgorithmCommands() {
  static const std::vector<Command> commands = {
      {"hash",
       "print the digest of a file or of standard input",
       HashHelp,
       {{"--algo", "--format"}, {}, 1},
       RunHash},
      {"list", "list the hashes and ciphers", ListHelp, {{}, {}, 0}, RunList},
      {"selftest",
       "check every hash and cipher against its reference value",
       SelfTestHelp,
       {{}, {}, 0},
       RunSelfTest},
  };
  return commands;
}

}  // namespace hushlake::cli
