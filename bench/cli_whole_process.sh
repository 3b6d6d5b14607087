#!/usr/bin/env bash
# Whole-process figures of hushlake-cli beside steghide: wall time, processor
# time and peak memory of
#   cat of the picture (reading it from the page cache: the floor of decrypt),
#   cp of the picture, also flushed to disk as the tool flushes its output
#   (the floor of encrypt),
#   hushlake-cli capacity, encrypt and decrypt (into a file, and printed),
#   steghide embed and extract,
# on BMP pictures of 4000 x 3000 at 24, 32 and 8 bits, 1920 x 1080 and
# 640 x 480 at 24 bits, with a 10 KB text, and a 1 MB text on the large
# 24-bit picture. Each step runs REPS times (default 5); the median is shown.
# A step a tool refuses (steghide has no 32-bit BMP) shows as "n/a".
# Decrypt's speed depends on the key (its positions sweep the whole picture
# or a band of it), so the large 24-bit picture is also read with KEYS keys
# (default 7, at least 5): the median key and the spread over keys are shown,
# beside cat and steghide extract of the same run; key 1 also reads a copy
# of its picture made by cp (see run_keys).
#
# Run from anywhere:   bench/cli_whole_process.sh        (REPS=9 bench/cli_whole_process.sh)
# Only the keys part:  ONLY=keys bench/cli_whole_process.sh
# Nothing else calls it. It builds the tool as ./run.sh does (the default build type,
# RelWithDebInfo) in build-bench-cli/ and
# installs steghide when it is missing (as root or via sudo).
set -euo pipefail
cd "$(dirname "$0")/.."
reps=${REPS:-5}
keys=${KEYS:-7}
if [ "$keys" -lt 5 ]; then keys=5; fi

scripts/ensure_packages.sh steghide
launcher=()
if command -v ccache >/dev/null; then launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache); fi
cmake -S . -B build-bench-cli -G Ninja "${launcher[@]}" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DHUSHLAKE_BUILD_TESTS=OFF \
  -DHUSHLAKE_BUILD_BENCH=OFF -DHUSHLAKE_BUILD_GUI=OFF -DHUSHLAKE_SANITIZE=OFF >/dev/null
cmake --build build-bench-cli --target hushlake-cli -- -j"${JOBS:-$(nproc)}"
cli=$PWD/build-bench-cli/cli/hushlake-cli
measure_process=$PWD/build-bench-cli/measure_process
if [ ! -x "$measure_process" ] || [ bench/measure_process.cpp -nt "$measure_process" ]; then
  c++ -std=c++20 -O2 -Wall -Wextra -Werror bench/measure_process.cpp -o "$measure_process"
fi

work=$(mktemp -d "${TMPDIR:-/tmp}/hushlake-bench.XXXXXX")
trap 'rm -rf "$work"' EXIT
cd "$work"

# Little-endian fields of the BMP header, as octal escapes for printf.
le() {  # value, byte count
  local value=$1 count=$2 out=""
  for ((i = 0; i < count; i++)); do
    out+=$(printf '\\%03o' $(((value >> (8 * i)) & 255)))
  done
  printf '%s' "$out"
}
# A BMP of random pixels (8 bits: a palette of 256 random colours).
make_bmp() {  # width height bits
  local width=$1 height=$2 bits=$3
  local stride=$(((width * bits + 31) / 32 * 4))
  local palette=0
  if [ "$bits" = 8 ]; then palette=1024; fi
  local offset=$((54 + palette)) pixel_bytes=$((stride * height))
  printf "BM$(le $((offset + pixel_bytes)) 4)$(le 0 4)$(le $offset 4)"
  printf "$(le 40 4)$(le "$width" 4)$(le "$height" 4)$(le 1 2)$(le "$bits" 2)$(le 0 4)"
  printf "$(le $pixel_bytes 4)$(le 2835 4)$(le 2835 4)$(le 0 4)$(le 0 4)"
  head -c $((palette + pixel_bytes)) /dev/urandom
}

for ((line = 0; line < 13000; line++)); do
  echo "Line $line: the quick brown fox jumps over the lazy dog, and the key stays secret."
done >long.txt
head -c 10240 long.txt >text10k.txt
head -c 1048576 long.txt >text1m.txt
echo "a long enough key for the benchmark" >key.txt

