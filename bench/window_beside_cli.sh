#!/usr/bin/env bash
# The desktop window's round trip beside the command-line tool's, on a
# 4000 x 3000 24-bit picture with a 10,000-character text, in one run:
#   window: Open Img, Encrypt, Save Img, Open the saved picture, Decrypt,
#           timed inside the process (tests/windows/bench_window.cpp);
#   tool:   hushlake-cli encrypt, then decrypt, each a whole process.
# Each side runs RUNS times (default 5); the median round trip is shown, in
# wall and processor time. On a busy machine the wall time
# also holds the waits for a processor; the processor time does not.
# Usage: bench/window_beside_cli.sh [BUILD_DIR] [RUNS]   (default build, 5)
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build} runs=${2:-5}
cmake --build "$build" --target bench_window hushlake-cli -- -j"${JOBS:-2}" >/dev/null
cli=$PWD/$build/cli/hushlake-cli window=$PWD/$build/tests/windows/bench_window

work=$(mktemp -d "${TMPDIR:-/tmp}/hushlake-bench.XXXXXX")
trap 'rm -rf "$work"' EXIT
cd "$work"
python3 - <<'EOF'
import os, random, struct
width, height = 4000, 3000
stride = (width * 3 + 3) // 4 * 4
header = b"BM" + struct.pack("<IHHI", 54 + stride * height, 0, 0, 54)
header += struct.pack("<IiiHHIIiiII", 40, width, height, 1, 24, 0, stride * height, 2835, 2835, 0, 0)
open("picture.bmp", "wb").write(header + os.urandom(stride * height))
random.seed(5)
open("text.txt", "w").write("".join(chr(97 + random.randrange(26)) for _ in range(10000)))
EOF
echo "a key for the figures" >key.txt
chmod 600 key.txt

median() { printf '%s\n' "$@" | sort -n | sed -n "$((($# + 1) / 2))p"; }

# Wall ms and processor ms of one command, as "WALL CPU": from perf where
# it is installed (the processor time to the microsecond), else from date
# and GNU time (in steps of 10 ms).
timed() {
  if command -v perf >/dev/null; then
    perf stat -x, -e task-clock,duration_time -o usage.txt "$@" >/dev/null 2>run.err
    awk -F, '/task-clock/ { cpu = $1 } /duration_time/ { wall = $1 / 1e6 }
      END { printf "%.1f %.1f\n", wall, cpu }' usage.txt
    return
  fi
  local start end
  start=$(date +%s%N)
  /usr/bin/time -f '%U %S' -o usage.txt "$@" >/dev/null 2>run.err
  end=$(date +%s%N)
  awk -v w=$(((end - start) / 1000)) '{ printf "%.1f %.1f\n", w / 1000, ($1 + $2) * 1000 }' usage.txt
}

window_wall=() window_cpu=() cli_wall=() cli_cpu=()
for ((i = 0; i < runs; i++)); do
  read -r wall cpu < <(QT_QPA_PLATFORM=offscreen "$window" 2>/dev/null |
    awk '/^Round trip/ { print $3, $6 }')
  window_wall+=("$wall") window_cpu+=("$cpu")
  read -r encrypt_wall encrypt_cpu < <(timed "$cli" -q encrypt --in picture.bmp --out hidden.bmp \
    --text-file text.txt --key-file key.txt --force)
  read -r decrypt_wall decrypt_cpu < <(timed "$cli" -q decrypt --in hidden.bmp \
    --key-file key.txt --out back.txt --force)
  cmp -s back.txt text.txt || { echo "the tool's text came back changed" >&2; exit 1; }
  cli_wall+=("$(awk -v a="$encrypt_wall" -v b="$decrypt_wall" 'BEGIN { print a + b }')")
  cli_cpu+=("$(awk -v a="$encrypt_cpu" -v b="$decrypt_cpu" 'BEGIN { print a + b }')")
done

ww=$(median "${window_wall[@]}") wc=$(median "${window_cpu[@]}")
cw=$(median "${cli_wall[@]}") cc=$(median "${cli_cpu[@]}")
echo "$runs runs each, median round trip (rough figures on a shared machine)"
printf '| %-28s | %9s | %9s |\n' Side "wall ms" "cpu ms"
echo "|------------------------------|-----------|-----------|"
printf '| %-28s | %9s | %9s |\n' "window (5 steps)" "$ww" "$wc"
printf '| %-28s | %9s | %9s |\n' "hushlake-cli encrypt+decrypt" "$cw" "$cc"
awk -v a="$ww" -v b="$cw" -v c="$wc" -v d="$cc" \
  'BEGIN { printf "window / tool: %.2f x wall, %.2f x processor\n", a / b, (d > 0 ? c / d : 0) }'
