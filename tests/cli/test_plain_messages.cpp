// What the tool says where a user would otherwise be stuck: why a picture
// takes no text, what a user can type, which names it takes for pictures and
// for hashes and ciphers, and everything an 8-bit picture changes in a text.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <string>
#include <vector>

#include "app/workflow_messages.h"
#include "cli_sandbox.h"
#include "picture_files.h"

namespace hushlake::clitest {
namespace {

using Args = std::vector<std::string>;

bool Has(const std::string& haystack, std::string_view needle) {
  return haystack.find(needle) != std::string::npos;
}

// The number after Label at the start of a line of Out; -1 when none.
long FigureAfter(const std::string& out, const std::string& label) {
  const std::size_t at = out.find("\n" + label);
  if (at == std::string::npos) return -1;
  return std::stol(out.substr(at + 1 + label.size()));
}

class PlainMessages : public ::testing::Test {
 protected:
  void SetUp() override {
    box.Write("key.txt", "Correct horse 42\n");
    chmod(box.Path("key.txt").c_str(), 0600);
    box.Write("text.txt", "Hello, World!\n");
  }
  CliSandbox box;
};

// A picture under 24 pixels on a side takes no text: capacity says so with
// the picture's size, and encrypt refuses with the same reason (before the
// key is asked for) on lines of the tool's. 24 x 24 is large enough.
TEST_F(PlainMessages, APictureTooSmallSaysWhyWithItsSize) {
  const struct {
    const char* name;
    int width, height;
    PixelFormat format;
  } cases[] = {
      {"wide.bmp", 25, 23, PixelFormat::Bgr24},
      {"tall.bmp", 23, 40, PixelFormat::Bgrx32},
      {"palette.bmp", 40, 20, PixelFormat::Indexed8},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    WritePicture(box, c.name, c.width, c.height, c.format);
    const std::string size = std::to_string(c.width) + " x " + std::to_string(c.height);
    const std::string reason =
        "a picture has to be at least 24x24 pixels to hide a text; this one is " + size + " pixels";
    const RunResult capacity = box.Run({"capacity", c.name});
    EXPECT_EQ(capacity.exitCode, 0) << capacity.err;
    EXPECT_TRUE(Has(capacity.out, "\nLongest text: 0 ")) << capacity.out;
    EXPECT_TRUE(Has(capacity.out, reason)) << capacity.out;
    EXPECT_TRUE(Has(capacity.out, "\nYou can type: nothing")) << capacity.out;

    // No key anywhere: the refusal comes before one would be asked for.
    const RunResult encrypt = box.Run({"encrypt", c.name, "-o", "out.bmp", "-t", "text.txt"});
    EXPECT_EQ(encrypt.exitCode, 1);
    EXPECT_EQ(encrypt.err, "hushlake-cli: " + std::string(messages::ImageTooSmall) +
                               "\nhushlake-cli: " + reason + "\n");
    EXPECT_FALSE(box.Exists("out.bmp"));
  }
  WritePicture(box, "tight.bmp", 24, 24, PixelFormat::Bgr24);
  const RunResult tight = box.Run({"capacity", "tight.bmp"});
  EXPECT_FALSE(Has(tight.out, "at least 24x24")) << tight.out;
  EXPECT_GT(FigureAfter(tight.out, "Longest text: "), 0) << tight.out;
}

// Beside the technical figures, one line says what a user can type: the
// longest text, in the unit it is counted in.
TEST_F(PlainMessages, CapacitySaysWhatAUserCanType) {
  WritePicture(box, "p24.bmp", 100, 50, PixelFormat::Bgr24);
  WritePicture(box, "p8.bmp", 100, 50, PixelFormat::Indexed8);
  const struct {
    const char* picture;
    const char* unit;
  } cases[] = {{"p24.bmp", " bytes: "}, {"p8.bmp", " characters (a line break counts two)"}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.picture);
    const RunResult result = box.Run({"capacity", c.picture});
    ASSERT_EQ(result.exitCode, 0) << result.err;
    const long longest = FigureAfter(result.out, "Longest text: ");
    ASSERT_GT(longest, 0) << result.out;
    EXPECT_EQ(FigureAfter(result.out, "You can type: a text of up to "), longest) << result.out;
    EXPECT_TRUE(Has(result.out, "up to " + std::to_string(longest) + c.unit)) << result.out;
    EXPECT_TRUE(Has(result.out,
                    "as the text editor counts (the room of the hidden stream, not "
                    "the longest text)"))
        << result.out;
  }
}

// One rule for picture names in every command: .bmp or .png in any case, or
// no extension (read by what the file is); any other extension is refused.
// What encrypt writes under a name without extension, decrypt reads back.
TEST_F(PlainMessages, EveryCommandTakesThePictureNamesEncryptWrites) {
  WritePicture(box, "p24.bmp", 100, 50, PixelFormat::Bgr24);
  const std::string picture = box.Read("p24.bmp");
  box.Write("PHOTO.BMP", picture);
  box.Write("photo", picture);
  box.Write("photo.jpg", picture);
  const Args key = {"-k", "key.txt"};
  for (const char* name : {"PHOTO.BMP", "photo"}) {
    SCOPED_TRACE(name);
    EXPECT_EQ(box.Run({"capacity", name}).exitCode, 0);
    EXPECT_EQ(box.Run({"analyze", name}).exitCode, 0);
    EXPECT_EQ(box.Run({"analyze", "--against", "p24.bmp", name}).exitCode, 0);
    const RunResult hidden =
        box.Run({"encrypt", name, "-o", "hidden", "-t", "text.txt", "-k", "key.txt", "-f"});
    ASSERT_EQ(hidden.exitCode, 0) << hidden.err;
    const RunResult back = box.Run({"decrypt", "hidden", "-k", "key.txt"});
    EXPECT_EQ(back.exitCode, 0) << back.err;
    EXPECT_EQ(back.out, "Hello, World!\n");
  }
  const std::string refusal =
      "hushlake-cli: Cannot open the picture \"photo.jpg\": pictures are read from BMP or PNG "
      "files, named *.bmp, *.png or without extension\n";
  const std::vector<Args> refused = {
      {"capacity", "photo.jpg"},
      {"capacity", "--sealed", "photo.jpg"},
      {"encrypt", "photo.jpg", "-o", "out.bmp", "-t", "text.txt", "-k", "key.txt"},
      {"encrypt", "--sealed", "photo.jpg", "-o", "out.bmp", "-t", "text.txt", "-k", "key.txt"},
      {"decrypt", "photo.jpg", "-k", "key.txt"},
      {"decrypt", "--sealed", "photo.jpg", "-k", "key.txt"},
      {"analyze", "--against", "p24.bmp", "photo.jpg"},
  };
  for (const Args& args : refused) {
    SCOPED_TRACE(args[0] + " " + args[1]);
    const RunResult result = box.Run(args);
    EXPECT_EQ(result.exitCode, 1);
    EXPECT_EQ(result.err, refusal);
  }
  const RunResult analyzed = box.Run({"analyze", "photo.jpg", "p24.bmp"});
  EXPECT_EQ(analyzed.exitCode, 1);
  EXPECT_TRUE(Has(analyzed.err, "hushlake-cli: photo.jpg: pictures are read from BMP or PNG"))
      << analyzed.err;
  EXPECT_TRUE(Has(analyzed.out, "p24.bmp")) << analyzed.out;
  EXPECT_FALSE(box.Exists("out.bmp"));
}

// An 8-bit picture's note counts the lines it changes and shows the first
// five; a single change is shown as it is.
TEST_F(PlainMessages, EightBitNoteCountsEveryChangedLine) {
  WritePicture(box, "p8.bmp", 300, 100, PixelFormat::Indexed8);
  std::string text = "this line stays.\n";
  for (int i = 0; i < 105; ++i) text += "Line " + std::to_string(i) + " Changes\n";
  const RunResult many = box.Run({"encrypt", "p8.bmp", "-o", "many.bmp", "-k", "key.txt"}, {text});
  ASSERT_EQ(many.exitCode, 0) << many.err;
  EXPECT_TRUE(Has(many.err,
                  "hushlake-cli: note: the text will change in 105 lines, the first 5:\n"
                  "hushlake-cli:   \"Line 0 Changes\" becomes \"line 0 changes\"\n"
                  "hushlake-cli:   \"Line 1 Changes\" becomes \"line 1 changes\"\n"
                  "hushlake-cli:   \"Line 2 Changes\" becomes \"line 2 changes\"\n"
                  "hushlake-cli:   \"Line 3 Changes\" becomes \"line 3 changes\"\n"
                  "hushlake-cli:   \"Line 4 Changes\" becomes \"line 4 changes\"\n"
                  "hushlake-cli:   and 100 more\n"))
      << many.err;
  ExpectErrorsPrefixed(many.err.substr(0, many.err.rfind("Hidden in")));

  const RunResult two =
      box.Run({"encrypt", "p8.bmp", "-o", "two.bmp", "-k", "key.txt"}, {"One\nfine\nTwo\n"});
  ASSERT_EQ(two.exitCode, 0) << two.err;
  EXPECT_TRUE(Has(two.err,
                  "hushlake-cli: note: the text will change in 2 lines, these:\n"
                  "hushlake-cli:   \"One\" becomes \"one\"\n"
                  "hushlake-cli:   \"Two\" becomes \"two\"\n"))
      << two.err;
  EXPECT_FALSE(Has(two.err, "more")) << two.err;

  const RunResult one =
      box.Run({"encrypt", "p8.bmp", "-o", "one.bmp", "-k", "key.txt"}, {"fine\nOne\n"});
  ASSERT_EQ(one.exitCode, 0) << one.err;
  EXPECT_TRUE(Has(one.err, "hushlake-cli: note: the text will change: \"One\" becomes \"one\"\n"))
      << one.err;
}

// `list` says which names encrypt and decrypt offer and which only the
// library has; a name that is no list item but stands for one, or for a
// class the library has, is answered with what to type or why it is refused.
TEST_F(PlainMessages, NamesNotOfferedSayWhatToTypeInstead) {
  const RunResult list = box.Run({"list"});
  ASSERT_EQ(list.exitCode, 0);
  EXPECT_TRUE(Has(list.out, "Names marked * are offered for encrypt and decrypt")) << list.out;
  EXPECT_TRUE(Has(list.out, "The others are in the library only")) << list.out;

  WritePicture(box, "p24.bmp", 100, 50, PixelFormat::Bgr24);
  const struct {
    Args choice;
    std::string said;
  } cases[] = {
      {{"-c", "aes"}, "unknown cipher \"aes\": it is the list's \"Rijndael\": type -c 'Rijndael'"},
      {{"-c", "AES-256"},
       "unknown cipher \"AES-256\": it is the list's \"Rijndael\": type -c 'Rijndael'"},
      {{"-c", "Diamond2"},
       "unknown cipher \"Diamond2\": it is the list's \"Diamond II\": type -c 'Diamond II'"},
      {{"-H", "Snefru"}, "unknown hash \"Snefru\": it is the list's \"Snefru-256\""},
      {{"-c", "rc6"},
       "unknown cipher \"rc6\": the library has it (RC6), but it is not in the cipher list"},
      {{"-H", "crc32"},
       "unknown hash \"crc32\": the library has it (CRC-32), but it is not in the hash list "
       "encrypt and decrypt offer ('hushlake-cli hash --algo' computes it)"},
      {{"-c", "nosuchcipher"},
       "unknown cipher \"nosuchcipher\"; the valid names are (in any case, with or without "
       "punctuation):\nhushlake-cli:   3Way\n"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.choice[1]);
    Args args = {"decrypt", "p24.bmp", "-k", "key.txt"};
    args.insert(args.end(), c.choice.begin(), c.choice.end());
    const RunResult result = box.Run(args);
    EXPECT_EQ(result.exitCode, 2);
    EXPECT_EQ(result.err.rfind("hushlake-cli: " + c.said, 0), 0u) << result.err;
    // The list of valid names follows, as for any unknown name, each line the tool's.
    EXPECT_TRUE(Has(result.err, c.choice[0] == "-c" ? "\nhushlake-cli:   Rijndael\n"
                                                    : "\nhushlake-cli:   Snefru-256\n"))
        << result.err;
    EXPECT_TRUE(Has(result.err, "\nhushlake-cli: Try 'hushlake-cli decrypt --help'.\n"))
        << result.err;
  }
}

}  // namespace
}  // namespace hushlake::clitest
