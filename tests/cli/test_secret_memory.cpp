// No copy of the key outlives its use in the tool's memory: not in a block
// given back to the allocator, and not in memory still mapped when the
// process ends, after actions that succeed and after actions that fail half
// way. The tool runs with a probe library preloaded that looks at every freed
// block and, at the very end, at every writable mapping (heap, stacks,
// anonymous memory, the data of every loaded file) for the key's bytes.
#include <gtest/gtest.h>

#include <cstdlib>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

#include "app/key_case.h"
#include "app/text_cipher.h"
#include "app/text_encoding.h"
#include "cli_sandbox.h"
#include "crypto/managers.h"
#include "crypto/string_format.h"
#include "picture_files.h"

namespace hushlake::clitest {
namespace {

// Upper and lower case, and characters whose UTF-8 and Windows-1252 bytes differ.
const std::string TheKey = "Quartz\xC2\xA3Mango\xC2\xA7Zebra\xC2\xB0-7192-hush";
const std::string OtherKey = "an entirely different key 5581";

struct Needle {
  std::string name;
  std::string bytes;
};

std::string Hex(const std::string& bytes) {
  static const char digits[] = "0123456789abcdef";
  std::string out;
  for (unsigned char c : bytes) out += {digits[c >> 4], digits[c & 15]};
  return out;
}

std::string Digest(const std::string& hash, const std::string& data, int format) {
  THashManager hashes;
  hashes.SetAlgorithm(hash);
  return hashes.AlgorithmClass()->HashString(data, nullptr, format);
}

// The key as the user gives it, as the tool hashes it, and everything the
// 24- and 32-bit path derives from it under Choice: the digest, its text
// (which keys the cipher), the head of the cipher's key and the engine key.
std::vector<Needle> KeyForms(const std::string& key, const CipherChoice& choice) {
  const std::string ansi = EditorTextToWindows1252(key);
  const std::string digestHex = Digest(choice.hash, ansi, FormatHEX);
  // A copy left while a buffer grew holds only the key's first part.
  return {{"key-utf8", key},
          {"key-utf8-head", key.substr(0, 12)},
          {"key-cp1252", ansi},
          {"key-cp1252-head", ansi.substr(0, 10)},
          {"key-lowered", EditorTextToWindows1252(LowerCaseKeyText(key))},
          {"digest", Digest(choice.hash, ansi, FormatCopy)},
          {"digest-hex", digestHex},
          {"cipher-key", Digest(choice.hash, digestHex, FormatCopy).substr(0, 8)},
          {"engine-key", DeriveEngineKey(choice, ansi).PlainCopy()}};
}

struct ProbeReport {
  bool ran = false;
  std::vector<std::string> findings;  // "freed NAME SIZE", "live NAME REGION", "live-at ..."
};

// Set in the test's environment, these turn the probe's diagnostics on (see secret_probe.cpp).
constexpr const char* Diagnostics[] = {"HUSHLAKE_TEST_SECRET_TRACE", "HUSHLAKE_TEST_SECRET_DUMP"};

bool Diagnosing() {
  for (const char* diagnostic : Diagnostics)
    if (std::getenv(diagnostic) != nullptr) return true;
  return false;
}

class SecretProbe {
 public:
  explicit SecretProbe(const CliSandbox& box) : box_(box) {}

  // Runs the tool with the probe looking for Needles.
  RunResult Run(const std::vector<std::string>& args, const std::vector<Needle>& needles,
                const RunInput& input = {}) {
    std::string marker;
    for (const Needle& needle : needles)
      marker += (marker.empty() ? "" : ",") + needle.name + ":" + Hex(needle.bytes);
    std::vector<std::string> environment = {std::string("LD_PRELOAD=") + ProbePath(),
                                            "HUSHLAKE_TEST_SECRET_MARKER=" + marker,
                                            "HUSHLAKE_TEST_SECRET_REPORT=" + box_.Path(".probe")};
    for (const char* diagnostic : Diagnostics)
      if (std::getenv(diagnostic) != nullptr) environment.push_back(std::string(diagnostic) + "=1");
    return box_.RunProgram(ProbedTool(), args, input, environment);
  }

  ProbeReport Report() const {
    ProbeReport report;
    // With the probe's diagnostics on, their lines come along.
    const bool tracing = Diagnosing();
    std::istringstream lines(box_.Read(".probe"));
    for (std::string line; std::getline(lines, line);) {
      if (line.rfind("scanned ", 0) == 0) report.ran = line != "scanned 0 0";
      if (line.rfind("freed ", 0) == 0 || line.rfind("live", 0) == 0 || tracing)
        report.findings.push_back(line);
    }
    return report;
  }

