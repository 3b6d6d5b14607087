#pragma once
// Stopping the tool with Ctrl+C (SIGINT), SIGTERM, SIGHUP or SIGQUIT puts
// back the terminal's modes if the key prompt had changed them, removes the
// half-written temporary file of a save under way, then ends the process by
// that signal as it would have ended without the handler. (SIGKILL cannot
// be handled; the next save to the folder removes what it leaves.)
#include <termios.h>

namespace hushlake::cli {

void RemoveTemporaryFilesOnInterrupt();

// While one lives, a stopping signal first gives the terminal Fd the modes
// Saved. One at a time: the key prompt is the only one.
class TerminalModesOnInterrupt {
 public:
  TerminalModesOnInterrupt(int fd, const termios& saved) noexcept;
  ~TerminalModesOnInterrupt();
  TerminalModesOnInterrupt(const TerminalModesOnInterrupt&) = delete;
  TerminalModesOnInterrupt& operator=(const TerminalModesOnInterrupt&) = delete;
};

}  // namespace hushlake::cli
