#pragma once
// The main window's workflow without the window: its state, the enable
// rules and the action handlers with their checks, order of steps and
// messages. The desktop window draws what this decides and forwards every
// user action here. Opening, encrypting, decrypting and saving pictures are
// the job layer's (app/stego_job.h), which the command line calls too: this
// presents its outcomes in the window's words.
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "app/engine_messages.h"
#include "app/ports.h"
#include "app/stego_job.h"
#include "app/text_cipher.h"
#include "app/workflow_messages.h"
#include "crypto/sealed/sodium_box.h"
#include "crypto/secret.h"
#include "stego/picture.h"
#include "stego/picture/picture_files.h"
#include "stego/random_source.h"
#include "stego/sealed/sealed_content.h"

namespace hushlake {

namespace dialogs {
inline constexpr FileDialogSettings OpenPicture{
    "Open image", "Pictures|*.bmp;*.png|Bitmaps (*.bmp)|*.bmp|PNG pictures (*.png)|*.png", "*.bmp",
    ""};
inline constexpr FileDialogSettings OpenText{
    "Open text file to be encrypted ",
    "All Supported|*.txt;*.htm;*.html|HTM(*.htm)|*.htm|HTML(*.html)|*.html|Text file (*.txt)|*.txt",
    "*.txt", ""};
inline constexpr FileDialogSettings SaveText{
    "Save decrypted text", "Text file (*.txt)|*.txt|HTM(*.htm)|*.htm|HTML(*.html)|*.html", "*.txt",
    "Decrypted Text"};
inline constexpr FileDialogSettings SavePicture{
    "Save Encrypted Image", "Bitmaps (*.bmp)|*.bmp|PNG pictures (*.png)|*.png", "*.bmp", ""};
inline constexpr FileDialogSettings SaveBitmap{
    "Save Encrypted Bitmap", "Bitmaps (*.bmp)|*.bmp|PNG pictures (*.png)|*.png", "*.bmp", ""};
// The same for a picture opened from a PNG file: PNG is offered first.
inline constexpr FileDialogSettings SavePictureAsPng{
    "Save Encrypted Image", "PNG pictures (*.png)|*.png|Bitmaps (*.bmp)|*.bmp", "*.png", ""};
inline constexpr FileDialogSettings SaveBitmapAsPng{
    "Save Encrypted Bitmap", "PNG pictures (*.png)|*.png|Bitmaps (*.bmp)|*.bmp", "*.png", ""};
}  // namespace dialogs

inline constexpr std::string_view WelcomeSettingsKey = "Software\\Varnel\\welcome";

struct MainWindowPorts {
  MessageBoxes& messages;
  TextEditorPort& editor;
  KeyFieldPort& keyField;
  SettingsStore& settings;
  FileStore& files;
  FileDialogs& dialogs;
};

// What the window shows besides the ports and the two pictures
// (MainWindowLogic::OriginalImage and EncryptedImage): the pictures' hints,
// the algorithm controls and the enabled state of the actions and buttons.
struct MainWindowView {
  bool originalVisible = false;
  // The last picture opened could not be read at all (a broken, truncated or
  // oversized file), as opposed to being of a kind the engine cannot use.
  bool originalBroken = false;
  std::string originalHint;
  std::string encryptedHint;
  bool cryptControlsEnabled = true;
  std::string cryptHint = "Cipher Selection";
  std::string choiceLabel;
  bool encryptEnabled = false;
  bool decryptEnabled = false;
  bool saveTextButtonEnabled = false;
  bool saveImageButtonEnabled = false;
};

// Every public handler is safe to call from a toolkit's slot: no exception
// leaves it; an error ends the action and reaches the error message port.
class MainWindowLogic {
 public:
  // Clock seeds this window's own random source (tests fix it); empty parts
  // are the system's.
  explicit MainWindowLogic(MainWindowPorts ports, EngineClock clock = {});

  // Shown runs whenever a handler has changed the view and is about to tell
  // the user about it in a message: the window draws the change first, so
  // the message never speaks of a result the window does not show yet.
  void OnViewChanged(std::function<void()> shown) { viewChanged_ = std::move(shown); }

  void FormCreate();
  void FormShow();
  // The enable rules; the window runs them whenever it is idle.
  void EncryptActionListUpdate();

  // Open Img, Open Text and Save Text: each runs its dialog and hands the
  // chosen file to its Accept handler; a cancelled dialog changes nothing.
  void OpenPictureExecute();
  void FileOpenExecute();
  void FileSaveAsExecute();