  static const char* ProbePath() {
#ifdef HUSHLAKE_SECRET_PROBE_PATH
    return HUSHLAKE_SECRET_PROBE_PATH;
#else
    return nullptr;
#endif
  }

 private:
  static std::string ProbedTool() {
#ifdef HUSHLAKE_PROBED_CLI_PATH
    return HUSHLAKE_PROBED_CLI_PATH;
#else
    return HUSHLAKE_CLI_PATH;
#endif
  }

  const CliSandbox& box_;
};

std::string Joined(const std::vector<std::string>& lines) {
  std::string out;
  for (const std::string& line : lines) out += "\n  " + line;
  return out;
}

class SecretMemory : public ::testing::Test {
 protected:
  void SetUp() override {
    if (SecretProbe::ProbePath() == nullptr)
      GTEST_SKIP() << "the sanitizer build has its own allocator, which a preloaded probe cannot "
                      "watch; the plain and release builds run these tests";
    WritePicture(box, "p24.bmp", 120, 80, PixelFormat::Bgr24);
    WritePicture(box, "p32.bmp", 120, 80, PixelFormat::Bgrx32, 11);
    WritePicture(box, "small.bmp", 30, 30, PixelFormat::Bgr24);
    box.Write("text.txt", "A short secret note.\n");
    box.Write("long.txt", std::string(20000, 'w'));
    box.Write("the.key", TheKey + "\n");
    box.Write("other.key", OtherKey + "\n");
    box.Write("garbage.bmp", "BM this is no picture at all, only a name that claims one");
    box.Write("sixteen.bmp", SixteenBitBmp(40, 40));
    std::filesystem::create_directory(box.Path("folder.bmp"));
  }

  // Hides the note in Picture under Key, without the probe.
  void Hide(const std::string& picture, const std::string& keyFile, const std::string& out,
            const std::vector<std::string>& choice = {}) {
    std::vector<std::string> args = {"encrypt",     "--in",     picture,      "--out", out,
                                     "--text-file", "text.txt", "--key-file", keyFile};
    args.insert(args.end(), choice.begin(), choice.end());
    const RunResult result = box.Run(args);
    ASSERT_EQ(result.exitCode, 0) << result.err;
  }

  // Runs Args with the probe and expects success or failure and no copy of
  // any form of TheKey.
  void ExpectNoKeyLeft(const std::vector<std::string>& args, bool succeeds,
                       const CipherChoice& choice = {}, const RunInput& input = {}) {
    SecretProbe probe(box);
    const RunResult result = probe.Run(args, KeyForms(key, choice), input);
    EXPECT_EQ(result.exitCode == 0, succeeds) << result.exitCode << ": " << result.err;
    const ProbeReport report = probe.Report();
    ASSERT_TRUE(report.ran) << "the probe did not run";
    EXPECT_TRUE(report.findings.empty()) << "copies of the key:" << Joined(report.findings);
  }

