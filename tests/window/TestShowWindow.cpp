// The show window: starts from the main window's texts, edits scenes, plays
// the scene being edited as the model gives it, keeps files and asks before
// losing changes.

#include "cli/Messages.h"
#include "generator/GenerationRun.h"
#include "output/ShowFile.h"
#include "platform/Clipboard.h"
#include "window/Form1.h"
#include "window/LedMatrixView.h"
#include "window/ShowWindow.h"

#include "Dialogs.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTest>

#include <memory>

Q_DECLARE_METATYPE(Show)

namespace {

class NoClipboard : public Clipboard
{
public:
    void clear() override {}
    void setText(const QString &) override {}
};

// Answers every message box with button, or closes one that has none; keeps
// the last one's text.
class Answer
{
public:
    explicit Answer(QMessageBox::StandardButton button)
    {
        m_watcher.setInterval(10);
        QObject::connect(&m_watcher, &QTimer::timeout, [this, button] {
            if (auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget())) {
                message = box->text();
                if (QAbstractButton *answer = box->button(button))
                    answer->click();
                else
                    box->accept();
            }
        });
        m_watcher.start();
    }
    QString message;

private:
    QTimer m_watcher;
};

Show threeScenes()
{
    Show show;
    show.scenes = {{QStringLiteral("歡迎"), Effect::Blink, 101, 51, 3},
                   {QStringLiteral("光臨"), Effect::ScrollUp, 11, 51, 1},
                   {QStringLiteral("八折"), Effect::Pages, 154, 51, 1}};
    return show;
}

} // namespace

class TestShowWindow : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();

    void startsFromTheTexts();
    void editsPlayTheScene_data();
    void editsPlayTheScene();
    void savesAndOpens();
    void closingAsks_data();
    void closingAsks();
    void burnRefusals_data();
    void burnRefusals();

private:
    template <typename T> T *control(const char *name) const
    {
        return m_window->findChild<T *>(QLatin1String(name));
    }
    void open()
    {
        QTest::mouseClick(m_form->findChild<QPushButton *>("Command6"), Qt::LeftButton);
        m_window = m_form->findChild<ShowWindow *>();
        QVERIFY(m_window);
        QVERIFY(QTest::qWaitForWindowExposed(m_window));
    }
    // Waits until the LEDs play the show as it is, then checks they show the
    // current scene's first frame as the model made here gives it.
    void checkPlaying()
    {
        QTRY_VERIFY(m_window->model().show == m_window->currentShow());
        const Show &show = m_window->currentShow();
        std::vector<std::size_t> starts;
        const std::vector<DisplayStep> program = showProgram(show, sampleShow(show), &starts);
        const int row = control<QTableWidget>("scenes")->currentRow();
        QVERIFY(m_window->findChild<LedMatrixView *>()->frame() ==
                program[starts[std::size_t(row)]].frame);
    }

    NoClipboard m_clipboard;
    std::unique_ptr<Form1> m_form;
    ShowWindow *m_window = nullptr;
    QTemporaryDir m_folder;
};

void TestShowWindow::initTestCase()
{
    Messages::installTranslations(QLocale(QLocale::Chinese, QLocale::Taiwan));
}

void TestShowWindow::init()
{
    m_form = std::make_unique<Form1>(m_clipboard);
    m_form->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_form.get()));
}

void TestShowWindow::cleanup()
{
    m_form.reset();
    m_window = nullptr;
}

void TestShowWindow::startsFromTheTexts()
{
    m_form->findChild<QLineEdit *>("Text1")->setText(QStringLiteral("歡迎"));
    m_form->findChild<QLineEdit *>("Text2")->setText(QStringLiteral("今日全面八折"));
    m_form->findChild<QCheckBox *>("Check1")->setChecked(true);
    open();
    CanvasFont font;
    font.bold = true;
    QCOMPARE(m_window->currentShow(), classicShow("歡迎", "今日全面八折", font));
    QVERIFY(!m_window->isWindowModified());
    QCOMPARE(control<QTableWidget>("scenes")->item(2, 2)->text(),
             QStringLiteral("6 次掃描（每秒 1.6 字）"));
    checkPlaying();
    // Opened again, it is the same window with the same show.
    QTest::mouseClick(m_form->findChild<QPushButton *>("Command6"), Qt::LeftButton);
    QCOMPARE(m_form->findChildren<ShowWindow *>().size(), 1);
}

