// aprs-replay: a small APRS stream server on loopback for demos and tests. Every client that
// connects gets the lines of a file, CR LF ended, at a given rate, optionally after a "#"
// greeting as real servers send, in which case the stream starts once the client logs in.
// With --agw it acts as a small AGWPE engine instead, passing the lines on as the frames
// an engine sends for the packets it hears.

#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "loopback.h"
#include "options.h"
#include "stream_server.h"

int main(int argc, char** argv) {
    using namespace aprs_replay;
    if (argc > 1 && (std::strcmp(argv[1], "--help") == 0 || std::strcmp(argv[1], "-h") == 0)) {
        std::fputs(kUsage, stdout);
        return 0;
    }
    Options options;
    if (!ParseOptions(argc, argv, options)) {
        std::fputs(kUsage, stderr);
        return 2;
    }
    std::vector<std::string> lines;
    if (!ReadLines(options.file, lines)) {
        std::fprintf(stderr, "aprs-replay: cannot read %s\n", options.file.c_str());
        return 2;
    }
    InstallStopSignals();
    const int listener = ListenOnLoopback(options.port);
    if (listener < 0) {
        std::fprintf(stderr, "aprs-replay: cannot listen on 127.0.0.1:%d: %s\n", options.port,
                     std::strerror(errno));
        return 1;
    }
    std::printf("listening on 127.0.0.1:%d\n", BoundPort(listener));
    std::fflush(stdout);
    StreamServer server(std::move(options), std::move(lines));
    const int status = server.Run(listener);
    close(listener);
    return status;
}