ratio() { awk -v a="$1" -v b="$2" 'BEGIN { if (b == 0) print "inf"; else printf "%.2f", a / b }'; }

median() { printf '%s\n' "$@" | sort -n | sed -n "$((($# + 1) / 2))p"; }
in_ms() { awk -v us="$1" 'BEGIN { printf "%.1f", us / 1000 }'; }

# Median wall time, processor time (both ms, to 0.1) and peak
# memory (KB) of REPS runs of the command, as one table line. The times are
# the command's own process, from its start to its exit (measure_process):
# no shell or timing tool start-up is in them. On a busy machine the wall
# time also holds the waits for a processor; the processor time does not.
# Sets last_ms (the median wall time) for ratios.
measure() {
  local label=$1
  shift
  local times=() processor=() memories=()
  for ((r = 0; r < reps; r++)); do
    if ! "$measure_process" usage.txt "$@" >/dev/null 2>run.err; then
      printf '| %-34s | %9s | %9s | %9s | %6s |\n' "$label" n/a n/a n/a n/a
      last_ms=0
      return
    fi
    read -r wall cpu memory <usage.txt
    last_kb=$memory
    times+=("$wall")
    memories+=("$memory")
    processor+=("$cpu")
  done
  last_ms=$(in_ms "$(median "${times[@]}")")
  local memory_kb
  memory_kb=$(median "${memories[@]}")
  last_kb=$memory_kb
  printf '| %-34s | %9s | %9s | %9s | %6s |\n' "$label" "$last_ms" "$(in_ms "$(median "${processor[@]}")")" \
    "$memory_kb" "$(ratio "$memory_kb" "$picture_kb")"
}

beside_steghide() {  # extract_ms decrypt_ms; steghide has no 32-bit BMP
  if [ "$1" = 0 ]; then
    echo "steghide cannot read this picture"
  else
    echo "$(ratio "$1" "$2") x faster than steghide extract"
  fi
}

run_picture() {  # name width height bits text
  local name=$1 width=$2 height=$3 bits=$4 text=$5
  make_bmp "$width" "$height" "$bits" >picture.bmp
  picture_kb=$(($(stat -c %s picture.bmp) / 1024))
  echo
  echo "### $name: ${width} x ${height}, ${bits} bits, ${picture_kb} KB; text $(stat -c %s "$text") bytes"
  echo
  printf '| %-34s | %9s | %9s | %9s | %6s |\n' Step "wall ms" "cpu ms" "peak KB" "x pic"
  echo "|------------------------------------|-----------|-----------|-----------|--------|"
  measure "cat (floor of decrypt)" cat picture.bmp
  local cat_ms=$last_ms
  measure "cp" cp picture.bmp copy.bmp
  measure "cp, flushed (floor of encrypt)" dd if=picture.bmp of=copy.bmp bs=4M conv=fsync status=none
  local flushed_ms=$last_ms
  measure "hushlake capacity" "$cli" capacity --in picture.bmp
  measure "hushlake encrypt" "$cli" encrypt --in picture.bmp --out hidden.bmp --text-file "$text" \
    --key-file key.txt --force
  local encrypt_ms=$last_ms
  # Into a file as steghide extracts into one, though saved as every file is
  # (flushed, then renamed); and printed, as cat's output, to /dev/null.
  measure "hushlake decrypt, into a file" "$cli" decrypt --in hidden.bmp --key-file key.txt \
    --out back.txt --force
  local decrypt_ms=$last_ms
  measure "hushlake decrypt, printed" "$cli" decrypt --in hidden.bmp --key-file key.txt
  local printed_ms=$last_ms
  # No stego picture of an earlier step may stand in for one steghide refused.
  rm -f stego.bmp
  measure "steghide embed" steghide embed -cf picture.bmp -ef "$text" -p pass -sf stego.bmp -f -q
  measure "steghide extract" steghide extract -sf stego.bmp -p pass -xf extracted.txt -f -q
  local extract_ms=$last_ms
  if [ "$bits" != 8 ]; then "$cli" decrypt --in hidden.bmp --key-file key.txt 2>/dev/null | cmp - "$text"; fi
  echo
  echo "encrypt: $(ratio "$encrypt_ms" "$flushed_ms") x the flushed copy;" \
    "decrypt printed: $(ratio "$printed_ms" "$cat_ms") x cat; decrypt into a file:" \
    "$(beside_steghide "$extract_ms" "$decrypt_ms")"
}

