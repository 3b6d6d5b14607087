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

// Runs the work in a child process and returns its peak resident memory in MiB, which
// counts the pages it shares with this process (the picture) as the system does.
double PeakMiB(const std::function<void()>& work) {
  int pipeEnds[2];
  if (pipe(pipeEnds) != 0) return -1;
  const pid_t child = fork();
  if (child == 0) {
    work();
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    const long peak = usage.ru_maxrss;
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
  double best = 1e9;
  for (int round = 0; round < 3; ++round) {
    best = std::min(best, Seconds([&] { stretcher.Stretch("a wrong guess", salt); }));
  }
  const double peak = PeakMiB([&] { stretcher.Stretch("a wrong guess", salt); });
  std::printf("guess: %.3f s per wrong key (best of 3), peak %.0f MiB in a process doing one\n",
              best, peak);
}

void SpeedAndMemory() {
  const Argon2idStretcher stretcher;
  std::array<std::uint8_t, kSaltBytes> salt{};
  const double kdf = Seconds([&] { stretcher.Stretch("key derivation alone", salt); });
  const Picture cover = PhotoLike(kWidth, kHeight);
  const double pictureMiB = static_cast<double>(cover.Pixels().size()) / (1 << 20);
  SealedContent content;
  content.isFile = true;
  content.name = "ten.kb";
  std::mt19937 random(2);
  for (int i = 0; i < 10000; ++i) content.bytes.push_back(static_cast<std::uint8_t>(random()));

  Picture sealed = cover;
  const double encrypt = Seconds(
      [&] { benchmark::DoNotOptimize(SealIntoPicture(sealed, content, "ten kb key", stretcher)); });
  bool opened = false;
  const double decrypt =
      Seconds([&] { opened = OpenFromPicture(sealed, "ten kb key", stretcher).Succeeded(); });
  const double encryptPeak = PeakMiB([&] {
    Picture copy = cover;
    benchmark::DoNotOptimize(SealIntoPicture(copy, content, "ten kb key", stretcher));
  });
  const double decryptPeak =
      PeakMiB([&] { benchmark::DoNotOptimize(OpenFromPicture(sealed, "ten kb key", stretcher)); });
  std::printf("10 KB in %dx%d 24-bit (%.0f MiB): key derivation %.2f s\n", kWidth, kHeight,
              pictureMiB, kdf);
  std::printf("  encrypt %.2f s (KDF + %.2f s, target + 1.5 s), peak %.0f MiB\n", encrypt,
              encrypt - kdf, encryptPeak);
  std::printf("  decrypt %.2f s (KDF + %.2f s, target + 0.3 s), peak %.0f MiB, %s\n", decrypt,
              decrypt - kdf, decryptPeak, opened ? "read back" : "NOT READ BACK");
  std::printf("  memory target: 2 x picture + KDF = %.0f MiB (peaks count one picture already)\n",
              2 * pictureMiB + 256);
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
