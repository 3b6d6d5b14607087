// Sealed pictures: what a wrong guess costs, how fast 10 KB goes into and
// out of a 4000x3000 24-bit picture and how much memory that takes, and how
// close the trellis code comes to the rate-distortion bound.
#include <benchmark/benchmark.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <functional>
#include <random>

#include "crypto/sealed/sodium_box.h"
#include "stego/sealed/hill_cost.h"
#include "stego/sealed/sealed_picture.h"
#include "stego/sealed/trellis_code.h"

namespace hushlake::sealed {
namespace {

constexpr int kWidth = 4000, kHeight = 3000;

double Seconds(const std::function<void()>& work) {
  const auto start = std::chrono::steady_clock::now();
  work();
  return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

double ProcessCpuSeconds() {
  timespec now{};
  clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &now);
  return static_cast<double>(now.tv_sec) + static_cast<double>(now.tv_nsec) * 1e-9;
}

// Wall and processor seconds of the work: the machine is shared, so the processor time
// tells what the work itself costs when the wall clock also counts waiting for a core.
struct Timing {
  double wall = 0;
  double cpu = 0;
};
Timing Time(const std::function<void()>& work) {
  const double cpu = ProcessCpuSeconds();
  const double wall = Seconds(work);
  return {wall, ProcessCpuSeconds() - cpu};
}

long StatusKiB(const char* field) {
  std::FILE* status = std::fopen("/proc/self/status", "r");
  if (!status) return -1;
  char line[256];
  long value = -1;
  const std::size_t length = std::strlen(field);
  while (std::fgets(line, sizeof line, status)) {
    if (std::strncmp(line, field, length) == 0) value = std::atol(line + length + 1);
  }
  std::fclose(status);
  return value;
}

// Peak resident memory in MiB the work adds, in a child process: the child makes what
// the work starts from, the peak is reset (Linux: clear_refs 5), then the work runs.
double PeakMiB(const std::function<void()>& prepare, const std::function<void()>& work) {
  int pipeEnds[2];
  if (pipe(pipeEnds) != 0) return -1;
  const pid_t child = fork();
  if (child == 0) {
    prepare();
    if (std::FILE* reset = std::fopen("/proc/self/clear_refs", "w")) {
      std::fputs("5", reset);
      std::fclose(reset);
    }
    const long before = StatusKiB("VmRSS:");
    work();
    // What the work added on top of what the child held (the parent's pages included).
    const long peak = StatusKiB("VmHWM:") - before;
    if (write(pipeEnds[1], &peak, sizeof peak) != sizeof peak) _exit(1);
    _exit(0);
  }
  long peak = -1;
  if (read(pipeEnds[0], &peak, sizeof peak) != sizeof peak) peak = -1;
  waitpid(child, nullptr, 0);
  close(pipeEnds[0]);
  close(pipeEnds[1]);
  return static_cast<double>(peak) / 1024.0;
}

// Smooth gradients, a noisy half and grain: the costs vary as in a photograph.
Picture PhotoLike(int width, int height) {
  Picture picture(width, height, PixelFormat::Bgr24);
  std::mt19937 random(1);
  for (int y = 0; y < height; ++y) {
    std::uint8_t* row = picture.Row(y);
    for (int x = 0; x < width; ++x) {
      for (int c = 0; c < 3; ++c) {
        int value = (x / 16 + y / 12 + c * 40) % 256;
        if ((x / 500 + y / 500) % 2 == 1) value = 60 + static_cast<int>(random() % 120);
        value += static_cast<int>(random() % 3) - 1;
        row[x * 3 + c] = static_cast<std::uint8_t>(std::clamp(value, 0, 255));
      }
    }
  }
  return picture;
}

void GuessCost() {
  const Argon2idStretcher stretcher;
  std::array<std::uint8_t, kSaltBytes> salt{};
  Timing best{1e9, 1e9};
  for (int round = 0; round < 3; ++round) {
    const Timing t = Time([&] { stretcher.Stretch("a wrong guess", salt); });
    best.wall = std::min(best.wall, t.wall);
    best.cpu = std::min(best.cpu, t.cpu);
  }
  const double peak = PeakMiB([] {}, [&] { stretcher.Stretch("a wrong guess", salt); });
  std::printf("guess: %.3f s wall, %.3f s processor per wrong key (best of 3), peak %.0f MiB\n",
              best.wall, best.cpu, peak);
}

void SpeedAndMemory() {
  const Argon2idStretcher stretcher;
  std::array<std::uint8_t, kSaltBytes> salt{};
  const Timing kdf = Time([&] { stretcher.Stretch("key derivation alone", salt); });
  SealedContent content;
  content.isFile = true;
  content.name = "ten.kb";
  std::mt19937 random(2);
  for (int i = 0; i < 10000; ++i) content.bytes.push_back(static_cast<std::uint8_t>(random()));
  const double pictureMiB = static_cast<double>(kWidth) * kHeight * 3 / (1 << 20);

  Picture sealed = PhotoLike(kWidth, kHeight);
  const Timing encrypt = Time(
      [&] { benchmark::DoNotOptimize(SealIntoPicture(sealed, content, "ten kb key", stretcher)); });
  bool opened = false;
  const Timing decrypt =
      Time([&] { opened = OpenFromPicture(sealed, "ten kb key", stretcher).Succeeded(); });
  Picture work;
  const double encryptPeak = PeakMiB(
      [&] { work = PhotoLike(kWidth, kHeight); },
      [&] { benchmark::DoNotOptimize(SealIntoPicture(work, content, "ten kb key", stretcher)); });
  const double decryptPeak =
      PeakMiB([&] { sealed.Pixels()[0] ^= 0; },
              [&] { benchmark::DoNotOptimize(OpenFromPicture(sealed, "ten kb key", stretcher)); });
  std::printf("10 KB in %dx%d 24-bit (%.0f MiB), wall / processor seconds:\n", kWidth, kHeight,
              pictureMiB);
  std::printf("  key derivation %.2f / %.2f s\n", kdf.wall, kdf.cpu);
  std::printf("  encrypt %.2f / %.2f s: KDF + %.2f / %.2f s (target + 1.5 s)\n", encrypt.wall,
              encrypt.cpu, encrypt.wall - kdf.wall, encrypt.cpu - kdf.cpu);
  std::printf("  decrypt %.2f / %.2f s: KDF + %.2f / %.2f s (target + 0.3 s), %s\n", decrypt.wall,
              decrypt.cpu, decrypt.wall - kdf.wall, decrypt.cpu - kdf.cpu,
              opened ? "read back" : "NOT READ BACK");
  std::printf(
      "  peak memory of the work, the picture already held: encrypt %.0f MiB, decrypt "
      "%.0f MiB (target: 2 x picture + KDF = %.0f MiB)\n",
      encryptPeak + pictureMiB, decryptPeak + pictureMiB, 2 * pictureMiB + 256);
}

double BinaryEntropy(double p) {
  if (p <= 0 || p >= 1) return 0;
  return -p * std::log2(p) - (1 - p) * std::log2(1 - p);
}

// The least expected cost of carrying `bits` bits with independent changes: p_i =
// e^(-l r_i) / (1 + e^(-l r_i)) with l chosen so the entropies add up to `bits`.
double BoundCost(const std::vector<float>& costs, double bits) {
  const auto entropyAt = [&](double lambda, double* spent) {
    double entropy = 0;
    double cost = 0;
    for (float r : costs) {
      const double p = 1 / (1 + std::exp(lambda * r));
      entropy += BinaryEntropy(p);
      cost += p * r;
    }
    if (spent) *spent = cost;
    return entropy;
  };
  double low = 1e-6, high = 1e6;
  for (int i = 0; i < 100; ++i) {
    const double mid = std::sqrt(low * high);
    (entropyAt(mid, nullptr) > bits ? low : high) = mid;
  }
  double spent = 0;
  entropyAt(low, &spent);
  return spent;
}

void CodingLoss() {
  std::printf("trellis coding loss (h = %d, %zu message bits per chunk), cost over the bound:\n",
              kTrellisHeight, kChunkBits);
  const Picture photo = PhotoLike(512, 256);
  std::vector<float> plane(512 * 256);
  for (std::size_t i = 0; i < plane.size(); ++i) plane[i] = photo.Pixels()[i * 3];
  const std::vector<float> hill = HillCosts(plane, 512, 256);
  std::mt19937 random(3);
  for (const char* profile : {"constant", "HILL"}) {
    for (std::size_t width : {2, 4, 10, 16}) {
      const std::size_t n = kChunkBits * width;
      std::vector<float> costs(n, 1.0f);
      if (std::string_view(profile) == "HILL") {
        for (auto& cost : costs) cost = hill[random() % hill.size()];
      }
      std::vector<std::uint8_t> cover(n), message(kChunkBits);
      for (auto& bit : cover) bit = random() & 1u;
      for (auto& bit : message) bit = random() & 1u;
      const auto result =
          TrellisEmbed(cover, costs, message,
                       TrellisColumns(kTrellisHeight, static_cast<int>(width)), kTrellisHeight);
      const double bound = BoundCost(costs, static_cast<double>(kChunkBits));
      std::printf("  %-8s rate 1/%-2zu: trellis %.4g, bound %.4g, loss %.1f%%\n", profile, width,
                  result->cost, bound, 100 * (result->cost / bound - 1));
    }
  }
}

}  // namespace
}  // namespace hushlake::sealed

int main(int argc, char** argv) {
  const std::string_view only = argc > 1 ? argv[1] : "";
  if (only.empty() || only == "loss") hushlake::sealed::CodingLoss();
  if (only.empty() || only == "guess") hushlake::sealed::GuessCost();
  if (only.empty() || only == "speed") hushlake::sealed::SpeedAndMemory();
}