  CliSandbox box;
  std::string key = TheKey;  // the key whose forms the probe looks for
};

// The probe itself: a string the tool surely copies and frees without care
// (a long file name) is found, in freed blocks and in the argument words
// still on the stack.
TEST_F(SecretMemory, ProbeFindsWhatTheToolLeavesBehind) {
  const std::string name = "a-picture-file-with-a-long-name.bmp";
  WritePicture(box, name, 40, 40, PixelFormat::Bgr24);
  SecretProbe probe(box);
  const RunResult result = probe.Run({"capacity", "--in", name}, {{"name", name}});
  ASSERT_EQ(result.exitCode, 0) << result.err;
  const ProbeReport report = probe.Report();
  ASSERT_TRUE(report.ran);
  const std::string all = Joined(report.findings);
  EXPECT_NE(all.find("freed name"), std::string::npos) << all;
  EXPECT_NE(all.find("live name [stack]"), std::string::npos) << all;
}

TEST_F(SecretMemory, NoKeyLeftAfterHidingAndReading) {
  ExpectNoKeyLeft({"encrypt", "--in", "p24.bmp", "--out", "env.bmp", "--text-file", "text.txt"},
                  true, {}, {"", TheKey});
  ExpectNoKeyLeft({"encrypt", "--in", "p32.bmp", "--out", "file.bmp", "--text-file", "text.txt",
                   "--key-file", "the.key"},
                  true);
  ExpectNoKeyLeft({"decrypt", "--in", "env.bmp", "--key-file", "the.key"}, true);
  ExpectNoKeyLeft({"decrypt", "--in", "file.bmp", "--out", "note.txt"}, true, {}, {"", TheKey});
  EXPECT_NE(box.Read("note.txt").find("A short secret note."), std::string::npos);
}

// Every hash and every cipher once, each with its own key schedule and state.
TEST_F(SecretMemory, NoKeyLeftByAnyHashOrCipher) {
  for (std::size_t i = 0; i < CipherListItems.size(); ++i) {
    CipherChoice choice;
    choice.hash = HashListItems[i % HashListItems.size()];
    choice.cipher = CipherListItems[i];
    choice.mode = static_cast<int>(i % ModeListItems.size());
    SCOPED_TRACE(choice.hash + " / " + choice.cipher);
    const std::vector<std::string> options = {"--hash",   choice.hash,
                                              "--cipher", choice.cipher,
                                              "--mode",   std::string(ModeListItems[choice.mode])};
    std::vector<std::string> hide = {"encrypt", "--in",        "p24.bmp",  "--out",
                                     "c.bmp",   "--text-file", "text.txt", "--force"};
    hide.insert(hide.end(), options.begin(), options.end());
    ExpectNoKeyLeft(hide, true, choice, {"", TheKey});
    std::vector<std::string> read = {"decrypt", "--in", "c.bmp", "--key-file", "the.key"};
    read.insert(read.end(), options.begin(), options.end());
    ExpectNoKeyLeft(read, true, choice);
  }
}

// A key file in Windows-1252 whose characters all grow in UTF-8: the decoded
// key outgrows any estimate made from the file's size.
TEST_F(SecretMemory, NoKeyLeftWhenAKeyFileIsDecoded) {
  const std::string ansi = "\x80\xA3\xA7\xB0\x80\xA3\xA7\xB0\x80\xA3\xA7\xB0\x80\xA3\xA7\xB0";
  box.Write("ansi.key", ansi + "\r\n");
  key =
      "\xE2\x82\xAC\xC2\xA3\xC2\xA7\xC2\xB0\xE2\x82\xAC\xC2\xA3\xC2\xA7\xC2\xB0"
      "\xE2\x82\xAC\xC2\xA3\xC2\xA7\xC2\xB0\xE2\x82\xAC\xC2\xA3\xC2\xA7\xC2\xB0";
  ASSERT_EQ(EditorTextToWindows1252(key), ansi);
  ExpectNoKeyLeft({"encrypt", "--in", "p24.bmp", "--out", "a.bmp", "--text-file", "text.txt",
                   "--key-file", "ansi.key"},
                  true);
  ExpectNoKeyLeft({"decrypt", "--in", "a.bmp", "--key-file", "ansi.key"}, true);
}

// Actions that stop after the key was read, each at another step.
TEST_F(SecretMemory, NoKeyLeftAfterActionsThatFailHalfWay) {
  Hide("p24.bmp", "other.key", "hidden.bmp");
  struct Case {
    const char* what;
    std::vector<std::string> args;
  };
  const std::vector<Case> cases = {
      {"wrong key", {"decrypt", "--in", "hidden.bmp"}},
      {"wrong key, text to a file", {"decrypt", "--in", "hidden.bmp", "--out", "t.txt"}},
      {"text too long",
       {"encrypt", "--in", "small.bmp", "--out", "o.bmp", "--text-file", "long.txt"}},
      {"unwritable picture",
       {"encrypt", "--in", "p24.bmp", "--out", "no/such/folder/o.bmp", "--text-file", "text.txt"}},
      {"output is a folder",
       {"encrypt", "--in", "p24.bmp", "--out", "folder.bmp", "--text-file", "text.txt", "--force"}},
      {"not a picture",
       {"encrypt", "--in", "garbage.bmp", "--out", "o.bmp", "--text-file", "text.txt"}},
      {"unsupported picture", {"decrypt", "--in", "sixteen.bmp"}},
      {"missing picture", {"decrypt", "--in", "nowhere.bmp"}},
      {"missing text file",
       {"encrypt", "--in", "p24.bmp", "--out", "o.bmp", "--text-file", "nowhere.txt"}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    ExpectNoKeyLeft(c.args, false, {}, {"", TheKey});
    std::vector<std::string> viaFile = c.args;
    viaFile.insert(viaFile.end(), {"--key-file", "the.key"});
    ExpectNoKeyLeft(viaFile, false);
  }
}

}  // namespace
}  // namespace hushlake::clitest
