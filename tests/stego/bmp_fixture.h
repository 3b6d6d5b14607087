#pragma once
// Builds small BMP files field by field, so tests can make the variants and
// the broken files a reader meets without shipping sample files.
#include <algorithm>
#include <cstdint>
#include <optional>
#include <utility>
#include <vector>

namespace hushlake::bmptest {

struct BmpFixture {
  std::uint32_t headerSize = 40;  // 12 for the core header
  std::int32_t width = 1;
  std::int32_t height = 1;  // negative: top-down
  std::uint16_t bitsPerPixel = 24;
  std::uint32_t compression = 0;
  std::uint32_t imageSize = 0;
  std::uint32_t colorsUsed = 0;
  // Red, green, blue, alpha masks, placed inside headers of 56 bytes or more.
  std::optional<std::vector<std::uint32_t>> masksInHeader;
  std::vector<std::uint8_t> afterHeader;     // masks of a 40-byte header, colour table
  std::vector<std::uint8_t> pixels;          // exactly as stored
  std::optional<std::uint32_t> pixelOffset;  // default: right after afterHeader

  BmpFixture& WithHeader(std::uint32_t size) {
    headerSize = size;
    return *this;
  }
  BmpFixture& WithSize(std::int32_t w, std::int32_t h) {
    width = w;
    height = h;
    return *this;
  }
  BmpFixture& WithBits(std::uint16_t bits) {
    bitsPerPixel = bits;
    return *this;
  }
  BmpFixture& WithCompression(std::uint32_t c) {
    compression = c;
    return *this;
  }
  BmpFixture& WithImageSize(std::uint32_t size) {
    imageSize = size;
    return *this;
  }
  BmpFixture& WithColors(std::uint32_t count) {
    colorsUsed = count;
    return *this;
  }
  BmpFixture& WithMasksInHeader(std::vector<std::uint32_t> masks) {
    masksInHeader = std::move(masks);
    return *this;
  }
  BmpFixture& WithAfterHeader(std::vector<std::uint8_t> bytes) {
    afterHeader = std::move(bytes);
    return *this;
  }
  BmpFixture& WithPixels(std::vector<std::uint8_t> bytes) {
    pixels = std::move(bytes);
    return *this;
  }
  BmpFixture& WithOffset(std::uint32_t offset) {
    pixelOffset = offset;
    return *this;
  }

  std::vector<std::uint8_t> Build() const {
    // Filled as if the header were a full one, then cut to its declared size.
    const std::size_t masksEnd = masksInHeader ? 40 + 4 * masksInHeader->size() : 40;
    std::vector<std::uint8_t> file(14 + std::max<std::size_t>(headerSize, masksEnd));
    Put16(file, 0, 0x4D42);
    Put32(file, 14, headerSize);
    if (headerSize == 12) {
      Put16(file, 18, static_cast<std::uint16_t>(width));
      Put16(file, 20, static_cast<std::uint16_t>(height));
      Put16(file, 22, 1);
      Put16(file, 24, bitsPerPixel);
    } else {
      Put32(file, 18, static_cast<std::uint32_t>(width));
      Put32(file, 22, static_cast<std::uint32_t>(height));
      Put16(file, 26, 1);
      Put16(file, 28, bitsPerPixel);
      Put32(file, 30, compression);
      Put32(file, 34, imageSize);
      Put32(file, 46, colorsUsed);
      if (masksInHeader)
        for (std::size_t i = 0; i < masksInHeader->size(); ++i)
          Put32(file, 54 + 4 * i, (*masksInHeader)[i]);
    }
    file.resize(14 + headerSize);
    file.insert(file.end(), afterHeader.begin(), afterHeader.end());
    Put32(file, 10, pixelOffset.value_or(static_cast<std::uint32_t>(file.size())));
    file.insert(file.end(), pixels.begin(), pixels.end());
    Put32(file, 2, static_cast<std::uint32_t>(file.size()));
    return file;
  }

  static void Put16(std::vector<std::uint8_t>& bytes, std::size_t at, std::uint16_t value) {
    bytes[at] = static_cast<std::uint8_t>(value);
    bytes[at + 1] = static_cast<std::uint8_t>(value >> 8);
  }
  static void Put32(std::vector<std::uint8_t>& bytes, std::size_t at, std::uint32_t value) {
    for (int i = 0; i < 4; ++i) bytes[at + i] = static_cast<std::uint8_t>(value >> (8 * i));
  }
  static std::vector<std::uint8_t> Words(std::initializer_list<std::uint32_t> words) {
    std::vector<std::uint8_t> bytes(4 * words.size());
    std::size_t at = 0;
    for (std::uint32_t word : words) Put32(bytes, 4 * at++, word);
    return bytes;
  }
};

}  // namespace hushlake::bmptest
