#pragma once
// Builds small PNG files chunk by chunk (with real CRCs and zlib data), so
// tests can make the variants and broken files a reader meets without
// shipping sample files or depending on another encoder's choices.
#include <zlib.h>

#include <cstdint>
#include <string>
#include <vector>

namespace hushlake::pngtest {

using Bytes = std::vector<std::uint8_t>;

inline void PutBE32(Bytes& out, std::uint32_t value) {
  for (int shift = 24; shift >= 0; shift -= 8)
    out.push_back(static_cast<std::uint8_t>(value >> shift));
}

// One chunk: length, type, data, CRC over type and data.
inline Bytes Chunk(const std::string& type, const Bytes& data) {
  Bytes out;
  PutBE32(out, static_cast<std::uint32_t>(data.size()));
  out.insert(out.end(), type.begin(), type.end());
  out.insert(out.end(), data.begin(), data.end());
  uLong crc = crc32(0, nullptr, 0);
  crc = crc32(crc, out.data() + 4, static_cast<uInt>(data.size() + 4));
  PutBE32(out, static_cast<std::uint32_t>(crc));
  return out;
}

inline Bytes Header(std::uint32_t width, std::uint32_t height, std::uint8_t depth,
                    std::uint8_t colourType, std::uint8_t interlace = 0) {
  Bytes data;
  PutBE32(data, width);
  PutBE32(data, height);
  data.insert(data.end(), {depth, colourType, 0, 0, interlace});
  return data;
}

inline Bytes Compress(const Bytes& raw) {
  uLongf size = compressBound(static_cast<uLong>(raw.size()));
  Bytes out(size);
  compress2(out.data(), &size, raw.data(), static_cast<uLong>(raw.size()), 9);
  out.resize(size);
  return out;
}

// Rows of `bytesPerPixel`-byte pixels, each led by filter type 0; with
// `interlaced`, split into the seven Adam7 passes.
inline Bytes FilteredRows(const std::vector<Bytes>& rows, std::size_t bytesPerPixel,
                          bool interlaced) {
  Bytes raw;
  if (!interlaced) {
    for (const Bytes& row : rows) {
      raw.push_back(0);
      raw.insert(raw.end(), row.begin(), row.end());
    }
    return raw;
  }
  static const int kStart[7][2] = {{0, 0}, {4, 0}, {0, 4}, {2, 0}, {0, 2}, {1, 0}, {0, 1}};
  static const int kStep[7][2] = {{8, 8}, {8, 8}, {4, 8}, {4, 4}, {2, 4}, {2, 2}, {1, 2}};
  const std::size_t width = rows.empty() ? 0 : rows[0].size() / bytesPerPixel;
  for (int pass = 0; pass < 7; ++pass) {
    for (std::size_t y = static_cast<std::size_t>(kStart[pass][1]); y < rows.size();
         y += static_cast<std::size_t>(kStep[pass][1])) {
      Bytes line;
      for (std::size_t x = static_cast<std::size_t>(kStart[pass][0]); x < width;
           x += static_cast<std::size_t>(kStep[pass][0]))
        line.insert(line.end(), rows[y].begin() + static_cast<long>(x * bytesPerPixel),
                    rows[y].begin() + static_cast<long>((x + 1) * bytesPerPixel));
      if (line.empty()) continue;  // a pass with no pixels in this row has no filter byte
      raw.push_back(0);
      raw.insert(raw.end(), line.begin(), line.end());
    }
  }
  return raw;
}

// A PNG from its chunks, in order, after the signature.
inline Bytes File(const std::vector<Bytes>& chunks) {
  Bytes out = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
  for (const Bytes& chunk : chunks) out.insert(out.end(), chunk.begin(), chunk.end());
  return out;
}

inline Bytes End() { return Chunk("IEND", {}); }

}  // namespace hushlake::pngtest
