#include "output/LedPicture.h"

#include <QPainter>

#include <algorithm>

namespace {

constexpr int kColumns = SketchData::kTitleColumns;
constexpr int kRows = SketchData::kRows;

int pitchFor(const QRect &area)
{
    return std::max(1, std::min(area.width() / kColumns, area.height() / kRows));
}

} // namespace

QRect ledRect(const QRect &area, int x, int y)
{
    const int pitch = pitchFor(area);
    const int left = area.left() + (area.width() - pitch * kColumns) / 2;
    const int top = area.top() + (area.height() - pitch * kRows) / 2;
    // A gap of about a fifth of the pitch keeps neighbouring LEDs apart.
    const int gap = std::max(1, pitch / 5);
    return {left + x * pitch + gap / 2, top + y * pitch + gap / 2, pitch - gap, pitch - gap};
}

void paintLeds(QPainter &painter, const QRect &area, const LedFrame &frame, QRgb lit)
{
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.fillRect(area, QColor(kLedBackground));
    painter.setPen(Qt::NoPen);
    for (int x = 0; x < kColumns; ++x) {
        for (int y = 0; y < kRows; ++y) {
            painter.setBrush(QColor(frame[x] >> y & 1 ? lit : kLedDark));
            painter.drawEllipse(ledRect(area, x, y));
        }
    }
    painter.restore();
}

QImage ledPicture(const LedFrame &frame, int pitch)
{
    QImage image(pitch * kColumns, pitch * kRows, QImage::Format_RGB32);
    QPainter painter(&image);
    paintLeds(painter, image.rect(), frame);
    return image;
}
