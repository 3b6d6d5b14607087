// A library the secret-memory tests preload into the built tool. It never
// changes what the tool does; it watches memory going back to the allocator
// and, once the process ends, the memory still mapped, for byte strings the
// test names (a key in its encodings and what is derived from it).
//
//   HUSHLAKE_TEST_SECRET_MARKER  name:hex,name:hex,... the strings to look for;
//                                copied here and then overwritten in the
//                                environment, so the marker is never counted
//   HUSHLAKE_TEST_SECRET_REPORT  the file that receives one line per finding
//   HUSHLAKE_TEST_SECRET_TRACE   when set, a finding in freed memory also gets
//                                the call stack that freed it, and so does the
//                                first copy seen in the dead part of the stack
//   HUSHLAKE_TEST_SECRET_DUMP    when set, the memory around each copy left on
//                                the stack (saved registers show as 32-byte
//                                slots, return addresses name the frame)
// Both change the environment's size and so the stack's layout: a copy in
// dead stack may move or vanish with them.
//
// Report lines: "freed NAME SIZE" for a block that held NAME when it was
// freed, "live NAME REGION" for mapped memory that holds it at the end,
// "live-at NAME ..." where in the region, and a last line "scanned FREES
// BYTES" that shows the library was there at all.
//
// Only free() and realloc() are wrapped, and only to look: the real allocator
// does the work. Nothing here allocates, so the wrappers cannot recurse
// through the heap they watch.
#include <dlfcn.h>
#include <execinfo.h>
#include <fcntl.h>
#include <malloc.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "crypto/secure_wipe.h"

