// Ctrl+C, Ctrl+Break, kill and a closed terminal or console end the program the orderly way:
// the handlers only note the request, and the frame loops look at the note between frames.
#pragma once

// Catches them from now on: SIGINT, SIGTERM and SIGHUP on Linux; the console's Ctrl+C,
// Ctrl+Break, close, log-off and shut-down events on Windows.
void catchStopRequests();
// True once one of them has arrived.
bool stopRequested();
// The shell's convention for a program ended by a signal: 128 + its number (a Windows event
// counts as the signal it stands for); 0 with none.
int stopExitStatus();

// Escape's way out: the process ends at once with status 0, with no shut-down. A page has no
// process to end (its tab closes it): there Escape lets go of the pointer instead.
void quitAtOnce();
