// hash, list, selftest, help and wrong usage, run as a user runs them.
#include <gtest/gtest.h>

#include <cstdio>
#include <memory>
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
      {{"-a", "md-5", "input.bin"}, "", "900150983CD24FB0D6963F7D28E17F72\n"},
      {{"--algo", "SHA-1"}, "abc", "A9993E364706816ABA3E25717850C26C9CD0D89D\n"},
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
  EXPECT_EQ(marked, items.size() + ModeListItems.size());
  EXPECT_NE(result.out.find("CRC32"), std::string::npos);
  EXPECT_NE(result.out.find("\n* cmOFB"), std::string::npos);
  EXPECT_NE(result.out.find("with or without their punctuation"), std::string::npos);
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
  for (const char* overview : {"--help", "-h", "help"}) {
    const RunResult result = box.Run({overview});
    EXPECT_EQ(result.exitCode, 0);
    EXPECT_EQ(result.out.rfind("Hides a text in a BMP or PNG picture", 0), 0u) << result.out;
  }
  const RunResult overview = box.Run({"help"});
  for (const char* command :
       {"encrypt", "decrypt", "capacity", "hash", "list", "selftest", "demo", "help"}) {
    EXPECT_NE(overview.out.find(std::string("  ") + command + " "), std::string::npos) << command;
    const std::string usage = std::string("Usage: hushlake-cli ") + command;
    const RunResult asked = box.Run({"help", command});
    EXPECT_EQ(asked.exitCode, 0) << command;
    EXPECT_NE(asked.out.find(usage), std::string::npos) << asked.out;
    const RunResult flag = box.Run({command, "--in", "x", "--help"});
    EXPECT_EQ(flag.exitCode, 0) << command;
    EXPECT_EQ(flag.out, asked.out) << command;
  }
  for (const char* version : {"--version", "-V"}) {
    const RunResult result = box.Run({version});
    EXPECT_EQ(result.exitCode, 0);
    EXPECT_EQ(result.out.rfind("hushlake-cli ", 0), 0u);
  }
}

// What bash offers after the words typed so far (the last one being completed).
std::string Completions(const CliSandbox& box, const std::string& line) {
  box.Write("complete.sh",
            std::string("source '") + HUSHLAKE_CLI_COMPLETION + "'\n" + "COMP_WORDS=(" + line +
                "); COMP_CWORD=$((${#COMP_WORDS[@]} - 1))\n" + "[[ \"" + line +
                "\" == *' ' ]] && COMP_WORDS+=('') && COMP_CWORD=${#COMP_WORDS[@]}-1\n"
                "_hushlake_cli; printf '%s\\n' \"${COMPREPLY[@]}\" | sort | tr '\\n' ' '\n");
  const std::string script = box.Path("complete.sh");
  const std::unique_ptr<FILE, int (*)(FILE*)> pipe(
      popen(("cd '" + box.Path("") + "' && bash '" + script + "'").c_str(), "r"), &pclose);
  std::string out;
  char buffer[4096];
  for (std::size_t got; (got = fread(buffer, 1, sizeof buffer, pipe.get())) > 0;)
    out.append(buffer, got);
  return out;
}

