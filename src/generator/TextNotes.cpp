#include "generator/TextNotes.h"

#include "generator/GenerationRun.h"

#include <QFontDatabase>
#include <QRawFont>

#include <algorithm>

namespace {

bool needsGlyph(char32_t code)
{
    switch (QChar::category(code)) {
    case QChar::Separator_Space:
    case QChar::Separator_Line:
    case QChar::Separator_Paragraph:
    case QChar::Other_Control:
    case QChar::Other_Format:
    case QChar::Mark_NonSpacing:
    case QChar::Mark_SpacingCombining:
    case QChar::Mark_Enclosing:
        return false;
    default:
        return true;
    }
}

bool anotherFaceHas(char32_t code, const QString &face)
{
    const QStringList families = QFontDatabase::families();
    return std::any_of(families.begin(), families.end(), [&](const QString &family) {
        return family != face && QRawFont::fromFont(QFont(family)).supportsCharacter(code);
    });
}

} // namespace

TextNotes textNotes(const QString &title, const QString &text, const GlyphCanvas &canvas)
{
    CanvasFont font = canvas.font();
    font.size = kRunFontSize;
    const QFont qfont = GlyphCanvas::qtFont(font);
    const QRawFont face = QRawFont::fromFont(qfont);

    TextNotes notes;
    notes.titleColumns = canvas.textWidth(title, font);
    // With no font file at all, Qt draws boxes and claims every character;
    // one note then says it all.
    notes.noFonts = face.fontTable("cmap").isEmpty();
    if (notes.noFonts)
        return notes;
    for (const QString &part : {title, text}) {
        for (const char32_t code : part.toUcs4()) {
            if (!needsGlyph(code) || face.supportsCharacter(code) ||
                std::any_of(notes.missing.begin(), notes.missing.end(),
                            [code](const MissingGlyph &seen) { return seen.code == code; }))
                continue;
            notes.missing.append({code, anotherFaceHas(code, face.familyName())});
        }
    }
    return notes;
}

QStringList missingCharacters(const TextNotes &notes, bool otherFace, const QString &format)
{
    QStringList characters;
    for (const MissingGlyph &glyph : notes.missing) {
        if (glyph.otherFace == otherFace)
            characters.append(format.arg(
                QString::fromUcs4(&glyph.code, 1),
                QStringLiteral("U+") +
                    QString::number(uint(glyph.code), 16).toUpper().rightJustified(4, u'0')));
    }
    return characters;
}
