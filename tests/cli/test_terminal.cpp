// The tool at a terminal: the key asked for without echo (twice to hide a
// text), the typed text with a hint how to end it.
#include <gtest/gtest.h>

#include "cli_sandbox.h"
#include "picture_files.h"
#include "terminal_run.h"

namespace hushlake::clitest {
namespace {

const std::string Key = "Correct horse 42";

bool Has(const std::string& haystack, std::string_view needle) {
  return haystack.find(needle) != std::string::npos;
}

TEST(Terminal, KeyTypedTwiceAndTextTypedUntilEndOfFile) {
  CliSandbox box;
  WritePicture(box, "p24.bmp", 60, 40, PixelFormat::Bgr24);
  box.Write("key.txt", Key + "\n");
  const TerminalResult hidden = RunOnTerminal(
      box, {"encrypt", "p24.bmp", "-o", "typed.bmp"},
      {{"Key: ", Key + "\r"}, {"The key again: ", Key + "\r"},
       {"Ctrl-D", "typed on a terminal\r"}, {"typed on a terminal", "\x04"}});
  EXPECT_EQ(hidden.exitCode, 0) << hidden.screen;
  EXPECT_FALSE(Has(hidden.screen, Key)) << "the key was echoed: " << hidden.screen;
  const RunResult shown = box.Run({"decrypt", "typed.bmp", "-k", "key.txt"});
  EXPECT_EQ(shown.out, "typed on a terminal\n") << shown.err;

  const TerminalResult read = RunOnTerminal(box, {"decrypt", "typed.bmp"}, {{"Key: ", Key + "\r"}});
  EXPECT_EQ(read.exitCode, 0) << read.screen;
  EXPECT_FALSE(Has(read.screen, "again"));
  EXPECT_TRUE(Has(read.screen, "typed on a terminal"));
}

TEST(Terminal, DifferingKeysOrCtrlCAreRefused) {
  CliSandbox box;
  WritePicture(box, "p24.bmp", 60, 40, PixelFormat::Bgr24);
  const TerminalResult differ =
      RunOnTerminal(box, {"encrypt", "p24.bmp", "-o", "no.bmp", "-t", "p24.bmp"},
                    {{"Key: ", Key + "\r"}, {"The key again: ", Key + "x\r"}});
  EXPECT_EQ(differ.exitCode, 1);
  EXPECT_TRUE(Has(differ.screen, "hushlake-cli: The two keys typed differ")) << differ.screen;
  const TerminalResult cancelled =
      RunOnTerminal(box, {"decrypt", "p24.bmp"}, {{"Key: ", "abc\x03"}});
  EXPECT_EQ(cancelled.exitCode, 1);
  EXPECT_TRUE(Has(cancelled.screen, "No key was typed")) << cancelled.screen;
  EXPECT_FALSE(box.Exists("no.bmp"));
}

}  // namespace
}  // namespace hushlake::clitest
