#include "board/CoreCache.h"

#include "board/ArduinoMega.h"
#include "platform/AtomicFile.h"

#include <QCoreApplication>
#include <QCryptographicHash>
#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

namespace {

const QString kArchive = QStringLiteral("/core.a");

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

} // namespace

CoreCache::CoreCache(const QByteArray &compilerVersion)
    : m_cached(folder() + u'/' + coreKey(compilerVersion)), m_archive(m_cached + kArchive)
{}

CoreCache::~CoreCache() = default;

QString CoreCache::folder()
{
    // A relative XDG_CACHE_HOME means nothing, as the XDG rules say; the
    // build runs in a folder of its own, where it would mean something else.
    QString base = QStandardPaths::writableLocation(QStandardPaths::GenericCacheLocation);
    if (QDir::isRelativePath(base))
        base = QDir::homePath() + QStringLiteral("/.cache");
    return QDir::cleanPath(base + QStringLiteral("/marquee-sketch"));
}

bool CoreCache::cached() const
{
    return QFileInfo(m_archive).isFile();
}

bool CoreCache::stage(QString *error)
{
    // Without a home of its own, the cache would land in / or make up a home.
    const QString home = QDir::homePath();
    if (!QDir::isAbsolutePath(qEnvironmentVariable("XDG_CACHE_HOME")) &&
        (home == QDir::rootPath() || !QFileInfo(home).isDir())) {
        *error = QCoreApplication::translate("Messages", "the home folder %1 does not exist")
                     .arg(qEnvironmentVariable("HOME"));
        return false;
    }
    // The reason a folder cannot be made is worth more than the temporary folder's own.
    if (!makeFolderFor(folder() + QStringLiteral("/building"), error))
        return false;
    m_staging = std::make_unique<QTemporaryDir>(folder() + QStringLiteral("/building-XXXXXX"));
    if (m_staging->isValid())
        return true;
    *error = m_staging->errorString();
    m_staging.reset();
    return false;
}

QString CoreCache::stagingFolder() const
{
    return m_staging ? m_staging->path() : QString();
}

void CoreCache::publish()
{
    if (QDir().rename(m_staging->path(), m_cached)) {
        m_staging->setAutoRemove(false);
        m_archive = m_cached + kArchive;
        return;
    }
    if (cached())
        m_staging.reset(); // another program's came first
    else
        m_archive = m_staging->path() + kArchive; // use it once
}

void CoreCache::discard()
{
    QDir(m_cached).removeRecursively();
}
