// Writing Pictures as PNG files through libpng, in the picture's own pixel
// format, with the kept chunks of a source PNG put back in their places.
// libpng's errors are handled as the reader handles them (png_libpng.h).
#include <png.h>

#include <array>
#include <cstring>
#include <string>

#include "platform/atomic_file.h"
#include "stego/picture/png/png_codec.h"
#include "stego/picture/png/png_libpng.h"

namespace hushlake {
namespace {

// Where libpng's output goes; Append never throws, so the callback can turn
// a failure into a libpng error with nothing to unwind.
struct Output {
  std::vector<std::uint8_t> bytes;
  bool Append(const std::uint8_t* data, std::size_t count) noexcept {
    try {
      bytes.insert(bytes.end(), data, data + count);
      return true;
    } catch (...) {
      return false;
    }
  }
};

void WriteToMemory(png_structp png, png_bytep data, std::size_t count) {
  if (!static_cast<Output*>(png_get_io_ptr(png))->Append(data, count))
    png_error(png, "out of memory for the written file");
}

void FlushNothing(png_structp) {}

// A kept chunk as libpng takes it, with no destructor of its own.
struct ChunkView {
  png_byte type[5] = {};
  const std::uint8_t* data = nullptr;
  std::size_t size = 0;
  KeptPlace place = KeptPlace::BeforePixels;
};

// Everything the write step needs, in plain form.
struct WritePlan {
  Output* output = nullptr;
  png_uint_32 width = 0;
  png_uint_32 height = 0;
  int colourType = 0;
  int compressionLevel = kPngCompressionLevel;
  const png_color* palette = nullptr;  // 256 entries, palette pictures only
  png_bytepp rows = nullptr;
  const ChunkView* chunks = nullptr;
  std::size_t chunkCount = 0;
};

void WriteChunks(png_structp png, const WritePlan& plan, KeptPlace place) {
  for (std::size_t i = 0; i < plan.chunkCount; ++i)
    if (plan.chunks[i].place == place)
      png_write_chunk(png, plan.chunks[i].type, plan.chunks[i].data, plan.chunks[i].size);
}

void WriteStep(png_structp png, png_infop info, void* context) {
  const WritePlan& plan = *static_cast<const WritePlan*>(context);
  png_set_write_fn(png, plan.output, WriteToMemory, FlushNothing);
  png_set_IHDR(png, info, plan.width, plan.height, 8, plan.colourType, PNG_INTERLACE_NONE,
               PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
  if (plan.palette != nullptr) png_set_PLTE(png, info, plan.palette, 256);
  png_set_compression_level(png, plan.compressionLevel);
  png_write_info_before_PLTE(png, info);
  WriteChunks(png, plan, KeptPlace::BeforePalette);
  png_write_info(png, info);
  WriteChunks(png, plan, KeptPlace::BeforePixels);
  if (plan.colourType != PNG_COLOR_TYPE_PALETTE) png_set_bgr(png);
  png_write_image(png, plan.rows);
  WriteChunks(png, plan, KeptPlace::AfterPixels);
  png_write_end(png, nullptr);
}

class WriteHandles {
 public:
  WriteHandles() {
    png_ = png_create_write_struct(PNG_LIBPNG_VER_STRING, &report_, pnglib::RecordError,
                                   pnglib::IgnoreWarning);
    if (png_ != nullptr) info_ = png_create_info_struct(png_);
    if (png_ == nullptr || info_ == nullptr) throw PngWriteError("out of memory for libpng");
  }
  ~WriteHandles() { png_destroy_write_struct(&png_, &info_); }
  WriteHandles(const WriteHandles&) = delete;
  WriteHandles& operator=(const WriteHandles&) = delete;

  void Run(WritePlan& plan) {
    if (!pnglib::Guarded(png_, info_, WriteStep, &plan))
      throw PngWriteError(std::string("cannot write the picture as PNG: ") + report_.message);
  }

 private:
  pnglib::ErrorReport report_;
  png_structp png_ = nullptr;
  png_infop info_ = nullptr;
};

int ColourTypeOf(PixelFormat format) {
  switch (format) {
    case PixelFormat::Indexed8:
      return PNG_COLOR_TYPE_PALETTE;
    case PixelFormat::Bgr24:
      return PNG_COLOR_TYPE_RGB;
    case PixelFormat::Bgrx32:
      return PNG_COLOR_TYPE_RGB_ALPHA;
  }
  return PNG_COLOR_TYPE_RGB;
}

void CheckWritable(const Picture& picture) {
  if (picture.Empty()) throw PngWriteError("cannot write an empty picture as PNG");
  const auto pixels =
      static_cast<std::uint64_t>(picture.Width()) * static_cast<std::uint64_t>(picture.Height());
  if (picture.Width() > kPngMaxSide || picture.Height() > kPngMaxSide || pixels > kPngMaxPixels)
    throw PngWriteError("cannot write a picture of " + std::to_string(picture.Width()) + " x " +
                        std::to_string(picture.Height()) +
                        " pixels as PNG: it is larger than a PNG file may be here");
}

// A source PNG's chunks describe its own pixel format; they go back only into
// a picture that still has it.
std::vector<ChunkView> KeptChunks(const Picture& picture, const SourceFileInfo& source) {
  std::vector<ChunkView> chunks;
  if (source.kind != PictureFileKind::Png || source.format != picture.Format()) return chunks;
  for (const KeptBlock& block : source.kept) {
    if (block.name.size() != 4) continue;
    ChunkView view;
    std::memcpy(view.type, block.name.data(), 4);
    view.data = block.bytes.data();
    view.size = block.bytes.size();
    view.place = block.place;
    chunks.push_back(view);
  }
  return chunks;
}

std::size_t KeptBytes(const std::vector<ChunkView>& chunks) {
  std::size_t total = 0;
  for (const ChunkView& chunk : chunks) total += chunk.size + 12;
  return total;
}

}  // namespace

std::vector<std::uint8_t> WritePng(const Picture& picture, const SourceFileInfo& source,
                                   int compressionLevel) {
  CheckWritable(picture);
  std::array<png_color, 256> palette{};
  for (std::size_t i = 0; i < palette.size(); ++i) {
    const PaletteEntry& entry = picture.GetPalette()[i];
    palette[i] = png_color{entry.red, entry.green, entry.blue};
  }
  std::vector<png_bytep> rows(static_cast<std::size_t>(picture.Height()));
  // libpng takes non-const row pointers but only reads them when writing.
  for (int y = 0; y < picture.Height(); ++y)
    rows[static_cast<std::size_t>(y)] = const_cast<std::uint8_t*>(picture.Row(y));
  const std::vector<ChunkView> chunks = KeptChunks(picture, source);
  Output output;
  // Room for the rows uncompressed: the vector never moves while libpng
  // writes, and the pages beyond what is written are never touched.
  output.bytes.reserve(picture.Pixels().size() + static_cast<std::size_t>(picture.Height()) +
                       KeptBytes(chunks) + 65536);
  WritePlan plan;
  plan.output = &output;
  plan.width = static_cast<png_uint_32>(picture.Width());
  plan.height = static_cast<png_uint_32>(picture.Height());
  plan.colourType = ColourTypeOf(picture.Format());
  plan.compressionLevel = compressionLevel;
  plan.palette = picture.Format() == PixelFormat::Indexed8 ? palette.data() : nullptr;
  plan.rows = rows.data();
  plan.chunks = chunks.data();
  plan.chunkCount = chunks.size();
  WriteHandles handles;
  handles.Run(plan);
  return std::move(output.bytes);
}

void WritePngFile(const Picture& picture, const std::string& path, const SourceFileInfo& source) {
  const std::vector<std::uint8_t> bytes = WritePng(picture, source);
  try {
    WriteFileAtomically(path, bytes);
  } catch (const EFileWrite& error) {
    throw PngWriteError(error.what());
  }
}

}  // namespace hushlake
