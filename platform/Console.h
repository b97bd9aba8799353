// Where the program's text goes. A Windows program built for the desktop opens no console
// window when double-clicked, and so also has none when started from one: it borrows the
// console it was started from, so that --help, --version and its messages show there.
#pragma once

#include <string>

// Call first in main. Nothing to do on Linux, where a terminal's output is always inherited.
void useParentConsole();

// Why the program cannot start, said where the user will see it: on standard error, and for a
// program without a console (double-clicked on Windows) in a message box too, which returns
// once the user has closed it.
void reportStartFailure(const std::string& message);
