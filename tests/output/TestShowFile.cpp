// Show files: the example reads as written, defaults fill what is left out, and
// every bad file is refused with the place named.

#include "output/ShowFile.h"

#include <QTest>

Q_DECLARE_METATYPE(Show)

class TestShowFile : public QObject
{
    Q_OBJECT

private slots:
    void readsExample();
    void refused_data();
    void refused();
    void readsBackWhatItWrites_data();
    void readsBackWhatItWrites();
};

void TestShowFile::readsExample()
{
    Show show;
    QString error;
    QVERIFY(readShow(R"({"show": 1, "face": "kai", "bold": true, "brightness": 3, "scenes": [
        {"text": "歡迎光臨", "effect": "blink"},
        {"text": "今日全面八折", "effect": "run-left", "scans": 4, "repeat": 2}]})",
                     &show, &error));
    Show expected;
    expected.face = kFaceKai;
    expected.bold = true;
    expected.brightness = 3;
    expected.scenes = {{QStringLiteral("歡迎光臨"), Effect::Blink, 101, 51, 3},
                       {QStringLiteral("今日全面八折"), Effect::RunLeft, 4, 51, 2}};
    QCOMPARE(show, expected);
}

void TestShowFile::refused_data()
{
    QTest::addColumn<QByteArray>("json");
    QTest::addColumn<QString>("error");
    QTest::newRow("not JSON") << QByteArray("{\"show\": 1,\n \"scenes\": [}")
                              << "not JSON: line 2, column 14";
    QTest::newRow("not UTF-8") << QByteArray(
                                      "{\"scenes\": [{\"text\": \"\xff\", \"effect\": \"blink\"}]}")
                               << "not JSON: line 1, column";
    QTest::newRow("no scenes") << QByteArray(R"({"show": 1, "scenes": []})") << "it has no scenes";
    QTest::newRow("unknown effect")
        << QByteArray(
               R"({"scenes": [{"text": "a", "effect": "blink"}, {"text": "b", "effect": "zoom"}]})")
        << "scene 2: there is no effect \"zoom\"; the effects are blink, scroll-up, scroll-down, "
           "run-left, run-right, pages";
    QTest::newRow("out of range")
        << QByteArray(R"({"brightness": 9, "scenes": [{"text": "a", "effect": "pages"}]})")
        << "brightness must be a whole number from 1 to 8";
    QTest::newRow("scene without text")
        << QByteArray(R"({"scenes": [{"effect": "pages"}]})") << "scene 1: text must be a text";
    QTest::newRow("unknown face")
        << QByteArray(R"({"face": "arial", "scenes": [{"text": "a", "effect": "pages"}]})")
        << "there is no face \"arial\"";
    QTest::newRow("unknown field")
        << QByteArray(R"({"speed": 2, "scenes": [{"text": "a", "effect": "pages"}]})")
        << "there is no field \"speed\"";
    QTest::newRow("later version")
        << QByteArray(R"({"show": 2, "scenes": [{"text": "a", "effect": "pages"}]})")
        << "show must be a whole number from 1 to 1";
}

void TestShowFile::refused()
{
    QFETCH(QByteArray, json);
    QFETCH(QString, error);
    Show show;
    show.brightness = 5;
    QString said;
    QVERIFY(!readShow(json, &show, &said));
    QVERIFY2(said.startsWith(error), qPrintable(said));
    QCOMPARE(show.brightness, 5);
}

void TestShowFile::readsBackWhatItWrites_data()
{
    QTest::addColumn<Show>("show");
    Show ming;
    ming.scenes = {{QStringLiteral("歡迎\"光臨\\"), Effect::Blink, 7, 0, 255},
                   {QString(), Effect::Pages, 65535, 51, 1}};
    QTest::newRow("ming, quotes, a blank scene, the limits") << ming;
    Show kai;
    kai.face = kFaceKai;
    kai.bold = kai.italic = true;
    kai.brightness = 1;
    for (int effect = 0; effect < int(effectNames().size()); ++effect)
        kai.scenes.push_back({QString(effect + 1, u'跑'), Effect(effect), effect + 1, 51, 2});
    QTest::newRow("kai bold italic, every effect") << kai;
}

void TestShowFile::readsBackWhatItWrites()
{
    QFETCH(Show, show);
    Show read;
    QString error;
    QVERIFY2(readShow(writeShow(show), &read, &error), qPrintable(error));
    QCOMPARE(read, show);
}

QTEST_MAIN(TestShowFile)
#include "TestShowFile.moc"
