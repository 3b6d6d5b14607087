#pragma once
// The picture files the tool's tests work on, written into a sandbox.
#include <cstdint>
#include <string>
#include <vector>

#include "cli_sandbox.h"
#include "stego/picture/bmp/bmp_codec.h"
#include "stego/stego_test_support.h"

namespace hushlake::clitest {

inline void WritePicture(const CliSandbox& sandbox, const std::string& name, int width, int height,
                         PixelFormat format, std::uint32_t seed = 7) {
  WriteBmpFile(testing_support::RandomPicture(width, height, format, seed), sandbox.Path(name));
}

inline void Put(std::string& bytes, std::size_t at, std::uint32_t value, int size) {
  for (int i = 0; i < size; ++i) bytes[at + i] = static_cast<char>(value >> (8 * i));
}

// A 16-bit BMP, which no picture kind of the tool accepts.
inline std::string SixteenBitBmp(int width, int height) {
  const std::uint32_t rowBytes = (static_cast<std::uint32_t>(width) * 2 + 3) & ~3u;
  const std::uint32_t pixelBytes = rowBytes * static_cast<std::uint32_t>(height);
  std::string file(54 + pixelBytes, '\x5A');
  file[0] = 'B';
  file[1] = 'M';
  Put(file, 2, 54 + pixelBytes, 4);
  Put(file, 6, 0, 4);
  Put(file, 10, 54, 4);
  Put(file, 14, 40, 4);
  Put(file, 18, static_cast<std::uint32_t>(width), 4);
  Put(file, 22, static_cast<std::uint32_t>(height), 4);
  Put(file, 26, 1, 2);
  Put(file, 28, 16, 2);
  Put(file, 30, 0, 4);
  Put(file, 34, pixelBytes, 4);
  Put(file, 38, 2835, 4);
  Put(file, 42, 2835, 4);
  Put(file, 46, 0, 4);  // colours used
  Put(file, 50, 0, 4);  // important colours
  return file;
}

}  // namespace hushlake::clitest
