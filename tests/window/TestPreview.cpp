#include "canvas/GlyphCanvas.h"
#include "cli/CommandLine.h"
#include "generator/DefaultTexts.h"
#include "generator/DisplayProgram.h"
#include "generator/GenerationRun.h"
#include "generator/TestPattern.h"
#include "output/LedPicture.h"
#include "platform/Clipboard.h"
#include "window/Form1.h"
#include "window/LedMatrixView.h"
#include "window/PreviewWindow.h"

#include "Dialogs.h"

#include <QBuffer>
#include <QCheckBox>
#include <QComboBox>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QProgressDialog>
#include <QPushButton>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <gif_lib.h>

#include <cmath>
#include <memory>

namespace {

class NoClipboard : public Clipboard
{
public:
    void clear() override {}
    void setText(const QString &) override {}
};

// The display program of a code-box run on the given inputs.
std::vector<DisplayStep> modelOf(const QString &title, const QString &text,
                                 const QString &face = kFaceMing, bool bold = false,
                                 bool italic = false)
{
    GlyphCanvas canvas;
    canvas.setFontName(face);
    canvas.setFontBold(bold);
    canvas.setFontItalic(italic);
    return displayProgram(sampleTexts(title, text, canvas, kCodeBoxMargin));
}

double millisecondsOf(const DisplayStep &step)
{
    return step.scans * kScanMicroseconds / 1000;
}

QString labelOf(const DisplayStep &step)
{
    return QStringLiteral("%1 %2/%3")
        .arg(phaseName(step.phase))
        .arg(step.position + 1)
        .arg(step.positions);
}

// Which LEDs a picture of the matrix shows lit, read at each LED's centre.
LedFrame litIn(const QImage &picture, const QRect &area)
{
    LedFrame frame{};
    for (int x = 0; x < SketchData::kTitleColumns; ++x) {
        for (int y = 0; y < SketchData::kRows; ++y) {
            if (picture.pixel(ledRect(area, x, y).center()) == kLedLit)
                frame[x] |= quint16(1u << y);
        }
    }
    return frame;
}

struct GifCloser
{
    void operator()(GifFileType *gif) const
    {
        int error = 0;
        DGifCloseFile(gif, &error);
    }
};

} // namespace

class TestPreview : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void opensOnce();
    void showsTheModel_data();
    void showsTheModel();
    void waitsAsTheBoard_data();
    void waitsAsTheBoard();
    void keepsTheBoardsTime_data();
    void keepsTheBoardsTime();
    void restartsOnChange_data();
    void restartsOnChange();
    void playsTestPattern();
    void savesGif();
    void gifFailureIsReported();
    void canceledGifKeepsEarlierFile();

private:
    template <typename T> T *form(const char *name) const
    {
        return m_form->findChild<T *>(QLatin1String(name));
    }
    template <typename T> T *preview(const char *name) const
    {
        return m_preview->findChild<T *>(QLatin1String(name));
    }
    void steps(int count) const
    {
        for (int i = 0; i < count; ++i)
            QTest::mouseClick(preview<QPushButton>("step"), Qt::LeftButton);
    }
    QString phase() const { return preview<QLabel>("phase")->text(); }
    // Clicks 儲存 GIF and waits until saving ends; returns what a message box said.
    QString saveGif(const QString &path, QString *suggested = nullptr) const
    {
        m_preview->askGifPath = [path, suggested](QWidget *, const QString &offered) {
            if (suggested)
                *suggested = offered;
            return path;
        };
        auto *button = preview<QPushButton>("saveGif");
        QTest::mouseClick(button, Qt::LeftButton);
        return messageUntil([button] { return button->isEnabled(); });
    }
    LedFrame shown() const
    {
        auto *leds = preview<LedMatrixView>("leds");
        return litIn(leds->grab().toImage(), leds->rect());
    }

    qint64 m_now = 1000;
    NoClipboard m_clipboard;
    std::unique_ptr<Form1> m_form;
    PreviewWindow *m_preview = nullptr;
};

