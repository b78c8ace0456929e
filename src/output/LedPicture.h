#pragma once

#include "generator/DisplayProgram.h"

#include <QImage>
#include <QRect>

class QPainter;

inline constexpr QRgb kLedBackground = qRgb(16, 16, 16);
inline constexpr QRgb kLedDark = qRgb(64, 18, 18);
inline constexpr QRgb kLedLit = qRgb(255, 36, 36);

// Paints the 64 x 16 matrix as round LEDs, as large as fits, centred in area.
// Lit LEDs are kLedLit, the rest kLedDark, on kLedBackground; no smoothing, so
// those three are the only colours. A dimmer sign lights them in lit instead.
void paintLeds(QPainter &painter, const QRect &area, const LedFrame &frame, QRgb lit = kLedLit);

// The LED of column x, row y inside area, as paintLeds() places it.
QRect ledRect(const QRect &area, int x, int y);

// The matrix alone, pitch pixels a LED.
QImage ledPicture(const LedFrame &frame, int pitch);
