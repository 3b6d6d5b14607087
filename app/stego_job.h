#pragma once
// The work behind both front ends, without any of their ways of talking:
// typed requests in, typed outcomes out. A window presents the outcomes in
// its message boxes and editor; the command line words them for a terminal.
// A job holds one picture, opened for one use, and what Encrypt made of it.
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "app/detect.h"
#include "app/ports.h"
#include "app/text_cipher.h"
#include "crypto/secret.h"
#include "stego/capacity.h"
#include "stego/encryptor.h"
#include "stego/picture/bmp/bmp_codec.h"
#include "stego/picture/picture_files.h"
#include "stego/picture/picture_stream.h"
#include "stego/pixel_view.h"
#include "stego/random_source.h"

namespace hushlake {

// Where a picture comes from: a file, or bytes already read (standard
// input), with a name for messages. Bytes are read as BMP or PNG by what
// they are.
struct PictureSource {
  std::string name;
  std::optional<std::vector<std::uint8_t>> bytes;

  static PictureSource File(std::string path) { return {std::move(path), std::nullopt}; }
  static PictureSource Bytes(std::string name, std::vector<std::uint8_t> bytes) {
    return {std::move(name), std::move(bytes)};
  }
};

// What the picture is opened for; the cheapest way to serve that is taken.
enum class PictureUse {
  // Encrypt and Decrypt any number of times: the job keeps its own copy.
  Edit,
  // One Encrypt, then a save: the copy itself becomes the encrypted picture.
  EncryptOnce,
  // One Encrypt, then a save to a file: a BMP file whose rows and other bytes
  // can all be kept is not read; Encrypt only plans its changes, and Save
  // makes them to the rows on their way from the source file to the new one.
  // Other pictures are served as with EncryptOnce.
  EncryptFromFile,
  // Only reading (Decrypt, detect, figures): a file's pixels are read where
  // they lie when its rows allow that.
  ReadOnly,
};

enum class JobStatus {
  Done,
  PictureMissing,    // Open: no file of that name
  PictureRefused,    // Open: not a picture this tool reads; see message and reason
  NoText,            // Encrypt: the text is empty
  KeyTooShort,       // the key has fewer than MinKeyLength + 1 characters
  PictureTooSmall,   // Encrypt: under 24 pixels on a side
  KeyNotCarried,     // Encrypt: an 8-bit picture's alphabet lacks a key character
  TextTooLong,       // Encrypt: the engine's capacity check refused the text
  KeyRejected,       // Decrypt: the key (or, on 24 and 32 bits, the hash) is wrong
  NothingFound,      // Decrypt: what was read is no hidden text
  UnsupportedDepth,  // the engine cannot use the picture's depth
};

struct JobOutcome {
  JobStatus status = JobStatus::Done;
  // The window's words for Status (empty when Done or PictureMissing).
  std::string message;
  // PictureRefused: the reader's reason, when it gave one.
  std::string reason;
  // Whether the window shows Message too beside Reason: only for a PNG of
  // another kind. A file that cannot be read at all (cut short, a CRC
  // error, too large, a broken header) is of no other depth or kind, and
  // its reason alone says what is wrong.
  bool messageBesideReason = false;
  // The engine's figures, when it ran.
  std::int64_t positionsAvailable = 0;
  std::int64_t symbolsNeeded = 0;
  // Encrypt: the text as the editor holds it afterwards (the cipher text on
  // 24 and 32 bits, the reduced text on 8). Decrypt: the text found, as
  // editor text (empty: the picture hides an empty text).
  SecretString text;
  // Decrypt on 24 and 32 bits: the deciphered bytes were UTF-8, as Encrypt
  // writes every text (else Windows-1252, as older versions did, or the
  // bytes of a wrong cipher or mode).
  bool decipheredUtf8 = false;

