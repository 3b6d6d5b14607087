// Decrypt through a view of a BMP file's own pixel rows (padded, bottom-up or
// top-down, any header version) gives what Decrypt of the picture read from
// the same file gives, and never reads outside the file's bytes.
#include <gtest/gtest.h>
#include <sys/mman.h>
#include <unistd.h>

#include <algorithm>
#include <cstring>
#include <string>
#include <vector>

#include "bmp_fixture.h"
#include "stego/encryptor.h"
#include "stego/picture/bmp/bmp_codec.h"
#include "stego/pixel_view.h"
#include "stego_test_support.h"

namespace hushlake {
namespace {

using bmptest::BmpFixture;
using testing_support::FakeClock;
using testing_support::RandomPicture;

const std::string Key = "0123456789abcdef";

struct Layout {
  const char* name;
  std::uint32_t headerSize;  // 12 is the core header
  bool topDown = false;
  bool bitFields = false;  // 32 bits only: the usual masks, stated
};

const Layout Layouts[] = {
    {"core", 12},
    {"info bottom-up", 40},
    {"info top-down", 40, true},
    {"V4 top-down", 108, true},
    {"V5 bottom-up", 124},
    {"info with masks", 40, false, true},
    {"V5 top-down with masks", 124, true, true},
};

std::vector<std::uint8_t> PaletteBytes(const Palette& palette, bool core) {
  std::vector<std::uint8_t> bytes;
  for (const PaletteEntry& entry : palette) {
    bytes.insert(bytes.end(), {entry.blue, entry.green, entry.red});
    if (!core) bytes.push_back(entry.flags);
  }
  return bytes;
}

// The picture as a BMP file of the given layout; padding bytes are not zero,
// and the last stored row may lack its padding.
std::vector<std::uint8_t> FileOf(const Picture& picture, const Layout& layout,
                                 bool lastPaddingMissing = false) {
  const int bits = 8 * picture.BytesPerPixel();
  const std::size_t rowBytes = picture.RowBytes();
  const std::size_t stride = (rowBytes + 3) / 4 * 4;
  std::vector<std::uint8_t> pixels;
  for (int stored = 0; stored < picture.Height(); ++stored) {
    const int y = layout.topDown ? stored : picture.Height() - 1 - stored;
    pixels.insert(pixels.end(), picture.Row(y), picture.Row(y) + rowBytes);
    pixels.resize(pixels.size() + stride - rowBytes, 0xA5);
  }
  if (lastPaddingMissing) pixels.resize(pixels.size() - (stride - rowBytes));
  BmpFixture file;
  file.WithHeader(layout.headerSize)
      .WithSize(picture.Width(), layout.topDown ? -picture.Height() : picture.Height())
      .WithBits(static_cast<std::uint16_t>(bits))
      .WithPixels(std::move(pixels));
  if (bits == 8) file.WithAfterHeader(PaletteBytes(picture.GetPalette(), layout.headerSize == 12));
  if (layout.bitFields) {
    file.WithCompression(3);
    if (layout.headerSize > 40)
      file.WithMasksInHeader({0xFF0000, 0xFF00, 0xFF, 0xFF000000});
    else
      file.WithAfterHeader(BmpFixture::Words({0xFF0000, 0xFF00, 0xFF}));
  }
  return file.Build();
}

// Source with Text hidden by Encrypt; an odd-sized source keeps its last
// row and column around the (even-sized) result.
Picture WithHiddenText(const Picture& source, const std::string& text) {
  Picture work = source;
  StoredPicture target;
  StringTextHolder editor(text);
  FakeClock clock;
  TEncryptor engine(work, target, SecretString(Key), editor, clock.Random());
  engine.SetTextLength(text.size());
  EXPECT_TRUE(engine.Encrypt().Succeeded());
  Picture result = source;
  result.SetPalette(target.picture.GetPalette());
  for (int y = 0; y < target.picture.Height(); ++y)
    std::memcpy(result.Row(y), target.picture.Row(y), target.picture.RowBytes());
  return result;
}

EngineOutcome DecryptOfPicture(Picture picture, const std::string& key) {
  StoredPicture target;
  StringTextHolder editor;
  RandomSource random;
  TEncryptor engine(picture, target, SecretString(key), editor, random);
  return engine.Decrypt();
}

void ExpectSameOutcome(const EngineOutcome& inPlace, const EngineOutcome& copied) {
  EXPECT_EQ(inPlace.status, copied.status);
  EXPECT_EQ(inPlace.positionsAvailable, copied.positionsAvailable);
  EXPECT_EQ(inPlace.text.PlainCopy(), copied.text.PlainCopy());
}

struct Size {
  int width;
  int height;
};

// Copies the view's bytes from where they lie, as a file's reader copies
// them from the file; a copy that reaches outside the view's rows fails the
// test and reads as zeros.
class CopyingReader : public PixelBytesReader {
 public:
  explicit CopyingReader(const PixelView& view) : lowest_(view.Lowest()), span_(view.SpanBytes()) {}
  void Copy(const std::uint8_t* from, std::span<std::uint8_t> into) const override {
    const std::ptrdiff_t start = from - lowest_;
    if (start < 0 || start + static_cast<std::ptrdiff_t>(into.size()) > span_) {
      ADD_FAILURE() << "a copy of " << into.size() << " bytes from " << start
                    << " leaves the rows (" << span_ << " bytes)";
      std::fill(into.begin(), into.end(), std::uint8_t{0});
      return;
    }
    std::memcpy(into.data(), from, into.size());
    ++copies_;
  }
  int Copies() const { return copies_; }