void TestShowWindow::editsPlayTheScene_data()
{
    QTest::addColumn<QString>("button");
    QTest::addColumn<QStringList>("texts");
    QTest::addColumn<int>("row");
    QTest::newRow("新增") << "addScene" << QStringList{"歡迎", "光臨", "", "八折"} << 2;
    QTest::newRow("複製") << "duplicateScene" << QStringList{"歡迎", "光臨", "光臨", "八折"} << 2;
    QTest::newRow("移除") << "removeScene" << QStringList{"歡迎", "八折"} << 1;
    QTest::newRow("上移") << "sceneUp" << QStringList{"光臨", "歡迎", "八折"} << 0;
    QTest::newRow("下移") << "sceneDown" << QStringList{"歡迎", "八折", "光臨"} << 2;
    QTest::newRow("text") << "" << QStringList{"歡迎", "跑馬燈", "八折"} << 1;
}

void TestShowWindow::editsPlayTheScene()
{
    QFETCH(QString, button);
    QFETCH(QStringList, texts);
    QFETCH(int, row);
    open();
    m_window->setShow(threeScenes());
    control<QTableWidget>("scenes")->setCurrentCell(1, 0);
    if (button.isEmpty())
        control<QLineEdit>("sceneText")->setText(texts[1]);
    else
        QTest::mouseClick(control<QPushButton>(qPrintable(button)), Qt::LeftButton);
    QStringList shown;
    for (const Scene &scene : m_window->currentShow().scenes)
        shown.append(scene.text);
    QCOMPARE(shown, texts);
    QCOMPARE(control<QTableWidget>("scenes")->currentRow(), row);
    QCOMPARE(control<QTableWidget>("scenes")->rowCount(), texts.size());
    QVERIFY(m_window->isWindowModified());
    checkPlaying();
}

void TestShowWindow::savesAndOpens()
{
    open();
    const QString path = m_folder.filePath(QStringLiteral("shop/show.json"));
    QString offered;
    m_window->askShowPath = [&](QWidget *, bool, const QString &suggested) {
        offered = suggested;
        return path;
    };
    control<QComboBox>("effect")->setCurrentIndex(int(Effect::Pages));
    control<QSpinBox>("brightness")->setValue(3);
    QCOMPARE(m_window->currentShow().scenes[0].scans, 154);
    QCOMPARE(control<QLabel>("speed")->text(), QStringLiteral("每頁 1.01 秒"));
    // Untitled, 儲存 asks where; the folder is made.
    QTest::mouseClick(control<QPushButton>("save"), Qt::LeftButton);
    QVERIFY2(offered.endsWith(QStringLiteral("/節目.json")), qPrintable(offered));
    QFile file(path);
    QVERIFY(file.open(QIODevice::ReadOnly));
    Show saved;
    QString error;
    QVERIFY(readShow(file.readAll(), &saved, &error));
    QCOMPARE(saved, m_window->currentShow());
    QVERIFY(!m_window->isWindowModified());
    QVERIFY(m_window->windowTitle().contains(QStringLiteral("show.json")));

    // A file that is no show is refused with its place, and the show stays.
    const QString bad = m_folder.filePath(QStringLiteral("bad.json"));
    QFile badFile(bad);
    QVERIFY(badFile.open(QIODevice::WriteOnly) && badFile.write("{\"show\": 1,\n \"scenes\": [}"));
    badFile.close();
    control<QSpinBox>("brightness")->setValue(5);
    const Show edited = m_window->currentShow();
    m_window->askShowPath = [&](QWidget *, bool save, const QString &) {
        return save ? path : bad;
    };
    Answer answer(QMessageBox::Discard);
    QTest::mouseClick(control<QPushButton>("open"), Qt::LeftButton);
    QVERIFY2(answer.message.contains(bad) && answer.message.contains(QStringLiteral("第 2 行")),
             qPrintable(answer.message));
    QCOMPARE(m_window->currentShow(), edited);

    m_window->askShowPath = [&](QWidget *, bool, const QString &offeredFolder) {
        offered = offeredFolder;
        return path;
    };
    QTest::mouseClick(control<QPushButton>("open"), Qt::LeftButton);
    QCOMPARE(offered, m_folder.path());
    QCOMPARE(m_window->currentShow(), saved);
    QCOMPARE(control<QSpinBox>("brightness")->value(), 3);
}

