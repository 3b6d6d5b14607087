#pragma once
// The FileStore of the desktop and the command line: the local file system,
// with whole-or-nothing writes. Every front end reads files and pictures
// through this one store, so they all load them the same way: pictures row
// by row straight into their pixels, without a copy of the whole file, or
// (for a reader that only reads them) mapped and read where they lie.
#include "app/ports.h"

namespace hushlake {

class LocalFileStore : public FileStore {
 public:
  bool Exists(const std::string& path) const override;
  std::vector<std::uint8_t> ReadAll(const std::string& path) const override;
  PictureReadResult ReadPicture(const std::string& path) const override;
  std::optional<PictureInPlace> ViewPicture(const std::string& path) const override;
  void WriteAtomically(const std::string& path, std::span<const std::uint8_t> bytes) override;
  void WritePictureAtomically(const std::string& path, const Picture& picture,
                              const SourceFileInfo& source = {}) override;
  void RewritePictureAtomically(const std::string& path, const FileView& source,
                                const BmpRewriteLayout& layout,
                                const RowBandChange& change) override;
};

}  // namespace hushlake
