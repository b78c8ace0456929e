#include "output/GifAnimation.h"

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
    const std::vector<GifStep> steps = {
        {diagonal(0), 42}, {diagonal(1), 42}, {diagonal(2), 42}, {LedFrame{}, 700}};
    Reader reader{ledGif(steps, 8)};
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
    for (int image = 0; image < 3; ++image) {
        for (int x = 0; x < 64; ++x) {
            for (int y = 0; y < 16; ++y) {
                const QRgb expected = (x + image) % 16 == y ? kLedLit : kLedDark;
                QCOMPARE(colourAt(gif.get(), image, {x * 8 + 4, y * 8 + 4}), expected);
            }
        }
    }
    QCOMPARE(colourAt(gif.get(), 3, {4, 4}), kLedDark);
}

QTEST_MAIN(TestLedGif)
#include "TestLedGif.moc"