  void OpenPictureAccept(const std::string& fileName);
  void FileOpenAccept(const std::string& fileName);
  void FileSaveAsAccept(const std::string& fileName);
  void EncryptActionExecute();
  void DecryptActionExecute();
  void SaveImageActionExecute();

  // Sealed pictures instead of the classic format: Encrypt and Decrypt follow
  // it, and the three lists are off while it is on.
  void SetSealed(bool sealed);
  bool Sealed() const { return sealed_; }
  // Hide a file: Encrypt of a file the open dialog chooses instead of the
  // editor's text, sealed with its name; only while Sealed is on, with a
  // picture loaded and the key long enough.
  bool CanHideFile() const { return sealed_ && canDecrypt_; }
  void HideFileExecute();
  // The key derivation of sealed pictures; the format's own unless a test
  // gives a cheaper one (which must outlive this object).
  void UseKeyStretcher(const sealed::KeyStretcher& stretcher) { stretcher_ = &stretcher; }

  // The three lists: setting one updates the label.
  const CipherChoice& Choice() const { return choice_; }
  void SetChoice(const CipherChoice& choice);
  void UpdateChoiceLabel();

  const MainWindowView& View() const { return view_; }
  // The picture Open Img loaded (empty: none), and the one Encrypt made,
  // which stays until the next Encrypt.
  const Picture& OriginalImage() const { return job_.Original(); }
  const Picture& EncryptedImage() const { return job_.Result(); }
  // What the loaded picture's file keeps when the picture is saved: its kind
  // (for a name without extension), PNG chunks, BMP headers; a saved picture
  // differs from its source only in pixels.
  const SourceFileInfo& OriginalSource() const { return job_.Source(); }
  bool ImageLoaded() const { return imageLoaded_; }
  bool ImageEncrypted() const { return imageEncrypted_; }
  bool CanEncrypt() const { return canEncrypt_; }
  bool CanDecrypt() const { return canDecrypt_; }
  bool CanSaveImage() const { return canSaveImage_; }
  int MinKeyLength() const { return minKeyLength_; }
  // Whether the loaded picture has 8 bits per pixel.
  bool IsPalettePicture() const;
  // Whether the last Decrypt of a 24- or 32-bit picture deciphered UTF-8,
  // as Encrypt writes every text (not: Windows-1252, as older versions did,
  // or the bytes of a wrong cipher or mode).
  bool DecipheredUtf8() const { return decipheredUtf8_; }

 private:
  // The key field's text, read once per action into an owner that wipes it.
  SecretString ReadKeyField() const;
  bool KeyLongEnough(std::string_view keyText) const;
  bool EditorHasText() const;
  // An 8-bit picture's key is the key field's text lower-cased, and the
  // field shows it so.
  void LowerPaletteKeyField(std::string_view keyText);
  void OpenPicture(const std::string& fileName);
  void Encrypt();
  void RestoreEditorText(const SecretString& text);
  void Decrypt();
  void EncryptSealed(const SecretString& keyText);
  void HideFile();
  void SealIntoResult(const SecretString& keyText, const sealed::SealedContent& content);
  void DecryptSealed(const SecretString& keyText);
  void ShowCryptControls();
  void SaveImage();
  void ShowLoadedPicture(const std::string& fileName);
  void SavePictureTo(const SaveTarget& target);
  template <class Action>
  void Guarded(Action&& action);
  void ReportError(std::string_view message) noexcept;
  void PublishView();
  using DialogRun = std::optional<std::string> (FileDialogs::*)(const FileDialogSettings&);
  using AcceptHandler = void (MainWindowLogic::*)(const std::string&);
  void RunDialogThen(DialogRun run, const FileDialogSettings& dialog, AcceptHandler accept);

  MainWindowPorts ports_;
  std::function<void()> viewChanged_;
  // The two pictures and the work on them.
  PictureJob job_;
  MainWindowView view_;
  CipherChoice choice_;
  bool imageLoaded_ = false;
  bool imageEncrypted_ = false;
  bool canEncrypt_ = false;
  bool canDecrypt_ = false;
  bool canSaveImage_ = false;
  bool decipheredUtf8_ = false;
  int minKeyLength_ = 8;
  bool sealed_ = false;
  sealed::Argon2idStretcher formatStretcher_;
  const sealed::KeyStretcher* stretcher_ = &formatStretcher_;
};

}  // namespace hushlake
