#pragma once

#include <csignal>

namespace aprs_replay {

// Set by SIGINT and SIGTERM once InstallStopSignals has run.
extern volatile std::sig_atomic_t stopRequested;

// SIGINT and SIGTERM ask the server to stop; SIGPIPE is ignored, so that a client that went
// away shows up as a failed send instead.
void InstallStopSignals();

// A non-blocking listening socket on 127.0.0.1:port, or -1. Port 0 looks for a free port.
int ListenOnLoopback(int port);

// The port a listening socket is bound to.
int BoundPort(int fd);

void SetNonBlocking(int fd);

}  // namespace aprs_replay
