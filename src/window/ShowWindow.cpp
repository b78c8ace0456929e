#include "window/ShowWindow.h"

#include "cli/CliActions.h"
#include "cli/Messages.h"
#include "generator/BoardMemory.h"
#include "generator/DefaultTexts.h"
#include "generator/ShowSketch.h"
#include "output/LedPicture.h"
#include "output/ShowFile.h"
#include "platform/ReadLimited.h"
#include "window/LedMatrixView.h"
#include "window/LedPlayer.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QProgressBar>
#include <QPushButton>
#include <QSpinBox>
#include <QStandardPaths>
#include <QTableWidget>
#include <QThread>
#include <QVBoxLayout>

namespace {

enum Column { TextColumn, EffectColumn, SpeedColumn, RepeatColumn };

// A long text's start is enough to tell scenes apart in the list.
constexpr int kListedCharacters = 40;
// Columns a full-width character takes at 12 points.
constexpr int kCharacterColumns = 16;

template <typename Widget, typename... Args> Widget *named(const char *name, Args &&...args)
{
    auto *widget = new Widget(std::forward<Args>(args)...);
    widget->setObjectName(QLatin1String(name));
    return widget;
}

QString sentence(const QString &text)
{
    return text + QStringLiteral("。");
}

// The effects in the order of Effect.
const QStringList &effectLabels()
{
    static const QStringList labels{QStringLiteral("閃爍"),     QStringLiteral("向上捲入"),
                                    QStringLiteral("向下捲入"), QStringLiteral("向左跑"),
                                    QStringLiteral("向右跑"),   QStringLiteral("分頁")};
    return labels;
}

// The scene's speed as the sign shows it, in seconds or characters a second.
QString speedText(const Scene &scene)
{
    const double seconds = scene.scans * kScanMicroseconds / 1e6;
    switch (scene.effect) {
    case Effect::Blink:
        return QStringLiteral("亮 %1 秒").arg(seconds, 0, 'f', 2);
    case Effect::ScrollUp:
    case Effect::ScrollDown:
        return QStringLiteral("捲入 %1 秒").arg(SketchData::kRows * seconds, 0, 'f', 2);
    case Effect::RunLeft:
    case Effect::RunRight:
        return QStringLiteral("每秒 %1 字").arg(1 / (kCharacterColumns * seconds), 0, 'f', 1);
    case Effect::Pages:
        return QStringLiteral("每頁 %1 秒").arg(seconds, 0, 'f', 2);
    }
    return {};
}

// Lit LEDs as dim as the brightness: between a dark LED and a fully lit one.
QRgb litColour(int brightness)
{
    const auto mix = [brightness](int dark, int lit) {
        return dark + (lit - dark) * brightness / Show::kMaxBrightness;
    };
    return qRgb(mix(qRed(kLedDark), qRed(kLedLit)), mix(qGreen(kLedDark), qGreen(kLedLit)),
                mix(qBlue(kLedDark), qBlue(kLedLit)));
}

} // namespace

