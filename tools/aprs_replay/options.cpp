#include "options.h"

#include <cerrno>
#include <cstdlib>
#include <fstream>

namespace aprs_replay {

namespace {

bool ParseNumber(const char* text, double low, double high, double& value) {
    char* end = nullptr;
    errno = 0;
    value = std::strtod(text, &end);
    return errno == 0 && end != text && *end == '\0' && value >= low && value <= high;
}

// KIND:BYTES, as --junk takes it.
bool ParseJunk(const std::string& text, Options& options) {
    const std::size_t colon = text.find(':');
    const std::string kind = text.substr(0, colon);
    double bytes = 0.0;
    if (colon == std::string::npos || !ParseNumber(text.c_str() + colon + 1, 1, 1e13, bytes)) {
        return false;
    }
    options.junkBytes = static_cast<std::uint64_t>(bytes);
    if (kind == "random") {
        options.junk = Options::Junk::Random;
    } else if (kind == "noend") {
        options.junk = Options::Junk::NoLineEnd;
    } else if (kind == "frames") {
        options.junk = Options::Junk::HugeFrames;
    } else {
        return false;
    }
    return true;
}

}  // namespace

const char kUsage[] =
    "usage: aprs-replay [--port N] [--rate LINES_PER_SECOND] [--loop] [--count N]\n"
    "                   [--greeting | --agw] [--cut] [--hold]\n"
    "                   [--junk KIND:BYTES] [--reset] [--trickle] FILE\n"
    "Streams the lines of FILE, CR LF ended, to every client that connects to 127.0.0.1.\n"
    "  --port N      port to listen on; 0 (default) lets the system pick a free one\n"
    "  --rate R      lines per second per client; 0 (default) as fast as the client reads\n"
    "  --loop        start again at the first line after the last\n"
    "  --count N     send at most N lines to each client\n"
    "  --greeting    open with a \"# aprs-replay\" line and stream only after the client's\n"
    "                login line, which is printed; clients silent for 30 s are dropped\n"
    "  --agw         act as an AGWPE engine: answer the requests R and G, and after m send\n"
    "                each packet line SOURCE>DEST,PATH:INFO as a monitored frame (U)\n"
    "  --cut         send the stream in random pieces of 1 to 64 bytes\n"
    "  --hold        keep a client connected after its last line instead of closing\n"
    "Faults, for tests:\n"
    "  --junk K:N    send N bytes before the first line: random bytes (random), bytes\n"
    "                without a line end (noend), or AGWPE headers announcing 4 GB (frames)\n"
    "  --reset       after the last line, send half a line and reset the connection\n"
    "  --trickle     send one byte at a time, a millisecond apart\n"
    "The first line on stdout is \"listening on 127.0.0.1:PORT\". Stops on SIGINT or SIGTERM.\n";

bool ParseOptions(int argc, char** argv, Options& options) {
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        const bool hasValue = i + 1 < argc;
        double value = 0.0;
        if (arg == "--loop") {
            options.loop = true;
        } else if (arg == "--greeting") {
            options.greeting = true;
        } else if (arg == "--hold") {
            options.hold = true;
        } else if (arg == "--agw") {
            options.agw = true;
        } else if (arg == "--cut") {
            options.cut = true;
        } else if (arg == "--reset") {
            options.reset = true;
        } else if (arg == "--trickle") {
            options.trickle = true;
        } else if (arg == "--junk" && hasValue && ParseJunk(argv[++i], options)) {
        } else if (arg == "--port" && hasValue && ParseNumber(argv[++i], 0, 65535, value) &&
                   value == static_cast<int>(value)) {
            options.port = static_cast<int>(value);
        } else if (arg == "--rate" && hasValue && ParseNumber(argv[++i], 0, 1e9, value)) {
            options.rate = value;
        } else if (arg == "--count" && hasValue && ParseNumber(argv[++i], 1, 1e15, value)) {
            options.count = static_cast<std::uint64_t>(value);
        } else if (!arg.starts_with("-") && options.file.empty()) {
            options.file = arg;
        } else {
            return false;
        }
    }
    return !options.file.empty() && !(options.agw && options.greeting);
}

bool ReadLines(const std::string& path, std::vector<std::string>& lines) {
    std::ifstream file(path, std::ios::binary);
    if (!file) {
        return false;
    }
    std::string line;
    while (std::getline(file, line)) {
        if (!line.empty() && line.back() == '\r') {
            line.pop_back();
        }
        lines.push_back(line);
    }
    return !file.bad();
}

}  // namespace aprs_replay
