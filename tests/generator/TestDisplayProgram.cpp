#include "generator/DisplayProgram.h"

#include <QTest>

namespace {

// A title with its top and bottom rows lit in column 0, and row 1 in column 63;
// 70 scroll columns with marks at both ends and in column 6.
SketchData markedData()
{
    SketchData data;
    data.title[0] = 0x8001;
    data.title[63] = 0x0002;
    data.scroll.assign(70, 0);
    data.scroll[0] = 0x1234;
    data.scroll[6] = 0x0600;
    data.scroll[69] = 0xffff;
    return data;
}

} // namespace

class TestDisplayProgram : public QObject
{
    Q_OBJECT

private slots:
    void steps_data();
    void steps();
    void stepCount();
    void runsMergeEqualFrames();
};

void TestDisplayProgram::steps_data()
{
    QTest::addColumn<int>("index");
    QTest::addColumn<int>("phase");
    QTest::addColumn<int>("position");
    QTest::addColumn<int>("positions");
    QTest::addColumn<int>("scans");
    QTest::addColumn<int>("first"); // column 0's word
    QTest::addColumn<int>("last");  // column 63's word

    const int blink = int(DisplayPhase::BlinkTitle);
    const int up = int(DisplayPhase::ScrollUp);
    const int marquee = int(DisplayPhase::Marquee);
    QTest::newRow("first blink lit") << 0 << blink << 0 << 3 << 101 << 0x8001 << 0x0002;
    QTest::newRow("first blink dark") << 1 << blink << 0 << 3 << 51 << 0 << 0;
    QTest::newRow("third blink lit") << 4 << blink << 2 << 3 << 101 << 0x8001 << 0x0002;
    // Shifted 15 rows up in a 16-bit word: only the top row survives, at the bottom.
    QTest::newRow("scroll-up start") << 6 << up << 0 << 16 << 11 << 0x8000 << 0;
    QTest::newRow("scroll-up second") << 7 << up << 1 << 16 << 11 << 0x4000 << 0x8000;
    QTest::newRow("scroll-up end") << 21 << up << 15 << 16 << 11 << 0x8001 << 0x0002;
    QTest::newRow("marquee start, all lead-in") << 22 << marquee << 0 << 71 << 6 << 0 << 0;
    QTest::newRow("marquee, first column enters") << 23 << marquee << 1 << 71 << 6 << 0 << 0x1234;
    QTest::newRow("marquee, first column at left") << 86 << marquee << 64 << 71 << 6 << 0x1234 << 0;
    QTest::newRow("marquee end, last column at right")
        << 92 << marquee << 70 << 71 << 6 << 0x0600 << 0xffff;
}

void TestDisplayProgram::steps()
{
    QFETCH(int, index);
    QFETCH(int, phase);
    QFETCH(int, position);
    QFETCH(int, positions);
    QFETCH(int, scans);
    QFETCH(int, first);
    QFETCH(int, last);

    const std::vector<DisplayStep> program = displayProgram(markedData());
    const DisplayStep &step = program.at(index);
    QCOMPARE(int(step.phase), phase);
    QCOMPARE(step.position, position);
    QCOMPARE(step.positions, positions);
    QCOMPARE(step.scans, scans);
    QCOMPARE(int(step.frame[0]), first);
    QCOMPARE(int(step.frame[63]), last);
}

void TestDisplayProgram::stepCount()
{
    // Three blinks of two steps, 16 scroll-up steps, slen + 1 marquee steps.
    QCOMPARE(displayProgram(markedData()).size(), size_t(6 + 16 + 71));
    QCOMPARE(displayProgram(SketchData{}).size(), size_t(6 + 16 + 1));
}

void TestDisplayProgram::runsMergeEqualFrames()
{
    SketchData blank;
    blank.scroll.assign(10, 0);
    const std::vector<FrameRun> runs = frameRuns(displayProgram(blank));
    QCOMPARE(runs.size(), size_t(1));
    QCOMPARE(runs[0].scans, 3L * (101 + 51) + 16 * 11 + 11 * 6);
    QVERIFY(runs[0].frame == LedFrame{});

    const std::vector<FrameRun> marked = frameRuns(displayProgram(markedData()));
    QCOMPARE(marked.front().scans, 101L);
    QCOMPARE(marked.at(1).scans, 51L);
}

QTEST_MAIN(TestDisplayProgram)
#include "TestDisplayProgram.moc"
