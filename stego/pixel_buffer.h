#pragma once
// The storage of a picture's pixels. Pictures are tens of megabytes, and the
// tool touches each of its few large buffers only once or twice: with 4 KiB
// pages the page faults that bring them in cost more than the work itself.
// Large buffers are therefore mapped on 2 MiB boundaries and offered to the
// kernel as transparent huge pages (with "madvise", the usual setting, the
// kernel only uses them where asked). Fresh mappings are zero already, and a
// buffer that its caller fills whole is never cleared first.
#include <cstddef>
#include <cstdint>
#include <memory>
#include <span>

namespace hushlake {

class PixelBuffer {
 public:
  PixelBuffer() = default;
  // Size bytes, every one zero.
  static PixelBuffer Zeroed(std::size_t size);
  // Size bytes of unspecified value, for a caller that writes every one.
  static PixelBuffer ForOverwrite(std::size_t size);

  PixelBuffer(PixelBuffer&& other) noexcept;
  PixelBuffer& operator=(PixelBuffer&& other) noexcept;
  ~PixelBuffer();
  // Copies are made on purpose only: they cost a picture's worth of memory.
  PixelBuffer(const PixelBuffer&) = delete;
  PixelBuffer& operator=(const PixelBuffer&) = delete;
  // A buffer with the same bytes, written once.
  PixelBuffer Clone() const;

  std::uint8_t* Data() { return data_; }
  const std::uint8_t* Data() const { return data_; }
  std::size_t Size() const { return size_; }
  std::span<std::uint8_t> Bytes() { return {data_, size_}; }
  std::span<const std::uint8_t> Bytes() const { return {data_, size_}; }
  // Keeps the first Size bytes (at most the current size); the memory stays
  // with the buffer until it is freed.
  void Shrink(std::size_t size);

  // The same bytes, wherever they live.
  bool operator==(const PixelBuffer& other) const;

  // From this size on a buffer is mapped rather than taken from the heap.
  static bool IsMapped(std::size_t size);

 private:
  // A private anonymous mapping, unmapped when it dies.
  class Mapping {
   public:
    Mapping() = default;
    explicit Mapping(std::size_t size);
    Mapping(Mapping&& other) noexcept;
    Mapping& operator=(Mapping&& other) noexcept;
    ~Mapping();
    std::uint8_t* Start() const { return start_; }

   private:
    std::uint8_t* start_ = nullptr;
    std::size_t length_ = 0;
  };

  static PixelBuffer Allocate(std::size_t size, bool zeroed);

  std::unique_ptr<std::uint8_t[]> heap_;
  Mapping mapping_;
  std::uint8_t* data_ = nullptr;
  std::size_t size_ = 0;
};

}  // namespace hushlake
