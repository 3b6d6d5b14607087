#!/usr/bin/env bash
# Coverage-guided fuzzing with libFuzzer (clang, ASan and UBSan on).
# Usage: ./fuzz.sh [TARGET] [SECONDS]   run one target, or all one after the
#                                       other, for SECONDS each (default 60)
#        ./fuzz.sh --list               print the targets, one per line
# Each run starts from the committed seeds in fuzz/corpus/TARGET/ and keeps
# the new inputs it finds in .fuzz-work/TARGET/. A crash, a leak, a timeout
# (an input taking over 1 s; FUZZ_TIMEOUT=N changes that on a machine too
# busy for wall-clock times to mean much), or memory over 2 GB fails the
# run, with the input saved under .fuzz-work/findings/TARGET/. Replay one with
# build-fuzz/fuzz/fuzz_TARGET FILE; commit it to fuzz/corpus/TARGET/ once
# fixed, so ./test.sh replays it from then on.
set -euo pipefail
cd "$(dirname "$0")"

list_targets() {
  sed -n 's/^hushlake_fuzz_target(\([a-z0-9_]*\).*/\1/p' fuzz/CMakeLists.txt
}

if [ "${1:-}" = "--list" ]; then
  list_targets
  exit 0
fi
if [ "${1:-}" = "-h" ] || [ "${1:-}" = "--help" ]; then
  sed -n '2,13p' "$0" | sed 's/^# \{0,1\}//'
  exit 0
fi

targets=()
seconds=60
if [ $# -ge 1 ] && [[ "$1" =~ ^[0-9]+$ ]]; then
  seconds=$1
elif [ $# -ge 1 ]; then
  if ! list_targets | grep -qx "$1"; then
    echo "fuzz.sh: unknown target \"$1\"; the targets are:" >&2
    list_targets >&2
    exit 2
  fi
  targets=("$1")
  seconds=${2:-60}
fi
[ ${#targets[@]} -eq 0 ] && mapfile -t targets < <(list_targets)

scripts/ensure_packages.sh clang-14 libclang-rt-14-dev libfuzzer-14-dev
compiler_options=(-DCMAKE_CXX_COMPILER=clang++-14)
if command -v ccache >/dev/null; then compiler_options+=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache); fi
# Clang warns about other things than gcc: its warnings are errors here too.
cmake -S . -B build-fuzz -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DHUSHLAKE_FUZZ=ON \
  -DHUSHLAKE_WERROR=ON -DHUSHLAKE_BUILD_TESTS=OFF -DHUSHLAKE_BUILD_GUI=OFF \
  "${compiler_options[@]}" >/dev/null
cmake --build build-fuzz --target "${targets[@]/#/fuzz_}" -- -j"$(nproc)"

export ASAN_OPTIONS=${ASAN_OPTIONS:-detect_leaks=1}
export UBSAN_OPTIONS=${UBSAN_OPTIONS:-print_stacktrace=1:halt_on_error=1}
failed=()
for target in "${targets[@]}"; do
  work=.fuzz-work/$target
  findings=.fuzz-work/findings/$target
  mkdir -p "$work" "$findings"
  seeds=()
  [ -d "fuzz/corpus/$target" ] && seeds=("fuzz/corpus/$target")
  echo "== $target: ${seconds} s (log in $work.log)"
  # Inputs stay at libFuzzer's default size limit (4 KB, or the largest seed),
  # far under 1 MB, so the one-second timeout holds for every one.
  status=0
  nice -n "${FUZZ_NICE:-0}" build-fuzz/fuzz/fuzz_"$target" -max_total_time="$seconds" \
    -timeout="${FUZZ_TIMEOUT:-1}" -rss_limit_mb=2048 -print_final_stats=1 \
    -artifact_prefix="$findings/" "$work" "${seeds[@]}" >"$work.log" 2>&1 || status=$?
  grep -E '^#[0-9]+[[:space:]]+(INITED|DONE)' "$work.log" || true
  grep -E '^stat::(number_of_executed_units|slowest_unit_time_sec|peak_rss_mb)' "$work.log" || true
  if [ "$status" -ne 0 ]; then
    failed+=("$target")
    grep -E 'ERROR|SUMMARY|Test unit written|Timeout|out-of-memory|leak' "$work.log" | head -20 || true
  fi
done

if [ ${#failed[@]} -gt 0 ]; then
  echo "fuzz.sh: failures in: ${failed[*]} (inputs in .fuzz-work/findings/)" >&2
  exit 1
fi
echo "fuzz.sh: no failure in ${#targets[@]} target(s)"
