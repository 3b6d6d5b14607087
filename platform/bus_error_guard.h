#pragma once
// Keeps a bus error from ending the process while a mapped file is read: the
// error another program causes by cutting the file short under the mapping.
//
// Jumping out of the signal handler (siglongjmp) would skip the destructors
// of whatever the reader holds, secrets among them. So the handler puts a
// page of zeros where the lost page was mapped and returns: the faulting
// load runs again and sees zeros, the reader runs to its normal end, and the
// guard remembers that pages were lost, for the caller to throw away what
// the reader made of them. Faulting the pages in ahead (MAP_POPULATE) would
// not do: cutting the file short takes its pages out of every mapping.
//
// A signal's handler belongs to the whole process: guards take turns (a
// second one waits for the first to end, so a guarded reader must not take
// another), each restores the previous handler when it ends, and a bus error
// outside the guarded bytes goes to that previous handler.
#include <signal.h>

#include <cstddef>
#include <mutex>

namespace hushlake {

class BusErrorGuard {
 public:
  // Guards the Length bytes from Start, a mapping of whole pages.
  BusErrorGuard(const void* start, std::size_t length);
  ~BusErrorGuard();
  BusErrorGuard(const BusErrorGuard&) = delete;
  BusErrorGuard& operator=(const BusErrorGuard&) = delete;

  // Whether a page of the guarded bytes was lost since the guard began.
  bool PagesLost() const;

 private:
  std::unique_lock<std::mutex> turn_;
};

}  // namespace hushlake
