// Replays a fuzz target's committed inputs without libFuzzer, so the ordinary
// build's test suite runs every seed and every past finding through the
// target (and through the sanitizers when the build has them). Arguments are
// input files or folders of them.
#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>
#include <string>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size);

namespace {

std::vector<std::filesystem::path> InputsUnder(const std::filesystem::path& path) {
  std::vector<std::filesystem::path> inputs;
  if (std::filesystem::is_directory(path)) {
    for (const auto& entry : std::filesystem::recursive_directory_iterator(path))
      if (entry.is_regular_file()) inputs.push_back(entry.path());
  } else if (std::filesystem::is_regular_file(path)) {
    inputs.push_back(path);
  }
  return inputs;
}

void Replay(const std::filesystem::path& input) {
  std::ifstream in(input, std::ios::binary);
  const std::vector<std::uint8_t> bytes((std::istreambuf_iterator<char>(in)),
                                        std::istreambuf_iterator<char>());
  // A copy of exactly the input's size, so a read past its end is caught.
  const auto copy = std::make_unique<std::uint8_t[]>(bytes.size());
  std::copy(bytes.begin(), bytes.end(), copy.get());
  LLVMFuzzerTestOneInput(copy.get(), bytes.size());
}

}  // namespace

int main(int argc, char** argv) {
  std::size_t replayed = 0;
  for (int i = 1; i < argc; ++i) {
    const std::vector<std::filesystem::path> inputs = InputsUnder(argv[i]);
    if (inputs.empty()) {
      std::fprintf(stderr, "fuzz replay: no inputs in %s\n", argv[i]);
      return 1;
    }
    for (const auto& input : inputs) {
      std::fprintf(stderr, "fuzz replay: %s\n", input.string().c_str());
      Replay(input);
      ++replayed;
    }
  }
  std::printf("fuzz replay: %zu inputs, no failure\n", replayed);
  return replayed > 0 ? 0 : 1;
}
