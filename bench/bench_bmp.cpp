// BMP reading and writing of a 4000 x 3000 24-bit picture (36 MB) from and
// to a file, beside plain copies of the same bytes from and to a file. The
// codec should stay within twice the time of the plain copy.
#include <benchmark/benchmark.h>
#include <fcntl.h>
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <map>
#include <memory>
#include <random>
#include <stdexcept>
#include <string>
#include <vector>

#include "stego/picture/bmp/bmp_codec.h"

namespace {

using hushlake::Picture;
using hushlake::PixelFormat;

constexpr int kWidth = 4000;
constexpr int kHeight = 3000;
constexpr double kPixels = double{kWidth} * kHeight;

const std::string& Folder() {
  static const std::string folder = "/tmp/hushlake_bench_bmp_" + std::to_string(::getpid());
  return folder;
}

const Picture& BenchPicture() {
  static const Picture picture = [] {
    Picture p(kWidth, kHeight, PixelFormat::Bgr24);
    std::mt19937 random(2024);
    for (auto& byte : p.Pixels()) byte = static_cast<std::uint8_t>(random());
    return p;
  }();
  return picture;
}

const std::vector<std::uint8_t>& FileBytes() {
  static const std::vector<std::uint8_t> bytes = hushlake::WriteBmp(BenchPicture());
  return bytes;
}

// The file both readers read, written once.
const std::string& SourceFile() {
  static const std::string path = [] {
    const std::string file = Folder() + "/source.bmp";
    hushlake::WriteBmpFile(BenchPicture(), file);
    return file;
  }();
  return path;
}

void Check(bool ok, const char* what) {
  if (!ok) throw std::runtime_error(what);
}

std::unique_ptr<std::uint8_t[]> PlainRead(const std::string& path, std::size_t size) {
  const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
  Check(fd >= 0, "open for reading");
  auto buffer = std::make_unique_for_overwrite<std::uint8_t[]>(size);
  std::size_t done = 0;
  while (done < size) {
    const ssize_t got = ::read(fd, buffer.get() + done, size - done);
    Check(got > 0, "read");
    done += static_cast<std::size_t>(got);
  }
  ::close(fd);
  return buffer;
}

void PlainWrite(const std::string& path, const std::vector<std::uint8_t>& bytes, bool sync) {
  const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
  Check(fd >= 0, "open for writing");
  std::size_t done = 0;
  while (done < bytes.size()) {
    const ssize_t put = ::write(fd, bytes.data() + done, bytes.size() - done);
    Check(put > 0, "write");
    done += static_cast<std::size_t>(put);
  }
  if (sync) Check(::fsync(fd) == 0, "fsync");
  ::close(fd);
}

void Finish(benchmark::State& state) {
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) *
                          static_cast<std::int64_t>(FileBytes().size()));
}

void BM_CopyRead(benchmark::State& state) {
  const std::string& path = SourceFile();
  for (auto _ : state) benchmark::DoNotOptimize(PlainRead(path, FileBytes().size()));
  Finish(state);
}

void BM_BmpRead(benchmark::State& state) {
  const std::string& path = SourceFile();
  for (auto _ : state) {
    const hushlake::PictureReadResult result = hushlake::ReadBmpFile(path);
    Check(result.status == hushlake::PictureReadStatus::Ok, "BMP read");
    benchmark::DoNotOptimize(result.picture.Pixels().data());
  }
  Finish(state);
}

// Written without flushing to disk on both sides: what the codec adds.
void BM_CopyWrite(benchmark::State& state) {
  const std::string path = Folder() + "/copy.bmp";
  for (auto _ : state) PlainWrite(path, FileBytes(), false);
  Finish(state);
}

void BM_BmpWrite(benchmark::State& state) {
  const std::string path = Folder() + "/encoded.bmp";
  for (auto _ : state) PlainWrite(path, hushlake::WriteBmp(BenchPicture()), false);
  Finish(state);
}

// Flushed to disk on both sides: the cost a user sees from Save Img.
void BM_CopyWriteSynced(benchmark::State& state) {
  const std::string path = Folder() + "/copy_synced.bmp";
  for (auto _ : state) PlainWrite(path, FileBytes(), true);
  Finish(state);
}

void BM_BmpWriteFile(benchmark::State& state) {
  const std::string path = Folder() + "/atomic.bmp";
  for (auto _ : state) hushlake::WriteBmpFile(BenchPicture(), path);
  Finish(state);
}

BENCHMARK(BM_CopyRead)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_BmpRead)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_CopyWrite)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_BmpWrite)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_CopyWriteSynced)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_BmpWriteFile)->Unit(benchmark::kMillisecond)->UseRealTime();

// Prints, after the usual table, nanoseconds per pixel and each codec
// figure as a multiple of its plain copy.
class SummaryReporter : public benchmark::ConsoleReporter {
 public:
  void ReportRuns(const std::vector<Run>& runs) override {
    ConsoleReporter::ReportRuns(runs);
    for (const Run& run : runs)
      if (run.run_type == Run::RT_Iteration && !run.error_occurred && run.iterations > 0)
        perPixel_[run.run_name.function_name] =
            run.real_accumulated_time * 1e9 / static_cast<double>(run.iterations) / kPixels;
  }

  void PrintSummary() const {
    std::printf("\n%-20s %10s   %-20s %10s %7s\n", "codec", "ns/pixel", "plain copy", "ns/pixel",
                "ratio");
    Compare("BM_BmpRead", "BM_CopyRead");
    Compare("BM_BmpWrite", "BM_CopyWrite");
    Compare("BM_BmpWriteFile", "BM_CopyWriteSynced");
  }

 private:
  void Compare(const std::string& codec, const std::string& copy) const {
    const auto a = perPixel_.find(codec);
    const auto b = perPixel_.find(copy);
    if (a == perPixel_.end() || b == perPixel_.end()) return;
    std::printf("%-20s %10.3f   %-20s %10.3f %6.2fx\n", codec.c_str(), a->second, copy.c_str(),
                b->second, a->second / b->second);
  }

  std::map<std::string, double> perPixel_;
};

}  // namespace

int main(int argc, char** argv) {
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  std::filesystem::create_directories(Folder());
  SummaryReporter reporter;
  benchmark::RunSpecifiedBenchmarks(&reporter);
  reporter.PrintSummary();
  benchmark::Shutdown();
  std::filesystem::remove_all(Folder());
  return 0;
}
