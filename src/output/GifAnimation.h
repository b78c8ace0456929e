#pragma once

#include "generator/DisplayProgram.h"

#include <functional>
#include <memory>
#include <vector>

class QIODevice;
struct GifFileType;

// A looping animated GIF of the matrix, pitch pixels a LED, written to a device
// frame by frame, so its length never costs memory. Delays are kept in GIF's
// hundredths of a second without letting rounding drift build up.
class LedGif
{
public:
    LedGif(QIODevice &device, int pitch);
    ~LedGif();
    LedGif(const LedGif &) = delete;
    LedGif &operator=(const LedGif &) = delete;

    // False once the device has refused any of the file.
    bool add(const LedFrame &frame, double milliseconds);
    // Ends the file. False when the device refused any of it.
    bool finish();

private:
    struct Closer
    {
        void operator()(GifFileType *gif) const;
    };

    QIODevice &m_device;
    std::unique_ptr<GifFileType, Closer> m_gif;
    bool m_written = true;
    int m_width;
    int m_height;
    // The palette indices of the matrix all lit and all dark: a frame takes
    // each LED's cell from one of them.
    std::vector<unsigned char> m_lit;
    std::vector<unsigned char> m_dark;
    std::vector<unsigned char> m_frame;
    int m_pitch;
    double m_elapsed = 0;
};

// A pass of the display program at the board's timing, as the preview saves it.
// Asks going(steps written so far) before each step and stops when it says no.
// False when stopped or when the device refused any of it.
bool writeDisplayGif(QIODevice &device, const std::vector<DisplayStep> &program,
                     const std::function<bool(qsizetype)> &going = {});
