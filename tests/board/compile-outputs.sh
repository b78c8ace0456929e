#!/usr/bin/env bash
# The default sketch, in both layouts, must compile and link for the ATmega2560.
#   compile-outputs.sh CLI WORKDIR
set -euo pipefail
cli=$1
work=$2
here=$(dirname "$0")
mkdir -p "$work"
for layout in code file; do
    "$cli" --layout "$layout" -o "$work/$layout.ino"
    "$here/build-sketch.sh" "$work/$layout.ino" "$work/$layout.elf"
    avr-size "$work/$layout.elf"
done
