#include "links/server_link.h"

#include <gtest/gtest.h>

#include <fstream>
#include <string>
#include <vector>

namespace pluvetta {
namespace {

using Events = std::vector<std::string>;

const char* LabelName(Label label) {
    switch (label) {
        case Label::WxData:
            return "lblWxData";
        case Label::Temp:
            return "lblTemp";
        case Label::UR:
            return "lblUR";
        case Label::Press:
            return "lblPress";
        case Label::Rain:
            return "lblRain";
        case Label::WxComment:
            return "lblWxComment";
        case Label::Elapsed:
            return "lblElapsed";
    }
    return "?";
}

// Plays the screen, the desktop, the socket and the owner at once, and records everything the
// link does to them, in order.
class Recorder : public Screen, public Desktop, public Socket, public ServerLinkOwner {
  public:
    Events events;
    bool gate = true;
    bool setupVisible = false;
    std::string logText;

    // Screen
    void SetCaption(Label label, const std::string& text) override {
        Add(std::string(LabelName(label)) + "=" + text);
    }
    void SetColor(Label, Rgb) override {}
    void SetFontPoints(Label, int) override {}
    void SetCalmVisible(bool) override {}
    Canvas& WindRose() override { return trend_[0]; }
    Canvas& TrendBox(int index) override { return trend_.at(static_cast<std::size_t>(index)); }
    void SetRxRows(const std::string& header, const std::string& information) override {
        Add("rows " + header + " | " + information);
    }
    void SetLogText(const std::string& text) override { logText = text; }
    void SetWindowCaption(const std::string& text) override { Add("caption=" + text); }
    void SetTrayTooltip(const std::string& text) override { Add("traytip=" + text); }
    // Desktop
    void ShowWarning(const std::string& title, const std::string& text) override {
        Add("warning [" + title + "] " + text);
    }
    void ShowSetupDialog(bool modal) override { Add(modal ? "setup modal" : "setup modeless"); }
    bool IsSetupDialogVisible() const override { return setupVisible; }
    void Beep() override {}
    WindowState GetWindowState() const override { return WindowState::Normal; }
    void RestoreFromTray() override {}
    void BringToFront() override {}
    void RestartElapsedTimer() override {}
    std::string TimeOfDay() const override { return "19:20:05"; }
    // Socket
    void Connect(const std::string& host, std::int16_t port) override {
        Add("connect " + host + ":" + std::to_string(port));
    }
    void Close() override { Add("close"); }
    void Send(const std::string& bytes) override { Add("send " + bytes); }
    // ServerLinkOwner
    bool ReportGate() const override { return gate; }
    void ResetReportTiming() override { Add("timing reset"); }
    void ProcessWeatherReport(std::string_view information) override {
        Add("decode " + std::string(information));
    }

  private:
    class TrendCanvas : public Canvas {
      public:
        TrendCanvas(Recorder& recorder, int index) : recorder_(recorder), index_(index) {}
        void Clear() override { recorder_.Add("picVar(" + std::to_string(index_) + ") cleared"); }
        void Line(PointF, PointF, Rgb) override {}
        void Circle(PointF, double, Rgb) override {}

      private:
        Recorder& recorder_;
        int index_;
    };

