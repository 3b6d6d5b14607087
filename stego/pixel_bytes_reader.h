#pragma once
// A way to get at viewed pixel bytes without loading them where they lie.
// A file's pixel array mapped into memory costs a page fault, and a page
// table update, the first time each page is touched; a reader of scattered
// positions touches most pages once for a few bytes each. Copying the bytes
// out of the file in runs (one system call per run, into a buffer that stays
// in the cache) costs far less, so such a view is read through a
// PixelBytesReader instead.
#include <cstdint>
#include <span>

namespace hushlake {

class PixelBytesReader {
 public:
  virtual ~PixelBytesReader() = default;
  // Copies the Into.size() bytes that the view shows from From on into Into,
  // without loading them from where From points. Raises std::runtime_error
  // when they cannot be read (a file cut short since, say): the reader of
  // the positions then ends without a result.
  virtual void Copy(const std::uint8_t* from, std::span<std::uint8_t> into) const = 0;
  // Told before many scattered positions in [From, From + Count) are loaded
  // where they lie: a mapping can fault all those pages in at once, for a
  // fraction of what one fault per page costs. Only a hint.
  virtual void WillLoad(const std::uint8_t* /*from*/, std::size_t /*count*/) const {}
};

}  // namespace hushlake
