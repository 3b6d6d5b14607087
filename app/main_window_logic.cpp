#include "app/main_window_logic.h"

#include <algorithm>
#include <cctype>
#include <exception>
#include <filesystem>

#include "app/text_encoding.h"
#include "crypto/secure_wipe.h"
#include "stego/bmp_codec.h"
#include "stego/encryptor.h"
#include "stego/palette_coding.h"

namespace hushlake {

namespace {

std::string UpperCase(std::string text) {
  std::transform(text.begin(), text.end(), text.begin(),
                 [](unsigned char c) { return static_cast<char>(std::toupper(c)); });
  return text;
}

// The extension of a file name, without its dot; empty when there is none.
std::string ExtensionOf(const std::string& fileName) {
  const auto slash = fileName.find_last_of("/\\");
  const auto dot = fileName.find_last_of('.');
  if (dot == std::string::npos || (slash != std::string::npos && dot < slash)) return {};
  return fileName.substr(dot + 1);
}

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

// The key's bytes on the 24- and 32-bit path: Windows-1252 when the key fits
// that code page (as older versions hashed it), otherwise UTF-8.
std::string TrueColorKeyBytes(const std::string& keyText) {
  const std::string ansi = EditorTextToWindows1252(keyText);
  if (Windows1252ToEditorText(ansi) == WithCrLfLineBreaks(keyText)) return ansi;
  return keyText;
}

}  // namespace

class MainWindowLogic::EncryptedImageHolder : public PictureHolder {
 public:
  explicit EncryptedImageHolder(Picture& target) : target_(target) {}
  void ReplacePicture(Picture picture) override { target_ = std::move(picture); }

