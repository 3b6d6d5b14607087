#include "crypto/string_format.h"

#include <array>
#include <cstring>
#include <vector>

#include "crypto/exceptions.h"

namespace hushlake {

namespace {

ByteString CopyToBinary(const TStringFormatClass&, std::string_view text) {
  return ByteString(text);
}
std::string CopyFromBinary(const TStringFormatClass&, std::string_view data) {
  return std::string(data);
}
bool CopyAccepts(const TStringFormatClass&, std::string_view, bool) { return true; }

std::vector<const TStringFormatClass*>& FormatList() {
  static std::vector<const TStringFormatClass*> list;
  return list;
}

int LengthUpToZero(const void* data, int len) {
  if (len >= 0) return len;
  return static_cast<int>(std::strlen(static_cast<const char*>(data)));
}

const TStringFormatClass& RequireFormat(int formatId) {
  const TStringFormatClass* format = FindStringFormat(formatId);
  if (format == nullptr)
    throw EStringFormat(
        FillMessage("String Format \"%d\" not exists.", {std::to_string(formatId)}));
  return *format;
}

}  // namespace

const TStringFormatClass TStringFormat = {
    "TStringFormat", FormatCopy, "copy Input to Output", "", CopyToBinary,
    CopyFromBinary,  CopyAccepts};

bool AllInAlphabet(std::string_view alphabet, std::string_view data) {
  std::array<bool, 256> allowed{};
  for (unsigned char c : alphabet) allowed[c] = true;
  for (unsigned char c : data)
    if (!allowed[c]) return false;
  return true;
}

void RegisterStringFormats(std::initializer_list<const TStringFormatClass*> classes) {
  auto& list = FormatList();
  for (const TStringFormatClass* format : classes) {
    if (format == nullptr || format->formatId == -1) continue;
    bool replaced = false;
    for (auto& listed : list) {
      if (listed->formatId == format->formatId) {
        listed = format;
        replaced = true;
        break;
      }
    }
    if (!replaced) list.push_back(format);
  }
}

void RegisterStandardStringFormats() {
  RegisterStringFormats({&TStringFormat, &TStringFormat_HEX, &TStringFormat_HEXL,
                         &TStringFormat_MIME64, &TStringFormat_UU, &TStringFormat_XX});
}

const TStringFormatClass* FindStringFormat(int formatId) {
  if (FormatList().empty()) RegisterStandardStringFormats();
  if (formatId == -1) formatId = DefaultFormatId;
  for (const TStringFormatClass* format : FormatList())
    if (format->formatId == formatId) return format;
  return nullptr;
}

std::string EncodeToFormat(const void* data, int len, int formatId) {
  if (data == nullptr || formatId == 0) return {};
  len = LengthUpToZero(data, len);
  if (len <= 0) return {};
  const TStringFormatClass& format = RequireFormat(formatId);
  const std::string_view bytes(static_cast<const char*>(data), static_cast<std::size_t>(len));
  if (!format.Accepts(bytes, false))
    throw EStringFormat(
        FillMessage("Input can not be convert to %s Format.", {std::string(format.displayName)}));
  return format.FromBinary(bytes);
}

ByteString DecodeFromFormat(const void* text, int len, int formatId) {
  if (text == nullptr || formatId == 0) return {};
  len = LengthUpToZero(text, len);
  if (len <= 0) return {};
  const TStringFormatClass& format = RequireFormat(formatId);
  const std::string_view chars(static_cast<const char*>(text), static_cast<std::size_t>(len));
  if (!format.Accepts(chars, true))
    throw EStringFormat(
        FillMessage("Input is not an valid %s Format.", {std::string(format.displayName)}));
  return format.ToBinary(chars);
}

std::string EncodeToFormat(std::string_view data, int formatId) {
  return EncodeToFormat(data.data(), static_cast<int>(data.size()), formatId);
}

ByteString DecodeFromFormat(std::string_view text, int formatId) {
  return DecodeFromFormat(text.data(), static_cast<int>(text.size()), formatId);
}

}  // namespace hushlake
