// Generated sketches, compiled for the ATmega2560 and run on a simulated board,
// must scan out exactly the frames the display-program model says, and need
// exactly the SRAM the memory check counts.

#include "HexImage.h"
#include "ProbedRuns.h"
#include "board/BoardJob.h"
#include "canvas/GlyphCanvas.h"
#include "cli/CommandLine.h"
#include "generator/BoardMemory.h"
#include "generator/DefaultTexts.h"
#include "generator/DisplayProgram.h"
#include "generator/GenerationRun.h"
#include "generator/ShowSketch.h"
#include "generator/TestPattern.h"
#include "output/AnsiSink.h"

#include <QBuffer>
#include <QProcess>
#include <QRegularExpression>
#include <QSignalSpy>
#include <QTest>

namespace {

// Runs program and returns its standard output; fails the test on error.
QByteArray output(const QString &program, const QStringList &arguments)
{
    QProcess process;
    process.start(program, arguments);
    if (!process.waitForFinished(120000) || process.exitStatus() != QProcess::NormalExit ||
        process.exitCode() != 0) {
        qWarning().noquote() << program << arguments.join(' ')
                             << "failed:" << process.readAllStandardError();
        return {};
    }
    return process.readAllStandardOutput();
}

// The SRAM an ELF's variables take, from avr-size's section table: the data
// copied in at start-up and the zeroed and uninitialised areas.
int staticSram(const QString &elf)
{
    static const QRegularExpression row(QStringLiteral("^\\.(data|bss|noinit)\\s+(\\d+)"),
                                        QRegularExpression::MultilineOption);
    int bytes = 0;
    const QString table = QString::fromLatin1(output(QStringLiteral("avr-size"), {"-A", elf}));
    for (auto match = row.globalMatch(table); match.hasNext();)
        bytes += match.next().captured(2).toInt();
    return bytes;
}

// What the simulated board printed of the program in elf over scans scans.
QStringList probe(const QString &elf, long scans)
{
    return QString::fromLatin1(output(QStringLiteral(PROBE_PATH), {elf, QString::number(scans)}))
        .split(u'\n', Qt::SkipEmptyParts);
}

} // namespace

class TestBoardRun : public QObject
{
    Q_OBJECT

private slots:
    void sketchRunsAsModelled_data();
    void sketchRunsAsModelled();
    void testPatternRunsAsModelled();
    void showRunsAsModelled_data();
    void showRunsAsModelled();
};

void TestBoardRun::sketchRunsAsModelled_data()
{
    QTest::addColumn<QString>("title");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("face");
    QTest::addColumn<bool>("bold");
    QTest::addColumn<bool>("italic");
    QTest::addColumn<bool>("fileLayout");
    QTest::addColumn<long>("scanLimit"); // 0: the whole pass

    QTest::newRow("default, code box")
        << kDefaultTitle << kDefaultText << kFaceMing << false << false << false << 0L;
    QTest::newRow("default, file")
        << kDefaultTitle << kDefaultText << kFaceMing << false << false << true << 0L;
    QTest::newRow("empty text") << kDefaultTitle << QString() << kFaceMing << false << false
                                << false << 0L;
    QTest::newRow("標楷體 bold italic") << QStringLiteral("特價") << QStringLiteral("粗斜體標楷")
                                        << kFaceKai << true << true << false << 0L;
    // Full-width characters overrun the width estimate, so c is as long as the ink.
    QTest::newRow("long text, file") << kDefaultTitle << QStringLiteral("跑馬燈").repeated(10)
                                     << kFaceMing << false << false << true << 0L;
    // The longest text whose sketch fits the board's SRAM, as the memory check
    // counts it; its first steps are enough to show it runs.
    QTest::newRow("longest that fits")
        << kDefaultTitle << QString(269, u'a') << kFaceMing << false << false << false << 3000L;
}

void TestBoardRun::sketchRunsAsModelled()
{
    QFETCH(QString, title);
    QFETCH(QString, text);
    QFETCH(QString, face);
    QFETCH(bool, bold);
    QFETCH(bool, italic);
    QFETCH(bool, fileLayout);
    QFETCH(long, scanLimit);

    GlyphCanvas canvas;
    canvas.setFontName(face);
    canvas.setFontBold(bold);
    canvas.setFontItalic(italic);
    SketchData data;
    QByteArray sketch;
    if (fileLayout) {
        AnsiSink sink;
        QVERIFY(fileRun(title, text, canvas, sink, &data));
        sketch = sink.bytes();
    } else {
        sketch = codeBoxRun(title, text, canvas, &data).toUtf8();
    }

    BoardJob job;
    QSignalSpy compiled(&job, &BoardJob::finished);
    job.start(sketch, QString());
    QVERIFY(compiled.wait(120000));
    const auto result = compiled.first().first().value<BoardResult>();
    QCOMPARE(result.failure, BoardFailure::None);
    QCOMPARE(result.programBytes, hexImage(job.hex()).size());
    const QString elf = job.elfPath();

    const ProbedRuns expected = probedRuns(displayProgram(data), scanLimit);
    const QStringList lines = probe(elf, expected.scans);
    QVERIFY(lines.size() > 2);

    QCOMPARE(lines.mid(2), expected.lines);

    // Lit, dark and shifted scans and the copies between steps differ by a few
    // cycles, so the mean scan of a pass moves a little with the text.
    const double period = lines[0].section(u' ', 1, 1).toDouble();
    QVERIFY2(qAbs(period - kScanMicroseconds) < kScanMicroseconds / 200, qPrintable(lines[0]));

    const int stack = lines[1].section(u' ', 1).toInt();
    QVERIFY(stack > 0);
    // The count made before compiling is the compiled sketch's, and leaves the
    // stack at least the room the run took, whatever this compiler made of it.
    QCOMPARE(sketchSramBytes(data), result.sramNeeded);
    QVERIFY2(staticSram(elf) + stack <= result.sramNeeded,
             qPrintable(QStringLiteral("variables %1, stack %2").arg(staticSram(elf)).arg(stack)));
}

