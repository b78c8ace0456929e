#include "window/CanvasView.h"

#include "canvas/GlyphCanvas.h"

#include <QPainter>

CanvasView::CanvasView(const GlyphCanvas &canvas, QWidget *parent)
    : QFrame(parent), m_canvas(canvas)
{
    setFrameStyle(QFrame::Panel | QFrame::Sunken);
    setLineWidth(2);
    // A picture box is a tab stop.
    setFocusPolicy(Qt::StrongFocus);
}

void CanvasView::paintEvent(QPaintEvent *event)
{
    QFrame::paintEvent(event);
    QPainter painter(this);
    const QRect area = contentsRect();
    painter.setClipRect(area);
    painter.drawImage(area.topLeft(), m_canvas.surface());
}
