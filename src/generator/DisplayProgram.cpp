#include "generator/DisplayProgram.h"

namespace {

constexpr int kColumns = SketchData::kTitleColumns;
constexpr int kBlinks = 3;
constexpr int kLitScans = 101;
constexpr int kDarkScans = 51;
constexpr int kScrollUpSteps = SketchData::kRows;
constexpr int kScrollUpScans = 11;
constexpr int kMarqueeScans = 6;

} // namespace

QString phaseName(DisplayPhase phase)
{
    switch (phase) {
    case DisplayPhase::BlinkTitle:
        return QStringLiteral("明滅標題");
    case DisplayPhase::ScrollUp:
        return QStringLiteral("上捲");
    case DisplayPhase::Marquee:
        return QStringLiteral("跑馬燈");
    case DisplayPhase::EachColumn:
        return QStringLiteral("逐欄");
    case DisplayPhase::EachRow:
        return QStringLiteral("逐列");
    case DisplayPhase::AllLit:
        return QStringLiteral("全亮");
    case DisplayPhase::ColumnNumbers:
        return QStringLiteral("欄號");
    case DisplayPhase::Checkerboard:
        return QStringLiteral("棋盤");
    case DisplayPhase::Blink:
        return QStringLiteral("明滅");
    case DisplayPhase::ScrollDown:
        return QStringLiteral("下捲");
    case DisplayPhase::RunRight:
        return QStringLiteral("右移");
    case DisplayPhase::Pages:
        return QStringLiteral("分頁");
    }
    return {};
}

std::vector<DisplayStep> displayProgram(const SketchData &data)
{
    std::vector<DisplayStep> steps;
    steps.reserve(2 * kBlinks + kScrollUpSteps + data.slen() + 1);
    for (int k = 0; k < kBlinks; ++k) {
        steps.push_back({data.title, kLitScans, DisplayPhase::BlinkTitle, k, kBlinks});
        steps.push_back({LedFrame{}, kDarkScans, DisplayPhase::BlinkTitle, k, kBlinks});
    }
    for (int k = 0; k < kScrollUpSteps; ++k) {
        DisplayStep step{{}, kScrollUpScans, DisplayPhase::ScrollUp, k, kScrollUpSteps};
        // The board's int is 16 bits wide: bits shifted past the top are lost.
        for (int j = 0; j < kColumns; ++j)
            step.frame[j] = quint16(data.title[j] << (kScrollUpSteps - 1 - k));
        steps.push_back(step);
    }
    const int marqueeSteps = data.slen() + 1;
    for (int k = 0; k < marqueeSteps; ++k) {
        DisplayStep step{{}, kMarqueeScans, DisplayPhase::Marquee, k, marqueeSteps};
        // c[j + k]; c's first 64 entries are blank.
        for (int j = 0; j < kColumns; ++j) {
            const int x = j + k - kColumns;
            step.frame[j] = x >= 0 ? data.scroll[x] : 0;
        }
        steps.push_back(step);
    }
    return steps;
}

std::vector<FrameRun> frameRuns(const std::vector<DisplayStep> &steps)
{
    std::vector<FrameRun> runs;
    for (const DisplayStep &step : steps) {
        if (!runs.empty() && runs.back().frame == step.frame)
            runs.back().scans += step.scans;
        else
            runs.push_back({step.frame, step.scans});
    }
    return runs;
}