ShowWindow::ShowWindow(const Show &show, BoardJob &board, std::function<QString()> port,
                       QWidget *parent)
    : QWidget(parent, Qt::Window), m_board(board), m_port(std::move(port))
{
    setObjectName(QStringLiteral("showWindow"));
    askShowPath = [](QWidget *owner, bool save, const QString &suggested) {
        const QString filter = QStringLiteral("節目 (*.json)");
        return save ? QFileDialog::getSaveFileName(owner, QStringLiteral("儲存節目"), suggested,
                                                   filter)
                    : QFileDialog::getOpenFileName(owner, QStringLiteral("開啟節目"), suggested,
                                                   filter);
    };

    m_open = named<QPushButton>("open", QStringLiteral("開啟…"));
    m_save = named<QPushButton>("save", QStringLiteral("儲存"));
    m_saveAs = named<QPushButton>("saveAs", QStringLiteral("另存新檔…"));
    m_face = named<QComboBox>("face");
    m_face->addItems({kFaceMing, kFaceKai});
    m_bold = named<QCheckBox>("bold", QStringLiteral("粗體"));
    m_italic = named<QCheckBox>("italic", QStringLiteral("斜體"));
    m_brightness = named<QSpinBox>("brightness");
    m_brightness->setRange(1, Show::kMaxBrightness);
    m_brightness->setPrefix(QStringLiteral("亮度 "));
    m_brightness->setSuffix(QStringLiteral(" / %1").arg(Show::kMaxBrightness));

    m_player = named<LedPlayer>("player");
    m_player->layout()->setContentsMargins(0, 0, 0, 0);
    m_burn = named<QPushButton>("burn", QStringLiteral("燒錄"));
    m_burn->setToolTip(QStringLiteral("燒錄到主視窗選的連接埠"));
    m_player->addControl(m_burn);
    // LEDs of 12 px, as the preview has them; the scene list takes the rest.
    m_player->leds()->setMinimumHeight(12 * SketchData::kRows);
    m_player->leds()->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);

    m_scenes = named<QTableWidget>("scenes", 0, 4);
    m_scenes->setHorizontalHeaderLabels({QStringLiteral("文字"), QStringLiteral("效果"),
                                         QStringLiteral("速度"), QStringLiteral("重複")});
    m_scenes->horizontalHeader()->setSectionResizeMode(TextColumn, QHeaderView::Stretch);
    m_scenes->horizontalHeader()->setSectionResizeMode(EffectColumn, QHeaderView::ResizeToContents);
    m_scenes->horizontalHeader()->setSectionResizeMode(SpeedColumn, QHeaderView::ResizeToContents);
    m_scenes->horizontalHeader()->setSectionResizeMode(RepeatColumn, QHeaderView::ResizeToContents);
    m_scenes->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_scenes->setSelectionMode(QAbstractItemView::SingleSelection);
    m_scenes->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_scenes->setWordWrap(false);
    m_add = named<QPushButton>("addScene", QStringLiteral("新增"));
    m_duplicate = named<QPushButton>("duplicateScene", QStringLiteral("複製"));
    m_remove = named<QPushButton>("removeScene", QStringLiteral("移除"));
    m_up = named<QPushButton>("sceneUp", QStringLiteral("上移"));
    m_down = named<QPushButton>("sceneDown", QStringLiteral("下移"));

    m_text = named<QLineEdit>("sceneText");
    m_text->setMaxLength(kTextLimit);
    m_effect = named<QComboBox>("effect");
    m_effect->addItems(effectLabels());
    m_scans = named<QSpinBox>("scans");
    m_scans->setRange(1, 65535);
    m_scans->setSuffix(QStringLiteral(" 次掃描"));
    m_speed = named<QLabel>("speed");
    m_off = named<QSpinBox>("off");
    m_off->setRange(0, 65535);
    m_off->setPrefix(QStringLiteral("暗 "));
    m_off->setSuffix(QStringLiteral(" 次掃描"));
    m_repeat = named<QSpinBox>("repeat");
    m_repeat->setRange(1, 255);
    m_repeat->setSuffix(QStringLiteral(" 次"));

    m_status = named<QLabel>("status");
    m_status->setWordWrap(true);
    m_status->setTextInteractionFlags(Qt::TextSelectableByMouse);
    m_progress = named<QProgressBar>("progress");
    m_progress->hide();

    auto *fileRow = new QHBoxLayout;
    for (QWidget *widget : std::initializer_list<QWidget *>{m_open, m_save, m_saveAs})
        fileRow->addWidget(widget);
    fileRow->addStretch(1);
    for (QWidget *widget : std::initializer_list<QWidget *>{m_face, m_bold, m_italic, m_brightness})
        fileRow->addWidget(widget);
    auto *sceneButtons = new QVBoxLayout;
    for (QWidget *widget :
         std::initializer_list<QWidget *>{m_add, m_duplicate, m_remove, m_up, m_down})
        sceneButtons->addWidget(widget);
    sceneButtons->addStretch(1);
    auto *sceneRow = new QHBoxLayout;
    sceneRow->addWidget(m_scenes, 1);
    sceneRow->addLayout(sceneButtons);
    auto *timing = new QHBoxLayout;
    for (QWidget *widget : std::initializer_list<QWidget *>{m_effect, m_scans, m_speed})
        timing->addWidget(widget);
    timing->addStretch(1);
    timing->addWidget(m_off);
    timing->addWidget(m_repeat);
    auto *editor = new QFormLayout;
    editor->addRow(QStringLiteral("文字"), m_text);
    editor->addRow(QStringLiteral("效果"), timing);
    auto *statusRow = new QHBoxLayout;
    statusRow->addWidget(m_status, 1);
    statusRow->addWidget(m_progress);
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(fileRow);
    layout->addWidget(m_player);
    layout->addLayout(sceneRow, 1);
    layout->addLayout(editor);
    layout->addLayout(statusRow);
    resize(12 * SketchData::kTitleColumns + 40, 600);

    connect(m_open, &QPushButton::clicked, this, &ShowWindow::openFile);
    connect(m_save, &QPushButton::clicked, this, &ShowWindow::save);
    connect(m_saveAs, &QPushButton::clicked, this, &ShowWindow::saveAs);
    connect(m_face, &QComboBox::currentTextChanged, this, [this](const QString &face) {
        if (!m_filling)
            m_show.face = face, edited();
    });
    connect(m_bold, &QCheckBox::toggled, this, [this](bool on) {
        if (!m_filling)
            m_show.bold = on, edited();
    });
    connect(m_italic, &QCheckBox::toggled, this, [this](bool on) {
        if (!m_filling)
            m_show.italic = on, edited();
    });
    connect(m_brightness, &QSpinBox::valueChanged, this, [this](int value) {
        if (!m_filling)
            m_show.brightness = value, edited();
        m_player->leds()->setLitColour(litColour(value));
    });
    connect(m_burn, &QPushButton::clicked, this, &ShowWindow::burn);

    connect(m_scenes, &QTableWidget::currentCellChanged, this, [this] {
        if (m_filling)
            return;
        fillEditors();
        playCurrent();
    });
    connect(m_add, &QPushButton::clicked, this, [this] {
        addScene(Scene());
        m_text->setFocus();
    });
    connect(m_duplicate, &QPushButton::clicked, this,
            [this] { addScene(m_show.scenes[std::size_t(current())]); });
    connect(m_remove, &QPushButton::clicked, this, [this] {
        const int row = current();
        m_show.scenes.erase(m_show.scenes.begin() + row);
        fillList();
        select(std::min(row, int(m_show.scenes.size()) - 1));
        edited();
    });
    connect(m_up, &QPushButton::clicked, this, [this] { moveScene(-1); });
    connect(m_down, &QPushButton::clicked, this, [this] { moveScene(1); });

    connect(m_text, &QLineEdit::textChanged, this,
            [this](const QString &text) { editScene([&](Scene &scene) { scene.text = text; }); });
    connect(m_effect, &QComboBox::currentIndexChanged, this, [this](int index) {
        // A new effect starts at its own pace, as a file that leaves them out gives it.
        editScene([index](Scene &scene) {
            scene.effect = Effect(index);
            scene.scans = defaultScans(scene.effect);
            scene.repeat = scene.effect == Effect::Blink ? 3 : 1;
        });
    });
    connect(m_scans, &QSpinBox::valueChanged, this,
            [this](int value) { editScene([value](Scene &scene) { scene.scans = value; }); });
    connect(m_off, &QSpinBox::valueChanged, this,
            [this](int value) { editScene([value](Scene &scene) { scene.off = value; }); });
    connect(m_repeat, &QSpinBox::valueChanged, this,
            [this](int value) { editScene([value](Scene &scene) { scene.repeat = value; }); });

    connect(&m_board, &BoardJob::progress, this, [this](BoardJob::Stage stage, int percent) {
        if (!m_burning)
            return m_burn->setEnabled(false);
        setStatus(Messages::stage(stage, percent), false);
        m_progress->setRange(0, percent < 0 ? 0 : 100);
        m_progress->setValue(qMax(percent, 0));
    });
    connect(&m_board, &BoardJob::finished, this, [this](const BoardResult &result) {
        if (!m_burning)
            return m_burn->setEnabled(true);
        boardFinished(result);
    });

    setShow(show);
}

