// MIME base 64 encode and decode of 1 MiB: the format every stored cipher
// text goes through.
#include <benchmark/benchmark.h>

#include <string>

#include "crypto/string_format.h"

namespace {

std::string Data(std::size_t size) {
  std::string data(size, '\0');
  std::uint32_t x = 12345;
  for (auto& c : data) {
    x = x * 1103515245u + 12345u;
    c = static_cast<char>(x >> 24);
  }
  return data;
}

void BM_Mime64Encode(benchmark::State& state) {
  const std::string data = Data(1 << 20);
  for (auto _ : state)
    benchmark::DoNotOptimize(hushlake::EncodeToFormat(data, hushlake::FormatMIME64));
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) * (1 << 20));
}
BENCHMARK(BM_Mime64Encode);

void BM_Mime64Decode(benchmark::State& state) {
  const std::string text = hushlake::EncodeToFormat(Data(1 << 20), hushlake::FormatMIME64);
  for (auto _ : state)
    benchmark::DoNotOptimize(hushlake::DecodeFromFormat(text, hushlake::FormatMIME64));
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) * (1 << 20));
}
BENCHMARK(BM_Mime64Decode);

void BM_HexEncode(benchmark::State& state) {
  const std::string data = Data(1 << 20);
  for (auto _ : state)
    benchmark::DoNotOptimize(hushlake::EncodeToFormat(data, hushlake::FormatHEX));
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) * (1 << 20));
}
BENCHMARK(BM_HexEncode);

}  // namespace

BENCHMARK_MAIN();
