#include "cli/window_session.h"

#include "cli/outcome.h"
#include "cli/picture_names.h"

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
  // A reason follows the window's line for a file of another depth or kind;
  // a broken file's reason says all, so the kind line goes for a PNG too.
  messages_.Release(messages::WrongDepth,
                    window_.View().originalBroken ? messages::WrongPngKind : std::string_view{});
  if (!window_.ImageLoaded()) throw Refusal();
}

void WindowSession::NoteDisabledChoice() {
  if (!window_.View().cryptControlsEnabled)
    PrintError("note: " + window_.View().cryptHint + ": --hash, --cipher and --mode are not used");
}

}  // namespace hushlake::cli