ShowWindow::~ShowWindow()
{
    if (m_modeller) {
        m_modeller->wait();
        delete m_modeller;
    }
}

void ShowWindow::setShow(const Show &show)
{
    m_show = m_saved = show;
    m_path.clear();
    m_filling = true;
    m_face->setCurrentText(show.face);
    m_bold->setChecked(show.bold);
    m_italic->setChecked(show.italic);
    m_brightness->setValue(show.brightness);
    m_filling = false;
    m_player->leds()->setLitColour(litColour(show.brightness));
    fillList();
    select(0);
    updateTitle();
    remodel();
}

int ShowWindow::current() const
{
    return std::max(0, m_scenes->currentRow());
}

void ShowWindow::editScene(const std::function<void(Scene &)> &edit)
{
    if (m_filling)
        return;
    edit(m_show.scenes[std::size_t(current())]);
    fillRow(current());
    fillEditors();
    edited();
}

void ShowWindow::edited()
{
    updateTitle();
    remodel();
}

void ShowWindow::fillList()
{
    m_filling = true;
    m_scenes->setRowCount(int(m_show.scenes.size()));
    for (int row = 0; row < m_scenes->rowCount(); ++row)
        fillRow(row);
    m_filling = false;
}

void ShowWindow::fillRow(int row)
{
    const Scene &scene = m_show.scenes[std::size_t(row)];
    const QString text = scene.text.size() > kListedCharacters
                             ? scene.text.left(kListedCharacters) + QStringLiteral("…")
                             : scene.text;
    const QString cells[] = {
        text, effectLabels()[int(scene.effect)],
        QStringLiteral("%1 次掃描（%2）").arg(scene.scans).arg(speedText(scene)),
        QStringLiteral("%1 次").arg(scene.repeat)};
    for (int column = 0; column < 4; ++column) {
        if (!m_scenes->item(row, column))
            m_scenes->setItem(row, column, new QTableWidgetItem);
        m_scenes->item(row, column)->setText(cells[column]);
    }
}

