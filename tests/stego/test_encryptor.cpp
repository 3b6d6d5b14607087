#include <gtest/gtest.h>

#include <algorithm>
#include <set>
#include <stdexcept>
#include <string>
#include <thread>
#include <vector>

#include "stego/encryptor.h"
#include "stego/palette_coding.h"
#include "stego/random_source.h"
#include "stego/truecolor_coding.h"
#include "stego_reference.h"
#include "stego_test_support.h"
#include "tests/common/case_names.h"

namespace hushlake {
namespace {

using testing_support::FakeClock;
using testing_support::PrintableText;
using testing_support::RandomPicture;

struct EncryptOutcome {
  bool failed = false;
  EngineStatus status = EngineStatus::Done;
  StoredPicture target;
  std::string editorText;
};

// As the main window does it: the engine's text length is the editor's text's.
EncryptOutcome EncryptText(Picture& source, const std::string& key, const std::string& text,
                           RandomSource& random) {
  EncryptOutcome outcome;
  StringTextHolder editor(text);
  TEncryptor engine(source, outcome.target, SecretString(key), editor, random);
  engine.SetTextLength(editor.Text().size());
  const EngineOutcome result = engine.Encrypt();
  outcome.failed = !result.Succeeded();
  outcome.status = result.status;
  outcome.editorText = editor.Text();
  return outcome;
}

EncryptOutcome EncryptText(Picture& source, const std::string& key, const std::string& text) {
  RandomSource random;
  return EncryptText(source, key, text, random);
}

struct DecryptOutcome {
  std::string result;
  EngineStatus status = EngineStatus::Done;
};

DecryptOutcome DecryptPicture(Picture picture, const std::string& key) {
  DecryptOutcome outcome;
  StoredPicture target;
  StringTextHolder editor;
  RandomSource random;
  TEncryptor engine(picture, target, SecretString(key), editor, random);
  const EngineOutcome read = engine.Decrypt();
  outcome.result = read.text.PlainCopy();
  outcome.status = read.status;
  EXPECT_EQ(target.replacements, 0);
  EXPECT_EQ(editor.Text(), "");
  return outcome;
}

Picture ConvertTo(const Picture& from, PixelFormat format) {
  Picture to(from.Width(), from.Height(), format);
  const int fromBytes = from.BytesPerPixel(), toBytes = to.BytesPerPixel();
  for (int y = 0; y < from.Height(); ++y)
    for (int x = 0; x < from.Width(); ++x)
      for (int c = 0; c < 3; ++c) to.Row(y)[x * toBytes + c] = from.Row(y)[x * fromBytes + c];
  return to;
}

struct RoundTripCase {
  const char* name;
  PixelFormat format;
  int width;
  int height;
  std::string key;
  std::string text;
  std::string expected;  // what Decrypt returns
};

void PrintTo(const RoundTripCase& c, std::ostream* out) {
  *out << c.name << ": " << c.width << "x" << c.height << ", " << c.key.size() << "-char key, "
       << c.text.size() << "-char text";
}

class RoundTrip : public ::testing::TestWithParam<RoundTripCase> {};

TEST_P(RoundTrip, DecryptReturnsTheHiddenText) {
  const RoundTripCase& c = GetParam();
  Picture source = RandomPicture(c.width, c.height, c.format, 42);
  const Picture original = source;
  const EncryptOutcome written = EncryptText(source, c.key, c.text);
  ASSERT_EQ(written.status, EngineStatus::Done);
  ASSERT_FALSE(written.failed);
  ASSERT_EQ(written.target.replacements, 1);
  const Picture& result = written.target.picture;
  EXPECT_EQ(result.Width(), c.width & ~1);
  EXPECT_EQ(result.Height(), c.height & ~1);
  EXPECT_EQ(result.Format(), c.format);
  EXPECT_EQ(source.Width(), c.width & ~1);  // the source was trimmed in place ...
  Picture trimmed = original;
  trimmed.TrimToEvenSize();
  EXPECT_TRUE(source == trimmed);  // ... and otherwise left alone

  const DecryptOutcome read = DecryptPicture(result, c.key);
  EXPECT_EQ(read.status, EngineStatus::Done);
  EXPECT_EQ(read.result, c.expected);
}

const std::string Cipherish = PrintableText(1000, 1);
const std::string Lines = "first line\r\nsecond line\r\n" + PrintableText(300, 2);
const std::string Prose = "The Quick  brown fox,   it's 10:30 - ok?!\r\nline two / done.";

INSTANTIATE_TEST_SUITE_P(
    Pictures, RoundTrip,
    ::testing::Values(
        RoundTripCase{"Bgr24", PixelFormat::Bgr24, 64, 48, "0123456789ABCDEF", Cipherish,
                      Cipherish},
        RoundTripCase{"Bgrx32", PixelFormat::Bgrx32, 64, 48, "0123456789ABCDEF", Lines, Lines},
        RoundTripCase{"Bgr24OddSize", PixelFormat::Bgr24, 25, 23, "FEDCBA9876543210", "odd sides",
                      "odd sides"},
        RoundTripCase{"Bgrx32OddSize", PixelFormat::Bgrx32, 31, 29, "A1B2C3D4E5F60718",
                      Cipherish.substr(0, 300), Cipherish.substr(0, 300)},
        RoundTripCase{"Bgr24Smallest", PixelFormat::Bgr24, 24, 24, "0000000000000000", "x", "x"},
        RoundTripCase{"Bgr24EmptyText", PixelFormat::Bgr24, 24, 24, "0123456789ABCDEF", "", ""},
        // N = 239399: the first step search passes the old 16-bit quotient.
        RoundTripCase{"Bgr24Large", PixelFormat::Bgr24, 800, 600,
                      std::string(1, '\x3a') + "0123456789ABCDE", PrintableText(20000, 3),
                      PrintableText(20000, 3)},
        RoundTripCase{"Indexed8", PixelFormat::Indexed8, 90, 60, "my secret key", Prose,
                      ReduceText(Prose)},
        RoundTripCase{"Indexed8OddSize", PixelFormat::Indexed8, 31, 27, "another key 42",
                      "short text", "short text"},
        RoundTripCase{"Indexed8UpperKey", PixelFormat::Indexed8, 120, 40, "MixedCase KEY",
                      "Hello World", "hello world"},
        RoundTripCase{"EmptyKey", PixelFormat::Bgr24, 40, 40, "", "no key at all",
                      "no key at all"}),
    [](const auto& param) { return std::string(param.param.name); });

// Independent statement of the 24/32-bit channel choice for symbol I.
ChannelQuad QuadOfSymbol(const std::string& key, std::size_t i) {
  const auto code = static_cast<std::uint8_t>(key[i % (key.size() - 1)]);
  return ChannelTable[(code + 1 + 47 * (i % 106383)) % 360];
}

class StoredLayout : public ::testing::TestWithParam<test::FormatParam> {};

// The whole result, byte for byte: serial noise from the time seed, then each
// symbol's digits at the reference position and the independently chosen bytes.
TEST_P(StoredLayout, TrueColorResultIsNoisePlusDigits) {
  FakeClock clock(1, 2718);
  const std::string key = "0F1E2D3C4B5A6978";
  const std::string text = "layout\r\n" + PrintableText(200, 9);
  Picture source = RandomPicture(61, 45, GetParam(), 8);
  const EncryptOutcome written = EncryptText(source, key, text, clock.Random());
  ASSERT_FALSE(written.failed);

  Picture expected = source;  // already trimmed to 60 x 44
  RandomSource noise({}, TimeSeedOf(key, 2718));
  reference::AddNoise(expected, noise);
  const std::string stream = key + '\xCB' + text + '\xCD';
  const std::vector<std::int64_t> positions =
      reference::PositionList(expected.Width(), expected.Height(), 2, key);
  for (std::size_t i = 0; i < stream.size(); ++i) {
    const std::int64_t p = positions[i];
    std::uint8_t* bytes =
        expected.Row(static_cast<int>(p / expected.Width())) + 3 * (p % expected.Width());
    std::uint8_t symbol = TrueColorAlphabet.encode[static_cast<std::uint8_t>(stream[i])];
    if (i == key.size()) symbol = 97;
    if (i + 1 == stream.size()) symbol = 98;
    const ChannelQuad quad = QuadOfSymbol(key, i);
    for (int digit = 0; digit < 4; ++digit)
      bytes[quad[digit]] =
          static_cast<std::uint8_t>((bytes[quad[digit]] & 0xFC) | ((symbol >> (2 * digit)) & 3));
  }
  EXPECT_TRUE(written.target.picture == expected);
}

// The plan made before any pixel is touched, its changes made band by band,
// in any order, to rows stored bottom-up with padding as a BMP file holds
// them: the picture Encrypt gives, and the random state it leaves.
TEST_P(StoredLayout, ChangesMadeBandByBandEqualEncrypt) {
  const std::string key = "0F1E2D3C4B5A6978";
  const std::string text = PrintableText(300, 4);
  Picture source = RandomPicture(60, 44, GetParam(), 5);
  FakeClock engineClock(1, 1234);
  Picture work = source;
  const EncryptOutcome written = EncryptText(work, key, text, engineClock.Random());
  ASSERT_FALSE(written.failed);

  FakeClock planClock(1, 1234);
  StringTextHolder holder(text);
  const EncryptPlan plan = PlanEncrypt(PixelView::Of(source), SecretString(key), holder,
                                       text.size(), planClock.Random());
  ASSERT_TRUE(plan.outcome.Succeeded());
  ASSERT_TRUE(plan.changes);
  EXPECT_EQ(planClock.Random().State(), engineClock.Random().State());
  const std::size_t rowBytes = source.RowBytes();
  const std::size_t stride = rowBytes + 3;
  const int height = source.Height();
  std::vector<std::uint8_t> stored(stride * static_cast<std::size_t>(height), 0);
  const auto storedRow = [&](int y) {
    return stored.data() + stride * static_cast<std::size_t>(height - 1 - y);
  };
  for (int y = 0; y < height; ++y) std::copy_n(source.Row(y), rowBytes, storedRow(y));
  for (const auto& [first, count] : {std::pair{30, 14}, {0, 1}, {1, 29}}) {
    plan.changes->Apply({first, count, storedRow(first), -static_cast<std::int64_t>(stride)});
  }
  Picture result = source;
  for (int y = 0; y < height; ++y) std::copy_n(storedRow(y), rowBytes, result.Row(y));
  EXPECT_TRUE(result == written.target.picture);
  for (int y = 0; y < height; ++y)
    EXPECT_EQ(std::count(storedRow(y) + rowBytes, storedRow(y) + stride, 0), 3) << y;
}

INSTANTIATE_TEST_SUITE_P(Formats, StoredLayout,
                         ::testing::Values(PixelFormat::Bgr24, PixelFormat::Bgrx32),
                         test::ByFormat);

TEST(StoredLayout, PaletteResultIsDistinctPalettePlusPairDigits) {
  const std::string key = "palette key";
  const std::string text = "some text, 2 lines\r\nend.";
  Picture source = RandomPicture(71, 33, PixelFormat::Indexed8, 10);
  Palette duplicated = source.GetPalette();
  duplicated[200] = duplicated[3];
  duplicated[201] = duplicated[3];
  source.SetPalette(duplicated);

  EncryptOutcome written;
  {
    FakeClock clock(500);
    written = EncryptText(source, key, text, clock.Random());
  }
  ASSERT_FALSE(written.failed);

  Picture expected = source;
  Palette palette = duplicated;
  {
    FakeClock clock(500);
    MakePaletteDistinct(palette, clock.Random());
  }
  expected.SetPalette(palette);
  const std::vector<std::int64_t> positions =
      reference::PositionList(expected.Width(), expected.Height(), 3, key);
  const std::string stream = key + '\xCB' + text + '\xCD';
  for (std::size_t i = 0; i < stream.size(); ++i) {
    const std::int64_t p = positions[i];
    std::uint8_t* row = expected.Row(static_cast<int>(p / expected.Width()));
    const std::int64_t x = p % expected.Width();
    std::uint8_t symbol = PaletteAlphabet.encode[static_cast<std::uint8_t>(stream[i])];
    if (i == key.size()) symbol = 49;
    if (i + 1 == stream.size()) symbol = 48;
    const std::array<std::uint8_t, 256> pairs = reference::PairRow(palette, row[x]);
    row[x + 1] = pairs[symbol / 7];
    row[x - 1] = pairs[symbol % 7];
  }
  EXPECT_TRUE(written.target.picture == expected);
  EXPECT_EQ(source.GetPalette(), duplicated);  // the source keeps its palette
}

TEST(Capacity, AcceptsUpToNMinusKeyLengthMinusFive) {
  const std::string key = "0123456789ABCDEF";  // 24 x 24, 24-bit: N = 263
  Picture source = RandomPicture(24, 24, PixelFormat::Bgr24, 1);
  EXPECT_FALSE(EncryptText(source, key, PrintableText(263 - 16 - 5, 4)).failed);

  const Picture before = source;
  const std::string tooLong = PrintableText(263 - 16 - 4, 4);
  const EncryptOutcome refused = EncryptText(source, key, tooLong);
  EXPECT_TRUE(refused.failed);
  EXPECT_EQ(refused.status, EngineStatus::TextTooLong);
  EXPECT_EQ(refused.target.replacements, 0);
  EXPECT_TRUE(refused.target.picture.Empty());
  EXPECT_TRUE(source == before);
  EXPECT_EQ(refused.editorText, tooLong);
}

TEST(Capacity, PaletteChecksTheUnreducedTextButReducesTheEditorFirst) {
  const std::string key = "abcdefghij";  // 24 x 24, 8-bit: N = 167, room for 152
  Picture source = RandomPicture(24, 24, PixelFormat::Indexed8, 2);
  const std::string text = std::string(150, 'a') + "   ";  // 153, reduces to 151
  const EncryptOutcome refused = EncryptText(source, key, text);
  EXPECT_TRUE(refused.failed);
  EXPECT_EQ(refused.status, EngineStatus::TextTooLong);
  EXPECT_EQ(refused.target.replacements, 0);
  EXPECT_EQ(refused.editorText, std::string(150, 'a') + " ");
}

TEST(Capacity, TinyPicturesAreRefused) {
  Picture source = RandomPicture(3, 3, PixelFormat::Bgr24, 5);
  const EncryptOutcome refused = EncryptText(source, "key", "");
  EXPECT_TRUE(refused.failed);
  EXPECT_EQ(refused.status, EngineStatus::TextTooLong);
}

TEST(Capacity, AStreamLongerThanTheGivenTextStillHasToFit) {
  Picture source = RandomPicture(24, 24, PixelFormat::Bgr24, 6);
  StoredPicture target;
  StringTextHolder editor(PrintableText(1000, 5));
  RandomSource random;
  TEncryptor engine(source, target, SecretString("0123456789ABCDEF"), editor, random);
  engine.SetTextLength(std::string("short").size());
  const EngineOutcome outcome = engine.Encrypt();
  EXPECT_FALSE(outcome.Succeeded());
  EXPECT_EQ(outcome.status, EngineStatus::TextTooLong);
  EXPECT_EQ(target.replacements, 0);
}

struct WrongKeyCase {
  const char* name;
  PixelFormat format;
  std::string key;
  std::string otherKey;
  // Any of these; on 24/32 bits the key check and the final check read alike.
  std::vector<EngineStatus> statuses;
};

void PrintTo(const WrongKeyCase& c, std::ostream* out) { *out << c.name; }

const std::vector<EngineStatus> TrueColorRefusals = {EngineStatus::KeyRejected,
                                                     EngineStatus::NothingFound};

class WrongKey : public ::testing::TestWithParam<WrongKeyCase> {};

TEST_P(WrongKey, ShowsTheKeyMessageAndFindsNothing) {
  const WrongKeyCase& c = GetParam();
  Picture source = RandomPicture(60, 40, c.format, 7);
  const EncryptOutcome written = EncryptText(source, c.key, "hidden words");
  ASSERT_FALSE(written.failed);
  const DecryptOutcome read = DecryptPicture(written.target.picture, c.otherKey);
  EXPECT_EQ(read.result, "");
  EXPECT_NE(std::find(c.statuses.begin(), c.statuses.end(), read.status), c.statuses.end());
}

// A different last character keeps the positions (and 24-bit channels), so
// the reader meets the separator and the key check there fails.
INSTANTIATE_TEST_SUITE_P(
    Keys, WrongKey,
    ::testing::Values(WrongKeyCase{"TrueColorLastCharacter", PixelFormat::Bgr24, "0123456789ABCDEF",
                                   "0123456789ABCDEE", TrueColorRefusals},
                      WrongKeyCase{"TrueColorOtherKey", PixelFormat::Bgrx32, "0123456789ABCDEF",
                                   "FEDCBA9876543210", TrueColorRefusals},
                      WrongKeyCase{"PaletteLastCharacter",
                                   PixelFormat::Indexed8,
                                   "secret key 1",
                                   "secret key 2",
                                   {EngineStatus::KeyRejected}},
                      // An at sign is outside the alphabet: the key reads back differently.
                      WrongKeyCase{"PaletteKeyOutsideAlphabet",
                                   PixelFormat::Indexed8,
                                   "user@example",
                                   "user@example",
                                   {EngineStatus::KeyRejected}}),
    [](const auto& param) { return std::string(param.param.name); });

TEST(NoHiddenText, EndsWithOneKeyMessage) {
  for (std::uint32_t seed = 0; seed < 8; ++seed) {
    const DecryptOutcome trueColor =
        DecryptPicture(RandomPicture(200, 100, PixelFormat::Bgr24, seed), "0123456789ABCDEF");
    EXPECT_EQ(trueColor.result, "");
    EXPECT_NE(std::find(TrueColorRefusals.begin(), TrueColorRefusals.end(), trueColor.status),
              TrueColorRefusals.end());
    const DecryptOutcome palette =
        DecryptPicture(RandomPicture(200, 100, PixelFormat::Indexed8, seed), "some key");
    EXPECT_EQ(palette.result, "");
    EXPECT_TRUE(palette.status == EngineStatus::KeyRejected ||
                palette.status == EngineStatus::NothingFound);
  }
}

// Uniform pixels never show a separator or an end marker, so a read that
// waited for one went through every position. On 24 and 32 bits a wrong key
// is refused at its first wrong symbol (both refusals read alike there).
TEST(NoHiddenText, UniformTrueColourPixelsRefuseAWrongKeyAtTheKeyPart) {
  for (PixelFormat format : {PixelFormat::Bgr24, PixelFormat::Bgrx32})
    for (int value : {0x00, 0x7F, 0xFF}) {
      Picture uniform(400, 300, format);
      std::fill(uniform.Pixels().begin(), uniform.Pixels().end(), static_cast<std::uint8_t>(value));
      for (const char* key : {"0123456789ABCDEF", "FFFFFFFFFFFFFFFF"}) {
        const DecryptOutcome read = DecryptPicture(uniform, key);
        EXPECT_EQ(read.result, "");
        EXPECT_EQ(read.status, EngineStatus::KeyRejected)
            << "format " << static_cast<int>(format) << " of " << value << ", key " << key;
      }
    }
}

TEST(NoHiddenText, TooSmallToReadShowsOnlyTheFinalCheckMessage) {
  for (PixelFormat format : {PixelFormat::Bgr24, PixelFormat::Bgrx32, PixelFormat::Indexed8}) {
    const DecryptOutcome read = DecryptPicture(RandomPicture(3, 5, format, 1), "0123456789ABCDEF");
    EXPECT_EQ(read.result, "");
    EXPECT_EQ(read.status, EngineStatus::NothingFound);
  }
}

TEST(PixelFormats, TwentyFourAndThirtyTwoBitCopiesDoNotReadEachOther) {
  const std::string key = "0123456789ABCDEF";
  for (PixelFormat format : {PixelFormat::Bgr24, PixelFormat::Bgrx32}) {
    Picture source = RandomPicture(80, 60, format, 11);
    const EncryptOutcome written = EncryptText(source, key, PrintableText(500, 6));
    ASSERT_FALSE(written.failed);
    const PixelFormat other =
        format == PixelFormat::Bgr24 ? PixelFormat::Bgrx32 : PixelFormat::Bgr24;
    const DecryptOutcome read = DecryptPicture(ConvertTo(written.target.picture, other), key);
    EXPECT_EQ(read.result, "");
    EXPECT_NE(read.status, EngineStatus::Done);
  }
}

TEST(Markers, TextCharactersWithMarkerCodesComeBackAsSpaces) {
  Picture source = RandomPicture(64, 64, PixelFormat::Bgr24, 12);
  const EncryptOutcome written = EncryptText(source, "0123456789ABCDEF",
                                             "abc\xCB"
                                             "def\xCDghi\xE9");
  const DecryptOutcome read = DecryptPicture(written.target.picture, "0123456789ABCDEF");
  EXPECT_EQ(read.status, EngineStatus::Done);
  EXPECT_EQ(read.result, "abc def ghi ");
}

TEST(Markers, OutOfAlphabetPaletteCharactersBecomeSpaces) {
  Picture source = RandomPicture(90, 60, PixelFormat::Indexed8, 13);
  const EncryptOutcome written = EncryptText(source, "key words", "a@_b\t\xC9 | end");
  EXPECT_EQ(written.editorText, "a@_b\t\xE9 | end");
  const DecryptOutcome read = DecryptPicture(written.target.picture, "key words");
  EXPECT_EQ(read.status, EngineStatus::Done);
  EXPECT_EQ(read.result, "a  b     end");  // tab, accent, space, bar, space
}

TEST(CounterWrap, StreamsLongerThanOneCounterCycleRoundTrip) {
  // 480 x 480, 24-bit: N = 480 * 239 - 1 = 114719 positions.
  Picture source = RandomPicture(480, 480, PixelFormat::Bgr24, 14);
  const std::string text = PrintableText(110000, 15);
  const EncryptOutcome written = EncryptText(source, "0123456789ABCDEF", text);
  ASSERT_FALSE(written.failed);
  const DecryptOutcome read = DecryptPicture(written.target.picture, "0123456789ABCDEF");
  EXPECT_EQ(read.status, EngineStatus::Done);
  EXPECT_EQ(read.result, text);
}

TEST(PaletteDuplicates, TargetPaletteIsDistinctAndStillReads) {
  Picture source = RandomPicture(90, 60, PixelFormat::Indexed8, 16);
  Palette palette = source.GetPalette();
  for (int i = 16; i < 256; ++i) palette[i] = {};  // a 16-colour palette
  source.SetPalette(palette);
  for (std::uint8_t& index : source.Pixels()) index %= 16;
  const EncryptOutcome written = EncryptText(source, "short palette", "sixteen colours only");
  ASSERT_FALSE(written.failed);
  std::set<std::uint32_t> colours;
  for (const PaletteEntry& e : written.target.picture.GetPalette())
    colours.insert(std::uint32_t{e.red} << 16 | std::uint32_t{e.green} << 8 | e.blue);
  EXPECT_EQ(colours.size(), 256u);
  EXPECT_EQ(source.GetPalette(), palette);
  const DecryptOutcome read = DecryptPicture(written.target.picture, "short palette");
  EXPECT_EQ(read.result, "sixteen colours only");
}

TEST(Lifecycle, AnEngineServesOneRun) {
  Picture source = RandomPicture(40, 40, PixelFormat::Bgr24, 17);
  StoredPicture target;
  StringTextHolder editor("text");
  RandomSource random;
  TEncryptor engine(source, target, SecretString("0123456789ABCDEF"), editor, random);
  engine.SetTextLength(4);
  EXPECT_TRUE(engine.Encrypt().Succeeded());
  EXPECT_THROW((void)engine.Encrypt(), std::logic_error);
  EXPECT_THROW((void)engine.Decrypt(), std::logic_error);
  EXPECT_EQ(target.replacements, 1);
}

TEST(Lifecycle, OtherPixelFormatsAreRefused) {
  Picture source(40, 40, static_cast<PixelFormat>(16));  // a format the engine does not know
  for (bool encrypt : {true, false}) {
    StoredPicture target;
    StringTextHolder editor("text");
    RandomSource random;
    TEncryptor engine(source, target, SecretString("0123456789ABCDEF"), editor, random);
    engine.SetTextLength(4);
    const EngineOutcome outcome = encrypt ? engine.Encrypt() : engine.Decrypt();
    EXPECT_EQ(outcome.status, EngineStatus::UnsupportedDepth);
    EXPECT_EQ(outcome.text, "");
    EXPECT_EQ(target.replacements, 0);
    EXPECT_EQ(editor.Text(), "text");
  }
}

// Working in the source gives the picture a copying run gives, leaves the
// source empty, and a refused text leaves the source untouched.
TEST(Lifecycle, WorkingInTheSourceGivesTheSamePictureWithoutACopy) {
  for (PixelFormat format : {PixelFormat::Bgr24, PixelFormat::Bgrx32, PixelFormat::Indexed8}) {
    const Picture original = RandomPicture(40, 30, format, 21);
    const std::string key = "0123456789abcdef";
    Picture copied = original;
    FakeClock copyClock;
    const EncryptOutcome expected = EncryptText(copied, key, "hidden text", copyClock.Random());
    ASSERT_FALSE(expected.failed);

    for (const std::string& text : {std::string("hidden text"), PrintableText(5000, 3)}) {
      Picture source = original;
      FakeClock clock;
      StoredPicture target;
      StringTextHolder editor(text);
      TEncryptor engine(source, target, SecretString(key), editor, clock.Random());
      engine.WorkInSource();
      engine.SetTextLength(text.size());
      const EngineOutcome outcome = engine.Encrypt();
      if (text.size() > 100) {
        EXPECT_EQ(outcome.status, EngineStatus::TextTooLong);
        EXPECT_TRUE(source == original);
        continue;
      }
      ASSERT_TRUE(outcome.Succeeded());
      EXPECT_TRUE(target.picture == expected.target.picture);
      EXPECT_TRUE(source.Empty());
      EXPECT_EQ(source.Pixels().size(), 0u);
    }
  }
}

TEST(Lifecycle, CreateTrimsTheSourceBeforeAnythingElse) {
  Picture source = RandomPicture(25, 23, PixelFormat::Bgrx32, 18);
  StoredPicture target;
  StringTextHolder editor;
  RandomSource random;
  const TEncryptor engine(source, target, SecretString("key"), editor, random);
  EXPECT_EQ(source.Width(), 24);
  EXPECT_EQ(source.Height(), 22);
  EXPECT_EQ(target.replacements, 0);
}

// Each front end owns its random source: two engines running at once, each on
// its own source, give exactly what each gives alone.
TEST(IndependentEngines, TwoThreadsGiveTheResultsEachGivesAlone) {
  const Picture palettePicture = [] {
    Picture picture = RandomPicture(60, 40, PixelFormat::Indexed8, 19);
    Palette palette = picture.GetPalette();
    for (int i = 8; i < 256; ++i) palette[i] = palette[i % 8];  // many duplicates to draw for
    picture.SetPalette(palette);
    return picture;
  }();
  const Picture trueColorPicture = RandomPicture(64, 48, PixelFormat::Bgr24, 20);
  struct Job {
    const Picture& picture;
    std::uint64_t counter;
    int secondsIntoHour;
    std::string key;
  };
  const Job jobs[2] = {{palettePicture, 100, 11, "first palette key"},
                       {trueColorPicture, 9000, 3000, "0123456789ABCDEF"}};
  // Several encrypts in a row on one source: the clock advances between them.
  const auto runJob = [](const Job& job) {
    FakeClock clock(job.counter, job.secondsIntoHour);
    std::vector<Picture> results;
    for (int round = 0; round < 6; ++round) {
      Picture source = job.picture;
      results.push_back(
          EncryptText(source, job.key, "text " + std::to_string(round), clock.Random())
              .target.picture);
    }
    return results;
  };
  const std::vector<Picture> alone[2] = {runJob(jobs[0]), runJob(jobs[1])};
  for (int attempt = 0; attempt < 3; ++attempt) {
    std::vector<Picture> together[2];
    std::thread other([&] { together[1] = runJob(jobs[1]); });
    together[0] = runJob(jobs[0]);
    other.join();
    for (int j = 0; j < 2; ++j) {
      ASSERT_EQ(together[j].size(), alone[j].size());
      for (std::size_t i = 0; i < alone[j].size(); ++i)
        EXPECT_TRUE(together[j][i] == alone[j][i]) << "job " << j << " round " << i;
    }
  }
  // Interleaved on one thread: a second source in between changes nothing either.
  FakeClock first(100, 11), second(100, 11);
  Picture a = palettePicture, b = palettePicture, c = palettePicture;
  const Picture firstA = EncryptText(a, jobs[0].key, "text 0", first.Random()).target.picture;
  const Picture secondA = EncryptText(b, jobs[0].key, "text 0", second.Random()).target.picture;
  const Picture firstB = EncryptText(c, jobs[0].key, "text 1", first.Random()).target.picture;
  EXPECT_TRUE(firstA == alone[0][0]);
  EXPECT_TRUE(secondA == alone[0][0]);
  EXPECT_TRUE(firstB == alone[0][1]);
}

}  // namespace
}  // namespace hushlake
