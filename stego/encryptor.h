#pragma once
// The steganography engine. One object per Encrypt or Decrypt: created with
// the source picture, the picture holder for the result and the key, run
// once, and freed.
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "stego/engine_ports.h"
#include "stego/picture.h"

namespace hushlake {

inline constexpr std::string_view PixelDepthMessage =
    "Improper Pixel Depth\nImage may have either 8, 24 or 32 bits per pixel";
inline constexpr std::string_view CapacityMessage =
    "The text to be encrypted is longer than the image size\n"
    "Please specify a larger image or reduce the amount of text";
inline constexpr std::string_view PaletteKeyMessage = "This is not valid key";
inline constexpr std::string_view TrueColorKeyMessage =
    "This is not valid key\nor wrong Hash Algorithm";
// Shown by the final check of either picture kind.
inline constexpr std::string_view FinalCheckMessage = TrueColorKeyMessage;

class TEncryptor {
 public:
  // Makes Source even-sized in place (bottom row, then rightmost column). The
  // source must outlive the engine and stay unchanged while it lives: Decrypt
  // reads it directly, and Encrypt takes its working copy from it.
  TEncryptor(Picture& source, PictureHolder& target, std::string key, TextHolder& textHolder,
             MessageSink& messages);
  ~TEncryptor();
  TEncryptor(const TEncryptor&) = delete;
  TEncryptor& operator=(const TEncryptor&) = delete;

  // The text to hide, as the caller had it: the capacity check uses it,
  // while the stream takes the text holder's text (reduced first for 8 bits).
  void SetText(std::string text) { text_ = std::move(text); }
  const std::string& Text() const { return text_; }

  // Hides Key and the text; on success the target receives the picture.
  void Encrypt();
  // Reads the hidden text; ResultText() is empty when none was found.
  void Decrypt();

  bool Failed() const { return failed_; }
  const std::string& ResultText() const { return resultText_; }

 private:
  enum class Coding { Indexed, TrueColor };
  bool StartRun(Coding& coding);
  bool RefusedForCapacity(std::int64_t positions, std::size_t streamLength);
  void EncryptPalette();
  void EncryptTrueColor();
  void DecryptWith(Coding coding);

  Picture& source_;
  PictureHolder& target_;
  TextHolder& textHolder_;
  MessageSink& messages_;
  std::string key_;
  std::int64_t keyLength_;
  std::string text_;
  std::string resultText_;
  bool failed_ = false;
  bool used_ = false;
};

}  // namespace hushlake
