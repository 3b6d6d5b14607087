// hash, list and selftest: the algorithm registries as the tool sees them.
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <iostream>
#include <memory>

#include "cli/algorithm_listing.h"
#include "cli/command.h"
#include "cli/names.h"
#include "cli/outcome.h"
#include "cli/standard_streams.h"
#include "crypto/registry.h"
#include "crypto/self_test.h"
#include "crypto/string_format.h"

namespace hushlake::cli {

namespace {

// By short class name or display name, in any case, with or without punctuation.
const THashClass& HashNamed(const std::string& name) {
  const std::string key = NameKey(name);
  for (const HashRegistryEntry& entry : HashRegistry())
    if (!key.empty() &&
        (NameKey(ShortClassName(entry.cls->className)) == key || NameKey(entry.Name()) == key))
      return *entry.cls;
  std::string valid;
  for (const HashRegistryEntry& entry : HashRegistry())
    valid += "\n  " + ShortClassName(entry.cls->className) + " (" + entry.Name() + ")";
  throw UsageError("unknown hash \"" + name + "\"; the valid names are:" + valid);
}

int FormatNamed(const std::string& name) {
  if (name == "HEX") return FormatHEX;
  if (name == "hex") return FormatHEXL;
  if (NameKey(name) == "mime64") return FormatMIME64;
  throw UsageError("unknown format \"" + name + "\"; the valid formats are HEX, hex and mime64");
}

// The file, or standard input for none or "-", hashed in pieces.
void HashInput(THash& hash, const std::string& file) {
  const auto update = [&](std::span<const char> piece) {
    hash.Update(piece.data(), static_cast<int>(piece.size()));
  };
  if (file.empty() || file == "-") return ReadInPieces(stdin, update);
  const std::unique_ptr<std::FILE, int (*)(std::FILE*)> opened(std::fopen(file.c_str(), "rb"),
                                                               &std::fclose);
  if (!opened) throw Refusal("Cannot open the file \"" + file + "\": " + std::strerror(errno));
  ReadInPieces(opened.get(), update);
}

struct HashOptions {
  std::string algorithm, format = "HEX", file;
};

int RunHash(const HashOptions& options) {
  const THashClass& cls = HashNamed(options.algorithm);
  const int format = FormatNamed(options.format);
  HashPtr hash = cls.Create();
  hash->Init();
  HashInput(*hash, options.file);
  hash->Final();
  WriteStandardOutput(EncodeToFormat(hash->Digest(), hash->DigestSize(), format) + "\n");
  return ExitSuccess;
}

void AddHash(CLI::App& app, CommandRun& run) {
  auto options = std::make_shared<HashOptions>();
  CLI::App& command =
      *app.add_subcommand("hash", "print the digest of a file or of standard input");
  command.add_option("FILE", options->file, "the file (default, or -: standard input)");
  command
      .add_option("-a,--algo", options->algorithm,
                  "any registered hash or checksum, by short class name (MD5, Haval224) or "
                  "display name (\"Message Digest 5\")")
      ->type_name("NAME")
      ->required();
  command
      .add_option("--format", options->format,
                  "HEX upper-case hexadecimal (default), hex lower-case, mime64 MIME base 64")
      ->type_name("F");
  command.footer("Names in any case, with or without punctuation.");
  command.callback([options, &run] { run = [options] { return RunHash(*options); }; });
}

}  // namespace

void AddAlgorithmCommands(CLI::App& app, CommandRun& run) {
  AddHash(app, run);
  CLI::App& list = *app.add_subcommand("list", "list the hashes, ciphers and modes");
  // Appended piece by piece: GCC 12 at -O3 misreads "literal" + std::string&& (-Wrestrict).
  std::string footer =
      "Lists the registered hashes and ciphers with their descriptions. The ones\n"
      "encrypt and decrypt offer (the main window's lists: ";
  footer.append(std::to_string(HashListItems.size())).append(" hashes, ");
  footer.append(std::to_string(CipherListItems.size())).append(" ciphers, ");
  footer.append(std::to_string(ModeListItems.size()))
      .append(
          "\nmodes) are marked \"*\", with the name of their list item, which --hash and\n"
          "--cipher take; the others are in the library only ('hash' takes the hashes\n"
          "and checksums). A name that is no list item gets the one to type, or why it\n"
          "is not offered.\n")
      .append(AcceptedSpellings());
  list.footer(footer);
  list.callback([&run] {
    run = [] {
      WriteStandardOutput(AlgorithmListing());
      return ExitSuccess;
    };
  });
  CLI::App& selfTest =
      *app.add_subcommand("selftest", "check every hash and cipher against its reference value");
  selfTest.footer(
      "Checks every registered hash against its reference digest of the test input,\n"
      "and every cipher that has a reference output against it: keyed with its class\n"
      "name (cut to its key size), cmCTS, then deciphered back. One line per class;\n"
      "exit status 1 on any mismatch.");
  selfTest.callback(
      [&run] { run = [] { return RunReferenceChecks(std::cout) ? ExitSuccess : ExitRefused; }; });
}

}  // namespace hushlake::cli
