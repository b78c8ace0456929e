#pragma once

#include <QByteArray>
#include <QString>
#include <QTemporaryDir>

#include <memory>

// The compiled Arduino core, kept between runs in a folder of the user's
// cache named by what went into it: the core's declared version, the flags
// and the compiler's version, since no other compiler reads its LTO objects.
// A new core is built aside and renamed into place whole, so no program ever
// sees a half-built one: not one that crashed, nor one building at the same time.
class CoreCache
{
public:
    // compilerVersion: what avr-gcc --version printed.
    explicit CoreCache(const QByteArray &compilerVersion);
    ~CoreCache();

    // Shared by the window and the command line; absolute, whatever XDG_CACHE_HOME says.
    static QString folder();

    // The core to link: the cached one, or the one just built.
    QString archive() const { return m_archive; }
    bool cached() const;

    // A fresh folder to build the core in; false with *error set when the
    // cache cannot take one.
    bool stage(QString *error);
    QString stagingFolder() const;
    // Puts the core built in the staging folder in place, or keeps it to use
    // this once when another program's came first or the cache refuses it.
    void publish();
    // A cached core a link failed on is removed, to be built again.
    void discard();

private:
    QString m_cached;
    QString m_archive;
    std::unique_ptr<QTemporaryDir> m_staging;
};
