#include "board/BoardJob.h"

#include "board/ArduinoMega.h"
#include "board/AvrdudeOutput.h"
#include "generator/BoardMemory.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QStandardPaths>

#include <set>

using namespace std::chrono_literals;

namespace {

// The compiler is quick; these only catch one that hangs.
constexpr auto kToolTimeout = 120s;
// How long a board may take to answer avrdude; avrdude's own retries take 30 s.
constexpr auto kAnswerTimeout = 10s;

const QString kSketchSource = QStringLiteral("bb.ino.cpp");
const QString kSketchObject = QStringLiteral("bb.ino.cpp.o");
const QString kElf = QStringLiteral("bb.elf");
const QString kHex = QStringLiteral("bb.hex");

QString packageOf(const QString &program)
{
    if (program == u"avrdude")
        return QStringLiteral("avrdude");
    if (program == u"avr-objcopy" || program == u"avr-size")
        return QStringLiteral("binutils-avr");
    return QStringLiteral("gcc-avr");
}

const QStringList &programs()
{
    static const QStringList list{"avr-gcc",     "avr-g++",  "avr-gcc-ar",
                                  "avr-objcopy", "avr-size", "avrdude"};
    return list;
}

// Names the cached core by what went into it: the core, the flags and the
// compiler, whose LTO objects no other compiler version reads.
QString coreKey(const QByteArray &compilerVersion)
{
    QCryptographicHash hash(QCryptographicHash::Sha256);
    for (const QString &part :
         ArduinoMega::cFlags() + ArduinoMega::cxxFlags() + ArduinoMega::coreSources())
        hash.addData(part.toUtf8() + '\0');
    hash.addData(compilerVersion);
    return QStringLiteral("core-%1-mega2560-%2")
        .arg(ArduinoMega::coreVersion(), QString::fromLatin1(hash.result().toHex().left(12)));
}

// Both directions over the wire at the board's speed, with room to spare.
std::chrono::milliseconds transferTimeout(int bytes)
{
    const qint64 oneWay = qint64(bytes) * 10 * 1000 / ArduinoMega::kUploadBaud;
    return kAnswerTimeout + std::chrono::milliseconds(4 * oneWay);
}

} // namespace

BoardJob::BoardJob(QObject *parent) : QObject(parent)
{
    connect(&m_tool, &ToolRun::ended, this, &BoardJob::stepEnded);
    connect(&m_tool, &ToolRun::outputGrown, this, &BoardJob::onOutput);
    m_portWatch.setInterval(250);
    connect(&m_portWatch, &QTimer::timeout, this, [this] {
        if (!QFileInfo::exists(m_result.port))
            m_tool.stop(ToolRun::End::Failed);
    });
}

BoardJob::~BoardJob() = default;

QString BoardJob::coreCacheFolder()
{
    // Shared by the window and the command line.
    return QStandardPaths::writableLocation(QStandardPaths::GenericCacheLocation) +
           QStringLiteral("/marquee-sketch");
}

QString BoardJob::elfPath() const
{
    return m_work ? m_work->filePath(kElf) : QString();
}

void BoardJob::start(const QByteArray &sketch, const QString &port)
{
    m_steps.clear();
    m_next = 0;
    m_uploadStep = kNoStep;
    m_hex.clear();
    m_result = BoardResult{};
    m_result.port = port;
    m_result.sramLimit = kBoardSramBytes;
    m_answered = false;
    m_linkToMeasure = false;
    m_running = true;
    m_coreStaging.reset();
    m_work = std::make_unique<QTemporaryDir>();
    if (!m_work->isValid())
        return finish(BoardFailure::CompileFailed, m_work->errorString());
    if (!checkTools())
        return;

    if (!writeSketch(sketch))
        return;

    emit progress(Stage::Compiling, -1);
    // The compiler's version names the cached core, so it is asked first.
    m_steps.push_back(
        {[] {
             return ToolCommand{QStringLiteral("avr-gcc"), {QStringLiteral("--version")}};
         },
         kToolTimeout,
         [this] {
             addCoreSteps(coreKey(m_tool.output()));
             addCompileSteps();
             if (!m_result.port.isEmpty())
                 addUploadStep();
             return true;
         },
         [this](ToolRun::End) { compileFailed(); }});
    runNext();
}

void BoardJob::cancel()
{
    if (m_running)
        m_tool.stop(ToolRun::End::Canceled);
}

bool BoardJob::checkTools()
{
    std::set<QString> missing;
    for (const QString &program : programs()) {
        if ((program != u"avrdude" || !m_result.port.isEmpty()) &&
            QStandardPaths::findExecutable(program).isEmpty())
            missing.insert(packageOf(program));
    }
    if (!QFileInfo::exists(ArduinoMega::coreSources().constLast()))
        missing.insert(QStringLiteral("arduino-core-avr"));
    if (!QFileInfo::exists(QStringLiteral("/usr/lib/avr/include/avr/io.h")))
        missing.insert(QStringLiteral("avr-libc"));
    if (missing.empty())
        return true;
    finish(BoardFailure::ToolMissing, QStringList(missing.begin(), missing.end()).join(u' '));
    return false;
}

