// A stand-in for a coverage-guided fuzzer: feeds the target random inputs
// and mutations of them, reproducibly, for a fixed number of rounds. Inputs
// given as files on the command line are replayed first.
#include <cstdint>
#include <cstdlib>
#include <fstream>
#include <iostream>
#include <iterator>
#include <random>
#include <string>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size);
// Optional: a target may offer seeds (valid inputs) for the mutations to start from.
extern "C" __attribute__((weak)) void HushlakeFuzzSeeds(std::vector<std::vector<std::uint8_t>>& seeds);

int main(int argc, char** argv) {
  long rounds = 1000;
  std::vector<std::vector<std::uint8_t>> seeds;
  for (int i = 1; i < argc; ++i) {
    const std::string arg = argv[i];
    if (!arg.empty() && arg.find_first_not_of("0123456789") == std::string::npos) {
      rounds = std::atol(arg.c_str());
      continue;
    }
    std::ifstream in(arg, std::ios::binary);
    seeds.emplace_back(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
  }
  if (HushlakeFuzzSeeds != nullptr) HushlakeFuzzSeeds(seeds);
  for (const auto& seed : seeds) LLVMFuzzerTestOneInput(seed.data(), seed.size());

  std::mt19937_64 random(20261210);
  for (long round = 0; round < rounds; ++round) {
    std::vector<std::uint8_t> input;
    if (!seeds.empty() && round % 4 != 0) {
      input = seeds[random() % seeds.size()];
      const int edits = 1 + static_cast<int>(random() % 8);
      for (int e = 0; e < edits && !input.empty(); ++e) {
        const std::size_t at = random() % input.size();
        switch (random() % 4) {
          case 0: input[at] = static_cast<std::uint8_t>(random()); break;
          case 1: input[at] ^= static_cast<std::uint8_t>(1u << (random() % 8)); break;
          case 2: input.resize(at); break;
          default: input.insert(input.begin() + static_cast<long>(at), static_cast<std::uint8_t>(random())); break;
        }
      }
    } else {
      input.resize(random() % 512);
      for (auto& byte : input) byte = static_cast<std::uint8_t>(random());
    }
    LLVMFuzzerTestOneInput(input.data(), input.size());
  }
  std::cout << "fuzz: " << rounds << " rounds, " << seeds.size() << " seeds, no failure\n";
  return 0;
}
