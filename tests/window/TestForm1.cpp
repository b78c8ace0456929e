#include "canvas/GlyphCanvas.h"
#include "cli/Messages.h"
#include "generator/DefaultTexts.h"
#include "generator/GenerationRun.h"
#include "output/AnsiSink.h"
#include "output/SketchFile.h"
#include "platform/Clipboard.h"
#include "window/Form1.h"

#include "Dialogs.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <csignal>
#include <memory>
#include <sys/resource.h>

namespace {

// Remembers what a copy did to the clipboard, in order.
class FakeClipboard : public Clipboard
{
public:
    void clear() override { calls.append(QStringLiteral("clear")); }
    void setText(const QString &value) override
    {
        calls.append(QStringLiteral("setText"));
        text = value;
    }

    QStringList calls;
    QString text;
};

QString bbFolder()
{
    return QCoreApplication::applicationDirPath() + QStringLiteral("/bb");
}

QString sketchFile()
{
    return bbFolder() + QStringLiteral("/bb.ino");
}

QByteArray readAll(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("(unreadable)");
}

bool writeFile(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

// What stands at bb: its file bytes, or a marker for a folder.
QByteArray bbSnapshot()
{
    const QFileInfo bb(bbFolder());
    if (bb.isFile())
        return "file bb: " + readAll(bb.filePath());
    const QFileInfo sketch(sketchFile());
    if (sketch.isDir())
        return "folder bb.ino: " +
               QDir(sketch.filePath()).entryList(QDir::NoDotAndDotDot).join(' ').toUtf8();
    return "file bb.ino: " + readAll(sketch.filePath());
}

GlyphCanvas canvasWith(const QString &face, bool bold, bool italic)
{
    GlyphCanvas canvas;
    canvas.setFontName(face);
    canvas.setFontBold(bold);
    canvas.setFontItalic(italic);
    return canvas;
}

QString codeText(const QString &face, bool bold, bool italic)
{
    GlyphCanvas canvas = canvasWith(face, bold, italic);
    return codeBoxRun(kDefaultTitle, kDefaultText, canvas);
}

QByteArray fileBytes(const QString &title, const QString &text)
{
    GlyphCanvas canvas;
    AnsiSink sink;
    fileRun(title, text, canvas, sink);
    return sink.bytes();
}

enum Obstacle { BbIsFile, SketchIsFolder, FileTooLarge };

} // namespace

class TestForm1 : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();

    void controls_data();
    void controls();
    void startState();
    void tabOrder();
    void nothingOverlaps();
    void burnWithoutPort_data();
    void burnWithoutPort();
    void textWarnings();
    void generateFillsCodeBox();
    void copy_data();
    void copy();
    void fontChoice_data();
    void fontChoice();
    void writeSketchFile();
    void writeFailure_data();
    void writeFailure();
    void sketchFolder_data();
    void sketchFolder();
    void memoryWarning_data();
    void memoryWarning();

private:
    template <typename T> T *control(const char *name) const
    {
        return m_form->findChild<T *>(QLatin1String(name));
    }
    void click(const char *name) const
    {
        QTest::mouseClick(control<QAbstractButton>(name), Qt::LeftButton);
    }
    // Text3's text as a copy hands it on.
    QString copiedCode()
    {
        click("Command2");
        return m_clipboard.text;
    }

    FakeClipboard m_clipboard;
    std::unique_ptr<Form1> m_form;
    rlimit m_fileSizeLimit{};
};

void TestForm1::initTestCase()
{
    // As the program does: the window speaks Traditional Chinese.
    Messages::installTranslations(QLocale(QLocale::Chinese, QLocale::Taiwan));
}

void TestForm1::init()
{
    QDir(bbFolder()).removeRecursively();
    QFile::remove(bbFolder());
    getrlimit(RLIMIT_FSIZE, &m_fileSizeLimit);
    m_clipboard = FakeClipboard();
    m_form = std::make_unique<Form1>(m_clipboard);
    m_form->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_form.get()));
}

