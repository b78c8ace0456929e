#pragma once

#include "generator/LineSink.h"
#include "generator/SketchData.h"

#include <QString>

// The two layouts of the sketch text. The file layout puts the head of array c
// on a line of its own.
enum class Layout { CodeBox, File };

inline constexpr char kLineEnd[] = "\r\n";

// A value as the sketch writes it: decimal after one space, " 0", " 12".
QString numberText(int value);

// Writes the whole sketch for data, one line at a time: 78 lines in the
// code-box layout, 79 in the file layout.
void writeSketch(const SketchData &data, Layout layout, LineSink &sink);
