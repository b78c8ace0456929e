#include "window/Form1.h"

#include "cli/CliActions.h"
#include "cli/Messages.h"
#include "generator/BoardMemory.h"
#include "generator/DefaultTexts.h"
#include "generator/GenerationRun.h"
#include "generator/TestPattern.h"
#include "generator/TextNotes.h"
#include "output/SketchFile.h"
#include "platform/Clipboard.h"
#include "window/CanvasView.h"
#include "window/PortBox.h"
#include "window/PreviewWindow.h"
#include "window/ShowWindow.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QCoreApplication>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollArea>
#include <QToolButton>

#include <utility>

namespace {

// The layout is kept in twips, as the window was designed; 15 make a pixel at 96 dpi.
constexpr int kTwipsPerPixel = 15;

// A sentence of the shared table as the window shows it: a Chinese full stop.
QString sentence(const QString &text)
{
    return text + QStringLiteral("。");
}

QRect twips(int left, int top, int width, int height)
{
    return QRect(left / kTwipsPerPixel, top / kTwipsPerPixel, width / kTwipsPerPixel,
                 height / kTwipsPerPixel);
}

template <typename Widget, typename... Args>
Widget *control(QWidget *parent, const char *name, const QRect &geometry, Args &&...args)
{
    auto *widget = new Widget(std::forward<Args>(args)..., parent);
    widget->setObjectName(QLatin1String(name));
    widget->setGeometry(geometry);
    return widget;
}

} // namespace

Form1::Form1(Clipboard &clipboard, QWidget *parent) : QWidget(parent), m_clipboard(clipboard)
{
    setObjectName(QStringLiteral("Form1"));
    setWindowTitle(QStringLiteral("Form1"));
    setFixedSize(twips(0, 0, 15090, 8940).size());

    pic = control<CanvasView>(this, "pic", twips(120, 1320, 14775, 495), m_canvas);
    Command1 = control<QPushButton>(this, "Command1", twips(600, 7800, 1695, 495),
                                    QStringLiteral("產生Arduino程式碼"));
    Text1 = control<QLineEdit>(this, "Text1", twips(120, 120, 1215, 495), kDefaultTitle);
    Text2 = control<QLineEdit>(this, "Text2", twips(120, 720, 11175, 495), kDefaultText);
    // Beside the text it can turn into a show of several.
    Command6 = control<QPushButton>(this, "Command6", twips(11400, 720, 1215, 495),
                                    QStringLiteral("節目…"));
    Command6->setToolTip(QStringLiteral("編排多段文字、效果、速度和亮度的節目"));
    Check1 =
        control<QCheckBox>(this, "Check1", twips(240, 2040, 1215, 495), QStringLiteral("粗體"));
    Check2 =
        control<QCheckBox>(this, "Check2", twips(1800, 2040, 1215, 495), QStringLiteral("斜體"));
    Option1 = control<QRadioButton>(this, "Option1", twips(3240, 2040, 1215, 495), kFaceMing);
    Option2 = control<QRadioButton>(this, "Option2", twips(4680, 2040, 1215, 495), kFaceKai);
    Command5 = control<QPushButton>(this, "Command5", twips(3840, 7920, 1215, 495),
                                    QStringLiteral("寫入檔案"));
    Text3 = control<QPlainTextEdit>(this, "Text3", twips(120, 2760, 12255, 4815),
                                    QStringLiteral("Text3"));
    Command2 = control<QPushButton>(this, "Command2", twips(2400, 7800, 1215, 495),
                                    QStringLiteral("複製"));
    Command3 = control<QPushButton>(this, "Command3", twips(5280, 7920, 1215, 495),
                                    QStringLiteral("預覽"));
    Command4 = control<QToolButton>(this, "Command4", twips(6600, 7920, 1215, 495));
    Command4->setText(QStringLiteral("燒錄"));
    Command4->setFocusPolicy(Qt::StrongFocus);
    Command4->setPopupMode(QToolButton::MenuButtonPopup);
    auto *burnMenu = new QMenu(Command4);
    m_burnTestPattern = burnMenu->addAction(QStringLiteral("燒錄測試圖樣"));
    m_burnTestPattern->setObjectName(QStringLiteral("burnTestPattern"));
    Command4->setMenu(burnMenu);
    // The keyboard's menu key reaches the same choice.
    Command4->addAction(m_burnTestPattern);
    Command4->setContextMenuPolicy(Qt::ActionsContextMenu);
    Combo1 = control<PortBox>(this, "Combo1", twips(7920, 7920, 2655, 495));
    // Right of the buttons, where a status line never covers a control.
    // Several warnings take more lines than the place has: they scroll.
    auto *statusArea = control<QScrollArea>(this, "statusArea", twips(10680, 7800, 4215, 735));
    statusArea->setFrameShape(QFrame::NoFrame);
    statusArea->setFocusPolicy(Qt::NoFocus);
    statusArea->setWidgetResizable(true);
    statusArea->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_status = new QLabel;
    m_status->setObjectName(QStringLiteral("status"));
    m_status->setWordWrap(true);
    m_status->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    statusArea->setWidget(m_status);
    connect(m_status, &QLabel::linkActivated, this, &Form1::showLog);
    m_progress = control<QProgressBar>(this, "progress", twips(10680, 8580, 4215, 300));
    m_progress->hide();

    Option1->setChecked(true);
    setSketchPath(sketchFilePath(QCoreApplication::applicationDirPath()));

    QFont codeFont(GlyphCanvas::resolveFamily(kFaceMing), 12);
    codeFont.setWeight(QFont::Normal);
    Text3->setFont(codeFont);
    Text3->setLineWrapMode(QPlainTextEdit::NoWrap);
    Text3->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    Text3->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    // As in a classic multi-line box, Tab moves on instead of typing a tab.
    Text3->setTabChangesFocus(true);

    const QList<QWidget *> tabOrder{pic,    Command1, Text1,    Text2,    Command6,
                                    Check1, Check2,   Option1,  Option2,  Command5,
                                    Text3,  Command2, Command3, Command4, Combo1};
    for (qsizetype i = 1; i < tabOrder.size(); ++i)
        setTabOrder(tabOrder[i - 1], tabOrder[i]);

    connect(Command1, &QPushButton::clicked, this, &Form1::generate);
    connect(Command5, &QPushButton::clicked, this, &Form1::writeSketchFile);
    connect(Command2, &QPushButton::clicked, this, &Form1::copyCode);
    connect(Command3, &QPushButton::clicked, this, &Form1::openPreview);
    connect(Command6, &QPushButton::clicked, this, &Form1::openShow);
    connect(Command4, &QToolButton::clicked, this, &Form1::burn);
    connect(m_burnTestPattern, &QAction::triggered, this, &Form1::burnTestPattern);
    connect(&m_board, &BoardJob::progress, this, &Form1::showBoardProgress);
    connect(&m_board, &BoardJob::finished, this, &Form1::boardFinished);
    // The style follows its box both ways, so the output never contradicts the window.
    connect(Check1, &QCheckBox::toggled, this, [this](bool on) { m_canvas.setFontBold(on); });
    connect(Check2, &QCheckBox::toggled, this, [this](bool on) { m_canvas.setFontItalic(on); });
    connect(Option1, &QRadioButton::toggled, this, [this](bool on) {
        if (on)
            m_canvas.setFontName(kFaceMing);
    });
    connect(Option2, &QRadioButton::toggled, this, [this](bool on) {
        if (on)
            m_canvas.setFontName(kFaceKai);
    });
    // An open preview follows every change of what a run would draw.
    for (QLineEdit *box : {Text1, Text2})
        connect(box, &QLineEdit::textChanged, this, &Form1::refreshPreview);
    for (QAbstractButton *box : std::initializer_list<QAbstractButton *>{Check1, Check2})
        connect(box, &QAbstractButton::toggled, this, &Form1::refreshPreview);
    // Only the option turned on: the font is not chosen yet when the other turns off.
    for (QAbstractButton *option : std::initializer_list<QAbstractButton *>{Option1, Option2})
        connect(option, &QAbstractButton::toggled, this, [this](bool on) {
            if (on)
                refreshPreview();
        });
}

