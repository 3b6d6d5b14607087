#!/usr/bin/env bash
# Time from process start until the main window has been shown, on a
# virtual X display: the application quits as soon as its window is up
# (HUSHLAKE_QUIT_WHEN_SHOWN), so the whole run is an upper bound.
# Usage: bench/window_startup.sh [BUILD_DIR] [RUNS]   (default build, 10)
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build} runs=${2:-10}
display=:87
Xvfb $display -screen 0 1280x1024x24 >/dev/null 2>&1 &
xvfb=$!
trap 'kill $xvfb' EXIT
sleep 1
export DISPLAY=$display XDG_CONFIG_HOME=$(mktemp -d) HUSHLAKE_QUIT_WHEN_SHOWN=1
for ((i = 0; i < runs; i++)); do
  start=$(date +%s%N)
  "$build/windows/hushlake" 2>/dev/null
  echo $(((($(date +%s%N) - start)) / 1000000))
done | sort -n | awk '{a[NR]=$1} END {print "start-up to shown, ms: min " a[1] ", median " a[int((NR+1)/2)] ", max " a[NR]}'
