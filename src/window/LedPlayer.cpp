#include "window/LedPlayer.h"

#include "cli/Messages.h"
#include "output/GifAnimation.h"
#include "platform/AtomicFile.h"
#include "window/LedMatrixView.h"

#include <QComboBox>
#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QLabel>
#include <QMessageBox>
#include <QProgressDialog>
#include <QPushButton>
#include <QStandardPaths>
#include <QThread>
#include <QTimer>
#include <QVBoxLayout>

#include <algorithm>
#include <cmath>

namespace {

template <typename Widget, typename... Args> Widget *named(const char *name, Args &&...args)
{
    auto *widget = new Widget(std::forward<Args>(args)...);
    widget->setObjectName(QLatin1String(name));
    return widget;
}

} // namespace

LedPlayer::LedPlayer(QWidget *parent) : QWidget(parent)
{
    askGifPath = [](QWidget *owner, const QString &suggested) {
        return QFileDialog::getSaveFileName(owner, QStringLiteral("儲存 GIF"), suggested,
                                            QStringLiteral("GIF (*.gif)"));
    };
    now = [] { return QDeadlineTimer::current().deadline(); };

    m_leds = named<LedMatrixView>("leds");
    m_phase = named<QLabel>("phase");
    m_speed = named<QComboBox>("speed");
    for (int speed : {1, 2, 4})
        m_speed->addItem(QStringLiteral("×%1").arg(speed), speed);
    m_pause = named<QPushButton>("pause", QStringLiteral("暫停"));
    m_pause->setCheckable(true);
    m_step = named<QPushButton>("step", QStringLiteral("下一步"));
    m_step->setEnabled(false);
    m_saveGif = named<QPushButton>("saveGif", QStringLiteral("儲存 GIF"));

    m_controls = new QHBoxLayout;
    m_controls->addWidget(m_phase, 1);
    m_controls->addWidget(m_speed);
    m_controls->addWidget(m_pause);
    m_controls->addWidget(m_step);
    m_controls->addWidget(m_saveGif);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(m_leds, 1);
    layout->addLayout(m_controls);

    m_timer = new QTimer(this);
    m_timer->setObjectName(QStringLiteral("clock"));
    m_timer->setSingleShot(true);
    m_timer->setTimerType(Qt::PreciseTimer);
    connect(m_timer, &QTimer::timeout, this, &LedPlayer::advance);
    connect(m_speed, &QComboBox::currentIndexChanged, this, [this] {
        // Time played so far counts at the old speed; a paused clock has played none.
        const bool playing = m_timer->isActive();
        if (playing)
            catchUp();
        m_playSpeed = m_speed->currentData().toInt();
        if (playing)
            schedule();
    });
    connect(m_pause, &QPushButton::toggled, this, &LedPlayer::setPaused);
    connect(m_step, &QPushButton::clicked, this, [this] {
        showNext();
        // Going on from here plays the new step whole.
        m_clockStart = m_stepEnd - stepMilliseconds((*m_steps)[m_index]);
    });
    connect(m_saveGif, &QPushButton::clicked, this, &LedPlayer::saveGif);
}

LedPlayer::~LedPlayer()
{
    if (m_gifThread) {
        m_gifCanceled = true;
        m_gifThread->wait();
    }
}

void LedPlayer::play(std::shared_ptr<const std::vector<DisplayStep>> steps, std::size_t first)
{
    m_steps = std::move(steps);
    double begin = 0;
    for (std::size_t i = 0; i < first; ++i)
        begin += stepMilliseconds((*m_steps)[i]);
    m_stepEnd = begin;
    showStep(first);
    m_clockStart = begin;
    m_clockRead = now();
    if (!m_pause->isChecked())
        schedule();
}

void LedPlayer::addControl(QWidget *control)
{
    m_controls->insertWidget(m_controls->indexOf(m_saveGif), control);
}

void LedPlayer::hideEvent(QHideEvent *event)
{
    m_timer->stop();
    QWidget::hideEvent(event);
}

