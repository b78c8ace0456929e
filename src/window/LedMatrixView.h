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

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    LedFrame m_frame{};
};
