#pragma once

#include "window/LedPlayer.h"

class QPushButton;

// The classic sketch's show on the sign, following the main window's texts,
// with the wiring test at a click.
class PreviewWindow : public LedPlayer
{
    Q_OBJECT

public:
    explicit PreviewWindow(QWidget *parent = nullptr);

    // Plays data's display program from its start, unless the wiring test is
    // showing; then it is kept for when the test is turned off.
    void play(const SketchData &data);

private:
    std::shared_ptr<const std::vector<DisplayStep>> m_textSteps;
    QPushButton *m_testPattern;
};
