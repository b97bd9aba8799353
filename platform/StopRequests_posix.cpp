#include "platform/StopRequests.h"

#include <csignal>
#include <cstdlib>
#include <initializer_list>

namespace {
volatile std::sig_atomic_t stopSignal = 0;

extern "C" void noteStopSignal(int signalNumber) { stopSignal = signalNumber; }
}  // namespace

void catchStopRequests() {
    struct sigaction action = {};
    action.sa_handler = noteStopSignal;
    sigemptyset(&action.sa_mask);
    for (int signalNumber : {SIGINT, SIGTERM, SIGHUP}) sigaction(signalNumber, &action, nullptr);
}

bool stopRequested() { return stopSignal != 0; }

int stopExitStatus() { return stopSignal ? 128 + stopSignal : 0; }

void quitAtOnce() { std::exit(0); }
