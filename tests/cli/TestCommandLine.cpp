#include "canvas/GlyphCanvas.h"
#include "cli/CommandLine.h"
#include "generator/BoardMemory.h"
#include "generator/DefaultTexts.h"
#include "generator/GenerationRun.h"
#include "output/AnsiSink.h"

#include <QBuffer>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

#include <QDir>
#include <QElapsedTimer>

#include <csignal>
#include <fcntl.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <unistd.h>

namespace {

struct Result
{
    int status = -1;
    QByteArray out;
    QByteArray err;
};

Result runCli(const QStringList &arguments)
{
    QBuffer out;
    QBuffer err;
    out.open(QIODevice::WriteOnly);
    err.open(QIODevice::WriteOnly);
    Result result;
    result.status = runCommandLine(QStringList{"marquee-sketch-cli"} + arguments, out, err);
    result.out = out.data();
    result.err = err.data();
    return result;
}

QByteArray expectedCode(const CanvasFont &font, const QString &title, const QString &text)
{
    GlyphCanvas canvas;
    canvas.setFontName(font.name);
    canvas.setFontBold(font.bold);
    canvas.setFontItalic(font.italic);
    return codeBoxRun(title, text, canvas).toUtf8();
}

QByteArray expectedFile(const QString &title, const QString &text)
{
    GlyphCanvas canvas;
    AnsiSink sink;
    fileRun(title, text, canvas, sink);
    return sink.bytes();
}

QByteArray readFile(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// Makes every write past a few bytes fail, as a full disk would.
class FileSizeLimit
{
public:
    explicit FileSizeLimit(rlim_t bytes)
    {
        getrlimit(RLIMIT_FSIZE, &m_saved);
        m_handler = std::signal(SIGXFSZ, SIG_IGN);
        rlimit limit = m_saved;
        limit.rlim_cur = bytes;
        setrlimit(RLIMIT_FSIZE, &limit);
    }
    ~FileSizeLimit()
    {
        setrlimit(RLIMIT_FSIZE, &m_saved);
        std::signal(SIGXFSZ, m_handler);
    }

private:
    rlimit m_saved{};
    void (*m_handler)(int) = nullptr;
};

} // namespace

class TestCommandLine : public QObject
{
    Q_OBJECT

private slots:
    void writesTheSketch_data();
    void writesTheSketch();
    void fileLayoutIsCp950();
    void badUsage_data();
    void badUsage();
    void helpAndVersion();
    void outputFileIsWritten();
    void failedWriteKeepsOldFile_data();
    void failedWriteKeepsOldFile();
    void builtProgramMatches_data();
    void builtProgramMatches();
    void memoryWarning_data();
    void memoryWarning();
    void faults_data();
    void faults();
    void specialOutputsKept_data();
    void specialOutputsKept();
    void windowWithoutDisplay();
    void signalStopsCleanly_data();
    void signalStopsCleanly();
};

void TestCommandLine::writesTheSketch_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<QByteArray>("expected");
    const CanvasFont ming;
    QTest::newRow("defaults") << QStringList{} << expectedCode(ming, kDefaultTitle, kDefaultText);
    QTest::newRow("own texts") << QStringList{"--title", "你好", "--text", "早安 世界"}
                               << expectedCode(ming, "你好", "早安 世界");
    QTest::newRow("kai bold italic")
        << QStringList{"--face", "kai", "--bold", "--italic"}
        << expectedCode({kFaceKai, 12, true, true}, kDefaultTitle, kDefaultText);
    QTest::newRow("標楷體 by its name")
        << QStringList{"--face", "標楷體"}
        << expectedCode({kFaceKai, 12, false, false}, kDefaultTitle, kDefaultText);
    QTest::newRow("ming by its short name") << QStringList{"--face", "ming", "--layout", "code"}
                                            << expectedCode(ming, kDefaultTitle, kDefaultText);
    QTest::newRow("file layout") << QStringList{"--layout", "file", "--text", ""}
                                 << expectedFile(kDefaultTitle, {});
}

