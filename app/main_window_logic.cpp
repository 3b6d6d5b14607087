#include "app/main_window_logic.h"

#include <algorithm>
#include <exception>
#include <filesystem>

#include "app/engine_messages.h"
#include "app/key_bytes.h"
#include "app/key_case.h"
#include "app/stego_job.h"
#include "app/text_encoding.h"
#include "crypto/secure_wipe.h"
#include "stego/capacity.h"
#include "stego/encryptor.h"

namespace hushlake {

namespace {

std::string FullPath(const std::string& fileName) {
  std::error_code error;
  const auto absolute = std::filesystem::absolute(fileName, error);
  return error ? fileName : absolute.string();
}

// The editor text the engine sees on the 8-bit path: Windows-1252 bytes,
// written back to the editor as Unicode.
class PaletteTextAdapter : public TextHolder {
 public:
  explicit PaletteTextAdapter(TextEditorPort& editor) : editor_(editor) {}
  std::string Text() const override { return EditorTextToWindows1252(editor_.Text()); }
  void ReplaceText(const std::string& text) override {
    editor_.ReplaceText(Windows1252ToEditorText(text));
  }

 private:
  TextEditorPort& editor_;
};

// Passes a secret to a port that insists on a plain string, and scrubs that
// copy whatever the port does.
template <class Port>
void WithPlainCopy(std::string plain, Port&& port) {
  const ScrubOnExit scrub(plain);
  port(plain);
}

}  // namespace

class MainWindowLogic::EncryptedImageHolder : public PictureHolder {
 public:
  explicit EncryptedImageHolder(Picture& target) : target_(target) {}
  void ReplacePicture(Picture picture) override { target_ = std::move(picture); }

