// Walking a PNG file's chunks. Every length is checked against the bytes
// that are there before it is used, and only the chunks that are kept are
// read: the pixel data is counted, never looked at.
#include "stego/picture/png/png_chunks.h"

#include <zlib.h>

#include <algorithm>
#include <cstring>
#include <string>

namespace hushlake::png {
namespace {

constexpr std::uint32_t kMaxChunkLength = 0x7FFFFFFF;
constexpr std::uint32_t kHeaderLength = 13;
// Deflate cannot expand its input more than 1032 times (a 258-byte match in
// two bits), so compressed data shorter than this share of the picture's
// rows cannot hold them. The slack covers zlib's own framing.
constexpr std::uint64_t kMaxInflateRatio = 1032;
constexpr std::uint64_t kInflateSlack = 1024;

std::uint32_t LoadBE32(const std::uint8_t* p) {
  return (std::uint32_t{p[0]} << 24) | (std::uint32_t{p[1]} << 16) | (std::uint32_t{p[2]} << 8) |
         std::uint32_t{p[3]};
}

bool IsAncillary(const std::string& type) { return (type[0] & 0x20) != 0; }
// The fourth letter in lower case: the chunk does not depend on the pixels.
bool IsSafeToCopy(const std::string& type) { return (type[3] & 0x20) != 0; }

bool IsChunkType(const std::uint8_t* type) {
  return std::all_of(type, type + 4, [](std::uint8_t c) {
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
  });
}

struct Chunk {
  std::string type;
  std::uint32_t length = 0;
  std::uint64_t dataAt = 0;  // offset of the data in the file
  std::uint32_t storedCrc = 0;
};

class ChunkWalker {
 public:
  ChunkWalker(std::uint64_t size, const ReadFileBytes& read) : size_(size), read_(read) {}

  Chunk Next() {
    Need(12, "a chunk header");
    std::uint8_t head[8];
    read_(offset_, head);
    const std::uint32_t length = LoadBE32(head);
    if (length > kMaxChunkLength)
      throw MalformedPng("chunk length " + std::to_string(length) + " at offset " +
                         std::to_string(offset_) + " is larger than PNG allows");
    if (!IsChunkType(head + 4))
      throw MalformedPng("bytes at offset " + std::to_string(offset_ + 4) +
                         " are not a chunk type");
    Chunk chunk;
    chunk.type.assign(reinterpret_cast<const char*>(head + 4), 4);
    chunk.length = length;
    Need(std::uint64_t{length} + 12, ("the " + chunk.type + " chunk").c_str());
    chunk.dataAt = offset_ + 8;
    std::uint8_t crc[4];
    read_(chunk.dataAt + length, crc);
    chunk.storedCrc = LoadBE32(crc);
    offset_ += std::uint64_t{length} + 12;
    return chunk;
  }

  // The chunk's data, checked against its CRC.
  std::vector<std::uint8_t> Data(const Chunk& chunk) const {
    std::vector<std::uint8_t> data(chunk.length);
    // An empty vector's data() may be null, which no reader may be handed.
    if (!data.empty()) read_(chunk.dataAt, data);
    uLong crc = crc32(0, nullptr, 0);
    crc = crc32(crc, reinterpret_cast<const Bytef*>(chunk.type.data()), 4);
    // zlib answers 0 for a null buffer instead of leaving the sum alone.
    if (!data.empty()) crc = crc32(crc, data.data(), static_cast<uInt>(data.size()));
    if (static_cast<std::uint32_t>(crc) != chunk.storedCrc)
      throw MalformedPng("the " + chunk.type + " chunk is damaged (its CRC does not match)");
    return data;
  }

 private:
  void Need(std::uint64_t count, const char* what) const {
    if (count > size_ - offset_)
      throw MalformedPng("truncated file: " + std::string(what) + " needs " +
                         std::to_string(count) + " bytes at offset " + std::to_string(offset_) +
                         ", but the file has only " + std::to_string(size_) + " bytes");
  }

