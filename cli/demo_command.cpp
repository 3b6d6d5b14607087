// demo: what the tool is for, in one run that needs nothing from the user. It
// paints a picture, hides a short text in it, reads the text back from the
// saved file, and shows the two commands to try on a picture of one's own.
#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <iostream>
#include <string>

#include "cli/command.h"
#include "cli/outcome.h"
#include "cli/window_session.h"
#include "stego/picture.h"

namespace hushlake::cli {

namespace {

constexpr int kWidth = 160;
constexpr int kHeight = 120;
constexpr const char* kText = "Meet me by the lake at nine.";
// Not a key to use: anyone reading this source knows it.
constexpr const char* kKey = "demonstration key";

// A sky over a lake, so the picture is a picture and not a flat colour.
Picture PaintedPicture() {
  Picture picture(kWidth, kHeight, PixelFormat::Bgr24);
  for (int y = 0; y < kHeight; ++y) {
    std::uint8_t* row = picture.Row(y);
    for (int x = 0; x < kWidth; ++x) {
      const double wave = std::sin(x / 9.0 + y / 5.0);
      const bool lake = y > kHeight * 3 / 5;
      const int blue = lake ? 150 + static_cast<int>(20 * wave) : 230 - y;
      const int green = lake ? 90 + static_cast<int>(10 * wave) : 160 - y / 2;
      const int red = lake ? 40 : 120 + y;
      row[3 * x] = static_cast<std::uint8_t>(blue);
      row[3 * x + 1] = static_cast<std::uint8_t>(green);
      row[3 * x + 2] = static_cast<std::uint8_t>(red);
    }
  }
  return picture;
}

std::filesystem::path DemoFolder() {
  std::string name = (std::filesystem::temp_directory_path() / "hushlake-demo-XXXXXX").string();
  if (mkdtemp(name.data()) == nullptr) throw Refusal("Cannot make a folder for the demonstration");
  return name;
}

struct Hidden {
  std::string cipherText;
  CipherChoice choice;
};

Hidden HideText(const std::string& picture, const std::string& hidden) {
  WindowSession session(hidden, false, Verbosity::Quiet);
  session.OpenPicture(picture);
  session.KeyField().SetKeyText(kKey);
  session.Editor().ReplaceText(kText);
  MainWindowLogic& window = session.Window();
  window.EncryptActionListUpdate();
  window.EncryptActionExecute();
  if (!session.Messages().Shown(messages::EncryptDone)) throw Refusal("The demonstration failed");
  const Hidden result{session.Editor().Text(), window.Choice()};
  window.EncryptActionListUpdate();
  window.SaveImageActionExecute();
  if (!session.Messages().Shown(messages::PictureSaved)) throw Refusal("The demonstration failed");
  return result;
}

std::string ReadTextBack(const std::string& hidden) {
  WindowSession session(std::nullopt, false, Verbosity::Quiet);
  session.OpenPicture(hidden);
  session.KeyField().SetKeyText(kKey);
  session.Window().EncryptActionListUpdate();
  session.Window().DecryptActionExecute();
  return session.Editor().Text();
}

int RunDemo() {
  const std::filesystem::path folder = DemoFolder();
  const std::string picture = (folder / "lake.bmp").string();
  const std::string hidden = (folder / "lake-hidden.bmp").string();
  {
    WindowSession painter(std::nullopt, false, Verbosity::Quiet);
    painter.Files().WritePictureAtomically(picture, PaintedPicture());
  }
  std::cout << "A picture of " << kWidth << " x " << kHeight << " pixels:  " << picture << "\n"
            << "The text to hide:               " << kText << "\n"
            << "The key:                        " << kKey << "\n\n";
  const Hidden result = HideText(picture, hidden);
  std::cout << "Enciphered (" << result.choice.cipher << ", "
            << ModeListItems[static_cast<std::size_t>(result.choice.mode)]
            << ", the key hashed with " << result.choice.hash << ") and hidden in\n  " << hidden
            << ":\n  " << result.cipherText << "\n\n";
  const std::string readBack = ReadTextBack(hidden);
  std::cout << "Read back from the saved picture with the same key:\n  " << readBack << "\n"
            << (readBack == kText ? "The same text: the picture carried it.\n"
                                  : "The text differs: something is wrong.\n")
            << "\nNow try it on a picture of your own (the key is asked for, twice):\n"
            << "  echo \"meet at nine\" | hushlake-cli encrypt photo.bmp -o hidden.bmp\n"
            << "  hushlake-cli decrypt hidden.bmp\n"
            << "(PNG pictures work the same way; hushlake-cli help says more.)\n";
  return readBack == kText ? ExitSuccess : ExitRefused;
}

}  // namespace

void AddDemoCommand(CLI::App& app, CommandRun& run) {
  CLI::App& demo =
      *app.add_subcommand("demo", "hide a text in a picture made for the purpose and read it back");
  demo.footer(
      "Paints a picture in a new folder under the temporary folder, hides a short\n"
      "text in it with a fixed key, saves it, reads the text back from the saved\n"
      "file and shows the commands to try on a picture of your own.");
  demo.callback([&run] { run = [] { return RunDemo(); }; });
}

}  // namespace hushlake::cli
