#pragma once

#include <QString>

// Why a compile or an upload did not succeed.
enum class BoardFailure {
    None,
    ToolMissing,      // detail: the Debian packages to install, space-separated
    CompileFailed,    // detail: the compiler's first error
    BuildFolder,      // detail: the temporary folder that could not be made; reason: why
    CacheUnusable,    // detail: the core cache folder that cannot be used; reason: why
    TooBig,           // sramNeeded exceeds sramLimit
    FlashTooBig,      // programBytes exceeds kBoardFlashLimit
    NoPort,           // the port does not exist
    NotSerialPort,    // the port is a file, a folder, a FIFO or a name, not a serial device
    PortGone,         // the port went away during the upload
    PermissionDenied, // the user may not open the port
    NoAnswer,         // nothing answering as a Mega 2560's bootloader
    UploadFailed,     // detail: avrdude's own words
    Canceled,
};

struct BoardResult
{
    BoardFailure failure = BoardFailure::None;
    QString detail;
    QString reason;
    QString port;
    int programBytes = 0; // flash: .text and .data
    int sramNeeded = 0;   // .data, .bss and the stack the sketch needs
    int sramLimit = 0;
    // Everything the programs printed, for a closer look after a failure.
    QByteArray log;
};
