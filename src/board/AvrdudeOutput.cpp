#include "board/AvrdudeOutput.h"

#include <QList>

namespace {

int barPercent(const QByteArray &output, qsizetype bar)
{
    const qsizetype start = output.indexOf('|', bar) + 1;
    qsizetype end = output.indexOf('|', start);
    if (end < 0)
        end = output.size();
    return qMin(100, 2 * int(output.mid(start, end - start).count('#')));
}

} // namespace

std::optional<AvrdudeProgress> avrdudeProgress(const QByteArray &output)
{
    const qsizetype writing = output.lastIndexOf("Writing |");
    if (writing < 0)
        return std::nullopt;
    const qsizetype reading = output.lastIndexOf("Reading |");
    if (reading > writing)
        return AvrdudeProgress{AvrdudeProgress::Stage::Verifying, barPercent(output, reading)};
    return AvrdudeProgress{AvrdudeProgress::Stage::Writing, barPercent(output, writing)};
}

BoardResult avrdudeFailure(const QByteArray &output, bool answered, bool portThere)
{
    BoardResult result;
    if (output.contains("Permission denied")) {
        result.failure = BoardFailure::PermissionDenied;
    } else if (output.contains("No such file or directory") ||
               output.contains("Input/output error") || output.contains("No such device")) {
        result.failure = BoardFailure::PortGone;
    } else if (output.contains("timeout communicating with programmer") ||
               output.contains("not responding") || output.contains("unable to open programmer")) {
        result.failure = BoardFailure::NoAnswer;
    } else {
        result.failure = BoardFailure::UploadFailed;
        // A pseudo-terminal or a USB bridge has no modem lines; avrdude says so but goes on.
        for (const QByteArray &line : output.split('\n')) {
            if (line.contains("error") && !line.contains("ioctl")) {
                result.detail = QString::fromLocal8Bit(line.trimmed());
                break;
            }
        }
    }
    if (!answered && result.failure != BoardFailure::PermissionDenied &&
        result.failure != BoardFailure::PortGone)
        result.failure = BoardFailure::NoAnswer;
    // However avrdude put it, a port that is no longer there went away.
    if (!portThere)
        result.failure = BoardFailure::PortGone;
    return result;
}
