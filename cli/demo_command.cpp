// demo: what the tool is for, in one run that needs nothing from the user. It
// paints a picture, hides a short text in it, reads the text back from the
// saved file, and shows the two commands to try on a picture of one's own.
#include <cstdlib>
#include <filesystem>
#include <iostream>
#include <string>

#include "app/demo_picture.h"
#include "app/local_file_store.h"
#include "app/stego_job.h"
#include "cli/command.h"
#include "cli/outcome.h"

namespace hushlake::cli {

namespace {

constexpr const char* kText = "Meet me by the lake at nine.";
// Not a key to use: anyone reading this source knows it.
constexpr const char* kKey = "demonstration key";

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
  LocalFileStore files;
  PictureJob job(files);
  const CipherChoice choice;
  if (!job.Open(PictureSource::File(picture), PictureUse::EncryptOnce).Succeeded())
    throw Refusal("The demonstration failed");
  const JobOutcome outcome = job.Encrypt({choice, SecretString(kKey), SecretString(kText)});
  if (!outcome.Succeeded()) throw Refusal("The demonstration failed: " + outcome.message);
  const std::optional<SaveTarget> target = SaveTargetAsGiven(hidden, job.Source().kind);
  if (!target) throw Refusal("The demonstration failed");
  job.Save(*target);
  return {std::string(outcome.text.View()), choice};
}

std::string ReadTextBack(const std::string& hidden) {
  LocalFileStore files;
  PictureJob job(files);
  if (!job.Open(PictureSource::File(hidden), PictureUse::ReadOnly).Succeeded())
    throw Refusal("The demonstration failed");
  const JobOutcome outcome = job.Decrypt({CipherChoice{}, SecretString(kKey)});
  return outcome.Succeeded() ? std::string(outcome.text.View()) : std::string();
}

int RunDemo() {
  const std::filesystem::path folder = DemoFolder();
  const std::string picture = (folder / "lake.bmp").string();
  const std::string hidden = (folder / "lake-hidden.bmp").string();
  {
    LocalFileStore files;
    WriteDemoPicture(files, picture);
  }
  std::cout << "A picture of " << kDemoPictureWidth << " x " << kDemoPictureHeight
            << " pixels:  " << picture << "\n"
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
