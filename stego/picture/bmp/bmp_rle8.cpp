#include "stego/picture/bmp/bmp_rle8.h"

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
        if (y_ >= picture_.Height()) return;
        Fail("data ends before the end-of-bitmap marker");
      }
      start_ = at_;
      const std::uint8_t count = data_[at_];
      const std::uint8_t code = data_[at_ + 1];
      at_ += 2;
      if (count > 0) {
        Fill(count, code);
      } else if (code == kEndOfBitmap) {
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
  [[noreturn]] void Fail(const std::string& problem) const {
    throw MalformedBmp("bad RLE8 data at byte " + std::to_string(start_) + " (row " +
                       std::to_string(y_) + ", column " + std::to_string(x_) + "): " + problem);
  }

  // Where `count` pixels go from the current place, after checking they fit.
  std::uint8_t* Place(int count, const char* what) {
    if (y_ >= picture_.Height()) Fail(std::string(what) + " below the last row");
    if (count > picture_.Width() - x_)
      Fail(std::string(what) + " of " + std::to_string(count) +
           " pixels crosses the end of the row");
    const int row = topDown_ ? y_ : picture_.Height() - 1 - y_;
    std::uint8_t* place = picture_.Row(row) + x_;
    x_ += count;
    return place;
  }

  void Fill(int count, std::uint8_t index) {
    std::memset(Place(count, "run"), index, static_cast<std::size_t>(count));
  }

  void CopyLiteral(int count) {
    // Literal runs are padded to an even number of bytes.
    const std::size_t stored = static_cast<std::size_t>(count + (count & 1));
    if (stored > data_.size() - at_)
      Fail("literal run of " + std::to_string(count) + " pixels is cut off");
    std::memcpy(Place(count, "literal run"), data_.data() + at_, static_cast<std::size_t>(count));
    at_ += stored;
  }

  void NextLine() {
    if (y_ >= picture_.Height()) Fail("end-of-line below the last row");
    x_ = 0;
    ++y_;
  }

  void Move() {
    if (at_ + 2 > data_.size()) Fail("delta is cut off");
    const int dx = data_[at_];
    const int dy = data_[at_ + 1];
    at_ += 2;
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
  int y_ = 0;  // counted in stored order
};

}  // namespace

void DecodeRle8(std::span<const std::uint8_t> data, Picture& picture, bool topDown) {
  Rle8Decoder(data, picture, topDown).Run();
}

}  // namespace hushlake::bmp
