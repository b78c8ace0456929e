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

std::vector<DisplayStep> sceneSteps(const Scene &scene, const SceneColumns &columns)
{
    std::vector<DisplayStep> steps;
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
        const long pages = std::max(1L, (width + kColumns - 1) / kColumns);
        for (long p = 0; p < pages; ++p)
            add(window(columns, p * kColumns), scene.scans, DisplayPhase::Pages, p, pages);
        break;
    }
    }
    return steps;
}

std::vector<DisplayStep> showProgram(const Show &show, const std::vector<SceneColumns> &columns,
                                     std::vector<std::size_t> *sceneStarts)
{
    std::vector<DisplayStep> steps;
    if (sceneStarts)
        sceneStarts->clear();
    for (std::size_t i = 0; i < show.scenes.size(); ++i) {
        if (sceneStarts)
            sceneStarts->push_back(steps.size());
        const Scene &scene = show.scenes[i];
        std::vector<DisplayStep> once = sceneSteps(scene, columns[i]);
        for (int r = 0; r < scene.repeat; ++r) {
            // A blink's position is which blink it is.
            if (scene.effect == Effect::Blink)
                for (DisplayStep &step : once)
                    step = {step.frame, step.scans, step.phase, r, scene.repeat};
            steps.insert(steps.end(), once.begin(), once.end());
        }
    }
    return steps;
}
