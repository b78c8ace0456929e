#include "output/GifAnimation.h"
#include "output/LedPicture.h"

#include <QBuffer>
#include <QTest>

#include <gif_lib.h>

#include <memory>

namespace {

struct Reader
{
    QByteArray bytes;
    int offset = 0;
};

int readBytes(GifFileType *gif, GifByteType *into, int size)
{
    auto *reader = static_cast<Reader *>(gif->UserData);
    const int count = std::min(size, int(reader->bytes.size()) - reader->offset);
    std::memcpy(into, reader->bytes.constData() + reader->offset, count);
    reader->offset += count;
    return count;
}

struct GifCloser
{
    void operator()(GifFileType *gif) const
    {
        int error = 0;
        DGifCloseFile(gif, &error);
    }
};
using Gif = std::unique_ptr<GifFileType, GifCloser>;

Gif decode(Reader &reader)
{
    int error = 0;
    Gif gif(DGifOpen(&reader, readBytes, &error));
    if (gif && DGifSlurp(gif.get()) != GIF_OK)
        gif.reset();
    return gif;
}

QRgb colourAt(const GifFileType *gif, int image, QPoint at)
{
    const SavedImage &saved = gif->SavedImages[image];
    const GifByteType index = saved.RasterBits[at.y() * saved.ImageDesc.Width + at.x()];
    const GifColorType colour = gif->SColorMap->Colors[index];
    return qRgb(colour.Red, colour.Green, colour.Blue);
}

int delayOf(GifFileType *gif, int image)
{
    GraphicsControlBlock control{};
    DGifSavedExtensionToGCB(gif, image, &control);
    return control.DelayTime;
}

// A disk that fills up after a few frames.
class FullDisk : public QIODevice
{
protected:
    qint64 readData(char *, qint64) override { return -1; }
    qint64 writeData(const char *, qint64 size) override
    {
        if (m_room < size)
            return -1;
        m_room -= size;
        return size;
    }

private:
    qint64 m_room = 20000;
};

LedFrame diagonal(int shift)
{
    LedFrame frame{};
    for (int x = 0; x < int(frame.size()); ++x)
        frame[x] = quint16(1u << ((x + shift) % 16));
    return frame;
}

} // namespace

class TestLedGif : public QObject
{
    Q_OBJECT

private slots:
    void pictureLightsTheFrame_data();
    void pictureLightsTheFrame();
    void gifHoldsEveryStep();
    void refusedWriteIsReported();
};

void TestLedGif::pictureLightsTheFrame_data()
{
    QTest::addColumn<int>("pitch");
    QTest::newRow("8 px") << 8;
    QTest::newRow("13 px") << 13;
}

void TestLedGif::pictureLightsTheFrame()
{
    QFETCH(int, pitch);
    const LedFrame frame = diagonal(3);
    const QImage picture = ledPicture(frame, pitch);
    QCOMPARE(picture.size(), QSize(64 * pitch, 16 * pitch));
    for (int x = 0; x < 64; ++x) {
        for (int y = 0; y < 16; ++y) {
            const QRgb expected = (x + 3) % 16 == y ? kLedLit : kLedDark;
            const QPoint centre(x * pitch + pitch / 2, y * pitch + pitch / 2);
            QCOMPARE(picture.pixel(centre), expected);
            QCOMPARE(picture.pixel(x * pitch, y * pitch), kLedBackground);
        }
    }
}

void TestLedGif::gifHoldsEveryStep()
{
    const std::vector<std::pair<LedFrame, double>> steps = {
        {diagonal(0), 42}, {diagonal(1), 42}, {diagonal(2), 42}, {LedFrame{}, 700}};
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    LedGif writer(buffer, 8);
    for (const auto &[frame, milliseconds] : steps)
        QVERIFY(writer.add(frame, milliseconds));
    QVERIFY(writer.finish());
    Reader reader{buffer.data()};
    const Gif gif = decode(reader);
    QVERIFY(gif);
    QCOMPARE(gif->ImageCount, 4);
    QCOMPARE(gif->SWidth, 512);
    QCOMPARE(gif->SHeight, 128);
    // 42 ms steps end at 4.2, 8.4 and 12.6 hundredths: 4, 4 and 5 keep the total right.
    QCOMPARE(delayOf(gif.get(), 0), 4);
    QCOMPARE(delayOf(gif.get(), 1), 4);
    QCOMPARE(delayOf(gif.get(), 2), 5);
    QCOMPARE(delayOf(gif.get(), 3), 70);
    // Every pixel as the matrix's picture has it.
    for (int image = 0; image < 4; ++image) {
        const QImage picture = ledPicture(steps[image].first, 8);
        for (int y = 0; y < picture.height(); ++y) {
            for (int x = 0; x < picture.width(); ++x) {
                if (colourAt(gif.get(), image, {x, y}) != picture.pixel(x, y))
                    QFAIL(qPrintable(
                        QStringLiteral("image %1 differs at %2, %3").arg(image).arg(x).arg(y)));
            }
        }
    }
}

void TestLedGif::refusedWriteIsReported()
{
    std::vector<DisplayStep> program;
    for (int k = 0; k < 100; ++k)
        program.push_back({diagonal(k), 6, DisplayPhase::Marquee, k, 100});
    FullDisk disk;
    disk.open(QIODevice::WriteOnly);
    qsizetype asked = 0;
    QVERIFY(!writeDisplayGif(disk, program, [&asked](qsizetype written) {
        asked = written;
        return true;
    }));
    // It stops at the first refusal rather than encoding the rest for nothing.
    QVERIFY2(asked < 99, qPrintable(QString::number(asked)));
}

QTEST_MAIN(TestLedGif)
#include "TestLedGif.moc"
