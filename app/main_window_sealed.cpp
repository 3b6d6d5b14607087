// The main window's Encrypt and Decrypt for sealed pictures. A sealed picture
// carries a text here; a file sealed on the command line is named, and left
// for the command line to save.
#include <string>

#include "app/engine_messages.h"
#include "app/main_window_logic.h"
#include "app/sealed_job.h"
#include "stego/sealed/sealed_picture.h"

namespace hushlake {

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
  // Save Img only ever saves what this Encrypt produces: the last result goes now.
  job_.DropResult();
  imageEncrypted_ = false;
  sealed::SealedContent content;
  const SecretString text = SecretString::Adopt(ports_.editor.Text());
  content.bytes =
      SecretBytes(std::span(reinterpret_cast<const std::uint8_t*>(text.data()), text.size()));
  Picture work = job_.Original();
  const sealed::SealOutcome outcome =
      sealed::SealIntoPicture(work, content, keyText.View(), *stretcher_);
  view_.encryptedHint = "Sealed image|Sealed picture";
  if (outcome.status == sealed::SealedStatus::TooLarge) {
    return ports_.messages.ShowError("Too large for a sealed picture: the text packs into " +
                                     std::to_string(outcome.packedBytes) +
                                     " bytes, and this picture takes at most " +
                                     std::to_string(outcome.capacity.largestBytes));
  }
  if (!outcome.Succeeded()) return ports_.messages.ShowError(sealed_messages::PalettePicture);
  job_.KeepResult(std::move(work));
  imageEncrypted_ = true;
  if (outcome.aboveSafe) {
    ports_.messages.ShowInformation(
        "The text packs into " + std::to_string(outcome.packedBytes) +
        " bytes, more than this picture's safe size of " +
        std::to_string(outcome.capacity.safeBytes) +
        " bytes: a detector is more likely to notice. A larger picture or a shorter text is "
        "safer");
  }
  ports_.messages.ShowInformation(messages::EncryptDone);
}

void MainWindowLogic::DecryptSealed(const SecretString& keyText) {
  if (IsPalettePicture()) return ports_.messages.ShowError(sealed_messages::PalettePicture);
  const SealedDecryptOutcome outcome = OpenSealedPicture(job_.Original(), keyText, *stretcher_);
  if (!outcome.Succeeded()) return ports_.messages.ShowError(outcome.message);
  const sealed::SealedContent& content = outcome.content;
  if (content.isFile) {
    return ports_.messages.ShowInformation(
        "The picture holds the file \"" + SafeStoredName(content.name).value_or("?") + "\" (" +
        std::to_string(content.bytes.size()) +
        " bytes). Save it with: hushlake-cli decrypt --sealed PICTURE --folder FOLDER");
  }
  ports_.editor.ShowEditor();
  std::string shown(reinterpret_cast<const char*>(content.bytes.data()), content.bytes.size());
  ScrubOnExit scrub(shown);
  decipheredUtf8_ = true;
  ports_.editor.ReplaceText(shown);
  ports_.editor.FocusEditor();
}

}  // namespace hushlake
