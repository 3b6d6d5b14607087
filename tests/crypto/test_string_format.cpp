#include <gtest/gtest.h>

#include <string>

#include "crypto/exceptions.h"
#include "crypto/string_format.h"

namespace hushlake {
namespace {

std::string Bytes(std::initializer_list<int> values) {
  std::string out;
  for (int v : values) out.push_back(static_cast<char>(v));
  return out;
}

std::string MessageOf(const std::function<void()>& action) {
  try {
    action();
  } catch (const EStringFormat& error) {
    return error.what();
  }
  return "(no exception)";
}

struct DecodeCase {
  const char* text;
  int formatId;
  std::string expected;
};

void PrintTo(const DecodeCase& c, std::ostream* os) {
  *os << c.formatId << ":\"" << c.text << "\"";
}

class DecodeExamples : public ::testing::TestWithParam<DecodeCase> {};

TEST_P(DecodeExamples, GiveTheExpectedBytes) {
  EXPECT_EQ(DecodeFromFormat(GetParam().text, GetParam().formatId), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Formats, DecodeExamples,
    ::testing::Values(DecodeCase{"YWJj", FormatMIME64, "abc"},
                      DecodeCase{"YW Jj", FormatMIME64, "abc"},
                      DecodeCase{"YWJj\r\n", FormatMIME64, "abc"},
                      DecodeCase{"YWI", FormatMIME64, "ab"}, DecodeCase{"YWI=", FormatMIME64, "ab"},
                      DecodeCase{"YQ==", FormatMIME64, "a"},
                      DecodeCase{"0x01ab", FormatHEX, Bytes({0x01, 0xAB})},
                      DecodeCase{"$01AB", FormatHEX, Bytes({0x01, 0xAB})},
                      DecodeCase{"01 ab", FormatHEX, Bytes({0x01, 0xAB})},
                      DecodeCase{"ABC", FormatHEX, Bytes({0xAB})},
                      DecodeCase{"12$34X56", FormatHEX, Bytes({0x34, 0x56})},
                      DecodeCase{"01AB", FormatHEXL, Bytes({0x01, 0xAB})},
                      DecodeCase{"any bytes\x01", FormatCopy, "any bytes\x01"}));

TEST(EncodeToFormat, MimeHexAndCopy) {
  EXPECT_EQ(EncodeToFormat("abc", FormatMIME64), "YWJj");
  EXPECT_EQ(EncodeToFormat("ab", FormatMIME64), "YWI=");
  EXPECT_EQ(EncodeToFormat("a", FormatMIME64), "YQ==");
  EXPECT_EQ(EncodeToFormat("abc", -1), "YWJj");
  EXPECT_EQ(EncodeToFormat(Bytes({0x01, 0xAB}), FormatHEX), "01AB");
  EXPECT_EQ(EncodeToFormat(Bytes({0x01, 0xAB}), FormatHEXL), "01ab");
  EXPECT_EQ(EncodeToFormat(Bytes({0x00, 0xFF}), FormatCopy), Bytes({0x00, 0xFF}));
  EXPECT_EQ(EncodeToFormat("abc", 0), "");
  EXPECT_EQ(EncodeToFormat("", FormatHEX), "");
}

TEST(EncodeToFormat, NegativeLengthStopsAtTheFirstZeroByte) {
  const char text[] = "ab\0cd";
  EXPECT_EQ(EncodeToFormat(text, -1, FormatHEX), "6162");
  EXPECT_EQ(DecodeFromFormat("YWJj", -1, FormatMIME64), "abc");
}

TEST(StringFormatErrors, CarryTheSystemsMessages) {
  EXPECT_EQ(MessageOf([] { EncodeToFormat("abc", 5); }), "String Format \"5\" not exists.");
  EXPECT_EQ(MessageOf([] { DecodeFromFormat("YW!j", FormatMIME64); }),
            "Input is not an valid MIME Base 64 Format.");
  EXPECT_EQ(MessageOf([] { DecodeFromFormat("01G2", FormatHEX); }),
            "Input is not an valid Hexadecimal Format.");
  EXPECT_EQ(MessageOf([] { DecodeFromFormat("`", FormatUU); }), "(no exception)");
  EXPECT_EQ(MessageOf([] { DecodeFromFormat("~", FormatXX); }),
            "Input is not an valid XX Coding Format.");
}

TEST(MimeBase64, RoundTripsEveryLengthAndByteValue) {
  std::string data;
  for (int i = 0; i < 300; ++i) data.push_back(static_cast<char>((i * 131) & 0xFF));
  for (std::size_t n = 0; n <= data.size(); n += 7) {
    const std::string part = data.substr(0, n);
    const std::string text = EncodeToFormat(part, FormatMIME64);
    EXPECT_EQ(text.size(), 4 * ((n + 2) / 3));
    EXPECT_EQ(DecodeFromFormat(text, FormatMIME64), part) << n;
  }
}

TEST(UUCoding, LinesOf45BytesWithALengthSymbol) {
  const std::string data(46, 'x');
  const std::string text = EncodeToFormat(data, FormatUU);
  ASSERT_EQ(text.size(), 1 + 60 + 1 + 4u);
  EXPECT_EQ(text[0], 'M');
  EXPECT_EQ(text[61], '!');
  EXPECT_EQ(DecodeFromFormat(text, FormatUU), data);
}

TEST(UUAndXX, RoundTripAndRejectBadLengths) {
  std::string data;
  for (int i = 0; i < 200; ++i) data.push_back(static_cast<char>(i * 37));
  for (int format : {FormatUU, FormatXX}) {
    for (std::size_t n : {1u, 2u, 3u, 44u, 45u, 46u, 90u, 200u}) {
      const std::string part = data.substr(0, n);
      EXPECT_EQ(DecodeFromFormat(EncodeToFormat(part, format), format), part) << format << " " << n;
    }
  }
  // A length symbol above 45 ('N' is 46 in UU) is not a valid line.
  EXPECT_EQ(MessageOf([] { DecodeFromFormat("N", FormatUU); }),
            "Input is not an valid UU Coding Format.");
  // A line break between lines is read where a length symbol must stand.
  const std::string twoLines = EncodeToFormat(std::string(46, 'y'), FormatUU);
  EXPECT_THROW(DecodeFromFormat(twoLines.substr(0, 61) + "\n" + twoLines.substr(61), FormatUU),
               EStringFormat);
}

TEST(FormatList, FindsByIdentifierAndReplacesOnReRegistration) {
  RegisterStandardStringFormats();
  ASSERT_NE(FindStringFormat(-1), nullptr);
  EXPECT_EQ(FindStringFormat(-1)->displayName, "MIME Base 64");
  EXPECT_EQ(FindStringFormat(21845)->displayName, "UU Coding");
  EXPECT_EQ(FindStringFormat(22616)->displayName, "XX Coding");
  EXPECT_EQ(FindStringFormat(1016)->displayName, "Hexadecimal lowercase");
  EXPECT_EQ(FindStringFormat(1)->displayName, "copy Input to Output");
  EXPECT_EQ(FindStringFormat(5), nullptr);

  TStringFormatClass replacement = TStringFormat_HEX;
  replacement.displayName = "Replaced";
  RegisterStringFormats({&replacement});
  EXPECT_EQ(FindStringFormat(FormatHEX)->displayName, "Replaced");
  RegisterStringFormats({&TStringFormat_HEX});
  EXPECT_EQ(FindStringFormat(FormatHEX), &TStringFormat_HEX);
}

TEST(Alphabets, HaveTheirFixedSizes) {
  EXPECT_EQ(TStringFormat_HEX.Alphabet().size(), 48u);
  EXPECT_EQ(TStringFormat_HEXL.Alphabet().size(), 48u);
  EXPECT_EQ(TStringFormat_MIME64.Alphabet().size(), 85u);
  EXPECT_EQ(TStringFormat_UU.Alphabet().size(), 68u);
  EXPECT_EQ(TStringFormat_XX.Alphabet().size(), 74u);
  EXPECT_EQ(TStringFormat_UU.Alphabet()[0], '`');
  EXPECT_EQ(TStringFormat_XX.Alphabet().substr(0, 2), "+-");
}

}  // namespace
}  // namespace hushlake
