#!/usr/bin/env bash
# Covers and sealed pictures from real photographs, for the detectors of
# `hushlake-cli analyze`: for each photograph a 1024x768 crop at its own
# resolution (no resampling, so the sensor noise stays as it was), sealed with
# 1 KB, 0.05 and 0.2 bits per colour byte of random bytes; then the table of
# bench/sealed_detection.cpp (AUC and flagged share at 5% false alarms per
# detector, beside plain LSB replacement of as many bits).
# Usage: bench/sealed_detection.sh [OUT_DIR] [COUNT]   (default build-bench/sealed-detection 40)
# Needs: Debian wallpaper packages (photographs under /usr/share/backgrounds or
# /usr/share/wallpapers) and python3-pil, installed here if missing.
set -euo pipefail
cd "$(dirname "$0")/.."
out=${1:-build-bench/sealed-detection}
count=${2:-40}
scripts/ensure_packages.sh python3-pil
[ -d /usr/share/wallpapers ] || [ -d /usr/share/backgrounds ] ||
  scripts/ensure_packages.sh desktop-base
scripts/build.sh build-bench -DCMAKE_BUILD_TYPE=Release -DHUSHLAKE_BUILD_BENCH=ON \
  -DHUSHLAKE_BUILD_TESTS=OFF -DHUSHLAKE_SANITIZE=OFF --target hushlake-cli --target sealed_detection
cli=$PWD/build-bench/cli/hushlake-cli
mkdir -p "$out/cover" "$out/1kb" "$out/0.05" "$out/0.2"
key=$out/key.txt
printf 'detection bench key 1\n' >"$key"
chmod 600 "$key"

# One crop per photograph folder, largest picture first, from JPEG and PNG files.
/usr/bin/python3 - "$out/cover" "$count" <<'PY'
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
for cover in "$out"/cover/*.png; do
  name=$(basename "$cover")
  for payload in 1kb 0.05 0.2; do
    case $payload in
      1kb) bytes=1024 ;;
      # Sealed bits = 8 * (packed + 16); random bytes pack into about 11 more.
      0.05) bytes=$((colour_bytes / 20 / 8 - 16 - 11)) ;;
      0.2) bytes=$((colour_bytes / 5 / 8 - 16 - 11)) ;;
    esac
    head -c "$bytes" /dev/urandom >"$out/payload.bin"
    "$cli" -q encrypt --sealed "$cover" --file "$out/payload.bin" -o "$out/$payload/$name" \
      -k "$key" --force
  done
done
echo "Covers in $out/cover; sealed pictures in $out/1kb, $out/0.05 and $out/0.2"

build-bench/bench/sealed_detection "$out/cover" "Sealed, 1 KB=$out/1kb" \
  "Sealed, 0.05 bpc=$out/0.05" "Sealed, 0.2 bpc=$out/0.2"
