#pragma once

#include "canvas/CanvasFont.h"
#include "generator/DisplayProgram.h"

#include <QString>
#include <QStringList>

#include <vector>

// A sign show: scenes played one after another, over and over, each a text
// with an effect. Time is counted in scans of the matrix, as the board counts it.
enum class Effect { Blink, ScrollUp, ScrollDown, RunLeft, RunRight, Pages };

// The effects by the names show files give them, in the order above.
const QStringList &effectNames();
// Scans a step when a scene says none; for blink, the lit part.
int defaultScans(Effect effect);

struct Scene
{
    QString text;
    Effect effect = Effect::RunLeft;
    int scans = defaultScans(Effect::RunLeft);
    int off = 51;   // blink only: the dark scans after each lit part
    int repeat = 1; // how often the scene plays; blink's default is 3
    bool operator==(const Scene &) const = default;
};

struct Show
{
    static constexpr int kMaxBrightness = 8;

    QString face = kFaceMing;
    bool bold = false;
    bool italic = false;
    int brightness = kMaxBrightness; // 1..8: eighths of the classic sketch's 100 µs lit time
    std::vector<Scene> scenes;
    bool operator==(const Show &) const = default;
};

// The classic sketch's show as scenes: the title blinks three times and
// scrolls up into place, then the text runs left.
Show classicShow(const QString &title, const QString &text, const CanvasFont &font);

// A scene's text drawn as the classic scroll text is, as column words, up to
// the last lit column: its width W is the size.
using SceneColumns = std::vector<quint16>;

// One pass of the show: every scene's steps, in order, its repeats included.
// sceneStarts, when given, receives the index of each scene's first step.
std::vector<DisplayStep> showProgram(const Show &show, const std::vector<SceneColumns> &columns,
                                     std::vector<std::size_t> *sceneStarts = nullptr);

// The steps of one play of a scene.
std::vector<DisplayStep> sceneSteps(const Scene &scene, const SceneColumns &columns);
