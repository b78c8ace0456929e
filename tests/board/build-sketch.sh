#!/usr/bin/env bash
# Compiles a generated sketch for the ATmega2560 (Arduino Mega) against Debian's
# Arduino AVR core and links it into an ELF, as the Arduino IDE would.
#   build-sketch.sh SKETCH.ino OUT.elf
set -euo pipefail
sketch=$1
elf=$2
core=/usr/share/arduino/hardware/arduino/avr/cores/arduino
variant=/usr/share/arduino/hardware/arduino/avr/variants/mega
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

common=(-mmcu=atmega2560 -DF_CPU=16000000L -DARDUINO=10807 -DARDUINO_AVR_MEGA2560
        -DARDUINO_ARCH_AVR -Os -g -ffunction-sections -fdata-sections -I"$core" -I"$variant")
cxx=(avr-g++ "${common[@]}" -std=gnu++11 -fpermissive -fno-exceptions -fno-threadsafe-statics)

# Only what a sketch that drives the ports needs: start-up, timing, and the hooks.
avr-gcc "${common[@]}" -std=gnu11 -c "$core/wiring.c" -o "$work/wiring.o"
avr-gcc "${common[@]}" -std=gnu11 -c "$core/hooks.c" -o "$work/hooks.o"
"${cxx[@]}" -c "$core/main.cpp" -o "$work/main.o"
{
    echo '#include <Arduino.h>'
    echo '#line 1 "sketch.ino"'
    cat "$sketch"
} >"$work/sketch.cpp"
"${cxx[@]}" -c "$work/sketch.cpp" -o "$work/sketch.o"
avr-gcc -mmcu=atmega2560 -Os -Wl,--gc-sections -o "$elf" "$work"/*.o
