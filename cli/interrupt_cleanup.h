#pragma once
// Stopping the tool with Ctrl+C (SIGINT), SIGTERM or SIGHUP in the middle of
// a save removes the half-written temporary file, then ends the process by
// that signal as it would have ended without the handler. (SIGKILL cannot
// be handled; the next save to the folder removes what it leaves.)

namespace hushlake::cli {

void RemoveTemporaryFilesOnInterrupt();

}  // namespace hushlake::cli
