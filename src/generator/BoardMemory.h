#pragma once

#include "generator/SketchData.h"

// The ATmega2560's SRAM, where the sketch keeps its arrays.
inline constexpr int kBoardSramBytes = 8192;

// What the sketch needs beside its arrays, measured on the linked sketch and
// its simulated run: the Arduino core's variables and the deepest stack.
inline constexpr int kSketchFixedSramBytes = 40;

// The SRAM the sketch for data needs: arrays a and b of 64 words, c of 64 + slen
// words, and the fixed part.
int sketchSramBytes(const SketchData &data);