// The wiring test, as the command line writes it, scans out its modelled frames.
void TestBoardRun::testPatternRunsAsModelled()
{
    QBuffer out;
    QBuffer err;
    out.open(QIODevice::WriteOnly);
    err.open(QIODevice::WriteOnly);
    QCOMPARE(runCommandLine({"marquee-sketch-cli", "--test-pattern"}, out, err), 0);

    BoardJob job;
    QSignalSpy compiled(&job, &BoardJob::finished);
    job.start(out.data(), QString());
    QVERIFY(compiled.wait(120000));
    QCOMPARE(compiled.first().first().value<BoardResult>().failure, BoardFailure::None);

    const ProbedRuns expected = probedRuns(testPatternProgram());
    const QStringList lines = probe(job.elfPath(), expected.scans);
    QVERIFY(lines.size() > 2);
    QCOMPARE(lines.mid(2), expected.lines);
}

// A show plays on the board exactly as its model says, each frame for its
// scans, whatever the effect, the face and the brightness, and with its
// columns far past the first 64 KB and 128 KB of flash.
void TestBoardRun::showRunsAsModelled_data()
{
    QTest::addColumn<Show>("show");
    Show every;
    for (const Effect effect : {Effect::Blink, Effect::ScrollUp, Effect::ScrollDown,
                                Effect::RunLeft, Effect::RunRight, Effect::Pages})
        every.scenes.push_back(
            {QStringLiteral("跑馬燈節目秀"), effect, 2, 3, effect == Effect::Blink ? 2 : 1});
    QTest::newRow("every effect") << every;

    Show kai;
    kai.face = kFaceKai;
    kai.bold = kai.italic = true;
    kai.brightness = 3;
    kai.scenes = {{QStringLiteral("粗斜體標楷"), Effect::RunLeft, 1, 0, 1},
                  {QStringLiteral("亮度三"), Effect::Blink, 3, 2, 2}};
    QTest::newRow("標楷體 bold italic, brightness 3") << kai;

    // About 150 KB of columns: its pages reach past 128 KB.
    Show far;
    far.scenes = {
        {QStringLiteral("遠").repeated(5000) + QStringLiteral("終"), Effect::Pages, 1, 0, 1},
        {QStringLiteral("始"), Effect::Pages, 2, 0, 1}};
    QTest::newRow("past 128 KB") << far;
}

void TestBoardRun::showRunsAsModelled()
{
    QFETCH(Show, show);
    const std::vector<SceneColumns> columns = sampleShow(show);

    BoardJob job;
    QSignalSpy compiled(&job, &BoardJob::finished);
    job.start(showSketchLines(show, columns).join(QStringLiteral("\r\n")).toUtf8(), QString());
    QVERIFY(compiled.wait(120000));
    const auto result = compiled.first().first().value<BoardResult>();
    QVERIFY2(result.failure == BoardFailure::None, qPrintable(result.detail));
    // The count made before compiling holds the compiled show, with little to spare.
    const int estimate = showFlashBytes(show, columns);
    QVERIFY2(estimate >= result.programBytes && estimate - result.programBytes < 512,
             qPrintable(
                 QStringLiteral("%1 counted, %2 compiled").arg(estimate).arg(result.programBytes)));

    const ProbedRuns expected = probedRuns(showProgram(show, columns));
    const QStringList lines = probe(job.elfPath(), expected.scans);
    QVERIFY(lines.size() > 2);
    QCOMPARE(lines.mid(2), expected.lines);
    // Dimmer or brighter, a scan takes as long as the classic sketch's; the
    // reads between steps add a little when a step is a single scan.
    const double period = lines[0].section(u' ', 1, 1).toDouble();
    QVERIFY2(qAbs(period - kScanMicroseconds) < kScanMicroseconds / 50, qPrintable(lines[0]));
    // Each column is lit for brightness eighths of the classic 100 µs.
    const double lit = lines[0].section(u' ', 3, 3).toDouble();
    QVERIFY2(qAbs(lit - 100.0 * show.brightness / Show::kMaxBrightness) < 2, qPrintable(lines[0]));
}

QTEST_MAIN(TestBoardRun)
#include "TestBoardRun.moc"
