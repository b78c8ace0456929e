#pragma once

// What board-probe must print of a sketch whose loop() shows steps: its run
// lines, one whole pass and the first scan of the next, or the first scanLimit scans.

#include "generator/DisplayProgram.h"

#include <QStringList>

struct ProbedRuns
{
    long scans = 0;
    QStringList lines;
};

inline ProbedRuns probedRuns(std::vector<DisplayStep> steps, long scanLimit = 0)
{
    steps.push_back(steps.front());
    steps.back().scans = 1;
    ProbedRuns runs;
    for (auto step = steps.begin(); step != steps.end(); ++step) {
        runs.scans += step->scans;
        if (scanLimit > 0 && runs.scans >= scanLimit) {
            step->scans -= int(runs.scans - scanLimit);
            runs.scans = scanLimit;
            steps.erase(step + 1, steps.end());
            break;
        }
    }
    for (const FrameRun &run : frameRuns(steps)) {
        QString line = QStringLiteral("run %1").arg(run.scans);
        for (quint16 word : run.frame)
            line += QStringLiteral(" %1").arg(word, 0, 16);
        runs.lines.append(line);
    }
    return runs;
}
