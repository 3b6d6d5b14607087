#pragma once
// The lossless converters the help text's manual route uses, run as users
// run them: ImageMagick for 24- and 32-bit pictures, Pillow for 8-bit ones
// (ImageMagick reorders palettes, which no 8-bit hidden text survives).
#include <cstdlib>
#include <filesystem>
#include <string>

#include "stego/picture.h"

namespace hushlake::testing_support {

inline bool CommandSucceeds(const std::string& command) {
  return std::system((command + " >/dev/null 2>&1").c_str()) == 0;
}

// The Debian python3 first: that is where the scripts install Pillow.
inline std::string PythonWithPillow() {
  for (const char* python : {"/usr/bin/python3", "python3"})
    if (CommandSucceeds(std::string(python) + " -c 'import PIL'")) return python;
  return {};
}

inline bool HasImageMagick() { return CommandSucceeds("convert -version"); }

// Why a converter for this format is missing, or empty when it is there.
inline std::string MissingConverter(PixelFormat format) {
  if (format == PixelFormat::Indexed8)
    return PythonWithPillow().empty() ? "Pillow is not installed (scripts install python3-pil)"
                                      : "";
  return HasImageMagick() ? "" : "ImageMagick is not installed (scripts install imagemagick)";
}

// Converts `from` (a BMP or PNG) into `to`, of the other kind, keeping every
// bit of a picture of this format.
inline bool ConvertLosslessly(PixelFormat format, const std::filesystem::path& from,
                              const std::filesystem::path& to) {
  const std::string in = "'" + from.string() + "'", out = "'" + to.string() + "'";
  const bool toPng = to.extension() == ".png";
  switch (format) {
    case PixelFormat::Indexed8:
      return CommandSucceeds(PythonWithPillow() +
                             " -c 'import sys; from PIL import Image; "
                             "Image.open(sys.argv[1]).save(sys.argv[2])' " +
                             in + " " + out);
    case PixelFormat::Bgr24:
      return CommandSucceeds("convert " + in + (toPng ? " PNG24:" : " BMP3:") + out);
    case PixelFormat::Bgrx32:
      return CommandSucceeds("convert " + in + (toPng ? " PNG32:" : " ") + out);
  }
  return false;
}

}  // namespace hushlake::testing_support
