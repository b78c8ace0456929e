#pragma once

#include <QString>

// Whether path (followed through links) is a character device, as a serial port is.
bool isCharacterDevice(const QString &path);
