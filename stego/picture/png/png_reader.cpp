// Reading PNG files through libpng.
//
// libpng reports errors by longjmp to a setjmp of ours. A longjmp that skips
// a C++ destructor is undefined, and throwing through libpng's C frames is
// not safe either, so every libpng call that can fail runs inside Guarded():
// the frames between its setjmp and libpng (the step functions and our I/O
// callback) hold only trivially destructible locals. Everything with a
// destructor (the Picture, the row table, the libpng handles' owner) lives
// in the callers below Guarded() and is untouched by the jump.
#include <png.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>

#include "stego/picture/png/png_chunks.h"
#include "stego/picture/png/png_codec.h"
#include "stego/picture/png/png_libpng.h"

namespace hushlake {
namespace {

using png::MalformedPng;
using png::UnsupportedPng;

// The file's bytes, handed to libpng by the read callback.
struct MemoryInput {
  const std::uint8_t* data = nullptr;
  std::size_t size = 0;
  std::size_t at = 0;
};

void ReadFromMemory(png_structp png, png_bytep into, std::size_t count) {
  auto* input = static_cast<MemoryInput*>(png_get_io_ptr(png));
  if (count > input->size - input->at) png_error(png, "the file ends inside a chunk");
  std::memcpy(into, input->data + input->at, count);
  input->at += count;
}

// Owns libpng's read handles.
class ReadHandles {
 public:
  ReadHandles() {
    png_ = png_create_read_struct(PNG_LIBPNG_VER_STRING, &report_, pnglib::RecordError,
                                  pnglib::IgnoreWarning);
    if (png_ != nullptr) info_ = png_create_info_struct(png_);
    if (png_ == nullptr || info_ == nullptr) throw MalformedPng("out of memory for libpng");
  }
  ~ReadHandles() { png_destroy_read_struct(&png_, &info_, nullptr); }
  ReadHandles(const ReadHandles&) = delete;
  ReadHandles& operator=(const ReadHandles&) = delete;

  png_structp Png() const { return png_; }
  png_infop Info() const { return info_; }
  // Runs a step; a libpng error becomes MalformedPng with libpng's reason.
  void Run(void (*step)(png_structp, png_infop, void*), void* context) {
    if (!pnglib::Guarded(png_, info_, step, context))
      throw MalformedPng(std::string("libpng: ") + report_.message);
  }

