#pragma once

#include "generator/DisplayProgram.h"

#include <QWidget>

#include <atomic>
#include <functional>
#include <memory>

class LedMatrixView;
class QComboBox;
class QLabel;
class QProgressDialog;
class QPushButton;
class QThread;
class QTimer;

// The sign as the sketch drives it: plays the display program on a picture of
// the matrix, step by step at the board's timing, over and over.
class PreviewWindow : public QWidget
{
    Q_OBJECT

public:
    explicit PreviewWindow(QWidget *parent = nullptr);
    // Stops a GIF being saved, leaving any earlier file as it was.
    ~PreviewWindow() override;

    // Plays data's display program from its start, unless the wiring test is
    // showing; then it is kept for when the test is turned off.
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
    // Plays steps from the first.
    void start(std::shared_ptr<const std::vector<DisplayStep>> steps);
    // Saves what is playing on a thread of its own, with progress and a cancel.
    void saveGif();
    void gifEnded();

    // Shared with a GIF being saved, which must not hold up the next change.
    std::shared_ptr<const std::vector<DisplayStep>> m_steps;
    std::shared_ptr<const std::vector<DisplayStep>> m_textSteps;
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
    QPushButton *m_testPattern;
    QPushButton *m_saveGif;

    QThread *m_gifThread = nullptr;
    QProgressDialog *m_gifProgress = nullptr;
    std::atomic<qsizetype> m_gifWritten = 0;
    std::atomic<bool> m_gifCanceled = false;
    // Set by the thread, read once it has ended.
    bool m_gifSaved = false;
    QString m_gifPath;
    QString m_gifFolder;
    QString m_gifError;
};
