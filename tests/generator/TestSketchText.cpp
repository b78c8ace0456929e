#include "generator/SketchText.h"

#include <QFile>
#include <QTest>

namespace {

class CollectingSink : public LineSink
{
public:
    bool open() override { return true; }
    void writeLine(const QString &line) override { lines += line; }
    bool close() override { return true; }
    QString text() const { return lines.join("\r\n") + "\r\n"; }

    QStringList lines;
};

SketchData zeros(int slen)
{
    SketchData data;
    data.scroll.assign(slen, 0);
    return data;
}

QString repeated(const QString &item, int times)
{
    return item.repeated(times);
}

QString programLines()
{
    QFile file(QFINDTESTDATA("data/program.txt"));
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return QString::fromUtf8(file.readAll());
}

const QString kHeader = QStringLiteral("unsigned int i,j,k;\r\n"
                                       "unsigned int a[64]; //重複掃瞄資料\r\n"
                                       "//標題資料\r\n"
                                       "unsigned int b[]={\r\n");
const QString kZeroTitle = repeated(" 0,", 63) + " 0};\r\n";
const QString kLeadIn = repeated("0,", 64);

} // namespace

class TestSketchText : public QObject
{
    Q_OBJECT

private slots:
    void wholeText_data();
    void wholeText();
    void scrollLines_data();
    void scrollLines();
    void numberText_data();
    void numberText();
    void titleValues();
};

void TestSketchText::wholeText_data()
{
    QTest::addColumn<int>("slen");
    QTest::addColumn<int>("layout");
    QTest::addColumn<QString>("middle");

    QTest::newRow("empty inputs, code box")
        << 120 << int(Layout::CodeBox)
        << "unsigned int slen= 120;   //c[]資料長度\r\n//文字資料\r\n"
           "unsigned int c[]={" +
               kLeadIn + " 0,\r\n" + repeated(" 0,", 64) + "\r\n" + repeated(" 0,", 54) +
               " 0};\r\n";
    QTest::newRow("empty inputs, file")
        << 16 << int(Layout::File)
        << "unsigned int slen= 16;   //c[]資料長度\r\n//文字資料\r\n"
           "unsigned int c[]={\r\n" +
               kLeadIn + " 0,\r\n" + repeated(" 0,", 14) + " 0};\r\n";
}

void TestSketchText::wholeText()
{
    QFETCH(int, slen);
    QFETCH(int, layout);
    QFETCH(QString, middle);
    const QString program = programLines();
    QCOMPARE(program.count("\r\n"), 70);

    CollectingSink sink;
    writeSketch(zeros(slen), Layout(layout), sink);
    QCOMPARE(sink.text(), kHeader + kZeroTitle + middle + program);
    QCOMPARE(sink.lines.size(), layout == int(Layout::File) ? 79 : 78);
    QVERIFY(sink.text().endsWith("}\r\n"));
}

void TestSketchText::scrollLines_data()
{
    QTest::addColumn<int>("slen");
    QTest::addColumn<QStringList>("expected");

    // Column x holds the value x + 1, so every line shows which columns it carries.
    auto values = [](int from, int to) {
        QString text;
        for (int x = from; x <= to; ++x)
            text += QStringLiteral(" %1,").arg(x + 1);
        return text;
    };
    QTest::newRow("slen 130: last column alone")
        << 130
        << QStringList{"unsigned int c[]={" + kLeadIn + " 1,", values(1, 64), values(65, 128),
                       " 130};"};
    QTest::newRow("slen 129: last index a multiple of 64, no extra break")
        << 129
        << QStringList{"unsigned int c[]={" + kLeadIn + " 1,", values(1, 64),
                       values(65, 127) + " 129};"};
}

void TestSketchText::scrollLines()
{
    QFETCH(int, slen);
    QFETCH(QStringList, expected);
    SketchData data;
    for (int x = 0; x < slen; ++x)
        data.scroll.push_back(quint16(x + 1));

    CollectingSink code;
    writeSketch(data, Layout::CodeBox, code);
    QCOMPARE(code.lines.at(7).split("\r\n"), expected);
    QCOMPARE(code.lines.at(4), kZeroTitle.chopped(2));

    CollectingSink file;
    writeSketch(data, Layout::File, file);
    QCOMPARE(file.lines.at(7), QStringLiteral("unsigned int c[]={"));
    expected.first().remove(0, int(qstrlen("unsigned int c[]={")));
    QCOMPARE(file.lines.at(8).split("\r\n"), expected);
    QCOMPARE(file.lines.at(5), QStringLiteral("unsigned int slen= %1;   //c[]資料長度").arg(slen));
}

void TestSketchText::numberText_data()
{
    QTest::addColumn<int>("value");
    QTest::addColumn<QString>("text");
    QTest::newRow("zero") << 0 << " 0";
    QTest::newRow("two digits") << 12 << " 12";
    QTest::newRow("largest word") << 65535 << " 65535";
}

void TestSketchText::numberText()
{
    QFETCH(int, value);
    QFETCH(QString, text);
    QCOMPARE(::numberText(value), text);
}

void TestSketchText::titleValues()
{
    SketchData data = zeros(16);
    data.title[0] = 1;
    data.title[1] = 32768;
    data.title[63] = 65535;
    CollectingSink sink;
    writeSketch(data, Layout::CodeBox, sink);
    QCOMPARE(sink.lines.at(4), " 1, 32768," + repeated(" 0,", 61) + " 65535};");
}

QTEST_GUILESS_MAIN(TestSketchText)
#include "TestSketchText.moc"