void TestShowWindow::closingAsks_data()
{
    QTest::addColumn<bool>("edit");
    QTest::addColumn<int>("answer");
    QTest::addColumn<bool>("closed");
    QTest::addColumn<bool>("written");
    QTest::newRow("unchanged") << false << int(QMessageBox::Cancel) << true << false;
    QTest::newRow("取消") << true << int(QMessageBox::Cancel) << false << false;
    QTest::newRow("不儲存") << true << int(QMessageBox::Discard) << true << false;
    QTest::newRow("儲存") << true << int(QMessageBox::Save) << true << true;
}

void TestShowWindow::closingAsks()
{
    QFETCH(bool, edit);
    QFETCH(int, answer);
    QFETCH(bool, closed);
    QFETCH(bool, written);
    open();
    const QString path = m_folder.filePath(QStringLiteral("closing.json"));
    QFile::remove(path);
    m_window->askShowPath = [&](QWidget *, bool, const QString &) { return path; };
    if (edit)
        control<QCheckBox>("italic")->setChecked(true);
    {
        Answer answering{QMessageBox::StandardButton(answer)};
        // Closing the main window closes this one first.
        QCOMPARE(m_form->close(), closed);
        QCOMPARE(answering.message.isEmpty(), !edit);
    }
    QCOMPARE(m_window->isVisible(), !closed);
    QCOMPARE(QFile::exists(path), written);
    // Opened again after closing, it starts afresh from the texts.
    QTest::mouseClick(m_form->findChild<QPushButton *>("Command6"), Qt::LeftButton);
    QCOMPARE(m_window->currentShow().italic, !closed);
}

void TestShowWindow::burnRefusals_data()
{
    QTest::addColumn<QString>("port");
    QTest::addColumn<int>("characters");
    QTest::addColumn<QString>("said");
    QTest::newRow("no port") << "" << 1 << "連接埠";
    // Pages keep the whole text: about 8,000 characters pass the flash.
    QTest::newRow("past the flash") << "/dev/ttyNoBoard" << 8200 << "位元組";
}

void TestShowWindow::burnRefusals()
{
    QFETCH(QString, port);
    QFETCH(int, characters);
    QFETCH(QString, said);
    m_form->findChild<QComboBox *>("Combo1")->setEditText(port);
    open();
    Show show;
    show.scenes = {{QString(characters, u'跑'), Effect::Pages, 1, 51, 1}};
    m_window->setShow(show);
    QTRY_VERIFY(m_window->model().show == show);
    QTest::mouseClick(control<QPushButton>("burn"), Qt::LeftButton);
    const QString status = control<QLabel>("status")->text();
    QVERIFY2(status.contains(said), qPrintable(status));
    QCOMPARE(control<QPushButton>("burn")->text(), QStringLiteral("燒錄"));
    QVERIFY(m_form->findChild<QAbstractButton *>("Command4")->isEnabled());
}

QTEST_MAIN(TestShowWindow)
#include "TestShowWindow.moc"
