// Key files of either encoding: a key is as long as its characters, and the
// same characters make the same key whichever way the file stores them.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "cli_sandbox.h"
#include "picture_files.h"

namespace hushlake::clitest {
namespace {

TEST(KeyFiles, CountCharactersAndDecodeLikeTextFiles) {
  CliSandbox box;
  WritePicture(box, "p24.bmp", 100, 50, PixelFormat::Bgr24);
  box.Write("text.txt", "Hello, World!\n");
  // "£££§°°abcdefg": 13 characters, 13 bytes in Windows-1252 but 19 in UTF-8.
  box.Write("latin1.key",
            "\xA3\xA3\xA3\xA7\xB0\xB0"
            "abcdefg\r\n");
  box.Write("utf8.key",
            "\xEF\xBB\xBF\xC2\xA3\xC2\xA3\xC2\xA3\xC2\xA7\xC2\xB0\xC2\xB0"
            "abcdefg\n");
  // Eight characters in sixteen UTF-8 bytes: too short however the bytes are counted.
  box.Write("short.key", "\xC2\xA3\xC2\xA3\xC2\xA3\xC2\xA3\xC2\xA3\xC2\xA3\xC2\xA3\xC2\xA3\n");

  const RunResult written = box.Run({"encrypt", "--in", "p24.bmp", "--out", "out.bmp",
                                     "--text-file", "text.txt", "--key-file", "latin1.key"});
  ASSERT_EQ(written.exitCode, 0) << written.err;
  const RunResult read = box.Run({"decrypt", "--in", "out.bmp", "--key-file", "utf8.key"});
  EXPECT_EQ(read.exitCode, 0) << read.err;
  EXPECT_EQ(read.out, "Hello, World!\n");

  const RunResult refused = box.Run({"encrypt", "--in", "p24.bmp", "--out", "short.bmp",
                                     "--text-file", "text.txt", "--key-file", "short.key"});
  EXPECT_EQ(refused.exitCode, 1);
  EXPECT_NE(refused.err.find("The Key entered is too short"), std::string::npos) << refused.err;
}

}  // namespace
}  // namespace hushlake::clitest
