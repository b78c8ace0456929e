#include "output/GifAnimation.h"

#include <gif_lib.h>

#include <cmath>
#include <memory>

namespace {

constexpr QRgb kPalette[] = {kLedBackground, kLedDark, kLedLit, qRgb(0, 0, 0)};

int appendBytes(GifFileType *gif, const GifByteType *bytes, int size)
{
    static_cast<QByteArray *>(gif->UserData)->append(reinterpret_cast<const char *>(bytes), size);
    return size;
}

GifByteType paletteIndex(QRgb colour)
{
    for (GifByteType i = 0; i < std::size(kPalette); ++i) {
        if (qRgb(qRed(colour), qGreen(colour), qBlue(colour)) == kPalette[i])
            return i;
    }
    return 0;
}

// Every viewer loops a GIF that carries this block.
void putLoopForever(GifFileType *gif)
{
    const GifByteType loop[] = {1, 0, 0};
    EGifPutExtensionLeader(gif, APPLICATION_EXT_FUNC_CODE);
    EGifPutExtensionBlock(gif, 11, "NETSCAPE2.0");
    EGifPutExtensionBlock(gif, sizeof loop, loop);
    EGifPutExtensionTrailer(gif);
}

void putFrame(GifFileType *gif, const QImage &picture, int centiseconds)
{
    GraphicsControlBlock control{};
    control.DisposalMode = DISPOSE_DO_NOT;
    control.DelayTime = centiseconds;
    control.TransparentColor = NO_TRANSPARENT_COLOR;
    GifByteType extension[4];
    EGifGCBToExtension(&control, extension);
    EGifPutExtension(gif, GRAPHICS_EXT_FUNC_CODE, sizeof extension, extension);

    EGifPutImageDesc(gif, 0, 0, picture.width(), picture.height(), false, nullptr);
    std::vector<GifByteType> line(picture.width());
    for (int y = 0; y < picture.height(); ++y) {
        const auto *pixels = reinterpret_cast<const QRgb *>(picture.constScanLine(y));
        for (int x = 0; x < picture.width(); ++x)
            line[x] = paletteIndex(pixels[x]);
        EGifPutLine(gif, line.data(), int(line.size()));
    }
}

} // namespace

QByteArray ledGif(const std::vector<GifStep> &steps, int pitch)
{
    QByteArray bytes;
    int error = 0;
    GifFileType *gif = EGifOpen(&bytes, appendBytes, &error);
    const std::unique_ptr<ColorMapObject, void (*)(ColorMapObject *)> colours(
        GifMakeMapObject(std::size(kPalette), nullptr), GifFreeMapObject);
    for (int i = 0; i < int(std::size(kPalette)); ++i)
        colours->Colors[i] = {GifByteType(qRed(kPalette[i])), GifByteType(qGreen(kPalette[i])),
                              GifByteType(qBlue(kPalette[i]))};
    EGifSetGifVersion(gif, true);
    EGifPutScreenDesc(gif, pitch * SketchData::kTitleColumns, pitch * SketchData::kRows, 8, 0,
                      colours.get());
    putLoopForever(gif);

    double elapsed = 0;
    for (const GifStep &step : steps) {
        const long start = std::lround(elapsed / 10);
        elapsed += step.milliseconds;
        putFrame(gif, ledPicture(step.frame, pitch), int(std::lround(elapsed / 10) - start));
    }
    EGifCloseFile(gif, &error);
    return bytes;
}

QByteArray displayGif(const std::vector<DisplayStep> &program)
{
    // The preview's smallest LEDs: big enough to read, small enough to share.
    constexpr int kPitch = 8;
    std::vector<GifStep> steps;
    steps.reserve(program.size());
    for (const DisplayStep &step : program)
        steps.push_back({step.frame, stepMilliseconds(step)});
    return ledGif(steps, kPitch);
}
