#include "canvas/GlyphCanvas.h"
#include "generator/DefaultTexts.h"
#include "generator/GenerationRun.h"
#include "platform/Clipboard.h"
#include "window/Form1.h"

#include <QProcess>
#include <QPushButton>
#include <QTest>

class TestX11Clipboard : public QObject
{
    Q_OBJECT

private slots:
    void copyReachesOtherPrograms();
};

void TestX11Clipboard::copyReachesOtherPrograms()
{
    SystemClipboard clipboard;
    Form1 form(clipboard);
    form.show();
    QVERIFY(QTest::qWaitForWindowExposed(&form));
    QTest::mouseClick(form.findChild<QPushButton *>("Command1"), Qt::LeftButton);
    QTest::mouseClick(form.findChild<QPushButton *>("Command2"), Qt::LeftButton);

    // The window owns the selection and must keep answering while xclip asks.
    QProcess xclip;
    xclip.start(QStringLiteral("xclip"), {"-o", "-selection", "clipboard"});
    QVERIFY2(xclip.waitForStarted(), qPrintable(xclip.errorString()));
    QTRY_COMPARE_WITH_TIMEOUT(xclip.state(), QProcess::NotRunning, 10000);
    QCOMPARE(xclip.exitCode(), 0);

    GlyphCanvas canvas;
    QCOMPARE(xclip.readAllStandardOutput(),
             codeBoxRun(kDefaultTitle, kDefaultText, canvas).toUtf8());
}

QTEST_MAIN(TestX11Clipboard)
#include "TestX11Clipboard.moc"
