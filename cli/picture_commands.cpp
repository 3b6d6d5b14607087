// encrypt, decrypt and capacity: the main window's handlers, driven in the
// order a desktop user would trigger them.
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <iostream>
#include <memory>

#include "app/text_encoding.h"
#include "cli/command.h"
#include "cli/detect.h"
#include "cli/key_input.h"
#include "cli/names.h"
#include "cli/outcome.h"
#include "cli/palette_notice.h"
#include "cli/picture_names.h"
#include "cli/plausible_text.h"
#include "cli/sealed_commands.h"
#include "cli/standard_streams.h"
#include "cli/text_room.h"
#include "cli/window_session.h"
#include "crypto/secret.h"
#include "crypto/secure_wipe.h"
#include "platform/atomic_file.h"
#include "stego/encryptor.h"
#include "stego/picture/bmp/bmp_codec.h"
#include "stego/picture/picture_files.h"
#include "stego/picture/png/png_codec.h"

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

void TypeKey(WindowSession& session, const PictureOptions& options, const GlobalOptions& global,
             bool typedTwice) {
  std::string key = ReadKey({options.KeyFile(), &global.environmentKey, typedTwice});
  session.KeyField().SetKeyText(key);
  ScrubString(key);
}

// Standard input carries one thing at most.
void CheckStandardInput(const PictureOptions& options, bool textFromStandardInput) {
  const int users = (options.PictureName() == StandardStream) + textFromStandardInput +
                    (options.keyFile == StandardStream);
  if (users > 1)
    throw UsageError("standard input can carry only one of the picture, the text and the key");
}

std::string RoomLine(const TextRoom& room, std::string_view what) {
  return std::string(what) + "; the picture holds at most " + std::to_string(room.longest) + " " +
         std::string(CostUnit(room.palette)) + " with these choices and this key";
}

// The key's length as the engine counts it (TextCost on 8 bits), without
// leaving the Windows-1252 copy that measures it behind.
std::int64_t KeyCost(std::string_view key) {
  const SecretString keyBytes = SecretString::Adopt(EditorTextToWindows1252(key));
  return static_cast<std::int64_t>(keyBytes.size());
}

std::int64_t KeyFieldCost(WindowSession& session) {
  return KeyCost(SecretString::Adopt(session.KeyField().KeyText()));
}

// The window's message (unless Encrypt has shown it), then how long the
// text is and how much fits.
[[noreturn]] void RefuseForCapacity(WindowSession& session, const std::string& what) {
  const TextRoom room = RoomFor(ShapeOf(session.Window().OriginalPixels()), KeyFieldCost(session));
  if (!session.Messages().Shown(CapacityMessage)) PrintError(CapacityMessage);
  PrintError(RoomLine(room, what));
  throw Refusal();
}

std::string TextLength(WindowSession& session) {
  return "the text has " + std::to_string(TextCost(session.Editor().Text(), session.Palette())) +
         " " + std::string(CostUnit(session.Palette()));
}

// A text that cannot fit is refused before it is enciphered; piped input is
// read no further than a text that fits could reach.
std::int64_t CostBoundOf(WindowSession& session) {
  return CostBound(ShapeOf(session.Window().OriginalPixels()), KeyFieldCost(session));
}

void LoadTextFromStandardInput(WindowSession& session) {
  const std::int64_t bound = CostBoundOf(session);
  // Input bytes never outnumber the counted ones by more than a byte order
  // mark, or four to one on 8 bits (a UTF-8 character is one Windows-1252 byte).
  const auto limit = static_cast<std::size_t>((session.Palette() ? 4 * bound : bound) + 3);
  if (isatty(STDIN_FILENO))
    std::cerr << "Type the text; end it with Ctrl-D at the start of a line.\n";
  BoundedInput input = ReadBounded(STDIN_FILENO, limit);
  if (input.overflowed)
    RefuseForCapacity(session, "the text is longer than " + std::to_string(limit) + " bytes");
  if (input.bytes.find('\0') != std::string::npos)
    throw Refusal("The text holds NUL bytes, which could not come back unchanged: it is not text");
  session.Editor().ReplaceText(TextFileToEditorText(input.bytes));
}

// Open Text with the file, or the text piped in, read as a text file is.
void LoadText(WindowSession& session, const std::string& textFile) {
  if (textFile.empty() || textFile == StandardStream) return LoadTextFromStandardInput(session);
  std::error_code error;
  const auto status = std::filesystem::status(textFile, error);
  if (error || !std::filesystem::exists(status))
    throw Refusal("Cannot open the text file \"" + textFile +
                  "\": " + (error ? error.message() : std::strerror(ENOENT)));
  if (std::filesystem::is_directory(status))
    throw Refusal("Cannot open the text file \"" + textFile + "\": " + std::strerror(EISDIR));
  const auto size = std::filesystem::file_size(textFile, error);
  const std::int64_t bound = CostBoundOf(session);
  if (!error && static_cast<std::int64_t>(size) > (session.Palette() ? 4 * bound : bound) + 3)
    RefuseForCapacity(session, "the text file has " + std::to_string(size) + " bytes");
  session.Window().FileOpenAccept(textFile);
  if (session.Messages().ErrorCount() > 0) throw Refusal();
  if (session.Editor().Text().find('\0') != std::string::npos)
    throw Refusal("The text holds NUL bytes, which could not come back unchanged: it is not text");
}

