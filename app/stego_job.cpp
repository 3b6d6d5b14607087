#include "app/stego_job.h"

#include <algorithm>
#include <exception>

#include "app/engine_messages.h"
#include "app/key_bytes.h"
#include "app/text_encoding.h"
#include "app/workflow_messages.h"
#include "stego/picture/bmp/bmp_codec.h"
#include "stego/picture/png/png_codec.h"

namespace hushlake {

namespace {

JobOutcome Refused(JobStatus status, std::string_view message) {
  JobOutcome outcome;
  outcome.status = status;
  outcome.message = std::string(message);
  return outcome;
}

JobStatus StatusOf(EngineStatus status) {
  switch (status) {
    case EngineStatus::Done:
      return JobStatus::Done;
    case EngineStatus::TextTooLong:
      return JobStatus::TextTooLong;
    case EngineStatus::KeyRejected:
      return JobStatus::KeyRejected;
    case EngineStatus::NothingFound:
      return JobStatus::NothingFound;
    case EngineStatus::UnsupportedDepth:
      return JobStatus::UnsupportedDepth;
  }
  return JobStatus::UnsupportedDepth;
}

JobOutcome OutcomeOf(const EngineOutcome& engine, bool palette) {
  JobOutcome outcome;
  outcome.status = StatusOf(engine.status);
  outcome.positionsAvailable = engine.positionsAvailable;
  outcome.symbolsNeeded = engine.symbolsNeeded;
  if (const auto message = EngineMessage(engine.status, palette)) outcome.message = *message;
  return outcome;
}

// The result of an Encrypt goes to the job's own picture.
class PictureSlot : public PictureHolder {
 public:
  explicit PictureSlot(Picture& target) : target_(target) {}
  void ReplacePicture(Picture picture) override { target_ = std::move(picture); }

 private:
  Picture& target_;
};

// A text the engine reads and may replace, kept in an owner that wipes it.
class SecretTextHolder : public TextHolder {
 public:
  explicit SecretTextHolder(SecretString text) : text_(std::move(text)) {}
  std::string Text() const override { return text_.PlainCopy(); }
  void ReplaceText(const std::string& text) override { text_ = SecretString(text); }
  const SecretString& Held() const { return text_; }

