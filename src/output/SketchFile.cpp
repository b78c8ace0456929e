#include "output/SketchFile.h"

#include "platform/AtomicFile.h"

#include <QFileInfo>

#include <filesystem>
#include <system_error>

bool SketchFile::open()
{
    AnsiSink::open();
    // std::filesystem, unlike QDir::mkpath, says why a folder cannot be made.
    std::error_code error;
    std::filesystem::create_directories(
        std::filesystem::path(QFileInfo(m_path).absolutePath().toStdU16String()), error);
    if (error) {
        m_error = QString::fromStdString(error.message());
        return false;
    }
    return true;
}

bool SketchFile::close()
{
    return saveAtomically(m_path, bytes(), &m_error);
}
