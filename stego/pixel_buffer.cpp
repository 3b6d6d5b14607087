#include "stego/pixel_buffer.h"

#include <sys/mman.h>

#include <algorithm>
#include <cstring>
#include <new>
#include <utility>

namespace hushlake {

namespace {

constexpr std::size_t HugePage = std::size_t{2} << 20;

// The sanitizer build keeps every buffer on the heap, where it checks each access.
#if defined(__SANITIZE_ADDRESS__)
constexpr bool MapLargeBuffers = false;
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
constexpr bool MapLargeBuffers = false;
#else
constexpr bool MapLargeBuffers = true;
#endif
#else
constexpr bool MapLargeBuffers = true;
#endif

// Below two huge pages the heap serves as well.
constexpr std::size_t LargeBuffer = 2 * HugePage;

std::size_t RoundedToHugePages(std::size_t size) { return (size + HugePage - 1) & ~(HugePage - 1); }

}  // namespace

PixelBuffer::Mapping::Mapping(std::size_t size) : length_(RoundedToHugePages(size)) {
  // Mapped one huge page larger, then trimmed to start on a huge page boundary.
  const std::size_t reserved = length_ + HugePage;
  void* block =
      ::mmap(nullptr, reserved, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
  if (block == MAP_FAILED) throw std::bad_alloc();
  const auto address = reinterpret_cast<std::uintptr_t>(block);
  const std::size_t head = ((address + HugePage - 1) & ~(HugePage - 1)) - address;
  start_ = static_cast<std::uint8_t*>(block) + head;
  if (head != 0) ::munmap(block, head);
  ::munmap(start_ + length_, HugePage - head);
  // Only the huge pages the bytes fill whole: a last, partly used one would
  // be resident whole, up to 2 MiB more than the picture; its 4 KiB pages
  // are resident only as far as the bytes reach.
  ::madvise(start_, size & ~(HugePage - 1), MADV_HUGEPAGE);  // a refusal only costs speed
}

PixelBuffer::Mapping::Mapping(Mapping&& other) noexcept
    : start_(std::exchange(other.start_, nullptr)), length_(std::exchange(other.length_, 0)) {}

PixelBuffer::Mapping& PixelBuffer::Mapping::operator=(Mapping&& other) noexcept {
  if (this != &other) {
    Mapping old(std::move(*this));
    start_ = std::exchange(other.start_, nullptr);
    length_ = std::exchange(other.length_, 0);
  }
  return *this;
}

PixelBuffer::Mapping::~Mapping() {
  if (start_ != nullptr) ::munmap(start_, length_);
}

bool PixelBuffer::IsMapped(std::size_t size) { return MapLargeBuffers && size >= LargeBuffer; }

PixelBuffer PixelBuffer::Allocate(std::size_t size, bool zeroed) {
  PixelBuffer buffer;
  if (size == 0) return buffer;
  if (IsMapped(size)) {
    buffer.mapping_ = Mapping(size);  // fresh anonymous pages read as zero
    buffer.data_ = buffer.mapping_.Start();
  } else {
    buffer.heap_ = zeroed ? std::make_unique<std::uint8_t[]>(size)
                          : std::make_unique_for_overwrite<std::uint8_t[]>(size);
    buffer.data_ = buffer.heap_.get();
  }
  buffer.size_ = size;
  return buffer;
}

PixelBuffer PixelBuffer::Zeroed(std::size_t size) { return Allocate(size, true); }

PixelBuffer PixelBuffer::ForOverwrite(std::size_t size) { return Allocate(size, false); }

PixelBuffer::PixelBuffer(PixelBuffer&& other) noexcept
    : heap_(std::move(other.heap_)),
      mapping_(std::move(other.mapping_)),
      data_(std::exchange(other.data_, nullptr)),
      size_(std::exchange(other.size_, 0)) {}

PixelBuffer& PixelBuffer::operator=(PixelBuffer&& other) noexcept {
  if (this != &other) {
    heap_ = std::move(other.heap_);
    mapping_ = std::move(other.mapping_);
    data_ = std::exchange(other.data_, nullptr);
    size_ = std::exchange(other.size_, 0);
  }
  return *this;
}

PixelBuffer::~PixelBuffer() = default;

PixelBuffer PixelBuffer::Clone() const {
  PixelBuffer copy = ForOverwrite(size_);
  if (size_ != 0) std::memcpy(copy.data_, data_, size_);
  return copy;
}

void PixelBuffer::Shrink(std::size_t size) { size_ = std::min(size, size_); }

bool PixelBuffer::operator==(const PixelBuffer& other) const {
  return size_ == other.size_ && (size_ == 0 || std::memcmp(data_, other.data_, size_) == 0);
}

}  // namespace hushlake
