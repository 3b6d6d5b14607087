#include "stego/sealed/sealed_content.h"

#include <zlib.h>

#include <algorithm>
#include <stdexcept>

namespace hushlake::sealed {

SecretBytes PackContent(const SealedContent& content) {
  if (content.name.size() > kMaxNameBytes) {
    throw std::invalid_argument("a file name of more than 255 bytes cannot be sealed");
  }
  // One resize and plain copies: GCC 12 at -O3 misreads push_back on this allocator.
  SecretBytes record;
  record.Value().resize(2 + content.name.size() + content.bytes.size());
  record.Value()[0] = content.isFile ? 1 : 0;
  record.Value()[1] = static_cast<std::uint8_t>(content.name.size());
  std::copy(content.name.begin(), content.name.end(), record.data() + 2);
  std::copy(content.bytes.begin(), content.bytes.end(), record.data() + 2 + content.name.size());

  SecretBytes packed;
  packed.Value().resize(compressBound(static_cast<uLong>(record.size())));
  uLongf length = static_cast<uLongf>(packed.size());
  if (compress2(packed.data(), &length, record.data(), static_cast<uLong>(record.size()),
                Z_BEST_COMPRESSION) != Z_OK) {
    throw std::runtime_error("the content could not be compressed");
  }
  packed.Value().resize(length);
  return packed;
}

std::optional<SealedContent> UnpackContent(std::span<const std::uint8_t> packed) {
  z_stream stream{};
  if (inflateInit(&stream) != Z_OK) return std::nullopt;
  SecretBytes record;
  stream.next_in = const_cast<Bytef*>(packed.data());
  stream.avail_in = static_cast<uInt>(packed.size());
  int status = Z_OK;
  while (status == Z_OK) {
    const std::size_t done = record.size();
    if (done >= kMaxContentBytes + 2 + kMaxNameBytes) break;
    record.Value().resize(done + 65536);
    stream.next_out = record.data() + done;
    stream.avail_out = 65536;
    status = inflate(&stream, Z_NO_FLUSH);
    record.Value().resize(done + 65536 - stream.avail_out);
  }
  const bool whole = status == Z_STREAM_END && stream.avail_in == 0;
  inflateEnd(&stream);
  if (!whole || record.size() < 2 || record[0] > 1) return std::nullopt;
  const std::size_t nameBytes = record[1];
  if (record.size() < 2 + nameBytes) return std::nullopt;
  SealedContent content;
  content.isFile = record[0] == 1;
  if (!content.isFile && nameBytes != 0) return std::nullopt;
  content.name.assign(record.begin() + 2,
                      record.begin() + 2 + static_cast<std::ptrdiff_t>(nameBytes));
  content.bytes = SecretBytes(std::span(record.View()).subspan(2 + nameBytes));
  return content;
}

}  // namespace hushlake::sealed
