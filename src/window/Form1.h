#pragma once

#include "board/BoardJob.h"
#include "canvas/GlyphCanvas.h"
#include "generator/SketchData.h"

#include <QWidget>

class CanvasView;
class PortBox;
class PreviewWindow;
class ShowWindow;
class Clipboard;
class QAction;
class QCheckBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QProgressBar;
class QPushButton;
class QRadioButton;
class QToolButton;

// The main window. Controls keep their classic names, as members and as
// object names, so tests and readers find them by the names users know.
class Form1 : public QWidget
{
    Q_OBJECT

public:
    explicit Form1(Clipboard &clipboard, QWidget *parent = nullptr);

    // Where 寫入檔案 writes; its hover hint names it.
    const QString &sketchPath() const { return m_sketchPath; }
    void setSketchPath(const QString &path);

protected:
    void closeEvent(QCloseEvent *event) override;

private:
    // Returns what the run sampled.
    SketchData generate();
    void writeSketchFile();
    void copyCode();
    QString codeText() const;
    void openPreview();
    // The show window; opened anew, it starts from the classic show of the texts.
    void openShow();
    void refreshPreview();
    void burn();
    // The wiring test instead of the text; the code box keeps the text's sketch.
    void burnTestPattern();
    // Says what to do when Combo1 names no port.
    bool portChosen();
    void startBurning(const QString &sketch, const SketchData &data, bool testPattern);
    void showBoardProgress(BoardJob::Stage stage, int percent);
    void boardFinished(const BoardResult &result);
    // Shows done, followed by a warning when the sketch for data cannot fit the board.
    void showStatus(const QString &done, const SketchData &data);
    // The status line, red for a failure; a log adds 詳細, which shows it.
    void setStatus(const QString &text, bool failure, const QByteArray &log = {});
    void showLog();

    GlyphCanvas m_canvas;
    GlyphCanvas m_previewCanvas;
    Clipboard &m_clipboard;

    CanvasView *pic;
    QPushButton *Command1;
    QLineEdit *Text1;
    QLineEdit *Text2;
    QCheckBox *Check1;
    QCheckBox *Check2;
    QRadioButton *Option1;
    QRadioButton *Option2;
    QPushButton *Command5;
    QPlainTextEdit *Text3;
    QPushButton *Command2;
    QPushButton *Command3;
    QPushButton *Command6;
    // A split button: a click burns the text, its arrow offers the wiring test.
    QToolButton *Command4;
    QAction *m_burnTestPattern;
    PortBox *Combo1;
    QProgressBar *m_progress;
    BoardJob m_board;
    // The board job is shared with the show window; this one's burn is running.
    bool m_burning = false;
    bool m_burningTestPattern = false;
    PreviewWindow *m_preview = nullptr;
    ShowWindow *m_show = nullptr;
    QLabel *m_status;
    QString m_sketchPath;
    // The status line's plain text, and what the programs printed behind its 詳細.
    QString m_statusText;
    QByteArray m_log;
};