void TestPreview::init()
{
    m_form = std::make_unique<Form1>(m_clipboard);
    m_form->show();
    QTest::mouseClick(form<QPushButton>("Command3"), Qt::LeftButton);
    m_preview = m_form->findChild<PreviewWindow *>();
    QVERIFY(m_preview);
    QVERIFY(QTest::qWaitForWindowExposed(m_preview));
    // Time moves only when a test moves it; opening again plays afresh on that clock.
    m_preview->now = [this] { return m_now; };
    QTest::mouseClick(form<QPushButton>("Command3"), Qt::LeftButton);
    // Tests walk the program by hand.
    QTest::mouseClick(preview<QPushButton>("pause"), Qt::LeftButton);
}

void TestPreview::cleanup()
{
    m_form.reset();
}

void TestPreview::opensOnce()
{
    QCOMPARE(m_preview->windowTitle(), QStringLiteral("LED 預覽"));
    QVERIFY(m_preview->isWindow());
    QVERIFY(!m_preview->isModal());
    QTest::mouseClick(preview<QPushButton>("pause"), Qt::LeftButton);
    QVERIFY(preview<QTimer>("clock")->isActive());
    m_preview->close();
    QVERIFY(!preview<QTimer>("clock")->isActive());
    QTest::mouseClick(form<QPushButton>("Command3"), Qt::LeftButton);
    QVERIFY(preview<QTimer>("clock")->isActive());
    QCOMPARE(m_form->findChildren<PreviewWindow *>().size(), 1);
    QVERIFY(m_preview->isVisible());
    // At least 8 px a LED.
    QVERIFY(preview<LedMatrixView>("leds")->width() >= 8 * SketchData::kTitleColumns);
    QVERIFY(preview<LedMatrixView>("leds")->height() >= 8 * SketchData::kRows);
}

void TestPreview::showsTheModel_data()
{
    QTest::addColumn<int>("step");
    QTest::newRow("title lit") << 0;
    QTest::newRow("title dark") << 1;
    QTest::newRow("third blink") << 4;
    QTest::newRow("scroll-up") << 10;
    QTest::newRow("marquee") << 22 + 300;
    QTest::newRow("back to the start") << int(modelOf(kDefaultTitle, kDefaultText).size());
}

void TestPreview::showsTheModel()
{
    QFETCH(int, step);
    const std::vector<DisplayStep> model = modelOf(kDefaultTitle, kDefaultText);
    steps(step);
    const DisplayStep &expected = model[step % model.size()];
    QCOMPARE(phase(), labelOf(expected));
    QVERIFY(shown() == expected.frame);
}

void TestPreview::waitsAsTheBoard_data()
{
    QTest::addColumn<int>("step");
    QTest::addColumn<int>("speed"); // index in the speed box: ×1, ×2, ×4

    QTest::newRow("blink, ×1") << 2 << 0;
    QTest::newRow("dark, ×2") << 1 << 1;
    QTest::newRow("scroll-up, ×1") << 8 << 0;
    QTest::newRow("marquee, ×4") << 40 << 2;
}

void TestPreview::waitsAsTheBoard()
{
    QFETCH(int, step);
    QFETCH(int, speed);
    const DisplayStep expected = modelOf(kDefaultTitle, kDefaultText)[step];
    steps(step);
    preview<QComboBox>("speed")->setCurrentIndex(speed);
    QTest::mouseClick(preview<QPushButton>("pause"), Qt::LeftButton);

    const auto *clock = preview<QTimer>("clock");
    QVERIFY(clock->isActive());
    QCOMPARE(clock->interval(), int(std::lround(millisecondsOf(expected) / (1 << speed))));
}

enum TimeEvent { PausedAWhile, SpedUpFourTimes, StepEnded };

void TestPreview::keepsTheBoardsTime_data()
{
    QTest::addColumn<int>("step");
    QTest::addColumn<double>("played"); // milliseconds into the step at ×1
    QTest::addColumn<int>("event");

    const std::vector<DisplayStep> model = modelOf(kDefaultTitle, kDefaultText);
    QTest::newRow("resumes where it paused") << 0 << 200.0 << int(PausedAWhile);
    QTest::newRow("what is left plays faster") << 8 << 40.0 << int(SpedUpFourTimes);
    QTest::newRow("a late step shortens the next") << 2 << 700.0 << int(StepEnded);
    QTest::newRow("lateness carries into the next pass")
        << int(model.size()) - 1 << millisecondsOf(model.back()) + 20 << int(StepEnded);
}

