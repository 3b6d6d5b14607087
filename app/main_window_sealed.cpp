// The main window's Encrypt and Decrypt for sealed pictures. Encrypt seals
// the editor's text; Decrypt puts a sealed text into the editor, and offers
// a sealed file (as the command line seals one) for saving.
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "app/engine_messages.h"
#include "app/main_window_logic.h"
#include "app/sealed_job.h"
#include "stego/sealed/sealed_picture.h"

namespace hushlake {

namespace {

inline constexpr FileDialogSettings SaveSealedFile{"Save the hidden file", "All files (*)|*", "",
                                                   ""};
inline constexpr FileDialogSettings HideFileDialog{"Hide a file", "All files (*)|*", "", ""};
inline constexpr std::string_view HiddenFileDone =
    "The file has been sealed into the picture\nPlease save the encrypted image now";

std::string SizeText(std::size_t bytes) {
  return std::to_string(bytes) + (bytes == 1 ? " byte" : " bytes");
}

// A file is no text for the editor: the editor names it, and the save dialog
// offers it under its stored name, which is only ever a plain name (nothing
// is proposed when the stored one is not). An existing file is replaced only
// when the user says so.
void OfferSealedFile(const MainWindowPorts& ports, const sealed::SealedContent& content) {
  const std::optional<std::string> name = SafeStoredName(content.name);
  const std::string size = SizeText(content.bytes.size());
  ports.editor.ShowEditor();
  ports.editor.ReplaceText(name ? "The picture holds the file \"" + *name + "\" (" + size + ")."
                                : "The picture holds a file (" + size +
                                      ") whose stored name is not a plain file name.");
  ports.editor.FocusEditor();
  FileDialogSettings dialog = SaveSealedFile;
  if (name) dialog.proposedName = *name;
  const std::optional<std::string> chosen = ports.dialogs.RunSaveDialog(dialog);
  if (!chosen) return;
  if (ports.files.Exists(*chosen) && !ports.messages.AskConfirmation(messages::ReplaceTextFile))
    return;
  ports.files.WriteAtomically(*chosen, content.bytes.View());
  ports.messages.ShowInformation(messages::FileSaved);
}

}  // namespace

void MainWindowLogic::SetSealed(bool sealed) {
  sealed_ = sealed;
  ShowCryptControls();
}

void MainWindowLogic::ShowCryptControls() {
  const bool palette = imageLoaded_ && IsPalettePicture();
  view_.cryptControlsEnabled = !palette && !sealed_;
  view_.cryptHint = sealed_   ? "Sealed picture, no cipher choice needed"
                    : palette ? "8 Bit Image, Cipher disabled"
                              : "Cipher Selection";
}

void MainWindowLogic::EncryptSealed(const SecretString& keyText) {
  if (IsPalettePicture()) return ports_.messages.ShowError(sealed_messages::PalettePicture);
  sealed::SealedContent content;
  const SecretString text = SecretString::Adopt(ports_.editor.Text());
  content.bytes =
      SecretBytes(std::span(reinterpret_cast<const std::uint8_t*>(text.data()), text.size()));
  SealIntoResult(keyText, content);
}

void MainWindowLogic::HideFile() {
  if (!CanHideFile()) return;
  const SecretString keyText = ReadKeyField();
  if (IsPalettePicture()) return ports_.messages.ShowError(sealed_messages::PalettePicture);
  const std::optional<std::string> chosen = ports_.dialogs.RunOpenDialog(HideFileDialog);
  if (!chosen || !ports_.files.Exists(*chosen)) return;
  sealed::SealedContent content;
  content.isFile = true;
  // Only the name goes with the file, never the folders it lay in.
  content.name = std::filesystem::path(*chosen).filename().string();
  if (content.name.size() > sealed::kMaxNameBytes)
    return ports_.messages.ShowError("The file name is longer than 255 bytes");
  std::vector<std::uint8_t> bytes = ports_.files.ReadAll(*chosen);
  content.bytes = SecretBytes(bytes);
  ScrubBytes(bytes.data(), bytes.size());
  SealIntoResult(keyText, content);
}

void MainWindowLogic::SealIntoResult(const SecretString& keyText,
                                     const sealed::SealedContent& content) {
  // Save Img only ever saves what this Encrypt produces: the last result goes now.
  job_.DropResult();
  imageEncrypted_ = false;
  const std::string what = content.isFile ? "file" : "text";
  Picture work = job_.Original();
  const sealed::SealOutcome outcome =
      sealed::SealIntoPicture(work, content, keyText.View(), *stretcher_);
  view_.encryptedHint = "Sealed image|Sealed picture";
  if (outcome.status == sealed::SealedStatus::TooLarge) {
    return ports_.messages.ShowError("Too large for a sealed picture: the " + what +
                                     " packs into " + std::to_string(outcome.packedBytes) +
                                     " bytes, and this picture takes at most " +
                                     std::to_string(outcome.capacity.largestBytes));
  }
  if (!outcome.Succeeded()) return ports_.messages.ShowError(sealed_messages::PalettePicture);
  job_.KeepResult(std::move(work));
  imageEncrypted_ = true;
  PublishView();
  if (outcome.aboveSafe) {
    ports_.messages.ShowInformation(
        "The " + what + " packs into " + std::to_string(outcome.packedBytes) +
        " bytes, more than this picture's safe size of " +
        std::to_string(outcome.capacity.safeBytes) +
        " bytes: a detector is more likely to notice. A larger picture or a shorter " + what +
        " is safer");
  }
  ports_.messages.ShowInformation(content.isFile ? std::string_view(HiddenFileDone)
                                                 : messages::EncryptDone);
}

void MainWindowLogic::DecryptSealed(const SecretString& keyText) {
  if (IsPalettePicture()) return ports_.messages.ShowError(sealed_messages::PalettePicture);
  const SealedDecryptOutcome outcome = OpenSealedPicture(job_.Original(), keyText, *stretcher_);
  if (!outcome.Succeeded()) return ports_.messages.ShowError(outcome.message);
  const sealed::SealedContent& content = outcome.content;
  if (content.isFile) return OfferSealedFile(ports_, content);
  ports_.editor.ShowEditor();
  std::string shown(reinterpret_cast<const char*>(content.bytes.data()), content.bytes.size());
  ScrubOnExit scrub(shown);
  decipheredUtf8_ = true;
  ports_.editor.ReplaceText(shown);
  ports_.editor.FocusEditor();
}

}  // namespace hushlake