void TestForm1::cleanup()
{
    m_form.reset();
    setrlimit(RLIMIT_FSIZE, &m_fileSizeLimit);
    QDir(bbFolder()).removeRecursively();
    QFile::remove(bbFolder());
}

void TestForm1::controls_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("caption");
    QTest::addColumn<QRect>("geometry");

    QTest::newRow("pic") << "pic" << QString() << QRect(8, 88, 985, 33);
    QTest::newRow("Command1") << "Command1"
                              << "產生Arduino程式碼" << QRect(40, 520, 113, 33);
    QTest::newRow("Text1") << "Text1" << kDefaultTitle << QRect(8, 8, 81, 33);
    QTest::newRow("Text2") << "Text2" << kDefaultText << QRect(8, 48, 745, 33);
    QTest::newRow("Check1") << "Check1"
                            << "粗體" << QRect(16, 136, 81, 33);
    QTest::newRow("Check2") << "Check2"
                            << "斜體" << QRect(120, 136, 81, 33);
    QTest::newRow("Option1") << "Option1"
                             << "新細明體" << QRect(216, 136, 81, 33);
    QTest::newRow("Option2") << "Option2"
                             << "標楷體" << QRect(312, 136, 81, 33);
    QTest::newRow("Command5") << "Command5"
                              << "寫入檔案" << QRect(256, 528, 81, 33);
    QTest::newRow("Text3") << "Text3"
                           << "Text3" << QRect(8, 184, 817, 321);
    QTest::newRow("Command2") << "Command2"
                              << "複製" << QRect(160, 520, 81, 33);
    QTest::newRow("Command3") << "Command3"
                              << "預覽" << QRect(352, 528, 81, 33);
    QTest::newRow("Command4") << "Command4"
                              << "燒錄" << QRect(440, 528, 81, 33);
    QTest::newRow("Combo1") << "Combo1" << QString() << QRect(528, 528, 177, 33);
    QTest::newRow("Command6") << "Command6"
                              << "節目…" << QRect(760, 48, 81, 33);
}

void TestForm1::controls()
{
    QFETCH(QString, name);
    QFETCH(QString, caption);
    QFETCH(QRect, geometry);

    const QWidget *widget = m_form->findChild<QWidget *>(name);
    QVERIFY(widget);
    QCOMPARE(widget->geometry(), geometry);
    QString shown;
    if (auto *button = qobject_cast<const QAbstractButton *>(widget))
        shown = button->text();
    else if (auto *line = qobject_cast<const QLineEdit *>(widget))
        shown = line->text();
    else if (auto *box = qobject_cast<const QPlainTextEdit *>(widget))
        shown = box->toPlainText();
    QCOMPARE(shown, caption);
}

void TestForm1::startState()
{
    QCOMPARE(m_form->windowTitle(), QStringLiteral("Form1"));
    QCOMPARE(m_form->size(), QSize(1006, 596));
    QCOMPARE(m_form->minimumSize(), m_form->maximumSize());
    QVERIFY(control<QRadioButton>("Option1")->isChecked());
    QVERIFY(!control<QRadioButton>("Option2")->isChecked());
    QVERIFY(!control<QCheckBox>("Check1")->isChecked());
    QVERIFY(!control<QCheckBox>("Check2")->isChecked());
    QCOMPARE(control<QLineEdit>("Text1")->maxLength(), 32767);
    QCOMPARE(control<QLineEdit>("Text2")->maxLength(), 32767);
    QCOMPARE(control<QFrame>("pic")->contentsRect().size(),
             QSize(GlyphCanvas::kStripWidth, GlyphCanvas::kStripHeight));
    QCOMPARE(control<QPushButton>("Command5")->toolTip(),
             QDir::toNativeSeparators(QStringLiteral("請開啟程式所在資料夾的bb/bb.ino")));

    const auto *code = control<QPlainTextEdit>("Text3");
    QCOMPARE(code->font().family(), GlyphCanvas::resolveFamily(kFaceMing));
    QCOMPARE(code->font().pointSize(), 12);
    QCOMPARE(code->font().weight(), QFont::Normal);
    QCOMPARE(code->lineWrapMode(), QPlainTextEdit::NoWrap);
    QCOMPARE(code->horizontalScrollBarPolicy(), Qt::ScrollBarAlwaysOn);
    QCOMPARE(code->verticalScrollBarPolicy(), Qt::ScrollBarAlwaysOn);
}

