#pragma once

#include "canvas/GlyphCanvas.h"
#include "generator/LineSink.h"
#include "generator/Show.h"
#include "generator/SketchData.h"
#include "generator/SketchText.h"

#include <QString>

inline constexpr float kRunFontSize = 12;
inline constexpr int kCodeBoxMargin = 120;
inline constexpr int kFileMargin = 16;

// The column word of column x of anything with GlyphCanvas's point(): one read
// per row, top to bottom.
template <typename Canvas> quint16 columnWord(const Canvas &canvas, int x)
{
    quint16 word = 0;
    for (int y = 0; y < SketchData::kRows; ++y) {
        if (isLit(canvas.point(x, y)))
            word |= quint16(1u << y);
    }
    return word;
}

// Draws title and text on the canvas at 12 points and samples them: 64 title
// columns, and slen scroll columns, where slen is 14 columns a UTF-16 unit plus
// margin, widened to the rightmost lit column when the text is drawn wider.
// The canvas keeps the drawn text afterwards.
SketchData sampleTexts(const QString &title, const QString &text, GlyphCanvas &canvas, int margin);

// A show's scene text drawn as the scroll text is, at x = 0, y = 0, 12 points,
// sampled up to its last lit column.
SceneColumns sampleScene(const QString &text, GlyphCanvas &canvas);
// Every scene of show, in its face and style.
std::vector<SceneColumns> sampleShow(const Show &show);

// The whole sketch text in the code-box layout, lines ended with CR LF. When
// sampled is given, it receives the data the text was made from.
QString codeBoxRun(const QString &title, const QString &text, GlyphCanvas &canvas,
                   SketchData *sampled = nullptr);

// The sketch text in the file layout, into sink. False when the sink failed to
// open or to close. When sampled is given, it receives the data.
bool fileRun(const QString &title, const QString &text, GlyphCanvas &canvas, LineSink &sink,
             SketchData *sampled = nullptr);
