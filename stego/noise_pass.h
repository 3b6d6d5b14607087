#pragma once
// The noise pass of 24- and 32-bit pictures: every row, from the top, is
// walked in steps of two bytes while visiting three (offsets j, j + 1, j + 2
// for j = 0, 2, ... below 3W), and each visited byte inside the row moves by a
// draw of Below(5) - 2 unless that would leave 0 .. 254. Bytes at even
// offsets from 2 on get two draws; in a 32-bit row only offsets 0 .. 3W move.
// Nothing stored depends on the noise; it hides which low bits carry data.
#include "stego/picture.h"
#include "stego/random_source.h"
#include "stego/row_band.h"

namespace hushlake {

// Starts from Random's current state and leaves it where the serial
// walk would: after exactly the draws the walk makes, in the same order.
void AddNoise(Picture& picture, RandomSource& random);

// The row kernels behind AddNoise, for tests and benchmarks: every one gives
// the serial walk's result. AddNoise takes the fastest the processor runs.
enum class NoiseKernel { Portable, Sse2, Avx2, Avx512 };
bool NoiseKernelAvailable(NoiseKernel kernel);
void AddNoise(Picture& picture, NoiseKernel kernel, RandomSource& random);

// The same walk for a caller that holds only some rows at a time: every row
// of a band gets what AddNoise gives it when started from StartState, so
// applying every row once, in any order and any bands, equals AddNoise.
class NoiseRows {
 public:
  // With the fastest kernel the processor runs.
  NoiseRows(int width, std::size_t rowBytes, std::uint32_t startState);
  // Raises std::invalid_argument when Kernel is not available here.
  NoiseRows(int width, std::size_t rowBytes, std::uint32_t startState, NoiseKernel kernel);
  void Apply(const RowBand& band) const;
  // The generator state AddNoise leaves after Rows rows.
  std::uint32_t StateAfter(int rows) const;

 private:
  using RowKernel = void (*)(std::uint8_t* row, std::size_t steps, std::size_t limit,
                             std::uint32_t state);
  RowKernel rowKernel_;
  std::size_t steps_;
  std::size_t limit_;
  std::uint32_t startState_;
};

}  // namespace hushlake