void TestForm1::tabOrder()
{
    QStringList order;
    QWidget *widget = control<QWidget>("pic");
    do {
        // A combo box's own line edit hands its focus to the box.
        if (widget->focusPolicy() & Qt::TabFocus && !widget->focusProxy())
            order.append(widget->objectName());
        widget = widget->nextInFocusChain();
    } while (widget->objectName() != u"pic");

    QCOMPARE(order, QStringList({"pic", "Command1", "Text1", "Text2", "Command6", "Check1",
                                 "Check2", "Option1", "Option2", "Command5", "Text3", "Command2",
                                 "Command3", "Command4", "Combo1"}));
}

void TestForm1::burnWithoutPort_data()
{
    QTest::addColumn<bool>("pattern");
    QTest::newRow("燒錄") << false;
    QTest::newRow("燒錄測試圖樣") << true;
}

void TestForm1::burnWithoutPort()
{
    QFETCH(bool, pattern);
    control<QComboBox>("Combo1")->setEditText(QString());
    if (pattern)
        control<QAction>("burnTestPattern")->trigger();
    else
        QTest::mouseClick(control<QAbstractButton>("Command4"), Qt::LeftButton);
    QVERIFY(control<QLabel>("status")->text().contains(QStringLiteral("連接埠")));
    QCOMPARE(control<QAbstractButton>("Command4")->text(), QStringLiteral("燒錄"));
    QCOMPARE(control<QPlainTextEdit>("Text3")->toPlainText(), QStringLiteral("Text3"));
}

void TestForm1::textWarnings()
{
    control<QLineEdit>("Text1")->setText(QStringLiteral("歡迎光臨您"));
    control<QLineEdit>("Text2")->setText(QStringLiteral("한"));
    QTest::mouseClick(control<QPushButton>("Command1"), Qt::LeftButton);
    QCOMPARE(control<QLabel>("status")->text(),
             QStringLiteral("注意：標題寬 80 欄，招牌只顯示前 64 欄。\n"
                            "注意：新細明體沒有「한」(U+D55C)的字形，招牌上會顯示方框。"));
}

void TestForm1::nothingOverlaps()
{
    const QList<QWidget *> controls =
        m_form->findChildren<QWidget *>(QString(), Qt::FindDirectChildrenOnly);
    for (const QWidget *a : controls) {
        for (const QWidget *b : controls)
            QVERIFY2(a == b || !a->geometry().intersects(b->geometry()),
                     qPrintable(a->objectName() + u' ' + b->objectName()));
    }
}

void TestForm1::generateFillsCodeBox()
{
    GlyphCanvas canvas;
    const QString expected = codeBoxRun(kDefaultTitle, kDefaultText, canvas);

    click("Command1");
    QCOMPARE(copiedCode(), expected);
    click("Command1");
    QCOMPARE(copiedCode(), expected);
    QCOMPARE(control<QPlainTextEdit>("Text3")->toPlainText().split(u'\n'),
             expected.split(QStringLiteral("\r\n")));

    // The strip shows the drawing the run sampled last.
    QFrame *pic = control<QFrame>("pic");
    QCOMPARE(pic->grab(pic->contentsRect()).toImage().convertToFormat(QImage::Format_RGB32),
             canvas.surface().copy(0, 0, GlyphCanvas::kStripWidth, GlyphCanvas::kStripHeight));
}

void TestForm1::copy_data()
{
    // Lines typed at the end of the box, Return between them.
    QTest::addColumn<QStringList>("typed");
    QTest::addColumn<QString>("copied");

    QTest::newRow("before any run") << QStringList() << "Text3";
    QTest::newRow("user's edit") << QStringList{"ab"} << "Text3ab";
    QTest::newRow("line typed") << QStringList{"", "ab"} << "Text3\r\nab";
}