    void Add(std::string event) { events.push_back(std::move(event)); }

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

TEST(ParseServerLine, CutsSourceHeaderAndInformation) {
    struct Case {
        const char* line;
        const char* source;
        const char* header;
        const char* information;
        bool hasColon;
    };
    const Case cases[] = {
        {"DEMO-13>APRS,TCPIP*,qAC,T2DEMO:_12061920c220s004g005t077", "DEMO-13",
         "DEMO-13>APRS,TCPIP*,qAC,T2DEMO:", "_12061920c220s004g005t077", true},
        // The ":" searched for is the first one after the first ">".
        {"Q1:ABC>APRS::Q2XYZ-9  :hello{1", "Q1:ABC", "Q1:ABC>APRS:", ":Q2XYZ-9  :hello{1", true},
        {"Q1ABC>APRS:", "Q1ABC", "Q1ABC>APRS:", "", true},
        {"Q1ABC>APRS,WIDE1-1", "Q1ABC", "", "", false},
        {"# T2DEMO server 1.0 6 Dec 2026 19:20:00 GMT T2DEMO 127.0.0.1:14580", "",
         "# T2DEMO server 1.0 6 Dec 2026 19:", "20:00 GMT T2DEMO 127.0.0.1:14580", true},
        {"# logresp PLUV00042 unverified, server T2DEMO", "", "", "", false},
        {">APRS:>x", "", ">APRS:", ">x", true},
        {"", "", "", "", false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.line);
        const ServerLine parsed = ParseServerLine(c.line);
        EXPECT_EQ(parsed.source, c.source);
        EXPECT_EQ(parsed.header, c.header);
        EXPECT_EQ(parsed.information, c.information);
        EXPECT_EQ(parsed.hasColon, c.hasColon);
    }
}

TEST(IsWeatherTrigger, UnderscoreFirstOrAPositionCarryingTheWeatherSymbol) {
    struct Case {
        const char* information;
        bool decoded;
    };
    const Case cases[] = {
        {"_12061920c220s004g005t077r000p000P000h50b10132", true},
        {"_", true},
        {"!4530.25N/00912.60E_220/004g005t077", true},
        {"/192005z4530.25N/00912.60E_220/004", true},
        {"@192005z4530.25N/00912.60E_220/004", true},
        {"=4530.25N/00912.60E_220/004", true},
        {";WXOBJ    *192005z4530.25N/00912.60E_220/004", true},
        {"!4530.25N/00912.60E>090/030 driving", false},
        {"=4530.25N/00912.60E-PHG2360", false},
        {">status with _ inside", false},
        {":DEMO-13  :msg_with_underscore", false},
        {"T#123,001,002,003,004,005,00000000", false},
        {"", false},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(IsWeatherTrigger(c.information), c.decoded) << c.information;
    }
}

TEST_F(ServerLinkTest, ConnectResetsTheReadoutInOrderAndSendsNothing) {
    link.OnConnected();
    EXPECT_EQ(Take(), (Events{
                          "lblWxComment=Pluvetta connected to 127.0.0.1",
                          "caption=DEMO-13 Wx Station",
                          "traytip=DEMO-13 Wx Station",
                          "lblWxData=Pluvetta v6",
                          "lblPress=",
                          "lblTemp=",
                          "lblUR=",
                          "lblRain=",
                          "picVar(0) cleared",
                          "picVar(1) cleared",
                          "picVar(2) cleared",
                          "lblElapsed=00",
                          "timing reset",
                      }));
}

TEST_F(ServerLinkTest, WatchedStationLinesAreShownLoggedAndDecodedWhileTheGateIsOpen) {
    struct Case {
        const char* name;
        const char* line;
        bool gate;
        Events events;
        const char* log;
    };
    const Case cases[] = {
        {"positionless weather",
         "DEMO-13>APRS,TCPIP*:_12061920c220s004g005",
         true,
         {"rows DEMO-13>APRS,TCPIP*: | _12061920c220s004g005", "decode _12061920c220s004g005"},
         "[19:20:05] DEMO-13>APRS,TCPIP*:\r\n_12061920c220s004g005\r\n"},
        {"gate closed",
         "DEMO-13>APRS,TCPIP*:_12061920c220s004g005",
         false,
         {"rows DEMO-13>APRS,TCPIP*: | _12061920c220s004g005"},
         ""},
        {"position without weather symbol",
         "DEMO-13>APRS:!4530.25N/00912.60E-",
         true,
         {"rows DEMO-13>APRS: | !4530.25N/00912.60E-"},
         "[19:20:05] DEMO-13>APRS:\r\n!4530.25N/00912.60E-\r\n"},
        {"status",
         "DEMO-13>APRS:>_weather station",
         true,
         {"rows DEMO-13>APRS: | >_weather station"},
         "[19:20:05] DEMO-13>APRS:\r\n>_weather station\r\n"},
        {"other case",
         "demo-13>APRS:_12061920c220s004",
         true,
         {"rows demo-13>APRS: | _12061920c220s004"},
         ""},
        {"other SSID",
         "DEMO-1>APRS:_12061920c220s004",
         true,
         {"rows DEMO-1>APRS: | _12061920c220s004"},
         ""},
        {"bare call",
         "DEMO>APRS:_12061920c220s004",
         true,
         {"rows DEMO>APRS: | _12061920c220s004"},
         ""},
        {"no colon", "DEMO-13>APRS,TCPIP*", true, {}, ""},
        {"server comment with colon",
         "# 6 Dec 2026 19:20:00 GMT",
         true,
         {"rows # 6 Dec 2026 19: | 20:00 GMT"},
         ""},
        {"empty line", "", true, {}, ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        TrafficLog freshLog;
        ServerLink fresh{fake, fake, fake, station, freshLog, fake, "PLUV00042"};
        fake.gate = c.gate;
        fake.logText.clear();
        fresh.HandleServerLine(c.line);
        EXPECT_EQ(Take(), c.events);
        EXPECT_EQ(freshLog.Text(), c.log);
        EXPECT_EQ(fake.logText, c.log);
    }
}

TEST_F(ServerLinkTest, LineSplitAcrossArrivalsIsHandledWhole) {
    const std::string stream = "Q1ABC>APRS:>mobile\r\nDEMO-13>APRS:_12061920c220s004g005t077\r\n";
    for (std::size_t cut = 0; cut <= stream.size(); ++cut) {
        SCOPED_TRACE(cut);
        link.OnData(stream.substr(0, cut));
        link.OnData(stream.substr(cut));
        EXPECT_EQ(Take(), (Events{"rows Q1ABC>APRS: | >mobile",
                                  "rows DEMO-13>APRS: | _12061920c220s004g005t077",
                                  "decode _12061920c220s004g005t077"}));
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

TEST_F(ServerLinkTest, ServerCloseDisablesTheLinkQuietly) {
    link.OnConnected();
    link.OnData("DEMO-13>APRS:_1206");  // an unfinished line of the old connection
    Take();
    link.OnClosed();
    EXPECT_EQ(Take(), (Events{"close", "lblWxComment=Aprs Server Disconnected"}));
    EXPECT_EQ(station.ServerEnabled, false);

    // Reconnected, the tail of the old line is a line of its own, without ":": nothing happens.
    link.Connect();
    EXPECT_EQ(Take(), Events{"connect 127.0.0.1:14580"});
    link.OnConnected();
    Take();
    link.OnData("1920c220s004\r\n");
    EXPECT_EQ(Take(), Events{});
}

TEST_F(ServerLinkTest, GreetingServerGetsOneLoginAndKeepAlivesUntilTheLinkCloses) {
    link.OnConnected();
    Take();
    link.OnKeepAliveTick();  // not logged in yet
    EXPECT_EQ(Take(), Events{});
    link.OnData("# T2DEMO server 1.0\r\n# logresp PLUV00042 unverified\r\nDEMO-13>APRS:>wx\r\n");
    EXPECT_EQ(Take(), (Events{"send user PLUV00042 pass -1 vers Pluvetta 6.0 filter b/DEMO-13\r\n",
                              "rows DEMO-13>APRS: | >wx"}));
    link.OnKeepAliveTick();
    EXPECT_EQ(Take(), (Events{"send " + KeepAliveLine()}));
    link.OnClosed();
    Take();
    link.OnKeepAliveTick();
    EXPECT_EQ(Take(), Events{});
}

TEST_F(ServerLinkTest, PeerWithoutGreetingIsNeverSentAnything) {
    link.OnConnected();
    Take();
    link.OnData("Q1ABC>APRS:>first\r\n# T2DEMO server 1.0\r\n");
    link.OnKeepAliveTick();
    EXPECT_EQ(Take(), (Events{"rows Q1ABC>APRS: | >first"}));
}

// The demo stream shipped in docs must keep feeding DEMO-13's reports, and only those, to the
// decoder, fed in arrivals that cut lines anywhere.
TEST_F(ServerLinkTest, DemoStreamFeedsEveryDemo13WeatherReportAndNothingElse) {
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
    for (std::size_t at = 0; at < stream.size(); at += 1000) {
        link.OnData(std::string_view(stream).substr(at, 1000));
    }
    Events decoded;
    for (const std::string& event : Take()) {
        if (event.starts_with("decode ")) {
            decoded.push_back(event);
        }
    }
    EXPECT_EQ(decoded, expected);
}

}  // namespace
}  // namespace pluvetta
