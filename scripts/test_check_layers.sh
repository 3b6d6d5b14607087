#!/usr/bin/env bash
# Plants one include at a time in a small tree and checks that
# scripts/check_layers.sh accepts the downward ones and refuses the rest.
set -euo pipefail
checker="$(cd "$(dirname "$0")" && pwd)/check_layers.sh"
tree=$(mktemp -d)
trap 'rm -rf "$tree"' EXIT

# Planted file, included header, expected verdict.
cases=(
  "stego/engine.cpp     crypto/bytes.h        pass"
  "app/logic.cpp        stego/picture.h       pass"
  "cli/main.cpp         app/ports.h           pass"
  "windows/window.cpp   <QMainWindow>         pass"
  "windows/window.cpp   app/ports.h           pass"
  "tests/windows/t.cpp  <QtTest/QtTest>       pass"
  "hash/md5.cpp         hash/block_buffering.h pass"
  "stego/engine.cpp     app/ports.h           fail"
  "crypto/bytes.cpp     stego/picture.h       fail"
  "crypto/bytes.cpp     hash/md5.h            fail"
  "hash/md5.cpp         cipher/des.h          fail"
  "app/logic.cpp        cli/arguments.h       fail"
  "app/logic.cpp        windows/window.h      fail"
  "app/logic.cpp        <QString>             fail"
  "stego/engine.h       <QtCore/QByteArray>   fail"
  "tests/app/t.cpp      <QString>             fail"
  "cli/main.cpp         windows/window.h      fail"
  "stego/engine.cpp     ../app/ports.h        fail"
  "crypto/bytes.cpp     platform/file_descriptor.h pass"
  "stego/picture/bmp/r.cpp platform/atomic_file.h pass"
  "tests/t.cpp          framework/framework.h pass"
  "platform/atomic.cpp  crypto/bytes.h        fail"
  "platform/atomic.cpp  stego/picture.h       fail"
  "framework/start.cpp  stego/picture.h       fail"
  "cipher/des.cpp       framework/framework.h fail"
  "stego/picture/bmp/r.cpp cipher/des.h       fail"
  "cli/picture_commands.cpp stego/encryptor.h fail"
  "cli/picture_commands.cpp crypto/registry.h fail"
  "cli/picture_commands.cpp crypto/secret.h   pass"
  "cli/main.cpp         crypto/secure_wipe.h  pass"
  "cli/algorithm_commands.cpp crypto/registry.h pass"
  "cli/picture_commands.cpp app/stego_job.h   pass"
  "cli/picture_commands.cpp hash/md5.h        fail"
)

failures=0
for entry in "${cases[@]}"; do
  read -r file header expected <<<"$entry"
  rm -rf "${tree:?}"/*
  mkdir -p "$tree/$(dirname "$file")"
  if [[ $header == \<* ]]; then
    echo "#include $header" >"$tree/$file"
  else
    echo "#include \"$header\"" >"$tree/$file"
  fi
  if "$checker" "$tree" >/dev/null 2>&1; then actual=pass; else actual=fail; fi
  if [ "$actual" != "$expected" ]; then
    echo "$file including $header: expected $expected, got $actual" >&2
    failures=$((failures + 1))
  fi
done

# A refusal names the file and line, so the fix is obvious.
rm -rf "${tree:?}"/*
mkdir -p "$tree/stego"
printf '#include <vector>\n#include "app/ports.h"\n' >"$tree/stego/engine.cpp"
message=$("$checker" "$tree" 2>&1) || true
if [[ $message != *"stego/engine.cpp:2: includes app/ports.h"* ]]; then
  echo "unexpected message: $message" >&2
  failures=$((failures + 1))
fi

[ $failures -eq 0 ] && echo "check_layers.sh: ${#cases[@]} planted includes judged right."
exit $((failures > 0))