// A disabled action does nothing when triggered; the window would show a
// greyed button, so here the reason is told with the handler's own words.
void RequireEnabled(WindowSession& session, bool enabled, bool needsText) {
  if (enabled) return;
  const bool hasText = !session.Editor().Text().empty();
  session.Messages().ShowInformation(needsText && !hasText ? messages::EnterTextFirst
                                                           : messages::KeyTooShort);
  throw Refusal();
}

void CheckFits(WindowSession& session) {
  if (TextCost(session.Editor().Text(), session.Palette()) > CostBoundOf(session))
    RefuseForCapacity(session, TextLength(session));
}

// The 8-bit picture's plain words, and what it does to this text.
void NotePalette(WindowSession& session, const PictureOptions& options) {
  if (!session.Palette()) return;
  const std::optional<std::string> change = FirstPaletteChange(session.Editor().Text());
  if (change && options.strict)
    throw Refusal("--strict: an 8-bit picture would change the text: " + *change);
  PrintError(PaletteNotice);
  if (change) PrintError("note: the text will change: " + *change);
}

// The file a save under Out wrote: a name without extension got the source's.
std::string SavedName(WindowSession& session, const std::string& out) {
  const std::optional<SaveTarget> target =
      ChooseSaveTarget(out, session.Window().View().encryptedSource.kind);
  return target ? target->path : out;
}

void SaveResult(WindowSession& session, const std::string& out) {
  if (out == StandardStream)
    return WritePictureToStandardOutput(session.Window().View().encryptedImage,
                                        session.Window().View().encryptedSource);
  session.Window().EncryptActionListUpdate();
  session.Window().SaveImageActionExecute();
  if (!session.Messages().Shown(messages::PictureSaved)) throw Refusal();
}

int RunEncrypt(const PictureOptions& options, const GlobalOptions& global) {
  options.RequireSealedFor("--file", !options.file.empty());
  if (options.sealed) return RunSealedEncryptCommand(options.Sealed(), global);
  const std::string picture = options.PictureName();
  const CipherChoice choice = options.Choice();
  CheckStandardInput(options, options.textFile.empty() || options.textFile == StandardStream);
  CheckPictureTarget(options.out, options.force);
  WindowSession session(options.out, options.force, global.Level());
  MainWindowLogic& window = session.Window();
  // A file is written straight from its source; standard output gets the picture.
  if (options.out != StandardStream) window.EncryptFromTheFile();
  session.OpenPicture(picture);
  if (options.ChoiceGiven()) session.NoteDisabledChoice();
  TypeKey(session, options, global, true);
  window.SetChoice(choice);
  LoadText(session, options.textFile);
  window.EncryptActionListUpdate();
  RequireEnabled(session, window.CanEncrypt(), true);
  CheckFits(session);
  NotePalette(session, options);
  const std::string length = TextLength(session);
  window.EncryptActionExecute();
  if (session.Messages().Shown(CapacityMessage)) RefuseForCapacity(session, length);
  if (session.Messages().ErrorCount() > 0 || !session.Messages().Shown(messages::EncryptDone))
    throw Refusal();
  SaveResult(session, options.out);
  if (global.Level() == Verbosity::Normal && options.out != StandardStream)
    std::cerr << "Hidden in \"" << SavedName(session, options.out) << "\"\n";
  return ExitSuccess;
}

void WriteText(const std::string& text, const PictureOptions& options,
               const GlobalOptions& global) {
  const std::string bytes = options.crlf ? WithCrLfLineBreaks(text) : WithLocalLineBreaks(text);
  if (options.out.empty() || options.out == StandardStream) return WriteStandardOutput(bytes);
  try {
    WritePrivateFile(options.out, bytes);
  } catch (const EFileWrite& error) {
    throw Refusal(error.what());
  }
  if (global.Level() == Verbosity::Verbose) std::cerr << messages::FileSaved << "\n";
  if (global.Level() == Verbosity::Normal) std::cerr << "Saved in \"" << options.out << "\"\n";
}

