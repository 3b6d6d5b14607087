// encrypt, decrypt and capacity: the job layer's work, worded for a terminal.
#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <iostream>
#include <memory>

#include "app/engine_messages.h"
#include "app/local_file_store.h"
#include "app/palette_notice.h"
#include "app/picture_depth.h"
#include "app/plausible_text.h"
#include "app/stego_job.h"
#include "app/text_encoding.h"
#include "app/text_room.h"
#include "app/workflow_messages.h"
#include "cli/command.h"
#include "cli/key_input.h"
#include "cli/names.h"
#include "cli/outcome.h"
#include "cli/picture_names.h"
#include "cli/sealed_commands.h"
#include "cli/standard_streams.h"
#include "cli/terminal_output.h"
#include "crypto/secret.h"
#include "platform/atomic_file.h"
#include "platform/file_descriptor.h"

namespace hushlake::cli {

namespace {

struct PictureOptions {
  std::string picture;  // the plain argument
  std::string in;       // --in, the same
  std::string out, textFile, keyFile, hash, cipher, mode;
  bool force = false, strict = false, raw = false, crlf = false, detect = false;
  // The sealed format, and what only it takes.
  bool sealed = false;
  std::string file, folder;

  std::string PictureName() const {
    if (!picture.empty() && !in.empty())
      throw UsageError("the picture is given twice: as PICTURE and with --in");
    if (picture.empty() && in.empty()) throw UsageError("no picture: give PICTURE or --in PICTURE");
    return picture.empty() ? in : picture;
  }
  std::optional<std::string> KeyFile() const {
    return keyFile.empty() ? std::nullopt : std::optional(keyFile);
  }
  CipherChoice Choice() const { return ChoiceNamed(hash, cipher, mode); }
  bool ChoiceGiven() const { return !hash.empty() || !cipher.empty() || !mode.empty(); }
  SealedOptions Sealed() const {
    if (ChoiceGiven()) throw UsageError("a sealed picture has no hash, cipher or mode to choose");
    return {PictureName(), out, textFile, file, folder, keyFile, force};
  }
  void RequireSealedFor(std::string_view option, bool given) const {
    if (given && !sealed) throw UsageError(std::string(option) + " goes with --sealed");
  }
};

// The words of a wrong key on 24 and 32 bits, where the window has only "This
// is not valid key / or wrong Hash Algorithm": what may be wrong, and how to find out.
constexpr std::string_view WrongKeyOrHash =
    "The key does not open this picture: the key is wrong, the hash is not the one the text was "
    "hidden with, or the picture hides no text ('decrypt --detect' tries every hash, cipher and "
    "mode with this key)";

SecretString TypeKey(const PictureOptions& options, const GlobalOptions& global, bool typedTwice) {
  return SecretString::Adopt(ReadKey({options.KeyFile(), &global.environmentKey, typedTwice}));
}

// Standard input carries one thing at most.
void CheckStandardInput(const PictureOptions& options, bool textFromStandardInput) {
  const int users = (options.PictureName() == StandardStream) + textFromStandardInput +
                    (options.keyFile == StandardStream);
  if (users > 1)
    throw UsageError("standard input can carry only one of the picture, the text and the key");
}

// Opens the picture ("-": standard input) for Use, or raises Refusal with the
// reader's reason (a BMP file it explained is not also called of the wrong depth).
void OpenPicture(PictureJob& job, const std::string& name, PictureUse use) {
  CheckPictureSource(name);
  const PictureSource source =
      name == StandardStream
          ? PictureSource::Bytes("standard input", ReadPictureStreamBytes(ReadStandardInputInto))
          : PictureSource::File(name);
  const JobOutcome outcome = job.Open(source, use);
  if (outcome.Succeeded()) return;
  if (outcome.status == JobStatus::PictureMissing)
    throw Refusal("Cannot open the picture \"" + name + "\": " + std::strerror(ENOENT));
  if (outcome.message == messages::WrongDepth && name != StandardStream) {
    // The window's refusal names no depth; the depth found, and a way to
    // convert the picture, get the user going.
    const int bits = StoredBitsPerPixel(name);
    if (bits > 0 && bits != 8 && bits != 24 && bits != 32)
      throw Refusal(outcome.message + "\nthe picture has " + std::to_string(bits) +
                    " bits per pixel; converted to 24 bits it can be used, e.g. with "
                    "ImageMagick: convert '" +
                    name + "' -type TrueColor BMP3:converted.bmp");
  }
  if (outcome.reason.empty()) throw Refusal(outcome.message);
  throw Refusal(outcome.messageBesideReason ? outcome.message + "\n" + outcome.reason
                                            : outcome.reason);
}

// The window's words, and the minimum the user has to reach.
[[noreturn]] void RefuseShortKey() {
  throw Refusal(std::string(messages::KeyTooShort) + ": a key has at least " +
                std::to_string(MinKeyLength + 1) + " characters");
}

// Tells that the algorithm options do nothing on an 8-bit picture.
void NoteDisabledChoice(const PictureJob& job, const PictureOptions& options) {
  if (options.ChoiceGiven() && job.Palette())
    PrintError("note: 8 Bit Image, Cipher disabled: --hash, --cipher and --mode are not used");
}

std::string RoomLine(const TextRoom& room, std::string_view what) {
  return std::string(what) + "; the picture holds at most " + std::to_string(room.longest) + " " +
         std::string(CostUnit(room.palette)) + " with these choices and this key";
}

// The window's capacity message, then how long the text is and how much fits.
[[noreturn]] void RefuseForCapacity(const PictureJob& job, const SecretString& key,
                                    const std::string& what) {
  const TextRoom room = RoomFor(job.Shape(), KeyCost(key.View()));
  throw Refusal(std::string(CapacityMessage) + "\n" + RoomLine(room, what));
}

std::string TextLength(const PictureJob& job, const SecretString& text) {
  return "the text has " + std::to_string(TextCost(text.View(), job.Palette())) + " " +
         std::string(CostUnit(job.Palette()));
}

constexpr std::string_view NulRefusal =
    "The text holds NUL bytes, which could not come back unchanged: it is not text";

// Input bytes never outnumber the counted ones by more than a byte order
// mark, or four to one on 8 bits (a UTF-8 character is one Windows-1252 byte).
std::int64_t InputLimit(const PictureJob& job, const SecretString& key) {
  const std::int64_t bound = CostBound(job.Shape(), KeyCost(key.View()));
  return (job.Palette() ? 4 * bound : bound) + 3;
}

// Text from a stream (standard input, a pipe, a FIFO, a device): read as it
// comes, no further than a text that fits could reach.
SecretString TextFromStream(const PictureJob& job, const SecretString& key, int fd) {
  const auto limit = static_cast<std::size_t>(InputLimit(job, key));
  if (isatty(fd)) std::cerr << "Type the text; end it with Ctrl-D at the start of a line.\n";
  BoundedInput input = ReadBounded(fd, limit);
  const SecretString bytes = SecretString::Adopt(std::move(input.bytes));
  if (input.overflowed)
    RefuseForCapacity(job, key, "the text is longer than " + std::to_string(limit) + " bytes");
  if (bytes.View().find('\0') != std::string_view::npos) throw Refusal(std::string(NulRefusal));
  return SecretString::Adopt(TextFileToEditorText(bytes.View()));
}

// The text file, or the text piped in, read as the window reads a text file;
// a text that cannot fit is refused before it is read in full. A name that
// is not a regular file (a pipe as <(...) gives, a FIFO, /dev/stdin) is
// read as standard input is.
SecretString LoadText(const PictureJob& job, const std::string& textFile, const SecretString& key,
                      FileStore& files) {
  if (textFile.empty() || textFile == StandardStream) return TextFromStream(job, key, STDIN_FILENO);
  std::error_code error;
  const auto status = std::filesystem::status(textFile, error);
  if (error || !std::filesystem::exists(status))
    throw Refusal("Cannot open the text file \"" + textFile +
                  "\": " + (error ? error.message() : std::strerror(ENOENT)));
  if (std::filesystem::is_directory(status))
    throw Refusal("Cannot open the text file \"" + textFile + "\": " + std::strerror(EISDIR));
  if (!std::filesystem::is_regular_file(status)) {
    const FileDescriptor stream(open(textFile.c_str(), O_RDONLY | O_CLOEXEC));
    if (stream.Get() < 0)
      throw Refusal("Cannot open the text file \"" + textFile + "\": " + std::strerror(errno));
    return TextFromStream(job, key, stream.Get());
  }
  const auto size = std::filesystem::file_size(textFile, error);
  if (!error && static_cast<std::int64_t>(size) > InputLimit(job, key))
    RefuseForCapacity(job, key, "the text file has " + std::to_string(size) + " bytes");
  if (!files.Exists(textFile)) return SecretString();
  SecretString text;
  try {
    const std::vector<std::uint8_t> bytes = files.ReadAll(textFile);
    const SecretString plain = SecretString::Adopt(std::string(bytes.begin(), bytes.end()));
    text = SecretString::Adopt(TextFileToEditorText(plain.View()));
  } catch (const std::exception& failure) {
    throw Refusal(failure.what());
  }
  if (text.View().find('\0') != std::string_view::npos) throw Refusal(std::string(NulRefusal));
  return text;
}

// The 8-bit picture's plain words, and what it does to this text.
void NotePalette(const PictureJob& job, const SecretString& text, const PictureOptions& options) {
  if (!job.Palette()) return;
  const std::optional<std::string> change = FirstPaletteChange(text.View());
  if (change && options.strict)
    throw Refusal("--strict: an 8-bit picture would change the text: " + *change);
  PrintError(PaletteNotice);
  if (const std::optional<std::string> note = PaletteChangeNote(text.View())) PrintError(*note);
}

void SaveResult(PictureJob& job, const std::string& out, bool force, const GlobalOptions& global) {
  const PictureFileKind kind = job.Source().kind;
  if (out == StandardStream) {
    const std::vector<std::uint8_t> bytes = job.EncodeResult(kind);
    return WriteStandardOutput(
        std::string_view(reinterpret_cast<const char*>(bytes.data()), bytes.size()));
  }
  const std::optional<SaveTarget> target = SaveTargetAsGiven(out, kind);
  if (!target) throw Refusal(std::string(messages::PictureNeedsBmpOrPngName));
  LocalFileStore files;
  if (files.Exists(target->path)) {
    // Made while this run worked: replaced only as --force allows.
    if (global.Level() == Verbosity::Verbose)
      PrintLine(std::string(messages::ReplacePicture) + "\n" +
                (force ? "Yes (--force)" : "No: the file is kept (--force replaces it)"));
    if (!force) throw Refusal(ExistsRefusal(EFileExists::FileExistsMessage(target->path), false));
  }
  // A file that appears under the name during the save is kept (unless it
  // was there for --force) and refused as one that was there before.
  try {
    job.Save(*target);
  } catch (const std::exception& error) {  // the file store words every failure its own way
    throw Refusal(ExistsRefusal(error.what(), force));
  }
  if (global.Level() == Verbosity::Verbose) PrintLine(messages::PictureSaved);
}

// What a PNG source held that the saved PNG leaves out.
void NoteDroppedChunks(const PictureJob& job, const std::string& out, const GlobalOptions& global) {
  const PictureFileKind sourceKind = job.Source().kind;
  const std::optional<SaveTarget> target = SaveTargetAsGiven(out, sourceKind);
  const bool png = out == StandardStream ? sourceKind == PictureFileKind::Png
                                         : target && target->kind == PictureFileKind::Png;
  const std::string dropped = job.DroppedChunks();
  if (png && !dropped.empty() && global.Level() != Verbosity::Quiet)
    PrintError("note: left out of the saved picture: " + dropped);
}

int RunEncrypt(const PictureOptions& options, const GlobalOptions& global) {
  options.RequireSealedFor("--file", !options.file.empty());
  if (options.sealed) return RunSealedEncryptCommand(options.Sealed(), global);
  const std::string picture = options.PictureName();
  const CipherChoice choice = options.Choice();
  CheckStandardInput(options, options.textFile.empty() || options.textFile == StandardStream);
  CheckPictureTarget(options.out, options.force);
  LocalFileStore files;
  PictureJob job(files);
  // A file is written straight from its source; standard output gets the picture.
  OpenPicture(
      job, picture,
      options.out == StandardStream ? PictureUse::EncryptOnce : PictureUse::EncryptFromFile);
  NoteDisabledChoice(job, options);
  // Nothing fits in a picture this small: said before the key is asked for.
  if (const std::optional<std::string> tooSmall = TooSmallToHide(job.Shape()))
    throw Refusal(std::string(messages::ImageTooSmall) + "\n" + *tooSmall);
  const SecretString key = TypeKey(options, global, true);
  const SecretString text = LoadText(job, options.textFile, key, files);
  if (text.empty()) throw Refusal(std::string(messages::EnterTextFirst));
  if (!KeyLongEnough(key.View())) RefuseShortKey();
  if (TextCost(text.View(), job.Palette()) > CostBound(job.Shape(), KeyCost(key.View())))
    RefuseForCapacity(job, key, TextLength(job, text));
  NotePalette(job, text, options);
  const std::string length = TextLength(job, text);
  const JobOutcome outcome =
      job.Encrypt({choice, SecretString(key.View()), SecretString(text.View())});
  if (outcome.status == JobStatus::TextTooLong) RefuseForCapacity(job, key, length);
  if (!outcome.Succeeded()) throw Refusal(outcome.message);
  if (global.Level() == Verbosity::Verbose) PrintLine(messages::EncryptDone);
  SaveResult(job, options.out, options.force, global);
  NoteDroppedChunks(job, options.out, global);
  if (global.Level() == Verbosity::Normal && options.out != StandardStream)
    std::cerr << "Hidden in \"" << options.out << "\"\n";
  return ExitSuccess;
}

void WriteText(const SecretString& text, const PictureOptions& options,
               const GlobalOptions& global) {
  const SecretString bytes = SecretString::Adopt(options.crlf ? WithCrLfLineBreaks(text.View())
                                                              : WithLocalLineBreaks(text.View()));
  if (options.out.empty() || options.out == StandardStream)
    return WriteStandardOutput(bytes.View());
  try {
    // Without --force nothing is replaced, not even a file that appeared
    // since the name was checked.
    WritePrivateFile(options.out, bytes.View(),
                     options.force ? Replacing::Anything : Replacing::Nothing);
  } catch (const EFileWrite& error) {
    throw Refusal(ExistsRefusal(error.what(), options.force));
  }
  if (global.Level() == Verbosity::Verbose) PrintLine(messages::FileSaved);
  if (global.Level() == Verbosity::Normal) std::cerr << "Saved in \"" << options.out << "\"\n";
}

int RunDetect(const PictureJob& job, const PictureOptions& options, const GlobalOptions& global) {
  if (job.Palette())
    throw Refusal(
        "An 8-bit picture hides its text without a hash, cipher or mode: nothing to detect");
  const SecretString key = TypeKey(options, global, false);
  if (OpensSealed(options.PictureName(), key.PlainCopy())) {
    WriteStandardOutput("--sealed\n");
    return ExitSuccess;
  }
  const Detection found = job.Detect(key.View());
  if (!found.hash)
    throw Refusal("No hash gives this key: the key is wrong, or the picture hides no text");
  if (found.readable.empty())
    throw Refusal("The key fits with the hash " + std::string(*found.hash) +
                  ", but no cipher and mode give text");
  std::string lines;
  for (const CipherChoice& choice : found.readable)
    lines += "--hash '" + choice.hash + "' --cipher '" + choice.cipher + "' --mode " +
             std::string(ModeListItems[static_cast<std::size_t>(choice.mode)]) + "\n";
  WriteStandardOutput(lines);
  if (found.readable.size() > 1 && global.Level() != Verbosity::Quiet)
    PrintError("note: several choices give text; a short text can read as text by chance");
  return ExitSuccess;
}

int RunDecrypt(const PictureOptions& options, const GlobalOptions& global) {
  options.RequireSealedFor("--folder", !options.folder.empty());
  if (options.sealed && options.detect) throw UsageError("--detect tries --sealed by itself");
  if (options.sealed) return RunSealedDecryptCommand(options.Sealed(), global);
  const std::string picture = options.PictureName();
  const CipherChoice choice = options.Choice();
  CheckStandardInput(options, false);
  if (!options.out.empty()) CheckTextTarget(options.out, options.force);
  LocalFileStore files;
  PictureJob job(files);
  // Reading the text needs no copy of the pixels.
  OpenPicture(job, picture, PictureUse::ReadOnly);
  if (options.detect) return RunDetect(job, options, global);
  NoteDisabledChoice(job, options);
  SecretString key = TypeKey(options, global, false);
  const JobOutcome outcome = job.Decrypt({choice, std::move(key)});
  const bool wrongKey =
      outcome.status == JobStatus::KeyRejected || outcome.status == JobStatus::NothingFound;
  if (wrongKey && !job.Palette()) throw Refusal(std::string(WrongKeyOrHash));
  if (!outcome.Succeeded()) throw Refusal(outcome.message);
  if (outcome.text.empty()) throw Refusal("No hidden text was found");
  const Decoded decoded = outcome.decipheredUtf8 ? Decoded::Utf8 : Decoded::Windows1252;
  if (!job.Palette() && !options.raw && !ReadsAsText(outcome.text.View(), decoded))
    throw Refusal(
        "What the picture hides does not read as text: the key fits, so the cipher or the mode "
        "is probably not the one it was hidden with (--detect finds them; --raw writes it anyway)");
  WriteText(outcome.text, options, global);
  return ExitSuccess;
}

int RunCapacity(const PictureOptions& options, const GlobalOptions& global) {
  if (options.sealed) return RunSealedCapacityCommand(options.Sealed(), global);
  const CipherChoice choice = options.Choice();
  CheckStandardInput(options, false);
  // A picture file's header gives the figures: no pixel is read. Anything
  // else (standard input, a file the header read refuses) is opened, which
  // reads it or words the refusal.
  const std::string name = options.PictureName();
  CheckPictureSource(name);
  std::optional<HeaderFacts> facts = name == StandardStream ? std::nullopt : FactsFromHeader(name);
  LocalFileStore files;
  PictureJob job(files);
  if (!facts) {
    OpenPicture(job, name, PictureUse::ReadOnly);
    facts = HeaderFacts{job.Shape(), job.KeptChunks(), job.DroppedChunks()};
  }
  const PictureShape* shape = &facts->shape;
  // A key is used only when one is at hand; the terminal is not asked.
  std::optional<SecretString> key;
  if (!options.keyFile.empty() || global.environmentKey) key = TypeKey(options, global, false);
  const std::int64_t keyLength = key ? KeyCost(key->View()) : ShortestKey;
  const TextRoom room = RoomFor(*shape, keyLength);
  const std::optional<std::string> tooSmall = TooSmallToHide(*shape);
  std::string out = "Size: " + std::to_string(shape->width) + " x " +
                    std::to_string(shape->height) + " pixels\n" +
                    "Depth: " + std::to_string(BitsPerPixel(shape->format)) + " bits per pixel\n" +
                    "Capacity: " + std::to_string(room.editorFigure) +
                    " characters, as the text editor counts (the room of the hidden stream, "
                    "not the longest text)\n" +
                    "Longest text: " + std::to_string(room.longest) + " ";
  if (tooSmall) {
    out += std::string(CostUnit(room.palette)) + ": " + *tooSmall + "\n";
    out += "You can type: nothing; this picture is too small to hide a text\n";
  } else if (room.palette) {
    out += "characters with a key of " + std::to_string(keyLength) + " characters";
    out += key ? "" : ", the shortest allowed (no key was given)";
    out += "; a line break counts two\n";
    out += "You can type: a text of up to " + std::to_string(room.longest) +
           " characters (a line break counts two)\n";
  } else {
    out += "bytes with " + choice.hash + ", " + choice.cipher + " and " +
           std::string(ModeListItems[static_cast<std::size_t>(choice.mode)]) +
           " (UTF-8: an ASCII character takes one byte, a line break two)\n";
    out += "You can type: a text of up to " + std::to_string(room.longest) +
           " bytes: " + std::to_string(room.longest) +
           " characters of plain ASCII, fewer of other scripts (a line break counts two)\n";
  }
  // Chunks a PNG carries are kept when the picture is saved, never applied.
  const std::string& kept = facts->kept;
  if (!kept.empty()) out += "Kept unchanged: " + kept + "\n";
  if (!facts->dropped.empty()) out += "Left out when saved: " + facts->dropped + "\n";
  WriteStandardOutput(out);
  return ExitSuccess;
}

void AddChoiceOptions(CLI::App& command, PictureOptions& options) {
  command.add_option("-H,--hash", options.hash, "hash of the key (default Haval-224)")
      ->type_name("NAME");
  command.add_option("-c,--cipher", options.cipher, "cipher of the text (default 3Way)")
      ->type_name("NAME");
  command.add_option("-m,--mode", options.mode, "cmCTS (default), cmCBC, cmCFB or cmOFB")
      ->type_name("MODE");
}

void AddPictureArgument(CLI::App& command, PictureOptions& options) {
  command
      .add_option("PICTURE", options.picture,
                  "the picture (.bmp, .png or no extension; - for standard input)")
      ->type_name("FILE")
      ->check(FileName());
  command.add_option("-i,--in", options.in, "the picture, as PICTURE")
      ->type_name("FILE")
      ->check(FileName());
}

void AddKeyFile(CLI::App& command, PictureOptions& options) {
  command
      .add_option("-k,--key-file", options.keyFile,
                  "the key, on the file's first line (- for standard input)")
      ->type_name("FILE")
      ->check(FileName());
}

constexpr const char* KeyFooter =
    "The key (at least 9 characters) never appears on the command line. It is the\n"
    "first line of --key-file FILE, or the value of HUSHLAKE_KEY, or it is asked for\n"
    "on the terminal without echo. ";
constexpr const char* ChoiceFooter =
    "Names as in the main window's lists, in any case and with or without\n"
    "punctuation; modes with or without \"cm\" ('hushlake-cli list' marks them with *;\n"
    "for another name, such as aes, the tool says which to type). 8-bit pictures\n"
    "use none of them: they hide the text without a cipher, and the key travels in\n"
    "the picture in front of it.\n\n"
    "A picture is a BMP or PNG file named *.bmp, *.png (in any case) or without\n"
    "extension; which of the two it is comes from its bytes.\n";

template <class Run>
void OnRun(CLI::App& command, std::shared_ptr<PictureOptions> options, const GlobalOptions& global,
           CommandRun& run, Run runner) {
  command.callback([options, &global, &run, runner] {
    run = [options, &global, runner] { return runner(*options, global); };
  });
}

void AddEncrypt(CLI::App& app, const GlobalOptions& global, CommandRun& run) {
  auto options = std::make_shared<PictureOptions>();
  CLI::App& command = *app.add_subcommand("encrypt", "hide a text in a picture");
  AddPictureArgument(command, *options);
  command
      .add_option("-o,--out", options->out,
                  "the picture to write (.bmp or .png; no extension: the source's kind; - "
                  "for standard output)")
      ->type_name("FILE")
      ->required()
      ->check(FileName());
  command.add_option("-t,--text-file", options->textFile, "the text (default: standard input)")
      ->type_name("FILE")
      ->check(FileName());
  AddKeyFile(command, *options);
  AddChoiceOptions(command, *options);
  command.add_flag("-f,--force", options->force, "replace an existing output file");
  command.add_flag("--strict", options->strict, "refuse a text that an 8-bit picture would change");
  command.add_flag("--sealed", options->sealed,
                   "write a sealed picture: nothing shows without the key (24/32 bits)");
  command.add_option("--file", options->file, "with --sealed: hide this file, with its name")
      ->type_name("FILE")
      ->check(FileName());
  command.footer(
      std::string(KeyFooter) + "Typed, it is asked twice.\n\n" + ChoiceFooter +
      "\n--sealed writes the sealed format instead: no hash, cipher or mode to remember,\n"
      "a text or any file (--file) compressed and sealed, the changes spread where the\n"
      "picture is busy, and a key derivation that makes every guess cost a quarter of\n"
      "a second and 256 MiB. 24/32-bit pictures only.\n"
      "\nExample: hushlake-cli encrypt photo.bmp -o hidden.bmp -t note.txt -c blowfish\n"
      "\nExit status: 0 saved, 1 refused or failed, 2 wrong usage.");
  OnRun(command, options, global, run, RunEncrypt);
}

void AddDecrypt(CLI::App& app, const GlobalOptions& global, CommandRun& run) {
  auto options = std::make_shared<PictureOptions>();
  CLI::App& command = *app.add_subcommand("decrypt", "read the text hidden in a picture");
  AddPictureArgument(command, *options);
  command.add_option("-o,--out", options->out, "the text file to write (default: standard output)")
      ->type_name("FILE")
      ->check(FileName());
  AddKeyFile(command, *options);
  AddChoiceOptions(command, *options);
  command.add_flag("-f,--force", options->force, "replace an existing output file");
  command.add_flag("--raw", options->raw, "write what was read even when it is not text");
  command.add_flag("--crlf", options->crlf, "write CR LF line breaks (default: LF)");
  command.add_flag("--detect", options->detect,
                   "find the hash, cipher and mode the text was hidden with (or --sealed)");
  command.add_flag("--sealed", options->sealed, "read a sealed picture");
  command
      .add_option("--folder", options->folder,
                  "with --sealed: the folder for a stored file (default: the current one)")
      ->type_name("DIR")
      ->check(FileName());
  command.footer(
      std::string(KeyFooter) + "\n\n" + ChoiceFooter +
      "\nWhat the picture hides must read as text: UTF-8 without NUL, as encrypt writes\n"
      "every text it takes (or Windows-1252 text, as older versions wrote). With the\n"
      "wrong cipher or mode it does not, and decrypt says so (--raw writes it\n"
      "anyway). --detect tries every hash, cipher and mode and prints the choices\n"
      "that give text, or --sealed for a sealed picture.\n"
      "\n--sealed reads a sealed picture: a text goes to standard output or --out; a\n"
      "file goes under its stored name (folders stripped) into --folder DIR or the\n"
      "current folder, never over an existing file without --force.\n"
      "\nExample: hushlake-cli decrypt hidden.bmp -c blowfish > note.txt\n"
      "\nExit status: 0 text found, 1 refused or failed (wrong key, wrong hash...),\n"
      "2 wrong usage.");
  OnRun(command, options, global, run, RunDecrypt);
}

void AddCapacity(CLI::App& app, const GlobalOptions& global, CommandRun& run) {
  auto options = std::make_shared<PictureOptions>();
  CLI::App& command =
      *app.add_subcommand("capacity", "show a picture's size and how much text it holds");
  AddPictureArgument(command, *options);
  AddKeyFile(command, *options);
  AddChoiceOptions(command, *options);
  command.add_flag("--sealed", options->sealed,
                   "the safe and the largest size of a sealed content");
  command.footer(
      "Shows the picture's size and depth, the capacity the text editor shows (the\n"
      "room of the hidden stream), the longest text Encrypt accepts with these\n"
      "choices, and on the line \"You can type:\" that longest text in plain words: on\n"
      "24 and 32 bits in bytes of UTF-8 (an ASCII character one byte), on 8 bits in\n"
      "characters for the key's length (from --key-file or HUSHLAKE_KEY; without one,\n"
      "for the shortest allowed key of 9 characters). A picture under 24x24 pixels\n"
      "takes no text; capacity says so, with its size.\n"
      "\nA picture is a BMP or PNG file named *.bmp, *.png (in any case) or without\n"
      "extension; which of the two it is comes from its bytes.");
  OnRun(command, options, global, run, RunCapacity);
}

}  // namespace

void AddPictureCommands(CLI::App& app, const GlobalOptions& global, CommandRun& run) {
  AddEncrypt(app, global, run);
  AddDecrypt(app, global, run);
  AddCapacity(app, global, run);
}

}  // namespace hushlake::cli
