#!/usr/bin/env bash
# Covers and stego pictures from real photographs, for the detectors of
# `hushlake-cli analyze`: for each photograph a 1024x768 crop at its own
# resolution (no resampling, so the sensor noise stays as it was); into each,
# 1 KB, 0.05 and 0.2 bits per colour byte of random bytes hidden four ways:
# sealed, the classic format (as a text of as many bytes, default hash, cipher
# and mode), plain LSB replacement of as many bits (made by the bench
# program) and steghide (as many bytes, uncompressed). Then the table of
# bench/sealed_detection.cpp: AUC and flagged share at 5% false alarms per
# detector and payload.
# Usage: bench/sealed_detection.sh [OUT_DIR] [COUNT]   (default build-bench/sealed-detection 40)
# Sealed pictures are made anew on every run (they are what the bench is
# for); covers, classic and steghide pictures only when missing.
# PAYLOADS (default "1kb 0.05 0.2") and SCHEMES (default "sealed classic lsb
# steghide") choose the rows, e.g. PAYLOADS="1kb 0.05" SCHEMES=sealed to weigh
# a change to the embedding alone.
# Needs: the Debian wallpaper packages (the photographs), python3-pil and
# steghide, installed here if missing.
set -euo pipefail
cd "$(dirname "$0")/.."
out=${1:-build-bench/sealed-detection}
count=${2:-40}
scripts/ensure_packages.sh python3-pil steghide desktop-base plasma-workspace-wallpapers \
  lomiri-wallpapers ukui-wallpapers
scripts/build.sh build-bench -DCMAKE_BUILD_TYPE=Release -DHUSHLAKE_BUILD_BENCH=ON \
  -DHUSHLAKE_BUILD_TESTS=OFF -DHUSHLAKE_SANITIZE=OFF --target hushlake-cli --target sealed_detection
cli=$PWD/build-bench/cli/hushlake-cli
read -r -a payloads <<<"${PAYLOADS:-1kb 0.05 0.2}"
schemes=" ${SCHEMES:-sealed classic lsb steghide} "
has() { [[ $schemes == *" $1 "* ]]; }
for payload in "${payloads[@]}"; do
  mkdir -p "$out/sealed-$payload" "$out/classic-$payload" "$out/steghide-$payload"
done
mkdir -p "$out/cover" "$out/cover-bmp"
key=$out/key.txt
printf 'detection bench key 1\n' >"$key"
chmod 600 "$key"

# One crop per photograph folder, largest picture first, from JPEG and PNG files.
[ -n "$(ls "$out/cover")" ] || /usr/bin/python3 - "$out/cover" "$count" <<'PY'
import sys, pathlib
from PIL import Image
target, count = pathlib.Path(sys.argv[1]), int(sys.argv[2])
files = []
for root in ("/usr/share/backgrounds", "/usr/share/wallpapers"):
    files += [p for p in pathlib.Path(root).rglob("*") if p.suffix.lower() in (".jpg", ".jpeg", ".png")]
seen, made = set(), 0
for path in sorted(files, key=lambda p: -p.stat().st_size):
    group = path.parent.parent if path.parent.name.startswith("images") else path
    if group in seen:
        continue
    try:
        picture = Image.open(path).convert("RGB")
    except Exception:
        continue
    if picture.width < 1024 or picture.height < 768:
        continue
    seen.add(group)
    left, top = (picture.width - 1024) // 2, (picture.height - 768) // 2
    picture.crop((left, top, left + 1024, top + 768)).save(target / f"{made:03d}.png")
    made += 1
    if made == count:
        break
print(f"{made} covers from {len(files)} files")
PY

colour_bytes=$((1024 * 768 * 3))
payload_bytes() {
  case $1 in
    1kb) echo 1024 ;;
    # Sealed bits = 8 * (packed + 16); random bytes pack into about 11 more.
    0.05) echo $((colour_bytes / 20 / 8 - 16 - 11)) ;;
    0.2) echo $((colour_bytes / 5 / 8 - 16 - 11)) ;;
  esac
}
for cover in "$out"/cover/*.png; do
  name=$(basename "$cover" .png)
  # steghide reads BMP, not PNG: the same pixels as a 24-bit BMP.
  bmp=$out/cover-bmp/$name.bmp
  [ -f "$bmp" ] || /usr/bin/python3 -c 'import sys; from PIL import Image
Image.open(sys.argv[1]).convert("RGB").save(sys.argv[2])' "$cover" "$bmp"
  for payload in "${payloads[@]}"; do
    bytes=$(payload_bytes "$payload")
    head -c "$bytes" /dev/urandom >"$out/payload.bin"
    has sealed && "$cli" -q encrypt --sealed "$cover" --file "$out/payload.bin" \
      -o "$out/sealed-$payload/$name.png" -k "$key" --force
    if has classic && [ ! -f "$out/classic-$payload/$name.png" ]; then
      # A text of as many bytes: random bytes in base 64, cut to length.
      head -c $(((bytes + 3) / 4 * 3)) /dev/urandom | base64 -w 0 >"$out/text.txt"
      head -c "$bytes" "$out/text.txt" |
        "$cli" -q encrypt "$cover" -o "$out/classic-$payload/$name.png" -k "$key" -f
    fi
    if has steghide && [ ! -f "$out/steghide-$payload/$name.bmp" ]; then
      steghide embed -q -f -Z -cf "$bmp" -ef "$out/payload.bin" -sf "$out/steghide-$payload/$name.bmp" \
        -p "detection bench key 1" || echo "steghide refused $payload in $name" >&2
    fi
  done
done
echo "Covers in $out/cover; stego pictures in $out/{sealed,classic,steghide}-{1kb,0.05,0.2}"

rows=()
for payload in "${payloads[@]}"; do
  case $payload in
    1kb) label="1 KB" lsb=8192 ;;
    *) label="$payload bpc" lsb=$payload ;;
  esac
  has sealed && rows+=("Sealed, $label=$out/sealed-$payload")
  has classic && rows+=("Classic, $label=$out/classic-$payload")
  has lsb && rows+=("LSB replacement, $label=lsb:$lsb")
  has steghide && rows+=("steghide, $label=$out/steghide-$payload")
done
build-bench/bench/sealed_detection "$out/cover" "${rows[@]}"
