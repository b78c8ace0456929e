#include "generator/Show.h"

namespace {

constexpr int kColumns = SketchData::kTitleColumns;
constexpr int kRows = SketchData::kRows;

// Column x of the scene, dark outside its width.
quint16 columnAt(const SceneColumns &columns, long x)
{
    return x >= 0 && x < long(columns.size()) ? columns[std::size_t(x)] : 0;
}

LedFrame window(const SceneColumns &columns, long first)
{
    LedFrame frame;
    for (int j = 0; j < kColumns; ++j)
        frame[std::size_t(j)] = columnAt(columns, first + j);
    return frame;
}

} // namespace

const QStringList &effectNames()
{
    static const QStringList names{QStringLiteral("blink"),       QStringLiteral("scroll-up"),
                                   QStringLiteral("scroll-down"), QStringLiteral("run-left"),
                                   QStringLiteral("run-right"),   QStringLiteral("pages")};
    return names;
}

int defaultScans(Effect effect)
{
    switch (effect) {
    case Effect::Blink:
        return 101;
    case Effect::ScrollUp:
    case Effect::ScrollDown:
        return 11;
    case Effect::RunLeft:
    case Effect::RunRight:
        return 6;
    case Effect::Pages:
        return 154; // about a second a page
    }
    return 1;
}

namespace {

long pageCount(long width)
{
    return std::max(1L, (width + kColumns - 1) / kColumns);
}

std::size_t stepCount(const Scene &scene, long width)
{
    switch (scene.effect) {
    case Effect::Blink:
        return 2;
    case Effect::ScrollUp:
    case Effect::ScrollDown:
        return kRows;
    case Effect::RunLeft:
    case Effect::RunRight:
        return std::size_t(width + kColumns + 1);
    case Effect::Pages:
        return std::size_t(pageCount(width));
    }
    return 0;
}

// Adds one play of the scene to steps.
void addSceneSteps(const Scene &scene, const SceneColumns &columns, std::vector<DisplayStep> &steps)
{
    const long width = long(columns.size());
    const auto add = [&](const LedFrame &frame, int scans, DisplayPhase phase, long position,
                         long positions) {
        steps.push_back({frame, scans, phase, int(position), int(positions)});
    };
    switch (scene.effect) {
    case Effect::Blink:
        add(window(columns, 0), scene.scans, DisplayPhase::Blink, 0, 1);
        add(LedFrame{}, scene.off, DisplayPhase::Blink, 0, 1);
        break;
    case Effect::ScrollUp:
    case Effect::ScrollDown:
        for (int k = 0; k < kRows; ++k) {
            LedFrame frame = window(columns, 0);
            for (quint16 &word : frame)
                word = scene.effect == Effect::ScrollUp ? quint16(word << (15 - k))
                                                        : quint16(word >> (15 - k));
            add(frame, scene.scans,
                scene.effect == Effect::ScrollUp ? DisplayPhase::ScrollUp
                                                 : DisplayPhase::ScrollDown,
                k, kRows);
        }
        break;
    case Effect::RunLeft:
    case Effect::RunRight:
        for (long k = 0; k <= width + kColumns; ++k)
            add(window(columns, scene.effect == Effect::RunLeft ? k - kColumns : width - k),
                scene.scans,
                scene.effect == Effect::RunLeft ? DisplayPhase::Marquee : DisplayPhase::RunRight, k,
                width + kColumns + 1);
        break;
    case Effect::Pages: {
        const long pages = pageCount(width);
        for (long p = 0; p < pages; ++p)
            add(window(columns, p * kColumns), scene.scans, DisplayPhase::Pages, p, pages);
        break;
    }
    }
}

} // namespace

std::vector<DisplayStep> sceneSteps(const Scene &scene, const SceneColumns &columns)
{
    std::vector<DisplayStep> steps;
    steps.reserve(stepCount(scene, long(columns.size())));
    addSceneSteps(scene, columns, steps);
    return steps;
}

std::vector<DisplayStep> showProgram(const Show &show, const std::vector<SceneColumns> &columns,
                                     std::vector<std::size_t> *sceneStarts)
{
    // Built in place: a long scene's steps take many megabytes, and fresh memory is slow.
    std::size_t total = 0;
    for (std::size_t i = 0; i < show.scenes.size(); ++i)
        total +=
            stepCount(show.scenes[i], long(columns[i].size())) * std::size_t(show.scenes[i].repeat);
    std::vector<DisplayStep> steps;
    steps.reserve(total);
    if (sceneStarts)
        sceneStarts->clear();
    for (std::size_t i = 0; i < show.scenes.size(); ++i) {
        const Scene &scene = show.scenes[i];
        const std::size_t first = steps.size();
        if (sceneStarts)
            sceneStarts->push_back(first);
        addSceneSteps(scene, columns[i], steps);
        const std::size_t end = steps.size();
        for (int r = 1; r < scene.repeat; ++r)
            for (std::size_t k = first; k < end; ++k)
                steps.push_back(steps[k]);
        // A blink's position is which blink it is.
        if (scene.effect == Effect::Blink)
            for (std::size_t k = first; k < steps.size(); ++k)
                steps[k].position = int((k - first) / (end - first)),
                steps[k].positions = scene.repeat;
    }
    return steps;
}

Show classicShow(const QString &title, const QString &text, const CanvasFont &font)
{
    Show show;
    show.face = font.name;
    show.bold = font.bold;
    show.italic = font.italic;
    show.scenes = {{title, Effect::Blink, defaultScans(Effect::Blink), 51, 3},
                   {title, Effect::ScrollUp, defaultScans(Effect::ScrollUp), 51, 1},
                   {text, Effect::RunLeft, defaultScans(Effect::RunLeft), 51, 1}};
    return show;
}
