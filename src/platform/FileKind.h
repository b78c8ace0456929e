#pragma once

#include <QString>

// Whether path (followed through links) is a terminal device, as a serial
// port is: ttyACM, ttyUSB, ttyS, a pseudo-terminal; not /dev/null or a disk.
bool isTerminalDevice(const QString &path);
