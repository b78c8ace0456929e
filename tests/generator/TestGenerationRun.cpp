#include "generator/DefaultTexts.h"
#include "generator/GenerationRun.h"

#include <QTest>

#include <map>

namespace {

class CollectingSink : public LineSink
{
public:
    bool open() override
    {
        ++opens;
        return true;
    }
    void writeLine(const QString &line) override { lines += line; }
    bool close() override
    {
        ++closes;
        return true;
    }

    QStringList lines;
    int opens = 0;
    int closes = 0;
};

// A drawing given pixel by pixel: unset pixels are background.
struct PixelMap
{
    std::map<std::pair<int, int>, int> colours;
    int point(int x, int y) const
    {
        const auto it = colours.find({x, y});
        return it == colours.end() ? 0xF0F0F0 : it->second;
    }
};

SketchData sample(const QString &title, const QString &text, const CanvasFont &font, int margin)
{
    GlyphCanvas canvas;
    canvas.setFontName(font.name);
    canvas.setFontBold(font.bold);
    canvas.setFontItalic(font.italic);
    return sampleTexts(title, text, canvas, margin);
}

std::vector<quint16> columns(const SketchData &data, int from, int count)
{
    return {data.scroll.begin() + from, data.scroll.begin() + from + count};
}

} // namespace

class TestGenerationRun : public QObject
{
    Q_OBJECT

private slots:
    void columnWords_data();
    void columnWords();
    void scrollLength_data();
    void scrollLength();
    void emptyInputsAreDark();
    void fileRunWritesLines();
    void fileRunStopsWhenSinkCannotOpen();
    void runsAreDeterministic();
    void fontSettingsChangeData_data();
    void fontSettingsChangeData();
    void longTextKeepsItsEnd_data();
    void longTextKeepsItsEnd();
    void titleIsCutAfter64Columns();
};

void TestGenerationRun::columnWords_data()
{
    QTest::addColumn<QList<int>>("litRows");
    QTest::addColumn<int>("otherColour");
    QTest::addColumn<int>("word");
    QTest::newRow("top pixel") << QList<int>{0} << 0xF0F0F0 << 1;
    QTest::newRow("bottom pixel") << QList<int>{15} << 0xF0F0F0 << 32768;
    QTest::newRow("all sixteen") << QList<int>{0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15}
                                 << 0xF0F0F0 << 65535;
    QTest::newRow("row 16 is not sampled") << QList<int>{16} << 0xF0F0F0 << 0;
    QTest::newRow("near-black grey is unlit") << QList<int>{3} << 0x010101 << 8;
    QTest::newRow("outside the surface is unlit") << QList<int>{5} << -1 << 32;
}

void TestGenerationRun::columnWords()
{
    QFETCH(QList<int>, litRows);
    QFETCH(int, otherColour);
    QFETCH(int, word);
    PixelMap drawing;
    for (int y = 0; y < 16; ++y)
        drawing.colours[{7, y}] = otherColour;
    for (int y : litRows)
        drawing.colours[{7, y}] = 0;
    QCOMPARE(int(columnWord(drawing, 7)), word);
    QCOMPARE(int(columnWord(drawing, 8)), 0);
}

void TestGenerationRun::scrollLength_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("margin");
    QTest::addColumn<int>("slen");
    QTest::newRow("empty, code box") << QString() << kCodeBoxMargin << 120;
    QTest::newRow("empty, file") << QString() << kFileMargin << 16;
    QTest::newRow("two Chinese characters, code box") << QStringLiteral("國國") << 120 << 148;
    QTest::newRow("Latin letters, file") << QStringLiteral("abc") << 16 << 58;
    QTest::newRow("surrogate pair counts two") << QStringLiteral("𠀀") << 120 << 148;
    QTest::newRow("default sentence, code box") << kDefaultText << 120 << 988;
}

void TestGenerationRun::scrollLength()
{
    QFETCH(QString, text);
    QFETCH(int, margin);
    QFETCH(int, slen);
    QCOMPARE(sample(kDefaultTitle, text, {}, margin).slen(), slen);
}

void TestGenerationRun::emptyInputsAreDark()
{
    const SketchData data = sample({}, {}, {}, kCodeBoxMargin);
    QVERIFY(std::all_of(data.title.begin(), data.title.end(), [](quint16 w) { return w == 0; }));
    QVERIFY(std::all_of(data.scroll.begin(), data.scroll.end(), [](quint16 w) { return w == 0; }));
}

