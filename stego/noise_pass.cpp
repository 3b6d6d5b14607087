#include "stego/noise_pass.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <stdexcept>

#include "stego/noise_kernels.h"
#include "stego/random_source.h"

namespace hushlake {

namespace noise_detail {

namespace {
// Independent draw streams interleaved to keep the multiplier busy.
constexpr std::size_t Lanes = 4;
}  // namespace

// Four steps side by side, each lane jumping ahead by four steps at a time;
// the steps are still taken in order, so every byte gets its draws in the
// serial order.
void NoiseRowPortable(std::uint8_t* row, std::size_t steps, std::size_t limit,
                      std::uint32_t state) {
  const RandomJump one = RandomJumpOf(1), two = RandomJumpOf(2);
  const RandomJump step = RandomJumpOf(3), laneStep = RandomJumpOf(3 * Lanes);
  std::uint32_t lane[Lanes];
  lane[0] = one(state);
  for (std::size_t l = 1; l < Lanes; ++l) lane[l] = step(lane[l - 1]);
  // Steps whose three bytes all lie inside the row run side by side; the
  // rest, if any, is walked one draw at a time.
  const std::size_t inside = std::min(steps, limit >= 3 ? (limit - 1) / 2 : 0);
  const std::size_t whole = inside / Lanes * Lanes;
  for (std::size_t t0 = 0; t0 < whole; t0 += Lanes) {
    for (std::size_t l = 0; l < Lanes; ++l) {
      const std::size_t o = 2 * (t0 + l);
      const std::uint32_t u = lane[l];
      row[o] = Nudge(row[o], DrawFromState(u));
      row[o + 1] = Nudge(row[o + 1], DrawFromState(one(u)));
      row[o + 2] = Nudge(row[o + 2], DrawFromState(two(u)));
      lane[l] = laneStep(u);
    }
  }
  WalkDraws(row, limit, RandomJumpOf(3 * whole)(state), 3 * whole, 3 * steps);
}

}  // namespace noise_detail

namespace {

noise_detail::RowKernel KernelOf(NoiseKernel kernel) {
  switch (kernel) {
    case NoiseKernel::Portable:
      return &noise_detail::NoiseRowPortable;
    case NoiseKernel::Sse2:
      return noise_detail::Sse2RowKernel();
    case NoiseKernel::Avx2:
      return noise_detail::Avx2RowKernel();
    case NoiseKernel::Avx512:
      return noise_detail::Avx512RowKernel();
  }
  return nullptr;
}

// j = 0, 2, ... while j < 3W
std::size_t StepsOf(std::size_t width) { return (3 * width + 1) / 2; }
// Visited offsets run to 2 * steps; only those inside the row are touched.
std::size_t LimitOf(std::size_t rowBytes, std::size_t steps) {
  return std::min(rowBytes, 2 * steps + 1);
}

// SSE2 is part of every x86-64 processor; only a processor of another
// architecture walks the portable way.
NoiseKernel FastestKernel() {
  for (NoiseKernel kernel : {NoiseKernel::Avx512, NoiseKernel::Avx2, NoiseKernel::Sse2})
    if (KernelOf(kernel) != nullptr) return kernel;
  return NoiseKernel::Portable;
}

}  // namespace

bool NoiseKernelAvailable(NoiseKernel kernel) { return KernelOf(kernel) != nullptr; }

void AddNoise(Picture& picture, NoiseKernel kernel, RandomSource& random) {
  const NoiseRows noise(picture.Width(), picture.RowBytes(), random.State(), kernel);
  if (picture.Empty()) return;
  noise.Apply({0, picture.Height(), picture.Row(0), static_cast<std::int64_t>(picture.RowBytes())});
  random.SetState(noise.StateAfter(picture.Height()));
}

void AddNoise(Picture& picture, RandomSource& random) {
  AddNoise(picture, FastestKernel(), random);
}

NoiseRows::NoiseRows(int width, std::size_t rowBytes, std::uint32_t startState)
    : NoiseRows(width, rowBytes, startState, FastestKernel()) {}

NoiseRows::NoiseRows(int width, std::size_t rowBytes, std::uint32_t startState, NoiseKernel kernel)
    : rowKernel_(KernelOf(kernel)),
      steps_(StepsOf(static_cast<std::size_t>(width))),
      limit_(LimitOf(rowBytes, steps_)),
      startState_(startState) {
  if (rowKernel_ == nullptr) throw std::invalid_argument("AddNoise: kernel not available here");
}

void NoiseRows::Apply(const RowBand& band) const {
  const RandomJump rowJump = RandomJumpOf(3 * steps_);
  std::uint32_t state = StateAfter(band.firstRow);
  for (int y = band.firstRow; y < band.EndRow(); ++y) {
    rowKernel_(band.Row(y), steps_, limit_, state);
    state = rowJump(state);
  }
}

std::uint32_t NoiseRows::StateAfter(int rows) const {
  return RandomJumpOf(3 * steps_ * static_cast<std::uint64_t>(rows))(startState_);
}

}  // namespace hushlake
