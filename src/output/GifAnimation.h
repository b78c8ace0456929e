#pragma once

#include "generator/DisplayProgram.h"
#include "output/LedPicture.h"

#include <QString>

#include <vector>

// One picture of the animation and how long it stays.
struct GifStep
{
    LedFrame frame;
    double milliseconds;
};

// The steps as a looping animated GIF, pitch pixels a LED. Delays are kept in
// GIF's hundredths of a second without letting rounding drift build up.
QByteArray ledGif(const std::vector<GifStep> &steps, int pitch);

// A pass of the display program at the board's timing, as the preview saves it.
QByteArray displayGif(const std::vector<DisplayStep> &program);