void TestGenerationRun::fileRunWritesLines()
{
    GlyphCanvas canvas;
    CollectingSink sink;
    QVERIFY(fileRun(kDefaultTitle, kDefaultText, canvas, sink));
    QCOMPARE(sink.opens, 1);
    QCOMPARE(sink.closes, 1);
    QCOMPARE(sink.lines.size(), 79);
    QCOMPARE(sink.lines.at(7), QStringLiteral("unsigned int c[]={"));
    const QString scroll = sink.lines.at(8);
    QVERIFY(scroll.startsWith(QString("0,").repeated(64) + ' '));
    QVERIFY(scroll.endsWith("};"));
    const int slen = sink.lines.at(5).section('=', 1).section(';', 0, 0).trimmed().toInt();
    QCOMPARE(scroll.count(','), 64 + slen - 1);

    // The same characters as the code box but for the separate array head and the margin.
    GlyphCanvas codeCanvas;
    const QString code = codeBoxRun(kDefaultTitle, kDefaultText, codeCanvas);
    QVERIFY(code.startsWith(sink.lines.mid(0, 5).join("\r\n") + "\r\n"));
    QVERIFY(code.endsWith("};\r\n" + sink.lines.mid(9).join("\r\n") + "\r\n"));
}

void TestGenerationRun::fileRunStopsWhenSinkCannotOpen()
{
    class ClosedSink : public CollectingSink
    {
        bool open() override { return false; }
    } sink;
    GlyphCanvas canvas;
    QVERIFY(!fileRun(kDefaultTitle, kDefaultText, canvas, sink));
    QVERIFY(sink.lines.isEmpty());
    QCOMPARE(sink.closes, 0);
}

void TestGenerationRun::runsAreDeterministic()
{
    GlyphCanvas canvas;
    const QString first = codeBoxRun(kDefaultTitle, kDefaultText, canvas);
    QCOMPARE(codeBoxRun(kDefaultTitle, kDefaultText, canvas), first);
    GlyphCanvas fresh;
    QCOMPARE(codeBoxRun(kDefaultTitle, kDefaultText, fresh), first);
}

void TestGenerationRun::fontSettingsChangeData_data()
{
    QTest::addColumn<CanvasFont>("font");
    QTest::newRow("標楷體") << CanvasFont{kFaceKai, 12, false, false};
    QTest::newRow("bold") << CanvasFont{kFaceMing, 12, true, false};
    QTest::newRow("italic") << CanvasFont{kFaceMing, 12, false, true};
}

void TestGenerationRun::fontSettingsChangeData()
{
    QFETCH(CanvasFont, font);
    const SketchData plain = sample(kDefaultTitle, kDefaultText, {}, kCodeBoxMargin);
    const SketchData styled = sample(kDefaultTitle, kDefaultText, font, kCodeBoxMargin);
    QVERIFY(plain.title != styled.title);
    QVERIFY(plain.scroll != styled.scroll);
    // A run sets the size itself, whatever the canvas had.
    GlyphCanvas canvas;
    canvas.setFontName(font.name);
    canvas.setFontBold(font.bold);
    canvas.setFontItalic(font.italic);
    canvas.setFontSize(30);
    QCOMPARE(sampleTexts(kDefaultTitle, kDefaultText, canvas, kCodeBoxMargin), styled);
}

void TestGenerationRun::longTextKeepsItsEnd_data()
{
    QTest::addColumn<int>("characters");
    QTest::addColumn<int>("margin");
    // 16-pixel characters outrun the 14-column estimate; the strip is only 981 pixels wide.
    QTest::newRow("62 characters, file") << 62 << kFileMargin;
    QTest::newRow("100 characters, code box") << 100 << kCodeBoxMargin;
    QTest::newRow("400 characters, file") << 400 << kFileMargin;
}

void TestGenerationRun::longTextKeepsItsEnd()
{
    QFETCH(int, characters);
    QFETCH(int, margin);
    const QString glyph = QStringLiteral("國");
    const SketchData alone = sample({}, glyph, {}, margin);
    const SketchData row = sample({}, glyph.repeated(characters), {}, margin);

    QVERIFY(row.slen() > 14 * characters + margin);
    QVERIFY(row.scroll.back() != 0);
    // Same glyph, same pixels: the last character came through whole.
    QCOMPARE(columns(row, 16 * (characters - 1), 16), columns(alone, 0, 16));
    QCOMPARE(columns(row, 0, 16), columns(alone, 0, 16));
}

void TestGenerationRun::titleIsCutAfter64Columns()
{
    const SketchData four = sample(QStringLiteral("國國國國"), {}, {}, kCodeBoxMargin);
    const SketchData eight = sample(QStringLiteral("國國國國國國國國"), {}, {}, kCodeBoxMargin);
    QCOMPARE(eight.title, four.title);
    QVERIFY(std::any_of(four.title.begin() + 48, four.title.end(), [](quint16 w) { return w; }));
}

QTEST_MAIN(TestGenerationRun)
#include "TestGenerationRun.moc"
