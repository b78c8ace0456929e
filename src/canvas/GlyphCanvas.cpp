#include "canvas/GlyphCanvas.h"

#include "platform/HugeImage.h"

#include <QFontDatabase>
#include <QFontMetrics>
#include <QPainter>

#include <algorithm>

namespace {

// Windows' button-face colour: the strip's background, never black.
constexpr QRgb kBackground = qRgb(240, 240, 240);
// 96 dots per inch, so that 12 points are 16 pixels whatever the screen says.
constexpr int kDotsPerMeter = 3780;

QImage blankSurface(int width)
{
    QImage image = hugeImage(width, GlyphCanvas::kStripHeight);
    image.setDotsPerMeterX(kDotsPerMeter);
    image.setDotsPerMeterY(kDotsPerMeter);
    image.fill(kBackground);
    return image;
}

} // namespace

GlyphCanvas::GlyphCanvas() : m_image(blankSurface(kStripWidth)) {}

QString GlyphCanvas::resolveFamily(const QString &face)
{
    const QStringList installed = QFontDatabase::families();
    if (installed.contains(face))
        return face;
    // UMing's hand-tuned 16-px bitmaps are what a 16-row sign wants.
    const QStringList standIns =
        face == kFaceKai ? QStringList{"TW-Kai", "AR PL UKai TW"}
                         : QStringList{"AR PL UMing TW", "TW-Sung", "Noto Serif CJK TC"};
    for (const QString &family : standIns) {
        if (installed.contains(family))
            return family;
    }
    return standIns.first();
}

QFont GlyphCanvas::qtFont(const CanvasFont &font)
{
    QFont qfont(resolveFamily(font.name));
    qfont.setPointSizeF(font.size);
    qfont.setBold(font.bold);
    qfont.setItalic(font.italic);
    qfont.setStyleStrategy(QFont::NoAntialias);
    return qfont;
}

int GlyphCanvas::textWidth(const QString &text, const CanvasFont &font) const
{
    return QFontMetrics(qtFont(font), &m_image).horizontalAdvance(text);
}

void GlyphCanvas::cls()
{
    m_image.fill(kBackground);
    m_inkExtent = 0;
    m_x = 0;
    m_y = 0;
}

void GlyphCanvas::print(const QString &text)
{
    const QFont qfont = qtFont(m_font);
    const QFontMetrics metrics(qfont, &m_image);
    // A line height of slack covers italic overhang and emboldening past the advance.
    const int reach = m_x + metrics.horizontalAdvance(text) + metrics.height();
    if (reach > m_image.width()) {
        QImage wider = blankSurface(reach);
        QPainter(&wider).drawImage(0, 0, m_image);
        m_image = wider;
    }
    m_inkExtent = std::max(m_inkExtent, reach);
    QPainter painter(&m_image);
    painter.setFont(qfont);
    painter.setPen(Qt::black);
    painter.drawText(m_x, m_y + metrics.ascent(), text);
    m_x = 0;
    m_y += metrics.height();
}
