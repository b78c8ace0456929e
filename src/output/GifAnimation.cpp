#include "output/GifAnimation.h"

#include "output/LedPicture.h"

#include <QIODevice>

#include <gif_lib.h>

#include <algorithm>
#include <cmath>
#include <cstring>

namespace {

constexpr QRgb kPalette[] = {kLedBackground, kLedDark, kLedLit, qRgb(0, 0, 0)};

int writeToDevice(GifFileType *gif, const GifByteType *bytes, int size)
{
    return int(static_cast<QIODevice *>(gif->UserData)
                   ->write(reinterpret_cast<const char *>(bytes), size));
}

std::vector<GifByteType> paletteIndices(const QImage &picture)
{
    std::vector<GifByteType> indices;
    indices.reserve(size_t(picture.width()) * picture.height());
    for (int y = 0; y < picture.height(); ++y) {
        const auto *pixels = reinterpret_cast<const QRgb *>(picture.constScanLine(y));
        for (int x = 0; x < picture.width(); ++x) {
            const QRgb colour = qRgb(qRed(pixels[x]), qGreen(pixels[x]), qBlue(pixels[x]));
            const auto *found = std::find(std::begin(kPalette), std::end(kPalette), colour);
            indices.push_back(found == std::end(kPalette) ? 0 : GifByteType(found - kPalette));
        }
    }
    return indices;
}

// The matrix with every column showing column, as palette indices.
std::vector<GifByteType> matrixIndices(quint16 column, int pitch)
{
    LedFrame frame;
    frame.fill(column);
    return paletteIndices(ledPicture(frame, pitch));
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

} // namespace

void LedGif::Closer::operator()(GifFileType *gif) const
{
    int error = 0;
    EGifCloseFile(gif, &error);
}

LedGif::LedGif(QIODevice &device, int pitch)
    : m_device(device), m_width(pitch * SketchData::kTitleColumns),
      m_height(pitch * SketchData::kRows), m_lit(matrixIndices(0xffff, pitch)),
      m_dark(matrixIndices(0, pitch)), m_frame(m_dark.size()), m_pitch(pitch)
{
    int error = 0;
    m_gif.reset(EGifOpen(&device, writeToDevice, &error));
    if (!m_gif) {
        m_written = false;
        return;
    }
    const std::unique_ptr<ColorMapObject, void (*)(ColorMapObject *)> colours(
        GifMakeMapObject(std::size(kPalette), nullptr), GifFreeMapObject);
    for (int i = 0; i < int(std::size(kPalette)); ++i)
        colours->Colors[i] = {GifByteType(qRed(kPalette[i])), GifByteType(qGreen(kPalette[i])),
                              GifByteType(qBlue(kPalette[i]))};
    EGifSetGifVersion(m_gif.get(), true);
    m_written = EGifPutScreenDesc(m_gif.get(), m_width, m_height, 8, 0, colours.get()) == GIF_OK;
    putLoopForever(m_gif.get());
}

LedGif::~LedGif() = default;

bool LedGif::add(const LedFrame &frame, double milliseconds)
{
    if (!m_written)
        return false;
    const long start = std::lround(m_elapsed / 10);
    m_elapsed += milliseconds;
    GraphicsControlBlock control{};
    control.DisposalMode = DISPOSE_DO_NOT;
    control.DelayTime = int(std::lround(m_elapsed / 10) - start);
    control.TransparentColor = NO_TRANSPARENT_COLOR;
    GifByteType extension[4];
    EGifGCBToExtension(&control, extension);

    // The LEDs never reach past their cells, so cells can be copied whole.
    for (int y = 0; y < m_height; ++y) {
        const int row = y / m_pitch;
        const size_t line = size_t(y) * m_width;
        for (int x = 0; x < SketchData::kTitleColumns; ++x) {
            const auto &from = frame[x] >> row & 1 ? m_lit : m_dark;
            const size_t at = line + size_t(x) * m_pitch;
            std::memcpy(m_frame.data() + at, from.data() + at, m_pitch);
        }
    }
    m_written = EGifPutExtension(m_gif.get(), GRAPHICS_EXT_FUNC_CODE, sizeof extension,
                                 extension) == GIF_OK &&
                EGifPutImageDesc(m_gif.get(), 0, 0, m_width, m_height, false, nullptr) == GIF_OK &&
                EGifPutLine(m_gif.get(), m_frame.data(), int(m_frame.size())) == GIF_OK;
    return m_written;
}

bool LedGif::finish()
{
    if (!m_gif)
        return false;
    int error = 0;
    const bool closed = EGifCloseFile(m_gif.release(), &error) == GIF_OK;
    return m_written && closed;
}

bool writeDisplayGif(QIODevice &device, const std::vector<DisplayStep> &program,
                     const std::function<bool(qsizetype)> &going)
{
    // The preview's smallest LEDs: big enough to read, small enough to share.
    constexpr int kPitch = 8;
    LedGif gif(device, kPitch);
    for (size_t i = 0; i < program.size(); ++i) {
        if ((going && !going(qsizetype(i))) ||
            !gif.add(program[i].frame, stepMilliseconds(program[i])))
            return false;
    }
    return gif.finish();
}