void TestCommandLine::writesTheSketch()
{
    QFETCH(QStringList, arguments);
    QFETCH(QByteArray, expected);
    const Result result = runCli(arguments);
    QCOMPARE(result.status, 0);
    QCOMPARE(result.err, QByteArray());
    QCOMPARE(result.out, expected);
}

void TestCommandLine::fileLayoutIsCp950()
{
    const Result result = runCli({"--layout", "file"});
    // 標題資料 in Big5.
    QVERIFY(result.out.contains("\r\n//\xBC\xD0\xC3\x44\xB8\xEA\xAE\xC6\r\n"));
    QVERIFY(result.out.contains("\r\nunsigned int c[]={\r\n0,0,"));
    QVERIFY(result.out.endsWith("   }\r\n}\r\n"));
    QCOMPARE(result.out.count("\n"), result.out.count("\r\n"));
}

void TestCommandLine::badUsage_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<QByteArray>("complaint");
    QTest::newRow("unknown option") << QStringList{"--colour", "red"} << QByteArray("colour");
    QTest::newRow("unknown face") << QStringList{"--face", "Arial"} << QByteArray("Arial");
    QTest::newRow("unknown layout") << QStringList{"--layout", "html"} << QByteArray("html");
    QTest::newRow("missing value") << QStringList{"--title"} << QByteArray("title");
    QTest::newRow("stray argument") << QStringList{"hello"} << QByteArray("hello");
    QTest::newRow("upload to no port") << QStringList{"--upload", ""} << QByteArray("port");
}

void TestCommandLine::badUsage()
{
    QFETCH(QStringList, arguments);
    QFETCH(QByteArray, complaint);
    const Result result = runCli(arguments);
    QCOMPARE(result.status, 2);
    QCOMPARE(result.out, QByteArray());
    const QList<QByteArray> lines = result.err.trimmed().split('\n');
    QCOMPARE(lines.size(), 2);
    QVERIFY2(lines.at(0).contains(complaint), lines.at(0));
    QVERIFY(lines.at(1).contains("--help"));
}

void TestCommandLine::helpAndVersion()
{
    const Result help = runCli({"--help"});
    QCOMPARE(help.status, 0);
    for (const char *option :
         {"--title", "--text", "--face", "--bold", "--italic", "--layout", "--output"})
        QVERIFY2(help.out.contains(option), option);
    const Result version = runCli({"--version"});
    QCOMPARE(version.status, 0);
    QVERIFY(version.out.startsWith("marquee-sketch-cli "));
}

void TestCommandLine::outputFileIsWritten()
{
    QTemporaryDir dir;
    const QString path = dir.filePath("bb.ino");
    QFile old(path);
    QVERIFY(old.open(QIODevice::WriteOnly));
    old.write(QByteArray(50000, 'x'));
    old.close();

    const Result result = runCli({"--layout", "file", "-o", path});
    QCOMPARE(result.status, 0);
    QCOMPARE(result.out, QByteArray());
    QCOMPARE(readFile(path), expectedFile(kDefaultTitle, kDefaultText));
}

void TestCommandLine::failedWriteKeepsOldFile_data()
{
    QTest::addColumn<QString>("option");
    QTest::addColumn<QString>("name");
    QTest::addColumn<bool>("diskFull");
    // Its folder cannot be made: a file has that name.
    QTest::newRow("folder is a file") << "-o"
                                      << "taken/bb.ino" << false;
    QTest::newRow("disk full") << "-o"
                               << "bb.ino" << true;
    QTest::newRow("HEX, folder is a file") << "--hex"
                                           << "taken/bb.hex" << false;
}

void TestCommandLine::failedWriteKeepsOldFile()
{
    QFETCH(QString, option);
    QFETCH(QString, name);
    QFETCH(bool, diskFull);
    QTemporaryDir dir;
    const QString path = dir.filePath(name);
    const QByteArray before = "an earlier sketch\r\n";
    QFile taken(dir.filePath(QStringLiteral("taken")));
    QVERIFY(taken.open(QIODevice::WriteOnly));
    if (diskFull) {
        QFile old(path);
        QVERIFY(old.open(QIODevice::WriteOnly));
        old.write(before);
    }

    Result result;
    {
        FileSizeLimit limit(diskFull ? 1000 : RLIM_INFINITY);
        result = runCli({option, path});
    }
    QCOMPARE(result.status, 1);
    QCOMPARE(result.err.count('\n'), 1);
    QVERIFY2(result.err.contains(path.toUtf8()), result.err);
    QCOMPARE(QFile::exists(path), diskFull);
    if (diskFull)
        QCOMPARE(readFile(path), before);
}