 private:
  SecretString text_;
};

}  // namespace

std::optional<SaveTarget> SaveTargetAsGiven(std::string_view name, PictureFileKind sourceKind) {
  const std::optional<SaveTarget> chosen = ChooseSaveTarget(name, sourceKind);
  if (!chosen) return std::nullopt;
  return SaveTarget{chosen->kind, std::string(name)};
}

std::optional<HeaderFacts> FactsFromHeader(const std::string& path) {
  const PictureHeaderResult header = ReadPictureFileHeader(path);
  if (header.status != PictureReadStatus::Ok) return std::nullopt;
  return HeaderFacts{PictureShape{header.width, header.height, header.format},
                     DescribeKeptChunks(header.source), DescribeDroppedChunks(header.source)};
}

std::vector<std::uint8_t> ReadPictureStreamBytes(const ReadStreamBytes& read) {
  std::vector<std::uint8_t> bytes;
  // Reads until Bytes holds UpTo bytes or the stream ends.
  const auto fill = [&](std::uint64_t upTo) {
    while (bytes.size() < upTo) {
      const std::size_t had = bytes.size();
      const std::uint64_t step = std::min<std::uint64_t>(upTo - had, std::uint64_t{1} << 20);
      bytes.resize(had + static_cast<std::size_t>(step));
      const std::size_t got = read(std::span<std::uint8_t>(bytes).subspan(had));
      bytes.resize(had + got);
      if (got == 0) return;
    }
  };
  fill(kStreamProbeBytes);
  fill(StreamBytesNeeded(bytes));
  return bytes;
}

int BitsPerPixel(PixelFormat format) {
  switch (format) {
    case PixelFormat::Indexed8:
      return 8;
    case PixelFormat::Bgr24:
      return 24;
    case PixelFormat::Bgrx32:
      return 32;
  }
  return 0;
}

bool KeyLongEnough(std::string_view keyText, int minKeyLength) {
  return CharacterCount(keyText) > minKeyLength;
}

PictureJob::PictureJob(FileStore& files, EngineClock clock)
    : files_(files), random_(std::move(clock)) {}

PictureJob::~PictureJob() = default;

void PictureJob::DropResult() {
  encrypted_ = Picture();
  resultSource_.reset();
  planned_.reset();
}

void PictureJob::KeepResult(Picture result) {
  DropResult();
  encrypted_ = std::move(result);
}

const SourceFileInfo& PictureJob::ResultSource() const {
  return resultSource_ ? *resultSource_ : source_;
}

JobOutcome PictureJob::Open(const PictureSource& source, PictureUse use) {
  // Planned changes belong to the file they were planned for; they never reach another.
  planned_.reset();
  if (!encrypted_.Empty() && !resultSource_) resultSource_ = std::move(source_);
  inPlace_.reset();
  rewriteLayout_.reset();
  picture_ = Picture();
  source_ = SourceFileInfo{};
  use_ = use;
  PictureReadResult result;
  if (source.bytes) {
    // Bytes have no name to go by: BMP or PNG by what they are.
    result = ReadPicture(*source.bytes, source.name);
  } else {
    if (!files_.Exists(source.name)) return Refused(JobStatus::PictureMissing, "");
    // A file is read by what its bytes are; which names a front end takes
    // for pictures is its own rule, checked before.
    if (use == PictureUse::ReadOnly || use == PictureUse::EncryptFromFile) {
      bool opened = false;
      JobOutcome outcome = OpenInPlace(source.name, use, opened);
      if (opened) return outcome;
    }
    try {
      result = files_.ReadPicture(source.name);
    } catch (const std::exception& error) {
      result.error = error.what();
    }
  }
  if (result.status == PictureReadStatus::Ok && !result.picture.Empty()) {
    picture_ = std::move(result.picture);
    source_ = std::move(result.source);
    return {};
  }
  const bool png = result.kind == PictureFileKind::Png;
  JobOutcome outcome =
      Refused(JobStatus::PictureRefused, png ? messages::WrongPngKind : messages::WrongDepth);
  // A BMP's depth is all the depth message needs; a PNG's kind is told too.
  if (result.status == PictureReadStatus::Malformed ||
      (result.status == PictureReadStatus::Unsupported && png))
    outcome.reason = result.error;
  // A broken, cut short or oversized PNG is not of another kind: its reason alone says it.
  outcome.messageBesideReason = png && result.status != PictureReadStatus::Malformed;
  return outcome;
}

// Any file the store cannot show in place is read as a picture instead,
// which also words any refusal.
JobOutcome PictureJob::OpenInPlace(const std::string& name, PictureUse use, bool& opened) {
  std::optional<PictureInPlace> picture;
  std::optional<BmpRewriteLayout> layout;
  try {
    picture = files_.ViewPicture(name);
    if (picture && use == PictureUse::EncryptFromFile) {
      picture->file->Read([&] { layout = PlanBmpRewrite(picture->file->Bytes()); });
      if (!layout) return {};
    }
  } catch (const std::exception&) {
    return {};
  }
  if (!picture) return {};
  rewriteLayout_ = std::move(layout);
  inPlace_ = std::move(picture);
  opened = true;
  return {};
}

std::string PictureJob::KeptChunks() const { return DescribeKeptChunks(source_); }

std::string PictureJob::DroppedChunks() const { return DescribeDroppedChunks(source_); }

bool PictureJob::Loaded() const { return inPlace_.has_value() || !picture_.Empty(); }

PixelView PictureJob::Pixels() const {
  return inPlace_ ? inPlace_->pixels : PixelView::Of(picture_);
}

void PictureJob::ReadPixels(const std::function<void(const PixelView&)>& reader) const {
  if (!inPlace_) return reader(PixelView::Of(picture_));
  inPlace_->file->Read([&] { reader(inPlace_->pixels); });
}

bool PictureJob::CanEncrypt() const { return Loaded() && (!inPlace_ || rewriteLayout_); }

bool PictureJob::HasResult() const { return planned_ != nullptr || !encrypted_.Empty(); }

JobOutcome PictureJob::Encrypt(const EncryptRequest& request) {
  if (request.text.empty()) return Refused(JobStatus::NoText, messages::EnterTextFirst);
  if (!KeyLongEnough(request.key.View()))
    return Refused(JobStatus::KeyTooShort, messages::KeyTooShort);
  const PixelView original = Pixels();
  if (original.Width() < kSmallestSide || original.Height() < kSmallestSide)
    return Refused(JobStatus::PictureTooSmall, messages::ImageTooSmall);
  const bool palette = Palette();
  if (palette && !PaletteCarriesKey(PaletteKeyBytes(request.key.View())))
    return Refused(JobStatus::KeyNotCarried, messages::PaletteKeyUnsupported);
  // Save only ever saves what this Encrypt produces: the last result goes now.
  DropResult();
  // What the engine hides: the Windows-1252 text on 8 bits, the cipher text on 24 and 32.
  SecretTextHolder text(
      palette ? SecretString::Adopt(EditorTextToWindows1252(request.text.View()))
              : SecretString::Adopt(EncipherText(
                    request.choice, TrueColorKeyBytes(request.key.View()),
                    SecretString::Adopt(EditorTextToCipherBytes(request.text.View())).View())));
  const std::size_t textLength = text.Held().size();
  SecretString key = palette
                         ? PaletteKeyBytes(request.key.View())
                         : DeriveEngineKey(request.choice, TrueColorKeyBytes(request.key.View()));
  EngineOutcome engine;
  if (rewriteLayout_) {
    EncryptPlan plan = PlanEncrypt(Pixels().EvenSized(), std::move(key), text, textLength, random_);
    planned_ = std::move(plan.changes);
    engine = std::move(plan.outcome);
  } else {
    PictureSlot target(encrypted_);
    TEncryptor encryptor(picture_, target, std::move(key), text, random_);
    if (use_ != PictureUse::Edit) encryptor.WorkInSource();
    encryptor.SetTextLength(textLength);
    engine = encryptor.Encrypt();
  }
  JobOutcome outcome = OutcomeOf(engine, palette);
  if (!outcome.Succeeded()) {
    DropResult();
    return outcome;
  }
  outcome.text = palette ? SecretString::Adopt(Windows1252ToEditorText(text.Held().View()))
                         : SecretString(text.Held().View());
  return outcome;
}

void PictureJob::Save(const SaveTarget& target) {
  if (planned_) return SavePlanned(target);
  if (target.kind == PictureFileKind::Bmp)
    return files_.WritePictureAtomically(target.path, encrypted_, ResultSource());
  files_.WriteAtomically(target.path, EncodePicture(encrypted_, target.kind, ResultSource()));
}

std::vector<std::uint8_t> PictureJob::EncodeResult(PictureFileKind kind) const {
  if (!planned_) return EncodePicture(encrypted_, kind, ResultSource());
  Picture picture = EvenSizedCopy();
  if (const hushlake::Palette* palette = planned_->NewPalette()) picture.SetPalette(*palette);
  planned_->Apply(
      {0, picture.Height(), picture.Row(0), static_cast<std::int64_t>(picture.RowBytes())});
  return EncodePicture(picture, kind, source_);
}

// The planned changes made on the way to the new file; a file of another
// kind than the source is made from a copy of the pixels.
void PictureJob::SavePlanned(const SaveTarget& target) {
  if (target.kind != PictureFileKind::Bmp)
    return files_.WriteAtomically(target.path, EncodeResult(target.kind));
  const RowBandChange change = [this](const RowBand& rows) { planned_->Apply(rows); };
  BmpRewriteLayout layout = *rewriteLayout_;
  if (const hushlake::Palette* palette = planned_->NewPalette())
    PutRewritePalette(layout, *palette);
  files_.RewritePictureAtomically(target.path, *inPlace_->file, layout, change);
}

Picture PictureJob::EvenSizedCopy() const {
  Picture copy;
  ReadPixels([&](const PixelView& original) {
    const PixelView pixels = original.EvenSized();
    copy = Picture(pixels.Width(), pixels.Height(), pixels.Format());
    copy.SetPalette(pixels.GetPalette());
    for (int y = 0; y < pixels.Height(); ++y)
      std::copy_n(pixels.Row(y), copy.RowBytes(), copy.Row(y));
  });
  return copy;
}

JobOutcome PictureJob::Decrypt(const DecryptRequest& request) const {
  if (!KeyLongEnough(request.key.View()))
    return Refused(JobStatus::KeyTooShort, messages::KeyTooShort);
  const bool palette = Palette();
  SecretString key = palette
                         ? PaletteKeyBytes(request.key.View())
                         : DeriveEngineKey(request.choice, TrueColorKeyBytes(request.key.View()));
  // A file cut short meanwhile ends in an error naming it: what was read of
  // the zeros in its place is thrown away.
  EngineOutcome engine;
  ReadPixels([&](const PixelView& pixels) { engine = DecryptPixels(pixels, std::move(key)); });
  JobOutcome outcome = OutcomeOf(engine, palette);
  if (!outcome.Succeeded() || engine.text.empty()) return outcome;
  if (palette) {
    outcome.text = SecretString::Adopt(Windows1252ToEditorText(engine.text.View()));
    return outcome;
  }
  const SecretString plain =
      DecipherText(request.choice, TrueColorKeyBytes(request.key.View()), engine.text.View());
  outcome.decipheredUtf8 = IsValidUtf8(plain.View());
  outcome.text = SecretString::Adopt(CipherBytesToEditorText(plain.View()));
  return outcome;
}

Detection PictureJob::Detect(std::string_view keyText) const {
  Detection found;
  ReadPixels([&](const PixelView& pixels) { found = DetectChoice(pixels, keyText); });
  return found;
}

}  // namespace hushlake
