#include "crypto/secure_wipe.h"

#include <sys/mman.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdint>
#include <cstring>

namespace hushlake {

void SecureFill(void* data, std::size_t size, std::uint8_t value) {
  if (data == nullptr || size == 0) return;
  std::memset(data, value, size);
  // The barrier tells the compiler the memory is read afterwards, so the
  // memset is never removed as a dead store.
  __asm__ __volatile__("" : : "r"(data) : "memory");
}

void ScrubBytes(void* data, std::size_t size, std::uint8_t finalValue) {
  if (data == nullptr || size == 0) return;
  SecureFill(data, size, 0xAA);
  SecureFill(data, size, 0x55);
  SecureFill(data, size, finalValue);
}

void ScrubString(std::string& text) {
  ScrubBytes(text.data(), text.size(), 0);
  text.clear();
  text.shrink_to_fit();
}

namespace {

// The vector registers keep the bytes of the last copy, comparison or cipher
// round that went through them; whatever saves them next (the dynamic
// linker binding a function) writes those bytes to the stack again.
void ClearVectorRegisters() {
#if defined(__x86_64__)
  if (__builtin_cpu_supports("avx")) {
    __asm__ __volatile__("vzeroall" ::
                             : "xmm0", "xmm1", "xmm2", "xmm3", "xmm4", "xmm5", "xmm6", "xmm7",
                               "xmm8", "xmm9", "xmm10", "xmm11", "xmm12", "xmm13", "xmm14",
                               "xmm15");
  } else {
    __asm__ __volatile__(
        "pxor %%xmm0, %%xmm0\n\tpxor %%xmm1, %%xmm1\n\tpxor %%xmm2, %%xmm2\n\t"
        "pxor %%xmm3, %%xmm3\n\tpxor %%xmm4, %%xmm4\n\tpxor %%xmm5, %%xmm5\n\t"
        "pxor %%xmm6, %%xmm6\n\tpxor %%xmm7, %%xmm7\n\tpxor %%xmm8, %%xmm8\n\t"
        "pxor %%xmm9, %%xmm9\n\tpxor %%xmm10, %%xmm10\n\tpxor %%xmm11, %%xmm11\n\t"
        "pxor %%xmm12, %%xmm12\n\tpxor %%xmm13, %%xmm13\n\tpxor %%xmm14, %%xmm14\n\t"
        "pxor %%xmm15, %%xmm15" ::
            : "xmm0", "xmm1", "xmm2", "xmm3", "xmm4", "xmm5", "xmm6", "xmm7", "xmm8", "xmm9",
              "xmm10", "xmm11", "xmm12", "xmm13", "xmm14", "xmm15");
  }
  // The C library's copy routines use the upper sixteen registers where the
  // processor has them; our own code is never compiled to use them.
  if (__builtin_cpu_supports("avx512vl")) {
    __asm__ __volatile__(
        "vpxord %xmm16, %xmm16, %xmm16\n\tvpxord %xmm17, %xmm17, %xmm17\n\t"
        "vpxord %xmm18, %xmm18, %xmm18\n\tvpxord %xmm19, %xmm19, %xmm19\n\t"
        "vpxord %xmm20, %xmm20, %xmm20\n\tvpxord %xmm21, %xmm21, %xmm21\n\t"
        "vpxord %xmm22, %xmm22, %xmm22\n\tvpxord %xmm23, %xmm23, %xmm23\n\t"
        "vpxord %xmm24, %xmm24, %xmm24\n\tvpxord %xmm25, %xmm25, %xmm25\n\t"
        "vpxord %xmm26, %xmm26, %xmm26\n\tvpxord %xmm27, %xmm27, %xmm27\n\t"
        "vpxord %xmm28, %xmm28, %xmm28\n\tvpxord %xmm29, %xmm29, %xmm29\n\t"
        "vpxord %xmm30, %xmm30, %xmm30\n\tvpxord %xmm31, %xmm31, %xmm31");
  }
#endif
}

// The caller-saved general registers may still hold eight bytes of a key
// schedule or a digest; a function running after ScrubStack that spills one
// of them (the exit path does) would write them to the stack again. The
// callee-saved ones get back the caller's own values on return.
void ClearGeneralRegisters() {
#if defined(__x86_64__)
  __asm__ __volatile__(
      "xorl %%eax, %%eax\n\txorl %%ecx, %%ecx\n\txorl %%edx, %%edx\n\t"
      "xorl %%esi, %%esi\n\txorl %%edi, %%edi\n\txorl %%r8d, %%r8d\n\t"
      "xorl %%r9d, %%r9d\n\txorl %%r10d, %%r10d\n\txorl %%r11d, %%r11d" ::
          : "rax", "rcx", "rdx", "rsi", "rdi", "r8", "r9", "r10", "r11", "cc");
#endif
}

// Fills the pages of [Begin, End) that the process has touched. A stack
// page never touched holds nothing but the zeros it will get, and filling it
// would cost a page fault on every start of the tool; a page outside any
// mapping (below the stack's lowest use) holds nothing at all. Where the
// system cannot tell, the page is filled.
void FillTouchedPages(unsigned char* begin, unsigned char* end) {
  const long pageSize = ::sysconf(_SC_PAGESIZE);
  if (pageSize <= 0) {
    SecureFill(begin, static_cast<std::size_t>(end - begin), 0);
    return;
  }
  const auto pageMask = ~(static_cast<std::uintptr_t>(pageSize) - 1);
  unsigned char* page = begin - (reinterpret_cast<std::uintptr_t>(begin) & ~pageMask);
  for (; page < end; page += pageSize) {
    unsigned char resident = 1;
    if (::mincore(page, static_cast<std::size_t>(pageSize), &resident) != 0) {
      if (errno == ENOMEM) continue;
      resident = 1;
    }
    if (!(resident & 1)) continue;
    unsigned char* from = std::max(page, begin);
    unsigned char* to = std::min(page + pageSize, end);
    SecureFill(from, static_cast<std::size_t>(to - from), 0);
  }
}

}  // namespace

// Not inlined, so the area lies below the caller's frame and not in it.
__attribute__((noinline)) void ScrubStack() {
  unsigned char area[StackScrubSize];
  FillTouchedPages(area, area + sizeof area);
  ClearVectorRegisters();
  ClearGeneralRegisters();
}

}  // namespace hushlake
