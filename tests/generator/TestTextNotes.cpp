#include "generator/DefaultTexts.h"
#include "generator/TextNotes.h"

#include <QTest>

class TestTextNotes : public QObject
{
    Q_OBJECT

private slots:
    void notes_data();
    void notes();
};

void TestTextNotes::notes_data()
{
    QTest::addColumn<QString>("face");
    QTest::addColumn<QString>("title");
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("titleColumns");
    QTest::addColumn<QList<MissingGlyph>>("missing");

    QTest::newRow("default texts")
        << kFaceMing << kDefaultTitle << kDefaultText << 64 << QList<MissingGlyph>();
    QTest::newRow("default texts, 標楷體")
        << kFaceKai << kDefaultTitle << kDefaultText << 64 << QList<MissingGlyph>();
    QTest::newRow("Latin") << kFaceMing << "Sale"
                           << "Hello, world! 50% off." << 32 << QList<MissingGlyph>();
    QTest::newRow("five-character title") << kFaceMing << "歡迎光臨您"
                                          << "" << 80 << QList<MissingGlyph>();
    QTest::newRow("spaces, controls, format, combining")
        << kFaceMing << "" << QStringLiteral("e\u0301\u00a0\u3000\t\u200b\u200d") << 0
        << QList<MissingGlyph>();
    QTest::newRow("Hangul, once each")
        << kFaceMing << ""
        << "국한국" << 0 << QList<MissingGlyph>{{0xAD6D, false}, {0xD55C, false}};
    // TW-Kai, always installed beside it, has what UMing lacks here.
    QTest::newRow("another face draws it")
        << kFaceMing << "" << QStringLiteral("\u2665") << 0 << QList<MissingGlyph>{{0x2665, true}};
    QTest::newRow("outside the BMP") << kFaceKai << "" << QStringLiteral("a\U0001D11E") << 0
                                     << QList<MissingGlyph>{{0x1D11E, false}};
}

void TestTextNotes::notes()
{
    QFETCH(QString, face);
    QFETCH(QString, title);
    QFETCH(QString, text);
    QFETCH(int, titleColumns);
    QFETCH(QList<MissingGlyph>, missing);

    GlyphCanvas canvas;
    canvas.setFontName(face);
    const TextNotes notes = textNotes(title, text, canvas);
    QCOMPARE(notes.titleColumns, titleColumns);
    QCOMPARE(notes.missing, missing);
}

QTEST_MAIN(TestTextNotes)
#include "TestTextNotes.moc"