void BoardJob::addCoreSteps(const QString &key)
{
    const QString cached = coreCacheFolder() + u'/' + key;
    m_coreArchive = cached + QStringLiteral("/core.a");
    if (QFileInfo::exists(m_coreArchive))
        return;

    // Built aside and renamed into place whole, so no program ever sees a
    // half-built core: not one that crashed, nor one building at the same time.
    QDir().mkpath(coreCacheFolder());
    m_coreStaging =
        std::make_unique<QTemporaryDir>(coreCacheFolder() + QStringLiteral("/building-XXXXXX"));
    const QString staging = m_coreStaging->path();
    QStringList objects;
    for (const QString &source : ArduinoMega::coreSources()) {
        const bool cxx = source.endsWith(QStringLiteral(".cpp"));
        const QString object = staging + u'/' + QFileInfo(source).fileName() + QStringLiteral(".o");
        objects.append(object);
        m_steps.push_back(
            {[=] {
                 return ToolCommand{cxx ? QStringLiteral("avr-g++") : QStringLiteral("avr-gcc"),
                                    (cxx ? ArduinoMega::cxxFlags() : ArduinoMega::cFlags()) +
                                        QStringList{source, QStringLiteral("-o"), object}};
             },
             kToolTimeout, [] { return true; }, [this](ToolRun::End) { compileFailed(); }});
    }
    m_steps.push_back({[=] {
                           return ToolCommand{QStringLiteral("avr-gcc-ar"),
                                              QStringList{QStringLiteral("rcs"),
                                                          staging + QStringLiteral("/core.a")} +
                                                  objects};
                       },
                       kToolTimeout,
                       [=, this] {
                           if (QDir().rename(staging, cached))
                               return true;
                           if (QFileInfo::exists(m_coreArchive))
                               m_coreStaging.reset(); // another program's came first
                           else
                               m_coreArchive = staging + QStringLiteral("/core.a"); // use it once
                           return true;
                       },
                       [this](ToolRun::End) { compileFailed(); }});
}

bool BoardJob::writeSketch(const QByteArray &sketch)
{
    // What the IDE adds to a .ino; #line keeps the compiler's messages on the sketch's own lines.
    QFile source(m_work->filePath(kSketchSource));
    if (source.open(QIODevice::WriteOnly) &&
        source.write("#include <Arduino.h>\n#line 1 \"bb.ino\"\n" + sketch) >= 0 && source.flush())
        return true;
    finish(BoardFailure::CompileFailed, source.errorString());
    return false;
}

void BoardJob::addCompileSteps()
{
    const auto ok = [] { return true; };
    const auto failed = [this](ToolRun::End) { compileFailed(); };
    m_steps.push_back({[] {
                           return ToolCommand{
                               QStringLiteral("avr-g++"),
                               ArduinoMega::cxxFlags() +
                                   QStringList{kSketchSource, QStringLiteral("-o"), kSketchObject}};
                       },
                       kToolTimeout, ok, failed});
    m_steps.push_back(
        {[this] {
             // Arrays too big for the SRAM fail the link; linked anyway, they
             // tell avr-size how big, and the size check refuses them.
             const QStringList measure{QStringLiteral("-Wl,--noinhibit-exec")};
             return ToolCommand{
                 QStringLiteral("avr-gcc"),
                 ArduinoMega::linkFlags() + (m_linkToMeasure ? measure : QStringList()) +
                     QStringList{QStringLiteral("-o"), kElf, kSketchObject, m_coreArchive,
                                 QStringLiteral("-L."), QStringLiteral("-lm")}};
         },
         kToolTimeout, ok,
         [this](ToolRun::End) {
             if (m_linkToMeasure || !m_tool.output().contains("is not within region `data'"))
                 return compileFailed();
             m_linkToMeasure = true;
             runNext();
         }});
    // Sizes first: a sketch the board cannot hold gets no HEX.
    m_steps.push_back(
        {[] {
             return ToolCommand{QStringLiteral("avr-size"), {QStringLiteral("-A"), kElf}};
         },
         kToolTimeout, [this] { return readSizes(); }, failed});
    m_steps.push_back({[] {
                           return ToolCommand{QStringLiteral("avr-objcopy"),
                                              {QStringLiteral("-O"), QStringLiteral("ihex"),
                                               QStringLiteral("-R"), QStringLiteral(".eeprom"),
                                               kElf, kHex}};
                       },
                       kToolTimeout,
                       [this] {
                           QFile hex(m_work->filePath(kHex));
                           if (hex.open(QIODevice::ReadOnly))
                               m_hex = hex.readAll();
                           return true;
                       },
                       failed});
}