void ShowWindow::fillEditors()
{
    const Scene &scene = m_show.scenes[std::size_t(current())];
    m_filling = true;
    if (m_text->text() != scene.text)
        m_text->setText(scene.text);
    m_effect->setCurrentIndex(int(scene.effect));
    m_scans->setValue(scene.scans);
    m_speed->setText(speedText(scene));
    m_off->setValue(scene.off);
    m_off->setEnabled(scene.effect == Effect::Blink);
    m_repeat->setValue(scene.repeat);
    m_filling = false;
    const int row = current();
    const int last = int(m_show.scenes.size()) - 1;
    m_remove->setEnabled(last > 0);
    m_up->setEnabled(row > 0);
    m_down->setEnabled(row < last);
}

void ShowWindow::select(int row)
{
    m_filling = true;
    m_scenes->setCurrentCell(row, TextColumn);
    m_filling = false;
    fillEditors();
}

void ShowWindow::addScene(const Scene &scene)
{
    const int row = current() + 1;
    m_show.scenes.insert(m_show.scenes.begin() + row, scene);
    fillList();
    select(row);
    edited();
}

void ShowWindow::moveScene(int by)
{
    const int row = current();
    std::swap(m_show.scenes[std::size_t(row)], m_show.scenes[std::size_t(row + by)]);
    fillRow(row);
    fillRow(row + by);
    select(row + by);
    edited();
}

void ShowWindow::remodel()
{
    if (m_modeller) {
        m_stale = true;
        return;
    }
    m_modeller = QThread::create(
        [this, show = m_show, earlier = m_model] { m_modelled = buildShowModel(show, earlier); });
    connect(m_modeller, &QThread::finished, this, &ShowWindow::modelled);
    m_modeller->start();
}

void ShowWindow::modelled()
{
    m_modeller->wait();
    delete m_modeller;
    m_modeller = nullptr;
    m_model = std::move(m_modelled);
    // The next model starts before this one plays, so it is ready the sooner.
    if (m_stale) {
        m_stale = false;
        remodel();
    }
    playCurrent();
    if (m_model.show != m_show)
        return;
    if (!m_burning)
        showWarnings();
    if (m_burnWaiting)
        startBurning();
    emit caughtUp();
}

void ShowWindow::playCurrent()
{
    // Until a new order of scenes is modelled, the old one plays on.
    const std::size_t row = std::size_t(current());
    if (m_model.program && m_model.show.scenes.size() == m_show.scenes.size())
        m_player->play(m_model.program, m_model.sceneStarts[row]);
}

void ShowWindow::showWarnings()
{
    QStringList lines;
    if (m_model.flashBytes > kBoardFlashLimit)
        lines.append(Messages::flashTooBig(m_model.flashBytes));
    lines += sketchWarnings(SketchData(), m_model.notes, m_model.show.face, true);
    for (QString &line : lines)
        line = QStringLiteral("注意：") + sentence(line);
    setStatus(lines.join(u'\n'), !lines.isEmpty());
}

void ShowWindow::showEvent(QShowEvent *event)
{
    QWidget::showEvent(event);
    playCurrent();
}

QString ShowWindow::folder()
{
    if (m_folder.isEmpty()) {
        const QString documents =
            QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
        m_folder = QFileInfo(documents).isDir() ? documents : QDir::homePath();
    }
    return m_folder;
}

