#pragma once
// The steganography engine. One object per Encrypt or Decrypt: created with
// the source picture, the picture holder for the result, the key and the
// random source of the front end that runs it, run once, and freed. It shows
// nothing: each run returns an outcome, and the front end words it.
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

#include "crypto/secret.h"
#include "stego/engine_ports.h"
#include "stego/picture.h"
#include "stego/pixel_changes.h"
#include "stego/pixel_view.h"
#include "stego/random_source.h"

namespace hushlake {

enum class EngineStatus {
  Done,              // Encrypt: the target holds the picture; Decrypt: Text holds what was hidden
  TextTooLong,       // Encrypt refused the text: positions < symbolsNeeded
  KeyRejected,       // Decrypt: the key part at a separator is not the key
  NothingFound,      // Decrypt: what was read does not split into key and text
  UnsupportedDepth,  // the picture is neither 8, 24 nor 32 bits per pixel
};

struct EngineOutcome {
  EngineStatus status = EngineStatus::Done;
  // Pixel positions the picture offers the stream.
  std::int64_t positionsAvailable = 0;
  // Encrypt: positions the text with the key needs (text + key + 5).
  std::int64_t symbolsNeeded = 0;
  // Decrypt: the hidden text (empty unless Done).
  SecretString text;

  bool Succeeded() const { return status == EngineStatus::Done; }
};

class TEncryptor {
 public:
  // Makes Source even-sized in place (bottom row, then rightmost column). The
  // source must outlive the engine and stay unchanged while it lives: Decrypt
  // reads it directly, and Encrypt takes its working copy from it. Random
  // (noise, palette duplicates) belongs to the caller and outlives the engine.
  TEncryptor(Picture& source, PictureHolder& target, SecretString key, TextHolder& textHolder,
             RandomSource& random);
  TEncryptor(const TEncryptor&) = delete;
  TEncryptor& operator=(const TEncryptor&) = delete;

  // The text to hide, as the caller had it: the capacity check uses its
  // length, while the stream takes the text holder's text (reduced first for
  // 8 bits).
  void SetTextLength(std::size_t characters) { textLength_ = characters; }

  // For a caller with no use for the source once Encrypt has run: the source
  // itself becomes the working picture that the target receives, so no
  // second picture-sized buffer is made. After a successful Encrypt the
  // source is empty; a refused one leaves it as it was.
  void WorkInSource() { workInSource_ = true; }

  // Hides Key and the text; on success the target receives the picture.
  [[nodiscard]] EngineOutcome Encrypt();
  // Reads the hidden text.
  [[nodiscard]] EngineOutcome Decrypt();

 private:
  void MarkUsed();
  Picture TakeWorkingCopy();

  Picture& source_;
  PictureHolder& target_;
  TextHolder& textHolder_;
  RandomSource& random_;
  SecretString key_;
  std::size_t textLength_ = 0;
  bool used_ = false;
  bool workInSource_ = false;
};

// Encrypt as changes that the picture's holder makes (see PixelChanges),
// for a picture of this size, format and palette, already even-sized: its
// pixels are not looked at. Text holds the text to hide (reduced in place on
// 8 bits, as Encrypt does); TextLength is that text as the caller announced
// it, for the capacity check. Random is seeded and left as Encrypt leaves it.
// Changes is null unless the outcome succeeded.
struct EncryptPlan {
  EngineOutcome outcome;
  std::unique_ptr<PixelChanges> changes;
};
[[nodiscard]] EncryptPlan PlanEncrypt(const PixelView& picture, SecretString key, TextHolder& text,
                                      std::size_t textLength, RandomSource& random);

// Decrypt of pixels that need not be held in a Picture (a file's own pixel
// array, read where it lies): the outcome of TEncryptor's Decrypt on the
// picture they show, odd sizes trimmed the same way.
[[nodiscard]] EngineOutcome DecryptPixels(const PixelView& pixels, SecretString key);

}  // namespace hushlake