bool BoardJob::readSizes()
{
    // avr-size -A: one "name size address" line a section.
    static const QRegularExpression line(QStringLiteral("^\\.(\\w+)\\s+(\\d+)"),
                                         QRegularExpression::MultilineOption);
    int text = 0;
    int data = 0;
    int bss = 0;
    for (auto match = line.globalMatch(QString::fromLatin1(m_tool.output())); match.hasNext();) {
        const auto section = match.next();
        const int size = section.captured(2).toInt();
        if (section.captured(1) == u"text")
            text = size;
        else if (section.captured(1) == u"data")
            data = size;
        else if (section.captured(1) == u"bss" || section.captured(1) == u"noinit")
            bss += size;
    }
    m_result.programBytes = text + data;
    // The stack shares the SRAM; a sketch that leaves it no room overwrites its own arrays.
    m_result.sramNeeded = data + bss + kSketchStackBytes;
    if (m_result.sramNeeded <= m_result.sramLimit)
        return true;
    finish(BoardFailure::TooBig);
    return false;
}

void BoardJob::addUploadStep()
{
    const QString port = m_result.port;
    m_uploadStep = m_steps.size();
    m_steps.push_back({[port] {
                           return ToolCommand{QStringLiteral("avrdude"),
                                              {QStringLiteral("-p"), QStringLiteral("atmega2560"),
                                               QStringLiteral("-c"), ArduinoMega::kUploadProtocol,
                                               QStringLiteral("-P"), port, QStringLiteral("-b"),
                                               QString::number(ArduinoMega::kUploadBaud),
                                               QStringLiteral("-D"), QStringLiteral("-U"),
                                               QStringLiteral("flash:w:%1:i").arg(kHex)}};
                       },
                       kAnswerTimeout, [] { return true; },
                       [this, port](ToolRun::End end) {
                           BoardResult why = avrdudeFailure(m_tool.output());
                           if ((!m_answered || end == ToolRun::End::TimedOut) &&
                               why.failure != BoardFailure::PermissionDenied &&
                               why.failure != BoardFailure::PortGone)
                               why.failure = BoardFailure::NoAnswer;
                           // However avrdude put it, a port that is no longer there went away.
                           if (!QFileInfo::exists(port))
                               why.failure = BoardFailure::PortGone;
                           finish(why.failure, why.detail);
                       }});
}

void BoardJob::runNext()
{
    if (!m_running)
        return;
    if (m_next == m_steps.size())
        return finish(BoardFailure::None);
    if (uploading()) {
        // avrdude waits forever on a path that is no port at all.
        if (!QFileInfo::exists(m_result.port))
            return finish(BoardFailure::NoPort);
        emit progress(Stage::Connecting, -1);
        m_portWatch.start();
    }
    const Step &step = m_steps[m_next];
    m_tool.start(step.command(), m_work->path(), step.timeout);
}

bool BoardJob::uploading() const
{
    return m_next == m_uploadStep;
}

void BoardJob::onOutput()
{
    if (!uploading())
        return;
    const QByteArray &output = m_tool.output();
    // avrdude 7 says "device signature", earlier ones "Device signature".
    if (!m_answered && output.toLower().contains("device signature")) {
        m_answered = true;
        m_tool.setTimeout(transferTimeout(m_result.programBytes));
    }
    // avrdude goes on after this, talking to its standard input for half a minute.
    if (!m_answered && output.contains("cannot open port"))
        return m_tool.stop(ToolRun::End::Failed);
    if (const auto bar = avrdudeProgress(output))
        emit progress(bar->stage == AvrdudeProgress::Stage::Writing ? Stage::Writing
                                                                    : Stage::Verifying,
                      bar->percent);
}

void BoardJob::stepEnded(ToolRun::End end)
{
    // A copy: a step's done() may add steps, which moves the others.
    const Step step = m_steps[m_next];
    switch (end) {
    case ToolRun::End::Done:
        ++m_next;
        if (step.done())
            runNext();
        return;
    case ToolRun::End::NotFound:
        return finish(BoardFailure::ToolMissing, packageOf(step.command().program));
    case ToolRun::End::Canceled:
        return finish(BoardFailure::Canceled);
    case ToolRun::End::Failed:
    case ToolRun::End::TimedOut:
        return step.failed(end);
    }
}

void BoardJob::compileFailed()
{
    const QString output = QString::fromLocal8Bit(m_tool.output());
    QString first;
    for (const QString &line : output.split(u'\n', Qt::SkipEmptyParts)) {
        if (line.contains(QStringLiteral("error"))) {
            first = line.trimmed();
            break;
        }
    }
    if (first.isEmpty())
        first = output.trimmed().section(u'\n', -1);
    finish(BoardFailure::CompileFailed, first.remove(m_work->path() + u'/'));
}

void BoardJob::finish(BoardFailure failure, const QString &detail)
{
    m_running = false;
    m_portWatch.stop();
    m_result.failure = failure;
    m_result.detail = detail;
    emit finished(m_result);
}
