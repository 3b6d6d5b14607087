#include "app/main_window_logic.h"

#include <exception>
#include <filesystem>

#include "app/engine_messages.h"
#include "app/key_case.h"
#include "app/stego_job.h"
#include "app/text_encoding.h"
#include "crypto/secure_wipe.h"
#include "stego/capacity.h"

namespace hushlake {

namespace {

std::string FullPath(const std::string& fileName) {
  std::error_code error;
  const auto absolute = std::filesystem::absolute(fileName, error);
  return error ? fileName : absolute.string();
}

// Passes a secret to a port that insists on a plain string, and scrubs that
// copy whatever the port does.
template <class Port>
void WithPlainCopy(std::string plain, Port&& port) {
  const ScrubOnExit scrub(plain);
  port(plain);
}

// Whether Encrypt got as far as the engine, past the checks of the text, the
// key and the picture.
bool EngineRan(JobStatus status) {
  switch (status) {
    case JobStatus::NoText:
    case JobStatus::KeyTooShort:
    case JobStatus::PictureTooSmall:
    case JobStatus::KeyNotCarried:
    case JobStatus::PictureMissing:
    case JobStatus::PictureRefused:
      return false;
    default:
      return true;
  }
}

}  // namespace

MainWindowLogic::MainWindowLogic(MainWindowPorts ports, EngineClock clock)
    : ports_(ports), job_(ports.files, std::move(clock)) {}

template <class Action>
void MainWindowLogic::Guarded(Action&& action) {
  // An error that reaches a handler ends the action and is reported.
  try {
    action();
  } catch (const std::exception& error) {
    ReportError(error.what());
  } catch (...) {
    ReportError(messages::UnexpectedError);
  }
  // Whatever the action did with the key, its dead frames do not keep it.
  ScrubStack();
}

void MainWindowLogic::ReportError(std::string_view message) noexcept {
  try {
    ports_.messages.ShowError(message);
  } catch (...) {  // NOLINT(bugprone-empty-catch): a broken message box must not end the program
  }
}

SecretString MainWindowLogic::ReadKeyField() const {
  return SecretString::Adopt(ports_.keyField.KeyText());
}

void MainWindowLogic::RunDialogThen(DialogRun run, const FileDialogSettings& dialog,
                                    AcceptHandler accept) {
  Guarded([&] {
    const std::optional<std::string> chosen = (ports_.dialogs.*run)(dialog);
    if (chosen) (this->*accept)(*chosen);
  });
}

void MainWindowLogic::OpenPictureExecute() {
  RunDialogThen(&FileDialogs::RunOpenDialog, dialogs::OpenPicture,
                &MainWindowLogic::OpenPictureAccept);
}

void MainWindowLogic::FileOpenExecute() {
  RunDialogThen(&FileDialogs::RunOpenDialog, dialogs::OpenText, &MainWindowLogic::FileOpenAccept);
}

void MainWindowLogic::FileSaveAsExecute() {
  RunDialogThen(&FileDialogs::RunSaveDialog, dialogs::SaveText, &MainWindowLogic::FileSaveAsAccept);
}

void MainWindowLogic::FormCreate() {
  Guarded([&] {
    if (!ports_.settings.HasKey(WelcomeSettingsKey)) ports_.settings.CreateKey(WelcomeSettingsKey);
  });
  imageLoaded_ = imageEncrypted_ = canEncrypt_ = canDecrypt_ = canSaveImage_ = false;
  minKeyLength_ = 8;
}

void MainWindowLogic::FormShow() { UpdateChoiceLabel(); }

void MainWindowLogic::SetChoice(const CipherChoice& choice) {
  choice_ = choice;
  UpdateChoiceLabel();
}

void MainWindowLogic::UpdateChoiceLabel() {
  Guarded([&] { view_.choiceLabel = ChoiceLabel(choice_); });
}

bool MainWindowLogic::KeyLongEnough(std::string_view keyText) const {
  return hushlake::KeyLongEnough(keyText, minKeyLength_);
}

bool MainWindowLogic::EditorHasText() const { return !ports_.editor.Text().empty(); }

bool MainWindowLogic::IsPalettePicture() const { return job_.Palette(); }

void MainWindowLogic::EncryptActionListUpdate() {
  Guarded([&] {
    const bool keyOk = KeyLongEnough(ReadKeyField());
    const bool hasText = EditorHasText();
    canEncrypt_ = view_.encryptEnabled = imageLoaded_ && keyOk && hasText;
    canDecrypt_ = view_.decryptEnabled = imageLoaded_ && keyOk;
    view_.saveTextButtonEnabled = hasText;
    canSaveImage_ = view_.saveImageButtonEnabled = imageEncrypted_;
  });
}

void MainWindowLogic::OpenPictureAccept(const std::string& fileName) {
  Guarded([&] { OpenPicture(fileName); });
}

void MainWindowLogic::OpenPicture(const std::string& fileName) {
  if (!ports_.files.Exists(fileName)) return;
  // Only a BMP or PNG name is read: any other leaves the picture shown, and
  // with none shown the depth message says that this is no picture to use.
  if (!HasPictureExtension(fileName)) {
    if (job_.Loaded()) return;
    view_.originalVisible = false;
    view_.originalHint.clear();
    imageLoaded_ = false;
    return ports_.messages.ShowError(messages::WrongDepth);
  }
  const JobOutcome outcome = job_.Open(PictureSource::File(fileName), PictureUse::Edit);
  if (outcome.Succeeded()) {
    view_.originalBroken = false;
    imageLoaded_ = true;
    return ShowLoadedPicture(fileName);
  }
  view_.originalVisible = false;
  // The hint named the previous file, which is no longer shown.
  view_.originalHint.clear();
  imageLoaded_ = false;
  // A broken, cut short or oversized file is not of another depth: the
  // reader's reason alone says what is wrong with it.
  const bool reasonAlone = !outcome.reason.empty() && !outcome.messageBesideReason;
  view_.originalBroken = reasonAlone;
  if (!reasonAlone) ports_.messages.ShowError(outcome.message);
  if (!outcome.reason.empty()) ports_.messages.ShowError(outcome.reason);
}

void MainWindowLogic::ShowLoadedPicture(const std::string& fileName) {
  view_.originalVisible = true;
  view_.originalHint = "Original imported image|" + FullPath(fileName);
  ShowCryptControls();
  ports_.editor.SetImageCapacity(EditorCapacity(job_.Shape()));
}

void MainWindowLogic::PublishView() {
  EncryptActionListUpdate();
  if (viewChanged_) viewChanged_();
}

void MainWindowLogic::FileOpenAccept(const std::string& fileName) {
  Guarded([&] {
    if (ports_.files.Exists(fileName)) {
      const std::vector<std::uint8_t> bytes = ports_.files.ReadAll(fileName);
      ports_.editor.ReplaceText(TextFileToEditorText(std::string(bytes.begin(), bytes.end())));
    }
  });
  Guarded([&] { ports_.editor.ShowEditor(); });
}

void MainWindowLogic::FileSaveAsAccept(const std::string& fileName) {
  Guarded([&] {
    if (!EditorHasText()) return;
    const bool exists = ports_.files.Exists(fileName);
    if (exists && !ports_.messages.AskConfirmation(messages::ReplaceTextFile)) return;
    const std::string bytes = EditorTextToTextFile(ports_.editor.Text());
    ports_.files.WriteAtomically(
        fileName, std::span(reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size()));
    ports_.messages.ShowInformation(messages::FileSaved);
  });
}

void MainWindowLogic::LowerPaletteKeyField(std::string_view keyText) {
  // The field shows the user's own characters lowered; nothing else in it changes.
  WithPlainCopy(LowerCaseKeyText(keyText),
                [&](const std::string& lowered) { ports_.keyField.SetKeyText(lowered); });
}

void MainWindowLogic::EncryptActionExecute() {
  Guarded([&] { Encrypt(); });
}

void MainWindowLogic::Encrypt() {
  if (!canEncrypt_) return;
  if (!imageLoaded_) return ports_.messages.ShowInformation(messages::LoadImageFirst);
  if (!EditorHasText()) return ports_.messages.ShowInformation(messages::EnterTextFirst);
  const SecretString keyText = ReadKeyField();
  if (!KeyLongEnough(keyText)) {
    ports_.messages.ShowInformation(messages::KeyTooShort);
    return ports_.keyField.FocusKeyField();
  }
  if (sealed_) return EncryptSealed(keyText);
  const bool palette = IsPalettePicture();
  const SecretString typed = SecretString::Adopt(ports_.editor.Text());
  JobOutcome outcome;
  try {
    outcome = job_.Encrypt({choice_, SecretString(keyText.View()), SecretString(typed.View())});
  } catch (...) {
    imageEncrypted_ = job_.HasResult();
    throw;
  }
  imageEncrypted_ = job_.HasResult();
  // The picture, the key and the text were refused before any work began.
  if (!EngineRan(outcome.status)) return ports_.messages.ShowInformation(outcome.message);
  if (palette) LowerPaletteKeyField(keyText);
  view_.encryptedHint = "Encrypted image|Stego encrypted image";
  if (!outcome.Succeeded()) {
    // A refused text stays the user's text, not its cipher text or reduction.
    PublishView();
    return ports_.messages.ShowError(outcome.message);
  }
  // The editor shows what was hidden: the cipher text on 24 and 32 bits,
  // the text as 8 bits carry it on 8. An editor that then cannot give it
  // back ends Encrypt: the user gets their own text back, and no result.
  try {
    WithPlainCopy(outcome.text.PlainCopy(),
                  [&](const std::string& shown) { ports_.editor.ReplaceText(shown); });
    EditorHasText();
  } catch (...) {
    job_.DropResult();
    imageEncrypted_ = false;
    RestoreEditorText(typed);
    throw;
  }
  PublishView();
  ports_.messages.ShowInformation(messages::EncryptDone);
}

void MainWindowLogic::RestoreEditorText(const SecretString& text) {
  WithPlainCopy(text.PlainCopy(),
                [&](const std::string& plain) { ports_.editor.ReplaceText(plain); });
}

void MainWindowLogic::DecryptActionExecute() {
  Guarded([&] { Decrypt(); });
}

void MainWindowLogic::HideFileExecute() {
  Guarded([&] { HideFile(); });
}

void MainWindowLogic::Decrypt() {
  if (!canDecrypt_) return;
  decipheredUtf8_ = false;
  const SecretString keyText = ReadKeyField();
  if (sealed_) return DecryptSealed(keyText);
  const bool palette = IsPalettePicture();
  if (palette) LowerPaletteKeyField(keyText);
  const JobOutcome outcome = job_.Decrypt({choice_, SecretString(keyText.View())});
  if (!outcome.Succeeded()) return ports_.messages.ShowError(outcome.message);
  if (outcome.text.empty()) return;
  decipheredUtf8_ = outcome.decipheredUtf8;
  ports_.editor.ShowEditor();
  WithPlainCopy(outcome.text.PlainCopy(),
                [&](const std::string& shown) { ports_.editor.ReplaceText(shown); });
  ports_.editor.FocusEditor();
}

void MainWindowLogic::SaveImageActionExecute() {
  Guarded([&] { SaveImage(); });
}

void MainWindowLogic::SaveImage() {
  if (!canSaveImage_ || !job_.HasResult()) return;
  const bool palette = job_.Result().Format() == PixelFormat::Indexed8;
  const PictureFileKind sourceKind = job_.ResultSource().kind;
  const bool png = sourceKind == PictureFileKind::Png;
  std::optional<std::string> chosen = ports_.dialogs.RunSaveDialog(
      palette ? (png ? dialogs::SaveBitmapAsPng : dialogs::SaveBitmap)
              : (png ? dialogs::SavePictureAsPng : dialogs::SavePicture));
  if (!chosen) return;
  // The extension chooses the file kind for every depth; a picture is never
  // reported saved without being written, nor written in another kind than
  // its name says.
  const std::optional<SaveTarget> target = ChooseSaveTarget(*chosen, sourceKind);
  if (!target) return ports_.messages.ShowError(messages::PictureNeedsBmpOrPngName);
  if (ports_.files.Exists(target->path) &&
      !ports_.messages.AskConfirmation(messages::ReplacePicture))
    return;
  SavePictureTo(*target);
}

void MainWindowLogic::SavePictureTo(const SaveTarget& target) {
  job_.Save(target);
  view_.encryptedHint = "Encrypted Image|" + target.path;
  ports_.messages.ShowInformation(messages::PictureSaved);
}

}  // namespace hushlake
