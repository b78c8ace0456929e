#pragma once

#include <QString>

// What a step of the command line came to: the exit status it means (0 done,
// 1 failed, 2 bad usage, 128 + N ended by signal N) and what to tell the user.
struct CliResult
{
    int status = 0;
    QString message;

    bool ok() const { return status == 0; }
    static CliResult failed(const QString &message) { return {1, message}; }
    static CliResult badUsage(const QString &message) { return {2, message}; }
};