 private:
  Picture& target_;
};

MainWindowLogic::MainWindowLogic(MainWindowPorts ports) : ports_(ports) {}

template <class Action>
void MainWindowLogic::Guarded(Action&& action) {
  // An error that reaches a handler ends the action and is reported.
  try {
    action();
  } catch (const std::exception& error) {
    ports_.messages.ShowError(error.what());
  }
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
  if (!ports_.settings.HasKey(WelcomeSettingsKey)) ports_.settings.CreateKey(WelcomeSettingsKey);
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

bool MainWindowLogic::KeyLongEnough() const {
  const std::string key = ports_.keyField.KeyText();
  const auto characters = std::count_if(key.begin(), key.end(), [](char c) {
    return (static_cast<unsigned char>(c) & 0xC0) != 0x80;  // count UTF-8 lead bytes
  });
  return characters > minKeyLength_;
}

bool MainWindowLogic::EditorHasText() const { return !ports_.editor.Text().empty(); }

bool MainWindowLogic::IsPalettePicture() const {
  return view_.originalImage.Format() == PixelFormat::Indexed8;
}

void MainWindowLogic::EncryptActionListUpdate() {
  const bool keyOk = KeyLongEnough();
  const bool hasText = EditorHasText();
  canEncrypt_ = view_.encryptEnabled = imageLoaded_ && keyOk && hasText;
  canDecrypt_ = view_.decryptEnabled = imageLoaded_ && keyOk;
  view_.saveTextButtonEnabled = hasText;
  canSaveImage_ = view_.saveImageButtonEnabled = imageEncrypted_;
}

void MainWindowLogic::OpenPictureAccept(const std::string& fileName) {
  if (!ports_.files.Exists(fileName)) return;
  std::string loadError;
  bool loaded = false;
  if (UpperCase(ExtensionOf(fileName)).find("BMP") != std::string::npos) {
    BmpReadResult result;
    try {
      result = ports_.files.ReadPicture(fileName);
    } catch (const std::exception& error) {
      result.error = error.what();
    }
    // A picture of another depth, or one that cannot be read, leaves the
    // picture box empty; the depth check below then reports it.
    view_.originalImage = result.status == BmpStatus::Ok ? std::move(result.picture) : Picture();
    if (result.status == BmpStatus::Malformed) loadError = result.error;
    loaded = result.status == BmpStatus::Ok;
    imageLoaded_ = true;
  }
  if (view_.originalImage.Empty()) {
    view_.originalVisible = false;
    imageLoaded_ = false;
    ports_.messages.ShowError(messages::WrongDepth);
    if (!loadError.empty()) ports_.messages.ShowError(loadError);
    return;
  }
  if (imageLoaded_ && loaded) ShowLoadedPicture(fileName);
}

void MainWindowLogic::ShowLoadedPicture(const std::string& fileName) {
  view_.originalVisible = true;
  view_.originalHint = "Original imported image|" + FullPath(fileName);
  const bool palette = IsPalettePicture();
  view_.cryptControlsEnabled = !palette;
  view_.cryptHint = palette ? "8 Bit Image, Cipher disabled" : "Cipher Selection";
  const int digitsPerSymbol = palette ? 3 : 2;
  const auto capacity = (static_cast<std::int64_t>(view_.originalImage.Width()) - 2) *
                        view_.originalImage.Height() / digitsPerSymbol;
  ports_.editor.SetImageCapacity(static_cast<int>(std::clamp<std::int64_t>(capacity, 0, INT32_MAX)));
}

void MainWindowLogic::FileOpenAccept(const std::string& fileName) {
  Guarded([&] {
    if (ports_.files.Exists(fileName)) {
      const std::vector<std::uint8_t> bytes = ports_.files.ReadAll(fileName);
      ports_.editor.ReplaceText(TextFileToEditorText(std::string(bytes.begin(), bytes.end())));
    }
  });
  ports_.editor.ShowEditor();
}

void MainWindowLogic::FileSaveAsAccept(const std::string& fileName) {
  if (!EditorHasText()) return;
  if (ports_.files.Exists(fileName) && !ports_.messages.AskConfirmation(messages::ReplaceTextFile)) return;
  Guarded([&] {
    const std::string bytes = EditorTextToTextFile(ports_.editor.Text());
    ports_.files.WriteAtomically(
        fileName, std::span(reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size()));
    ports_.messages.ShowInformation(messages::FileSaved);
  });
}

std::string MainWindowLogic::EngineKey() {
  if (!IsPalettePicture()) return DeriveEngineKey(choice_, TrueColorKeyBytes(ports_.keyField.KeyText()));
  const std::string lowered = LowerCaseAnsi(EditorTextToWindows1252(ports_.keyField.KeyText()));
  ports_.keyField.SetKeyText(Windows1252ToEditorText(lowered));
  return lowered;
}

void MainWindowLogic::EncryptActionExecute() {
  if (!canEncrypt_) return;
  if (!imageLoaded_) return ports_.messages.ShowInformation(messages::LoadImageFirst);
  if (!EditorHasText()) return ports_.messages.ShowInformation(messages::EnterTextFirst);
  if (!KeyLongEnough()) {
    ports_.messages.ShowInformation(messages::KeyTooShort);
    return ports_.keyField.FocusKeyField();
  }
  if (view_.originalImage.Width() < 24 || view_.originalImage.Height() < 24)
    return ports_.messages.ShowInformation(messages::ImageTooSmall);
  if (IsPalettePicture()) {
    const std::string key = LowerCaseAnsi(EditorTextToWindows1252(ports_.keyField.KeyText()));
    const bool carried = std::all_of(key.begin(), key.end(), [](char c) {
      return PaletteAlphabet.encode[static_cast<unsigned char>(c)] != 0;
    });
    if (!carried) return ports_.messages.ShowInformation(messages::PaletteKeyUnsupported);
  }
  const std::string originalText = ports_.editor.Text();
  Guarded([&] {
    std::string key = EngineKey();
    EncryptedImageHolder target(view_.encryptedImage);
    bool failed = false;
    if (IsPalettePicture()) {
      PaletteTextAdapter text(ports_.editor);
      TEncryptor engine(view_.originalImage, target, key, text, ports_.messages);
      engine.SetText(text.Text());
      engine.Encrypt();
      failed = engine.Failed();
    } else {
      std::string keyBytes = TrueColorKeyBytes(ports_.keyField.KeyText());
      TEncryptor engine(view_.originalImage, target, key, ports_.editor, ports_.messages);
      ports_.editor.ReplaceText(
          EncipherText(choice_, keyBytes, EditorTextToCipherBytes(originalText)));
      ScrubString(keyBytes);
      engine.SetText(ports_.editor.Text());
      engine.Encrypt();
      failed = engine.Failed();
    }
    ScrubString(key);
    // A refused text stays the user's text, not its cipher text or reduction.
    if (failed) ports_.editor.ReplaceText(originalText);
    imageEncrypted_ = true;
    if (!failed) ports_.messages.ShowInformation(messages::EncryptDone);
    view_.encryptedHint = "Encrypted image|Stego encrypted image";
  });
}

void MainWindowLogic::DecryptActionExecute() {
  if (!canDecrypt_) return;
  Guarded([&] {
    std::string key = EngineKey();
    EncryptedImageHolder target(view_.encryptedImage);
    if (IsPalettePicture()) {
      PaletteTextAdapter text(ports_.editor);
      TEncryptor engine(view_.originalImage, target, key, text, ports_.messages);
      engine.Decrypt();
      if (!engine.ResultText().empty()) {
        ports_.editor.ShowEditor();
        ports_.editor.ReplaceText(Windows1252ToEditorText(engine.ResultText()));
        ports_.editor.FocusEditor();
      }
    } else {
      TEncryptor engine(view_.originalImage, target, key, ports_.editor, ports_.messages);
      engine.Decrypt();
      if (!engine.ResultText().empty()) {
        ports_.editor.ShowEditor();
        std::string keyBytes = TrueColorKeyBytes(ports_.keyField.KeyText());
        const ByteString plain = DecipherText(choice_, keyBytes, engine.ResultText());
        ScrubString(keyBytes);
        ports_.editor.ReplaceText(CipherBytesToEditorText(plain));
        ports_.editor.FocusEditor();
      }
    }
    ScrubString(key);
  });
}

void MainWindowLogic::SaveImageActionExecute() {
  if (!canSaveImage_) return;
  const bool palette = view_.encryptedImage.Format() == PixelFormat::Indexed8;
  std::optional<std::string> chosen =
      ports_.dialogs.RunSaveDialog(palette ? dialogs::SaveBitmap : dialogs::SavePicture);
  if (!chosen) return;
  std::string fileName = *chosen;
  if (!palette) {
    // A 24- or 32-bit picture is never reported saved without being written.
    const std::string extension = ExtensionOf(fileName);
    if (extension.empty()) {
      fileName += ".bmp";
    } else if (UpperCase(extension).find("BMP") == std::string::npos) {
      return ports_.messages.ShowError(messages::PictureNeedsBmpName);
    }
  }
  if (ports_.files.Exists(fileName) && !ports_.messages.AskConfirmation(messages::ReplacePicture)) return;
  Guarded([&] { SavePictureTo(fileName); });
}

void MainWindowLogic::SavePictureTo(const std::string& fileName) {
  ports_.files.WritePictureAtomically(fileName, view_.encryptedImage);
  view_.encryptedHint = "Encrypted Image|" + fileName;
  ports_.messages.ShowInformation(messages::PictureSaved);
}

}  // namespace hushlake
