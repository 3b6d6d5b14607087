#!/usr/bin/env bash
# Configures (once) and builds one build tree. Used by test.sh, run.sh and bench.sh.
# Usage: scripts/build.sh BUILD_DIR [cmake options ...]
set -euo pipefail
cd "$(dirname "$0")/.."
build_dir=$1
shift
# A compiler cache makes rebuilds after switching branches or worktrees cheap.
if command -v ccache >/dev/null; then set -- -DCMAKE_CXX_COMPILER_LAUNCHER=ccache "$@"; fi
if [ ! -f "$build_dir/build.ninja" ]; then
  cmake -S . -B "$build_dir" -G Ninja "$@" >/dev/null
else
  cmake "$build_dir" "$@" >/dev/null
fi
cmake --build "$build_dir" -- -j"$(nproc)"
