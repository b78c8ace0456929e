// The compile's own guarantees: a core cache shared safely, messages that name
// what to fix.

#include "board/ArduinoMega.h"
#include "board/BoardJob.h"
#include "board/CoreCache.h"
#include "canvas/GlyphCanvas.h"
#include "generator/DefaultTexts.h"
#include "generator/GenerationRun.h"

#include <QDir>
#include <QFile>
#include <QSignalSpy>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

#include <memory>

class TestBoardJob : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void twoAtOnceShareTheCache();
    void coreFollowsTheCompiler();
    void damagedCoreIsRebuilt();
    void failure_data();
    void failure();

private:
    std::unique_ptr<QTemporaryDir> m_cache;
    QByteArray m_path;
};

namespace {

QByteArray defaultSketch()
{
    GlyphCanvas canvas;
    return codeBoxRun(kDefaultTitle, kDefaultText, canvas).toUtf8();
}

} // namespace

void TestBoardJob::init()
{
    // A cache of this test's own, empty at the start.
    m_cache = std::make_unique<QTemporaryDir>();
    QVERIFY(m_cache->isValid());
    qputenv("XDG_CACHE_HOME", m_cache->path().toUtf8());
    m_path = qgetenv("PATH");
}

void TestBoardJob::cleanup()
{
    qunsetenv("XDG_CACHE_HOME");
    qputenv("PATH", m_path);
}

void TestBoardJob::twoAtOnceShareTheCache()
{
    // A build that crashed halfway leaves its folder behind; nobody may use it.
    QVERIFY(QDir().mkpath(CoreCache::folder() + QStringLiteral("/building-crashed")));

    BoardJob first;
    BoardJob second;
    QSignalSpy firstDone(&first, &BoardJob::finished);
    QSignalSpy secondDone(&second, &BoardJob::finished);
    first.start(defaultSketch(), QString());
    second.start(defaultSketch(), QString());
    QTRY_VERIFY_WITH_TIMEOUT(firstDone.count() == 1 && secondDone.count() == 1, 60000);
    QCOMPARE(firstDone.first().first().value<BoardResult>().failure, BoardFailure::None);
    QCOMPARE(secondDone.first().first().value<BoardResult>().failure, BoardFailure::None);
    QVERIFY(first.hex().startsWith(':'));
    QCOMPARE(second.hex(), first.hex());

    // One core in the cache, and no staging folder of theirs left over.
    const QStringList entries =
        QDir(CoreCache::folder()).entryList(QDir::Dirs | QDir::NoDotAndDotDot);
    QCOMPARE(entries.filter(QStringLiteral("core-")).size(), 1);
    QCOMPARE(entries.filter(QStringLiteral("building-")), QStringList{"building-crashed"});
}

// A core built by another compiler, or from another core, is never linked.
void TestBoardJob::coreFollowsTheCompiler()
{
    const auto compile = [] {
        BoardJob job;
        QSignalSpy done(&job, &BoardJob::finished);
        job.start(defaultSketch(), QString());
        return done.wait(60000) &&
               done.first().first().value<BoardResult>().failure == BoardFailure::None;
    };
    QVERIFY(compile());

    // The same compiler, saying it is another version.
    QTemporaryDir bin;
    QFile gcc(bin.filePath(QStringLiteral("avr-gcc")));
    QVERIFY(gcc.open(QIODevice::WriteOnly));
    gcc.write("#!/bin/sh\n[ \"$1\" = --version ] && { echo 'avr-gcc (GCC) 99.1.0'; exit 0; }\n"
              "exec \"" +
              QStandardPaths::findExecutable(QStringLiteral("avr-gcc")).toUtf8() + "\" \"$@\"\n");
    gcc.close();
    QVERIFY(gcc.setPermissions(gcc.permissions() | QFile::ExeOwner));
    qputenv("PATH", bin.path().toUtf8() + ':' + m_path);
    QVERIFY(compile());

    const QStringList cores =
        QDir(CoreCache::folder()).entryList({QStringLiteral("core-*")}, QDir::Dirs);
    QCOMPARE(cores.size(), 2);
    QVERIFY(!ArduinoMega::coreVersion().isEmpty());
    for (const QString &core : cores)
        QVERIFY(core.startsWith(QStringLiteral("core-%1-").arg(ArduinoMega::coreVersion())));
}

// A core cut short (a full disk, a crash) fails the link once; then it is built anew.
void TestBoardJob::damagedCoreIsRebuilt()
{
    const auto compile = [] {
        BoardJob job;
        QSignalSpy done(&job, &BoardJob::finished);
        job.start(defaultSketch(), QString());
        return done.wait(60000) ? done.first().first().value<BoardResult>() : BoardResult{};
    };
    QCOMPARE(compile().failure, BoardFailure::None);
    const QStringList cores =
        QDir(CoreCache::folder()).entryList({QStringLiteral("core-*")}, QDir::Dirs);
    QCOMPARE(cores.size(), 1);
    QFile archive(CoreCache::folder() + u'/' + cores.first() + QStringLiteral("/core.a"));
    const qint64 size = archive.size();
    QVERIFY(archive.resize(size / 2));

    const BoardResult again = compile();
    QCOMPARE(again.failure, BoardFailure::None);
    // Built anew: LTO objects differ by a few bytes from build to build.
    QVERIFY(archive.size() > size * 9 / 10);
    QVERIFY(again.log.contains("avr-gcc-ar"));
}

void TestBoardJob::failure_data()
{
    QTest::addColumn<QByteArray>("sketch");
    QTest::addColumn<QByteArray>("path");
    QTest::addColumn<BoardFailure>("failure");
    QTest::addColumn<QString>("detail");

    // The sketch's own line numbers, not those of what the compile made of it.
    QTest::newRow("compile error")
        << QByteArray("void setup() {}\r\nvoid loop() { nope(); }\r\n") << QByteArray()
        << BoardFailure::CompileFailed << QStringLiteral("bb.ino:2:");
    QTest::newRow("no toolchain") << defaultSketch() << QByteArray("/nonexistent")
                                  << BoardFailure::ToolMissing
                                  << QStringLiteral("binutils-avr gcc-avr");
}

void TestBoardJob::failure()
{
    QFETCH(QByteArray, sketch);
    QFETCH(QByteArray, path);
    QFETCH(BoardFailure, failure);
    QFETCH(QString, detail);
    if (!path.isEmpty())
        qputenv("PATH", path);

    BoardJob job;
    QSignalSpy done(&job, &BoardJob::finished);
    job.start(sketch, QString());
    QTRY_VERIFY_WITH_TIMEOUT(done.count() == 1, 60000);
    const BoardResult result = done.first().first().value<BoardResult>();
    QCOMPARE(result.failure, failure);
    QVERIFY2(result.detail.startsWith(detail), qPrintable(result.detail));
    QVERIFY(job.hex().isEmpty());
}

QTEST_MAIN(TestBoardJob)
#include "TestBoardJob.moc"
