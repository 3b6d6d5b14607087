// Every text encrypt takes, decrypt gives back and --detect finds: scripts,
// symbols, emoji, control characters, text files in the fallback code page,
// and texts that fill the picture to the last byte.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <random>
#include <string>
#include <vector>

#include "app/text_encoding.h"
#include "cli/standard_streams.h"
#include "cli_sandbox.h"
#include "picture_files.h"
#include "sample_texts.h"

namespace hushlake::clitest {
namespace {

using Args = std::vector<std::string>;

bool Has(const std::string& haystack, std::string_view needle) {
  return haystack.find(needle) != std::string::npos;
}

std::string Repeat(std::string_view piece, long times) {
  std::string out;
  for (long i = 0; i < times; ++i) out += piece;
  return out;
}

// Bytes of every value but NUL, in a fixed random order: not UTF-8, so the
// tool reads the file as Windows-1252.
std::string AnyBytesButNul(std::size_t count) {
  std::mt19937 random(2026);
  std::string bytes;
  while (bytes.size() < count) {
    const auto byte = static_cast<char>(random() & 0xFF);
    if (byte != '\0') bytes += byte;
  }
  return bytes;
}

class TextsComeBack : public ::testing::Test {
 protected:
  void SetUp() override {
    WritePicture(box, "p.bmp", 180, 90, PixelFormat::Bgr24);
    box.Write("key.txt", "Correct horse 42\n");
    chmod(box.Path("key.txt").c_str(), 0600);
  }

  // The longest text capacity states for this picture and choice, in bytes.
  long Longest(const Args& choice) const {
    Args args = {"capacity", "p.bmp", "-k", "key.txt"};
    args.insert(args.end(), choice.begin(), choice.end());
    const RunResult shown = box.Run(args);
    const auto at = shown.out.find("Longest text: ");
    return at == std::string::npos ? -1 : std::stol(shown.out.substr(at + 14));
  }

  // Hides the file's bytes, then reads them back and detects the choice.
  void ExpectBack(const std::string& name, const std::string& bytes, const Args& choice,
                  const std::string& detected) const {
    SCOPED_TRACE(name);
    box.Write("t.txt", bytes);
    Args hide = {"encrypt", "p.bmp", "-o", "s.bmp", "-t", "t.txt", "-k", "key.txt", "-f", "-q"};
    hide.insert(hide.end(), choice.begin(), choice.end());
    const RunResult hidden = box.Run(hide);
    ASSERT_EQ(hidden.exitCode, 0) << hidden.err;
    Args read = {"decrypt", "s.bmp", "-k", "key.txt"};
    read.insert(read.end(), choice.begin(), choice.end());
    const RunResult shown = box.Run(read);
    EXPECT_EQ(shown.exitCode, 0) << shown.err;
    EXPECT_EQ(shown.out, WithLocalLineBreaks(TextFileToEditorText(bytes)));
    const RunResult found = box.Run({"decrypt", "s.bmp", "-k", "key.txt", "--detect"});
    EXPECT_EQ(found.exitCode, 0) << found.err;
    EXPECT_TRUE(Has(found.out, detected)) << found.out << found.err;
  }

  CliSandbox box;
};

TEST_F(TextsComeBack, WhateverEncryptTakesDecryptGivesBack) {
  const struct {
    const char* name;
    std::string bytes;
  } cases[] = {
      {"superscripts", "x² + y² = z²"},
      {"units and fractions", "25 °C ± 2 °C, 3 m², ½ litre, 5 µm"},
      {"one accented letter", "é"},
      {"a run of one accented letter", Repeat("é", 40)},
      {"Latin-1 signs", "¡¢£¤¥¦§¨©ª«¬®¯°±²³´µ¶·¸¹º»¼½¾¿×÷"},
      {"Windows-1252 signs", "€‚ƒ„…†‡ˆ‰Š‹ŒŽ‘’“”•–—˜™š›œžŸ"},
      {"mathematics", "∀x ∈ ℝ: x² ≥ 0 ⇒ √(x²) = |x|, ∑ᵢ aᵢ ≈ ∫ f(t) dt"},
      {"emoji", "Party 🎉🥳 at 8 👍🏽, family 👩‍👩‍👧, flag 🇮🇸"},
      {"box drawing and Braille", "┌──┐\n│ok│\n└──┘ ⠓⠑⠇⠇⠕"},
      {"escape sequences", "\x1B[1mbold\x1B[0m and \x1B[31mred\x1B[0m\n"},
      {"ASCII control characters", "bell\a back\b vtab\v del\x7F unit\x1F end"},
      {"C1 controls and noncharacters", "next\xC2\x85line \xC2\x9B csi \xEF\xBF\xBE\xEF\xBF\xBF"},
      {"every ASCII byte but NUL",
       [] {
         std::string all;
         for (int c = 1; c < 0x80; ++c) all += static_cast<char>(c);
         return all;
       }()},
      {"Windows-1252 text file",
       "25 \xB0"
       "C \xB1 2 \xB0"
       "C, 3 m\xB2, \xBD litre, 5 \xB5m, Gr\xFC\xDF"
       "e \x80"},
      {"any bytes but NUL, read as Windows-1252", AnyBytesButNul(300)},
  };
  for (const auto& c : cases) ExpectBack(c.name, c.bytes, {}, "--cipher '3Way' --mode cmCTS");
  for (std::string_view sample : SampleTexts)
    ExpectBack(std::string(sample), std::string(sample), {"-c", "Blowfish", "-m", "cbc"},
               "--cipher 'Blowfish' --mode cmCBC");
}

// Texts that fill the picture: the long-text path of --detect judges the
// start first.
TEST_F(TextsComeBack, TextsThatFillThePicture) {
  const Args choice = {"-c", "Rijndael", "-m", "ofb"};
  const long longest = Longest(choice);
  ASSERT_GT(longest, 4000);
  const struct {
    const char* name;
    std::string piece;
  } cases[] = {{"é", "é"},
               {"€", "€"},
               {"emoji", "🎉"},
               {"escape sequences", "\x1B[0m"},
               {"units", "± 2 °C "}};
  for (const auto& c : cases) {
    const long times = longest / static_cast<long>(c.piece.size());
    ExpectBack(std::string("full of ") + c.name, Repeat(c.piece, times), choice,
               "--cipher 'Rijndael' --mode cmOFB");
  }
}

// The other side: what a wrong cipher or mode deciphers is still refused.
TEST_F(TextsComeBack, AWrongCipherOrModeIsStillRefused) {
  box.Write("t.txt", "x² + y² = z², and a second sentence to make it long enough.");
  ASSERT_EQ(box.Run({"encrypt", "p.bmp", "-o", "s.bmp", "-t", "t.txt", "-k", "key.txt", "-c",
                     "Twofish", "-m", "cfb", "-q"})
                .exitCode,
            0);
  for (const Args& wrong :
       {Args{"-c", "Twofish", "-m", "ofb"}, Args{"-c", "Shark", "-m", "cfb"}, Args{"-c", "3Way"}}) {
    Args read = {"decrypt", "s.bmp", "-k", "key.txt"};
    read.insert(read.end(), wrong.begin(), wrong.end());
    const RunResult refused = box.Run(read);
    EXPECT_EQ(refused.exitCode, 1) << wrong[1];
    EXPECT_TRUE(Has(refused.err, "does not read as text")) << refused.err;
    EXPECT_EQ(refused.out, "");
  }
}

}  // namespace
}  // namespace hushlake::clitest
