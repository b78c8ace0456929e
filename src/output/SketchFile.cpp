#include "output/SketchFile.h"

#include "platform/AtomicFile.h"

#include <QDir>
#include <QFileInfo>

bool SketchFile::open()
{
    return AnsiSink::open() && makeFolderFor(m_path, &m_error);
}

bool SketchFile::close()
{
    return saveAtomically(m_path, bytes(), &m_error);
}

bool folderTakesFiles(const QString &folder)
{
    // An installed program never writes beside itself, even as root.
    const QString path = QFileInfo(folder).canonicalFilePath() + u'/';
    for (const char *system : {"/usr/", "/opt/", "/bin/", "/sbin/"}) {
        if (path.startsWith(QLatin1String(system)))
            return false;
    }
    return QFileInfo(folder).isWritable();
}

QString sketchFilePath(const QString &programFolder,
                       const std::function<bool(const QString &)> &takesFiles)
{
    const QString besideProgram = programFolder + QStringLiteral("/bb");
    // A bb folder made ready beside the program counts, even when the rest of its folder is shut.
    const QString receiving = QFileInfo(besideProgram).isDir() ? besideProgram : programFolder;
    const QString folder =
        takesFiles(receiving) ? besideProgram : QDir::homePath() + QStringLiteral("/Arduino/bb");
    return QDir::toNativeSeparators(folder + QStringLiteral("/bb.ino"));
}