void TestCommandLine::builtProgramMatches_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<QByteArray>("input");
    QTest::addColumn<int>("status");
    QTest::addColumn<QByteArray>("out");
    QTest::addColumn<QByteArray>("errStart");

    const QByteArray kai = expectedCode({kFaceKai, 12, false, false}, "測試", kDefaultText);
    const QByteArray twoLines =
        expectedCode({kFaceMing, 12, false, false}, kDefaultTitle, QStringLiteral("今日 特價"));
    QTest::newRow("options") << QStringList{"--title", "測試", "--face", "kai"} << QByteArray() << 0
                             << kai << QByteArray();
    QTest::newRow("title from standard input") << QStringList{"--title-file", "-", "--face", "kai"}
                                               << QByteArray("測試\n") << 0 << kai << QByteArray();
    QTest::newRow("text lines from standard input")
        << QStringList{"--text-file", "-"} << QByteArray("今日\r\n特價\r\n") << 0 << twoLines
        << QByteArray();
    QTest::newRow("invalid UTF-8")
        << QStringList{"--text-file", "-"} << QByteArray("ok\xe6\xb8") << 2 << QByteArray()
        << QByteArray("marquee-sketch-cli: - is not UTF-8: byte 2 is invalid");
    QTest::newRow("no glyph") << QStringList{"--text", "한"} << QByteArray() << 0
                              << expectedCode({kFaceMing, 12, false, false}, kDefaultTitle, "한")
                              << QByteArray("warning: 新細明體 has no glyph for 한 (U+D55C); "
                                            "the sign shows a box\n");
    QTest::newRow("bad usage") << QStringList{"--layout"} << QByteArray() << 2 << QByteArray()
                               << QByteArray("marquee-sketch-cli: Missing value");
}

// Run as cron or sudo would: no XDG_RUNTIME_DIR, and nothing on stderr but the tool's own lines.
void TestCommandLine::builtProgramMatches()
{
    QFETCH(QStringList, arguments);
    QFETCH(QByteArray, input);
    QFETCH(int, status);
    QFETCH(QByteArray, out);
    QFETCH(QByteArray, errStart);

    QProcess process;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.remove("XDG_RUNTIME_DIR");
    process.setProcessEnvironment(environment);
    process.start(CLI_PATH, arguments);
    process.write(input);
    process.closeWriteChannel();
    QVERIFY(process.waitForFinished(30000));
    QCOMPARE(process.exitCode(), status);
    QCOMPARE(process.readAllStandardOutput(), out);
    const QByteArray err = process.readAllStandardError();
    QVERIFY2(errStart.isEmpty() ? err.isEmpty() : err.startsWith(errStart), err.constData());
}

void TestCommandLine::memoryWarning_data()
{
    // Narrow letters keep slen at the estimate, 14 columns a letter plus the
    // margin, so these lengths sit on either side of the board's 8192 bytes.
    QTest::addColumn<QString>("layout");
    QTest::addColumn<int>("letters");
    QTest::addColumn<bool>("fits");

    QTest::newRow("code box, last that fits") << "code" << 269 << true;
    QTest::newRow("code box, first too long") << "code" << 270 << false;
    QTest::newRow("file, last that fits") << "file" << 276 << true;
    QTest::newRow("file, first too long") << "file" << 277 << false;
    QTest::newRow("short text") << "code" << 5 << true;
}

