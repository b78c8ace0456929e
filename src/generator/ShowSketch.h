#pragma once

#include "generator/Show.h"

#include <QByteArray>
#include <QStringList>

// The sketch of a show. Its column data lives in flash, in arrays of 16 KB
// (an object may not pass 32 KB), read with far reads so that it may pass the
// first 64 KB; the loop plays the scenes as showProgram() models them, driving
// the ports as the classic sketch does.

// The sketch's lines, without line ends; columns: each scene's, as sampleScene() gives them.
QStringList showSketchLines(const Show &show, const std::vector<SceneColumns> &columns);

// The sketch in the code-box layout, as the board job compiles it: UTF-8, lines ended with CR LF.
QByteArray showSketchCode(const Show &show, const std::vector<SceneColumns> &columns);

// The flash the show needs before compiling: its column data and the program
// around it, as measured on the compiled sketch.
int showFlashBytes(const Show &show, const std::vector<SceneColumns> &columns);