int RunDetect(WindowSession& session, const PictureOptions& options, const GlobalOptions& global) {
  if (session.Palette())
    throw Refusal(
        "An 8-bit picture hides its text without a hash, cipher or mode: nothing to detect");
  TypeKey(session, options, global, false);
  if (OpensSealed(options.PictureName(), session.KeyField().KeyText())) {
    WriteStandardOutput("--sealed\n");
    return ExitSuccess;
  }
  Detection found;
  session.Window().ReadOriginalPixels(
      [&](const PixelView& pixels) { found = DetectChoice(pixels, session.KeyField().KeyText()); });
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
  WindowSession session(std::nullopt, options.force, global.Level());
  MainWindowLogic& window = session.Window();
  // Reading the text needs no copy of the pixels.
  window.ReadPicturesInPlace();
  session.OpenPicture(picture);
  if (options.detect) return RunDetect(session, options, global);
  if (options.ChoiceGiven()) session.NoteDisabledChoice();
  TypeKey(session, options, global, false);
  window.SetChoice(choice);
  window.EncryptActionListUpdate();
  RequireEnabled(session, window.CanDecrypt(), false);
  window.DecryptActionExecute();
  if (session.Messages().ErrorCount() > 0) throw Refusal();
  const std::string text = session.Editor().Text();
  if (text.empty()) throw Refusal("No hidden text was found");
  const Decoded decoded = window.DecipheredUtf8() ? Decoded::Utf8 : Decoded::Windows1252;
  if (!session.Palette() && !options.raw && !ReadsAsText(text, decoded))
    throw Refusal(
        "What the picture hides does not read as text: the key fits, so the cipher or the mode "
        "is probably not the one it was hidden with (--detect finds them; --raw writes it anyway)");
  WriteText(text, options, global);
  return ExitSuccess;
}

int DepthOf(PixelFormat format) {
  switch (format) {
    case PixelFormat::Indexed8:
      return 8;
    case PixelFormat::Bgr24:
      return 24;
    case PixelFormat::Bgrx32:
      return 32;
  }
  return 0;
}

int RunCapacity(const PictureOptions& options, const GlobalOptions& global) {
  if (options.sealed) return RunSealedCapacityCommand(options.Sealed(), global);
  const CipherChoice choice = options.Choice();
  CheckStandardInput(options, false);
  // A picture file's header gives the figures: no pixel is read. Anything
  // else (standard input, a file the header read refuses) goes through Open
  // Img, which reads it or words the refusal as the window does.
  const std::string name = options.PictureName();
  const BmpHeaderResult header =
      name == StandardStream ? BmpHeaderResult{} : ReadBmpFileHeader(name);
  WindowSession session(std::nullopt, false, global.Level());
  if (header.status != PictureReadStatus::Ok) session.OpenPicture(name);
  const Picture& picture = session.Window().View().originalImage;
  const PictureShape shape = header.status == PictureReadStatus::Ok
                                 ? PictureShape{header.width, header.height, header.format}
                                 : ShapeOf(picture);
  // A key is used only when one is at hand; the terminal is not asked.
  std::optional<std::string> key;
  if (!options.keyFile.empty() || global.environmentKey)
    key = ReadKey({options.KeyFile(), &global.environmentKey, false});
  const std::int64_t keyLength = key ? KeyCost(*key) : ShortestKey;
  if (key) ScrubString(*key);
  const TextRoom room = RoomFor(shape, keyLength);
  std::string out = "Size: " + std::to_string(shape.width) + " x " + std::to_string(shape.height) +
                    " pixels\n" + "Depth: " + std::to_string(DepthOf(shape.format)) +
                    " bits per pixel\n" + "Capacity: " + std::to_string(room.editorFigure) +
                    " characters, as the text editor counts\n" +
                    "Longest text: " + std::to_string(room.longest) + " ";
  if (room.palette) {
    out += "characters with a key of " + std::to_string(keyLength) + " characters";
    out += key ? "" : ", the shortest allowed (no key was given)";
    out += "; a line break counts two\n";
  } else {
    out += "bytes with " + choice.hash + ", " + choice.cipher + " and " +
           std::string(ModeListItems[static_cast<std::size_t>(choice.mode)]) +
           " (UTF-8: an ASCII character takes one byte, a line break two)\n";
  }
  // Chunks a PNG carries are kept when the picture is saved, never applied.
  const std::string kept = DescribeKeptChunks(session.Window().View().originalSource);
  if (!kept.empty()) out += "Kept unchanged: " + kept + "\n";
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
      .add_option("PICTURE", options.picture, "the picture (.bmp or .png; - for standard input)")
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
    "punctuation; modes with or without \"cm\" (see 'hushlake-cli list'). 8-bit\n"
    "pictures use none of them: they hide the text without a cipher, and the key\n"
    "travels in the picture in front of it.\n";

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
                  "the picture to write (.bmp or .png; - for standard output)")
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
      "Shows the picture's size and depth, the capacity the text editor shows, and\n"
      "the longest text Encrypt accepts with these choices: on 24 and 32 bits in bytes\n"
      "of UTF-8, on 8 bits in characters for the key's length (from --key-file or\n"
      "HUSHLAKE_KEY; without one, for the shortest allowed key of 9 characters).");
  OnRun(command, options, global, run, RunCapacity);
}

}  // namespace

void AddPictureCommands(CLI::App& app, const GlobalOptions& global, CommandRun& run) {
  AddEncrypt(app, global, run);
  AddDecrypt(app, global, run);
  AddCapacity(app, global, run);
}

}  // namespace hushlake::cli