void TestCommandLine::memoryWarning()
{
    QFETCH(QString, layout);
    QFETCH(int, letters);
    QFETCH(bool, fits);
    const QString text = QString(letters, u'a');

    GlyphCanvas canvas;
    SketchData data;
    if (layout == u"code") {
        codeBoxRun(kDefaultTitle, text, canvas, &data);
    } else {
        AnsiSink sink;
        fileRun(kDefaultTitle, text, canvas, sink, &data);
    }
    const int needed = sketchSramBytes(data);
    QCOMPARE(needed <= kBoardSramBytes, fits);

    const Result result = runCli({"--layout", layout, "--text", text});
    QCOMPARE(result.status, 0);
    QVERIFY(!result.out.isEmpty());
    if (fits) {
        QCOMPARE(result.err, QByteArray());
        return;
    }
    const QList<QByteArray> lines = result.err.split('\n');
    QCOMPARE(lines.size(), 2); // one line and its end
    QVERIFY2(lines[0].startsWith("warning:"), lines[0].constData());
    QVERIFY2(lines[0].contains(QByteArray::number(needed)), lines[0].constData());
    QVERIFY2(lines[0].contains("8192"), lines[0].constData());
}

// Bad inputs, broken environments and wrong ports: each ends in one clear
// sentence and the right status. In arguments and the environment, @ is a
// folder of the row's own, holding a file "file" and a FIFO "fifo".
void TestCommandLine::faults_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<QStringList>("environment"); // NAME=value, or NAME to unset
    QTest::addColumn<QString>("stdout");          // full or closed
    QTest::addColumn<int>("status");
    QTest::addColumn<QByteArray>("err");

    const QStringList none;
    QTest::newRow("standard output full") << QStringList{"--text", "你好"} << none << "full" << 1
                                          << QByteArray("standard output: No space left");
    QTest::newRow("help to a full standard output")
        << QStringList{"--help"} << none << "full" << 1 << QByteArray("standard output");
    QTest::newRow("standard output closed")
        << QStringList{"--version"} << none << "closed" << 1 << QByteArray("it is closed");
    QTest::newRow("no display") << QStringList{"-o", "@/a.ino"}
                                << QStringList{"DISPLAY", "QT_QPA_PLATFORM=xcb"} << "" << 0
                                << QByteArray();
    QTest::newRow("no fonts") << QStringList{"-o", "@/a.ino"}
                              << QStringList{"FONTCONFIG_FILE=@/fonts.conf"} << "" << 0
                              << QByteArray("warning: no fonts are installed");
    QTest::newRow("one path for two outputs")
        << QStringList{"-o", "@/x", "--gif", "@/../" + QStringLiteral("%1/x")} << none << "" << 2
        << QByteArray("both name");
    QTest::newRow("both texts from standard input")
        << QStringList{"--title-file", "-", "--text-file", "-"} << none << "" << 2
        << QByteArray("cannot both read standard input");
    QTest::newRow("endless text") << QStringList{"--text-file", "/dev/zero"} << none << "" << 2
                                  << QByteArray("the text is longer than the 32767 characters");
    QTest::newRow("Traditional Chinese under zh_TW")
        << QStringList{"--text-file", "/dev/zero"} << QStringList{"LC_ALL=zh_TW.UTF-8"} << "" << 2
        << QByteArray("文字超過文字方塊可容納的 32767 個字元");
    QTest::newRow("show") << QStringList{"--show", "@/show.json", "-o", "@/show.ino"} << none << ""
                          << 0 << QByteArray();
    QTest::newRow("show beside a title") << QStringList{"--show", "@/show.json", "--title", "x"}
                                         << none << "" << 2 << QByteArray("--show and --title");
    QTest::newRow("not a show") << QStringList{"--show", "@/file"} << none << "" << 2
                                << QByteArray("@/file is not a show this program reads: not JSON");
    QTest::newRow("show past the flash")
        << QStringList{"--show", "@/big.json", "-o", "@/big.ino"} << none << "" << 1
        << QByteArray("bytes of flash, more than the 245760");
    QTest::newRow("title too long") << QStringList{"--title", QString(32768, u'a')} << none << ""
                                    << 2 << QByteArray("the title is longer");
    QTest::newRow("folder made") << QStringList{"-o", "@/new/bb/bb.ino"} << none << "" << 0
                                 << QByteArray();
    QTest::newRow("array past 32 KB")
        << QStringList{"--hex", "@/a.hex", "--text", QString(3000, u'a')} << none << "" << 1
        << QByteArray("bytes of SRAM");
    QTest::newRow("port a file") << QStringList{"--upload", "@/file"} << none << "" << 1
                                 << QByteArray("is not a serial port");
    QTest::newRow("port a FIFO") << QStringList{"--upload", "@/fifo"} << none << "" << 1
                                 << QByteArray("is not a serial port");
    QTest::newRow("port the null device") << QStringList{"--upload", "/dev/null"} << none << "" << 1
                                          << QByteArray("/dev/null is not a serial port");
    QTest::newRow("port a network address") << QStringList{"--upload", "net:127.0.0.1:9"} << none
                                            << "" << 1 << QByteArray("there is no port");
    QTest::newRow("cache a file") << QStringList{"--hex", "@/a.hex"}
                                  << QStringList{"XDG_CACHE_HOME=@/file"} << "" << 1
                                  << QByteArray(
                                         "cannot use the cache folder @/file/marquee-sketch");
    QTest::newRow("no home") << QStringList{"--hex", "@/a.hex"}
                             << QStringList{"HOME=@/gone", "XDG_CACHE_HOME"} << "" << 1
                             << QByteArray("the home folder @/gone does not exist");
    QTest::newRow("cache folder relative")
        << QStringList{"--hex", "@/a.hex"} << QStringList{"XDG_CACHE_HOME=cache"} << "" << 0
        << QByteArray();
    QTest::newRow("TMPDIR a file")
        << QStringList{"--hex", "@/a.hex"} << QStringList{"TMPDIR=@/file"} << "" << 1
        << QByteArray("cannot make the build folder");
}

