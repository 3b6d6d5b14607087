// PNG reading and writing: the same pictures as the BMP codec gives, the
// file variants other programs write, kept ancillary chunks, and the files
// that must be refused.
#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>
#include <string>
#include <vector>

#include "stego/picture/bmp/bmp_codec.h"
#include "stego/picture/png/png_codec.h"
#include "stego/png_fixture.h"
#include "tests/common/case_names.h"
#include "tests/common/file_folder.h"

namespace hushlake {
namespace {

using pngtest::Bytes;
using pngtest::Chunk;
using pngtest::End;
using pngtest::File;
using pngtest::Header;

// Every byte random; palettes with a zero flags byte, the only value a PNG can carry.
Picture RandomPicture(int width, int height, PixelFormat format, unsigned seed) {
  std::mt19937 random(seed);
  Picture picture(width, height, format);
  for (auto& byte : picture.Pixels()) byte = static_cast<std::uint8_t>(random());
  if (format == PixelFormat::Indexed8) {
    Palette palette;
    for (auto& entry : palette)
      entry = {static_cast<std::uint8_t>(random()), static_cast<std::uint8_t>(random()),
               static_cast<std::uint8_t>(random()), 0};
    picture.SetPalette(palette);
  }
  return picture;
}

struct StoredChunk {
  std::string type;
  Bytes whole;  // length, type, data and CRC
  bool operator==(const StoredChunk&) const = default;
};

std::vector<StoredChunk> ChunksOf(const Bytes& file) {
  std::vector<StoredChunk> chunks;
  for (std::size_t at = 8; at + 12 <= file.size();) {
    const std::size_t length = (std::size_t{file[at]} << 24) | (std::size_t{file[at + 1]} << 16) |
                               (std::size_t{file[at + 2]} << 8) | file[at + 3];
    const auto begin = file.begin() + static_cast<long>(at);
    chunks.push_back(
        {std::string(begin + 4, begin + 8), Bytes(begin, begin + 12 + static_cast<long>(length))});
    at += 12 + length;
  }
  return chunks;
}

std::vector<std::string> TypesOf(const std::vector<StoredChunk>& chunks) {
  std::vector<std::string> types;
  for (const StoredChunk& chunk : chunks) types.push_back(chunk.type);
  return types;
}

// ---------------------------------------------------------------- round trips

struct RoundTripCase {
  PixelFormat format;
  int width;
  int height;
};

void PrintTo(const RoundTripCase& c, std::ostream* out) {
  *out << test::FormatName(c.format) << "_" << c.width << "x" << c.height;
}

class PngRoundTrip : public ::testing::TestWithParam<RoundTripCase> {};

TEST_P(PngRoundTrip, GivesThePictureTheBmpCodecGives) {
  const RoundTripCase& c = GetParam();
  const Picture picture = RandomPicture(c.width, c.height, c.format, 11);
  const PictureReadResult viaBmp = ReadBmp(WriteBmp(picture));
  ASSERT_EQ(viaBmp.status, PictureReadStatus::Ok) << viaBmp.error;
  const Bytes png = WritePng(viaBmp.picture);
  EXPECT_TRUE(LooksLikePng(png));
  const PictureReadResult viaPng = ReadPng(png);
  ASSERT_EQ(viaPng.status, PictureReadStatus::Ok) << viaPng.error;
  EXPECT_TRUE(viaPng.error.empty());
  EXPECT_EQ(viaPng.picture, picture);
  EXPECT_EQ(viaPng.source.kind, PictureFileKind::Png);
  EXPECT_EQ(viaPng.source.format, c.format);
  EXPECT_TRUE(viaPng.source.kept.empty());
  // Back into a BMP: the very file the picture first made.
  EXPECT_EQ(WriteBmp(viaPng.picture), WriteBmp(picture));
}

INSTANTIATE_TEST_SUITE_P(AllFormats, PngRoundTrip,
                         ::testing::Values(RoundTripCase{PixelFormat::Indexed8, 24, 24},
                                           RoundTripCase{PixelFormat::Indexed8, 1, 1},
                                           RoundTripCase{PixelFormat::Indexed8, 77, 5},
                                           RoundTripCase{PixelFormat::Bgr24, 24, 24},
                                           RoundTripCase{PixelFormat::Bgr24, 33, 7},
                                           RoundTripCase{PixelFormat::Bgrx32, 24, 24},
                                           RoundTripCase{PixelFormat::Bgrx32, 5, 9}),
                         test::ByPrintedParam());

TEST(PngWrite, PaletteFileHasAll256EntriesAndNoInterlace) {
  const Bytes png = WritePng(RandomPicture(3, 2, PixelFormat::Indexed8, 1));
  const std::vector<StoredChunk> chunks = ChunksOf(png);
  ASSERT_EQ(TypesOf(chunks), (std::vector<std::string>{"IHDR", "PLTE", "IDAT", "IEND"}));
  EXPECT_EQ(chunks[0].whole, Chunk("IHDR", Header(3, 2, 8, 3, 0)));
  EXPECT_EQ(chunks[1].whole.size(), 12u + 768u);
}

TEST(PngWrite, PaletteFlagsHaveNoPlaceAndReadBackZero) {
  Picture picture = RandomPicture(4, 4, PixelFormat::Indexed8, 2);
  Palette palette = picture.GetPalette();
  palette[7].flags = 5;
  picture.SetPalette(palette);
  const PictureReadResult back = ReadPng(WritePng(picture));
  ASSERT_EQ(back.status, PictureReadStatus::Ok) << back.error;
  palette[7].flags = 0;
  EXPECT_EQ(back.picture.GetPalette(), palette);
  EXPECT_EQ(back.picture.Pixels().size(), picture.Pixels().size());
  EXPECT_TRUE(
      std::equal(picture.Pixels().begin(), picture.Pixels().end(), back.picture.Pixels().begin()));
}

TEST(PngWrite, EveryCompressionLevelReadsBackTheSame) {
  const Picture picture = RandomPicture(40, 30, PixelFormat::Bgr24, 3);
  for (int level : {0, 1, 3, 6, 9}) {
    const PictureReadResult back = ReadPng(WritePng(picture, {}, level));
    ASSERT_EQ(back.status, PictureReadStatus::Ok) << level << ": " << back.error;
    EXPECT_EQ(back.picture, picture) << level;
  }
}

TEST(PngWrite, EmptyPictureIsRefused) { EXPECT_THROW(WritePng(Picture()), PngWriteError); }

// ------------------------------------------------- files other programs write

// Rows of a 3 x 2 picture as a PNG stores them (red, green, blue[, alpha]).
const std::vector<Bytes> kRgbRows = {{1, 2, 3, 4, 5, 6, 7, 8, 9},
                                     {10, 11, 12, 13, 14, 15, 16, 17, 18}};
const std::vector<Bytes> kRgbaRows = {{1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12},
                                      {13, 14, 15, 0, 17, 18, 19, 20, 21, 22, 23, 24}};

Bytes Idat(const std::vector<Bytes>& rows, std::size_t bytesPerPixel, bool interlaced = false) {
  return Chunk("IDAT", pngtest::Compress(pngtest::FilteredRows(rows, bytesPerPixel, interlaced)));
}

TEST(PngRead, RgbComesOutBlueGreenRedFromTheTop) {
  const PictureReadResult result =
      ReadPng(File({Chunk("IHDR", Header(3, 2, 8, 2)), Idat(kRgbRows, 3), End()}));
  ASSERT_EQ(result.status, PictureReadStatus::Ok) << result.error;
  ASSERT_EQ(result.picture.Format(), PixelFormat::Bgr24);
  EXPECT_EQ(Bytes(result.picture.Row(0), result.picture.Row(0) + 9),
            (Bytes{3, 2, 1, 6, 5, 4, 9, 8, 7}));
  EXPECT_EQ(Bytes(result.picture.Row(1), result.picture.Row(1) + 9),
            (Bytes{12, 11, 10, 15, 14, 13, 18, 17, 16}));
}

TEST(PngRead, RgbaKeepsAlphaAsTheFourthByteAndNeverAppliesIt) {
  const PictureReadResult result =
      ReadPng(File({Chunk("IHDR", Header(3, 2, 8, 6)), Idat(kRgbaRows, 4), End()}));
  ASSERT_EQ(result.status, PictureReadStatus::Ok) << result.error;
  ASSERT_EQ(result.picture.Format(), PixelFormat::Bgrx32);
  // The fully transparent pixel keeps its colour.
  EXPECT_EQ(Bytes(result.picture.Row(1), result.picture.Row(1) + 12),
            (Bytes{15, 14, 13, 0, 19, 18, 17, 20, 23, 22, 21, 24}));
}

TEST(PngRead, ShortPaletteLeavesTheOtherEntriesZeroAndIndicesAsTheyAre) {
  // Index 9 lies past the three entries, as in a BMP with a short colour table.
  const Bytes file =
      File({Chunk("IHDR", Header(4, 1, 8, 3)), Chunk("PLTE", {10, 20, 30, 40, 50, 60, 70, 80, 90}),
            Idat({{2, 0, 9, 1}}, 1), End()});
  const PictureReadResult result = ReadPng(file);
  ASSERT_EQ(result.status, PictureReadStatus::Ok) << result.error;
  ASSERT_EQ(result.picture.Format(), PixelFormat::Indexed8);
  EXPECT_EQ(Bytes(result.picture.Row(0), result.picture.Row(0) + 4), (Bytes{2, 0, 9, 1}));
  Palette expected{};
  expected[0] = {10, 20, 30, 0};
  expected[1] = {40, 50, 60, 0};
  expected[2] = {70, 80, 90, 0};
  EXPECT_EQ(result.picture.GetPalette(), expected);
  // Written back with all 256 entries, as the BMP writer does.
  const PictureReadResult back = ReadPng(WritePng(result.picture));
  ASSERT_EQ(back.status, PictureReadStatus::Ok) << back.error;
  EXPECT_EQ(back.picture, result.picture);
}

TEST(PngRead, InterlacedFilesGiveTheSamePictureAndAreWrittenPlain) {
  struct Case {
    std::uint8_t colourType;
    std::size_t bytesPerPixel;
    PixelFormat format;
  };
  for (const Case& c : {Case{2, 3, PixelFormat::Bgr24}, Case{6, 4, PixelFormat::Bgrx32},
                        Case{3, 1, PixelFormat::Indexed8}}) {
    // 13 x 11: every Adam7 pass has pixels, and some passes end short.
    const Picture picture = RandomPicture(13, 11, c.format, 4);
    const Bytes plain = WritePng(picture);
    std::vector<StoredChunk> chunks = ChunksOf(plain);
    std::vector<Bytes> rows;
    const PictureReadResult plainRead = ReadPng(plain);
    ASSERT_EQ(plainRead.status, PictureReadStatus::Ok) << plainRead.error;
    // The rows in PNG channel order: swap blue and red back.
    for (int y = 0; y < picture.Height(); ++y) {
      Bytes row(picture.Row(y), picture.Row(y) + picture.RowBytes());
      if (c.bytesPerPixel > 1)
        for (std::size_t x = 0; x < row.size(); x += c.bytesPerPixel) std::swap(row[x], row[x + 2]);
      rows.push_back(row);
    }
    std::vector<Bytes> parts = {Chunk("IHDR", Header(13, 11, 8, c.colourType, 1))};
    if (c.colourType == 3) parts.push_back(chunks[1].whole);  // the PLTE
    parts.push_back(Idat(rows, c.bytesPerPixel, true));
    parts.push_back(End());
    const PictureReadResult interlaced = ReadPng(File(parts));
    ASSERT_EQ(interlaced.status, PictureReadStatus::Ok) << interlaced.error;
    EXPECT_EQ(interlaced.picture, picture);
    EXPECT_EQ(WritePng(interlaced.picture), plain);
  }
}

// ------------------------------------------------------------ kept chunks

TEST(PngChunks, AncillaryChunksAreKeptByteForByteInTheirPlacesAndNotApplied) {
  const Bytes gama = Chunk("gAMA", {0, 0, 0xB1, 0x8F});
  const Bytes iccp = Chunk("iCCP", {'x', 0, 0, 1, 2, 3});  // a broken profile: never parsed
  const Bytes trns = Chunk("tRNS", {0, 128});
  const Bytes text = Chunk("tEXt", {'C', 'o', 'm', 'm', 'e', 'n', 't', 0, 'h', 'i'});
  const Bytes time = Chunk("tIME", {7, 234, 12, 10, 13, 0, 0});
  const Bytes privateChunk = Chunk("prVt", {1, 2, 3});
  const Bytes emptyChunk = Chunk("prVe", {});  // no data at all: nothing to read, still kept
  const Bytes palette = Chunk("PLTE", {10, 20, 30, 40, 50, 60});
  const Bytes file = File({Chunk("IHDR", Header(2, 1, 8, 3)), gama, iccp, palette, trns, text,
                           Idat({{1, 0}}, 1), time, privateChunk, emptyChunk, End()});
  const PictureReadResult result = ReadPng(file);
  ASSERT_EQ(result.status, PictureReadStatus::Ok) << result.error;
  // Transparency and gamma are not applied: indices and entries as stored.
  EXPECT_EQ(Bytes(result.picture.Row(0), result.picture.Row(0) + 2), (Bytes{1, 0}));
  EXPECT_EQ(result.picture.GetPalette()[0], (PaletteEntry{10, 20, 30, 0}));
  EXPECT_EQ(DescribeKeptChunks(result.source),
            "gAMA (gamma), iCCP (colour profile), tRNS (transparency), tEXt (text), "
            "tIME (time), prVt, prVe");

  const std::vector<StoredChunk> written = ChunksOf(WritePng(result.picture, result.source));
  EXPECT_EQ(TypesOf(written),
            (std::vector<std::string>{"IHDR", "gAMA", "iCCP", "PLTE", "tRNS", "tEXt", "IDAT",
                                      "tIME", "prVt", "prVe", "IEND"}));
  const std::vector<Bytes> expected = {gama, iccp, trns, text, time, privateChunk, emptyChunk};
  std::vector<Bytes> kept;
  for (const StoredChunk& chunk : written)
    if (chunk.type != "IHDR" && chunk.type != "PLTE" && chunk.type != "IDAT" &&
        chunk.type != "IEND")
      kept.push_back(chunk.whole);
  EXPECT_EQ(kept, expected);
}

TEST(PngChunks, SuggestedPaletteOfAnRgbFileIsKept) {
  const Bytes suggested = Chunk("PLTE", {1, 2, 3});
  const Bytes file = File({Chunk("IHDR", Header(3, 2, 8, 2)), Chunk("sRGB", {0}), suggested,
                           Chunk("bKGD", {0, 1, 0, 2, 0, 3}), Idat(kRgbRows, 3), End()});
  const PictureReadResult result = ReadPng(file);
  ASSERT_EQ(result.status, PictureReadStatus::Ok) << result.error;
  const std::vector<StoredChunk> written = ChunksOf(WritePng(result.picture, result.source));
  EXPECT_EQ(TypesOf(written),
            (std::vector<std::string>{"IHDR", "sRGB", "PLTE", "bKGD", "IDAT", "IEND"}));
  EXPECT_EQ(written[2].whole, suggested);
}

TEST(PngChunks, GoBackOnlyIntoAPngOfTheSourcesPixelFormat) {
  const PictureReadResult rgb =
      ReadPng(File({Chunk("IHDR", Header(3, 2, 8, 2)), Chunk("gAMA", {0, 0, 0xB1, 0x8F}),
                    Idat(kRgbRows, 3), End()}));
  ASSERT_EQ(rgb.status, PictureReadStatus::Ok) << rgb.error;
  ASSERT_EQ(rgb.source.kept.size(), 1u);
  const Picture other = RandomPicture(3, 2, PixelFormat::Bgrx32, 5);
  EXPECT_EQ(TypesOf(ChunksOf(WritePng(other, rgb.source))),
            (std::vector<std::string>{"IHDR", "IDAT", "IEND"}));
  SourceFileInfo fromBmp = rgb.source;
  fromBmp.kind = PictureFileKind::Bmp;
  EXPECT_EQ(TypesOf(ChunksOf(WritePng(rgb.picture, fromBmp))),
            (std::vector<std::string>{"IHDR", "IDAT", "IEND"}));
}

Bytes Concat(Bytes first, const Bytes& second) {
  first.insert(first.end(), second.begin(), second.end());
  return first;
}

// zlib data of `size` zeros: a few kilobytes that unpack to megabytes.
Bytes ZerosCompressed(std::size_t size) { return pngtest::Compress(Bytes(size, 0)); }

Bytes Text(const std::string& keyword, const Bytes& body) {
  Bytes data(keyword.begin(), keyword.end());
  data.push_back(0);
  data.insert(data.end(), body.begin(), body.end());
  return data;
}

// The PNG copy rules for a picture whose pixels change: what depends on the
// pixels and is not known to stay true, animation chunks and what is too
// large are left out, each named with the reason; the rest is kept.
TEST(PngChunks, CopyRulesAndCapsDecideWhatIsKeptAndNameWhatIsNot) {
  const std::size_t mib = 1 << 20;
  const Bytes bigText = Text("Comment", Bytes(mib, 'a'));
  const Bytes zeroMethod = {0};  // compression method 0, then the zlib stream
  const Bytes bomb = Concat(zeroMethod, ZerosCompressed(2 * mib));
  const Bytes smallZtxt = Text("Title", Concat(zeroMethod, ZerosCompressed(100)));
  const Bytes file =
      File({Chunk("IHDR", Header(3, 2, 8, 2)), Chunk("acTL", {0, 0, 0, 2, 0, 0, 0, 0}),
            Chunk("fcTL", Bytes(26, 0)), Chunk("gAMA", {0, 0, 0xB1, 0x8F}),
            Chunk("prVT", {1}),  // private, depends on the pixels
            Chunk("prVt", {2}),  // private, safe to copy
            Chunk("hIST", {0, 1}), Chunk("tEXt", bigText), Chunk("zTXt", Text("Bomb", bomb)),
            Chunk("iCCP", Text("Profile", bomb)),
            Chunk("iTXt", Text("Bomb", Concat({1, 0, 0, 0}, ZerosCompressed(2 * mib)))),
            Chunk("iTXt", Text("Plain", {0, 0, 'e', 'n', 0, 0, 'h', 'i'})),
            Chunk("zTXt", smallZtxt), Idat(kRgbRows, 3), Chunk("fcTL", Bytes(26, 0)),
            Chunk("fdAT", {0, 0, 0, 1, 1, 2, 3}), End()});
  const PictureReadResult result = ReadPng(file);
  ASSERT_EQ(result.status, PictureReadStatus::Ok) << result.error;
  const std::vector<StoredChunk> written = ChunksOf(WritePng(result.picture, result.source));
  EXPECT_EQ(TypesOf(written),
            (std::vector<std::string>{"IHDR", "gAMA", "prVt", "iTXt", "zTXt", "IDAT", "IEND"}));
  EXPECT_EQ(DescribeDroppedChunks(result.source),
            "acTL (animation, only the first frame is the picture), "
            "fcTL (animation, only the first frame is the picture), "
            "prVT (unknown, depends on the pixels), hIST (histogram, the pixels change), "
            "tEXt (text, larger than 1 MiB), zTXt (text, unpacks to more than 1 MiB), "
            "iCCP (colour profile, unpacks to more than 1 MiB), "
            "iTXt (text, unpacks to more than 1 MiB), "
            "fdAT (animation, only the first frame is the picture)");
}

TEST(PngChunks, WhatIsKeptInAllIsCapped) {
  std::vector<Bytes> parts = {Chunk("IHDR", Header(3, 2, 8, 2))};
  const Bytes almostMib = Text("Comment", Bytes((1 << 20) - 8, 'b'));
  for (int i = 0; i < 9; ++i) parts.push_back(Chunk("tEXt", almostMib));
  parts.push_back(Idat(kRgbRows, 3));
  parts.push_back(End());
  const PictureReadResult result = ReadPng(File(parts));
  ASSERT_EQ(result.status, PictureReadStatus::Ok) << result.error;
  EXPECT_EQ(result.source.kept.size(), 8u);
  EXPECT_EQ(DescribeDroppedChunks(result.source), "tEXt (text, over the 8 MiB kept in all)");
}

// A header's size is only believed when the data can hold it and, beyond
// kFreePixels, when the data is not far smaller than the rows it describes.
TEST(PngChunks, AHugePictureFromTinyDataIsRefusedBeforeDecoding) {
  const std::uint32_t side = 5000;  // 25 million pixels, 75 MB of rows
  const Bytes rows = ZerosCompressed(std::size_t{side} * (3 * side + 1));
  const PictureReadResult result =
      ReadPng(File({Chunk("IHDR", Header(side, side, 8, 2)), Chunk("IDAT", rows), End()}));
  EXPECT_EQ(result.status, PictureReadStatus::Malformed);
  EXPECT_NE(result.error.find("compress its rows at most 64 to 1"), std::string::npos)
      << result.error;
  EXPECT_TRUE(result.picture.Empty());
}

// ------------------------------------------------------------- refusals

Bytes ValidRgb() { return File({Chunk("IHDR", Header(3, 2, 8, 2)), Idat(kRgbRows, 3), End()}); }

Bytes Cut(Bytes file, std::size_t size) {
  file.resize(size);
  return file;
}

Bytes WithByte(Bytes file, std::size_t at, std::uint8_t value) {
  file[at] = value;
  return file;
}

struct RefusalCase {
  const char* name;
  Bytes file;
  PictureReadStatus status;
  const char* reason;  // a part of the message
};

void PrintTo(const RefusalCase& c, std::ostream* out) { *out << c.name; }

class PngRefusal : public ::testing::TestWithParam<RefusalCase> {};

TEST_P(PngRefusal, IsRefusedWithTheReason) {
  const RefusalCase& c = GetParam();
  const PictureReadResult result = ReadPng(c.file);
  EXPECT_EQ(result.status, c.status) << result.error;
  EXPECT_TRUE(result.picture.Empty());
  EXPECT_NE(result.error.find(c.reason), std::string::npos) << result.error;
}

std::vector<RefusalCase> RefusalCases() {
  const Bytes valid = ValidRgb();
  const Bytes idat = Idat(kRgbRows, 3);
  const Bytes garbage = Chunk("IDAT", {0x78, 0x9C, 0xFF, 0xFF, 0xFF, 0xFF, 0x00});
  const auto rgbWith = [](const std::vector<Bytes>& middle) {
    std::vector<Bytes> parts = {Chunk("IHDR", Header(3, 2, 8, 2))};
    parts.insert(parts.end(), middle.begin(), middle.end());
    parts.push_back(End());
    return File(parts);
  };
  const auto kind = [&](std::uint8_t depth, std::uint8_t colourType) {
    return File({Chunk("IHDR", Header(3, 2, depth, colourType)), idat, End()});
  };
  const PictureReadStatus bad = PictureReadStatus::Malformed,
                          unsupported = PictureReadStatus::Unsupported;
  return {
      {"Empty", {}, bad, "not a PNG file"},
      {"BmpFile", WriteBmp(Picture(2, 2, PixelFormat::Bgr24)), bad, "not a PNG file"},
      {"SignatureOnly", Cut(valid, 8), bad, "truncated file: a chunk header"},
      {"CutInHeader", Cut(valid, 20), bad, "truncated file: the IHDR chunk needs"},
      {"CutInPixels", Cut(valid, 8 + 25 + 20), bad, "the IDAT chunk needs"},
      {"NoEnd", Cut(valid, valid.size() - 12), bad, "truncated file"},
      {"HeaderCrc", WithByte(valid, 29, static_cast<std::uint8_t>(valid[29] ^ 1)), bad,
       "IHDR chunk is damaged"},
      {"KeptChunkCrc", WithByte(rgbWith({Chunk("tEXt", {'a', 0, 'b'}), idat}), 41, 'c'), bad,
       "tEXt chunk is damaged"},
      {"PixelDataCrc", WithByte(valid, 8 + 25 + 10, 0), bad, "libpng"},
      {"CorruptPixelData", rgbWith({garbage}), bad, "libpng"},
      {"TooFewPixels", rgbWith({Chunk("IDAT", pngtest::Compress({0, 1, 2, 3}))}), bad, "libpng"},
      {"FirstChunkNotHeader", File({idat, Chunk("IHDR", Header(3, 2, 8, 2)), End()}), bad,
       "does not begin with an IHDR"},
      {"ZeroWidth", File({Chunk("IHDR", Header(0, 2, 8, 2)), idat, End()}), bad,
       "picture size 0 x 2"},
      {"TooWide", File({Chunk("IHDR", Header(kPngMaxSide + 1, 2, 8, 2)), idat, End()}), bad,
       "pixels per side"},
      {"TooManyPixels", File({Chunk("IHDR", Header(1 << 15, 1 << 14, 8, 2)), idat, End()}), bad,
       "exceeds the limit of"},
      {"LyingSizeOverTinyData", File({Chunk("IHDR", Header(10000, 10000, 8, 6)), idat, End()}), bad,
       "cannot hold a picture of 10000 x 10000"},
      {"NoPixelData", rgbWith({}), bad, "no IDAT chunk"},
      {"SplitPixelData", rgbWith({idat, Chunk("tEXt", {'a', 0}), idat}), bad, "not all in one run"},
      {"PaletteWithoutPlte",
       File({Chunk("IHDR", Header(3, 2, 8, 3)), Idat({{0, 0, 0}, {0, 0, 0}}, 1), End()}), bad,
       "no PLTE"},
      {"UnknownCriticalChunk", rgbWith({Chunk("CRIT", {1}), idat}), bad, "critical chunk CRIT"},
      {"NotAChunkType", rgbWith({Chunk("a1b2", {}), idat}), bad, "not a chunk type"},
      {"ImpossibleDepth", kind(3, 2), bad, "colour type 2 with bit depth 3"},
      {"UnknownInterlace", File({Chunk("IHDR", Header(3, 2, 8, 2, 2)), idat, End()}), bad,
       "interlace method 2"},
      {"Rgb16", kind(16, 2), unsupported, "16 bits per channel"},
      {"Rgba16", kind(16, 6), unsupported, "16 bits per channel"},
      {"Grey8", kind(8, 0), unsupported, "grey PNG pictures are not supported"},
      {"Grey1", kind(1, 0), unsupported, "grey PNG pictures are not supported"},
      {"GreyAlpha8", kind(8, 4), unsupported, "grey and alpha PNG pictures"},
      {"Palette4", kind(4, 3), unsupported, "palette pictures with 4 bits per pixel"},
      {"Palette1", kind(1, 3), unsupported, "palette pictures with 1 bits per pixel"},
  };
}

INSTANTIATE_TEST_SUITE_P(BrokenAndUnsupported, PngRefusal, ::testing::ValuesIn(RefusalCases()),
                         [](const auto& tested) { return std::string(tested.param.name); });

// ------------------------------------------------------------------ files

class PngFiles : public test::FileFolder {
 protected:
  PngFiles() : FileFolder("png_codec_test_") {}
};

TEST_F(PngFiles, WrittenFileReadsBackWithItsChunksAndNoTemporaryFileRemains) {
  const PictureReadResult source =
      ReadPng(File({Chunk("IHDR", Header(3, 2, 8, 2)), Chunk("gAMA", {0, 0, 0xB1, 0x8F}),
                    Idat(kRgbRows, 3), End()}));
  ASSERT_EQ(source.status, PictureReadStatus::Ok) << source.error;
  const std::string path = (folder_ / "out.png").string();
  WritePngFile(source.picture, path, source.source);
  EXPECT_EQ(Listing(), std::vector<std::string>{"out.png"});
  EXPECT_EQ(Contents(path), WritePng(source.picture, source.source));
  const PictureReadResult back = ReadPngFile(path);
  ASSERT_EQ(back.status, PictureReadStatus::Ok) << back.error;
  EXPECT_EQ(back.picture, source.picture);
  EXPECT_EQ(back.source, source.source);
}

TEST_F(PngFiles, MissingFolderThrowsAndCreatesNothing) {
  const std::filesystem::path path = folder_ / "missing" / "out.png";
  try {
    WritePngFile(RandomPicture(4, 4, PixelFormat::Bgr24, 3), path.string());
    FAIL() << "no error";
  } catch (const PngWriteError& error) {
    EXPECT_NE(std::string(error.what()).find(path.string()), std::string::npos) << error.what();
  }
  EXPECT_TRUE(Listing().empty());
}

TEST_F(PngFiles, UnreadableFilesAreMalformedNamingThePath) {
  const std::string missing = (folder_ / "nothing.png").string();
  const PictureReadResult none = ReadPngFile(missing);
  EXPECT_EQ(none.status, PictureReadStatus::Malformed);
  EXPECT_NE(none.error.find(missing), std::string::npos) << none.error;
  const PictureReadResult folder = ReadPngFile(folder_.string());
  EXPECT_EQ(folder.status, PictureReadStatus::Malformed);
  EXPECT_NE(folder.error.find("not a regular file"), std::string::npos) << folder.error;
  const std::string broken = (folder_ / "broken.png").string();
  const Bytes file = Cut(ValidRgb(), 40);
  std::ofstream(broken, std::ios::binary)
      .write(reinterpret_cast<const char*>(file.data()), static_cast<std::streamsize>(file.size()));
  const PictureReadResult cut = ReadPngFile(broken);
  EXPECT_EQ(cut.status, PictureReadStatus::Malformed);
  EXPECT_EQ(cut.error, "\"" + broken + "\" is not a usable PNG file: " + ReadPng(file).error);
}

}  // namespace
}  // namespace hushlake
