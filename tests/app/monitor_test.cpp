#include "app/monitor.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "app/fake_ports.h"

namespace pluvetta {
namespace {

namespace fs = std::filesystem;
using testing::FakeDesktop;
using testing::FakeScreen;
using testing::FakeSocket;
using testing::Warning;

std::string ReadFile(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

// A monitor wired to fakes, with its executable folder in a fresh temporary folder.
class MonitorTest : public ::testing::Test {
  protected:
    void SetUp() override {
        folder = fs::temp_directory_path() /
                 ("pluvetta-monitor-" +
                  std::to_string(::testing::UnitTest::GetInstance()->random_seed()) + "-" +
                  ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(folder);
        fs::create_directories(folder);
    }
    void TearDown() override { fs::remove_all(folder); }

    fs::path folder;
    FakeScreen screen;
    FakeDesktop desktop;
    FakeSocket agw;
    FakeSocket server;
    Monitor monitor{screen, desktop, agw, server, NumberFormat{}};
};

TEST_F(MonitorTest, StartUpConnectsTheLinksTheCommandLineAsksFor) {
    struct Case {
        std::string commandLine;
        std::string call;
        std::vector<std::string> agwCalls;
        std::vector<std::string> serverCalls;
        std::vector<bool> dialogShows;
    };
    const std::vector<Case> cases = {
        {"", "NOCALL", {}, {}, {true}},
        {"    ", "NOCALL", {}, {}, {true}},
        {"q1xyz-13", "Q1XYZ-13", {"connect localhost:8000"}, {}, {}},
        {"Q1XYZ S:hosta:14580", "Q1XYZ", {}, {"connect hosta:14580"}, {}},
        {"Q1XYZ hostb:8001 save", "Q1XYZ", {"connect hostb:8001"}, {}, {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE("command line '" + c.commandLine + "'");
        FakeDesktop freshDesktop;
        FakeSocket freshAgw;
        FakeSocket freshServer;
        Monitor fresh(screen, freshDesktop, freshAgw, freshServer, NumberFormat{});
        fresh.Start(c.commandLine, folder);
        EXPECT_EQ(fresh.Station().StationCall, c.call);
        EXPECT_EQ(freshAgw.calls, c.agwCalls);
        EXPECT_EQ(freshServer.calls, c.serverCalls);
        EXPECT_EQ(freshDesktop.dialogShows, c.dialogShows);
        EXPECT_TRUE(fresh.ReportGate());
        EXPECT_EQ(fresh.AlarmsFilePath(), folder / "WxAlarms.ini");
    }
}

TEST_F(MonitorTest, StartUpWritesDefaultAlarmsFileWhenNoneExists) {
    monitor.Start("Q1XYZ", folder);
    EXPECT_EQ(ReadFile(folder / "WxAlarms.ini"),
              "#FALSE#,#TRUE#,#TRUE#,#TRUE#\r\n-5,40,20,96\r\n900,1040,40,250\r\n50,80\r\n");
    EXPECT_EQ(monitor.Alarms(), AlarmSettings{});
    EXPECT_TRUE(desktop.warnings.empty());
}

TEST_F(MonitorTest, StartUpInAMissingFolderWarnsOnceAndKeepsDefaults) {
    monitor.Start("Q1XYZ", folder / "gone");
    const fs::path path = folder / "gone" / "WxAlarms.ini";
    EXPECT_EQ(desktop.warnings,
              (std::vector<Warning>{{path.string(), "Unable to save Wx Alarm values"}}));
    EXPECT_EQ(monitor.Alarms(), AlarmSettings{});
    EXPECT_EQ(agw.calls, std::vector<std::string>{"connect localhost:8000"});
}

TEST_F(MonitorTest, ShutDownClosesBothLinksAndSavesOnlyWithSave) {
    {
        std::ofstream(folder / "WxAlarms.ini", std::ios::binary)
            << "#TRUE#,#TRUE#,#TRUE#,#TRUE#\r\n-5,40,20,96\r\n900,1040,40,250\r\n50,80\r\n";
    }
    monitor.Start("Q1XYZ", folder);
    EXPECT_TRUE(monitor.Alarms().BeepOnData);
    monitor.Alarms().HiTemp = 35.5f;
    monitor.Shutdown();
    EXPECT_EQ(agw.calls, (std::vector<std::string>{"connect localhost:8000", "close"}));
    EXPECT_EQ(server.calls, std::vector<std::string>{"close"});
    EXPECT_EQ(ReadFile(folder / "WxAlarms.ini"),
              "#TRUE#,#TRUE#,#TRUE#,#TRUE#\r\n-5,40,20,96\r\n900,1040,40,250\r\n50,80\r\n");

    FakeSocket agw2;
    FakeSocket server2;
    Monitor saving(screen, desktop, agw2, server2, NumberFormat{});
    saving.Start("Q1XYZ A:hostb SAVE", folder);
    saving.Alarms().HiTemp = 35.5f;
    saving.Shutdown();
    EXPECT_EQ(ReadFile(folder / "WxAlarms.ini"),
              "#TRUE#,#TRUE#,#TRUE#,#TRUE#\r\n-5,35.5,20,96\r\n900,1040,40,250\r\n50,80\r\n");
    EXPECT_TRUE(desktop.warnings.empty());
}

TEST_F(MonitorTest, FailedSaveAtShutDownWarnsOnce) {
    monitor.Start("Q1XYZ S:hosta SAVE", folder);
    ASSERT_TRUE(desktop.warnings.empty());
    // The folder turns into a plain file: no alarms file can be written below it any more.
    fs::remove_all(folder);
    std::ofstream(folder) << "not a folder";
    monitor.Shutdown();
    EXPECT_EQ(desktop.warnings, (std::vector<Warning>{{(folder / "WxAlarms.ini").string(),
                                                       "Unable to save Wx Alarm values"}}));
    fs::remove(folder);
}

}  // namespace
}  // namespace pluvetta
