#include "stego/picture/picture_stream.h"

#include <algorithm>
#include <vector>

#include "stego/picture/bmp/bmp_codec.h"
#include "stego/picture/picture_files.h"
#include "stego/picture/png/png_chunks.h"
#include "stego/picture/png/png_codec.h"

namespace hushlake {
namespace {

std::uint32_t LoadBE32(const std::uint8_t* p) {
  return (std::uint32_t{p[0]} << 24) | (std::uint32_t{p[1]} << 16) | (std::uint32_t{p[2]} << 8) |
         std::uint32_t{p[3]};
}

// A PNG's rows, unpacked, as its header describes them: the compressed data
// is hardly ever larger (stored deflate blocks add five bytes in 65535), and
// its other chunks are kept only up to a cap. Zero when the header is no
// picture's or too large: the reader then refuses the first bytes.
std::uint64_t PngBytesNeeded(std::span<const std::uint8_t> start) {
  constexpr std::size_t kHeaderEnd = 8 + 8 + 13;
  if (start.size() < kHeaderEnd ||
      std::string_view(reinterpret_cast<const char*>(start.data()) + 12, 4) != "IHDR")
    return 0;
  const std::uint8_t* h = start.data() + 16;
  const std::uint64_t width = LoadBE32(h), height = LoadBE32(h + 4);
  const std::uint64_t depth = h[8], colourType = h[9];
  if (width == 0 || height == 0 || width > kPngMaxSide || height > kPngMaxSide ||
      width * height > kPngMaxPixels || depth > 16)
    return 0;
  const std::uint64_t channels = colourType == png::kColourRgb         ? 3
                                 : colourType == png::kColourRgba      ? 4
                                 : colourType == png::kColourGreyAlpha ? 2
                                                                       : 1;
  const std::uint64_t rows = ((width * channels * depth + 7) / 8 + 1) * height;
  return rows + rows / 32 + 4 * png::kMaxKeptBytes;
}

void FillUpTo(std::vector<std::uint8_t>& bytes, std::uint64_t size, const ReadStreamBytes& read) {
  while (bytes.size() < size) {
    const std::size_t filled = bytes.size();
    const std::size_t piece =
        static_cast<std::size_t>(std::min<std::uint64_t>(size - filled, std::uint64_t{1} << 20));
    bytes.resize(filled + piece);
    const std::size_t got = read(std::span(bytes.data() + filled, piece));
    bytes.resize(filled + got);
    if (got == 0) return;
  }
}

}  // namespace

std::uint64_t StreamBytesNeeded(std::span<const std::uint8_t> start) {
  std::uint64_t needed = 0;
  if (LooksLikePng(start)) {
    needed = PngBytesNeeded(start);
  } else if (start.size() >= 2 && start[0] == 'B' && start[1] == 'M') {
    const BmpHeaderResult header = ReadBmpHeader(start, kBmpMaxFileBytes);
    // One byte more tells whether a tail longer than the pixels follows.
    if (header.status == PictureReadStatus::Ok) needed = header.bytesNeeded + 1;
  }
  return std::clamp<std::uint64_t>(needed, start.size(), kBmpMaxFileBytes);
}

PictureReadResult ReadPictureStream(const ReadStreamBytes& read, std::string_view name) {
  std::vector<std::uint8_t> bytes;
  FillUpTo(bytes, kStreamProbeBytes, read);
  if (bytes.size() == kStreamProbeBytes) FillUpTo(bytes, StreamBytesNeeded(bytes), read);
  return ReadPicture(bytes, name);
}

}  // namespace hushlake
