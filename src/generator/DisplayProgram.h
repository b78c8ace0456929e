#pragma once

#include "generator/SketchData.h"

#include <QString>

#include <array>
#include <vector>

// What the sign shows at one moment: one column word for each of its 64 columns.
using LedFrame = std::array<quint16, SketchData::kTitleColumns>;

// The three parts of the sketch's loop(), the five of the wiring test's, and
// the effects of a show (with ScrollUp and Marquee, which runs left).
enum class DisplayPhase {
    BlinkTitle,
    ScrollUp,
    Marquee,
    EachColumn,
    EachRow,
    AllLit,
    ColumnNumbers,
    Checkerboard,
    Blink,
    ScrollDown,
    RunRight,
    Pages
};

// The name the sketch's comments give the phase.
QString phaseName(DisplayPhase phase);

// One picture of the display program, held for a number of scans of the matrix.
struct DisplayStep
{
    LedFrame frame;
    int scans;
    DisplayPhase phase;
    int position;  // which blink (0..2), scroll-up step (0..15) or marquee step (0..slen)
    int positions; // how many there are in the phase: 3, 16 or slen + 1
};

// One pass of the sketch's loop() for data, step by step: three times the title
// for 101 scans then dark for 51; for k = 0..15 the title shifted up by 15 - k
// rows for 11 scans; for k = 0..slen the 64 columns of c from k on for 6 scans,
// c being 64 blank columns and then the scroll columns.
std::vector<DisplayStep> displayProgram(const SketchData &data);

// One scan of all 64 columns on an ATmega2560 at 16 MHz, as measured on the
// simulated board over a pass of the default sketch: 64 times the 100 µs column
// delay, the loop around it, and the copies between steps spread over the scans.
// Other texts' passes differ by well under 0.5%.
inline constexpr double kScanMicroseconds = 6544.2;

// How long the board shows a step.
inline double stepMilliseconds(const DisplayStep &step)
{
    return step.scans * kScanMicroseconds / 1000;
}

// A frame and how many scans in a row show it.
struct FrameRun
{
    LedFrame frame;
    long scans;
    bool operator==(const FrameRun &) const = default;
};

// The steps with equal neighbouring frames merged.
std::vector<FrameRun> frameRuns(const std::vector<DisplayStep> &steps);
