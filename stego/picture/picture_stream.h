#pragma once
// Reading a picture from a stream whose length is not known before it ends
// (standard input). A stranger's stream is bounded as a file is: its first
// bytes must be a BMP or PNG header, and the header decides how many more
// bytes the picture can need; nothing past that is read.
#include <cstdint>
#include <functional>
#include <span>
#include <string_view>

#include "stego/picture/read_result.h"

namespace hushlake {

// Reads into Into what the stream has, up to Into.size() bytes; 0 at its
// end. Raises std::runtime_error when the stream cannot be read.
using ReadStreamBytes = std::function<std::size_t(std::span<std::uint8_t> into)>;

// What is read before the header decides: more than any BMP or PNG header
// (with colour table and masks) takes.
inline constexpr std::size_t kStreamProbeBytes = 64 * 1024;

// The picture the stream holds, read as ReadPicture reads a file's bytes
// (`name` stands in for its file name). A stream that does not start like a
// picture, or whose header is refused, is refused after its first
// kStreamProbeBytes bytes.
PictureReadResult ReadPictureStream(const ReadStreamBytes& read, std::string_view name);

// The most bytes a stream starting with Start may need to hold its picture;
// Start's own size when its header is no picture's, or is refused.
std::uint64_t StreamBytesNeeded(std::span<const std::uint8_t> start);

}  // namespace hushlake