namespace {

constexpr const char* MarkerVariable = "HUSHLAKE_TEST_SECRET_MARKER";
constexpr const char* ReportVariable = "HUSHLAKE_TEST_SECRET_REPORT";
constexpr const char* TraceVariable = "HUSHLAKE_TEST_SECRET_TRACE";

constexpr int MaxNeedles = 16;  // bits of an unsigned
constexpr std::size_t MaxNeedleSize = 128;
constexpr std::size_t MaxNameSize = 24;
constexpr int MaxFindings = 256;

struct Needle {
  unsigned char bytes[MaxNeedleSize];
  std::size_t size;
  char name[MaxNameSize];
};

struct Finding {
  int needle;
  std::size_t blockSize;
};

// The probe's own state; the end-of-process scan skips it.
struct ProbeState {
  Needle needles[MaxNeedles];
  int needleCount;
  char reportPath[1024];
  bool trace;
  int reportFile;
  Finding freed[MaxFindings];
  std::atomic<int> freedCount;
  std::atomic<unsigned long> scannedFrees;
  std::atomic<unsigned long> scannedBytes;
  char mapsText[1 << 20];
};
ProbeState state;

using FreeFunction = void (*)(void*);
using ReallocFunction = void* (*)(void*, std::size_t);
std::atomic<FreeFunction> realFree{nullptr};
std::atomic<ReallocFunction> realRealloc{nullptr};
std::atomic<bool> resolving{false};
std::atomic<bool> armed{false};
thread_local bool insideProbe = false;

int HexValue(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

// "name:hex" up to End; a malformed entry is skipped.
void AddNeedle(const char* begin, const char* end) {
  const char* colon = static_cast<const char*>(std::memchr(begin, ':', end - begin));
  if (colon == nullptr || state.needleCount == MaxNeedles) return;
  Needle& needle = state.needles[state.needleCount];
  const std::size_t nameSize = std::min<std::size_t>(colon - begin, MaxNameSize - 1);
  std::memcpy(needle.name, begin, nameSize);
  needle.name[nameSize] = '\0';
  needle.size = 0;
  for (const char* p = colon + 1; p + 1 < end && needle.size < MaxNeedleSize; p += 2) {
    const int high = HexValue(p[0]);
    const int low = HexValue(p[1]);
    if (high < 0 || low < 0) return;
    needle.bytes[needle.size++] = static_cast<unsigned char>(high * 16 + low);
  }
  if (needle.size > 0) ++state.needleCount;
}

void ReadMarker() {
  char* marker = std::getenv(MarkerVariable);
  if (marker == nullptr) return;
  for (char* entry = marker; *entry != '\0';) {
    char* end = std::strchr(entry, ',');
    if (end == nullptr) end = entry + std::strlen(entry);
    AddNeedle(entry, end);
    entry = *end == ',' ? end + 1 : end;
  }
  // The variable's text sits in the process's own memory: blank it there.
  std::memset(marker, 'x', std::strlen(marker));
  unsetenv(MarkerVariable);
}

// Where a needle's tail turns up in the haystack, memmem compares the needle
// through registers, and the exit path (the dynamic linker, which calls the
// probe) spills those registers to the stack: the probe would find its own
// needles there. So every search ends by scrubbing them away again.
void ForgetNeedles() { hushlake::ScrubStack(); }

// Which needle Block holds, or -1.
int NeedleIn(const void* block, std::size_t size) {
  int found = -1;
  for (int i = 0; i < state.needleCount && found < 0; ++i) {
    const Needle& needle = state.needles[i];
    if (size >= needle.size && memmem(block, size, needle.bytes, needle.size) != nullptr) found = i;
  }
  ForgetNeedles();
  return found;
}

void WriteText(const char* text) {
  if (state.reportFile < 0) return;
  const std::size_t size = std::strlen(text);
  if (write(state.reportFile, text, size) != static_cast<ssize_t>(size)) return;
}

void TraceFinding() {
  if (!state.trace || state.reportFile < 0) return;
  void* frames[48];
  const int count = backtrace(frames, 48);
  backtrace_symbols_fd(frames, count, state.reportFile);
  WriteText("--\n");
}

// The needles Block holds, as a bit set; 0 inside the probe itself.
unsigned NeedlesIn(const void* block, std::size_t size) {
  if (!armed.load(std::memory_order_relaxed) || insideProbe || size == 0) return 0;
  insideProbe = true;
  state.scannedFrees.fetch_add(1, std::memory_order_relaxed);
  state.scannedBytes.fetch_add(size, std::memory_order_relaxed);
  unsigned held = 0;
  for (int i = 0; i < state.needleCount; ++i) {
    const Needle& needle = state.needles[i];
    if (size >= needle.size && memmem(block, size, needle.bytes, needle.size) != nullptr)
      held |= 1u << i;
  }
  ForgetNeedles();
  insideProbe = false;
  return held;
}

// Notes that a block of Size bytes went back to the allocator holding Held.
void RecordFreed(unsigned held, std::size_t size) {
  if (held == 0 || insideProbe) return;
  insideProbe = true;
  for (int i = 0; i < state.needleCount; ++i) {
    if ((held & (1u << i)) == 0) continue;
    const int slot = state.freedCount.fetch_add(1);
    if (slot < MaxFindings) state.freed[slot] = {i, size};
    if (state.trace) {
      char line[128];
      std::snprintf(line, sizeof line, "trace %s %zu\n", state.needles[i].name, size);
      WriteText(line);
      TraceFinding();
    }
  }
  insideProbe = false;
}

FreeFunction RealFree() {
  FreeFunction function = realFree.load();
  if (function != nullptr || resolving.exchange(true)) return function;
  function = reinterpret_cast<FreeFunction>(dlsym(RTLD_NEXT, "free"));
  realFree.store(function);
  resolving.store(false);
  return function;
}

ReallocFunction RealRealloc() {
  ReallocFunction function = realRealloc.load();
  if (function != nullptr) return function;
  function = reinterpret_cast<ReallocFunction>(dlsym(RTLD_NEXT, "realloc"));
  realRealloc.store(function);
  return function;
}

bool Writable(const char* permissions) { return permissions[0] == 'r' && permissions[1] == 'w'; }

// Scans [Begin, End) except the probe's own state.
int NeedleInRegion(const char* begin, const char* end) {
  const char* ownBegin = reinterpret_cast<const char*>(&state);
  const char* ownEnd = ownBegin + sizeof state;
  if (ownEnd <= begin || ownBegin >= end) return NeedleIn(begin, end - begin);
  int found = ownBegin > begin ? NeedleIn(begin, ownBegin - begin) : -1;
  if (found < 0 && ownEnd < end) found = NeedleIn(ownEnd, end - ownEnd);
  return found;
}

// Reads /proc/self/maps whole into the probe's buffer, without the heap.
bool ReadMaps() {
  const int file = open("/proc/self/maps", O_RDONLY | O_CLOEXEC);
  if (file < 0) return false;
  std::size_t used = 0;
  ssize_t count;
  while (used + 1 < sizeof state.mapsText &&
         (count = read(file, state.mapsText + used, sizeof state.mapsText - 1 - used)) > 0)
    used += static_cast<std::size_t>(count);
  close(file);
  state.mapsText[used] = '\0';
  return true;
}

// Tracing only: the first time a copy shows up in the dead part of the stack
// below the caller, tell who called.
void TraceDeadStack() {
  static bool told = false;
  if (told || insideProbe || !armed.load()) return;
  insideProbe = true;
  // Through an integer, so the compiler does not take this for an overrun of one object.
  const auto frame = reinterpret_cast<std::uintptr_t>(__builtin_frame_address(0));
  const char* top = reinterpret_cast<const char*>(frame);
  const char* bottom = reinterpret_cast<const char*>(frame - 32768);
  for (int i = 0; i < state.needleCount && !told; ++i) {
    const Needle& needle = state.needles[i];
    const char* hit =
        static_cast<const char*>(memmem(bottom, top - bottom, needle.bytes, needle.size));
    if (hit == nullptr) continue;
    told = true;
    char text[160];
    std::snprintf(text, sizeof text, "trace-stack %s at %+ld from the probe's frame\n", needle.name,
                  static_cast<long>(hit - top));
    WriteText(text);
    TraceFinding();
  }
  insideProbe = false;
}

// Where in the region each copy sits, relative to the probe's own stack frame.
void TraceLiveCopies(unsigned long begin, unsigned long end) {
  const char here = 0;
  for (int i = 0; i < state.needleCount; ++i) {
    const Needle& needle = state.needles[i];
    const char* at = reinterpret_cast<const char*>(begin);
    const char* stop = reinterpret_cast<const char*>(end);
    while (at < stop) {
      const char* hit = static_cast<const char*>(memmem(at, stop - at, needle.bytes, needle.size));
      if (hit == nullptr) break;
      if (hit < reinterpret_cast<const char*>(&state) ||
          hit >= reinterpret_cast<const char*>(&state + 1)) {
        char text[160];
        std::snprintf(text, sizeof text,
                      "live-at %s %ld below the region's end, %+ld from the probe's frame\n",
                      needle.name, static_cast<long>(stop - hit), static_cast<long>(hit - &here));
        WriteText(text);
        if (std::getenv("HUSHLAKE_TEST_SECRET_DUMP") != nullptr) {
          const auto* word = reinterpret_cast<const unsigned long*>(
              (reinterpret_cast<std::uintptr_t>(hit) & ~std::uintptr_t{7}) - 512);
          for (int w = 0; w < 160; ++w) {
            std::snprintf(text, sizeof text, "dump %+d %016lx\n", w * 8 - 512, word[w]);
            WriteText(text);
          }
        }
      }
      at = hit + 1;
    }
  }
}

// Every writable mapping still holding a needle: heap, stacks, anonymous
// memory and the writable data of every loaded file.
void ScanLiveMemory() {
  if (!ReadMaps()) return WriteText("error cannot read /proc/self/maps\n");
  for (char* line = state.mapsText; *line != '\0';) {
    char* next = std::strchr(line, '\n');
    if (next != nullptr) *next = '\0';
    unsigned long begin = 0;
    unsigned long end = 0;
    char permissions[8] = {};
    int pathAt = 0;
    if (std::sscanf(line, "%lx-%lx %7s %*s %*s %*s %n", &begin, &end, permissions, &pathAt) >= 3 &&
        Writable(permissions)) {
      const char* path = line + pathAt;
      const bool kernelPage =
          std::strcmp(path, "[vvar]") == 0 || std::strcmp(path, "[vsyscall]") == 0;
      const int found = kernelPage ? -1
                                   : NeedleInRegion(reinterpret_cast<const char*>(begin),
                                                    reinterpret_cast<const char*>(end));
      if (found >= 0) {
        char text[1200];
        std::snprintf(text, sizeof text, "live %s %s\n", state.needles[found].name,
                      *path != '\0' ? path : "[anonymous]");
        WriteText(text);
        TraceLiveCopies(begin, end);
      }
    }
    if (next == nullptr) break;
    line = next + 1;
  }
}

__attribute__((constructor)) void StartProbe() {
  ReadMarker();
  const char* report = std::getenv(ReportVariable);
  state.reportFile = -1;
  if (report != nullptr) {
    std::snprintf(state.reportPath, sizeof state.reportPath, "%s", report);
    state.reportFile = open(state.reportPath, O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0600);
  }
  state.trace = std::getenv(TraceVariable) != nullptr;
  RealFree();
  RealRealloc();
  armed.store(true);
}

__attribute__((destructor)) void EndProbe() {
  armed.store(false);
  const int findings = std::min(state.freedCount.load(), MaxFindings);
  for (int i = 0; i < findings; ++i) {
    char line[128];
    std::snprintf(line, sizeof line, "freed %s %zu\n", state.needles[state.freed[i].needle].name,
                  state.freed[i].blockSize);
    WriteText(line);
  }
  ScanLiveMemory();
  char line[128];
  std::snprintf(line, sizeof line, "scanned %lu %lu\n", state.scannedFrees.load(),
                state.scannedBytes.load());
  WriteText(line);
  if (state.reportFile >= 0) close(state.reportFile);
  state.reportFile = -1;
}

}  // namespace

extern "C" {

void free(void* block) {
  if (state.trace) TraceDeadStack();
  if (block != nullptr) {
    const std::size_t size = malloc_usable_size(block);
    RecordFreed(NeedlesIn(block, size), size);
  }
  const FreeFunction function = RealFree();
  // Only while dlsym itself is being asked for free: such a block stays allocated.
  if (function != nullptr) function(block);
}

// A block that moves is freed by the allocator inside realloc, out of reach
// of the free above: look at it first. One that shrinks in place gives back
// its tail.
void* realloc(void* block, std::size_t size) {
  if (block == nullptr) return RealRealloc()(block, size);
  const std::size_t oldSize = malloc_usable_size(block);
  const unsigned whole = NeedlesIn(block, oldSize);
  const unsigned tail =
      size < oldSize ? NeedlesIn(static_cast<const char*>(block) + size, oldSize - size) : 0;
  void* moved = RealRealloc()(block, size);
  if (moved == nullptr && size != 0) return moved;  // nothing was freed
  RecordFreed(moved != block ? whole : tail, oldSize);
  return moved;
}

}  // extern "C"
