#include "stego/picture/picture_files.h"

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <fstream>

#include "stego/picture/bmp/bmp_codec.h"
#include "stego/picture/png/png_codec.h"

namespace hushlake {
namespace {

std::string LowerExtension(std::string_view name) {
  std::string extension = std::filesystem::path(name).extension().string();
  std::transform(extension.begin(), extension.end(), extension.begin(),
                 [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  return extension;
}

bool LooksLikeBmp(std::span<const std::uint8_t> bytes) {
  return bytes.size() >= 2 && bytes[0] == 'B' && bytes[1] == 'M';
}

bool ReadAsPng(std::span<const std::uint8_t> start, std::string_view name) {
  if (LooksLikePng(start)) return true;
  if (LooksLikeBmp(start)) return false;
  return LowerExtension(name) == ".png";
}

}  // namespace

PictureReadResult ReadPicture(std::span<const std::uint8_t> fileBytes, std::string_view name) {
  return ReadAsPng(fileBytes, name) ? ReadPng(fileBytes) : ReadBmp(fileBytes);
}

PictureReadResult ReadPictureFile(const std::string& path) {
  std::uint8_t start[8] = {};
  std::ifstream in(path, std::ios::binary);
  in.read(reinterpret_cast<char*>(start), sizeof(start));
  const std::span<const std::uint8_t> got(start, static_cast<std::size_t>(in.gcount()));
  // An unreadable file goes to the reader its name suggests, which names the fault.
  return ReadAsPng(got, path) ? ReadPngFile(path) : ReadBmpFile(path);
}

std::string_view KindName(PictureFileKind kind) {
  return kind == PictureFileKind::Png ? "PNG" : "BMP";
}

std::string_view KindExtension(PictureFileKind kind) {
  return kind == PictureFileKind::Png ? ".png" : ".bmp";
}

bool HasPictureExtension(std::string_view name) {
  const std::string extension = LowerExtension(name);
  return extension.find("bmp") != std::string::npos || extension.find("png") != std::string::npos;
}

std::optional<SaveTarget> ChooseSaveTarget(std::string_view name, PictureFileKind sourceKind) {
  const std::string extension = LowerExtension(name);
  if (extension.empty())
    return SaveTarget{sourceKind, std::string(name) + std::string(KindExtension(sourceKind))};
  if (extension == ".bmp") return SaveTarget{PictureFileKind::Bmp, std::string(name)};
  if (extension == ".png") return SaveTarget{PictureFileKind::Png, std::string(name)};
  return std::nullopt;
}

std::vector<std::uint8_t> EncodePicture(const Picture& picture, PictureFileKind kind,
                                        const SourceFileInfo& source) {
  try {
    return kind == PictureFileKind::Png ? WritePng(picture, source) : WriteBmp(picture, source);
  } catch (const BmpWriteError& error) {
    throw PictureWriteError(error.what());
  } catch (const PngWriteError& error) {
    throw PictureWriteError(error.what());
  }
}

void WritePictureFile(const Picture& picture, const SaveTarget& target,
                      const SourceFileInfo& source) {
  try {
    if (target.kind == PictureFileKind::Png)
      WritePngFile(picture, target.path, source);
    else
      WriteBmpFile(picture, target.path, source);
  } catch (const BmpWriteError& error) {
    throw PictureWriteError(error.what());
  } catch (const PngWriteError& error) {
    throw PictureWriteError(error.what());
  }
}

}  // namespace hushlake