TEST(Completion, OffersCommandsOptionsNamesAndPictures) {
  CliSandbox box;
  box.Write("photo.bmp", "");
  box.Write("notes.txt", "");
  EXPECT_EQ(Completions(box, "hushlake-cli dec"), "decrypt ");
  EXPECT_EQ(Completions(box, "hushlake-cli encrypt --st"), "--strict ");
  EXPECT_EQ(Completions(box, "hushlake-cli decrypt --det"), "--detect ");
  EXPECT_EQ(Completions(box, "hushlake-cli decrypt -m cmC"), "cmCBC cmCFB cmCTS ");
  // Names in any case, as the tool takes them; modes also without "cm".
  EXPECT_EQ(Completions(box, "hushlake-cli encrypt -c bl"), "Blowfish ");
  EXPECT_EQ(Completions(box, "hushlake-cli encrypt -c SAFER-s"), "SAFER-SK128 ");
  EXPECT_EQ(Completions(box, "hushlake-cli decrypt -H ha"), "Haval-224 Haval-256 ");
  EXPECT_EQ(Completions(box, "hushlake-cli decrypt -m cb"), "cmCBC ");
  EXPECT_EQ(Completions(box, "hushlake-cli decrypt -m CMo"), "cmOFB ");
  EXPECT_EQ(Completions(box, "hushlake-cli capacity p"), "photo.bmp ");
  EXPECT_EQ(Completions(box, "hushlake-cli help ca"), "capacity ");
  EXPECT_EQ(Completions(box, "hushlake-cli an"), "analyze ");
  EXPECT_EQ(Completions(box, "hushlake-cli analyze --j"), "--json ");
  EXPECT_EQ(Completions(box, "hushlake-cli analyze p"), "photo.bmp ");
  EXPECT_EQ(Completions(box, "hushlake-cli analyze --against p"), "photo.bmp ");
  // A picture name may have no extension, as the tool takes it; another extension is no picture's.
  box.Write("hidden", "");
  box.Write("hidden.txt", "");
  box.Write("HIDDEN.PNG", "");
  EXPECT_EQ(Completions(box, "hushlake-cli decrypt hi"), "hidden ");
  EXPECT_EQ(Completions(box, "hushlake-cli encrypt x -o h"), "hidden ");
  EXPECT_EQ(Completions(box, "hushlake-cli capacity H"), "HIDDEN.PNG ");
  // Every item of the window's lists, without its spaces, is offered.
  const std::string hashes = Completions(box, "hushlake-cli encrypt --hash ''");
  for (std::string_view item : HashListItems) {
    std::string name(item);
    std::erase(name, ' ');
    EXPECT_NE(hashes.find(name + " "), std::string::npos) << name;
  }
  const std::string ciphers = Completions(box, "hushlake-cli encrypt -c ''");
  for (std::string_view item : CipherListItems) {
    std::string name(item);
    std::erase(name, ' ');
    EXPECT_NE(ciphers.find(name + " "), std::string::npos) << name;
  }
}

struct Misuse {
  std::vector<std::string> args;
  std::string said;  // on standard error
};

// Wrong usage ends with status 2 and says what is wrong after
// "hushlake-cli:"; unknown names come with the list of valid ones.
TEST(Usage, WrongUsageEndsWithStatusTwo) {
  CliSandbox box;
  WritePicture(box, "p24.bmp", 30, 30, PixelFormat::Bgr24);
  box.Write("key.txt", "a good long key\n");
  const Misuse cases[] = {
      {{}, "hushlake-cli: "},
      {{"frobnicate"}, "hushlake-cli: unknown command \"frobnicate\""},
      {{"help", "frobnicate"}, "hushlake-cli: unknown command \"frobnicate\""},
      {{"encrypt", "p24.bmp", "--key-file", "key.txt"}, "hushlake-cli: --out is required"},
      {{"encrypt", "p24.bmp", "-o", "o.bmp", "--hash", "Whirlpool"}, "\n  Haval-224\n"},
      {{"decrypt", "p24.bmp", "--cipher", "DES"}, "\n  Twofish"},
      {{"decrypt", "p24.bmp", "--mode", "cmECB"}, "\n  cmOFB"},
      {{"decrypt", "p24.bmp", "--bogus"}, "--bogus"},
      {{"decrypt", "p24.bmp", "--in", "p24.bmp"}, "the picture is given twice"},
      {{"decrypt"}, "no picture"},
      {{"decrypt", "--in"}, "--in"},
      {{"decrypt", "--out", "", "p24.bmp"}, "empty file name"},
      {{"capacity", "p24.bmp", "extra"}, "extra"},
      {{"hash", "--algo", "Nope"}, "MD5 (Message Digest 5)"},
      {{"hash", "--algo", "MD5", "--format", "base64"}, "mime64"},
      // No terminal, no key file, no HUSHLAKE_KEY: nowhere to take a key from.
      {{"encrypt", "p24.bmp", "-o", "o.bmp"}, "HUSHLAKE_KEY"},
      {{"decrypt", "p24.bmp"}, "--key-file"},
  };
  for (const Misuse& c : cases) {
    const RunResult result = box.Run(c.args);
    EXPECT_EQ(result.exitCode, 2) << c.said;
    EXPECT_NE(result.err.find(c.said), std::string::npos) << result.err;
    EXPECT_EQ(result.err.rfind("hushlake-cli: ", 0), 0u) << result.err;
  }
  EXPECT_FALSE(box.Exists("o.bmp"));
}

}  // namespace
}  // namespace hushlake::clitest
