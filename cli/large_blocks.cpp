// Pictures are tens of megabytes, and the tool touches each of its few large
// buffers only once or twice: with 4 KiB pages the page faults that bring
// them in cost more than the work itself. Large blocks are therefore placed
// on 2 MiB boundaries and offered to the kernel as transparent huge pages
// (with "madvise", the usual setting, the kernel only uses them where asked).
// The sanitizer build keeps its own allocator, which checks every block.
#include <sys/mman.h>

#include <cstdlib>
#include <new>

#if !defined(__SANITIZE_ADDRESS__)

namespace {

constexpr std::size_t HugePage = std::size_t{2} << 20;
constexpr std::size_t LargeBlock = 4 * HugePage;

void* Allocate(std::size_t size) {
  if (size >= LargeBlock) {
    const std::size_t rounded = (size + HugePage - 1) & ~(HugePage - 1);
    if (void* block = std::aligned_alloc(HugePage, rounded)) {
      madvise(block, rounded, MADV_HUGEPAGE);  // a refusal only costs speed
      return block;
    }
  } else if (void* block = std::malloc(size == 0 ? 1 : size)) {
    return block;
  }
  throw std::bad_alloc();
}

}  // namespace

void* operator new(std::size_t size) { return Allocate(size); }
void* operator new[](std::size_t size) { return Allocate(size); }
void operator delete(void* block) noexcept { std::free(block); }
void operator delete[](void* block) noexcept { std::free(block); }
void operator delete(void* block, std::size_t) noexcept { std::free(block); }
void operator delete[](void* block, std::size_t) noexcept { std::free(block); }

#endif
