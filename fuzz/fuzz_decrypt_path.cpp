// The Decrypt read path end to end, as the window and the command-line tool
// run it: a small picture and a key, hash, cipher and mode from the input go
// through Open Img, Decrypt (engine and deciphering glue) and Save Text, with
// in-memory ports. Whatever the picture holds, every handler ends in a
// message or a result; nothing escapes and nothing crashes. Decrypt through
// copied bytes, as a picture read in place is read, finds the same.
//
// Input: hash, cipher, mode, pixel format, width - 1, height - 1 (one byte
// each), key length and key, then for 8 bits the 1024 palette bytes, then the
// pixels row by row from the top (missing bytes are zero).
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <ostream>  // the fakes print their messages
#include <span>
#include <string>
#include <utility>

#include "framework/framework.h"
#include "fuzz/fuzz_input.h"
#include "stego/encryptor.h"
#include "stego/pixel_bytes_reader.h"
#include "tests/app/workflow_window.h"

namespace {

using namespace hushlake;

constexpr int kMaxSide = 64;
constexpr std::size_t kMaxKey = 64;

Picture PictureFrom(fuzzing::FuzzInput& input, PixelFormat format, int width, int height) {
  Picture picture(width, height, format);
  if (format == PixelFormat::Indexed8) {
    const std::string bytes = input.Take(sizeof(Palette));
    Palette palette{};
    for (std::size_t i = 0; i + 3 < bytes.size(); i += 4)
      palette[i / 4] = {
          static_cast<std::uint8_t>(bytes[i]), static_cast<std::uint8_t>(bytes[i + 1]),
          static_cast<std::uint8_t>(bytes[i + 2]), static_cast<std::uint8_t>(bytes[i + 3])};
    picture.SetPalette(palette);
  }
  const std::string pixels = input.Take(picture.Pixels().size());
  std::copy(pixels.begin(), pixels.end(), picture.Pixels().begin());
  return picture;
}

// Bytes copied out of the picture's own memory, as a file's reader copies
// them out of the file.
class MemoryReader : public PixelBytesReader {
 public:
  void Copy(const std::uint8_t* from, std::span<std::uint8_t> into) const override {
    std::memcpy(into.data(), from, into.size());
  }
};

// Decrypt through copies of its positions' bytes reads what loading them
// where they lie reads.
void CheckCopiedDecrypt(const Picture& picture, const std::string& key) {
  const MemoryReader reader;
  const PixelView loaded = PixelView::Of(picture);
  const EngineOutcome direct = DecryptPixels(loaded, SecretString(key));
  const EngineOutcome copied = DecryptPixels(loaded.CopiedThrough(reader), SecretString(key));
  if (direct.status != copied.status || !(direct.text == copied.text.View())) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  StartFramework();
  fuzzing::FuzzInput input(data, size);
  CipherChoice choice;
  choice.hash = HashListItems[input.Index(HashListItems.size())];
  choice.cipher = CipherListItems[input.Index(CipherListItems.size())];
  choice.mode = static_cast<int>(input.Index(ModeListItems.size()));
  static constexpr PixelFormat kFormats[] = {PixelFormat::Indexed8, PixelFormat::Bgr24,
                                             PixelFormat::Bgrx32};
  const PixelFormat format = kFormats[input.Index(3)];
  const int width = 1 + static_cast<int>(input.Index(kMaxSide));
  const int height = 1 + static_cast<int>(input.Index(kMaxSide));
  const std::string key = input.ShortString(kMaxKey);

  Picture picture = PictureFrom(input, format, width, height);
  CheckCopiedDecrypt(picture, key);
  workflow_test::Window window;
  window.files.PutPicture("stranger.bmp", std::move(picture));
  window.key.text = key;
  window.Open("stranger.bmp");
  window.logic.SetChoice(choice);
  window.Decrypt();
  // The tool then writes the text it found to a file.
  if (!window.editor.text.empty()) window.logic.FileSaveAsAccept("found.txt");
  for (const auto& message : window.messages.shown)
    if (message.text.empty()) std::abort();
  return 0;
}
