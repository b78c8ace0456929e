#pragma once

#include "board/BoardResult.h"

#include <QByteArray>

#include <optional>

// What avrdude's progress bars say so far, from all it has printed. On a pipe
// it draws "Writing | ####" one '#' every 2 %, then " | 100% 0.40s".
struct AvrdudeProgress
{
    enum class Stage { Writing, Verifying };
    Stage stage;
    int percent;
    bool operator==(const AvrdudeProgress &) const = default;
};

// Nothing until the flash is being written: reading the signature comes first.
std::optional<AvrdudeProgress> avrdudeProgress(const QByteArray &output);

// Why avrdude failed, from what it printed: one of PermissionDenied, PortGone,
// NoAnswer or UploadFailed (then detail holds avrdude's first error line).
// answered: the board answered in time; portThere: the port still exists.
BoardResult avrdudeFailure(const QByteArray &output, bool answered = true, bool portThere = true);
