#include "generator/GenerationRun.h"

#include "canvas/GlyphCanvas.h"

#include <algorithm>
#include <utility>

namespace {

constexpr int kColumnsPerUnit = int(kRunFontSize) + 2;

// The code-box run's accumulator.
class StringSink : public LineSink
{
public:
    bool open() override { return true; }
    void writeLine(const QString &line) override
    {
        m_text += line;
        m_text += kLineEnd;
    }
    bool close() override { return true; }
    QString take() { return std::move(m_text); }

private:
    QString m_text;
};

} // namespace

SketchData sampleTexts(const QString &title, const QString &text, GlyphCanvas &canvas, int margin)
{
    SketchData data;
    canvas.setFontSize(kRunFontSize);
    canvas.cls(); // also puts the pen at (0, 0)
    canvas.print(title);
    for (int x = 0; x < SketchData::kTitleColumns; ++x)
        data.title[x] = columnWord(canvas, x);

    canvas.cls();
    canvas.print(text);
    const int estimate = kColumnsPerUnit * int(text.size()) + margin;
    data.scroll.resize(std::max(estimate, canvas.inkExtent()));
    for (int x = 0; x < int(data.scroll.size()); ++x)
        data.scroll[x] = columnWord(canvas, x);
    const auto lastLit = std::find_if(data.scroll.rbegin(), data.scroll.rend(),
                                      [](quint16 word) { return word != 0; });
    data.scroll.resize(std::max(estimate, int(data.scroll.rend() - lastLit)));
    return data;
}

QString codeBoxRun(const QString &title, const QString &text, GlyphCanvas &canvas,
                   SketchData *sampled)
{
    StringSink sink;
    SketchData data = sampleTexts(title, text, canvas, kCodeBoxMargin);
    writeSketch(data, Layout::CodeBox, sink);
    if (sampled)
        *sampled = std::move(data);
    return sink.take();
}

bool fileRun(const QString &title, const QString &text, GlyphCanvas &canvas, LineSink &sink,
             SketchData *sampled)
{
    if (!sink.open())
        return false;
    SketchData data = sampleTexts(title, text, canvas, kFileMargin);
    writeSketch(data, Layout::File, sink);
    if (sampled)
        *sampled = std::move(data);
    return sink.close();
}

SceneColumns sampleScene(const QString &text, GlyphCanvas &canvas)
{
    canvas.setFontSize(kRunFontSize);
    canvas.cls();
    canvas.print(text);
    SceneColumns columns(std::size_t(canvas.inkExtent()));
    for (int x = 0; x < int(columns.size()); ++x)
        columns[std::size_t(x)] = columnWord(canvas, x);
    while (!columns.empty() && columns.back() == 0)
        columns.pop_back();
    return columns;
}

std::vector<SceneColumns> sampleShow(const Show &show)
{
    GlyphCanvas canvas;
    canvas.setFontName(show.face);
    canvas.setFontBold(show.bold);
    canvas.setFontItalic(show.italic);
    std::vector<SceneColumns> columns;
    for (const Scene &scene : show.scenes)
        columns.push_back(sampleScene(scene.text, canvas));
    return columns;
}
