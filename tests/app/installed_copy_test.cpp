#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include <sys/mount.h>

#include "app/fake_ports.h"
#include "app/file_places.h"
#include "app/kept_station.h"
#include "app/monitor.h"

namespace pluvetta {
namespace {

namespace fs = std::filesystem;
using testing::Journal;
using testing::MonitorOnFakes;
using testing::TempFolder;

// A folder that takes no file, root included: a read-only tmpfs, which needs the right to
// mount. The alarms file of a copy there goes to the configuration folder, made for it.
TEST(AlarmsFolder, BesideTheExecutableWhenItTakesFilesElseTheConfigurationFolder) {
    TempFolder temp;
    const fs::path bin = temp.path / "bin", config = temp.path / "config" / "pluvetta";
    fs::create_directory(bin);
    EXPECT_EQ(AlarmsFolder(bin, config), bin);
    EXPECT_EQ(fs::directory_iterator(bin), fs::directory_iterator());  // the probe is gone
    EXPECT_FALSE(fs::exists(config));
    if (::mount("ro", bin.c_str(), "tmpfs", MS_RDONLY, nullptr) != 0) {
        GTEST_SKIP() << "no read-only folder: mounting needs root";
    }
    EXPECT_EQ(AlarmsFolder(bin, config), config);
    EXPECT_TRUE(fs::is_directory(config));
    ::umount(bin.c_str());
}

// Keys already there are rewritten where they stand, CR LF kept; missing ones join the end of
// their section, missing sections the end of the file; comments, other keys and a byte order
// mark stay.
TEST(WithKeptStation, WritesTheStationKeysAndLeavesEveryOtherLine) {
    const StationSettings station{"Q1XYZ-13", "localhost", 8000, false, "[::1]", 14580, true};
    EXPECT_EQ(
        WithKeptStation("\xEF\xBB\xBF[server]\n; mine\nreconnect=true\r\n port = 1\r\n\n"
                        "[alarms]\ncommand=beep ; now\n",
                        station),
        "\xEF\xBB\xBF[server]\n; mine\nreconnect=true\r\nport=14580\r\nenabled=true\nhost=[::1]\n\n"
        "[alarms]\ncommand=beep ; now\n\n[station]\ncall=Q1XYZ-13\n\n[agwpe]\n"
        "enabled=false\nhost=localhost\nport=8000\n");
}

// Started with no command line, the monitor watches the kept station and hands every
// confirmed setup on to be kept; a command line wins and nothing is kept.
TEST(MonitorKeptStation, ABareStartWatchesTheKeptStationAndKeepsWhatTheSetupConfirms) {
    TempFolder folder;
    Options options;
    options.keptStation = {"Q1XYZ-13", "", 0, false, "hosta", 0, true};
    for (const char* commandLine : {"", "Q2ABC S:hostb:1"}) {
        MonitorOnFakes rig;
        std::vector<StationSettings> kept;
        rig.monitor.KeepStationWith([&kept](const StationSettings& s) { kept.push_back(s); });
        rig.monitor.ApplyOptions(options);
        rig.monitor.Start(commandLine, folder.path);
        SetupForm form = rig.monitor.SetupFilling();
        form.agwEnabled = true;
        rig.monitor.AcceptSetup(form);
        const bool bare = *commandLine == '\0';
        EXPECT_EQ(rig.Take().at(0), bare ? "server connect hosta:10153" : "server connect hostb:1");
        EXPECT_EQ(kept, bare ? std::vector{rig.monitor.Station()} : std::vector<StationSettings>{})
            << commandLine;
    }
    MonitorOnFakes linkless;  // a kept call with no link switched on asks, as before
    options.keptStation.ServerEnabled = false;
    linkless.monitor.ApplyOptions(options);
    linkless.monitor.Start("", folder.path);
    EXPECT_EQ(linkless.Take(), Journal{"setup modal"});
}

}  // namespace
}  // namespace pluvetta
