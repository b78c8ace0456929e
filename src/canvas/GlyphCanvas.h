#pragma once

#include "canvas/CanvasFont.h"

#include <QFont>
#include <QImage>

// A pixel is lit when it is exactly black, the colour of drawn text; grey and
// the -1 of a read outside the surface are not.
inline bool isLit(int colour)
{
    return colour == 0;
}

// A low strip on which text is drawn in black and whose pixels are read back
// one at a time; the system's font rasterizer. Coordinates are pixels, with
// (0, 0) at the top-left corner; text is rendered at 96 dpi, so 12 points make
// a 16-pixel line cell.
//
// The surface is at least the visible strip and widens as far as the drawn
// text reaches, so every drawn column can be read back. It never narrows:
// clearing a wide surface is far cheaper than allocating it again.
class GlyphCanvas
{
public:
    static constexpr int kStripWidth = 981; // the visible strip, inside its border
    static constexpr int kStripHeight = 29;

    GlyphCanvas();

    const CanvasFont &font() const { return m_font; }
    void setFontName(const QString &name) { m_font.name = name; }
    void setFontSize(float points) { m_font.size = points; }
    void setFontBold(bool bold) { m_font.bold = bold; }
    void setFontItalic(bool italic) { m_font.italic = italic; }

    int currentX() const { return m_x; }
    int currentY() const { return m_y; }
    void setCurrentX(int x) { m_x = x; }
    void setCurrentY(int y) { m_y = y; }

    // Fills the surface with the background and puts the pen at (0, 0).
    void cls();
    // Draws text on one line, its character cell's top-left corner at the pen,
    // then moves the pen to the start of the next line.
    void print(const QString &text);
    // The colour at (x, y) as 0x00BBGGRR, or -1 outside the surface.
    int point(int x, int y) const
    {
        if (x < 0 || y < 0 || x >= m_image.width() || y >= m_image.height())
            return -1;
        const QRgb colour = reinterpret_cast<const QRgb *>(m_image.constScanLine(y))[x];
        return qBlue(colour) << 16 | qGreen(colour) << 8 | qRed(colour);
    }
    // Every column from here on has stayed background since the last cls().
    int inkExtent() const { return m_inkExtent; }

    const QImage &surface() const { return m_image; }

    // How many columns text takes when drawn with font.
    int textWidth(const QString &text, const CanvasFont &font) const;

    // The installed family that stands for a face name.
    static QString resolveFamily(const QString &face);
    // The QFont the canvas draws with for these settings.
    static QFont qtFont(const CanvasFont &font);

private:
    CanvasFont m_font;
    QImage m_image;
    int m_x = 0;
    int m_y = 0;
    int m_inkExtent = 0;
};
