#include <gtest/gtest.h>

#include "app/text_encoding.h"

namespace hushlake {
namespace {

TEST(TextEncoding, LineBreaksBecomeCrLf) {
  EXPECT_EQ(WithCrLfLineBreaks("a\nb\r\nc\rd"), "a\r\nb\r\nc\r\nd");
  EXPECT_EQ(WithCrLfLineBreaks("\n\n"), "\r\n\r\n");
  EXPECT_EQ(EditorTextToCipherBytes("gr\xC3\xBC\xC3\x9F\ndich"), "gr\xC3\xBC\xC3\x9F\r\ndich");
}

TEST(TextEncoding, DecipheredBytesAreUtf8WhenValidElseWindows1252) {
  EXPECT_EQ(CipherBytesToEditorText("caf\xC3\xA9"), "caf\xC3\xA9");
  // An older picture's Windows-1252 text: e-acute 0xE9 and the euro sign 0x80.
  EXPECT_EQ(CipherBytesToEditorText("caf\xE9 \x80"), "caf\xC3\xA9 \xE2\x82\xAC");
}

TEST(TextEncoding, Utf8Validation) {
  EXPECT_TRUE(IsValidUtf8(""));
  EXPECT_TRUE(IsValidUtf8("\xF0\x9F\x98\x80"));
  EXPECT_FALSE(IsValidUtf8("\xC0\xAF"));          // overlong
  EXPECT_FALSE(IsValidUtf8("\xED\xA0\x80"));      // surrogate
  EXPECT_FALSE(IsValidUtf8("\xE2\x82"));          // cut short
  EXPECT_FALSE(IsValidUtf8("\xF4\x90\x80\x80"));  // past U+10FFFF
}

TEST(TextEncoding, Windows1252ForThePalettePath) {
  EXPECT_EQ(EditorTextToWindows1252("\xC3\x84pfel \xE2\x82\xAC\n"), "\xC4pfel \x80\r\n");
  // Characters the code page lacks count as one character each.
  EXPECT_EQ(EditorTextToWindows1252("a\xE4\xB8\xAD\xF0\x9F\x98\x80z"), "a__z");
  EXPECT_EQ(Windows1252ToEditorText("\xC4pfel \x80"), "\xC3\x84pfel \xE2\x82\xAC");
}

}  // namespace
}  // namespace hushlake
