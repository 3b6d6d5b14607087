// encrypt, decrypt and capacity: the main window's handlers, driven in the
// order a desktop user would trigger them.
#include <cstdio>
#include <iostream>

#include "app/text_encoding.h"
#include "cli/choice_options.h"
#include "cli/command.h"
#include "cli/key_input.h"
#include "cli/outcome.h"
#include "cli/picture_help.h"
#include "cli/standard_streams.h"
#include "cli/window_session.h"
#include "crypto/secure_wipe.h"
#include "stego/bmp_codec.h"

namespace hushlake::cli {

namespace {

void TypeKey(WindowSession& session, const Arguments& arguments, bool textOnStandardInput) {
  std::string key = ReadKey({arguments.Value("--key-file"), !textOnStandardInput});
  session.KeyField().SetKeyText(key);
  ScrubString(key);
}

// Open Text with the file, or the text piped in, read as a text file is.
void LoadText(WindowSession& session, const std::optional<std::string>& textFile) {
  if (!textFile) {
    session.Editor().ReplaceText(TextFileToEditorText(ReadStandardInput()));
    return;
  }
  if (!session.Files().Exists(*textFile))
    throw Refusal("Cannot open the text file \"" + *textFile + "\": no such file");
  session.Window().FileOpenAccept(*textFile);
  if (session.Messages().ErrorCount() > 0) throw Refusal();
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

int RunEncrypt(const Arguments& arguments) {
  const std::string picture = arguments.Required("--in");
  const std::string result = arguments.Required("--out");
  const CipherChoice choice = ChoiceFromArguments(arguments);
  const std::optional<std::string> textFile = arguments.Value("--text-file");
  WindowSession session(result, arguments.Flag("--force"));
  TypeKey(session, arguments, !textFile);
  MainWindowLogic& window = session.Window();
  session.OpenPicture(picture);
  if (ChoiceGiven(arguments)) session.NoteDisabledChoice();
  LoadText(session, textFile);
  window.SetChoice(choice);
  window.EncryptActionListUpdate();
  RequireEnabled(session, window.CanEncrypt(), true);
  window.EncryptActionExecute();
  if (session.Messages().ErrorCount() > 0 || !session.Messages().Shown(messages::EncryptDone))
    throw Refusal();
  window.EncryptActionListUpdate();
  window.SaveImageActionExecute();
  return session.Messages().Shown(messages::PictureSaved) ? ExitSuccess : ExitRefused;
}

int RunDecrypt(const Arguments& arguments) {
  const std::string picture = arguments.Required("--in");
  const std::optional<std::string> textOut = arguments.Value("--out");
  const CipherChoice choice = ChoiceFromArguments(arguments);
  WindowSession session(textOut, arguments.Flag("--force"));
  TypeKey(session, arguments, false);
  MainWindowLogic& window = session.Window();
  session.OpenPicture(picture);
  if (ChoiceGiven(arguments)) session.NoteDisabledChoice();
  window.SetChoice(choice);
  window.EncryptActionListUpdate();
  RequireEnabled(session, window.CanDecrypt(), false);
  window.DecryptActionExecute();
  if (session.Messages().ErrorCount() > 0) throw Refusal();
  if (session.Editor().Text().empty()) throw Refusal("No hidden text was found");
  if (!textOut) {
    WriteStandardOutput(WithLocalLineBreaks(session.Editor().Text()));
    return ExitSuccess;
  }
  window.EncryptActionListUpdate();
  window.FileSaveAsAccept(*textOut);
  return session.Messages().Shown(messages::FileSaved) ? ExitSuccess : ExitRefused;
}

int DepthOf(const Picture& picture) {
  switch (picture.Format()) {
    case PixelFormat::Indexed8:
      return 8;
    case PixelFormat::Bgr24:
      return 24;
    case PixelFormat::Bgrx32:
      return 32;
  }
  return 0;
}

void PrintCapacity(int width, int height, int bitsPerPixel, PixelFormat format) {
  std::cout << "Size: " << width << " x " << height << " pixels\n"
            << "Depth: " << bitsPerPixel << " bits per pixel\n"
            << "Capacity: " << EditorCapacity(width, height, format) << " characters\n";
}

int RunCapacity(const Arguments& arguments) {
  // The header gives the figures: no pixel is read. A file the header read
  // refuses goes through Open Img, which words the refusal as the window does.
  const std::string path = arguments.Required("--in");
  const BmpHeaderResult header = ReadBmpFileHeader(path);
  if (header.status == BmpStatus::Ok) {
    PrintCapacity(header.width, header.height, header.bitsPerPixel, header.format);
    return ExitSuccess;
  }
  WindowSession session(std::nullopt, false);
  session.OpenPicture(path);
  const Picture& picture = session.Window().View().originalImage;
  PrintCapacity(picture.Width(), picture.Height(), DepthOf(picture), picture.Format());
  return ExitSuccess;
}

}  // namespace

const std::vector<Command>& PictureCommands() {
  static const std::vector<Command> commands = {
      {"encrypt",
       "hide a text in a picture",
       EncryptHelp,
       {{"--in", "--out", "--text-file", "--key-file", "--hash", "--cipher", "--mode"},
        {"--force"},
        0},
       RunEncrypt},
      {"decrypt",
       "read the text hidden in a picture",
       DecryptHelp,
       {{"--in", "--out", "--key-file", "--hash", "--cipher", "--mode"}, {"--force"}, 0},
       RunDecrypt},
      {"capacity",
       "show a picture's size and how much text it holds",
       CapacityHelp,
       {{"--in"}, {}, 0},
       RunCapacity},
  };
  return commands;
}

}  // namespace hushlake::cli
