// What the links' core costs per received packet: the server link's line splitter alone, and
// the whole core path of each link (cutting, parsing, the Monitor's Rx rows, sender filter, log
// and decoder) over a mix of packets like a full feed's, arriving in 4 KiB pieces.

#include <benchmark/benchmark.h>

#include <string>
#include <string_view>

#include "app/monitor.h"
#include "links/agw_frame.h"
#include "null_ports.h"

namespace pluvetta {
namespace {

constexpr std::size_t kArrivalBytes = 4096;
constexpr int kStreamLines = 20000;

const char* const kFeedLines[] = {
    "Q1ABC-9>APZ001,WIDE1-1,qAR,Q3DEF-10:!4522.40N/00906.80E>133/042/A=000390 In giro",
    "Q2XYZ-9>APRS,TCPIP*,qAC,T2DEMO:/061504z4535.58N/00915.06E>228/027",
    "Q3DEF-10>APRS,TCPIP*,qAC,T2DEMO:>Igate dimostrativo, solo ricezione",
    "Q4WX-2>APRS,TCPIP*,qAC,T2DEMO:_12061500c350s002g015t053r000p000P000h59b10094",
    "Q5JKL>APRS,TCPIP*,qAC,T2DEMO::Q1ABC-9  :Ci vediamo alle 8{847",
    "Q6MNO-11>APRS,TCPIP*,qAC,T2DEMO:T#847,120,060,177,000,255,01100000",
    "Q7PQR>APRS,TCPIP*,qAC,T2DEMO:;RITROVO  *061500z4529.00N/00913.00E;Ritrovo domenica",
    "DEMO-1>APRS,TCPIP*,qAC,T2DEMO:!4530.25N/00912.60E-Casa di DEMO, stessa stazione base",
    "Q4WX-2>APRS,TCPIP*,qAC,T2DEMO:!4541.10N/00941.90E_249/008g014t056r000p000P000h66b10107",
    "# T2DEMO demo server 6 Dec 2026 15:08:00 GMT T2DEMO 127.0.0.1:14580",
    "Q3DEF-10>APRS,TCPIP*,qAC,T2DEMO:=4532.00N/00910.00EI PHG2360 Igate demo",
    "Q1ABC-9>APZ001,WIDE1-1,qAR,Q3DEF-10::Q5JKL    :ack847",
    "Q8STU-7>APRS,WIDE2-1,qAR,Q3DEF-10:@061504z4519.21N/00923.44E_090/004g009t052r000p000P000"
    "h71b10101L000 Q8 weather",
    "Q9VWX>APRS,TCPIP*,qAC,T2DEMO:!4510.00N/00930.00E#PHG5130/Digipeater collina",
    "DEMO-13>APRS,TCPIP*,qAC,T2DEMO:_12061502c223s007g012t061r000p004P000h59b10129",
};

std::string MakeStream() {
    std::string stream;
    for (int i = 0; i < kStreamLines; ++i) {
        stream += kFeedLines[static_cast<std::size_t>(i) % std::size(kFeedLines)];
        stream += "\r\n";
    }
    return stream;
}

void FeedInArrivals(std::string_view stream, auto&& feed) {
    for (std::size_t at = 0; at < stream.size(); at += kArrivalBytes) {
        feed(stream.substr(at, kArrivalBytes));
    }
}

void BM_SplitLines(benchmark::State& state) {
    const std::string stream = MakeStream();
    ServerLineSplitter splitter;
    std::size_t bytes = 0;
    for (auto _ : state) {
        FeedInArrivals(stream, [&](std::string_view arrival) {
            splitter.Feed(arrival, [&](std::string_view line) { bytes += line.size(); });
        });
    }
    benchmark::DoNotOptimize(bytes);
    state.SetItemsProcessed(state.iterations() * kStreamLines);
    state.SetBytesProcessed(state.iterations() * static_cast<std::int64_t>(stream.size()));
}
BENCHMARK(BM_SplitLines);

// Feeds `stream` to a link of a Monitor watching DEMO-13; `link` picks the link. The gate
// reopens before every arrival, so each has a DEMO-13 report logged and decoded: many more
// than the one a minute of real use.
template <typename PickLink>
void IngestThroughMonitor(benchmark::State& state, const std::string& stream, std::int64_t packets,
                          PickLink link) {
    RowsScreen screen;
    NullDesktop desktop;
    NullSocket agwSocket;
    NullSocket serverSocket;
    Monitor monitor(screen, desktop, agwSocket, serverSocket, NumberFormat{});
    monitor.Station().StationCall = "DEMO-13";
    link(monitor).OnConnected();
    for (auto _ : state) {
        FeedInArrivals(stream, [&](std::string_view arrival) {
            monitor.OnElapsedTick();
            link(monitor).OnData(arrival);
        });
    }
    state.SetItemsProcessed(state.iterations() * packets);
    state.SetBytesProcessed(state.iterations() * static_cast<std::int64_t>(stream.size()));
}

void BM_ServerLinkIngest(benchmark::State& state) {
    IngestThroughMonitor(state, MakeStream(), kStreamLines,
                         [](Monitor& monitor) -> ServerLink& { return monitor.Server(); });
}
BENCHMARK(BM_ServerLinkIngest);

// The same packets as an AGWPE engine sends them, monitored frames with the engine's header;
// `frames` counts them (the server's comment line is none).
std::string MakeAgwStream(std::int64_t& frames) {
    std::string stream;
    for (int i = 0; i < kStreamLines; ++i) {
        const std::string_view line =
            kFeedLines[static_cast<std::size_t>(i) % std::size(kFeedLines)];
        const std::size_t gt = line.find('>'), colon = line.find(':', gt);
        if (gt == std::string_view::npos || colon == std::string_view::npos) continue;
        const std::string text =
            " 1:Fm " + std::string(line.substr(0, gt)) +
            " To APRS <UI pid=F0 Len=" + std::to_string(line.size() - colon - 1) +
            " >[15:02:00]\r" + std::string(line.substr(colon + 1)) + "\r";
        stream += EncodeAgwFrame('U', line.substr(0, gt), text);
        ++frames;
    }
    return stream;
}

void BM_AgwLinkIngest(benchmark::State& state) {
    std::int64_t frames = 0;
    const std::string stream = MakeAgwStream(frames);
    IngestThroughMonitor(state, stream, frames,
                         [](Monitor& monitor) -> AgwLink& { return monitor.Agw(); });
}
BENCHMARK(BM_AgwLinkIngest);

}  // namespace
}  // namespace pluvetta

BENCHMARK_MAIN();
