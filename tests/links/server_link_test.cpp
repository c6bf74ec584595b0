#include "links/server_link.h"

#include "app/fake_ports.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <fstream>
#include <string>
#include <utility>
#include <vector>

namespace pluvetta {
namespace {

using Events = std::vector<std::string>;

// Plays the screen, the desktop, the socket and the owner at once, and records everything the
// link does to them, in order; what the link does not use is left to the shared fakes.
class Recorder : public testing::FakeScreen,
                 public testing::FakeDesktop,
                 public Socket,
                 public ServerLinkOwner {
  public:
    Events events;
    bool gate = true;

    void SetCaption(Label label, const std::string& text) override {
        static const std::array<std::string, kLabelCount> names = {
            "lblWxData", "lblTemp", "lblUR", "lblPress", "lblRain", "lblWxComment", "lblElapsed"};
        Add(names.at(static_cast<std::size_t>(label)) + "=" + text);
    }
    Canvas& TrendBox(int index) override { return trend_.at(static_cast<std::size_t>(index)); }
    void SetRxRows(const std::string& header, const std::string& information) override {
        Add("rows " + header + " | " + information);
    }
    void SetWindowCaption(const std::string& text) override { Add("caption=" + text); }
    void SetTrayTooltip(const std::string& text) override { Add("traytip=" + text); }
    void ShowWarning(const std::string& title, const std::string& text) override {
        Add("warning [" + title + "] " + text);
    }
    void ShowSetupDialog(bool modal) override { Add(modal ? "setup modal" : "setup modeless"); }
    void Connect(const std::string& host, std::int16_t port) override {
        Add("connect " + host + ":" + std::to_string(port));
    }
    void Close() override { Add("close"); }
    void Send(const std::string& bytes) override { Add("send " + bytes); }
    bool ReportGate() const override { return gate; }
    void ResetReportTiming() override { Add("timing reset"); }
    void ProcessWeatherReport(std::string_view information) override {
        Add("decode " + std::string(information));
    }

  private:
    void Add(std::string event) { events.push_back(std::move(event)); }

    struct TrendCanvas : RecordingCanvas {
        TrendCanvas(Recorder& owner, int box) : recorder(owner), index(box) {}
        void Clear() override { recorder.Add("picVar(" + std::to_string(index) + ") cleared"); }
        Recorder& recorder;
        int index;
    };
    std::vector<TrendCanvas> trend_{{*this, 0}, {*this, 1}, {*this, 2}};
};

class ServerLinkTest : public ::testing::Test {
  protected:
    ServerLinkTest() {
        station.StationCall = "DEMO-13";
        station.ServerHost = "127.0.0.1";
        station.ServerPort = 14580;
        station.ServerEnabled = true;
    }

    // The events since the last call.
    Events Take() { return std::exchange(fake.events, {}); }

