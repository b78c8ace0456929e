#include "window/LedMatrixView.h"

#include <QPainter>

LedMatrixView::LedMatrixView(QWidget *parent) : QWidget(parent)
{
    setMinimumSize(kMinimumPitch * SketchData::kTitleColumns, kMinimumPitch * SketchData::kRows);
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
}

void LedMatrixView::setFrame(const LedFrame &frame)
{
    if (frame == m_frame)
        return;
    m_frame = frame;
    update();
}

void LedMatrixView::setLitColour(QRgb colour)
{
    m_lit = colour;
    update();
}

void LedMatrixView::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    paintLeds(painter, rect(), m_frame, m_lit);
}
