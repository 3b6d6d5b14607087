#!/usr/bin/env bash
# Builds Hushlake and runs every test. Exits non-zero on any failure.
# HUSHLAKE_SANITIZE=ON builds with AddressSanitizer and UBSan (what CI runs).
set -euo pipefail
cd "$(dirname "$0")"

# ImageMagick and Pillow: the PNG tests convert pictures the way users do.
scripts/ensure_packages.sh qt6-base-dev qt6-svg-dev libgl-dev imagemagick python3-pil

sanitize=${HUSHLAKE_SANITIZE:-OFF}
build_dir=build
[ "$sanitize" = ON ] && build_dir=build-sanitize

scripts/build.sh "$build_dir" -DHUSHLAKE_SANITIZE="$sanitize" -DHUSHLAKE_WERROR=ON
export ASAN_OPTIONS=${ASAN_OPTIONS:-detect_leaks=1:abort_on_error=1}
export UBSAN_OPTIONS=${UBSAN_OPTIONS:-print_stacktrace=1:halt_on_error=1}
export QT_QPA_PLATFORM=offscreen
ctest --test-dir "$build_dir" --output-on-failure -j"$(nproc)"