    Recorder fake;
    StationSettings station;
    TrafficLog log;
    ServerLink link{fake, fake, fake, station, log, fake, "PLUV00042"};
};

TEST(IsWeatherTrigger, UnderscoreFirstOrAPositionCarryingTheWeatherSymbol) {
    for (const char* information :
         {"_12061920c220s004g005", "_", "!4530.25N/00912.60E_220/004",
          "/192005z4530.25N/00912.60E_", "@192005z4530.25N/00912.60E_", "=4530.25N/00912.60E_",
          ";WXOBJ    *192005z4530.25N/00912.60E_"}) {
        EXPECT_EQ(IsWeatherTrigger(information), true) << information;
    }
    for (const char* information : {"!4530.25N/00912.60E>090/030 driving", ">status with _",
                                    ":DEMO-13  :msg_with_underscore", "T#123,001_", ""}) {
        EXPECT_EQ(IsWeatherTrigger(information), false) << information;
    }
}

TEST_F(ServerLinkTest, ConnectResetsTheReadoutInOrderAndSendsNothing) {
    link.OnConnected();
    EXPECT_EQ(Take(),
              (Events{"lblWxComment=Pluvetta connected to 127.0.0.1", "caption=DEMO-13 Wx Station",
                      "traytip=DEMO-13 Wx Station", "lblWxData=Pluvetta v6",
                      "lblPress=", "lblTemp=", "lblUR=", "lblRain=", "picVar(0) cleared",
                      "picVar(1) cleared", "picVar(2) cleared", "lblElapsed=00", "timing reset"}));
}

// Every line with a ":" goes to the Rx rows, cut where its test text has a "|"; the watched
// station's, while the gate is open, is also logged and, when it carries weather, decoded.
TEST_F(ServerLinkTest, WatchedStationLinesAreShownLoggedAndDecodedWhileTheGateIsOpen) {
    enum Outcome { Shown, Logged, Decoded };
    struct Case {
        const char* marked;
        bool gate;
        Outcome outcome;
    };
    const Case cases[] = {
        {"DEMO-13>APRS,TCPIP*:|_1206c220s004", true, Decoded},
        {"DEMO-13>APRS,TCPIP*:|_1206c220s004", false, Shown},
        {"DEMO-13>APRS:|>_weather station", true, Logged},
        {"DEMO-13>APRS:|:Q2XYZ-9  :hi", true, Logged},
        {"DEMO-13>APRS:|", true, Logged},
        {"demo-13>APRS:|_1206c220s004", true, Shown},
        {"DEMO-1>APRS:|_1206c220s004", true, Shown},
        {"DEMO>APRS:|_1206c220s004", true, Shown},
        {"Q1:ABC>APRS:|_1206", true, Shown},  // the first ":" after the first ">"
        {"DEMO-13:|_1206", true, Shown},      // no ">": no source
        {">APRS:|_1206", true, Shown},
        {"# 6 Dec 2026 19:|20:00 GMT", true, Shown},
        {"DEMO-13>APRS,TCPIP*", true, Shown},
        {"", true, Shown},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.marked);
        const std::string marked = c.marked;
        const std::size_t bar = std::min(marked.find('|'), marked.size());
        const std::string header = marked.substr(0, bar);
        const std::string information = marked.substr(std::min(bar + 1, marked.size()));
        fake.gate = c.gate;
        fake.logText.clear();
        log.Clear();
        link.HandleServerLine(header + information);

        Events expected;
        if (bar < marked.size()) {
            expected.push_back("rows " + header + " | " + information);
        }
        if (c.outcome == Decoded) {
            expected.push_back("decode " + information);
        }
        const std::string entry =
            c.outcome == Shown ? "" : "[12:34:56] " + header + "\r\n" + information + "\r\n";
        EXPECT_EQ(Take(), expected);
        EXPECT_EQ(log.Text(), entry);
        EXPECT_EQ(fake.logText, entry);
    }
}

TEST_F(ServerLinkTest, ErrorShowsTheTitledMessageThenClosesDisablesAndOpensTheSetup) {
    link.OnError("Connection refused");
    EXPECT_EQ(Take(), (Events{"warning [Errore collegamento TCP [DEMO-13]] Connection refused",
                              "close", "setup modal"}));
    EXPECT_EQ(station.ServerEnabled, false);

    station.ServerEnabled = true;
    fake.setupVisible = true;
    link.OnError("Host not found");
    EXPECT_EQ(Take(),
              (Events{"warning [Errore collegamento TCP [DEMO-13]] Host not found", "close"}));
    EXPECT_EQ(station.ServerEnabled, false);
}

TEST_F(ServerLinkTest, ServerCloseDisablesTheLinkQuietlyAndForgetsTheUnfinishedLine) {
    link.OnData("DEMO-13>APRS:_1206");
    link.OnClosed();
    EXPECT_EQ(Take(), (Events{"close", "lblWxComment=Aprs Server Disconnected"}));
    EXPECT_EQ(station.ServerEnabled, false);

    // Reconnected, the tail of the old line is a line of its own, without ":": nothing happens.
    link.Connect();
    EXPECT_EQ(Take(), Events{"connect 127.0.0.1:14580"});
    link.OnData("1920c220s004\r\n");
    EXPECT_EQ(Take(), Events{});
}

TEST_F(ServerLinkTest, OnlyAGreetingServerGetsOneLoginAndKeepAlivesUntilTheLinkCloses) {
    link.OnData("Q1ABC>APRS:>first\r\n# T2DEMO server 1.0\r\n");
    link.OnKeepAliveTick();
    EXPECT_EQ(Take(), (Events{"rows Q1ABC>APRS: | >first"}));

    link.OnConnected();
    Take();
    link.OnKeepAliveTick();  // not logged in yet
    link.OnData("# T2DEMO server 1.0\r\n# logresp PLUV00042 unverified\r\nDEMO-13>APRS:>wx\r\n");
    link.OnKeepAliveTick();
    EXPECT_EQ(Take(), (Events{"send user PLUV00042 pass -1 vers Pluvetta 6.0 filter b/DEMO-13\r\n",
                              "rows DEMO-13>APRS: | >wx", "send # Pluvetta keepalive\r\n"}));
    link.OnClosed();
    Take();
    link.OnKeepAliveTick();
    EXPECT_EQ(Take(), Events{});
}

// The demo stream shipped in docs must keep feeding DEMO-13's reports, and only those, to the
// decoder; its arrivals of 97 bytes cut most lines, which must be handled whole all the same.
TEST_F(ServerLinkTest, DemoStreamInArrivalsThatCutLinesFeedsEveryDemo13WeatherReportWhole) {
    std::ifstream file(PLUVETTA_SOURCE_DIR "/docs/demo-stream.txt", std::ios::binary);
    ASSERT_TRUE(file.is_open());
    std::string stream;
    Events expected;
    for (std::string line; std::getline(file, line);) {
        stream += line + "\r\n";
        const ServerLine parsed = ParseServerLine(line);
        if (parsed.source == "DEMO-13" && IsWeatherTrigger(parsed.information)) {
            expected.push_back("decode " + std::string(parsed.information));
        }
    }
    EXPECT_GE(expected.size(), 40u);
    for (std::size_t at = 0; at < stream.size(); at += 97) {
        link.OnData(std::string_view(stream).substr(at, 97));
    }
    Events decoded = Take();
    std::erase_if(decoded, [](const std::string& event) { return !event.starts_with("decode "); });
    EXPECT_EQ(decoded, expected);
}

}  // namespace
}  // namespace pluvetta