void LedPlayer::showStep(std::size_t index)
{
    if (index == 0)
        m_stepEnd = 0;
    m_index = index;
    const DisplayStep &step = (*m_steps)[index];
    m_stepEnd += stepMilliseconds(step);
    m_leds->setFrame(step.frame);
    m_phase->setText(QStringLiteral("%1 %2/%3")
                         .arg(phaseName(step.phase))
                         .arg(step.position + 1)
                         .arg(step.positions));
}

void LedPlayer::showNext()
{
    const double passEnd = m_stepEnd;
    showStep((m_index + 1) % m_steps->size());
    if (m_index == 0)
        m_clockStart -= passEnd;
}

void LedPlayer::catchUp()
{
    const qint64 read = now();
    m_clockStart += double(read - m_clockRead) * m_playSpeed;
    m_clockRead = read;
}

void LedPlayer::schedule()
{
    // The wait is worked out from the board's time, so rounding never builds up.
    catchUp();
    m_timer->start(std::max(0, int(std::lround((m_stepEnd - m_clockStart) / m_playSpeed))));
}

void LedPlayer::advance()
{
    showNext();
    schedule();
}

void LedPlayer::setPaused(bool paused)
{
    m_pause->setText(paused ? QStringLiteral("繼續") : QStringLiteral("暫停"));
    m_step->setEnabled(paused);
    if (paused) {
        catchUp();
        m_timer->stop();
    } else {
        m_clockRead = now();
        schedule();
    }
}

void LedPlayer::saveGif()
{
    // Where the user last saved one; first the pictures folder, never the
    // program's own, which an installed program may not write to.
    if (m_gifFolder.isEmpty()) {
        const QString pictures = QStandardPaths::writableLocation(QStandardPaths::PicturesLocation);
        m_gifFolder = QFileInfo(pictures).isDir() ? pictures : QDir::homePath();
    }
    const QString path = askGifPath(this, QDir(m_gifFolder).filePath(QStringLiteral("bb.gif")));
    if (path.isEmpty())
        return;
    m_gifFolder = QFileInfo(path).absolutePath();
    m_saveGif->setEnabled(false);
    m_gifPath = path;
    m_gifWritten = 0;
    m_gifCanceled = false;

    // Shown only when saving takes more than a moment.
    m_gifProgress =
        new QProgressDialog(QStringLiteral("正在儲存 %1…").arg(QDir::toNativeSeparators(path)),
                            QStringLiteral("取消"), 0, int(m_steps->size()), this);
    m_gifProgress->setObjectName(QStringLiteral("gifProgress"));
    m_gifProgress->setWindowTitle(m_saveGif->text());
    m_gifProgress->setWindowModality(Qt::WindowModal);
    m_gifProgress->setMinimumDuration(500);
    m_gifProgress->setAutoReset(false);
    // Its button, Esc and closing it all end in wasCanceled().
    auto *poll = new QTimer(m_gifProgress);
    connect(poll, &QTimer::timeout, m_gifProgress, [this] {
        if (m_gifProgress->wasCanceled())
            m_gifCanceled = true;
        else
            m_gifProgress->setValue(int(m_gifWritten));
    });
    poll->start(100);

    m_gifThread = QThread::create([this, steps = m_steps, path] {
        const auto going = [this](qsizetype written) {
            m_gifWritten = written;
            return !m_gifCanceled;
        };
        m_gifSaved = saveAtomically(
            path,
            [&](QIODevice &file) { return writeDisplayGif(file, *steps, going) && !m_gifCanceled; },
            &m_gifError);
    });
    connect(m_gifThread, &QThread::finished, this, &LedPlayer::gifEnded);
    m_gifThread->start();
}

void LedPlayer::gifEnded()
{
    m_gifThread->wait();
    delete m_gifThread;
    m_gifThread = nullptr;
    delete m_gifProgress;
    m_gifProgress = nullptr;
    m_saveGif->setEnabled(true);
    if (!m_gifSaved && !m_gifCanceled)
        QMessageBox::warning(
            this, m_saveGif->text(),
            Messages::cannotWrite(QDir::toNativeSeparators(m_gifPath), m_gifError) +
                QStringLiteral("。"));
}
