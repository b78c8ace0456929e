#pragma once

#include "output/LedPicture.h"

#include <QWidget>

// The sign's 64 x 16 LEDs, as large as the widget allows.
class LedMatrixView : public QWidget
{
    Q_OBJECT

public:
    static constexpr int kMinimumPitch = 8;

    explicit LedMatrixView(QWidget *parent = nullptr);

    const LedFrame &frame() const { return m_frame; }
    void setFrame(const LedFrame &frame);
    // The colour of a lit LED, kLedLit unless the sign is dimmed.
    void setLitColour(QRgb colour);

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    LedFrame m_frame{};
    QRgb m_lit = kLedLit;
};
