#pragma once

// Whether standard error goes to a terminal, where progress may redraw its line.
bool standardErrorIsTerminal();
