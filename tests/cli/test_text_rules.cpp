// The tool's own rules, checked directly: what reads as text, one spelling
// of names, the key's bytes, what an 8-bit picture does to a text, and how
// much text a picture takes.
#include <gtest/gtest.h>

#include <iostream>
#include <string>

#include "app/palette_notice.h"
#include "app/plausible_text.h"
#include "app/text_cipher.h"
#include "app/text_encoding.h"
#include "app/text_room.h"
#include "cli/key_input.h"
#include "cli/names.h"
#include "cli/outcome.h"
#include "sample_texts.h"
#include "stego/stego_test_support.h"

namespace hushlake::clitest {
namespace {

using hushlake::LooksLikeText;

// Every sample, each of its lines and words, and the Latin ones as the
// Windows-1252 bytes of older pictures: no false alarm.
TEST(PlausibleText, RealTextsInManyLanguagesReadAsText) {
  int judged = 0, falseAlarms = 0;
  const auto expectText = [&](const std::string& text) {
    ++judged;
    falseAlarms += !LooksLikeText(text);
    EXPECT_TRUE(LooksLikeText(text)) << text;
  };
  for (std::string_view sample : SampleTexts) {
    expectText(std::string(sample));
    std::string word;
    for (char c : std::string(sample) + " ") {
      if (c != ' ' && c != '\n') {
        word += c;
      } else if (!word.empty()) {
        expectText(word);
        word.clear();
      }
    }
    const std::string ansi = EditorTextToWindows1252(sample);
    if (ansi.find(Unmappable) == std::string::npos) expectText(CipherBytesToEditorText(ansi));
  }
  std::cout << "[ figures  ] real texts judged: " << judged << ", false alarms: " << falseAlarms
            << "\n";
}

TEST(PlausibleText, ControlCharactersAndRandomLatinBytesAreNotText) {
  EXPECT_FALSE(LooksLikeText(std::string("abc\0def", 7)));
  EXPECT_FALSE(LooksLikeText("line\x1B[31m"));
  EXPECT_FALSE(LooksLikeText("\xC2\x81"));  // a C1 control
  EXPECT_FALSE(LooksLikeText(CipherBytesToEditorText("\xE4\xF6\xFC\xDF\xE9\xB5\xA4\xD7xx")));
  EXPECT_TRUE(LooksLikeText("tab\tand\r\nlines\f"));
}

// Hidden with one cipher and mode, read with each of the 59 others: the
// result must never pass as text unless it is the text itself (a short text
// can come back right in a related mode). Texts under 16 bytes can pass by
// chance; they are counted, not required.
TEST(PlausibleText, EveryWrongCipherAndModeIsCaught) {
  const std::string keys[] = {"Correct horse 42", "\xCE\xA9mega secret key", "another key 2026"};
  const CipherChoice hidden[] = {{"Haval-224", "3Way", 0},
                                 {"MD5", "Blowfish", 1},
                                 {"SHA1", "Rijndael", 2},
                                 {"Tiger", "Twofish", 3},
                                 {"Square", "Sapphire II", 0}};
  int tried = 0, missedShort = 0, triedShort = 0;
  for (std::string_view sample : SampleTexts) {
    const std::string bytes = EditorTextToCipherBytes(sample);
    const bool isShort = bytes.size() < 16;
    for (const std::string& key : keys) {
      for (const CipherChoice& right : hidden) {
        const std::string cipherText = EncipherText(right, key, bytes);
        for (std::string_view cipher : CipherListItems) {
          for (int mode = 0; mode < 4; ++mode) {
            const CipherChoice wrong{right.hash, std::string(cipher), mode};
            if (wrong.cipher == right.cipher && wrong.mode == right.mode) continue;
            const std::string plain = DecipherText(wrong, key, cipherText).PlainCopy();
            if (plain == bytes) continue;
            const bool passed = LooksLikeText(CipherBytesToEditorText(plain));
            (isShort ? triedShort : tried) += 1;
            if (isShort) missedShort += passed;
            if (!isShort) {
              EXPECT_FALSE(passed) << sample << " / " << cipher << " " << mode << ": "
                                   << CipherBytesToEditorText(plain);
            }
          }
        }
      }
    }
  }
  std::cout << "[ figures  ] wrong cipher or mode, texts of 16 bytes or more: " << tried
            << " tried; texts under 16 bytes: " << missedShort << " passed of " << triedShort
            << "\n";
}

// The rule decrypt and --detect apply to the deciphered bytes: UTF-8 without
// NUL (all Encrypt writes) always passes, and a wrong cipher or mode almost
// never gives that; texts of 24 bytes or more must never pass.
TEST(PlausibleText, DecipheredBytesOfAWrongCipherOrModeAreNotText) {
  EXPECT_TRUE(BytesReadAsText("x\xC2\xB2 + y\xC2\xB2 = z\xC2\xB2"));
  EXPECT_TRUE(BytesReadAsText("\x1B[31mred\x1B[0m"));
  EXPECT_TRUE(
      BytesReadAsText("Gr\xFC\xDF"
                      "e aus M\xFCnchen"));  // Windows-1252 of an older version
  EXPECT_FALSE(BytesReadAsText(std::string("UTF-8 but \0 NUL", 16)));
  EXPECT_FALSE(BytesReadAsText("\xE4\xF6\xFC\xDF\xE9\xB5\xA4\xD7xx"));
  EXPECT_TRUE(ReadsAsText("\xC3\xA9\xC3\xA9\xC3\xA9\xC3\xA9", Decoded::Utf8));
  EXPECT_FALSE(ReadsAsText("\xC3\xA9\xC3\xA9\xC3\xA9\xC3\xA9", Decoded::Windows1252));
  EXPECT_FALSE(ReadsAsText(std::string("a\0b", 3), Decoded::Utf8));
  const CipherChoice hidden[] = {{"Haval-224", "3Way", 0}, {"SHA1", "Rijndael", 2}};
  int tried = 0, passedShort = 0, triedShort = 0;
  for (std::string_view sample : SampleTexts) {
    const std::string bytes = EditorTextToCipherBytes(sample);
    const bool isShort = bytes.size() < 24;
    for (const CipherChoice& right : hidden) {
      const std::string cipherText = EncipherText(right, "Correct horse 42", bytes);
      for (std::string_view cipher : CipherListItems) {
        for (int mode = 0; mode < 4; ++mode) {
          const CipherChoice wrong{right.hash, std::string(cipher), mode};
          if (wrong.cipher == right.cipher && wrong.mode == right.mode) continue;
          const std::string plain = DecipherText(wrong, "Correct horse 42", cipherText).PlainCopy();
          if (plain == bytes) continue;
          const bool passed = BytesReadAsText(plain);
          (isShort ? triedShort : tried) += 1;
          if (isShort) passedShort += passed;
          if (!isShort) {
            EXPECT_FALSE(passed) << sample << " / " << cipher << " " << mode;
          }
        }
      }
    }
  }
  std::cout << "[ figures  ] deciphered bytes of a wrong cipher or mode, texts of 24 bytes or "
               "more: "
            << tried << " tried; shorter texts: " << passedShort << " passed of " << triedShort
            << "\n";
}

TEST(Names, OneSpellingEverywhere) {
  using namespace cli;
  EXPECT_EQ(HashItemNamed("haval224"), "Haval-224");
  EXPECT_EQ(HashItemNamed("HAVAL 224"), "Haval-224");
  EXPECT_EQ(HashItemNamed("sapphire-ii-320"), "Sapphire II-320");
  EXPECT_EQ(HashItemNamed("SHA"), "SHA");
  EXPECT_EQ(HashItemNamed("sha-1"), "SHA1");
  EXPECT_EQ(CipherItemNamed("saferk128"), "SAFER-K128");
  EXPECT_EQ(CipherItemNamed("Safer SK 128"), "SAFER-SK128");
  EXPECT_EQ(CipherItemNamed("diamondii"), "Diamond II");
  EXPECT_EQ(ModeIndexNamed("cbc"), 1);
  EXPECT_EQ(ModeIndexNamed("CMofb"), 3);
  EXPECT_EQ(ModeIndexNamed("cm-CFB"), 2);
  EXPECT_THROW(ModeIndexNamed("ecb"), UsageError);
  EXPECT_THROW(HashItemNamed("---"), UsageError);
  // No two items of a list share a spelling.
  for (std::string_view a : HashListItems)
    for (std::string_view b : HashListItems)
      if (a != b) {
        EXPECT_NE(NameKey(a), NameKey(b));
      }
  for (std::string_view a : CipherListItems)
    for (std::string_view b : CipherListItems)
      if (a != b) {
        EXPECT_NE(NameKey(a), NameKey(b));
      }
}

// A key file and HUSHLAKE_KEY holding the same key agree, whatever the file's
// line breaks, byte order mark or code page.
TEST(KeyBytes, FirstLineWithoutMarksDecodedAsText) {
  const struct {
    std::string bytes;
    std::string key;
  } cases[] = {
      {"Correct horse 42", "Correct horse 42"},
      {"Correct horse 42\n", "Correct horse 42"},
      {"Correct horse 42\r\n\r\n", "Correct horse 42"},
      {"Correct horse 42\r\r\n", "Correct horse 42"},
      {"\xEF\xBB\xBF"
       "Correct horse 42\n",
       "Correct horse 42"},
      {"first line\nsecond line\n", "first line"},
      {"\xA3\xA3\xA3\xA7\xB0\xB0"
       "abcdefg\r\n",
       "\xC2\xA3\xC2\xA3\xC2\xA3\xC2\xA7\xC2\xB0\xC2\xB0"
       "abcdefg"},
      {"\xCE\xA9mega Secret Key\n", "\xCE\xA9mega Secret Key"},
  };
  for (const auto& c : cases) EXPECT_EQ(cli::KeyFromBytes(c.bytes), c.key) << c.bytes;
}

TEST(PaletteNotice, ShowsTheFirstLineThatChanges) {
  EXPECT_EQ(PaletteRoundTrip("Hello  World!\nNo. 5 \xE2\x82\xAC"), "hello world!\nno. 5  ");
  EXPECT_EQ(FirstPaletteChange("all lower case, fine.\nsecond Line"),
            "\"second Line\" becomes \"second line\"");
  EXPECT_FALSE(FirstPaletteChange("nothing to change here.\nor here!").has_value());
}

// The exact limit: Encrypt's own capacity check, through the window logic,
// is what the command-line tests confirm; here the counting rules.
TEST(TextRoom, CountsAsTheEngineDoes) {
  const Picture picture = testing_support::RandomPicture(100, 50, PixelFormat::Bgr24, 3);
  const TextRoom room = RoomFor(picture, 9);
  EXPECT_EQ(room.editorFigure, 2450);
  // 49 columns of positions in 50 rows, less one: 2449; less the engine key
  // and 5 marks: 2428 base-64 characters, which carry 1821 bytes.
  EXPECT_EQ(room.longest, 1821);
  EXPECT_EQ(TextCost("a\nb", false), 4);
  EXPECT_EQ(TextCost("\xC3\xA9", false), 2);
  EXPECT_EQ(TextCost("\xC3\xA9", true), 1);
  const Picture palette = testing_support::RandomPicture(100, 50, PixelFormat::Indexed8, 3);
  EXPECT_EQ(RoomFor(palette, 9).longest, 32 * 50 - 1 - 9 - 5);
}

}  // namespace
}  // namespace hushlake::clitest
