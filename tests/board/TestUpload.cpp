// The product's own upload, from the command line and from 燒錄, to a virtual
// Mega 2560 that runs the board's real bootloader: the flash must hold exactly
// the HEX --hex writes, and the sketch must then scan out the modelled frames.

#include "HexImage.h"
#include "ProbedRuns.h"
#include "canvas/GlyphCanvas.h"
#include "cli/Messages.h"
#include "generator/DefaultTexts.h"
#include "generator/GenerationRun.h"
#include "generator/Show.h"
#include "generator/TestPattern.h"
#include "output/ShowFile.h"
#include "platform/Clipboard.h"
#include "window/Form1.h"
#include "window/ShowWindow.h"

#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QFileInfo>
#include <QLabel>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QProcess>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <csignal>
#include <fcntl.h>
#include <stdlib.h>
#include <unistd.h>

namespace {

struct NoClipboard : Clipboard
{
    void clear() override {}
    void setText(const QString &) override {}
};

// A virtual Mega 2560 on a pseudo-terminal that stops after a number of scans.
class VirtualBoard
{
public:
    // The port to upload to, or empty when the board did not start.
    QString start(long scans)
    {
        m_probe.start(QStringLiteral(PROBE_PATH),
                      {QStringLiteral("--board"), flashPath(), QString::number(scans)});
        while (!m_probe.canReadLine() && m_probe.waitForReadyRead(30000)) {
        }
        const QString line = QString::fromLatin1(m_probe.readLine()).trimmed();
        return line.startsWith(u"pty ") ? line.mid(4) : QString();
    }
    // The run lines the sketch scanned out; empty when the board failed.
    QStringList runs()
    {
        if (!m_probe.waitForFinished(120000) || m_probe.exitCode() != 0)
            return {};
        return QString::fromLatin1(m_probe.readAllStandardOutput())
            .split(u'\n', Qt::SkipEmptyParts)
            .filter(QStringLiteral("run "));
    }
    QByteArray flash() const
    {
        QFile file(flashPath());
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }

    // The port goes away with the board, as when its cable is pulled.
    void unplug()
    {
        m_probe.kill();
        m_probe.waitForFinished();
    }

private:
    QString flashPath() const { return m_dir.filePath(QStringLiteral("flash.bin")); }

    QTemporaryDir m_dir;
    QProcess m_probe;
};

// A pseudo-terminal whose other end nobody reads; says whether anything was sent to it.
class DeafPort
{
public:
    DeafPort() : m_master(posix_openpt(O_RDWR | O_NOCTTY | O_NONBLOCK))
    {
        grantpt(m_master);
        unlockpt(m_master);
    }
    ~DeafPort() { close(m_master); }
    QString path() const { return QString::fromLatin1(ptsname(m_master)); }
    bool touched() const
    {
        char byte;
        return read(m_master, &byte, 1) == 1;
    }

private:
    int m_master;
};

QByteArray cli(const QStringList &arguments, int *status, QByteArray *err = nullptr,
               const QString &folder = {})
{
    QProcess process;
    process.setWorkingDirectory(folder);
    process.start(QStringLiteral(CLI_PATH), arguments);
    process.waitForFinished(120000);
    *status = process.exitCode();
    if (err)
        *err = process.readAllStandardError();
    return process.readAllStandardOutput();
}

// Whether an avrdude talks to port.
bool avrdudeRunsOn(const QString &port)
{
    for (const QString &pid : QDir(QStringLiteral("/proc")).entryList(QDir::Dirs)) {
        QFile cmdline(QStringLiteral("/proc/%1/cmdline").arg(pid));
        if (!cmdline.open(QIODevice::ReadOnly))
            continue;
        const QByteArray words = cmdline.readAll();
        if (QFileInfo(QString::fromLocal8Bit(words.left(words.indexOf('\0')))).fileName() ==
                u"avrdude" &&
            words.contains(port.toUtf8() + '\0'))
            return true;
    }
    return false;
}

} // namespace