 private:
  pnglib::ErrorReport report_;
  png_structp png_ = nullptr;
  png_infop info_ = nullptr;
};

void ReadInfoStep(png_structp png, png_infop info, void* input) {
  png_set_read_fn(png, input, ReadFromMemory);
  // The chunk walk keeps the ancillary chunks; libpng need not parse or
  // apply any of them (all but tRNS, which it only records).
  png_set_keep_unknown_chunks(png, PNG_HANDLE_CHUNK_NEVER, nullptr, -1);
  png_set_user_limits(png, kPngMaxSide, kPngMaxSide);
  png_read_info(png, info);
  if (png_get_color_type(png, info) != PNG_COLOR_TYPE_PALETTE) png_set_bgr(png);
  png_set_interlace_handling(png);
  png_read_update_info(png, info);
}

void ReadRowsStep(png_structp png, png_infop, void* rows) {
  png_read_image(png, static_cast<png_bytepp>(rows));
  png_read_end(png, nullptr);
}

PixelFormat FormatOf(std::uint8_t colourType) {
  if (colourType == png::kColourPalette) return PixelFormat::Indexed8;
  return colourType == png::kColourRgb ? PixelFormat::Bgr24 : PixelFormat::Bgrx32;
}

Palette PaletteOf(png_structp png, png_infop info) {
  Palette palette{};
  png_colorp colours = nullptr;
  int count = 0;
  if (png_get_PLTE(png, info, &colours, &count) != 0)
    for (int i = 0; i < count && i < 256; ++i)
      palette[i] = PaletteEntry{colours[i].red, colours[i].green, colours[i].blue, 0};
  return palette;
}

Picture Decode(std::span<const std::uint8_t> file, const png::ChunkLayout& layout) {
  ReadHandles handles;
  MemoryInput input{file.data(), file.size(), 0};
  handles.Run(ReadInfoStep, &input);
  const std::size_t rowBytes = png_get_rowbytes(handles.Png(), handles.Info());
  // libpng writes every byte of every row (an interlaced file's passes
  // together cover each pixel once), so the pixels are not cleared first.
  Picture picture = Picture::WithUnsetPixels(
      static_cast<int>(layout.width), static_cast<int>(layout.height), FormatOf(layout.colourType));
  if (rowBytes != picture.RowBytes()) throw MalformedPng("libpng disagrees on the row size");
  if (picture.Format() == PixelFormat::Indexed8)
    picture.SetPalette(PaletteOf(handles.Png(), handles.Info()));
  std::vector<png_bytep> rows(static_cast<std::size_t>(picture.Height()));
  for (int y = 0; y < picture.Height(); ++y) rows[static_cast<std::size_t>(y)] = picture.Row(y);
  handles.Run(ReadRowsStep, rows.data());
  return picture;
}

PictureReadResult Refused(PictureReadStatus status, const std::string& error) {
  PictureReadResult result;
  result.status = status;
  result.kind = PictureFileKind::Png;
  result.error = error;
  return result;
}

}  // namespace

bool LooksLikePng(std::span<const std::uint8_t> fileStart) {
  return fileStart.size() >= sizeof(png::kSignature) &&
         std::memcmp(fileStart.data(), png::kSignature, sizeof(png::kSignature)) == 0;
}

PictureReadResult ReadPng(std::span<const std::uint8_t> fileBytes) {
  try {
    png::ChunkLayout layout = png::ScanChunks(fileBytes, kPngMaxSide, kPngMaxPixels);
    PictureReadResult result;
    result.kind = PictureFileKind::Png;
    result.picture = Decode(fileBytes, layout);
    result.source = {PictureFileKind::Png, result.picture.Format(), std::move(layout.kept)};
    result.status = PictureReadStatus::Ok;
    return result;
  } catch (const UnsupportedPng& refusal) {
    return Refused(PictureReadStatus::Unsupported, refusal.what());
  } catch (const MalformedPng& fault) {
    return Refused(PictureReadStatus::Malformed, fault.what());
  }
}

PictureReadResult ReadPngFile(const std::string& path) {
  const auto failure = [&path](const std::string& reason) {
    return Refused(PictureReadStatus::Malformed,
                   "cannot read PNG file \"" + path + "\": " + reason);
  };
  std::error_code error;
  if (!std::filesystem::is_regular_file(path, error))
    return failure(error ? error.message() : "not a regular file");
  const std::uintmax_t size = std::filesystem::file_size(path, error);
  if (error) return failure(error.message());
  if (size > kPngMaxFileBytes)
    return failure("the file is larger than " + std::to_string(kPngMaxFileBytes) + " bytes");
  std::ifstream in(path, std::ios::binary);
  // Every byte is overwritten by the read, so the buffer is not cleared first.
  auto bytes = std::make_unique_for_overwrite<std::uint8_t[]>(size);
  if (!in.read(reinterpret_cast<char*>(bytes.get()), static_cast<std::streamsize>(size)))
    return failure(std::strerror(errno));
  PictureReadResult result = ReadPng({bytes.get(), static_cast<std::size_t>(size)});
  if (result.status == PictureReadStatus::Malformed)
    result.error = "\"" + path + "\" is not a usable PNG file: " + result.error;
  return result;
}

std::string DescribeKeptChunks(const SourceFileInfo& source) {
  static constexpr std::pair<const char*, const char*> kMeanings[] = {
      {"gAMA", "gamma"},
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
      {"PLTE", "suggested palette"}};
  std::string text;
  std::vector<std::string> named;
  for (const KeptBlock& block : source.kept) {
    if (std::find(named.begin(), named.end(), block.name) != named.end()) continue;
    named.push_back(block.name);
    if (!text.empty()) text += ", ";
    text += block.name;
    for (const auto& [name, meaning] : kMeanings)
      if (block.name == name) text += std::string(" (") + meaning + ")";
  }
  return text;
}

}  // namespace hushlake