# Decrypt of the same text hidden with each of KEYS keys: the figures of the
# median key, and the spread (fastest and slowest key) of the median times.
run_keys() {  # name width height bits text
  local name=$1 width=$2 height=$3 bits=$4 text=$5
  make_bmp "$width" "$height" "$bits" >picture.bmp
  picture_kb=$(($(stat -c %s picture.bmp) / 1024))
  echo
  echo "### $name: ${width} x ${height}, ${bits} bits, ${picture_kb} KB; text $(stat -c %s "$text") bytes; $keys keys"
  echo
  printf '| %-34s | %9s | %9s | %9s | %6s |\n' Step "wall ms" "cpu ms" "peak KB" "x pic"
  echo "|------------------------------------|-----------|-----------|-----------|--------|"
  measure "cat (floor of decrypt)" cat picture.bmp
  local cat_ms=$last_ms
  rm -f stego.bmp
  steghide embed -cf picture.bmp -ef "$text" -p pass -sf stego.bmp -f -q
  measure "steghide extract" steghide extract -sf stego.bmp -p pass -xf extracted.txt -f -q
  local extract_ms=$last_ms
  local printed=() into_file=() peak=0
  for ((k = 1; k <= keys; k++)); do
    echo "benchmark key number $k, long enough to be accepted" >key$k.txt
    "$cli" encrypt --in picture.bmp --out hidden.bmp --text-file "$text" --key-file key$k.txt \
      --force 2>/dev/null
    measure "decrypt printed, key $k" "$cli" decrypt --in hidden.bmp --key-file key$k.txt
    printed+=("$last_ms")
    if [ "$last_kb" -gt "$peak" ]; then peak=$last_kb; fi
    measure "decrypt into a file, key $k" "$cli" decrypt --in hidden.bmp --key-file key$k.txt \
      --out back.txt --force
    into_file+=("$last_ms")
    cmp back.txt "$text"
    # The page cache keeps a picture in pieces as large as the writes that
    # made it: hushlake's own saves leave huge pages, cp leaves small ones,
    # through which scattered reads walk many more page tables.
    if [ "$k" = 1 ]; then
      cp hidden.bmp copied.bmp
      measure "decrypt printed, key 1, cp'd copy" "$cli" decrypt --in copied.bmp --key-file key$k.txt
    fi
  done
  local sorted_printed sorted_file
  sorted_printed=$(printf '%s\n' "${printed[@]}" | sort -n)
  sorted_file=$(printf '%s\n' "${into_file[@]}" | sort -n)
  local printed_median file_median
  printed_median=$(median "${printed[@]}")
  file_median=$(median "${into_file[@]}")
  echo
  echo "decrypt printed over $keys keys: median $printed_median ms, fastest $(head -1 <<<"$sorted_printed")," \
    "slowest $(tail -1 <<<"$sorted_printed") ms; median key $(ratio "$printed_median" "$cat_ms") x cat"
  echo "decrypt into a file over $keys keys: median $file_median ms, fastest $(head -1 <<<"$sorted_file")," \
    "slowest $(tail -1 <<<"$sorted_file") ms; median key $(beside_steghide "$extract_ms" "$file_median")"
  echo "peak memory of decrypt, largest over keys: $peak KB = $(ratio "$peak" "$picture_kb") x the picture"
}

echo "$reps runs each; median wall and processor time, peak resident memory, of the process alone (bench/measure_process.cpp)"
run_keys "24-bit large, key by key" 4000 3000 24 text10k.txt
if [ "${ONLY:-}" = keys ]; then exit 0; fi
run_picture "24-bit large" 4000 3000 24 text10k.txt
run_picture "24-bit large, 1 MB text" 4000 3000 24 text1m.txt
run_picture "32-bit large" 4000 3000 32 text10k.txt
run_picture "8-bit large" 4000 3000 8 text10k.txt
run_picture "24-bit full HD" 1920 1080 24 text10k.txt
run_picture "24-bit VGA" 640 480 24 text10k.txt