void TestPreview::keepsTheBoardsTime()
{
    QFETCH(int, step);
    QFETCH(double, played);
    QFETCH(int, event);
    const std::vector<DisplayStep> model = modelOf(kDefaultTitle, kDefaultText);
    steps(step);
    QTest::mouseClick(preview<QPushButton>("pause"), Qt::LeftButton);
    m_now += std::lround(played);

    auto *clock = preview<QTimer>("clock");
    double left = millisecondsOf(model[step]) - played;
    int speed = 1;
    switch (event) {
    case PausedAWhile:
        QTest::mouseClick(preview<QPushButton>("pause"), Qt::LeftButton);
        m_now += 5000;
        QTest::mouseClick(preview<QPushButton>("pause"), Qt::LeftButton);
        break;
    case SpedUpFourTimes:
        preview<QComboBox>("speed")->setCurrentIndex(2);
        speed = 4;
        break;
    case StepEnded:
        QVERIFY(QMetaObject::invokeMethod(clock, "timeout"));
        step = (step + 1) % int(model.size());
        left += millisecondsOf(model[step]);
        break;
    }
    QCOMPARE(phase(), labelOf(model[step]));
    QVERIFY(clock->isActive());
    QCOMPARE(clock->interval(), int(std::lround(left / speed)));
}

void TestPreview::restartsOnChange_data()
{
    QTest::addColumn<QString>("control");
    QTest::addColumn<QString>("title");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("face");
    QTest::addColumn<bool>("bold");
    QTest::addColumn<bool>("italic");

    QTest::newRow("text") << "Text2" << kDefaultTitle << "跑馬燈" << kFaceMing << false << false;
    QTest::newRow("title") << "Text1"
                           << "特價" << kDefaultText << kFaceMing << false << false;
    QTest::newRow("粗體") << "Check1" << kDefaultTitle << kDefaultText << kFaceMing << true
                          << false;
    QTest::newRow("斜體") << "Check2" << kDefaultTitle << kDefaultText << kFaceMing << false
                          << true;
    QTest::newRow("標楷體") << "Option2" << kDefaultTitle << kDefaultText << kFaceKai << false
                            << false;
}

void TestPreview::restartsOnChange()
{
    QFETCH(QString, control);
    QFETCH(QString, title);
    QFETCH(QString, text);
    QFETCH(QString, face);
    QFETCH(bool, bold);
    QFETCH(bool, italic);

    steps(30);
    if (auto *box = form<QLineEdit>(control.toLatin1()))
        box->setText(control == u"Text1" ? title : text);
    else
        QTest::mouseClick(form<QAbstractButton>(control.toLatin1()), Qt::LeftButton);

    const std::vector<DisplayStep> model = modelOf(title, text, face, bold, italic);
    QCOMPARE(phase(), labelOf(model[0]));
    QVERIFY(shown() == model[0].frame);
    steps(22 + 70);
    QCOMPARE(phase(), labelOf(model[22 + 70]));
    QVERIFY(shown() == model[22 + 70].frame);
}

