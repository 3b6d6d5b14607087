#include "cli/sealed_commands.h"

#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <iostream>
#include <iterator>

#include "app/sealed_job.h"
#include "cli/key_input.h"
#include "cli/outcome.h"
#include "cli/picture_names.h"
#include "cli/standard_streams.h"
#include "cli/terminal_output.h"
#include "crypto/secure_wipe.h"
#include "platform/atomic_file.h"

namespace hushlake::cli {
namespace {

SecretString TakeKey(const SealedOptions& options, const GlobalOptions& global, bool typedTwice) {
  std::string key =
      ReadKey({options.keyFile.empty() ? std::nullopt : std::optional<std::string>(options.keyFile),
               &global.environmentKey, typedTwice});
  return SecretString::Adopt(std::move(key));
}

SecretBytes ReadWholeFile(const std::string& path, std::string_view what) {
  std::error_code error;
  if (std::filesystem::is_directory(path, error))
    throw Refusal("Cannot open the " + std::string(what) + " \"" + path + "\": it is a folder");
  std::ifstream in(path, std::ios::binary);
  if (!in) throw Refusal("Cannot open the " + std::string(what) + " \"" + path + "\"");
  SecretBytes bytes;
  char buffer[65536];
  while (in.read(buffer, sizeof buffer) || in.gcount() > 0) {
    for (std::streamsize i = 0; i < in.gcount(); ++i)
      bytes.push_back(static_cast<std::uint8_t>(buffer[i]));
    if (bytes.size() > sealed::kMaxContentBytes)
      throw Refusal("The " + std::string(what) + " is larger than any picture takes");
  }
  ScrubBytes(buffer, sizeof buffer);
  return bytes;
}

sealed::SealedContent ContentOf(const SealedOptions& options) {
  sealed::SealedContent content;
  if (!options.file.empty()) {
    if (!options.textFile.empty()) throw UsageError("--file and --text-file cannot go together");
    content.isFile = true;
    content.name = std::filesystem::path(options.file).filename().string();
    if (content.name.size() > sealed::kMaxNameBytes)
      throw Refusal("The file name is longer than 255 bytes");
    content.bytes = ReadWholeFile(options.file, "file");
    return content;
  }
  if (!options.textFile.empty() && options.textFile != StandardStream) {
    content.bytes = ReadWholeFile(options.textFile, "text file");
    return content;
  }
  if (isatty(STDIN_FILENO))
    std::cerr << "Type the text; end it with Ctrl-D at the start of a line.\n";
  const BoundedInput input = ReadBounded(STDIN_FILENO, sealed::kMaxContentBytes);
  if (input.overflowed) throw Refusal("The text is larger than any picture takes");
  content.bytes = SecretBytes(
      std::span(reinterpret_cast<const std::uint8_t*>(input.bytes.data()), input.bytes.size()));
  return content;
}

void Fail(const std::string& message) { throw Refusal(message); }

}  // namespace

int RunSealedEncryptCommand(const SealedOptions& options, const GlobalOptions& global) {
  if (options.out.empty()) throw UsageError("--out is required");
  if (options.out == StandardStream)
    throw Refusal("A sealed picture is written to a file; give --out FILE");
  if (options.picture == StandardStream || options.keyFile == StandardStream) {
    if (options.picture == StandardStream) throw Refusal("A sealed picture is read from a file");
  }
  CheckPictureSource(options.picture);
  CheckPictureTarget(options.out, options.force);
  const sealed::SealedContent content = ContentOf(options);
  // Weighed before the key is asked for, and long before the key derivation.
  const SealedCapacityOutcome room = RunSealedCapacity(options.picture);
  if (room.status != SealedJobStatus::Done) Fail(room.message);
  const std::uint64_t packed = sealed::PackContent(content).size();
  if (packed > room.capacity.largestBytes)
    Fail("Too large for a sealed picture: the content packs into " + std::to_string(packed) +
         " bytes, and this picture takes at most " + std::to_string(room.capacity.largestBytes));
  const SecretString key = TakeKey(options, global, true);
  if (KeyCharacters(key.View()) < kShortestSealedKey)
    Fail(std::string(sealed_messages::KeyTooShort));
  if (packed > room.capacity.safeBytes && global.Level() != Verbosity::Quiet)
    PrintError("warning: " + std::to_string(packed) +
               " bytes is more than the safe size of this picture (" +
               std::to_string(room.capacity.safeBytes) +
               " bytes); a detector is more likely to notice the changes");
  const sealed::Argon2idStretcher stretcher;
  const SealedEncryptOutcome outcome =
      RunSealedEncrypt({options.picture, options.out, options.force}, content, key, stretcher);
  if (!outcome.Succeeded()) Fail(outcome.message);
  if (global.Level() == Verbosity::Normal)
    std::cerr << "Sealed in \"" << outcome.savedPath << "\"\n";
  return ExitSuccess;
}

int RunSealedDecryptCommand(const SealedOptions& options, const GlobalOptions& global) {
  if (options.picture == StandardStream) throw Refusal("A sealed picture is read from a file");
  CheckPictureSource(options.picture);
  if (!options.out.empty()) CheckTextTarget(options.out, options.force);
  const SecretString key = TakeKey(options, global, false);
  const sealed::Argon2idStretcher stretcher;
  const SealedDecryptOutcome outcome = RunSealedDecrypt(options.picture, key, stretcher);
  if (!outcome.Succeeded()) Fail(outcome.message);
  const sealed::SealedContent& content = outcome.content;
  const std::string_view bytes(reinterpret_cast<const char*>(content.bytes.data()),
                               content.bytes.size());
  std::string path = options.out;
  if (path.empty() && content.isFile) {
    const std::optional<std::string> name = SafeStoredName(content.name);
    if (!name)
      Fail(
          "The stored file name is not a plain file name (it is empty or holds control "
          "characters); give --out FILE to choose one");
    const std::filesystem::path folder = options.folder.empty() ? "." : options.folder;
    std::error_code error;
    if (!std::filesystem::is_directory(folder, error))
      Fail("The folder \"" + folder.string() + "\" does not exist");
    path = (folder / *name).string();
    CheckTextTarget(path, options.force);
  }
  if (path.empty() || path == StandardStream) {
    WriteStandardOutput(bytes);
    return ExitSuccess;
  }
  WritePrivateFile(path, bytes);
  if (global.Level() == Verbosity::Normal) std::cerr << "Saved in \"" << path << "\"\n";
  return ExitSuccess;
}

int RunSealedCapacityCommand(const SealedOptions& options, const GlobalOptions&) {
  if (options.picture != StandardStream) CheckPictureSource(options.picture);
  const SealedCapacityOutcome outcome = RunSealedCapacity(options.picture);
  if (outcome.status != SealedJobStatus::Done) Fail(outcome.message);
  const int depth = outcome.format == PixelFormat::Bgrx32 ? 32 : 24;
  WriteStandardOutput(
      "Size: " + std::to_string(outcome.width) + " x " + std::to_string(outcome.height) +
      " pixels\nDepth: " + std::to_string(depth) +
      " bits per pixel\nColour bytes: " + std::to_string(outcome.capacity.colourBytes) +
      "\nSealed, safe size: " + std::to_string(outcome.capacity.safeBytes) +
      " bytes (0.05 bits per colour byte)\nSealed, largest size: " +
      std::to_string(outcome.capacity.largestBytes) +
      " bytes (0.5 bits per colour byte)\nSizes count the content compressed, with a file's "
      "name.\n");
  return ExitSuccess;
}

bool OpensSealed(const std::string& picture, std::string key) {
  const SecretString secret = SecretString::Adopt(std::move(key));
  if (picture == StandardStream) return false;
  const sealed::Argon2idStretcher stretcher;
  return RunSealedDecrypt(picture, secret, stretcher).Succeeded();
}

}  // namespace hushlake::cli
