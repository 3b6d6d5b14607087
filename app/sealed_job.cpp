#include "app/sealed_job.h"

#include <filesystem>

namespace hushlake {
namespace {

std::string ReadFailure(const PictureReadResult& read, const std::string& path) {
  return "Cannot read the picture \"" + path + "\": " + read.error;
}

std::string TooLargeMessage(std::uint64_t packed, std::uint64_t largest) {
  return "Too large for a sealed picture: the content packs into " + std::to_string(packed) +
         " bytes, and this picture takes at most " + std::to_string(largest);
}

}  // namespace

std::size_t KeyCharacters(std::string_view key) {
  std::size_t count = 0;
  for (char c : key) count += (static_cast<unsigned char>(c) & 0xC0u) != 0x80u;
  return count;
}

SealedEncryptOutcome RunSealedEncrypt(const SealedEncryptRequest& request,
                                      const sealed::SealedContent& content, const SecretString& key,
                                      const sealed::KeyStretcher& stretcher) {
  SealedEncryptOutcome outcome;
  const auto refuse = [&](SealedJobStatus status, std::string message) {
    outcome.status = status;
    outcome.message = std::move(message);
    return outcome;
  };
  if (KeyCharacters(key.View()) < kShortestSealedKey)
    return refuse(SealedJobStatus::KeyTooShort, std::string(sealed_messages::KeyTooShort));
  PictureReadResult read = ReadPictureFile(request.picturePath);
  if (read.status != PictureReadStatus::Ok)
    return refuse(SealedJobStatus::PictureUnreadable, ReadFailure(read, request.picturePath));
  if (read.picture.Format() == PixelFormat::Indexed8)
    return refuse(SealedJobStatus::PalettePicture, std::string(sealed_messages::PalettePicture));
  const std::optional<SaveTarget> target = ChooseSaveTarget(request.outPath, read.kind);
  if (!target)
    return refuse(SealedJobStatus::TargetRefused,
                  "A picture is saved as .bmp or .png: \"" + request.outPath + "\" is neither");
  std::error_code error;
  if (!request.force && std::filesystem::exists(target->path, error))
    return refuse(SealedJobStatus::TargetRefused,
                  "\"" + target->path + "\" exists; --force replaces it");

  // Weighed before the key derivation: a refusal costs no waiting.
  const SecretBytes packed = sealed::PackContent(content);
  const sealed::SealOutcome sealedOutcome =
      sealed::SealPackedIntoPicture(read.picture, packed, key.View(), stretcher);
  outcome.capacity = sealedOutcome.capacity;
  outcome.packedBytes = sealedOutcome.packedBytes;
  outcome.aboveSafe = sealedOutcome.aboveSafe;
  if (sealedOutcome.status == sealed::SealedStatus::TooLarge)
    return refuse(SealedJobStatus::TooLarge,
                  TooLargeMessage(outcome.packedBytes, outcome.capacity.largestBytes));
  try {
    WritePictureFile(read.picture, *target, read.source);
  } catch (const PictureWriteError& failure) {
    return refuse(SealedJobStatus::WriteFailed, failure.what());
  }
  outcome.savedPath = target->path;
  return outcome;
}

SealedDecryptOutcome OpenSealedPicture(const Picture& picture, const SecretString& key,
                                       const sealed::KeyStretcher& stretcher) {
  SealedDecryptOutcome outcome;
  if (picture.Format() == PixelFormat::Indexed8) {
    outcome.status = SealedJobStatus::PalettePicture;
    outcome.message = sealed_messages::PalettePicture;
    return outcome;
  }
  sealed::OpenOutcome opened = sealed::OpenFromPicture(picture, key.View(), stretcher);
  if (!opened.Succeeded()) {
    outcome.status = SealedJobStatus::NothingOpens;
    outcome.message = sealed_messages::NothingOpens;
    return outcome;
  }
  outcome.content = std::move(opened.content);
  return outcome;
}

SealedDecryptOutcome RunSealedDecrypt(const std::string& picturePath, const SecretString& key,
                                      const sealed::KeyStretcher& stretcher) {
  const PictureReadResult read = ReadPictureFile(picturePath);
  if (read.status != PictureReadStatus::Ok) {
    SealedDecryptOutcome outcome;
    outcome.status = SealedJobStatus::PictureUnreadable;
    outcome.message = ReadFailure(read, picturePath);
    return outcome;
  }
  return OpenSealedPicture(read.picture, key, stretcher);
}

SealedCapacityOutcome RunSealedCapacity(const std::string& picturePath) {
  SealedCapacityOutcome outcome;
  const PictureReadResult read = ReadPictureFile(picturePath);
  if (read.status != PictureReadStatus::Ok) {
    outcome.status = SealedJobStatus::PictureUnreadable;
    outcome.message = ReadFailure(read, picturePath);
    return outcome;
  }
  outcome.width = read.picture.Width();
  outcome.height = read.picture.Height();
  outcome.format = read.picture.Format();
  if (outcome.format == PixelFormat::Indexed8) {
    outcome.status = SealedJobStatus::PalettePicture;
    outcome.message = sealed_messages::PalettePicture;
    return outcome;
  }
  outcome.capacity = sealed::CapacityOf(read.picture);
  return outcome;
}

namespace {

// U+061C, U+200E, U+200F, U+202A to U+202E and U+2066 to U+2069, in UTF-8.
constexpr std::string_view DirectionMarks[] = {
    "\xd8\x9c",     "\xe2\x80\x8e", "\xe2\x80\x8f", "\xe2\x80\xaa", "\xe2\x80\xab", "\xe2\x80\xac",
    "\xe2\x80\xad", "\xe2\x80\xae", "\xe2\x81\xa6", "\xe2\x81\xa7", "\xe2\x81\xa8", "\xe2\x81\xa9"};

}  // namespace

std::optional<std::string> SafeStoredName(std::string_view stored) {
  const std::size_t cut = stored.find_last_of("/\\");
  const std::string_view name = cut == std::string_view::npos ? stored : stored.substr(cut + 1);
  if (name.empty() || name == "." || name == "..") return std::nullopt;
  for (std::size_t i = 0; i < name.size(); ++i) {
    const auto byte = static_cast<unsigned char>(name[i]);
    if (byte < 0x20 || byte == 0x7F) return std::nullopt;
    // U+0080..U+009F, the second set of control characters, in UTF-8.
    if (byte == 0xC2 && i + 1 < name.size() &&
        (static_cast<unsigned char>(name[i + 1]) & 0xE0u) == 0x80u)
      return std::nullopt;
  }
  // Marks that turn the direction of the text around show "exe.txt" for a
  // name that ends in ".exe"; a file's real name must be what is shown.
  for (const std::string_view mark : DirectionMarks)
    if (name.find(mark) != std::string_view::npos) return std::nullopt;
  return std::string(name);
}

}  // namespace hushlake
