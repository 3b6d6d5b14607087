// hash, list, selftest, help and wrong usage, run as a user runs them.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/text_cipher.h"
#include "cli_sandbox.h"
#include "picture_files.h"

namespace hushlake::clitest {
namespace {

struct HashCase {
  std::vector<std::string> args;
  std::string input;  // standard input, and the content of input.bin
  std::string expected;
};

// Digests of "abc": MD5 from the RFC 1321 test suite, SHA-1 from FIPS 180-1
// appendix A. Names are short class names or display names, in any case.
TEST(HashCommand, PrintsTheDigestOfStandardInputOrAFile) {
  CliSandbox box;
  box.Write("input.bin", "abc");
  const HashCase cases[] = {
      {{"--algo", "MD5"}, "abc", "900150983CD24FB0D6963F7D28E17F72\n"},
      {{"--algo", "md5", "input.bin"}, "", "900150983CD24FB0D6963F7D28E17F72\n"},
      {{"--algo", "Message Digest 5", "--format", "hex", "-"},
       "abc",
       "900150983cd24fb0d6963f7d28e17f72\n"},
      {{"--algo", "SHA1", "--format", "HEX"}, "abc", "A9993E364706816ABA3E25717850C26C9CD0D89D\n"},
      {{"--algo=MD5", "--format=mime64"}, "abc", "kAFQmDzST7DWlj99KOF/cg==\n"},
  };
  for (const HashCase& c : cases) {
    std::vector<std::string> args = {"hash"};
    args.insert(args.end(), c.args.begin(), c.args.end());
    const RunResult result = box.Run(args, {c.input, std::nullopt});
    EXPECT_EQ(result.exitCode, 0) << result.err;
    EXPECT_EQ(result.out, c.expected) << c.args[1];
  }
  EXPECT_EQ(box.Run({"hash", "--algo", "MD5", "missing.bin"}).exitCode, 1);
}

TEST(ListCommand, MarksEveryItemOfTheMainWindowsLists) {
  CliSandbox box;
  const RunResult result = box.Run({"list"});
  ASSERT_EQ(result.exitCode, 0);
  std::vector<std::string_view> items(HashListItems.begin(), HashListItems.end());
  items.insert(items.end(), CipherListItems.begin(), CipherListItems.end());
  for (std::string_view item : items) {
    // Appended, not "literal" + std::string&&, which GCC 12 at -O3 takes for an overlapping
    // copy (a false -Wrestrict alarm).
    std::string line = "\"";
    line.append(item).append("\"\n");
    EXPECT_NE(result.out.find(line), std::string::npos) << item;
  }
  std::size_t marked = 0;
  for (std::size_t at = 0; (at = result.out.find("\n* ", at)) != std::string::npos; ++at) ++marked;
  EXPECT_EQ(marked, items.size());
  EXPECT_NE(result.out.find("CRC32"), std::string::npos);
}

TEST(SelfTestCommand, EveryClassMatchesItsReference) {
  CliSandbox box;
  const RunResult result = box.Run({"selftest"});
  EXPECT_EQ(result.exitCode, 0) << result.out;
  EXPECT_EQ(result.out.find("FAILED"), std::string::npos);
  EXPECT_NE(result.out.find("ok      THash_MD5\n"), std::string::npos);
  EXPECT_NE(result.out.find("ok      TCipher_Blowfish\n"), std::string::npos);
}

TEST(Help, EveryCommandExplainsItself) {
  CliSandbox box;
  const RunResult overview = box.Run({"--help"});
  EXPECT_EQ(overview.exitCode, 0);
  for (const char* command :
       {"encrypt", "decrypt", "capacity", "hash", "list", "selftest", "demo"}) {
    EXPECT_NE(overview.out.find(std::string("  ") + command + " "), std::string::npos) << command;
    const RunResult help = box.Run({command, "--in", "x", "--help"});
    EXPECT_EQ(help.exitCode, 0) << command;
    EXPECT_EQ(help.out.rfind(std::string("Usage: hushlake-cli ") + command, 0), 0u) << command;
  }
}

struct Misuse {
  std::vector<std::string> args;
  std::string said;  // on standard error
};

// Wrong usage ends with status 2 and says what is wrong; unknown names come
// with the list of valid ones.
TEST(Usage, WrongUsageEndsWithStatusTwo) {
  CliSandbox box;
  WritePicture(box, "p24.bmp", 30, 30, PixelFormat::Bgr24);
  box.Write("key.txt", "a good long key\n");
  const Misuse cases[] = {
      {{}, "Usage: hushlake-cli COMMAND"},
      {{"frobnicate"}, "unknown command \"frobnicate\""},
      {{"encrypt", "--in", "p24.bmp", "--key-file", "key.txt"}, "--out is required"},
      {{"encrypt", "--in", "p24.bmp", "--out", "o.bmp", "--hash", "Whirlpool"}, "\n  Haval-224\n"},
      {{"decrypt", "--in", "p24.bmp", "--cipher", "DES"}, "\n  Twofish"},
      {{"decrypt", "--in", "p24.bmp", "--mode", "cmECB"}, "\n  cmOFB"},
      {{"decrypt", "--in", "p24.bmp", "--bogus"}, "unknown option --bogus"},
      {{"decrypt", "--in", "p24.bmp", "--in", "p24.bmp"}, "given twice"},
      {{"decrypt", "--in"}, "needs a value"},
      {{"capacity", "--in", "p24.bmp", "extra"}, "unexpected argument \"extra\""},
      {{"hash", "--algo", "Nope"}, "MD5 (Message Digest 5)"},
      {{"hash", "--algo", "MD5", "--format", "base64"}, "mime64"},
      // Standard input carries the text, so it cannot carry the key too.
      {{"encrypt", "--in", "p24.bmp", "--out", "o.bmp"}, "HUSHLAKE_KEY"},
      {{"decrypt", "--in", "p24.bmp"}, "--key-file"},
  };
  for (const Misuse& c : cases) {
    const RunResult result = box.Run(c.args);
    EXPECT_EQ(result.exitCode, 2) << c.said;
    EXPECT_NE(result.err.find(c.said), std::string::npos) << result.err;
  }
  EXPECT_FALSE(box.Exists("o.bmp"));
}

}  // namespace
}  // namespace hushlake::clitest
