#pragma once

#include "generator/DisplayProgram.h"

#include <QStringList>

// A sketch that checks a newly built matrix's wiring, driving the ports as the
// display program does. One pass of its loop(): each column alone, fully lit,
// 0 to 63; each row alone across all columns, 0 to 15; every LED; every column
// showing its own number in binary (a swapped column line shows at once); a
// checkerboard and its inverse, twice.
std::vector<DisplayStep> testPatternProgram();

// The sketch's lines, without line ends.
QStringList testPatternLines();

// The sketch as the code box would hold it: every line ending in CR LF.
QString testPatternCode();