  std::uint64_t size_;
  const ReadFileBytes& read_;
  std::uint64_t offset_ = sizeof(kSignature);
};

std::string SizeText(std::uint32_t width, std::uint32_t height) {
  return std::to_string(width) + " x " + std::to_string(height);
}

void CheckKind(std::uint8_t depth, std::uint8_t colourType) {
  const bool validDepth = [&] {
    switch (colourType) {
      case kColourGrey:
        return depth == 1 || depth == 2 || depth == 4 || depth == 8 || depth == 16;
      case kColourPalette:
        return depth == 1 || depth == 2 || depth == 4 || depth == 8;
      case kColourRgb:
      case kColourGreyAlpha:
      case kColourRgba:
        return depth == 8 || depth == 16;
      default:
        return false;
    }
  }();
  if (!validDepth)
    throw MalformedPng("colour type " + std::to_string(colourType) + " with bit depth " +
                       std::to_string(depth) + " does not exist in PNG");
  if (colourType == kColourGrey || colourType == kColourGreyAlpha)
    throw UnsupportedPng(std::string(colourType == kColourGrey ? "grey" : "grey and alpha") +
                         " PNG pictures are not supported (only 8-bit palette, RGB and RGBA)");
  if (colourType == kColourPalette && depth != 8)
    throw UnsupportedPng("PNG palette pictures with " + std::to_string(depth) +
                         " bits per pixel are not supported (only 8)");
  if (depth == 16)
    throw UnsupportedPng("PNG pictures with 16 bits per channel are not supported (only 8)");
}

void ParseHeader(const Chunk& chunk, const ChunkWalker& walker, ChunkLayout& layout,
                 std::uint32_t maxSide, std::uint64_t maxPixels) {
  if (chunk.type != "IHDR") throw MalformedPng("the file does not begin with an IHDR chunk");
  if (chunk.length != kHeaderLength)
    throw MalformedPng("the IHDR chunk has " + std::to_string(chunk.length) +
                       " bytes instead of 13");
  const std::vector<std::uint8_t> data = walker.Data(chunk);
  const std::uint8_t* h = data.data();
  layout.width = LoadBE32(h);
  layout.height = LoadBE32(h + 4);
  layout.bitDepth = h[8];
  layout.colourType = h[9];
  if (layout.width == 0 || layout.height == 0 || layout.width > kMaxChunkLength ||
      layout.height > kMaxChunkLength)
    throw MalformedPng("picture size " + SizeText(layout.width, layout.height) +
                       " is not valid in PNG");
  if (h[10] != 0 || h[11] != 0)
    throw MalformedPng("unknown compression or filter method in the IHDR chunk");
  if (h[12] > 1) throw MalformedPng("unknown interlace method " + std::to_string(h[12]));
  layout.interlaced = h[12] == 1;
  CheckKind(layout.bitDepth, layout.colourType);
  if (layout.width > maxSide || layout.height > maxSide)
    throw MalformedPng("picture size " + SizeText(layout.width, layout.height) +
                       " exceeds the limit of " + std::to_string(maxSide) + " pixels per side");
  if (std::uint64_t{layout.width} * layout.height > maxPixels)
    throw MalformedPng("picture size " + SizeText(layout.width, layout.height) +
                       " exceeds the limit of " + std::to_string(maxPixels) + " pixels");
}

int ChannelsOf(std::uint8_t colourType) {
  return colourType == kColourRgb ? 3 : colourType == kColourRgba ? 4 : 1;
}

// Checked before any pixel memory exists, so a header claiming a huge
// picture over a few bytes of data costs nothing. Beyond a picture of
// kFreePixels, the compressed rows must also justify the work on them: a few
// hundred kilobytes of zeros must not become a gigabyte picture to decode,
// change and compress again.
void CheckDataCanHoldPicture(const ChunkLayout& layout) {
  const std::uint64_t rowBytes = std::uint64_t{layout.width} * ChannelsOf(layout.colourType) + 1;
  const std::uint64_t rawBytes = rowBytes * layout.height;
  if (layout.compressedPixelBytes * kMaxInflateRatio + kInflateSlack < rawBytes)
    throw MalformedPng("truncated file: " + std::to_string(layout.compressedPixelBytes) +
                       " bytes of compressed pixel data cannot hold a picture of " +
                       SizeText(layout.width, layout.height));
  const std::uint64_t pixels = std::uint64_t{layout.width} * layout.height;
  if (pixels > kFreePixels && layout.compressedPixelBytes * kMaxRowBytesPerByte < rawBytes)
    throw MalformedPng(
        "a picture of " + SizeText(layout.width, layout.height) + " from only " +
        std::to_string(layout.compressedPixelBytes) +
        " bytes of compressed pixel data is refused: beyond " + std::to_string(kFreePixels) +
        " pixels a PNG may compress its rows at most " + std::to_string(kMaxRowBytesPerByte) +
        " to 1 here (save it as BMP, or with less compression)");
}

// What a chunk means, for telling the user; empty for a chunk not known here.
std::string MeaningOf(const std::string& type) {
  static constexpr std::pair<const char*, const char*> kMeanings[] = {{"gAMA", "gamma"},
                                                                      {"iCCP", "colour profile"},
                                                                      {"sRGB", "colour space"},
                                                                      {"cHRM", "chromaticities"},
                                                                      {"tRNS", "transparency"},
                                                                      {"sBIT", "significant bits"},
                                                                      {"bKGD", "background"},
                                                                      {"pHYs", "pixel size"},
                                                                      {"tEXt", "text"},
                                                                      {"zTXt", "text"},
                                                                      {"iTXt", "text"},
                                                                      {"tIME", "time"},
                                                                      {"PLTE", "suggested palette"},
                                                                      {"sPLT", "suggested palette"},
                                                                      {"hIST", "histogram"},
                                                                      {"eXIf", "Exif data"},
                                                                      {"acTL", "animation"},
                                                                      {"fcTL", "animation"},
                                                                      {"fdAT", "animation"}};
  for (const auto& [name, meaning] : kMeanings)
    if (type == name) return meaning;
  return {};
}

// Chunks that stay true of a picture whose pixel bits changed, though their
// fourth letter marks them as depending on the pixels: the PNG copy rules let
// an editor keep those it knows to be unaffected.
bool KnownToStayTrue(const std::string& type) {
  static constexpr const char* kKnown[] = {"gAMA", "iCCP", "sRGB", "cHRM", "tRNS",
                                           "sBIT", "bKGD", "tIME", "sPLT", "PLTE"};
  return std::any_of(std::begin(kKnown), std::end(kKnown),
                     [&](const char* known) { return type == known; });
}

// Why a chunk is not kept, or empty when it is.
std::string RefusalOf(const std::string& type) {
  if (type == "acTL" || type == "fcTL" || type == "fdAT")
    return "only the first frame is the picture";
  if (type == "hIST") return "the pixels change";
  if (!IsSafeToCopy(type) && !KnownToStayTrue(type)) return "unknown, depends on the pixels";
  return {};
}

// Where the zlib stream of a compressed text or profile starts, or npos.
std::size_t CompressedStart(const std::string& type, const std::vector<std::uint8_t>& data) {
  const auto nul = std::find(data.begin(), data.end(), 0);
  if (nul == data.end()) return std::string::npos;
  const auto afterKeyword = static_cast<std::size_t>(nul - data.begin()) + 1;
  if (type == "zTXt" || type == "iCCP") return afterKeyword + 1;  // the method byte
  if (type != "iTXt" || afterKeyword + 2 > data.size() || data[afterKeyword] == 0)
    return std::string::npos;
  // Compressed flag, method, language tag, translated keyword, then the text.
  std::size_t at = afterKeyword + 2;
  for (int field = 0; field < 2; ++field) {
    const auto end = std::find(
        data.begin() + static_cast<std::ptrdiff_t>(std::min(at, data.size())), data.end(), 0);
    if (end == data.end()) return std::string::npos;
    at = static_cast<std::size_t>(end - data.begin()) + 1;
  }
  return at;
}

// Whether the zlib data inflates to more than `limit` bytes; data that does
// not inflate is kept as it is (it is never parsed here).
bool InflatesBeyond(std::span<const std::uint8_t> compressed, std::uint64_t limit) {
  z_stream stream{};
  if (inflateInit(&stream) != Z_OK) return false;
  stream.next_in = const_cast<Bytef*>(compressed.data());
  stream.avail_in = static_cast<uInt>(compressed.size());
  std::vector<std::uint8_t> scratch(64 * 1024);
  std::uint64_t total = 0;
  int status = Z_OK;
  while (status == Z_OK && total <= limit) {
    stream.next_out = scratch.data();
    stream.avail_out = static_cast<uInt>(scratch.size());
    status = inflate(&stream, Z_NO_FLUSH);
    total += scratch.size() - stream.avail_out;
    if (status == Z_BUF_ERROR && stream.avail_in == 0) break;
  }
  inflateEnd(&stream);
  return total > limit;
}

// Why a chunk of kept kind is too large to keep, or empty.
std::string SizeRefusalOf(const Chunk& chunk, std::uint64_t keptSoFar) {
  const std::string mib = std::to_string(kMaxKeptChunkBytes >> 20) + " MiB";
  if (chunk.length > kMaxKeptChunkBytes) return "larger than " + mib;
  if (keptSoFar + chunk.length > kMaxKeptBytes)
    return "over the " + std::to_string(kMaxKeptBytes >> 20) + " MiB kept in all";
  return {};
}

void Drop(ChunkLayout& layout, const std::string& type, const std::string& why) {
  const std::string meaning = MeaningOf(type);
  layout.dropped.push_back(type + " (" + (meaning.empty() ? "" : meaning + ", ") + why + ")");
}

}  // namespace

ChunkLayout ScanChunks(std::uint64_t fileSize, const ReadFileBytes& read, std::uint32_t maxSide,
                       std::uint64_t maxPixels) {
  std::uint8_t signature[sizeof(kSignature)] = {};
  if (fileSize >= sizeof(kSignature)) read(0, signature);
  if (fileSize < sizeof(kSignature) || std::memcmp(signature, kSignature, sizeof(kSignature)) != 0)
    throw MalformedPng("not a PNG file: it does not start with the PNG signature");
  ChunkWalker walker(fileSize, read);
  ChunkLayout layout;
  ParseHeader(walker.Next(), walker, layout, maxSide, maxPixels);
  bool palette = false, pixels = false, pixelsEnded = false;
  std::uint64_t keptBytes = 0;
  for (;;) {
    const Chunk chunk = walker.Next();
    if (chunk.type == "IEND") break;
    if (chunk.type == "IDAT") {
      if (pixelsEnded) throw MalformedPng("the IDAT chunks are not all in one run");
      pixels = true;
      layout.compressedPixelBytes += chunk.length;
      continue;
    }
    pixelsEnded = pixels;
    const bool suggestedPalette = chunk.type == "PLTE" && layout.colourType != kColourPalette;
    if (chunk.type == "PLTE" && !suggestedPalette) {
      palette = true;
      continue;
    }
    if (!IsAncillary(chunk.type) && !suggestedPalette)
      throw MalformedPng("the file holds a critical chunk " + chunk.type +
                         " that is not known here");
    const KeptPlace place = pixels                        ? KeptPlace::AfterPixels
                            : palette || suggestedPalette ? KeptPlace::BeforePixels
                                                          : KeptPlace::BeforePalette;
    if (suggestedPalette) palette = true;
    std::string why = RefusalOf(chunk.type);
    if (why.empty()) why = SizeRefusalOf(chunk, keptBytes);
    if (!why.empty()) {
      Drop(layout, chunk.type, why);
      continue;
    }
    std::vector<std::uint8_t> data = walker.Data(chunk);
    const std::size_t compressed = CompressedStart(chunk.type, data);
    if (compressed != std::string::npos && compressed < data.size() &&
        InflatesBeyond(std::span(data).subspan(compressed), kMaxKeptChunkBytes)) {
      Drop(layout, chunk.type,
           "unpacks to more than " + std::to_string(kMaxKeptChunkBytes >> 20) + " MiB");
      continue;
    }
    keptBytes += data.size();
    layout.kept.push_back({chunk.type, place, std::move(data)});
  }
  if (!pixels) throw MalformedPng("the file has no IDAT chunk (no pixel data)");
  if (layout.colourType == kColourPalette && !palette)
    throw MalformedPng("the palette picture has no PLTE chunk");
  CheckDataCanHoldPicture(layout);
  return layout;
}

ChunkLayout ScanChunks(std::span<const std::uint8_t> file, std::uint32_t maxSide,
                       std::uint64_t maxPixels) {
  const ReadFileBytes read = [file](std::uint64_t offset, std::span<std::uint8_t> into) {
    if (!into.empty()) std::memcpy(into.data(), file.data() + offset, into.size());
  };
  return ScanChunks(file.size(), read, maxSide, maxPixels);
}

std::string DescribeChunk(const std::string& type) {
  const std::string meaning = MeaningOf(type);
  return meaning.empty() ? type : type + " (" + meaning + ")";
}

}  // namespace hushlake::png
