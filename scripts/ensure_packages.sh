#!/usr/bin/env bash
# Installs the Debian packages the build needs, only those that are missing,
# so a second run costs a dpkg query and nothing else.
# Usage: scripts/ensure_packages.sh [extra-package ...]
set -euo pipefail

# libpng-dev: PNG pictures are read and written through libpng.
# libsodium-dev: the key derivation and cipher of sealed pictures.
packages=(cmake g++ ninja-build pkg-config libgtest-dev libgmock-dev libcli11-dev help2man libpng-dev libsodium-dev "$@")

missing=()
for package in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed"; then
    missing+=("$package")
  fi
done
[ ${#missing[@]} -eq 0 ] && exit 0

echo "Installing missing packages: ${missing[*]}"
sudo_cmd=()
if [ "$(id -u)" -ne 0 ]; then
  if command -v sudo >/dev/null; then sudo_cmd=(sudo); else
    echo "Please install as root: apt-get install ${missing[*]}" >&2; exit 1
  fi
fi
export DEBIAN_FRONTEND=noninteractive
"${sudo_cmd[@]}" apt-get update -qq
"${sudo_cmd[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"
