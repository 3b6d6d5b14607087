#!/bin/sh
# Writes the manual page from the tool's own help texts: the overview through
# help2man, and every command's help as a section of its own.
# Usage: make_man_page.sh TOOL OUTPUT
set -eu
tool=$1
output=$2
include=$output.h2m
{
  echo "[SYNOPSIS]"
  echo ".B hushlake-cli"
  printf '%s\n' '[\fIOPTIONS\fR] \fICOMMAND\fR [\fIARGUMENTS\fR]'
  echo "[COMMANDS]"
  for command in encrypt decrypt capacity hash list selftest demo; do
    echo ".SS $command"
    echo ".nf"
    "$tool" help "$command" | sed 's/\\/\\e/g; s/^\./\\\&./; s/^'"'"'/\\\&'"'"'/'
    echo ".fi"
  done
  echo "[ENVIRONMENT]"
  echo ".TP"
  echo ".B HUSHLAKE_KEY"
  echo "The key, when no --key-file is given. It is removed from the environment at"
  echo "start, so no program the tool starts can read it."
  echo "[FILES]"
  echo "A key file readable by other users is used with a warning. Text files the tool"
  echo "writes are readable by their owner only."
} > "$include"
help2man --no-info --section=1 --name="hide a text in a BMP or PNG picture and read it back" \
  --include="$include" --output="$output" "$tool"
rm -f "$include"
