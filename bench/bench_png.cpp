// PNG reading and writing of a 4000 x 3000 RGB picture (36 MB of pixels),
// beside libpng's own simplified API on the same picture with the same
// settings. The codec should stay within 1.5 times libpng's time.
//
// The picture is photograph-like: smooth shading with fine texture, plus the
// low-bit noise the engine adds to 24-bit pictures, so its compressed size
// and speed are those of a real stego picture rather than of random bytes
// (which no level compresses) or flat colour (which every level does).
//
// Write benchmarks report the file size; the levels show the trade between
// size and time behind kPngCompressionLevel.
#include <benchmark/benchmark.h>
#include <png.h>
#include <unistd.h>

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <random>
#include <stdexcept>
#include <string>
#include <vector>

#include "stego/picture/png/png_codec.h"

namespace {

using hushlake::Picture;
using hushlake::PixelFormat;

constexpr int kWidth = 4000;
constexpr int kHeight = 3000;
constexpr double kPixels = double{kWidth} * kHeight;

const Picture& BenchPicture() {
  static const Picture picture = [] {
    Picture p(kWidth, kHeight, PixelFormat::Bgr24);
    std::mt19937 random(2026);
    for (int y = 0; y < kHeight; ++y) {
      std::uint8_t* row = p.Row(y);
      for (int x = 0; x < kWidth; ++x) {
        for (int c = 0; c < 3; ++c) {
          const double shade = 128 + 60 * std::sin(x / (300.0 + 70 * c)) * std::cos(y / 410.0) +
                               30 * std::sin((x + 2 * y) / (23.0 + c)) +
                               8 * std::sin(x * 0.9 + y * 1.3 + c);
          const int noise = static_cast<int>(random() % 5) - 2;
          row[x * 3 + c] = static_cast<std::uint8_t>(std::clamp(shade + noise, 0.0, 255.0));
        }
      }
    }
    return p;
  }();
  return picture;
}

void Check(bool ok, const char* what) {
  if (!ok) throw std::runtime_error(what);
}

void SetCounters(benchmark::State& state, std::size_t bytes) {
  state.counters["MB"] = static_cast<double>(bytes) / 1e6;
  state.counters["Mpixel"] =
      benchmark::Counter(kPixels / 1e6, benchmark::Counter::kIsIterationInvariantRate);
}

// ------------------------------------------------------------------- writing

void BM_HushlakeWrite(benchmark::State& state) {
  const int level = static_cast<int>(state.range(0));
  std::size_t size = 0;
  for (auto _ : state) {
    const std::vector<std::uint8_t> file = hushlake::WritePng(BenchPicture(), {}, level);
    size = file.size();
    benchmark::DoNotOptimize(file.data());
  }
  SetCounters(state, size);
}
BENCHMARK(BM_HushlakeWrite)->Arg(1)->Arg(3)->Arg(6)->Arg(9)->Unit(benchmark::kMillisecond);

// The simplified API takes the picture as blue, green, red rows, as ours
// holds it; its default is zlib's default level (6) with all filters, and
// PNG_IMAGE_FLAG_FAST is level 3 without filters.
std::vector<std::uint8_t> SimplifiedWrite(bool fast) {
  png_image image{};
  image.version = PNG_IMAGE_VERSION;
  image.width = kWidth;
  image.height = kHeight;
  image.format = PNG_FORMAT_BGR;
  if (fast) image.flags = PNG_IMAGE_FLAG_FAST;
  png_alloc_size_t size = 0;
  const Picture& picture = BenchPicture();
  Check(png_image_write_to_memory(&image, nullptr, &size, 0, picture.Pixels().data(), 0, nullptr) !=
            0,
        "size the simplified write");
  std::vector<std::uint8_t> file(size);
  Check(png_image_write_to_memory(&image, file.data(), &size, 0, picture.Pixels().data(), 0,
                                  nullptr) != 0,
        "simplified write");
  file.resize(size);
  return file;
}

// Writes once to size the buffer, as a caller of the simplified API must;
// only the second write is the peer's time, so the first is excluded.
void BM_LibpngSimplifiedWrite(benchmark::State& state) {
  const bool fast = state.range(0) != 0;
  png_alloc_size_t size = 0;
  std::vector<std::uint8_t> file = SimplifiedWrite(fast);
  for (auto _ : state) {
    png_image image{};
    image.version = PNG_IMAGE_VERSION;
    image.width = kWidth;
    image.height = kHeight;
    image.format = PNG_FORMAT_BGR;
    if (fast) image.flags = PNG_IMAGE_FLAG_FAST;
    size = file.size();
    Check(png_image_write_to_memory(&image, file.data(), &size, 0, BenchPicture().Pixels().data(),
                                    0, nullptr) != 0,
          "simplified write");
    benchmark::DoNotOptimize(file.data());
  }
  SetCounters(state, size);
}
BENCHMARK(BM_LibpngSimplifiedWrite)->ArgName("fast")->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

// ------------------------------------------------------------------- reading

const std::vector<std::uint8_t>& FileAtLevel(int level) {
  static std::vector<std::uint8_t> files[10];
  if (files[level].empty()) files[level] = hushlake::WritePng(BenchPicture(), {}, level);
  return files[level];
}

void BM_HushlakeRead(benchmark::State& state) {
  const std::vector<std::uint8_t>& file = FileAtLevel(static_cast<int>(state.range(0)));
  for (auto _ : state) {
    const hushlake::PictureReadResult result = hushlake::ReadPng(file);
    Check(result.status == hushlake::PictureReadStatus::Ok, "read");
    benchmark::DoNotOptimize(result.picture.Pixels().data());
  }
  SetCounters(state, file.size());
}
BENCHMARK(BM_HushlakeRead)->Arg(1)->Arg(6)->Unit(benchmark::kMillisecond);

// Decodes into a fresh buffer each time, as ReadPng makes a fresh picture.
void BM_LibpngSimplifiedRead(benchmark::State& state) {
  const std::vector<std::uint8_t>& file = FileAtLevel(static_cast<int>(state.range(0)));
  for (auto _ : state) {
    png_image image{};
    image.version = PNG_IMAGE_VERSION;
    Check(png_image_begin_read_from_memory(&image, file.data(), file.size()) != 0, "begin");
    image.format = PNG_FORMAT_BGR;
    std::vector<std::uint8_t> pixels(PNG_IMAGE_SIZE(image));
    Check(png_image_finish_read(&image, nullptr, pixels.data(), 0, nullptr) != 0, "finish");
    benchmark::DoNotOptimize(pixels.data());
  }
  SetCounters(state, file.size());
}
BENCHMARK(BM_LibpngSimplifiedRead)->Arg(1)->Arg(6)->Unit(benchmark::kMillisecond);

// ------------------------------------------------------------ whole files

const std::string& Folder() {
  static const std::string folder = [] {
    const std::string path = "/tmp/hushlake_bench_png_" + std::to_string(::getpid());
    std::filesystem::create_directories(path);
    return path;
  }();
  return folder;
}

void BM_HushlakeWriteFile(benchmark::State& state) {
  const std::string path = Folder() + "/out.png";
  for (auto _ : state) hushlake::WritePngFile(BenchPicture(), path);
  SetCounters(state, std::filesystem::file_size(path));
}
BENCHMARK(BM_HushlakeWriteFile)->Unit(benchmark::kMillisecond);

void BM_HushlakeReadFile(benchmark::State& state) {
  const std::string path = Folder() + "/in.png";
  hushlake::WritePngFile(BenchPicture(), path);
  for (auto _ : state) {
    const hushlake::PictureReadResult result = hushlake::ReadPngFile(path);
    Check(result.status == hushlake::PictureReadStatus::Ok, "read file");
    benchmark::DoNotOptimize(result.picture.Pixels().data());
  }
  SetCounters(state, std::filesystem::file_size(path));
}
BENCHMARK(BM_HushlakeReadFile)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  std::filesystem::remove_all(Folder());
  return 0;
}