 private:
  Picture& target_;
};

MainWindowLogic::MainWindowLogic(MainWindowPorts ports, EngineClock clock)
    : ports_(ports), random_(std::move(clock)) {}

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

PixelView MainWindowLogic::OriginalPixels() const {
  return originalInPlace_ ? originalInPlace_->pixels : PixelView::Of(view_.originalImage);
}

void MainWindowLogic::ReadOriginalPixels(
    const std::function<void(const PixelView&)>& reader) const {
  if (!originalInPlace_) return reader(PixelView::Of(view_.originalImage));
  originalInPlace_->file->Read([&] { reader(originalInPlace_->pixels); });
}

bool MainWindowLogic::IsPalettePicture() const {
  return OriginalPixels().Format() == PixelFormat::Indexed8;
}

void MainWindowLogic::EncryptActionListUpdate() {
  Guarded([&] {
    const bool keyOk = KeyLongEnough(ReadKeyField());
    const bool hasText = EditorHasText();
    canEncrypt_ = view_.encryptEnabled =
        imageLoaded_ && keyOk && hasText && (!originalInPlace_ || rewriteLayout_);
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
  // Changes planned for the last file go with it: they must never reach another.
  if (plannedChanges_) {
    plannedChanges_.reset();
    imageEncrypted_ = false;
  }
  originalInPlace_.reset();
  rewriteLayout_.reset();
  view_.originalBroken = false;
  if ((readInPlace_ || encryptFromFile_) && HasPictureExtension(fileName) &&
      OpenPictureInPlace(fileName))
    return;
  std::string loadError;
  bool loaded = false;
  PictureFileKind kind = PictureFileKind::Bmp;
  if (HasPictureExtension(fileName)) {
    PictureReadResult result;
    try {
      result = ports_.files.ReadPicture(fileName);
    } catch (const std::exception& error) {
      result.error = error.what();
    }
    kind = result.kind;
    // A picture of another depth, or one that cannot be read, leaves the
    // picture box empty; the depth check below then reports it.
    loaded = result.status == PictureReadStatus::Ok;
    view_.originalBroken = result.status == PictureReadStatus::Malformed;
    view_.originalImage = loaded ? std::move(result.picture) : Picture();
    view_.originalSource = loaded ? std::move(result.source) : SourceFileInfo{};
    // A BMP's depth is all the depth message needs; a PNG's kind is told too.
    if (result.status == PictureReadStatus::Malformed ||
        (result.status == PictureReadStatus::Unsupported && kind == PictureFileKind::Png))
      loadError = result.error;
    imageLoaded_ = true;
  }
  if (view_.originalImage.Empty()) {
    view_.originalVisible = false;
    // The hint named the previous file, which is no longer shown.
    view_.originalHint.clear();
    imageLoaded_ = false;
    ports_.messages.ShowError(kind == PictureFileKind::Png ? messages::WrongPngKind
                                                           : messages::WrongDepth);
    if (!loadError.empty()) ports_.messages.ShowError(loadError);
    return;
  }
  if (imageLoaded_ && loaded) ShowLoadedPicture(fileName);
}

// Any file the store cannot show in place is read as a picture instead,
// which also words any refusal.
bool MainWindowLogic::OpenPictureInPlace(const std::string& fileName) {
  std::optional<PictureInPlace> picture;
  std::optional<BmpRewriteLayout> layout;
  try {
    picture = ports_.files.ViewPicture(fileName);
    if (picture && encryptFromFile_) {
      picture->file->Read([&] { layout = PlanBmpRewrite(picture->file->Bytes()); });
      if (!layout) return false;
    }
  } catch (const std::exception&) {
    return false;
  }
  if (!picture) return false;
  rewriteLayout_ = std::move(layout);
  view_.originalImage = Picture();
  view_.originalSource = SourceFileInfo{};
  originalInPlace_ = std::move(picture);
  imageLoaded_ = true;
  ShowLoadedPicture(fileName);
  return true;
}

void MainWindowLogic::ShowLoadedPicture(const std::string& fileName) {
  view_.originalVisible = true;
  view_.originalHint = "Original imported image|" + FullPath(fileName);
  ShowCryptControls();
  const PixelView pixels = OriginalPixels();
  ports_.editor.SetImageCapacity(EditorCapacity(ShapeOf(pixels)));
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

SecretString MainWindowLogic::EngineKey(std::string_view keyText) {
  if (!IsPalettePicture()) return DeriveEngineKey(choice_, TrueColorKeyBytes(keyText));
  // The field shows the user's own characters lowered; nothing else in it changes.
  WithPlainCopy(LowerCaseKeyText(keyText),
                [&](const std::string& lowered) { ports_.keyField.SetKeyText(lowered); });
  return PaletteKeyBytes(keyText);
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
  const PixelView original = OriginalPixels();
  if (original.Width() < 24 || original.Height() < 24)
    return ports_.messages.ShowInformation(messages::ImageTooSmall);
  const bool palette = IsPalettePicture();
  if (palette) {
    if (!PaletteCarriesKey(PaletteKeyBytes(keyText)))
      return ports_.messages.ShowInformation(messages::PaletteKeyUnsupported);
  }
  // Save Img only ever saves what this Encrypt produces: the last result goes now.
  view_.encryptedImage = Picture();
  plannedChanges_.reset();
  imageEncrypted_ = false;
  const SecretString originalText = SecretString::Adopt(ports_.editor.Text());
  EngineOutcome outcome;
  try {
    outcome = palette ? EncryptPalette(keyText) : EncryptTrueColor(keyText, originalText);
  } catch (...) {
    RestoreEditorText(originalText);
    throw;
  }
  view_.encryptedHint = "Encrypted image|Stego encrypted image";
  if (!outcome.Succeeded()) {
    // A refused text stays the user's text, not its cipher text or reduction.
    RestoreEditorText(originalText);
    PublishView();
    return ports_.messages.ShowError(*EngineMessage(outcome.status, palette));
  }
  imageEncrypted_ = true;
  view_.encryptedSource = view_.originalSource;
  PublishView();
  ports_.messages.ShowInformation(messages::EncryptDone);
}

void MainWindowLogic::RestoreEditorText(const SecretString& text) {
  WithPlainCopy(text.PlainCopy(),
                [&](const std::string& plain) { ports_.editor.ReplaceText(plain); });
}

EngineOutcome MainWindowLogic::EncryptPalette(std::string_view keyText) {
  PaletteTextAdapter text(ports_.editor);
  if (rewriteLayout_) return PlanEncryptFromFile(keyText, text);
  EncryptedImageHolder target(view_.encryptedImage);
  TEncryptor engine(view_.originalImage, target, EngineKey(keyText), text, random_);
  if (releaseOriginal_) engine.WorkInSource();
  engine.SetTextLength(text.Text().size());
  return engine.Encrypt();
}

EngineOutcome MainWindowLogic::EncryptTrueColor(std::string_view keyText,
                                                const SecretString& plainText) {
  if (rewriteLayout_) {
    EncipherEditorText(keyText, plainText);
    return PlanEncryptFromFile(keyText, ports_.editor);
  }
  EncryptedImageHolder target(view_.encryptedImage);
  TEncryptor engine(view_.originalImage, target, EngineKey(keyText), ports_.editor, random_);
  if (releaseOriginal_) engine.WorkInSource();
  EncipherEditorText(keyText, plainText);
  engine.SetTextLength(ports_.editor.Text().size());
  return engine.Encrypt();
}

// The editor then holds what the engine hides: the cipher text.
void MainWindowLogic::EncipherEditorText(std::string_view keyText, const SecretString& plainText) {
  const SecretString plainBytes = SecretString::Adopt(EditorTextToCipherBytes(plainText));
  ports_.editor.ReplaceText(EncipherText(choice_, TrueColorKeyBytes(keyText), plainBytes));
}

// Encrypt of the picture opened in place: no pixel is read or written yet.
EngineOutcome MainWindowLogic::PlanEncryptFromFile(std::string_view keyText, TextHolder& text) {
  SecretString key = EngineKey(keyText);
  const std::size_t textLength = SecretString::Adopt(text.Text()).size();
  EncryptPlan plan =
      PlanEncrypt(OriginalPixels().EvenSized(), std::move(key), text, textLength, random_);
  plannedChanges_ = std::move(plan.changes);
  return std::move(plan.outcome);
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
  EncryptedImageHolder target(view_.encryptedImage);
  EngineOutcome outcome;
  if (originalInPlace_) {
    outcome = DecryptInPlace(EngineKey(keyText));
  } else if (palette) {
    PaletteTextAdapter text(ports_.editor);
    TEncryptor engine(view_.originalImage, target, EngineKey(keyText), text, random_);
    outcome = engine.Decrypt();
  } else {
    TEncryptor engine(view_.originalImage, target, EngineKey(keyText), ports_.editor, random_);
    outcome = engine.Decrypt();
  }
  if (!outcome.Succeeded())
    return ports_.messages.ShowError(*EngineMessage(outcome.status, palette));
  if (outcome.text.empty()) return;
  ports_.editor.ShowEditor();
  if (palette) {
    WithPlainCopy(Windows1252ToEditorText(outcome.text),
                  [&](const std::string& shown) { ports_.editor.ReplaceText(shown); });
  } else {
    const SecretString plain = DecipherText(choice_, TrueColorKeyBytes(keyText), outcome.text);
    decipheredUtf8_ = IsValidUtf8(plain.View());
    WithPlainCopy(CipherBytesToEditorText(plain),
                  [&](const std::string& shown) { ports_.editor.ReplaceText(shown); });
  }
  ports_.editor.FocusEditor();
}

// A file cut short meanwhile ends in an error naming it: what was read of
// the zeros in its place is thrown away.
EngineOutcome MainWindowLogic::DecryptInPlace(SecretString key) const {
  EngineOutcome outcome;
  ReadOriginalPixels(
      [&](const PixelView& pixels) { outcome = DecryptPixels(pixels, std::move(key)); });
  return outcome;
}

void MainWindowLogic::SaveImageActionExecute() {
  Guarded([&] { SaveImage(); });
}

void MainWindowLogic::SaveImage() {
  if (!canSaveImage_ || (view_.encryptedImage.Empty() && !plannedChanges_)) return;
  const bool palette = plannedChanges_ ? plannedChanges_->NewPalette() != nullptr
                                       : view_.encryptedImage.Format() == PixelFormat::Indexed8;
  const PictureFileKind sourceKind = view_.encryptedSource.kind;
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
  if (plannedChanges_)
    SavePlannedPicture(target);
  else if (target.kind == PictureFileKind::Bmp)
    ports_.files.WritePictureAtomically(target.path, view_.encryptedImage, view_.encryptedSource);
  else
    ports_.files.WriteAtomically(
        target.path, EncodePicture(view_.encryptedImage, target.kind, view_.encryptedSource));
  view_.encryptedHint = "Encrypted Image|" + target.path;
  ports_.messages.ShowInformation(messages::PictureSaved);
}

// The planned changes made on the way to the new file; a file of another
// kind than the source is made from a copy of the pixels.
void MainWindowLogic::SavePlannedPicture(const SaveTarget& target) {
  const RowBandChange change = [this](const RowBand& rows) { plannedChanges_->Apply(rows); };
  const Palette* palette = plannedChanges_->NewPalette();
  if (target.kind == PictureFileKind::Bmp) {
    BmpRewriteLayout layout = *rewriteLayout_;
    if (palette) PutRewritePalette(layout, *palette);
    return ports_.files.RewritePictureAtomically(target.path, *originalInPlace_->file, layout,
                                                 change);
  }
  Picture picture = EvenSizedOriginal();
  if (palette) picture.SetPalette(*palette);
  change({0, picture.Height(), picture.Row(0), static_cast<std::int64_t>(picture.RowBytes())});
  ports_.files.WriteAtomically(target.path,
                               EncodePicture(picture, target.kind, view_.encryptedSource));
}

Picture MainWindowLogic::EvenSizedOriginal() const {
  Picture copy;
  ReadOriginalPixels([&](const PixelView& original) {
    const PixelView pixels = original.EvenSized();
    copy = Picture(pixels.Width(), pixels.Height(), pixels.Format());
    copy.SetPalette(pixels.GetPalette());
    for (int y = 0; y < pixels.Height(); ++y)
      std::copy_n(pixels.Row(y), copy.RowBytes(), copy.Row(y));
  });
  return copy;
}

}  // namespace hushlake
