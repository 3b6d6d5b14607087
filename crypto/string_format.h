#pragma once
// String formats: binary data (cipher text, digests) as printable text and
// back. Formats are used as classes only; each is one descriptor.
#include <string>
#include <string_view>

namespace hushlake {

// Every text of the engine and the framework is a string of 8-bit bytes.
using ByteString = std::string;

inline constexpr int FormatCopy = 1;
inline constexpr int FormatHEX = 16;
inline constexpr int FormatHEXL = 1016;
inline constexpr int FormatMIME64 = 4196;
inline constexpr int FormatUU = 21845;
inline constexpr int FormatXX = 22616;
inline constexpr int DefaultFormatId = FormatMIME64;  // also written as -1

struct TStringFormatClass {
  std::string_view className;
  int formatId;
  std::string_view displayName;
  // The symbols in index order, then the characters decoding accepts and skips.
  std::string_view alphabet;
  ByteString (*toBinary)(const TStringFormatClass& self, std::string_view text);
  std::string (*fromBinary)(const TStringFormatClass& self, std::string_view data);
  bool (*accepts)(const TStringFormatClass& self, std::string_view data, bool forDecoding);

  ByteString ToBinary(std::string_view text) const { return toBinary(*this, text); }
  std::string FromBinary(std::string_view data) const { return fromBinary(*this, data); }
  bool Accepts(std::string_view data, bool forDecoding) const {
    return accepts(*this, data, forDecoding);
  }
  std::string_view DisplayName() const { return displayName; }
  int FormatIdOf() const { return formatId; }
  std::string_view Alphabet() const { return alphabet; }
};

// The six formats of the system.
extern const TStringFormatClass TStringFormat;
extern const TStringFormatClass TStringFormat_HEX;
extern const TStringFormatClass TStringFormat_HEXL;
extern const TStringFormatClass TStringFormat_MIME64;
extern const TStringFormatClass TStringFormat_UU;
extern const TStringFormatClass TStringFormat_XX;

// Appends each class; one whose FormatId is listed already replaces that
// entry in place, one with FormatId -1 is skipped.
void RegisterStringFormats(std::initializer_list<const TStringFormatClass*> classes);
// Registers the six formats in their fixed order (idempotent).
void RegisterStandardStringFormats();

// -1 stands for the default format; none when the identifier is unknown.
const TStringFormatClass* FindStringFormat(int formatId);

// A negative Len means: up to the first zero byte. Raise EStringFormat with
// the system's messages; never return a partial result.
std::string EncodeToFormat(const void* data, int len, int formatId);
ByteString DecodeFromFormat(const void* text, int len, int formatId);
std::string EncodeToFormat(std::string_view data, int formatId = DefaultFormatId);
ByteString DecodeFromFormat(std::string_view text, int formatId = DefaultFormatId);

// Shared by the format families: is every character of Data in the alphabet.
bool AllInAlphabet(std::string_view alphabet, std::string_view data);

}  // namespace hushlake
