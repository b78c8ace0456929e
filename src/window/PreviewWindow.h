#pragma once

#include "generator/DisplayProgram.h"

#include <QWidget>

#include <functional>

class LedMatrixView;
class QComboBox;
class QLabel;
class QPushButton;
class QTimer;

// The sign as the sketch drives it: plays the display program on a picture of
// the matrix, step by step at the board's timing, over and over.
class PreviewWindow : public QWidget
{
    Q_OBJECT

public:
    explicit PreviewWindow(QWidget *parent = nullptr);

    // Plays data's display program from its start.
    void play(const SketchData &data);

    // Asks where to save the GIF; an empty answer cancels. A file dialog unless replaced.
    std::function<QString(QWidget *parent, const QString &suggested)> askGifPath;

    // Reads a steady clock in milliseconds. The system's unless replaced.
    std::function<qint64()> now;

protected:
    // A closed preview stops playing; opening it again plays afresh.
    void hideEvent(QHideEvent *event) override;

private:
    void showStep(int index);
    // The step after the current one, from the start again after the last.
    void showNext();
    // Adds the time played since the clock last started to the board's time.
    void catchUp();
    // Waits out what is left of the current step at the chosen speed.
    void schedule();
    void advance();
    void setPaused(bool paused);
    void saveGif();

    std::vector<DisplayStep> m_steps;
    int m_index = 0;
    // The board's time into the pass, in milliseconds: when the current step
    // ends, and where the clock last started.
    double m_stepEnd = 0;
    double m_clockStart = 0;
    // now() when the clock last started.
    qint64 m_clockRead = 0;
    int m_playSpeed = 1;
    QTimer *m_timer;

    LedMatrixView *m_leds;
    QLabel *m_phase;
    QComboBox *m_speed;
    QPushButton *m_pause;
    QPushButton *m_step;
    QPushButton *m_saveGif;
};
