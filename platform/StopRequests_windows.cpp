#include "platform/StopRequests.h"

#include <windows.h>

#include <atomic>
#include <csignal>
#include <cstdlib>

namespace {
// The console's events stand for the signals a terminal sends on Linux, so that the exit
// status means the same: Ctrl+C is SIGINT, Ctrl+Break MinGW's SIGBREAK, a closed console the
// hang-up (SIGHUP, which Windows does not define), log-off and shut-down SIGTERM.
constexpr int HANGUP_SIGNAL = 1;

std::atomic<int> stopSignal{0};

// Windows calls this on a thread of its own.
BOOL WINAPI noteConsoleEvent(DWORD event) {
    switch (event) {
    case CTRL_C_EVENT: stopSignal = SIGINT; return TRUE;
    case CTRL_BREAK_EVENT: stopSignal = SIGBREAK; return TRUE;
    case CTRL_CLOSE_EVENT: stopSignal = HANGUP_SIGNAL; break;
    case CTRL_LOGOFF_EVENT:
    case CTRL_SHUTDOWN_EVENT: stopSignal = SIGTERM; break;
    default: return FALSE;
    }
    // After these the process ends as soon as the handler returns, so it waits here: the main
    // thread shuts the scene down between frames and its exit ends this thread too. Windows
    // allows a few seconds before it ends the process anyway.
    Sleep(INFINITE);
    return TRUE;
}
}  // namespace

void catchStopRequests() { SetConsoleCtrlHandler(noteConsoleEvent, TRUE); }

bool stopRequested() { return stopSignal != 0; }

int stopExitStatus() { return stopSignal ? 128 + stopSignal : 0; }

void quitAtOnce() { std::exit(0); }
