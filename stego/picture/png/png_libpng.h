#pragma once
// The bridge to libpng's error handling, shared by the PNG reader and writer.
//
// libpng does not return on an error: its error callback must not return,
// and the default one longjmps to the caller's setjmp. A longjmp that skips
// a C++ destructor is undefined behaviour, and an exception thrown through
// libpng's C frames is not portable (nor would libpng's own state be
// cleaned up better than by the jump). So errors are jumps here, and the
// jump is made harmless: Guarded() holds the setjmp, and a step passed to it
// may call libpng but must keep only trivially destructible locals, as must
// any callback libpng calls meanwhile. After Guarded() returns false the
// handles may only be destroyed.
#include <png.h>

#include <csetjmp>
#include <cstring>

namespace hushlake::pnglib {

// Where the error callback leaves libpng's message; a plain buffer, so the
// jump never has anything to destroy.
struct ErrorReport {
  char message[256] = "unknown error";
};

inline void RecordError(png_structp png, png_const_charp message) {
  auto* report = static_cast<ErrorReport*>(png_get_error_ptr(png));
  std::strncpy(report->message, message, sizeof(report->message) - 1);
  report->message[sizeof(report->message) - 1] = '\0';
  png_longjmp(png, 1);
}

// Warnings are about ancillary chunks, which are kept but never applied.
inline void IgnoreWarning(png_structp, png_const_charp) {}

using Step = void (*)(png_structp, png_infop, void* context);

// Runs `step`; false when libpng reported an error inside it.
inline bool Guarded(png_structp png, png_infop info, Step step, void* context) {
  if (setjmp(png_jmpbuf(png)) != 0) return false;
  step(png, info, context);
  return true;
}

}  // namespace hushlake::pnglib
