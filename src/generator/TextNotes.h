#pragma once

#include "canvas/GlyphCanvas.h"

#include <QList>
#include <QString>

// A character the chosen face has no glyph for.
struct MissingGlyph
{
    char32_t code;
    bool otherFace; // another installed face draws it; otherwise the sign shows a box
    bool operator==(const MissingGlyph &) const = default;
};

// What the sign will not show as typed.
struct TextNotes
{
    int titleColumns = 0;        // the title's width; the sign shows the first 64
    QList<MissingGlyph> missing; // each character once, in the order typed
    bool noFonts = false;        // no font is installed at all: every character is a box
};

// Spaces, control and format characters and combining marks need no glyph of their own.
TextNotes textNotes(const QString &title, const QString &text, const GlyphCanvas &canvas);

// The missing characters another face draws (otherFace) or the sign boxes, each
// as format shows it: %1 the character, %2 its code point ("U+D55C").
QStringList missingCharacters(const TextNotes &notes, bool otherFace, const QString &format);