class TestUpload : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();
    void uploadRunsAsModelled_data();
    void uploadRunsAsModelled();
    void showUploadRunsAsModelled_data();
    void showUploadRunsAsModelled();
    void refused_data();
    void refused();
    void cliInterrupted_data();
    void cliInterrupted();
    void withoutAnswer_data();
    void withoutAnswer();
    void windowInterrupted_data();
    void windowInterrupted();
    void windowClosedMidUpload();

private:
    template <typename T> T *control(const char *name)
    {
        return m_form->findChild<T *>(QLatin1String(name));
    }
    QString status() { return control<QLabel>("status")->text(); }

    QTemporaryDir m_dir;
    // The text's sketch and the wiring test's: their flash images and scans.
    QByteArray m_image[2];
    ProbedRuns m_expected[2];
    NoClipboard m_clipboard;
    std::unique_ptr<Form1> m_form;
};

void TestUpload::initTestCase()
{
    Messages::installTranslations(QLocale(QLocale::Chinese, QLocale::Taiwan));
    for (const bool pattern : {false, true}) {
        int status = -1;
        const QString hex = m_dir.filePath(QStringLiteral("%1.hex").arg(pattern));
        cli(pattern ? QStringList{"--test-pattern", "--hex", hex} : QStringList{"--hex", hex},
            &status);
        QCOMPARE(status, 0);
        QFile file(hex);
        QVERIFY(file.open(QIODevice::ReadOnly));
        m_image[pattern] = hexImage(file.readAll());
        QVERIFY(m_image[pattern].size() > 500);
    }
    GlyphCanvas canvas;
    SketchData data;
    codeBoxRun(kDefaultTitle, kDefaultText, canvas, &data);
    m_expected[false] = probedRuns(displayProgram(data));
    m_expected[true] = probedRuns(testPatternProgram());
}

void TestUpload::init()
{
    m_form = std::make_unique<Form1>(m_clipboard);
    m_form->show();
}

void TestUpload::cleanup()
{
    m_form.reset();
}

void TestUpload::uploadRunsAsModelled_data()
{
    QTest::addColumn<bool>("window");
    QTest::addColumn<bool>("pattern");
    QTest::newRow("command line") << false << false;
    QTest::newRow("燒錄") << true << false;
    QTest::newRow("燒錄測試圖樣") << true << true;
}

void TestUpload::uploadRunsAsModelled()
{
    QFETCH(bool, window);
    QFETCH(bool, pattern);
    VirtualBoard board;
    const QString port = board.start(m_expected[pattern].scans);
    QVERIFY(!port.isEmpty());
    if (window) {
        control<QComboBox>("Combo1")->setEditText(port);
        if (pattern)
            control<QAction>("burnTestPattern")->trigger();
        else
            QTest::mouseClick(control<QAbstractButton>("Command4"), Qt::LeftButton);
        QCOMPARE(control<QAbstractButton>("Command4")->text(), QStringLiteral("取消"));
        QTRY_VERIFY_WITH_TIMEOUT(status().startsWith(QStringLiteral("已燒錄")), 60000);
        QCOMPARE(control<QAbstractButton>("Command4")->text(), QStringLiteral("燒錄"));
        // The wiring test leaves the text's work alone.
        QCOMPARE(control<QPlainTextEdit>("Text3")->toPlainText() == QStringLiteral("Text3"),
                 pattern);
    } else {
        // A port named from the current folder, through a link, as udev rules make them.
        QVERIFY(QFile::link(port, m_dir.filePath(QStringLiteral("myboard"))));
        int status = -1;
        QByteArray err;
        cli({QStringLiteral("--upload"), QStringLiteral("myboard")}, &status, &err, m_dir.path());
        QFile::remove(m_dir.filePath(QStringLiteral("myboard")));
        QVERIFY2(status == 0, err.constData());
    }
    QCOMPARE(board.runs(), m_expected[pattern].lines);
    const QByteArray flash = board.flash();
    const QByteArray &image = m_image[pattern];
    QCOMPARE(flash.left(image.size()), image);
    QCOMPARE(flash.mid(image.size()).count('\xff'), flash.size() - image.size());
}

void TestUpload::showUploadRunsAsModelled_data()
{
    QTest::addColumn<bool>("window");
    QTest::newRow("command line") << false;
    QTest::newRow("節目 燒錄") << true;
}