void TestForm1::copy()
{
    QFETCH(QStringList, typed);
    QFETCH(QString, copied);

    auto *code = control<QPlainTextEdit>("Text3");
    code->moveCursor(QTextCursor::End);
    for (qsizetype i = 0; i < typed.size(); ++i) {
        if (i > 0)
            QTest::keyClick(code, Qt::Key_Return);
        QTest::keyClicks(code, typed[i]);
    }
    QCOMPARE(copiedCode(), copied);
    QCOMPARE(m_clipboard.calls, QStringList({"clear", "setText"}));
}

void TestForm1::fontChoice_data()
{
    QTest::addColumn<QString>("choice");
    QTest::addColumn<QString>("undo");
    QTest::addColumn<QString>("face");
    QTest::addColumn<bool>("bold");
    QTest::addColumn<bool>("italic");

    QTest::newRow("粗體") << "Check1"
                          << "Check1" << kFaceMing << true << false;
    QTest::newRow("斜體") << "Check2"
                          << "Check2" << kFaceMing << false << true;
    QTest::newRow("標楷體") << "Option2"
                            << "Option1" << kFaceKai << false << false;
}

void TestForm1::fontChoice()
{
    QFETCH(QString, choice);
    QFETCH(QString, undo);
    QFETCH(QString, face);
    QFETCH(bool, bold);
    QFETCH(bool, italic);
    const QString plain = codeText(kFaceMing, false, false);
    const QString chosen = codeText(face, bold, italic);
    QVERIFY(chosen != plain);

    click(choice.toLatin1());
    click("Command1");
    QCOMPARE(copiedCode(), chosen);

    click(undo.toLatin1());
    click("Command1");
    QCOMPARE(copiedCode(), plain);
}

void TestForm1::writeSketchFile()
{
    QCOMPARE(m_form->sketchPath(), QDir::toNativeSeparators(sketchFile()));

    QCOMPARE(clickForMessage(control<QPushButton>("Command5")), QString());
    QCOMPARE(readAll(sketchFile()), fileBytes(kDefaultTitle, kDefaultText));
    QVERIFY(control<QLabel>("status")->text().contains(m_form->sketchPath()));

    // A second write replaces the first whole, shorter as it is.
    auto *text = control<QLineEdit>("Text2");
    text->setText(QStringLiteral("短"));
    QCOMPARE(clickForMessage(control<QPushButton>("Command5")), QString());
    QCOMPARE(readAll(sketchFile()), fileBytes(kDefaultTitle, QStringLiteral("短")));
    // The code box is not touched.
    QCOMPARE(control<QPlainTextEdit>("Text3")->toPlainText(), QStringLiteral("Text3"));
}

void TestForm1::writeFailure_data()
{
    QTest::addColumn<int>("obstacle");

    QTest::newRow("bb is a file") << int(BbIsFile);
    QTest::newRow("bb.ino is a folder") << int(SketchIsFolder);
    QTest::newRow("file too large to write") << int(FileTooLarge);
}

void TestForm1::writeFailure()
{
    QFETCH(int, obstacle);
    switch (obstacle) {
    case BbIsFile:
        QVERIFY(writeFile(bbFolder(), "not a folder"));
        break;
    case SketchIsFolder:
        QVERIFY(QDir().mkpath(sketchFile() + QStringLiteral("/kept")));
        break;
    case FileTooLarge: {
        QVERIFY(QDir().mkpath(bbFolder()));
        QVERIFY(writeFile(sketchFile(), "an earlier sketch\r\n"));
        // Binds root too, unlike permissions; the write then fails with EFBIG.
        std::signal(SIGXFSZ, SIG_IGN);
        rlimit small = m_fileSizeLimit;
        small.rlim_cur = 100;
        QVERIFY(setrlimit(RLIMIT_FSIZE, &small) == 0);
        break;
    }
    }
    const QByteArray before = bbSnapshot();
    auto *title = control<QLineEdit>("Text1");
    QTest::keyClicks(title, QStringLiteral("!"));
    const QString typed = title->text();

    const QString message = clickForMessage(control<QPushButton>("Command5"));
    QVERIFY2(message.contains(m_form->sketchPath()), qPrintable(message));
    // A reason follows the path.
    QVERIFY2(message.section(m_form->sketchPath(), 1).trimmed().size() > 0, qPrintable(message));
    QCOMPARE(bbSnapshot(), before);
    QCOMPARE(title->text(), typed);
    QCOMPARE(control<QLabel>("status")->text(), QString());
}

