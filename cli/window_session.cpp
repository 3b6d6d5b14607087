#include "cli/window_session.h"

#include "cli/outcome.h"
#include "cli/picture_names.h"
#include "stego/picture/bmp/bmp_codec.h"

namespace hushlake::cli {

WindowSession::WindowSession(std::optional<std::string> savePath, bool force, Verbosity verbosity)
    : messages_(force, verbosity),
      dialogs_(std::move(savePath)),
      window_({messages_, editor_, keyField_, settings_, files_, dialogs_}) {
  // One Encrypt, then a save: the original's memory serves as the working copy.
  window_.ReleaseOriginalOnEncrypt();
  window_.FormCreate();
  window_.FormShow();
}

void WindowSession::OpenPicture(const std::string& path) {
  CheckPictureSource(path);
  messages_.Hold();
  window_.OpenPictureAccept(path == StandardStream ? std::string(StandardInputPicture) : path);
  messages_.Release(messages::WrongDepth);
  if (!window_.ImageLoaded()) {
    if (messages_.Shown(messages::WrongDepth) && path != StandardStream) NoteDepth(path);
    throw Refusal();
  }
}

// The window's refusal of a depth names none; the depth found, and a way
// to convert the picture, get the user going.
void WindowSession::NoteDepth(const std::string& path) {
  const BmpHeaderResult header = ReadBmpFileHeader(path);
  const int bits = header.bitsPerPixel;
  if (bits <= 0 || bits == 8 || bits == 24 || bits == 32) return;
  PrintError("the picture has " + std::to_string(bits) +
             " bits per pixel; converted to 24 bits it can be used, e.g. with ImageMagick: "
             "convert '" +
             path + "' -type TrueColor BMP3:converted.bmp");
}

void WindowSession::NoteDisabledChoice() {
  if (!window_.View().cryptControlsEnabled)
    PrintError("note: " + window_.View().cryptHint + ": --hash, --cipher and --mode are not used");
}

}  // namespace hushlake::cli
