#pragma once
// Helpers for writing a compression function's steps once and having the
// compiler lay them out fully unrolled: each step is a template on its number,
// so the message index, rotation and constant of that step are immediate
// operands, and the working variables (a small local array indexed only by
// constants) stay in registers.
#include <cstddef>
#include <cstdint>
#include <utility>

#define HUSHLAKE_ALWAYS_INLINE [[gnu::always_inline]] inline

namespace hushlake::unrolled {

// Which of N working variables plays role R (0 = A, 1 = B, ...) in step I,
// when every step moves the roles one place on instead of moving values.
template <int N>
constexpr int Role(int step, int role) {
  return (N - step % N + role) % N;
}

// Runs Step<First + I>(args...) for I = 0 .. Count-1, in order.
template <template <int> class Step, int First, class... Args, std::size_t... I>
HUSHLAKE_ALWAYS_INLINE void RunSteps(std::index_sequence<I...>, Args&... args) {
  (Step<First + static_cast<int>(I)>::Run(args...), ...);
}

template <template <int> class Step, int First, int Count, class... Args>
HUSHLAKE_ALWAYS_INLINE void Steps(Args&... args) {
  RunSteps<Step, First>(std::make_index_sequence<Count>{}, args...);
}

}  // namespace hushlake::unrolled
