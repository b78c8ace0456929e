#pragma once

#include "generator/DisplayProgram.h"

#include <QWidget>

#include <atomic>
#include <functional>
#include <memory>

class LedMatrixView;
class QComboBox;
class QHBoxLayout;
class QLabel;
class QProgressDialog;
class QPushButton;
class QThread;
class QTimer;

// The sign as a sketch drives it: plays a display program on a picture of the
// matrix, step by step at the board's timing, over and over, and saves it as a GIF.
class LedPlayer : public QWidget
{
    Q_OBJECT

public:
    explicit LedPlayer(QWidget *parent = nullptr);
    // Stops a GIF being saved, leaving any earlier file as it was.
    ~LedPlayer() override;

    // Plays steps from step first on; the whole pass is what a GIF saves.
    void play(std::shared_ptr<const std::vector<DisplayStep>> steps, std::size_t first = 0);
    // Puts a button of the owner's among the player's own, before 儲存 GIF.
    void addControl(QWidget *control);
    LedMatrixView *leds() const { return m_leds; }

    // Asks where to save the GIF; an empty answer cancels. A file dialog unless replaced.
    std::function<QString(QWidget *parent, const QString &suggested)> askGifPath;

    // Reads a steady clock in milliseconds. The system's unless replaced.
    std::function<qint64()> now;

protected:
    // A hidden player stops playing; the owner plays afresh when it shows again.
    void hideEvent(QHideEvent *event) override;

private:
    void showStep(std::size_t index);
    // The step after the current one, from the start again after the last.
    void showNext();
    // Adds the time played since the clock last started to the board's time.
    void catchUp();
    // Waits out what is left of the current step at the chosen speed.
    void schedule();
    void advance();
    void setPaused(bool paused);
    // Saves what is playing on a thread of its own, with progress and a cancel.
    void saveGif();
    void gifEnded();

    // Shared with a GIF being saved, which must not hold up the next change.
    std::shared_ptr<const std::vector<DisplayStep>> m_steps;
    std::size_t m_index = 0;
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
    QHBoxLayout *m_controls;

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
