#pragma once

#include <QString>

// Where a file run writes the sketch text: opened once, then one call per line
// (the sink ends each line with CR LF; a line may itself hold CR LF pairs),
// then closed once.
class LineSink
{
public:
    virtual ~LineSink() = default;
    // False when the sink cannot take text; nothing is written then.
    virtual bool open() = 0;
    virtual void writeLine(const QString &line) = 0;
    // False when anything written did not reach its destination.
    virtual bool close() = 0;
};
