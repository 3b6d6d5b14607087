#!/usr/bin/env bash
# Checks that every C++ file in the repository is formatted as .clang-format
# says. Exits non-zero listing the files that differ; clang-format-14 -i FILE
# fixes one.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/ensure_packages.sh clang-format-14

# One clang-format run over every file; each difference is reported as FILE:LINE:COLUMN: ...
mapfile -t unformatted < <(git ls-files -z '*.cpp' '*.h' |
  xargs -0 clang-format-14 --dry-run 2>&1 | grep -oE '^[^:]+:[0-9]+:[0-9]+: (warning|error)' |
  cut -d: -f1 | sort -u)

if [ ${#unformatted[@]} -gt 0 ]; then
  echo "Not formatted as .clang-format says (clang-format-14 -i FILE ... fixes them):" >&2
  printf '  %s\n' "${unformatted[@]}" >&2
  exit 1
fi
echo "Formatting: every C++ file matches .clang-format."
