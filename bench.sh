#!/usr/bin/env bash
# Builds and runs the benchmarks (optimised, no sanitizers), with the peer
# libraries they compare against. Usage: ./bench.sh [benchmark-name-pattern]
set -euo pipefail
cd "$(dirname "$0")"
scripts/ensure_packages.sh libbenchmark-dev libcrypto++-dev libmhash-dev
scripts/build.sh build-bench -DCMAKE_BUILD_TYPE=Release -DHUSHLAKE_BUILD_BENCH=ON \
  -DHUSHLAKE_BUILD_TESTS=OFF -DHUSHLAKE_SANITIZE=OFF
pattern=${1:-}
for program in build-bench/bench/bench_*; do
  [ -x "$program" ] || continue
  if [ -n "$pattern" ] && [[ "$(basename "$program")" != *"$pattern"* ]]; then continue; fi
  echo "== $(basename "$program")"
  "$program" --benchmark_min_time=0.2
done