// A show, uploaded from the command line or the show window, leaves its HEX in
// the flash and plays as modelled.
void TestUpload::showUploadRunsAsModelled()
{
    QFETCH(bool, window);
    const QByteArray json = R"({"brightness": 5, "scenes": [
        {"text": "節目", "effect": "scroll-down", "scans": 2},
        {"text": "燒錄", "effect": "run-right", "scans": 1}]})";
    const QString path = m_dir.filePath(QStringLiteral("show.json"));
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly) && file.write(json) == json.size());
    file.close();
    Show show;
    QString error;
    QVERIFY(readShow(json, &show, &error));
    const ProbedRuns expected = probedRuns(showProgram(show, sampleShow(show)));

    int status = -1;
    const QString hex = m_dir.filePath(QStringLiteral("show.hex"));
    cli({"--show", path, "--hex", hex}, &status);
    QCOMPARE(status, 0);
    QFile hexFile(hex);
    QVERIFY(hexFile.open(QIODevice::ReadOnly));
    const QByteArray image = hexImage(hexFile.readAll());

    VirtualBoard board;
    const QString port = board.start(expected.scans);
    QVERIFY(!port.isEmpty());
    if (window) {
        control<QComboBox>("Combo1")->setEditText(port);
        QTest::mouseClick(control<QAbstractButton>("Command6"), Qt::LeftButton);
        auto *shows = m_form->findChild<ShowWindow *>();
        QVERIFY(shows);
        shows->setShow(show);
        auto *burn = shows->findChild<QPushButton *>("burn");
        QTest::mouseClick(burn, Qt::LeftButton);
        QTRY_COMPARE(burn->text(), QStringLiteral("取消"));
        // One upload at a time: the main window's waits.
        QVERIFY(!control<QAbstractButton>("Command4")->isEnabled());
        QTRY_VERIFY_WITH_TIMEOUT(
            shows->findChild<QLabel *>("status")->text().startsWith(QStringLiteral("已燒錄")),
            60000);
        QCOMPARE(burn->text(), QStringLiteral("燒錄"));
        QVERIFY(control<QAbstractButton>("Command4")->isEnabled());
    } else {
        QByteArray err;
        cli({"--show", path, "--upload", port}, &status, &err);
        QVERIFY2(status == 0, err.constData());
    }
    QCOMPARE(board.runs(), expected.lines);
    QCOMPARE(board.flash().left(image.size()), image);
}

void TestUpload::refused_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<QString>("message");
    QTest::newRow("missing port") << QStringList{"--upload", "/dev/no-such-port"}
                                  << "there is no port /dev/no-such-port";
    QTest::newRow("too long for SRAM")
        << QStringList{"--text", QString(300, u'a'), "--upload", "PORT"}
        << "more than the board's 8192";
}

void TestUpload::refused()
{
    QFETCH(QStringList, arguments);
    QFETCH(QString, message);
    DeafPort port;
    arguments.replaceInStrings(QStringLiteral("PORT"), port.path());
    int status = -1;
    QByteArray err;
    cli(arguments, &status, &err);
    QCOMPARE(status, 1);
    QVERIFY2(QString::fromUtf8(err).contains(message), err.constData());
    QVERIFY(!port.touched());
}

// A signal mid-upload stops avrdude, so the port is free at once, and says
// what the board may now hold.
void TestUpload::cliInterrupted_data()
{
    QTest::addColumn<int>("signal");
    QTest::newRow("SIGINT") << SIGINT;
    QTest::newRow("SIGTERM") << SIGTERM;
}

void TestUpload::cliInterrupted()
{
    QFETCH(int, signal);
    VirtualBoard board;
    const QString port = board.start(1);
    QVERIFY(!port.isEmpty());
    QProcess process;
    process.start(QStringLiteral(CLI_PATH), {QStringLiteral("--upload"), port});
    QTRY_VERIFY_WITH_TIMEOUT(avrdudeRunsOn(port), 30000);
    kill(pid_t(process.processId()), signal);
    QVERIFY(process.waitForFinished(10000));
    QCOMPARE(process.exitCode(), 128 + signal);
    QVERIFY(!avrdudeRunsOn(port));
    QVERIFY(process.readAllStandardError().contains("the board may hold part of a program"));
}

