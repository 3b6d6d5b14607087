#!/usr/bin/env bash
# Whole-process figures of hushlake-cli beside steghide, on a 4000 x 3000
# 24-bit BMP (36 MB) and a 10 KB text: wall time and peak memory of
#   cp of the picture (the floor: reading and writing the whole file), also
#   with the copy flushed to disk as the tool flushes its output,
#   hushlake-cli encrypt and decrypt, steghide embed and extract.
# Each step runs REPS times (default 5); the median is shown.
#
# Run from anywhere:   bench/cli_whole_process.sh        (REPS=9 bench/cli_whole_process.sh)
# Nothing else calls it. It builds the Release tool in build-bench-cli/ and
# installs steghide and GNU time when they are missing (as root or via sudo).
set -euo pipefail
cd "$(dirname "$0")/.."
reps=${REPS:-5}

scripts/ensure_packages.sh steghide time
cmake -S . -B build-bench-cli -G Ninja -DCMAKE_BUILD_TYPE=Release -DHUSHLAKE_BUILD_TESTS=OFF \
  -DHUSHLAKE_BUILD_BENCH=OFF -DHUSHLAKE_BUILD_GUI=OFF -DHUSHLAKE_SANITIZE=OFF >/dev/null
cmake --build build-bench-cli --target hushlake-cli -- -j"$(nproc)"
cli=$PWD/build-bench-cli/cli/hushlake-cli

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
width=4000 height=3000
pixel_bytes=$((width * 3 * height))  # rows of 12000 bytes need no padding
{
  printf "BM$(le $((54 + pixel_bytes)) 4)$(le 0 4)$(le 54 4)"
  printf "$(le 40 4)$(le $width 4)$(le $height 4)$(le 1 2)$(le 24 2)$(le 0 4)$(le $pixel_bytes 4)"
  printf "$(le 2835 4)$(le 2835 4)$(le 0 4)$(le 0 4)"
  head -c $pixel_bytes /dev/urandom
} >picture.bmp
for ((line = 0; line < 200; line++)); do
  echo "Line $line: the quick brown fox jumps over the lazy dog, and the key stays secret."
done >long.txt
head -c 10240 long.txt >text.txt
echo "a long enough key for the benchmark" >key.txt
picture_kb=$(( $(stat -c %s picture.bmp) / 1024 ))

ratio() { awk -v a="$1" -v b="$2" 'BEGIN { print a / b }'; }

median() { printf '%s\n' "$@" | sort -n | sed -n "$((($# + 1) / 2))p"; }

# Median wall time (ms), processor time (user + system, ms, in steps of 10)
# and peak memory (KB) of REPS runs of the command. On a busy machine the
# wall time also holds the waits for a processor; the processor time does not.
measure() {
  local label=$1
  shift
  local times=() processor=() memories=()
  for ((r = 0; r < reps; r++)); do
    local start end
    start=$(date +%s%N)
    /usr/bin/time -f '%M %U %S' -o usage.txt "$@" >/dev/null 2>run.err || { cat run.err; exit 1; }
    end=$(date +%s%N)
    times+=($(((end - start) / 1000000)))
    read -r memory user system <usage.txt
    memories+=("$memory")
    processor+=("$(awk -v u="$user" -v s="$system" 'BEGIN { printf "%d", (u + s) * 1000 }')")
  done
  local time_ms cpu_ms memory_kb
  time_ms=$(median "${times[@]}")
  cpu_ms=$(median "${processor[@]}")
  memory_kb=$(median "${memories[@]}")
  printf '%-18s %6d ms wall %6d ms processor %8d KB peak (%.2f x picture)\n' "$label" "$time_ms" \
    "$cpu_ms" "$memory_kb" "$(ratio "$memory_kb" "$picture_kb")"
  eval "result_${label//[^a-z]/_}=$time_ms"
}

echo "Picture: ${width} x ${height}, 24 bits, ${picture_kb} KB; text 10240 bytes; $reps runs each"
measure "cp" cp picture.bmp copy.bmp
# The tool flushes what it writes to disk before it renames it into place.
measure "cp, flushed" dd if=picture.bmp of=copy.bmp bs=4M conv=fsync status=none
measure "hushlake encrypt" "$cli" encrypt --in picture.bmp --out hidden.bmp --text-file text.txt \
  --key-file key.txt --force
measure "hushlake decrypt" "$cli" decrypt --in hidden.bmp --key-file key.txt --out back.txt --force
measure "steghide embed" steghide embed -cf picture.bmp -ef text.txt -p pass -sf stego.bmp -f -q
measure "steghide extract" steghide extract -sf stego.bmp -p pass -xf extracted.txt -f -q

"$cli" decrypt --in hidden.bmp --key-file key.txt 2>/dev/null | cmp - text.txt
cmp extracted.txt text.txt
echo "Both texts came back unchanged."
printf 'encrypt: %.1f x faster than steghide embed, %.2f x the cp floor (%.2f x flushed)\n' \
  "$(ratio "$result_steghide_embed" "$result_hushlake_encrypt")" \
  "$(ratio "$result_hushlake_encrypt" "$result_cp")" \
  "$(ratio "$result_hushlake_encrypt" "$result_cp__flushed")"
printf 'decrypt: %.1f x faster than steghide extract\n' \
  "$(ratio "$result_steghide_extract" "$result_hushlake_decrypt")"
