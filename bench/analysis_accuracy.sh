#!/usr/bin/env bash
# The detectors' accuracy on real photographs, and how the classic format's
# pictures fare under them. Installs the Debian wallpaper packages (the
# photographs), builds the bench program and the command-line tool, makes the
# corpus (bench/analysis_corpus.py), hides texts of 1 byte and of 10% of the
# capacity in every cover with hushlake-cli, and prints the tables.
# Usage: bench/analysis_accuracy.sh [CORPUS_DIR]   (default build-bench/analysis-corpus)
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/ensure_packages.sh libbenchmark-dev python3-pil desktop-base plasma-workspace-wallpapers \
  lomiri-wallpapers ukui-wallpapers
scripts/build.sh build-bench -DCMAKE_BUILD_TYPE=Release -DHUSHLAKE_BUILD_BENCH=ON \
  -DHUSHLAKE_BUILD_TESTS=OFF -DHUSHLAKE_SANITIZE=OFF --target analysis_accuracy --target hushlake-cli
corpus=${1:-build-bench/analysis-corpus}
cli=build-bench/cli/hushlake-cli
[ -d "$corpus/covers" ] || /usr/bin/python3 bench/analysis_corpus.py "$corpus"

# The classic format: a 1-byte text, and a text of 10% of what the picture holds.
key=$(mktemp)
chmod 600 "$key"
trap 'rm -f "$key"' EXIT
echo "analysis bench key" >"$key"
mkdir -p "$corpus/classic-1-byte" "$corpus/classic-10-percent"
for cover in "$corpus"/covers/*.bmp; do
  name=$(basename "$cover")
  [ -f "$corpus/classic-10-percent/$name" ] && continue
  printf 'x' | "$cli" -q encrypt "$cover" -o "$corpus/classic-1-byte/$name" -k "$key" -f
  longest=$("$cli" capacity "$cover" -k "$key" | sed -n 's/^Longest text: \([0-9]*\) bytes.*/\1/p')
  head -c $((longest / 10 * 3 / 4)) /dev/urandom | base64 -w 0 | head -c $((longest / 10)) |
    "$cli" -q encrypt "$cover" -o "$corpus/classic-10-percent/$name" -k "$key" -f
done

build-bench/bench/analysis_accuracy "$corpus" \
  "Classic format, 1 byte=$corpus/classic-1-byte" \
  "Classic format, 10% of capacity=$corpus/classic-10-percent"