  bool Succeeded() const { return status == JobStatus::Done; }
};

struct EncryptRequest {
  CipherChoice choice;  // unused for 8-bit pictures
  SecretString key;     // as typed (UTF-8)
  SecretString text;    // editor text (UTF-8)
};

struct DecryptRequest {
  CipherChoice choice;  // unused for 8-bit pictures
  SecretString key;     // as typed (UTF-8)
};

// No picture file this tool reads is larger (bytes).
inline constexpr std::uint64_t kMaxPictureFileBytes = kBmpMaxFileBytes;

// The target a picture saved under Name goes to, the name used as given: its
// extension (.bmp or .png, in any case) chooses the kind, and a name without
// one gets SourceKind. None for any other extension.
std::optional<SaveTarget> SaveTargetAsGiven(std::string_view name, PictureFileKind sourceKind);

// What a picture file's header tells: its size and format, and for a PNG
// the chunks a save keeps and those it leaves out (as words, empty: none).
struct HeaderFacts {
  PictureShape shape;
  std::string kept;
  std::string dropped;
};

// The facts of a BMP or PNG file whose header this tool accepts, from its
// header and chunks alone; no pixel is read or decoded.
std::optional<HeaderFacts> FactsFromHeader(const std::string& path);

// A picture's bytes from a stream of unknown length (standard input), read
// only as far as its header justifies: the first kStreamProbeBytes must start
// a BMP or PNG, whose header then bounds the rest; what follows is not read.
std::vector<std::uint8_t> ReadPictureStreamBytes(const ReadStreamBytes& read);

// Bits per pixel of a shape's format (8, 24 or 32).
int BitsPerPixel(PixelFormat format);

// The longest key Encrypt and Decrypt refuse, in characters.
inline constexpr int MinKeyLength = 8;
bool KeyLongEnough(std::string_view keyText, int minKeyLength = MinKeyLength);

class PictureJob {
 public:
  // Clock seeds the job's random source (tests fix it); empty parts are the system's.
  explicit PictureJob(FileStore& files, EngineClock clock = {});
  ~PictureJob();
  PictureJob(const PictureJob&) = delete;
  PictureJob& operator=(const PictureJob&) = delete;

  // Opens a picture, dropping the last one and the changes planned for it.
  // A file is BMP or PNG by its bytes, whatever its name. A picture Encrypt
  // made stays the result until the next Encrypt, saved with what it keeps
  // of the file it was made from (a window shows it and may still save it).
  // Errors of the file system raise std::runtime_error naming the file.
  JobOutcome Open(const PictureSource& source, PictureUse use);

  bool Loaded() const;
  // The picture's pixels, wherever they are: its size and format may be
  // looked at here, its pixels only through ReadPixels.
  PixelView Pixels() const;
  PictureShape Shape() const { return ShapeOf(Pixels()); }
  // The job's own copy of the picture (empty when its pixels are read in place).
  const Picture& Original() const { return picture_; }
  bool Palette() const { return Loaded() && Pixels().Format() == PixelFormat::Indexed8; }
  // What saving keeps of the file the picture came from (its kind among it).
  const SourceFileInfo& Source() const { return source_; }
  // The chunks of a PNG file that saving keeps unchanged, as words (empty: none).
  std::string KeptChunks() const;
  // The chunks of a PNG file that a save leaves out (animation, chunks that
  // depend on the pixels, chunks over the caps), as words (empty: none).
  std::string DroppedChunks() const;
  // Runs Reader on the pixels; pixels read in place are guarded (a file cut
  // short while it is read raises std::runtime_error naming it).
  void ReadPixels(const std::function<void(const PixelView&)>& reader) const;
  // Whether Encrypt can work on this picture at all (a picture opened
  // ReadOnly in place cannot).
  bool CanEncrypt() const;

  // Hides the text; on success the job holds the result until Save.
  JobOutcome Encrypt(const EncryptRequest& request);
  bool HasResult() const;
  // The encrypted picture (empty while only planned changes are held).
  const Picture& Result() const { return encrypted_; }
  // What saving the result keeps of the file it was made from.
  const SourceFileInfo& ResultSource() const;
  // Holds a picture made from this one by other means (a sealed picture) as
  // the result, saved as Encrypt's would be.
  void KeepResult(Picture result);
  // Drops the result, so that a save can only save what comes next.
  void DropResult();
  // Writes the result in Target's kind, whole or not at all; raises
  // std::runtime_error naming the file on failure.
  void Save(const SaveTarget& target);
  // The result as the bytes of a file of Kind.
  std::vector<std::uint8_t> EncodeResult(PictureFileKind kind) const;

  JobOutcome Decrypt(const DecryptRequest& request) const;
  // The hash, cipher and mode the text was hidden with (24 and 32 bits).
  Detection Detect(std::string_view keyText) const;

 private:
  JobOutcome OpenInPlace(const std::string& name, PictureUse use, bool& opened);
  void SavePlanned(const SaveTarget& target);
  Picture EvenSizedCopy() const;

  FileStore& files_;
  RandomSource random_;
  PictureUse use_ = PictureUse::Edit;
  Picture picture_;
  SourceFileInfo source_;
  std::optional<PictureInPlace> inPlace_;
  std::optional<BmpRewriteLayout> rewriteLayout_;
  Picture encrypted_;
  // Set when the result was made from a picture opened before this one.
  std::optional<SourceFileInfo> resultSource_;
  std::unique_ptr<PixelChanges> planned_;
};

}  // namespace hushlake
