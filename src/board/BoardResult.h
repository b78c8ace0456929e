#pragma once

#include <QString>

// Why a compile or an upload did not succeed.
enum class BoardFailure {
    None,
    ToolMissing,      // detail: the Debian packages to install, space-separated
    CompileFailed,    // detail: the compiler's first error
    TooBig,           // sramNeeded exceeds sramLimit
    NoPort,           // the port does not exist
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
    QString port;
    int programBytes = 0; // flash: .text and .data
    int sramNeeded = 0;   // .data, .bss and the stack the sketch needs
    int sramLimit = 0;
};
