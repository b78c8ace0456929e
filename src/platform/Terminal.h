#pragma once

// Whether standard error goes to a terminal, where progress may redraw its line.
bool standardErrorIsTerminal();

// Whether the standard stream fd (0, 1 or 2) was open when the program started.
// A closed one is given /dev/null, so no file the program opens later takes
// its number and receives what was meant for the stream.
bool holdStandardStream(int fd);

// Whether the window system Qt will pick (QT_QPA_PLATFORM, or X11 and
// Wayland by default) has a display to show windows on.
bool displayFound();