void TestForm1::sketchFolder_data()
{
    // Folders, under the test's own program folder and home, that take files.
    QTest::addColumn<QStringList>("open");
    QTest::addColumn<bool>("bbReady");
    QTest::addColumn<QString>("written");
    QTest::newRow("program folder takes files") << QStringList{"program"} << false << "program/bb";
    QTest::newRow("installed: program folder shut") << QStringList{} << false << "home/Arduino/bb";
    QTest::newRow("bb made ready in a shut folder")
        << QStringList{"program/bb"} << true << "program/bb";
}

void TestForm1::sketchFolder()
{
    QFETCH(QStringList, open);
    QFETCH(bool, bbReady);
    QFETCH(QString, written);
    QTemporaryDir root;
    const QString program = root.filePath(QStringLiteral("program"));
    QVERIFY(QDir().mkpath(bbReady ? program + QStringLiteral("/bb") : program));
    const QByteArray home = qgetenv("HOME");
    qputenv("HOME", root.filePath(QStringLiteral("home")).toLocal8Bit());
    const QString path = sketchFilePath(program, [&](const QString &folder) {
        return open.contains(QDir(root.path()).relativeFilePath(folder));
    });
    qputenv("HOME", home);
    const QString expected = QDir::toNativeSeparators(root.filePath(written + "/bb.ino"));
    QCOMPARE(path, expected);

    m_form->setSketchPath(path);
    QCOMPARE(control<QPushButton>("Command5")->toolTip(), QStringLiteral("請開啟") + expected);
    QCOMPARE(clickForMessage(control<QPushButton>("Command5")), QString());
    QCOMPARE(readAll(expected), fileBytes(kDefaultTitle, kDefaultText));
    QVERIFY(control<QLabel>("status")->text().contains(expected));

    // Installed, the program never writes beside itself, even as root.
    QVERIFY(!folderTakesFiles(QStringLiteral("/usr/bin")));
    QVERIFY(folderTakesFiles(root.path()));
}

void TestForm1::memoryWarning_data()
{
    // Narrow letters keep slen at the estimate; these lengths sit on either side
    // of the board's 8192 bytes in each layout.
    QTest::addColumn<QString>("button");
    QTest::addColumn<int>("letters");
    QTest::addColumn<bool>("warned");

    QTest::newRow("產生, fits") << "Command1" << 269 << false;
    QTest::newRow("產生, too long") << "Command1" << 270 << true;
    QTest::newRow("寫入檔案, fits") << "Command5" << 276 << false;
    QTest::newRow("寫入檔案, too long") << "Command5" << 277 << true;
}

void TestForm1::memoryWarning()
{
    QFETCH(QString, button);
    QFETCH(int, letters);
    QFETCH(bool, warned);
    control<QLineEdit>("Text2")->setText(QString(letters, u'a'));

    // No dialog: the warning is a line in the window.
    QCOMPARE(clickForMessage(control<QPushButton>(button.toLatin1())), QString());
    const QString status = control<QLabel>("status")->text();
    QCOMPARE(status.contains(QStringLiteral("8192")), warned);

    // The next run with a short text clears it.
    control<QLineEdit>("Text2")->setText(QStringLiteral("短"));
    click(button.toLatin1());
    QVERIFY(!control<QLabel>("status")->text().contains(QStringLiteral("8192")));
}

QTEST_MAIN(TestForm1)
#include "TestForm1.moc"
