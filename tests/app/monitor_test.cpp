#include "app/monitor.h"

#include <gtest/gtest.h>

#include <array>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include "app/fake_ports.h"

namespace pluvetta {
namespace {

namespace fs = std::filesystem;
using testing::FakeDesktop;
using testing::FakeScreen;
using testing::FakeSocket;
using testing::Journal;

constexpr const char* kDefaultAlarmsFile =
    "#FALSE#,#TRUE#,#TRUE#,#TRUE#\r\n-5,40,20,96\r\n900,1040,40,250\r\n50,80\r\n";

std::string ReadFile(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

// A monitor on fakes that share one journal, with its executable folder in a fresh
// temporary folder.
struct Rig {
    Rig() : monitor(screen, desktop, agw, server, NumberFormat{}) {
        fs::remove_all(folder);
        fs::create_directories(folder);
    }
    ~Rig() { fs::remove_all(folder); }
    // What the fakes noted since the last call.
    Journal Take() { return std::exchange(journal, {}); }
    void EnableBothLinks() {
        StationSettings& station = monitor.Station();
        station.StationCall = "Q1XYZ-13";
        station.AgwEnabled = station.ServerEnabled = true;
    }

    const fs::path folder =
        fs::temp_directory_path() /
        ("pluvetta-monitor-" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()) +
         ::testing::UnitTest::GetInstance()->current_test_info()->name());
    Journal journal;
    FakeScreen screen{journal};
    FakeDesktop desktop{journal};
    FakeSocket agw{journal, "agw"};
    FakeSocket server{journal, "server"};
    Monitor monitor;
};

TEST(MonitorStart, ConnectsTheLinksTheCommandLineAsksForOrAsksForTheSetup) {
    const std::pair<const char*, Journal> cases[] = {
        {"", {"setup modal"}},
        {"q1xyz-13", {"agw connect localhost:8000"}},
        {"Q1XYZ S:hosta:14580", {"server connect hosta:14580"}},
        {"Q1XYZ hostb:8001 save", {"agw connect hostb:8001"}},
    };
    for (const auto& [commandLine, journal] : cases) {
        SCOPED_TRACE(commandLine);
        Rig rig;
        rig.monitor.Start(commandLine, rig.folder);
        EXPECT_EQ(rig.Take(), journal);
        EXPECT_TRUE(rig.monitor.ReportGate());
        EXPECT_EQ(rig.monitor.AlarmsFilePath(), rig.folder / "WxAlarms.ini");
    }
    Rig rig;
    rig.monitor.Start("   ", rig.folder);
    EXPECT_EQ(rig.monitor.Station().StationCall, "NOCALL");
}

TEST(MonitorStart, MissingAlarmsFileIsWrittenAndAnUnwritableOneWarnsOnce) {
    Rig rig;
    rig.monitor.Start("Q1XYZ", rig.folder);
    EXPECT_EQ(ReadFile(rig.folder / "WxAlarms.ini"), kDefaultAlarmsFile);
    EXPECT_EQ(rig.Take(), Journal{"agw connect localhost:8000"});

    Rig missing;
    const fs::path gone = missing.folder / "gone";
    missing.monitor.Start("Q1XYZ", gone);
    EXPECT_EQ(missing.Take(), (Journal{"warning [" + (gone / "WxAlarms.ini").string() +
                                           "] Unable to save Wx Alarm values",
                                       "agw connect localhost:8000"}));
    EXPECT_EQ(missing.monitor.Alarms(), AlarmSettings{});
}

TEST(MonitorShutdown, ClosesBothLinksAndSavesOnlyWithSave) {
    Rig rig;
    std::ofstream(rig.folder / "WxAlarms.ini", std::ios::binary) << kDefaultAlarmsFile;
    rig.monitor.Start("Q1XYZ", rig.folder);
    rig.monitor.Alarms().HiTemp = 35.5f;
    rig.monitor.Shutdown();
    EXPECT_EQ(rig.Take(), (Journal{"agw connect localhost:8000", "agw close", "server close"}));
    EXPECT_EQ(ReadFile(rig.folder / "WxAlarms.ini"), kDefaultAlarmsFile);

    rig.monitor.Start("Q1XYZ A:hostb SAVE", rig.folder);
    rig.monitor.Alarms().HiTemp = 35.5f;
    rig.monitor.Shutdown();
    EXPECT_EQ(ReadFile(rig.folder / "WxAlarms.ini"),
              "#FALSE#,#TRUE#,#TRUE#,#TRUE#\r\n-5,35.5,20,96\r\n900,1040,40,250\r\n50,80\r\n");

    // The folder turns into a plain file: the save fails and says so, once.
    rig.Take();
    fs::remove_all(rig.folder);
    std::ofstream(rig.folder) << "not a folder";
    rig.monitor.Shutdown();
    EXPECT_EQ(rig.Take(), (Journal{"agw close", "server close",
                                   "warning [" + (rig.folder / "WxAlarms.ini").string() +
                                       "] Unable to save Wx Alarm values"}));
}

TEST(MonitorLinks, ConnectNamesTheStationAndStartResetsTheReadoutInOrder) {
    Rig rig;
    rig.monitor.Station().StationCall = "Q1XYZ-13";
    rig.monitor.Station().ServerHost = "hosta";
    rig.monitor.ProcessWeatherReport("_10090556c220s004t077h50b10132");
    ASSERT_TRUE(rig.monitor.TrendReady());
    rig.Take();

    rig.monitor.Server().OnConnected();
    EXPECT_EQ(rig.Take(),
              (Journal{"lblWxComment=Pluvetta connected to hosta", "caption=Q1XYZ-13 Wx Station",
                       "traytip=Q1XYZ-13 Wx Station", "lblWxData=Pluvetta v6",
                       "lblPress=", "lblTemp=", "lblUR=", "lblRain=", "lblElapsed=00"}));
    for (const RecordingCanvas& box : rig.screen.trend) {
        EXPECT_TRUE(box.SinceLastClear().empty());
    }
    EXPECT_FALSE(rig.monitor.TrendReady());
    EXPECT_EQ(rig.monitor.MinutesSinceReport(), 0);

    // The AGWPE link leaves the comment line to the engine's version reply.
    rig.monitor.Connected(LinkKind::Agw);
    rig.monitor.EngineVersion(2005, 17);
    rig.monitor.RadioPorts("2");
    EXPECT_EQ(rig.Take(), (Journal{"caption=Q1XYZ-13 Wx Station", "traytip=Q1XYZ-13 Wx Station",
                                   "lblWxComment=Pluvetta connesso a AGWPE v2005.17",
                                   "lblRain=Porte Radio : 2"}));
}

TEST(MonitorLinks, FailedLinkWarnsClosesDisablesAndOpensTheSetupUnlessItIsOpen) {
    for (const LinkKind link : {LinkKind::Server, LinkKind::Agw}) {
        const bool server = link == LinkKind::Server;
        const std::string title = server ? "Errore collegamento TCP [Q1XYZ-13]"
                                         : "Errore collegamento con AGWPE [Q1XYZ-13]";
        const std::string close = server ? "server close" : "agw close";
        Rig rig;
        rig.EnableBothLinks();
        rig.monitor.Failed(link, "Connection refused");
        EXPECT_EQ(rig.Take(),
                  (Journal{"warning [" + title + "] Connection refused", close, "setup modal"}));
        EXPECT_EQ(rig.monitor.Station().ServerEnabled, !server);
        EXPECT_EQ(rig.monitor.Station().AgwEnabled, server);

        rig.monitor.Failed(link, "Host not found");
        EXPECT_EQ(rig.Take(), (Journal{"warning [" + title + "] Host not found", close}));
    }
}

TEST(MonitorLinks, LostLinkClosesAndDisablesWithoutABox) {
    Rig rig;
    rig.EnableBothLinks();
    rig.monitor.Lost(LinkKind::Server);
    EXPECT_EQ(rig.Take(), (Journal{"server close", "lblWxComment=Aprs Server Disconnected"}));
    EXPECT_FALSE(rig.monitor.Station().ServerEnabled);
    EXPECT_TRUE(rig.monitor.Station().AgwEnabled);
    rig.monitor.Lost(LinkKind::Agw);
    EXPECT_EQ(rig.Take(), (Journal{"agw close", "lblWxComment=AGWPE Disconnected"}));
    EXPECT_FALSE(rig.monitor.Station().AgwEnabled);
}

// Every packet with rows shows them; the watched station's, while the gate is open, is also
// logged and, when it carries weather, decoded.
TEST(MonitorLinks, PacketsOfTheWatchedStationAreLoggedAndDecodedWhileTheGateIsOpen) {
    const std::string weather = "_10090556c220s004t077";
    struct Case {
        LinkKind link;
        const char* sender;
        std::vector<std::string_view> rows;  // {"-"}: the packet brings no rows
        bool gateOpen;
        const char* log;
        bool decoded;
    };
    const Case cases[] = {
        {LinkKind::Server,
         "Q1XYZ-13",
         {"Q1XYZ-13>APRS:", weather},
         true,
         "[12:34:56] Q1XYZ-13>APRS:\r\n_10090556c220s004t077\r\n",
         true},
        {LinkKind::Agw,
         "Q1XYZ-13",
         {"1:Fm Q1XYZ-13 To APRS", weather},
         true,
         "1:Fm Q1XYZ-13 To APRS\r\n_10090556c220s004t077\r\n",
         true},
        {LinkKind::Server, "Q1XYZ-13", {"Q1XYZ-13>APRS:", weather}, false, "", false},
        {LinkKind::Server, "q1xyz-13", {"q1xyz-13>APRS:", weather}, true, "", false},
        {LinkKind::Server, "Q1XYZ-1", {"Q1XYZ-1>APRS:", weather}, true, "", false},
        {LinkKind::Server, "Q1XYZ", {"Q1XYZ>APRS:", weather}, true, "", false},
        {LinkKind::Server,
         "Q1XYZ-13",
         {"H:", "!4903.50N/07201.75W-"},
         true,
         "[12:34:56] H:\r\n!4903.50N/07201.75W-\r\n",
         false},
        {LinkKind::Server,
         "Q1XYZ-13",
         {"H:", ">status _"},
         true,
         "[12:34:56] H:\r\n>status _\r\n",
         false},
        // The information is the last row, the log takes two with a missing one empty.
        {LinkKind::Agw, "Q1XYZ-13", {weather}, true, "_10090556c220s004t077\r\n\r\n", true},
        {LinkKind::Agw, "Q1XYZ-13", {}, true, "\r\n\r\n", false},
        // A reply without rows leaves the earlier rows, which the log then takes.
        {LinkKind::Agw, "Q1XYZ-13", {"-"}, true, "old\r\nrows\r\n", false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.sender) + " " + std::to_string(c.rows.size()));
        Rig rig;
        rig.monitor.Station().StationCall = "Q1XYZ-13";
        rig.monitor.Packet(LinkKind::Server,
                           {.sender = "Q2ABC",
                            .hasRows = true,
                            .rows = std::array<std::string_view, 2>{"old", "rows"}});
        if (!c.gateOpen) rig.monitor.ProcessWeatherReport("_10090556c220s004");
        const bool keepsRows = c.rows.size() == 1 && c.rows[0] == "-";
        rig.monitor.Packet(c.link, {.sender = c.sender, .hasRows = !keepsRows, .rows = c.rows});

        const std::vector<std::string> rows =
            keepsRows ? std::vector<std::string>{"old", "rows"}
                      : std::vector<std::string>(c.rows.begin(), c.rows.end());
        EXPECT_EQ(rig.screen.rxRows, rows);
        EXPECT_EQ(rig.screen.logText, c.log);
        EXPECT_EQ(rig.screen.Caption(Label::Temp) != "<unset>", c.decoded);
    }
}

}  // namespace
}  // namespace pluvetta
