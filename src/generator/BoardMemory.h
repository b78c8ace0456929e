#pragma once

#include "generator/SketchData.h"

// The ATmega2560's SRAM, where the sketch keeps its arrays.
inline constexpr int kBoardSramBytes = 8192;
// The flash a sketch may fill: the bootloader does not erase the pages from
// here up before writing them.
inline constexpr int kBoardFlashLimit = 0x3C000;

// What the sketch needs beside its arrays, measured on the sketch as the
// board job links it (with LTO) and on its simulated run: the deepest stack
// (15 bytes with Debian 12's avr-gcc 5.4, 14 with Debian 13's avr-gcc 14), and
// the Arduino core's and the sketch's other variables (the same with both).
inline constexpr int kSketchStackBytes = 15;
inline constexpr int kSketchFixedSramBytes = 15 + kSketchStackBytes;

// The SRAM the sketch for data needs: arrays a and b of 64 words, c of 64 + slen
// words, and the fixed part.
int sketchSramBytes(const SketchData &data);
