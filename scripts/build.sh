#!/usr/bin/env bash
# Configures (once) and builds one build tree. Used by test.sh, run.sh and bench.sh.
# Usage: scripts/build.sh BUILD_DIR [cmake options ...] [--target NAME ...]
# Without --target it builds everything; with it, only the named targets this
# configuration has (the desktop application exists only where Qt 6 is found).
set -euo pipefail
cd "$(dirname "$0")/.."
build_dir=$1
shift
options=()
targets=()
while [ $# -gt 0 ]; do
  if [ "$1" = --target ]; then targets+=("$2"); shift 2; else options+=("$1"); shift; fi
done
# A compiler cache makes rebuilds after switching branches or worktrees cheap.
if command -v ccache >/dev/null; then options=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache "${options[@]}"); fi
if [ ! -f "$build_dir/build.ninja" ]; then
  cmake -S . -B "$build_dir" -G Ninja "${options[@]}" >/dev/null
else
  cmake "$build_dir" "${options[@]}" >/dev/null
fi
if [ ${#targets[@]} -eq 0 ]; then
  cmake --build "$build_dir" -- -j"$(nproc)"
  exit
fi
present=()
for target in "${targets[@]}"; do
  if ninja -C "$build_dir" -t query "$target" >/dev/null 2>&1; then present+=("$target"); fi
done
cmake --build "$build_dir" --target "${present[@]}" -- -j"$(nproc)"
