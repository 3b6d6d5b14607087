#include "cli/window_session.h"

#include <iostream>

#include "cli/outcome.h"

namespace hushlake::cli {

WindowSession::WindowSession(std::optional<std::string> savePath, bool force)
    : messages_(force),
      dialogs_(std::move(savePath)),
      window_({messages_, editor_, keyField_, settings_, files_, dialogs_}) {
  // One Encrypt, then a save: the original's memory serves as the working copy.
  window_.ReleaseOriginalOnEncrypt();
  window_.FormCreate();
  window_.FormShow();
}

void WindowSession::OpenPicture(const std::string& path) {
  window_.OpenPictureAccept(path);
  if (window_.ImageLoaded()) return;
  // The dialog only offers existing files; here the name may be anything,
  // and the handler passes over a missing file in silence.
  if (!files_.Exists(path)) throw Refusal("Cannot open the picture \"" + path + "\": no such file");
  throw Refusal();
}

void WindowSession::NoteDisabledChoice() {
  if (!window_.View().cryptControlsEnabled) std::cerr << window_.View().cryptHint << std::endl;
}

}  // namespace hushlake::cli
