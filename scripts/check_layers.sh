#!/usr/bin/env bash
# Keeps every include pointing down the layers (and cli/ on the job layer):
#   windows/, cli/ -> app/ -> stego/ -> framework/ -> cipher/, hash/ -> crypto/ -> platform/
# (stego/picture/ holds the BMP and PNG containers: no cipher or hash there).
# and Qt inside windows/ (and its tests). A header from another of our folders
# may be included only where the rules below allow it; "Qt" stands for any
# header whose name starts with Q. Includes of system and third-party headers
# and of files in the same folder are not checked; "../" includes are refused.
# Usage: scripts/check_layers.sh [SOURCE_ROOT]
# Exits non-zero after listing every wrong include.
set -euo pipefail
cd "${1:-$(dirname "$0")/..}"

# Folder, then the folders its files may include from. The longest matching
# folder wins, so tests/windows/ gets its own rule.
rules=(
  "platform       platform"
  "crypto         crypto platform"
  "hash           hash crypto platform"
  "cipher         cipher crypto platform"
  "framework      framework cipher hash crypto platform"
  "stego          stego framework cipher hash crypto platform"
  "stego/picture  stego crypto platform"
  "stego/analysis stego"
  "app            app stego framework cipher hash crypto platform"
  "cli            cli app framework crypto platform"
  "windows        windows app stego framework cipher hash crypto platform Qt"
  "tests          tests cli app stego framework cipher hash crypto platform"
  "tests/windows  tests windows app stego framework cipher hash crypto platform Qt"
  "bench          bench tests cli app stego framework cipher hash crypto platform"
  "fuzz           fuzz tests cli app stego framework cipher hash crypto platform"
)
our_folders=" platform crypto hash cipher framework stego app cli windows tests bench fuzz "

# A layer some files of a folder may include only in part: folder, layer,
# the files that may include all of it (a path prefix), then the headers of
# it every file may include. The command line works through the job layer
# (app/); only its algorithm commands (list, hash, selftest) reach the
# cryptographic library itself, and every file may hold keys in the owners
# that wipe them.
narrowed=(
  "cli  crypto  cli/algorithm_  crypto/secret.h crypto/secret_memory.h crypto/secure_wipe.h"
)

# Whether a file may include a header of a narrowed layer; sets $narrowed_rule.
narrow_allows() {
  local file=$1 header=$2 layer=$3 rule folder narrowed_layer prefix
  narrowed_rule=""
  for rule in "${narrowed[@]}"; do
    read -r folder narrowed_layer prefix headers <<<"$rule"
    [[ $file == "$folder"/* && $layer == "$narrowed_layer" ]] || continue
    narrowed_rule=" (in $folder/, $layer/ only from $prefix* or:$headers)"
    [[ $file == "$prefix"* || " $headers " == *" $header "* ]] && return 0
    return 1
  done
  return 0
}

# The rule of a file's folder, in $allowed (empty: the file is not checked).
find_allowed() {
  local file=$1 best="" rule folder
  allowed=""
  for rule in "${rules[@]}"; do
    folder=${rule%% *}
    if [[ $file == "$folder"/* && ${#folder} -gt ${#best} ]]; then
      best=$folder
      read -r -a allowed_list <<<"${rule#"$folder"}"
      allowed=" ${allowed_list[*]} "
    fi
  done
}

# The layer of an included header, in $layer: Qt, one of our folders, ../, or empty.
find_layer() {
  local header=$1
  layer=""
  if [[ $header == Q* ]]; then layer=Qt
  elif [[ $header == ../* ]]; then layer=../
  elif [[ $header == */* && $our_folders == *" ${header%%/*} "* ]]; then layer=${header%%/*}
  fi
}

folders=()
for rule in "${rules[@]}"; do [ -d "${rule%% *}" ] && folders+=("${rule%% *}"); done

include_pattern='^[[:space:]]*#[[:space:]]*include[[:space:]]*[<"]([^>"]*)[>"]'
status=0
while IFS=: read -r file line text; do
  [[ $text =~ $include_pattern ]] || continue
  header=${BASH_REMATCH[1]}
  find_layer "$header"
  [ -z "$layer" ] && continue
  find_allowed "$file"
  if [[ $allowed != *" $layer "* ]]; then
    echo "$file:$line: includes $header; this folder may include from:$allowed" >&2
    status=1
  elif ! narrow_allows "$file" "$header" "$layer"; then
    echo "$file:$line: includes $header$narrowed_rule" >&2
    status=1
  fi
done < <(grep -rnE --include='*.h' --include='*.cpp' "$include_pattern" "${folders[@]}" | sort -u)

[ $status -eq 0 ] && echo "Layers: every include points down."
exit $status