// No answer: one sentence, and the tools' own words a click or --verbose away.
void TestUpload::withoutAnswer_data()
{
    QTest::addColumn<bool>("window");
    QTest::newRow("燒錄, 詳細") << true;
    QTest::newRow("command line, --verbose") << false;
}

void TestUpload::withoutAnswer()
{
    QFETCH(bool, window);
    DeafPort port;
    if (!window) {
        int status = -1;
        QByteArray err;
        cli({"--verbose", "--upload", port.path()}, &status, &err);
        QCOMPARE(status, 1);
        QVERIFY2(err.contains("$ avr-gcc --version") && err.contains("$ avrdude -p atmega2560"),
                 err.constData());
        QVERIFY(err.trimmed().endsWith("holds the port"));
        return;
    }
    control<QComboBox>("Combo1")->setEditText(port.path());
    QTest::mouseClick(control<QAbstractButton>("Command4"), Qt::LeftButton);
    QTRY_VERIFY_WITH_TIMEOUT(status().contains(QStringLiteral("沒有回應")), 30000);
    QCOMPARE(control<QAbstractButton>("Command4")->text(), QStringLiteral("燒錄"));

    QString details;
    QTimer::singleShot(100, [&] {
        if (auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget())) {
            details = box->detailedText();
            box->accept();
        }
    });
    QVERIFY(status().contains(QStringLiteral("詳細")));
    emit control<QLabel>("status")->linkActivated(QStringLiteral("#log"));
    QVERIFY2(details.contains(QStringLiteral("$ avrdude")), qPrintable(details));
}

void TestUpload::windowInterrupted_data()
{
    QTest::addColumn<bool>("unplug");
    QTest::addColumn<QString>("message");
    QTest::newRow("取消") << false << QStringLiteral("已取消");
    QTest::newRow("board unplugged") << true << QStringLiteral("燒錄時連接埠");
}

void TestUpload::windowInterrupted()
{
    QFETCH(bool, unplug);
    QFETCH(QString, message);
    VirtualBoard board;
    const QString port = board.start(1);
    QVERIFY(!port.isEmpty());
    control<QComboBox>("Combo1")->setEditText(port);
    auto *burn = control<QAbstractButton>("Command4");
    QTest::mouseClick(burn, Qt::LeftButton);
    QTRY_VERIFY_WITH_TIMEOUT(status().startsWith(QStringLiteral("寫入板子")), 30000);
    if (unplug)
        board.unplug();
    else
        QTest::mouseClick(burn, Qt::LeftButton);
    QTRY_VERIFY_WITH_TIMEOUT(status().startsWith(message), 30000);
    QCOMPARE(burn->text(), QStringLiteral("燒錄"));
}

// Closing the window mid-upload asks first; kept open, the upload goes on;
// closed, avrdude is stopped with it.
void TestUpload::windowClosedMidUpload()
{
    VirtualBoard board;
    const QString port = board.start(1);
    QVERIFY(!port.isEmpty());
    control<QComboBox>("Combo1")->setEditText(port);
    QTest::mouseClick(control<QAbstractButton>("Command4"), Qt::LeftButton);
    QTRY_VERIFY_WITH_TIMEOUT(status().startsWith(QStringLiteral("寫入板子")), 30000);

    for (const auto answer : {QMessageBox::No, QMessageBox::Yes}) {
        QString asked;
        QTimer::singleShot(100, [&] {
            if (auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget())) {
                asked = box->text();
                box->button(answer)->click();
            }
        });
        const bool closed = m_form->close();
        QVERIFY2(asked.contains(QStringLiteral("燒錄還沒完成")), qPrintable(asked));
        QCOMPARE(closed, answer == QMessageBox::Yes);
        // Kept open, the upload goes on; closed, avrdude is killed at once.
        if (answer == QMessageBox::No)
            QVERIFY(avrdudeRunsOn(port));
    }
    QTRY_VERIFY_WITH_TIMEOUT(!avrdudeRunsOn(port), 1000);
}

QTEST_MAIN(TestUpload)
#include "TestUpload.moc"
