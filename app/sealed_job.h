#pragma once
// Sealed pictures as the front ends use them: typed requests in, typed
// outcomes out, each with the one message a user sees. Files are read and
// written here; the format itself lives in stego/sealed/.
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "crypto/sealed/sodium_box.h"
#include "crypto/secret.h"
#include "stego/picture/picture_files.h"
#include "stego/sealed/sealed_picture.h"

namespace hushlake {

enum class SealedJobStatus {
  Done,
  PictureUnreadable,  // not a BMP or PNG the readers take
  PalettePicture,     // 8 bits per pixel
  KeyTooShort,
  TooLarge,       // refused before the key derivation
  NothingOpens,   // wrong key, no sealed content, or a changed picture
  TargetRefused,  // no picture extension, or an existing file without force
  WriteFailed,
};

namespace sealed_messages {
inline constexpr std::string_view PalettePicture =
    "A sealed text needs a 24-bit picture (or 32-bit): an 8-bit palette picture cannot hold "
    "one. Save the picture as a 24-bit BMP or an RGB PNG first";
inline constexpr std::string_view NothingOpens =
    "Nothing sealed opens with this key: the key is wrong, the picture holds no sealed text, "
    "or the picture was changed";
inline constexpr std::string_view KeyTooShort = "The key must be at least 9 characters long";
}  // namespace sealed_messages

// The smallest number of characters (UTF-8 code points) a key may have.
inline constexpr std::size_t kShortestSealedKey = 9;
std::size_t KeyCharacters(std::string_view key);

struct SealedEncryptRequest {
  std::string picturePath;
  std::string outPath;
  bool force = false;
};

struct SealedEncryptOutcome {
  SealedJobStatus status = SealedJobStatus::Done;
  std::string message;  // empty when Done
  sealed::SealedCapacity capacity;
  std::uint64_t packedBytes = 0;
  bool aboveSafe = false;
  std::string savedPath;
  bool Succeeded() const { return status == SealedJobStatus::Done; }
};

// Reads the cover, seals the content and writes the sealed picture (nothing is
// written unless every step succeeded). Every header, chunk and palette byte
// of the cover is kept when the output is of the same kind.
SealedEncryptOutcome RunSealedEncrypt(const SealedEncryptRequest& request,
                                      const sealed::SealedContent& content, const SecretString& key,
                                      const sealed::KeyStretcher& stretcher);

struct SealedDecryptOutcome {
  SealedJobStatus status = SealedJobStatus::Done;
  std::string message;
  sealed::SealedContent content;
  bool Succeeded() const { return status == SealedJobStatus::Done; }
};

SealedDecryptOutcome RunSealedDecrypt(const std::string& picturePath, const SecretString& key,
                                      const sealed::KeyStretcher& stretcher);
// The same for a picture already read.
SealedDecryptOutcome OpenSealedPicture(const Picture& picture, const SecretString& key,
                                       const sealed::KeyStretcher& stretcher);

struct SealedCapacityOutcome {
  SealedJobStatus status = SealedJobStatus::Done;
  std::string message;
  int width = 0;
  int height = 0;
  PixelFormat format = PixelFormat::Bgr24;
  sealed::SealedCapacity capacity;
};
SealedCapacityOutcome RunSealedCapacity(const std::string& picturePath);

// The name under which a stored file is written: only its last part (after
// any '/' or '\'); nothing when that is empty, "." or "..", or holds a
// control character or a mark that turns the direction of the text.
std::optional<std::string> SafeStoredName(std::string_view stored);

}  // namespace hushlake