void TestPreview::savesGif()
{
    form<QLineEdit>("Text2")->setText(QStringLiteral("跑馬燈"));
    const std::vector<DisplayStep> model = modelOf(kDefaultTitle, "跑馬燈");
    QTemporaryDir folder;
    const QString path = folder.filePath(QStringLiteral("sign.gif"));
    QString suggested;
    QCOMPARE(saveGif(path, &suggested), QString());
    // Never beside the program, which may be installed where nobody writes.
    QVERIFY2(!suggested.startsWith(QCoreApplication::applicationDirPath()), qPrintable(suggested));
    // The next time, the folder it went to; the dialog canceled.
    QCOMPARE(saveGif(QString(), &suggested), QString());
    QCOMPARE(QFileInfo(suggested).absolutePath(), folder.path());

    int error = 0;
    const std::unique_ptr<GifFileType, GifCloser> gif(
        DGifOpenFileName(path.toLocal8Bit().constData(), &error));
    QVERIFY(gif);
    QCOMPARE(DGifSlurp(gif.get()), GIF_OK);
    QCOMPARE(gif->ImageCount, int(model.size()));
    const int pitch = LedMatrixView::kMinimumPitch;
    const QRect area(0, 0, pitch * SketchData::kTitleColumns, pitch * SketchData::kRows);
    for (int image : {0, 22 + 100}) {
        const SavedImage &saved = gif->SavedImages[image];
        QImage picture(area.size(), QImage::Format_RGB32);
        for (int y = 0; y < area.height(); ++y) {
            for (int x = 0; x < area.width(); ++x) {
                const GifColorType colour =
                    gif->SColorMap->Colors[saved.RasterBits[y * saved.ImageDesc.Width + x]];
                picture.setPixel(x, y, qRgb(colour.Red, colour.Green, colour.Blue));
            }
        }
        QVERIFY2(litIn(picture, area) == model[image].frame, qPrintable(QString::number(image)));
    }
    GraphicsControlBlock first{};
    DGifSavedExtensionToGCB(gif.get(), 0, &first);
    QCOMPARE(first.DelayTime, int(std::lround(101 * kScanMicroseconds / 10000)));

    // The command line's --gif writes the very same file for the same inputs.
    const QString written = folder.filePath(QStringLiteral("cli.gif"));
    QBuffer out;
    QBuffer err;
    out.open(QIODevice::WriteOnly);
    err.open(QIODevice::WriteOnly);
    QCOMPARE(runCommandLine({"marquee-sketch-cli", "--text", "跑馬燈", "--gif", written}, out, err),
             0);
    QCOMPARE(out.data(), QByteArray());
    QFile saved(path);
    QFile fromCli(written);
    QVERIFY(saved.open(QIODevice::ReadOnly) && fromCli.open(QIODevice::ReadOnly));
    QVERIFY(fromCli.readAll() == saved.readAll());
}

void TestPreview::gifFailureIsReported()
{
    QTemporaryDir folder;
    const QString path = folder.filePath(QStringLiteral("missing/sign.gif"));
    const QString message = saveGif(path);
    QVERIFY2(message.contains(QDir::toNativeSeparators(path)), qPrintable(message));
    QVERIFY(!QFile::exists(path));
    QVERIFY(m_preview->isVisible());
}

void TestPreview::playsTestPattern()
{
    const std::vector<DisplayStep> pattern = testPatternProgram();
    auto *toggle = preview<QPushButton>("testPattern");
    QTest::mouseClick(toggle, Qt::LeftButton);
    QCOMPARE(phase(), labelOf(pattern[0]));
    QVERIFY(shown() == pattern[0].frame);
    steps(64 + 16);
    QCOMPARE(phase(), labelOf(pattern[64 + 16]));
    QVERIFY(shown() == pattern[64 + 16].frame);
    // A change of text waits until the test is turned off.
    form<QLineEdit>("Text2")->setText(QStringLiteral("跑馬燈"));
    QCOMPARE(phase(), labelOf(pattern[64 + 16]));
    QTest::mouseClick(toggle, Qt::LeftButton);
    const std::vector<DisplayStep> model = modelOf(kDefaultTitle, "跑馬燈");
    QCOMPARE(phase(), labelOf(model[0]));
    QVERIFY(shown() == model[0].frame);
}

void TestPreview::canceledGifKeepsEarlierFile()
{
    // Long enough that saving is still going when 取消 comes.
    form<QLineEdit>("Text2")->setText(QString(2000, u'跑'));
    QTemporaryDir folder;
    const QString path = folder.filePath(QStringLiteral("sign.gif"));
    const QByteArray earlier = "an earlier file";
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly) && file.write(earlier) == earlier.size());
    file.close();
    m_preview->askGifPath = [&path](QWidget *, const QString &) { return path; };
    auto *button = preview<QPushButton>("saveGif");
    QTest::mouseClick(button, Qt::LeftButton);
    auto *progress = m_preview->findChild<QProgressDialog *>("gifProgress");
    QVERIFY(progress);
    QTRY_VERIFY(progress->isVisible() && progress->value() > 0);
    QTest::mouseClick(progress->findChild<QPushButton *>(), Qt::LeftButton);
    QCOMPARE(messageUntil([button] { return button->isEnabled(); }), QString());
    QVERIFY(file.open(QIODevice::ReadOnly));
    QCOMPARE(file.readAll(), earlier);
    QCOMPARE(QDir(folder.path()).entryList(QDir::Files), QStringList{"sign.gif"});
}

QTEST_MAIN(TestPreview)
#include "TestPreview.moc"