 private:
  mutable int copies_ = 0;
  const std::uint8_t* lowest_;
  std::int64_t span_;
};

TEST(PixelView, DecryptInPlaceEqualsDecryptOfThePictureReadFromTheFile) {
  // Odd and even sizes, rows with 0 to 3 padding bytes.
  const Size sizes[] = {{37, 29}, {42, 30}, {41, 30}, {38, 31}};
  const std::string text = "hidden words for every layout";
  int seed = 0;
  for (PixelFormat format : {PixelFormat::Indexed8, PixelFormat::Bgr24, PixelFormat::Bgrx32}) {
    for (const Layout& layout : Layouts) {
      if (layout.bitFields && format != PixelFormat::Bgrx32) continue;
      for (const Size size : sizes) {
        SCOPED_TRACE(std::string(layout.name) + ", " + std::to_string(size.width) + " x " +
                     std::to_string(size.height) + ", format " +
                     std::to_string(static_cast<int>(format)));
        const Picture source = RandomPicture(size.width, size.height, format, ++seed);
        const std::vector<std::uint8_t> file = FileOf(WithHiddenText(source, text), layout);
        const PictureReadResult read = ReadBmp(file);
        ASSERT_EQ(read.status, PictureReadStatus::Ok) << read.error;
        const std::optional<PixelView> view = ViewBmpPixels(file);
        ASSERT_TRUE(view.has_value());
        // The view shows the picture's rows, top first, without padding.
        ASSERT_EQ(view->Width(), read.picture.Width());
        ASSERT_EQ(view->Height(), read.picture.Height());
        EXPECT_EQ(view->Format(), read.picture.Format());
        EXPECT_EQ(view->GetPalette(), read.picture.GetPalette());
        for (int y = 0; y < view->Height(); ++y)
          ASSERT_TRUE(
              std::equal(view->Row(y), view->Row(y) + read.picture.RowBytes(), read.picture.Row(y)))
              << "row " << y;
        const EngineOutcome found = DecryptPixels(*view, SecretString(Key));
        EXPECT_EQ(found.text.PlainCopy(), text);
        ExpectSameOutcome(found, DecryptOfPicture(read.picture, Key));
        // Copied out of the file instead of loaded, with either key.
        const CopyingReader reader(*view);
        const PixelView copied = view->CopiedThrough(reader);
        ExpectSameOutcome(DecryptPixels(copied, SecretString(Key)), found);
        ExpectSameOutcome(DecryptPixels(copied, SecretString("another key 42")),
                          DecryptOfPicture(read.picture, "another key 42"));
        // A wrong key, and the same picture without a hidden text.
        ExpectSameOutcome(DecryptPixels(*view, SecretString("another key 42")),
                          DecryptOfPicture(read.picture, "another key 42"));
        const std::vector<std::uint8_t> plain = FileOf(source, layout);
        ExpectSameOutcome(DecryptPixels(*ViewBmpPixels(plain), SecretString(Key)),
                          DecryptOfPicture(ReadBmp(plain).picture, Key));
      }
    }
  }
}

// Bytes copied to the very end of a readable region that a page no one may
// read follows: a read one byte past them ends the test program.
class BytesBeforeAGuardPage {
 public:
  explicit BytesBeforeAGuardPage(const std::vector<std::uint8_t>& bytes)
      : page_(static_cast<std::size_t>(::sysconf(_SC_PAGESIZE))),
        length_((bytes.size() + page_ - 1) / page_ * page_ + page_) {
    void* start =
        ::mmap(nullptr, length_, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
    if (start == MAP_FAILED) throw std::runtime_error("no memory for the guarded bytes");
    start_ = static_cast<std::uint8_t*>(start);
    ::mprotect(start_ + length_ - page_, page_, PROT_NONE);
    bytes_ = {start_ + length_ - page_ - bytes.size(), bytes.size()};
    std::memcpy(bytes_.data(), bytes.data(), bytes.size());
  }
  ~BytesBeforeAGuardPage() { ::munmap(start_, length_); }
  BytesBeforeAGuardPage(const BytesBeforeAGuardPage&) = delete;
  BytesBeforeAGuardPage& operator=(const BytesBeforeAGuardPage&) = delete;
  std::span<const std::uint8_t> Bytes() const { return bytes_; }

 private:
  std::size_t page_;
  std::size_t length_;
  std::uint8_t* start_ = nullptr;
  std::span<std::uint8_t> bytes_;
};

std::string CaseName(Size size, bool topDown, PixelFormat format) {
  return std::to_string(size.width) + " x " + std::to_string(size.height) +
         (topDown ? " top-down" : " bottom-up") + ", format " +
         std::to_string(static_cast<int>(format));
}

// A text that fills the picture makes Decrypt read every position, up to the
// rightmost ones of the last stored row, which end the file.
TEST(PixelView, ReadingEveryPositionStaysInsideTheFile) {
  const Size sizes[] = {{24, 24}, {25, 23}, {28, 22}};
  int seed = 100;
  for (PixelFormat format : {PixelFormat::Indexed8, PixelFormat::Bgr24, PixelFormat::Bgrx32}) {
    for (const Size size : sizes) {
      for (bool topDown : {false, true}) {
        SCOPED_TRACE(CaseName(size, topDown, format));
        const bool palette = format == PixelFormat::Indexed8;
        const int step = palette ? 3 : 2;
        const int even = size.width & ~1;
        const std::int64_t positions = (size.height & ~1) * ((even - step) / step) - 1;
        const std::string text(static_cast<std::size_t>(positions) - Key.size() - 5, 'q');
        const Picture stego =
            WithHiddenText(RandomPicture(size.width, size.height, format, ++seed), text);
        const Layout layout{"", 40, topDown};
        const BytesBeforeAGuardPage file(FileOf(stego, layout, true));
        const std::optional<PixelView> view = ViewBmpPixels(file.Bytes());
        ASSERT_TRUE(view.has_value());
        EXPECT_EQ(DecryptPixels(*view, SecretString(Key)).text.PlainCopy(), text);
      }
    }
  }
}

// Texts that take several batches of copied positions, some of them the
// loading that follows: read as loading every position reads them.
TEST(PixelView, CopiedPositionsReadWhatLoadedPositionsRead) {
  const Size sizes[] = {{400, 160}, {401, 161}};
  int seed = 200;
  for (PixelFormat format : {PixelFormat::Indexed8, PixelFormat::Bgr24, PixelFormat::Bgrx32}) {
    for (const Size size : sizes) {
      for (bool topDown : {false, true}) {
        SCOPED_TRACE(CaseName(size, topDown, format));
        const int step = format == PixelFormat::Indexed8 ? 3 : 2;
        const std::int64_t positions = (size.height & ~1) * (((size.width & ~1) - step) / step) - 1;
        const Picture source = RandomPicture(size.width, size.height, format, ++seed);
        std::string full;
        while (full.size() + Key.size() + 5 < static_cast<std::size_t>(positions))
          full += "word " + std::to_string(full.size() % 97) + ' ';
        full.resize(static_cast<std::size_t>(positions) - Key.size() - 5);
        for (const std::string& text : {std::string("a short one"), std::string(3000, 'z'), full}) {
          const std::vector<std::uint8_t> file =
              FileOf(WithHiddenText(source, text), Layout{"", 40, topDown});
          const std::optional<PixelView> view = ViewBmpPixels(file);
          ASSERT_TRUE(view.has_value());
          const CopyingReader reader(*view);
          const EngineOutcome loaded = DecryptPixels(*view, SecretString(Key));
          EXPECT_EQ(loaded.status, EngineStatus::Done);
          ExpectSameOutcome(DecryptPixels(view->CopiedThrough(reader), SecretString(Key)), loaded);
          EXPECT_GT(reader.Copies(), 0);  // the positions were copied, not loaded
          ExpectSameOutcome(DecryptPixels(view->CopiedThrough(reader), SecretString("wrong key 7")),
                            DecryptPixels(*view, SecretString("wrong key 7")));
        }
      }
    }
  }
}

TEST(PixelView, FilesWhoseRowsAreNotThePicturesAreNotViewed) {
  // RLE8 data: the picture has to be decoded.
  std::vector<std::uint8_t> rlePalette(1024, 0);
  const std::vector<std::uint8_t> rle = BmpFixture()
                                            .WithSize(4, 2)
                                            .WithBits(8)
                                            .WithCompression(1)
                                            .WithAfterHeader(rlePalette)
                                            .WithPixels({4, 1, 0, 0, 4, 2, 0, 1})
                                            .Build();
  // Channel masks other than the usual ones: the bytes are rewritten.
  const std::vector<std::uint8_t> swapped =
      BmpFixture()
          .WithSize(2, 2)
          .WithBits(32)
          .WithCompression(3)
          .WithAfterHeader(BmpFixture::Words({0xFF, 0xFF00, 0xFF0000}))
          .WithPixels(std::vector<std::uint8_t>(16, 7))
          .Build();
  for (const auto& file : {rle, swapped}) {
    EXPECT_EQ(ReadBmp(file).status, PictureReadStatus::Ok) << ReadBmp(file).error;
    EXPECT_FALSE(ViewBmpPixels(file).has_value());
  }
  // Files ReadBmp refuses are not viewed either: rows cut short, a size the
  // file cannot hold, no BMP at all.
  std::vector<std::uint8_t> cut = FileOf(RandomPicture(30, 30, PixelFormat::Bgr24, 1), Layouts[1]);
  cut.resize(cut.size() - 10);
  const std::vector<std::uint8_t> huge =
      BmpFixture().WithSize(60000, 60000).WithPixels(std::vector<std::uint8_t>(64)).Build();
  const std::vector<std::uint8_t> noBmp(100, 'x');
  for (const auto& file : {cut, huge, noBmp}) {
    EXPECT_EQ(ReadBmp(file).status, PictureReadStatus::Malformed);
    EXPECT_FALSE(ViewBmpPixels(file).has_value());
  }
}

TEST(PixelView, OfAPictureShowsItsRowsAndTrimsAsThePictureDoes) {
  const Picture picture = RandomPicture(9, 7, PixelFormat::Bgr24, 5);
  const PixelView even = PixelView::Of(picture).EvenSized();
  Picture trimmed = picture;
  trimmed.TrimToEvenSize();
  ASSERT_EQ(even.Width(), trimmed.Width());
  ASSERT_EQ(even.Height(), trimmed.Height());
  for (int y = 0; y < trimmed.Height(); ++y)
    EXPECT_TRUE(std::equal(even.Row(y), even.Row(y) + trimmed.RowBytes(), trimmed.Row(y)));
}

}  // namespace
}  // namespace hushlake
