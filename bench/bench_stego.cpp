// Speed and memory of the steganography engine on photo-sized pictures, next
// to the floor that the noise pass sets: a bare serial loop making the same
// number of Below draws.
#include <benchmark/benchmark.h>
#include <malloc.h>

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <ctime>
#include <fstream>
#include <random>
#include <string>

#include "stego/encryptor.h"
#include "stego/noise_pass.h"
#include "stego/pair_table.h"
#include "stego/random_source.h"
#include "tests/common/random_picture.h"

namespace hushlake {
namespace {

constexpr int PhotoWidth = 4000, PhotoHeight = 3000;
constexpr int PaletteWidth = 2000, PaletteHeight = 1500;
const std::string TrueColorKey = "0123456789ABCDEF";
const std::string PaletteKey = "a palette key";

// The same seeded content the tests use.
Picture RandomPicture(int width, int height, PixelFormat format) {
  return test::RandomPicture(width, height, format, 1);
}

std::string CipherLikeText(std::size_t length) { return test::PrintableText(length, 2); }

std::string ProseText(std::size_t length) {
  static const std::string words = "the quick brown fox, jumps over 12 lazy dogs.\r\n";
  std::string text;
  while (text.size() < length) text += words;
  text.resize(length);
  return text;
}

// The noise pass makes 3 draws per two bytes of every 24-bit row.
std::uint64_t NoiseDraws(int width, int height) {
  return std::uint64_t{3} * ((3u * static_cast<std::uint64_t>(width) + 1) / 2) *
         static_cast<std::uint64_t>(height);
}

// Processor time of this thread: the machine may be shared, wall time is not.
double ThreadSeconds() {
  timespec now{};
  clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
  return static_cast<double>(now.tv_sec) + static_cast<double>(now.tv_nsec) * 1e-9;
}

double SerialDrawSeconds(std::uint64_t draws) {
  double best = 1e9;
  for (int round = 0; round < 5; ++round) {
    RandomSource random({}, 12345);
    std::uint32_t sum = 0;
    const double start = ThreadSeconds();
    for (std::uint64_t i = 0; i < draws; ++i) sum += random.Below(5);
    benchmark::DoNotOptimize(sum);
    best = std::min(best, ThreadSeconds() - start);
  }
  return best;
}

double PhotoSerialSeconds() {
  static const double seconds = SerialDrawSeconds(NoiseDraws(PhotoWidth, PhotoHeight));
  return seconds;
}

// Processor nanoseconds per pixel of the picture.
void ReportPerPixel(benchmark::State& state, double seconds, std::int64_t pixels) {
  state.counters["ns_per_pixel"] = seconds * 1e9 / static_cast<double>(pixels);
}

// Times the loop body by processor time; returns seconds per iteration.
template <class Body>
double TimedLoop(benchmark::State& state, Body&& body) {
  double seconds = 0;
  for (auto _ : state) {
    const double start = ThreadSeconds();
    body();
    seconds += ThreadSeconds() - start;
  }
  return seconds / static_cast<double>(std::max<benchmark::IterationCount>(state.iterations(), 1));
}

struct Run {
  StoredPicture target;
  StringTextHolder editor;
  RandomSource random;
};

// A field of /proc/self/status in KiB (VmRSS, VmHWM); 0 when it cannot be read.
std::size_t StatusKib(const std::string& field) {
  std::ifstream status("/proc/self/status");
  std::string name;
  std::size_t kib = 0;
  while (status >> name) {
    if (name == field + ":" && status >> kib) return kib;
    status.ignore(1 << 10, '\n');
  }
  return 0;
}

// Resident bytes above those before, at the highest point of one call: the
// kernel's high-water mark is reset first, so heap blocks and mapped pixel
// buffers count alike. The heap first hands its free pages back, so that
// reusing them shows; figures are in whole pages.
template <class Body>
std::size_t ExtraPeakBytes(Body&& body) {
  malloc_trim(0);
  const std::size_t before = StatusKib("VmRSS");
  std::ofstream("/proc/self/clear_refs") << "5";
  body();
  const std::size_t peak = StatusKib("VmHWM");
  return peak > before ? (peak - before) * 1024 : 0;
}

void EncryptOnce(Picture& source, const std::string& key, const std::string& text, Run& run) {
  run.target.picture = Picture();
  run.editor.ReplaceText(text);
  TEncryptor engine(source, run.target, SecretString(key), run.editor, run.random);
  engine.SetTextLength(text.size());
  if (!engine.Encrypt().Succeeded()) std::abort();
}

void EncryptBenchmark(benchmark::State& state, PixelFormat format, int width, int height,
                      const std::string& key, const std::string& text) {
  Picture source = RandomPicture(width, height, format);
  Run run;
  const double seconds = TimedLoop(state, [&] { EncryptOnce(source, key, text, run); });
  ReportPerPixel(state, seconds, std::int64_t{width} * height);
  // Heap at its highest during one Encrypt, counting the source picture that
  // is already held and starting with an empty target, in picture sizes.
  run.target.picture = Picture();
  const double pictureBytes = static_cast<double>(source.Pixels().size());
  const std::size_t extra = ExtraPeakBytes([&] { EncryptOnce(source, key, text, run); });
  state.counters["peak_in_pictures"] = (pictureBytes + static_cast<double>(extra)) / pictureBytes;
  if (format != PixelFormat::Indexed8)
    state.counters["ratio_to_serial_draws"] = seconds / PhotoSerialSeconds();
}

void DecryptBenchmark(benchmark::State& state, PixelFormat format, int width, int height,
                      const std::string& key, const std::string& text) {
  Picture source = RandomPicture(width, height, format);
  Run written;
  EncryptOnce(source, key, text, written);
  Picture stego = std::move(written.target.picture);
  const std::string expected = written.editor.Text();
  const double seconds = TimedLoop(state, [&] {
    Run run;
    TEncryptor engine(stego, run.target, SecretString(key), run.editor, run.random);
    const EngineOutcome outcome = engine.Decrypt();
    if (outcome.text.View() != expected) std::abort();
    benchmark::DoNotOptimize(outcome.text.data());
  });
  state.counters["text_bytes"] = static_cast<double>(expected.size());
  state.counters["us_per_decrypt"] = seconds * 1e6;
  ReportPerPixel(state, seconds, std::int64_t{width} * height);
  const std::size_t extra = ExtraPeakBytes([&] {
    Run run;
    TEncryptor engine(stego, run.target, SecretString(key), run.editor, run.random);
    benchmark::DoNotOptimize(engine.Decrypt().text.data());
  });
  state.counters["peak_extra_kib"] = static_cast<double>(extra) / 1024.0;
}

void BM_Encrypt24(benchmark::State& state) {
  EncryptBenchmark(state, PixelFormat::Bgr24, PhotoWidth, PhotoHeight, TrueColorKey,
                   CipherLikeText(10 * 1024));
}
void BM_Decrypt24(benchmark::State& state) {
  DecryptBenchmark(state, PixelFormat::Bgr24, PhotoWidth, PhotoHeight, TrueColorKey,
                   CipherLikeText(10 * 1024));
}
void BM_Encrypt8(benchmark::State& state) {
  EncryptBenchmark(state, PixelFormat::Indexed8, PaletteWidth, PaletteHeight, PaletteKey,
                   ProseText(5 * 1024));
}
void BM_Decrypt8(benchmark::State& state) {
  DecryptBenchmark(state, PixelFormat::Indexed8, PaletteWidth, PaletteHeight, PaletteKey,
                   ProseText(5 * 1024));
}

// The floor: one serial Below(5) per draw of the noise pass.
void BM_SerialDraws24(benchmark::State& state) {
  const std::uint64_t draws = NoiseDraws(PhotoWidth, PhotoHeight);
  RandomSource random({}, 1);
  const double seconds = TimedLoop(state, [&] {
    std::uint32_t sum = 0;
    for (std::uint64_t i = 0; i < draws; ++i) sum += random.Below(5);
    benchmark::DoNotOptimize(sum);
  });
  state.counters["draws"] = static_cast<double>(draws);
  state.counters["ns_per_draw"] = seconds * 1e9 / static_cast<double>(draws);
  ReportPerPixel(state, seconds, std::int64_t{PhotoWidth} * PhotoHeight);
}

// Arg 0: the portable kernel; 1: SSE2; 2: AVX2; 3: AVX-512 (AddNoise takes the fastest
// available).
void BM_NoisePass24(benchmark::State& state) {
  const NoiseKernel kernel = static_cast<NoiseKernel>(state.range(0));
  if (!NoiseKernelAvailable(kernel)) {
    state.SkipWithError("kernel not available on this processor");
    return;
  }
  Picture picture = RandomPicture(PhotoWidth, PhotoHeight, PixelFormat::Bgr24);
  RandomSource random({}, 1);
  const double seconds = TimedLoop(state, [&] {
    AddNoise(picture, kernel, random);
    benchmark::ClobberMemory();
  });
  ReportPerPixel(state, seconds, std::int64_t{PhotoWidth} * PhotoHeight);
  state.counters["ratio_to_serial_draws"] = seconds / PhotoSerialSeconds();
}

// The working copy every Encrypt takes, for scale.
void BM_CopyPicture24(benchmark::State& state) {
  const Picture picture = RandomPicture(PhotoWidth, PhotoHeight, PixelFormat::Bgr24);
  const double seconds = TimedLoop(state, [&] {
    Picture copy = picture;
    benchmark::DoNotOptimize(copy.Pixels().data());
  });
  ReportPerPixel(state, seconds, std::int64_t{PhotoWidth} * PhotoHeight);
}

void BM_PairTable(benchmark::State& state) {
  Palette palette = RandomPicture(1, 1, PixelFormat::Indexed8).GetPalette();
  if (state.range(0) == 1) {  // sixteen colours, 240 black: long tie chains
    for (int i = 16; i < 256; ++i) palette[i] = {};
  }
  const double seconds = TimedLoop(state, [&] {
    const PairTable table(palette);
    benchmark::DoNotOptimize(table.At(1, 7));
  });
  state.counters["ms_per_table"] = seconds * 1e3;
}

BENCHMARK(BM_SerialDraws24)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_NoisePass24)->DenseRange(0, 3)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_CopyPicture24)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Encrypt24)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Decrypt24)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_PairTable)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Encrypt8)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Decrypt8)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace hushlake

BENCHMARK_MAIN();
