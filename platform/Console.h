// Where the program's text goes. A Windows program built for the desktop opens no console
// window when double-clicked, and so also has none when started from one: it borrows the
// console it was started from, so that --help, --version and its messages show there.
#pragma once

// Call first in main. Nothing to do on Linux, where a terminal's output is always inherited.
void useParentConsole();
