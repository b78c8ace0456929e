#pragma once

#include <QString>

// The system clipboard, behind a seam so tests can watch what a copy does.
class Clipboard
{
public:
    virtual ~Clipboard() = default;
    // Empties the clipboard of every format.
    virtual void clear() = 0;
    virtual void setText(const QString &text) = 0;
};

// The clipboard of the running QGuiApplication.
class SystemClipboard : public Clipboard
{
public:
    void clear() override;
    void setText(const QString &text) override;
};
