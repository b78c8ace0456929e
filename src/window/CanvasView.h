#pragma once

#include <QFrame>

class GlyphCanvas;

// The visible strip of a glyph canvas inside a sunken border: the surface's
// left part, as far as the strip reaches.
class CanvasView : public QFrame
{
    Q_OBJECT

public:
    explicit CanvasView(const GlyphCanvas &canvas, QWidget *parent = nullptr);

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    const GlyphCanvas &m_canvas;
};