void Form1::setSketchPath(const QString &path)
{
    m_sketchPath = path;
    const QString besideProgram = QDir::toNativeSeparators(QCoreApplication::applicationDirPath() +
                                                           QStringLiteral("/bb/bb.ino"));
    Command5->setToolTip(path == besideProgram ? QStringLiteral("請開啟程式所在資料夾的bb") +
                                                     QDir::separator() + QStringLiteral("bb.ino")
                                               : QStringLiteral("請開啟") + path);
}

SketchData Form1::generate()
{
    SketchData data;
    Text3->setPlainText(codeBoxRun(Text1->text(), Text2->text(), m_canvas, &data));
    pic->update();
    showStatus(QString(), data);
    return data;
}

void Form1::showStatus(const QString &done, const SketchData &data)
{
    QStringList lines;
    const TextNotes notes = textNotes(Text1->text(), Text2->text(), m_canvas);
    for (const QString &warning : sketchWarnings(data, notes, m_canvas.font().name, false))
        lines.append(QStringLiteral("注意：") + sentence(warning));
    // A line in the window rather than a dialog: the user may be trimming the text run by run.
    const bool warned = !lines.isEmpty();
    if (!done.isEmpty())
        lines.prepend(done);
    setStatus(lines.join(u'\n'), warned);
}

void Form1::setStatus(const QString &text, bool failure, const QByteArray &log)
{
    m_status->setStyleSheet(failure ? QStringLiteral("color: #c00000") : QString());
    m_log = log;
    m_statusText = text;
    if (log.isEmpty()) {
        m_status->setTextFormat(Qt::PlainText);
        m_status->setText(text);
        return;
    }
    m_status->setTextFormat(Qt::RichText);
    m_status->setText(text.toHtmlEscaped().replace(u'\n', QStringLiteral("<br>")) +
                      QStringLiteral(" <a href=\"#log\">詳細</a>"));
}