void TestCommandLine::faults()
{
    QFETCH(QStringList, arguments);
    QFETCH(QStringList, environment);
    QFETCH(QString, stdout);
    QFETCH(int, status);
    QFETCH(QByteArray, err);
    QTemporaryDir dir;
    const auto place = [&](QString text) {
        text.replace(u'@', dir.path());
        return text.contains(QStringLiteral("%1")) ? text.arg(QFileInfo(dir.path()).fileName())
                                                   : text;
    };
    QFile file(dir.filePath(QStringLiteral("file")));
    QVERIFY(file.open(QIODevice::WriteOnly));
    QCOMPARE(mkfifo(QFile::encodeName(dir.filePath(QStringLiteral("fifo"))).constData(), 0600), 0);
    for (const auto &[name, text] : {std::pair{"show.json", QStringLiteral("節目")},
                                     std::pair{"big.json", QStringLiteral("遠").repeated(8000)}}) {
        QFile show(dir.filePath(QString::fromLatin1(name)));
        QVERIFY(show.open(QIODevice::WriteOnly));
        show.write(R"({"scenes": [{"text": ")" + text.toUtf8() + R"(", "effect": "pages"}]})");
    }
    QFile fonts(dir.filePath(QStringLiteral("fonts.conf")));
    QVERIFY(fonts.open(QIODevice::WriteOnly));
    fonts.write("<?xml version=\"1.0\"?>\n<fontconfig></fontconfig>\n");
    fonts.close();

    QProcess process;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    for (const QString &setting : environment) {
        if (setting.contains(u'='))
            env.insert(setting.section(u'=', 0, 0), place(setting.section(u'=', 1)));
        else
            env.remove(setting);
    }
    process.setProcessEnvironment(env);
    if (stdout == u"full")
        process.setStandardOutputFile(QStringLiteral("/dev/full"));
    if (stdout == u"closed")
        process.setChildProcessModifier([] { close(1); });
    QStringList placed;
    for (const QString &argument : arguments)
        placed.append(place(argument));
    process.start(CLI_PATH, placed);
    process.closeWriteChannel();
    QVERIFY(process.waitForFinished(60000));
    QCOMPARE(process.exitCode(), status);
    const QByteArray said = process.readAllStandardError();
    QVERIFY2(err.isEmpty() ? said.isEmpty() : said.contains(place(QString::fromUtf8(err)).toUtf8()),
             said.constData());
    QVERIFY2(said.count('\n') <= 2, said.constData());
}

