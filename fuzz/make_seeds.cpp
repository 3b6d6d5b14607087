// Writes the seed corpora of the fuzz targets: small valid inputs of every
// kind, so the fuzzers start past the headers and checks. Run once when a
// target or an input layout changes: fuzz_make_seeds fuzz/corpus
// (built on demand: cmake --build build --target fuzz_make_seeds).
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <ostream>  // the fakes print their messages
#include <string>
#include <vector>

#include "crypto/registry.h"
#include "crypto/string_format.h"
#include "framework/framework.h"
#include "stego/picture/bmp/bmp_codec.h"
#include "tests/app/workflow_window.h"
#include "tests/common/random_picture.h"
#include "tests/stego/bmp_fixture.h"

namespace {

using namespace hushlake;
using Bytes = std::vector<std::uint8_t>;

class CorpusWriter {
 public:
  CorpusWriter(const std::filesystem::path& root, const std::string& target)
      : folder_(root / target) {
    std::filesystem::create_directories(folder_);
  }
  void Add(const std::string& name, const std::string& bytes) {
    std::ofstream(folder_ / ("seed-" + name), std::ios::binary) << bytes;
  }
  void Add(const std::string& name, const Bytes& bytes) {
    Add(name, std::string(bytes.begin(), bytes.end()));
  }

