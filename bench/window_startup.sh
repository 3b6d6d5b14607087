#!/usr/bin/env bash
# Time from process start until the main window has been painted for the
# first time, on a virtual X display: the application quits as soon as that
# happens (HUSHLAKE_QUIT_WHEN_SHOWN), so the whole run, exit included, is an
# upper bound. The first run is cold: the program, the libraries it loads,
# the Qt plugins and the fonts are dropped from the page cache first (only
# pages no other running program maps can go). The other runs are warm.
# Usage: bench/window_startup.sh [BUILD_DIR] [RUNS]   (default build, 10)
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build} runs=${2:-10}
program=$PWD/$build/windows/hushlake
display=:87
settings=$(mktemp -d)
Xvfb $display -screen 0 1280x1024x24 >/dev/null 2>&1 &
xvfb=$!
trap 'kill $xvfb; rm -rf "$settings"' EXIT
sleep 1
export DISPLAY=$display XDG_CONFIG_HOME=$settings HUSHLAKE_QUIT_WHEN_SHOWN=1

# Wall ms and processor ms (user + system) of one start.
start_once() {
  local start end
  start=$(date +%s%N)
  /usr/bin/time -f '%U %S' -o "$XDG_CONFIG_HOME/usage" "$program" 2>/dev/null
  end=$(date +%s%N)
  read -r user system <"$XDG_CONFIG_HOME/usage"
  awk -v w=$(((end - start) / 1000000)) -v u="$user" -v s="$system" \
    'BEGIN { printf "%d %d\n", w, (u + s) * 1000 }'
}

{
  echo "$program"
  ldd "$program" | awk '$3 ~ /^\// { print $3 }'
  find /usr/lib/x86_64-linux-gnu/qt6/plugins /usr/share/fonts -type f 2>/dev/null
} | python3 -c '
import os, sys
for path in sys.stdin.read().split():
    try:
        descriptor = os.open(path, os.O_RDONLY)
    except OSError:
        continue
    os.posix_fadvise(descriptor, 0, 0, os.POSIX_FADV_DONTNEED)
    os.close(descriptor)
'
read -r cold_wall cold_cpu < <(start_once)
echo "cold start to first paint: $cold_wall ms wall, $cold_cpu ms processor"
for ((i = 0; i < runs; i++)); do start_once; done >"$XDG_CONFIG_HOME/runs"
median() { sort -n | awk '{ v[NR] = $1 } END { print v[1], v[int((NR + 1) / 2)], v[NR] }'; }
read -r min mid max < <(cut -d' ' -f1 "$XDG_CONFIG_HOME/runs" | median)
read -r _ cpu _ < <(cut -d' ' -f2 "$XDG_CONFIG_HOME/runs" | median)
echo "warm start to first paint, ms wall: min $min, median $mid, max $max; processor median $cpu"
