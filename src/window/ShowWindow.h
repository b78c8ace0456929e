#pragma once

#include "board/BoardJob.h"
#include "window/ShowModel.h"

#include <QWidget>

#include <functional>

class LedPlayer;
class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QProgressBar;
class QPushButton;
class QSpinBox;
class QTableWidget;
class QThread;

// Composes a sign show of scenes and plays it on the LEDs as it is edited;
// opens and saves show files, saves the show as a GIF, and burns it.
class ShowWindow : public QWidget
{
    Q_OBJECT

public:
    // Starts from show, in no file yet. board: the main window's, so that one
    // upload at a time goes to the port; port: the port the main window's box names.
    ShowWindow(const Show &show, BoardJob &board, std::function<QString()> port, QWidget *parent);
    // Waits for a model being built.
    ~ShowWindow() override;

    const Show &currentShow() const { return m_show; }
    // Starts a new show, in no file yet.
    void setShow(const Show &show);
    // What plays: the show as it stood when it was last modelled.
    const ShowModel &model() const { return m_model; }

    // Asks for a show file to open or, with save, to save to; an empty answer
    // cancels. File dialogs unless replaced.
    std::function<QString(QWidget *parent, bool save, const QString &suggested)> askShowPath;

signals:
    // The LEDs play the model of the show as it now is.
    void caughtUp();

protected:
    // Asks first when the show has unsaved changes or its upload is running.
    void closeEvent(QCloseEvent *event) override;
    void showEvent(QShowEvent *event) override;

private:
    int current() const;
    // Changes the current scene and shows the change.
    void editScene(const std::function<void(Scene &)> &edit);
    void edited();
    void fillList();
    void fillRow(int row);
    void fillEditors();
    void select(int row);
    void addScene(const Scene &scene);
    void moveScene(int by);
    // Models the show on a thread of its own; edits meanwhile model it again after.
    void remodel();
    void modelled();
    void playCurrent();
    void showWarnings();

    void openFile();
    bool save();
    bool saveAs();
    bool saveTo(const QString &path);
    // Offers to save unsaved changes; false when the user would rather stay.
    bool maybeSave();
    QString folder();
    void updateTitle();

    void burn();
    void startBurning();
    void boardFinished(const BoardResult &result);
    void setStatus(const QString &text, bool failure);

    Show m_show;
    // The show as last opened or saved, or as it started.
    Show m_saved;
    QString m_path;
    QString m_folder;

    ShowModel m_model;
    QThread *m_modeller = nullptr;
    // Set by the thread, read once it has ended.
    ShowModel m_modelled;
    bool m_stale = false;

    BoardJob &m_board;
    std::function<QString()> m_port;
    bool m_burning = false;
    // 燒錄 waits for the model of the show as it is.
    bool m_burnWaiting = false;
    // Editors being filled from the show, not edited.
    bool m_filling = false;

    QPushButton *m_open;
    QPushButton *m_save;
    QPushButton *m_saveAs;
    QComboBox *m_face;
    QCheckBox *m_bold;
    QCheckBox *m_italic;
    QSpinBox *m_brightness;
    LedPlayer *m_player;
    QPushButton *m_burn;
    QTableWidget *m_scenes;
    QPushButton *m_add;
    QPushButton *m_duplicate;
    QPushButton *m_remove;
    QPushButton *m_up;
    QPushButton *m_down;
    QLineEdit *m_text;
    QComboBox *m_effect;
    QSpinBox *m_scans;
    QLabel *m_speed;
    QSpinBox *m_off;
    QSpinBox *m_repeat;
    QLabel *m_status;
    QProgressBar *m_progress;
};
