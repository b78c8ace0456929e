#include "canvas/GlyphCanvas.h"

#include <QFontInfo>
#include <QTest>

namespace {

int litPixels(const GlyphCanvas &canvas, int width, int height)
{
    int lit = 0;
    for (int x = 0; x < width; ++x) {
        for (int y = 0; y < height; ++y)
            lit += isLit(canvas.point(x, y));
    }
    return lit;
}

} // namespace

class TestGlyphCanvas : public QObject
{
    Q_OBJECT

private slots:
    void pointOutsideIsMinusOne_data();
    void pointOutsideIsMinusOne();
    void backgroundIsNeverBlack();
    void printPutsCellAtPenAndMovesDown();
    void everyPixelIsBlackOrBackground();
    void surfaceWidensToTheText();
    void clsClearsAndResetsPen();
    void surfaceCopyOutlivesTheCanvas();
    void facesResolveToInstalledFamilies_data();
    void facesResolveToInstalledFamilies();
    void twelvePointsAreSixteenPixels();
};

void TestGlyphCanvas::pointOutsideIsMinusOne_data()
{
    QTest::addColumn<int>("x");
    QTest::addColumn<int>("y");
    QTest::newRow("left") << -1 << 0;
    QTest::newRow("above") << 0 << -1;
    QTest::newRow("right") << GlyphCanvas::kStripWidth << 0;
    QTest::newRow("below") << 0 << GlyphCanvas::kStripHeight;
}

void TestGlyphCanvas::pointOutsideIsMinusOne()
{
    QFETCH(int, x);
    QFETCH(int, y);
    GlyphCanvas canvas;
    QCOMPARE(canvas.point(x, y), -1);
}

void TestGlyphCanvas::backgroundIsNeverBlack()
{
    GlyphCanvas canvas;
    QVERIFY(canvas.point(0, 0) > 0);
    QCOMPARE(canvas.point(GlyphCanvas::kStripWidth - 1, GlyphCanvas::kStripHeight - 1),
             canvas.point(0, 0));
    QCOMPARE(litPixels(canvas, GlyphCanvas::kStripWidth, GlyphCanvas::kStripHeight), 0);
}

void TestGlyphCanvas::printPutsCellAtPenAndMovesDown()
{
    GlyphCanvas atOrigin;
    atOrigin.print(QStringLiteral("國"));
    QCOMPARE(atOrigin.currentX(), 0);
    QCOMPARE(atOrigin.currentY(), 16);

    GlyphCanvas moved;
    moved.setCurrentX(100);
    moved.setCurrentY(5);
    moved.print(QStringLiteral("國"));
    for (int x = 0; x < 16; ++x) {
        for (int y = 0; y < 16; ++y)
            QCOMPARE(moved.point(100 + x, 5 + y), atOrigin.point(x, y));
    }
    QVERIFY(litPixels(atOrigin, 16, 16) > 20);
}

void TestGlyphCanvas::everyPixelIsBlackOrBackground()
{
    GlyphCanvas canvas;
    const int background = canvas.point(0, 0);
    canvas.setFontName(kFaceKai);
    canvas.setFontItalic(true);
    canvas.print(QStringLiteral("標楷體斜體 Kai"));
    for (int x = 0; x < 200; ++x) {
        for (int y = 0; y < GlyphCanvas::kStripHeight; ++y) {
            const int colour = canvas.point(x, y);
            QVERIFY2(colour == 0 || colour == background, qPrintable(QString::number(colour)));
        }
    }
}

void TestGlyphCanvas::surfaceWidensToTheText()
{
    GlyphCanvas canvas;
    canvas.print(QStringLiteral("國").repeated(100));
    QVERIFY(canvas.surface().width() >= 1600);
    QVERIFY(canvas.inkExtent() >= 1600);
    QVERIFY(litPixels(canvas, 1600, 16) > 0);
    QCOMPARE(litPixels(canvas, 1584, 16) + litPixels(canvas, 16, 16), litPixels(canvas, 1600, 16));
}

void TestGlyphCanvas::clsClearsAndResetsPen()
{
    GlyphCanvas canvas;
    canvas.print(QStringLiteral("國").repeated(100));
    canvas.cls();
    QCOMPARE(canvas.currentX(), 0);
    QCOMPARE(canvas.currentY(), 0);
    QCOMPARE(canvas.inkExtent(), 0);
    QCOMPARE(litPixels(canvas, canvas.surface().width(), GlyphCanvas::kStripHeight), 0);
}

void TestGlyphCanvas::surfaceCopyOutlivesTheCanvas()
{
    QImage copy;
    QImage drawn;
    {
        GlyphCanvas canvas;
        // Wide enough for the surface to take memory of its own, not the heap's.
        canvas.print(QStringLiteral("國").repeated(1200));
        copy = canvas.surface();
        drawn = copy.copy();
        canvas.cls();
        QCOMPARE(copy, drawn); // clearing the canvas leaves an earlier copy as it was
    }
    QCOMPARE(copy, drawn);
    int black = 0;
    for (int x = 0; x < 1600; ++x) {
        for (int y = 0; y < 16; ++y)
            black += copy.pixel(x, y) == qRgb(0, 0, 0);
    }
    QVERIFY(black > 0);
}

void TestGlyphCanvas::facesResolveToInstalledFamilies_data()
{
    QTest::addColumn<QString>("face");
    QTest::addColumn<QString>("family");
    QTest::newRow("新細明體") << kFaceMing << "AR PL UMing TW";
    QTest::newRow("標楷體") << kFaceKai << "TW-Kai";
}

void TestGlyphCanvas::facesResolveToInstalledFamilies()
{
    QFETCH(QString, face);
    QFETCH(QString, family);
    QCOMPARE(GlyphCanvas::resolveFamily(face), family);
    const QFont font = GlyphCanvas::qtFont({face, 12, false, false});
    QCOMPARE(QFontInfo(font).family(), family);
}

void TestGlyphCanvas::twelvePointsAreSixteenPixels()
{
    GlyphCanvas canvas;
    canvas.print(QStringLiteral("國國"));
    // Two full-width characters side by side, each 16 pixels, nothing below row 15.
    QVERIFY(litPixels(canvas, 32, 16) > 0);
    QCOMPARE(litPixels(canvas, 32, GlyphCanvas::kStripHeight), litPixels(canvas, 32, 16));
    QCOMPARE(litPixels(canvas, GlyphCanvas::kStripWidth, 16), litPixels(canvas, 32, 16));
}

QTEST_MAIN(TestGlyphCanvas)
#include "TestGlyphCanvas.moc"
