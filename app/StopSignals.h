// Ctrl+C, kill and a closed terminal end the program the orderly way: the handlers only note
// the signal, and the frame loops look at the note between frames.
#pragma once

// Catches SIGINT, SIGTERM and SIGHUP from now on.
void catchStopSignals();
// True once one of them has arrived.
bool stopRequested();
// The shell's convention for a program ended by a signal: 128 + its number; 0 with none.
int stopExitStatus();