void ShowWindow::updateTitle()
{
    setWindowTitle(
        QStringLiteral("節目") +
        (m_path.isEmpty() ? QString() : QStringLiteral(" — ") + QFileInfo(m_path).fileName()) +
        QStringLiteral("[*]"));
    setWindowModified(m_show != m_saved);
}

void ShowWindow::openFile()
{
    if (!maybeSave())
        return;
    const QString path = askShowPath(this, false, folder());
    if (path.isEmpty())
        return;
    m_folder = QFileInfo(path).absolutePath();
    QByteArray bytes;
    QString reason;
    Show show;
    QString refusal;
    if (!readLimited(path, kShowFileLimit, &bytes, &reason))
        refusal = Messages::cannotRead(path, reason);
    else if (bytes.size() > kShowFileLimit)
        refusal = Messages::badShow(path, Messages::largerThan(kShowFileLimit));
    else if (!readShow(bytes, &show, &reason))
        refusal = Messages::badShow(path, reason);
    if (!refusal.isEmpty()) {
        QMessageBox::warning(this, m_open->text(), sentence(refusal));
        return;
    }
    setShow(show);
    m_path = path;
    updateTitle();
}

bool ShowWindow::save()
{
    return m_path.isEmpty() ? saveAs() : saveTo(m_path);
}

bool ShowWindow::saveAs()
{
    const QString path = askShowPath(
        this, true,
        m_path.isEmpty() ? QDir(folder()).filePath(QStringLiteral("節目.json")) : m_path);
    if (path.isEmpty())
        return false;
    m_folder = QFileInfo(path).absolutePath();
    return saveTo(path);
}

bool ShowWindow::saveTo(const QString &path)
{
    const CliResult result = writeOutput(path, writeShow(m_show));
    if (!result.ok()) {
        QMessageBox::warning(this, m_save->text(), sentence(result.message));
        return false;
    }
    m_path = path;
    m_saved = m_show;
    updateTitle();
    setStatus(QStringLiteral("已儲存 %1").arg(QDir::toNativeSeparators(path)), false);
    return true;
}

bool ShowWindow::maybeSave()
{
    if (!isWindowModified())
        return true;
    const auto answer = QMessageBox::question(
        this, windowTitle().remove(QStringLiteral("[*]")),
        QStringLiteral("節目有未儲存的修改，要先儲存嗎？"),
        QMessageBox::Save | QMessageBox::Discard | QMessageBox::Cancel, QMessageBox::Save);
    if (answer == QMessageBox::Save)
        return save();
    return answer == QMessageBox::Discard;
}

void ShowWindow::closeEvent(QCloseEvent *event)
{
    // Stopped mid-write, the board keeps part of a program; the user decides.
    if (m_burning && m_board.isUploading() &&
        QMessageBox::question(this, m_burn->text(), Messages::closeWhileUploading()) !=
            QMessageBox::Yes)
        return event->ignore();
    if (!maybeSave())
        return event->ignore();
    m_burnWaiting = false;
    if (m_burning)
        m_board.cancel();
    event->accept();
}

void ShowWindow::burn()
{
    if (m_burning)
        return m_board.cancel();
    if (m_board.isRunning())
        return;
    if (m_port().isEmpty())
        return setStatus(sentence(Messages::noPortChosen()), true);
    m_burnWaiting = true;
    if (!m_modeller && m_model.show == m_show)
        startBurning();
    else
        setStatus(QStringLiteral("正在準備節目…"), false);
}

void ShowWindow::startBurning()
{
    m_burnWaiting = false;
    m_burning = true;
    if (m_model.flashBytes > kBoardFlashLimit) {
        BoardResult refused;
        refused.failure = BoardFailure::FlashTooBig;
        refused.programBytes = m_model.flashBytes;
        return boardFinished(refused);
    }
    m_board.start(showSketchCode(m_model.show, m_model.columns), m_port());
    if (!m_board.isRunning())
        return;
    m_burn->setText(QStringLiteral("取消"));
    m_progress->show();
}

void ShowWindow::boardFinished(const BoardResult &result)
{
    m_burning = false;
    m_burn->setText(QStringLiteral("燒錄"));
    m_progress->hide();
    setStatus(sentence(Messages::board(result)), result.failure != BoardFailure::None);
}

void ShowWindow::setStatus(const QString &text, bool failure)
{
    m_status->setStyleSheet(failure ? QStringLiteral("color: #c00000") : QString());
    m_status->setText(text);
}