void Form1::showLog()
{
    QMessageBox box(QMessageBox::Warning, Command4->text(), m_statusText, QMessageBox::Ok, this);
    box.setObjectName(QStringLiteral("boardLog"));
    box.setDetailedText(QString::fromLocal8Bit(m_log));
    box.exec();
}

void Form1::writeSketchFile()
{
    const QString &path = m_sketchPath;
    SketchFile file(path);
    SketchData data;
    const bool written = fileRun(Text1->text(), Text2->text(), m_canvas, file, &data);
    pic->update();
    if (written) {
        showStatus(QStringLiteral("已寫入 %1").arg(path), data);
        return;
    }
    m_status->clear();
    QMessageBox::warning(this, Command5->text(),
                         sentence(Messages::cannotWrite(path, file.errorString())));
}

void Form1::openPreview()
{
    if (!m_preview)
        m_preview = new PreviewWindow(this);
    m_preview->show();
    refreshPreview();
    m_preview->raise();
    m_preview->activateWindow();
}

void Form1::refreshPreview()
{
    if (!m_preview || !m_preview->isVisible())
        return;
    // A canvas of its own, so pic and the code box keep the last run's drawing.
    m_previewCanvas.setFontName(m_canvas.font().name);
    m_previewCanvas.setFontBold(m_canvas.font().bold);
    m_previewCanvas.setFontItalic(m_canvas.font().italic);
    m_preview->play(sampleTexts(Text1->text(), Text2->text(), m_previewCanvas, kCodeBoxMargin));
}

void Form1::openShow()
{
    const Show show = classicShow(Text1->text(), Text2->text(), m_canvas.font());
    if (!m_show)
        m_show = new ShowWindow(
            show, m_board, [this] { return Combo1->port(); }, this);
    else if (m_show->isHidden())
        m_show->setShow(show);
    m_show->show();
    m_show->raise();
    m_show->activateWindow();
}

QString Form1::codeText() const
{
    // The box keeps its lines apart with LF; the text it stands for has CR LF.
    return Text3->toPlainText().replace(u'\n', QStringLiteral("\r\n"));
}

void Form1::copyCode()
{
    const QString text = codeText();
    m_clipboard.clear();
    m_clipboard.setText(text);
}

void Form1::burn()
{
    if (m_burning)
        return m_board.cancel();
    if (m_board.isRunning())
        return;
    if (!portChosen())
        return;
    startBurning(codeText(), generate(), false);
}

void Form1::burnTestPattern()
{
    // Its action is disabled while a burn runs.
    if (!m_board.isRunning() && portChosen())
        startBurning(testPatternCode(), SketchData(), true);
}

bool Form1::portChosen()
{
    if (!Combo1->port().isEmpty())
        return true;
    setStatus(sentence(Messages::noPortChosen()), true);
    return false;
}

void Form1::startBurning(const QString &sketch, const SketchData &data, bool testPattern)
{
    m_burning = true;
    m_burningTestPattern = testPattern;
    BoardResult refused;
    refused.port = Combo1->port();
    if (refusedAsTooBig(data, &refused))
        return boardFinished(refused);
    m_board.start(sketch.toUtf8(), Combo1->port());
    if (!m_board.isRunning())
        return;
    Command4->setText(QStringLiteral("取消"));
    m_burnTestPattern->setEnabled(false);
    m_progress->show();
}

void Form1::showBoardProgress(BoardJob::Stage stage, int percent)
{
    // The show window's burn: one at a time.
    if (!m_burning) {
        Command4->setEnabled(false);
        return m_burnTestPattern->setEnabled(false);
    }
    setStatus(Messages::stage(stage, percent), false);
    // Compiling and connecting take no telling how long: a busy bar.
    m_progress->setRange(0, percent < 0 ? 0 : 100);
    m_progress->setValue(qMax(percent, 0));
}

void Form1::boardFinished(const BoardResult &result)
{
    Command4->setEnabled(true);
    m_burnTestPattern->setEnabled(true);
    if (!m_burning)
        return;
    m_burning = false;
    Command4->setText(QStringLiteral("燒錄"));
    m_progress->hide();
    const bool failed = result.failure != BoardFailure::None;
    setStatus(sentence(Messages::board(result, m_burningTestPattern)), failed,
              failed ? result.log : QByteArray());
}

void Form1::closeEvent(QCloseEvent *event)
{
    // The show window may ask to save its show first.
    if (m_show && m_show->isVisible() && !m_show->close())
        return event->ignore();
    // Stopped mid-write, the board keeps part of a program; the user decides.
    if (m_burning && m_board.isUploading() &&
        QMessageBox::question(this, windowTitle(), Messages::closeWhileUploading()) !=
            QMessageBox::Yes)
        return event->ignore();
    m_board.cancel();
    event->accept();
}
