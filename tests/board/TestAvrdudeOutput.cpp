// avrdude's progress and failures, read from lines it printed.

#include "board/AvrdudeOutput.h"
#include "board/SerialPorts.h"

#include <QTest>

Q_DECLARE_METATYPE(std::optional<AvrdudeProgress>)

class TestAvrdudeOutput : public QObject
{
    Q_OBJECT

private slots:
    void progress_data();
    void progress();
    void failure_data();
    void failure();
    void portOrder();
};

namespace {

// As avrdude 7.1 prints it talking to a Mega 2560's bootloader.
const QByteArray kSignature = "avrdude: AVR device initialized and ready to accept instructions\n"
                              "avrdude: device signature = 0x1e9801 (probably m2560)\n";

} // namespace

void TestAvrdudeOutput::progress_data()
{
    using Stage = AvrdudeProgress::Stage;
    QTest::addColumn<QByteArray>("output");
    QTest::addColumn<std::optional<AvrdudeProgress>>("expected");

    QTest::newRow("signature only") << kSignature << std::optional<AvrdudeProgress>();
    QTest::newRow("writing begun")
        << kSignature + "avrdude: writing 3684 bytes flash ...\n\nWriting | "
        << std::optional(AvrdudeProgress{Stage::Writing, 0});
    QTest::newRow("writing 42%") << kSignature + "\nWriting | #####################"
                                 << std::optional(AvrdudeProgress{Stage::Writing, 42});
    QTest::newRow("written") << kSignature + "\nWriting | " + QByteArray(50, '#') +
                                    " | 100% 0.35s\n"
                             << std::optional(AvrdudeProgress{Stage::Writing, 100});
    QTest::newRow("verifying 10%")
        << kSignature + "\nWriting | " + QByteArray(50, '#') + " | 100% 0.35s\n\nReading | #####"
        << std::optional(AvrdudeProgress{Stage::Verifying, 10});
}

void TestAvrdudeOutput::progress()
{
    QFETCH(QByteArray, output);
    QFETCH(std::optional<AvrdudeProgress>, expected);
    QCOMPARE(avrdudeProgress(output), expected);
}

void TestAvrdudeOutput::failure_data()
{
    QTest::addColumn<QByteArray>("output");
    QTest::addColumn<BoardFailure>("failure");
    QTest::addColumn<QString>("detail");

    QTest::newRow("no reader")
        << QByteArray("avrdude OS error: ioctl(\"TIOCMGET\"): Inappropriate ioctl for device\n"
                      "avrdude error: timeout\n"
                      "avrdude error: timeout communicating with programmer\n"
                      "avrdude error: unable to open programmer wiring on port /dev/pts/3\n")
        << BoardFailure::NoAnswer << QString();
    QTest::newRow("permission")
        << QByteArray("avrdude OS error: cannot open port /dev/ttyACM0: Permission denied\n")
        << BoardFailure::PermissionDenied << QString();
    QTest::newRow("unplugged")
        << QByteArray(
               "avrdude OS error: cannot open port /dev/ttyACM0: No such file or directory\n")
        << BoardFailure::PortGone << QString();
    QTest::newRow("other")
        << QByteArray("avrdude OS error: ioctl(\"TIOCMGET\"): Inappropriate ioctl for device\n"
                      "avrdude error: verification mismatch\n")
        << BoardFailure::UploadFailed << QStringLiteral("avrdude error: verification mismatch");
}

void TestAvrdudeOutput::failure()
{
    QFETCH(QByteArray, output);
    QFETCH(BoardFailure, failure);
    QFETCH(QString, detail);
    const BoardResult result = avrdudeFailure(output);
    QCOMPARE(result.failure, failure);
    QCOMPARE(result.detail, detail);
}

void TestAvrdudeOutput::portOrder()
{
    using Kind = SerialPortEntry::Kind;
    const QList<SerialPortEntry> found{
        {"/dev/ttyS0", "", portKind(0, 0)},
        {"/dev/ttyUSB1", "", portKind(0x0403, 0x6001)},
        {"/dev/ttyACM1", "", portKind(0x2341, 0x0042)},
        {"/dev/ttyUSB0", "", portKind(0x1a86, 0x7523)},
        {"/dev/ttyACM0", "", portKind(0x2a03, 0x0010)},
    };
    QStringList order;
    QList<Kind> kinds;
    for (const SerialPortEntry &port : orderedPorts(found)) {
        order.append(port.path);
        kinds.append(port.kind);
    }
    QCOMPARE(order, (QStringList{"/dev/ttyACM0", "/dev/ttyACM1", "/dev/ttyUSB0", "/dev/ttyUSB1",
                                 "/dev/ttyS0"}));
    QCOMPARE(kinds, (QList<Kind>{Kind::Mega, Kind::Mega, Kind::Clone, Kind::Clone, Kind::Other}));
}

QTEST_GUILESS_MAIN(TestAvrdudeOutput)
#include "TestAvrdudeOutput.moc"