// Qt would abort with advice to reinstall; the window says what is wrong instead.
void TestCommandLine::windowWithoutDisplay()
{
    QProcess process;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    for (const char *name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"})
        env.remove(QString::fromLatin1(name));
    process.setProcessEnvironment(env);
    process.start(GUI_PATH);
    QVERIFY(process.waitForFinished(30000));
    QCOMPARE(process.exitStatus(), QProcess::NormalExit);
    QCOMPARE(process.exitCode(), 1);
    QCOMPARE(process.readAllStandardError(),
             QByteArray("marquee-sketch: no display found; start it from a desktop session, or set "
                        "DISPLAY\n"));
}

// Only a regular file is replaced whole; a device or a FIFO is written to.
void TestCommandLine::specialOutputsKept_data()
{
    QTest::addColumn<bool>("fifo");
    QTest::newRow("a device") << false;
    QTest::newRow("a FIFO") << true;
}

void TestCommandLine::specialOutputsKept()
{
    QFETCH(bool, fifo);
    QTemporaryDir dir;
    const QByteArray path = QFile::encodeName(dir.filePath(QStringLiteral("special")));
    // The null device's own numbers, made afresh in a folder of the test's.
    if (fifo ? mkfifo(path.constData(), 0600) != 0
             : mknod(path.constData(), S_IFCHR | 0600, makedev(1, 3)) != 0)
        QSKIP("cannot make the node here (not root?)");
    const int reader = fifo ? open(path.constData(), O_RDONLY | O_NONBLOCK) : -1;

    int status = -1;
    QProcess process;
    process.start(CLI_PATH, {"-o", QString::fromLocal8Bit(path)});
    QVERIFY(process.waitForFinished(30000));
    status = process.exitCode();
    QCOMPARE(status, 0);
    struct stat info
    {
    };
    QCOMPARE(stat(path.constData(), &info), 0);
    QVERIFY(fifo ? S_ISFIFO(info.st_mode) : S_ISCHR(info.st_mode));
    if (fifo) {
        char head[19] = {};
        QCOMPARE(read(reader, head, 18), 18);
        close(reader);
        QCOMPARE(QByteArray(head), QByteArray("unsigned int i,j,k"));
    }
}

// A signal mid-compile stops the compiler, removes the build and the half-built
// core, and says so: nothing is left behind for later runs.
void TestCommandLine::signalStopsCleanly_data()
{
    QTest::addColumn<int>("signal");
    QTest::newRow("SIGINT") << SIGINT;
    QTest::newRow("SIGTERM") << SIGTERM;
    QTest::newRow("SIGHUP") << SIGHUP;
}

void TestCommandLine::signalStopsCleanly()
{
    QFETCH(int, signal);
    QTemporaryDir dir;
    QDir(dir.path()).mkpath(QStringLiteral("tmp"));
    QProcess process;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("TMPDIR"), dir.filePath(QStringLiteral("tmp")));
    env.insert(QStringLiteral("XDG_CACHE_HOME"), dir.filePath(QStringLiteral("cache")));
    process.setProcessEnvironment(env);
    process.start(CLI_PATH, {"--hex", dir.filePath(QStringLiteral("a.hex"))});
    const QDir cache(dir.filePath(QStringLiteral("cache/marquee-sketch")));
    QTRY_VERIFY_WITH_TIMEOUT(!cache.entryList({QStringLiteral("building-*")}, QDir::Dirs).isEmpty(),
                             30000);
    kill(pid_t(process.processId()), signal);
    QVERIFY(process.waitForFinished(30000));
    QCOMPARE(process.exitCode(), 128 + signal);
    QVERIFY(process.readAllStandardError().contains("stopped by SIG"));
    QCOMPARE(cache.entryList(QDir::AllEntries | QDir::NoDotAndDotDot), QStringList());
    // Only Qt's own runtime folder may stay.
    QCOMPARE(QDir(dir.filePath(QStringLiteral("tmp")))
                 .entryList(QDir::AllEntries | QDir::NoDotAndDotDot)
                 .filter(QStringLiteral("marquee")),
             QStringList());
    QVERIFY(!QFile::exists(dir.filePath(QStringLiteral("a.hex"))));
}

QTEST_MAIN(TestCommandLine)
#include "TestCommandLine.moc"
