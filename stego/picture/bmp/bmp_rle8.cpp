#include "stego/picture/bmp/bmp_rle8.h"

#include <algorithm>
#include <cstring>
#include <string>

#include "stego/picture/bmp/bmp_format.h"

namespace hushlake::bmp {
namespace {

// Escape codes that follow a zero count byte.
constexpr std::uint8_t kEndOfLine = 0;
constexpr std::uint8_t kEndOfBitmap = 1;
constexpr std::uint8_t kDelta = 2;

class Rle8Decoder {
 public:
  Rle8Decoder(std::span<const std::uint8_t> data, Picture& picture, bool topDown)
      : data_(data), picture_(picture), topDown_(topDown) {}

  void Run() {
    for (;;) {
      if (at_ + 2 > data_.size()) {
        // Ending right after the last row's end-of-line is common enough to accept.
        if (y_ >= picture_.Height()) return EndRow();
        Fail("data ends before the end-of-bitmap marker");
      }
      start_ = at_;
      const std::uint8_t count = data_[at_];
      const std::uint8_t code = data_[at_ + 1];
      at_ += 2;
      if (count > 0) {
        Fill(count, code);
      } else if (code == kEndOfBitmap) {
        EndRow();
        return;
      } else if (code == kEndOfLine) {
        NextLine();
      } else if (code == kDelta) {
        Move();
      } else {
        CopyLiteral(code);
      }
    }
  }

 private:
  std::string Problem(const std::string& problem) const {
    return "bad RLE8 data at byte " + std::to_string(start_) + " (row " + std::to_string(y_) +
           ", column " + std::to_string(x_) + "): " + problem;
  }

  // A run that crossed the row's end before is the first fault and is named.
  [[noreturn]] void Fail(const std::string& problem) const {
    throw MalformedBmp(!crossing_.empty() ? crossing_ : Problem(problem));
  }

  // Where the pixels of a run of `count` go from the current place, and how
  // many of them are in the picture. A writer that encodes each row together
  // with its padding (ImageMagick does) runs on past the row's end up to the
  // end of the stored row, a multiple of four bytes; those pixels are not the
  // picture's and are dropped. A run past the row's end is accepted only when
  // the row's runs then end exactly at the stored row's end; anything else
  // past the row is reported as the run that first crossed it.
  struct Span {
    std::uint8_t* place;
    std::size_t kept;
  };
  Span Place(int count, const char* what) {
    if (y_ >= picture_.Height()) Fail(std::string(what) + " below the last row");
    const int width = picture_.Width();
    if (count > width - x_ && crossing_.empty())
      crossing_ = Problem(std::string(what) + " of " + std::to_string(count) +
                          " pixels crosses the end of the row");
    if (count > StoredWidth() - x_) Fail(crossing_);
    const int row = topDown_ ? y_ : picture_.Height() - 1 - y_;
    const int kept = std::clamp(width - x_, 0, count);
    std::uint8_t* place = picture_.Row(row) + std::min(x_, width);
    x_ += count;
    return {place, static_cast<std::size_t>(kept)};
  }

  int StoredWidth() const { return (picture_.Width() + 3) / 4 * 4; }

  // Called where a row ends (end of line, delta, end of bitmap): pixels past
  // the picture's row must have filled the stored row.
  void EndRow() {
    if (!crossing_.empty() && x_ != StoredWidth()) throw MalformedBmp(crossing_);
    crossing_.clear();
  }

  void Fill(int count, std::uint8_t index) {
    const Span span = Place(count, "run");
    std::memset(span.place, index, span.kept);
  }

  void CopyLiteral(int count) {
    // Literal runs are padded to an even number of bytes.
    const std::size_t stored = static_cast<std::size_t>(count + (count & 1));
    if (stored > data_.size() - at_)
      Fail("literal run of " + std::to_string(count) + " pixels is cut off");
    const Span span = Place(count, "literal run");
    std::memcpy(span.place, data_.data() + at_, span.kept);
    at_ += stored;
  }

  void NextLine() {
    if (y_ >= picture_.Height()) Fail("end-of-line below the last row");
    EndRow();
    x_ = 0;
    ++y_;
  }

  void Move() {
    if (at_ + 2 > data_.size()) Fail("delta is cut off");
    const int dx = data_[at_];
    const int dy = data_[at_ + 1];
    at_ += 2;
    EndRow();
    if (x_ + dx > picture_.Width() || y_ + dy >= picture_.Height())
      Fail("delta of (" + std::to_string(dx) + ", " + std::to_string(dy) +
           ") moves outside the picture");
    x_ += dx;
    y_ += dy;
  }

  std::span<const std::uint8_t> data_;
  Picture& picture_;
  bool topDown_;
  std::size_t at_ = 0;
  std::size_t start_ = 0;  // of the code being decoded, for messages
  int x_ = 0;
  int y_ = 0;             // counted in stored order
  std::string crossing_;  // the first run past the row's end, as a fault; empty if none
};

}  // namespace

void DecodeRle8(std::span<const std::uint8_t> data, Picture& picture, bool topDown) {
  Rle8Decoder(data, picture, topDown).Run();
}

}  // namespace hushlake::bmp
