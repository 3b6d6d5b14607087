#!/usr/bin/env bash
# Builds Hushlake and starts the desktop application. Without the desktop
# application or without a display it runs a short command-line demonstration.
set -euo pipefail
cd "$(dirname "$0")"

scripts/ensure_packages.sh qt6-base-dev qt6-svg-dev libgl-dev
# Only what runs here; the tests build in the same tree when ./test.sh asks for them.
scripts/build.sh build -DHUSHLAKE_SANITIZE=OFF --target hushlake-cli --target hushlake

if [ -x build/windows/hushlake ] && { [ -n "${DISPLAY:-}" ] || [ -n "${WAYLAND_DISPLAY:-}" ]; }; then
  exec build/windows/hushlake "$@"
fi

if [ ! -x build/windows/hushlake ]; then
  echo "The desktop application is not built yet; here is the command-line tool instead."
else
  echo "No display found; here is the command-line tool instead."
fi
echo
exec build/cli/hushlake-cli demo