 private:
  std::filesystem::path folder_;
};

void BmpSeeds(CorpusWriter corpus) {
  using bmptest::BmpFixture;
  Picture indexed(5, 3, PixelFormat::Indexed8);
  Palette palette{};
  for (int i = 0; i < 256; ++i)
    palette[i] = {static_cast<std::uint8_t>(i), static_cast<std::uint8_t>(255 - i), 7, 0};
  indexed.SetPalette(palette);
  for (std::size_t i = 0; i < indexed.Pixels().size(); ++i)
    indexed.Pixels()[i] = static_cast<std::uint8_t>(i * 37);
  corpus.Add("indexed8-info40", WriteBmp(indexed));
  Picture colour(3, 2, PixelFormat::Bgr24);
  for (std::size_t i = 0; i < colour.Pixels().size(); ++i)
    colour.Pixels()[i] = static_cast<std::uint8_t>(i * 11);
  corpus.Add("bgr24-info40", WriteBmp(colour));
  Picture wide(3, 2, PixelFormat::Bgrx32);
  for (std::size_t i = 0; i < wide.Pixels().size(); ++i)
    wide.Pixels()[i] = static_cast<std::uint8_t>(i * 13);
  corpus.Add("bgrx32-info40", WriteBmp(wide));
  corpus.Add("rle8", BmpFixture()
                         .WithSize(6, 3)
                         .WithBits(8)
                         .WithCompression(1)
                         .WithColors(4)
                         .WithAfterHeader(Bytes(16, 9))
                         .WithPixels({3, 1, 0, 3, 7, 8, 9, 0, 0, 0, 0, 2, 1, 1, 2, 2, 0, 0, 0, 1})
                         .Build());
  corpus.Add("bitfields-v5-topdown", BmpFixture()
                                         .WithHeader(124)
                                         .WithSize(2, -2)
                                         .WithBits(32)
                                         .WithCompression(3)
                                         .WithMasksInHeader({0xFF, 0xFF00, 0xFF0000, 0xFF000000})
                                         .WithPixels(Bytes(16, 0x5A))
                                         .Build());
  corpus.Add("bitfields-info40", BmpFixture()
                                     .WithSize(2, 2)
                                     .WithBits(32)
                                     .WithCompression(3)
                                     .WithAfterHeader({0, 0, 0xFF, 0, 0, 0xFF, 0, 0, 0xFF, 0, 0, 0})
                                     .WithPixels(Bytes(16, 0x33))
                                     .Build());
  corpus.Add(
      "v4-bgr24",
      BmpFixture().WithHeader(108).WithSize(2, 2).WithBits(24).WithPixels(Bytes(16, 0x44)).Build());
  corpus.Add("core12-indexed8", BmpFixture()
                                    .WithHeader(12)
                                    .WithSize(3, 2)
                                    .WithBits(8)
                                    .WithAfterHeader(Bytes(12, 4))
                                    .WithPixels({0, 1, 2, 0, 3, 2, 1, 0})
                                    .Build());
}

void StringFormatSeeds(CorpusWriter corpus) {
  const std::string sample = std::string("Hidden in plain sight.\r\n\0\x7F\xFF", 28);
  const int formats[] = {FormatCopy, FormatHEX, FormatHEXL, FormatMIME64, FormatUU, FormatXX};
  for (std::size_t i = 0; i < std::size(formats); ++i)
    corpus.Add(std::to_string(formats[i]),
               std::string(1, static_cast<char>(i)) + EncodeToFormat(sample, formats[i]));
}

void DecipherSeeds(CorpusWriter corpus) {
  const auto& ciphers = CipherRegistry();
  for (std::size_t i = 0; i < ciphers.size(); ++i) {
    std::string seed;
    seed += static_cast<char>(i);
    seed += static_cast<char>(i % 8);  // every mode among the classes
    seed += static_cast<char>(16);
    seed += "0123456789ABCDEF";
    seed += static_cast<char>(i % 2);  // half of them with a vector of 0x11
    if (i % 2 != 0)
      seed += std::string(static_cast<std::size_t>(ciphers[i].cls->blockSize), '\x11');
    seed += EncodeToFormat(std::string(37 + i, 'x'), FormatMIME64);
    corpus.Add(ShortClassName(ciphers[i].cls->className), seed);
  }
}

template <class List>
std::size_t IndexOf(const List& list, std::string_view item) {
  for (std::size_t i = 0; i < list.size(); ++i)
    if (list[i] == item) return i;
  return 0;
}

// A picture really holding a text under Key, in the target's input layout.
std::string DecryptCase(const CipherChoice& choice, PixelFormat format, const std::string& key,
                        const std::string& text) {
  workflow_test::Window window;
  window.files.PutPicture("in.bmp", test::RandomPicture(24, 24, format, 24));
  window.key.text = key;
  window.editor.text = text;
  window.Open("in.bmp");
  window.logic.SetChoice(choice);
  window.Encrypt();
  const Picture& picture = window.logic.EncryptedImage();
  if (picture.Empty()) throw std::runtime_error("the seed picture could not be made");
  std::string seed;
  seed += static_cast<char>(IndexOf(HashListItems, choice.hash));
  seed += static_cast<char>(IndexOf(CipherListItems, choice.cipher));
  seed += static_cast<char>(choice.mode);
  seed += static_cast<char>(format == PixelFormat::Indexed8 ? 0
                            : format == PixelFormat::Bgr24  ? 1
                                                            : 2);
  seed += static_cast<char>(picture.Width() - 1);
  seed += static_cast<char>(picture.Height() - 1);
  seed += static_cast<char>(key.size());
  seed += key;
  if (format == PixelFormat::Indexed8)
    for (const PaletteEntry& entry : picture.GetPalette())
      seed += {static_cast<char>(entry.red), static_cast<char>(entry.green),
               static_cast<char>(entry.blue), static_cast<char>(entry.flags)};
  seed.append(reinterpret_cast<const char*>(picture.Pixels().data()), picture.Pixels().size());
  return seed;
}

void DecryptSeeds(CorpusWriter corpus) {
  corpus.Add("indexed8",
             DecryptCase({}, PixelFormat::Indexed8, "a long enough key", "meet me at noon"));
  corpus.Add("bgr24-default",
             DecryptCase({}, PixelFormat::Bgr24, "a long enough key", "Grüße aus dem See\n"));
  corpus.Add("bgr24-md5-rijndael-cbc",
             DecryptCase({"MD5", "Rijndael", 1}, PixelFormat::Bgr24, "another key 123", "x"));
  corpus.Add("bgrx32-sha1-twofish-cfb", DecryptCase({"SHA1", "Twofish", 2}, PixelFormat::Bgrx32,
                                                    "Schlüssel!", "line one\r\nline two"));
  corpus.Add("bgr24-tiger-tea-ofb",
             DecryptCase({"Tiger", "TEA", 3}, PixelFormat::Bgr24, "key key key key", "ofb"));
}

void CliSeeds(CorpusWriter corpus) {
  const std::vector<std::pair<std::string, std::vector<std::string>>> lines = {
      {"encrypt",
       {"encrypt", "a.bmp", "-o", "b.bmp", "--text-file", "t.txt", "-k", "k", "-H", "MD5",
        "--cipher=Rijndael", "-m", "cbc", "--force", "--strict"}},
      {"decrypt",
       {"-q", "decrypt", "--in=b.bmp", "--key-file", "-", "--hash=tiger", "--raw", "--crlf",
        "--detect", "-o", "out.txt", "--", "-x"}},
      {"capacity", {"capacity", "a.bmp", "-v"}},
      {"hash", {"hash", "--algo", "Haval224", "--format", "mime64", "file"}},
      {"list", {"list"}},
      {"help", {"help", "encrypt"}},
      {"version", {"--version"}},
  };
  for (const auto& [name, words] : lines) {
    std::string seed;
    for (const std::string& word : words) seed += word + '\0';
    seed.pop_back();
    corpus.Add(name, seed);
  }
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::cerr << "Usage: fuzz_make_seeds CORPUS_FOLDER\n";
    return 2;
  }
  StartFramework();
  const std::filesystem::path root = argv[1];
  BmpSeeds({root, "bmp_reader"});
  StringFormatSeeds({root, "string_formats"});
  DecipherSeeds({root, "decipher"});
  DecryptSeeds({root, "decrypt_path"});
  CliSeeds({root, "cli_arguments"});
  return 0;
}
