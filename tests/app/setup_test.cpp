#include <gtest/gtest.h>

#include <fstream>
#include <functional>
#include <iterator>
#include <optional>
#include <string>
#include <tuple>

#include "app/fake_ports.h"
#include "app/monitor.h"

namespace pluvetta {
namespace {

using testing::Journal;

// Italian numbers; a minute after the last report.
struct Rig : testing::MonitorOnFakes {
    explicit Rig(bool agwOn) : MonitorOnFakes({",", ".", "-"}) {
        monitor.Station() = {"Q1XYZ-13", "localhost", 8000, agwOn, "hosta", 14580, true, false};
        monitor.OnElapsedTick();
        journal.clear();
    }
};

TEST(AcceptSetup, EachLinkReconnectsClosesOrStaysAsTheChangesAsk) {
    using Edit = std::function<void(SetupForm&)>;
    const Journal agwAgain = {"agw close", "log emptied", "agw connect localhost:8000"};
    // clang-format off
    const std::tuple<bool, Edit, Journal, std::string> cases[] = {
        // The server link sees the call the AGWPE link has already taken.
        {true, [](SetupForm& f) { f.call = " n0call "; }, agwAgain, "N0CALL"},
        {false, [](SetupForm& f) { f.agwEnabled = true; }, agwAgain, "Q1XYZ-13"},  // on again after an error
        {true, [](SetupForm& f) { f.Number(SetupField::AgwPort) = "80 01x"; f.Number(SetupField::ServerPort) = "45000"; },
         {"agw close", "log emptied", "agw connect localhost:8001", "server close", "log emptied", "server connect hosta:45000"}, "Q1XYZ-13"},
        // The socket gets an address without its brackets, which the settings, and so the dialog, keep.
        {true, [](SetupForm& f) { f.agwHost = f.serverHost = "[::1]"; },
         {"agw close", "log emptied", "agw connect ::1:8000", "server close", "log emptied", "server connect ::1:14580"}, "Q1XYZ-13"},
        {true, [](SetupForm& f) { f.serverEnabled = false; }, {"server close", "lblWxComment=Aprs Server Disconnected"}, "Q1XYZ-13"},
        {true, [](SetupForm& f) { f.agwEnabled = f.serverEnabled = false; f.call = "N0CALL"; },
         {"agw close", "lblWxComment=AGWPE Disconnected", "server close", "lblWxComment=Aprs Server Disconnected",
          "caption=Pluvetta OFF", "traytip=Pluvetta OFF", "lblWxData=Pluvetta v6", "lblPress=", "lblTemp=", "lblUR=",
          "lblRain=", "lblElapsed=00", "log emptied", "lblWxComment=Pluvetta OFF"}, "Q1XYZ-13"},
    };
    // clang-format on
    for (const auto& [agwOn, edit, journal, call] : cases) {
        Rig rig(agwOn);
        SetupForm form = rig.monitor.SetupFilling();
        edit(form);
        // The elapsed count runs on.
        EXPECT_EQ(std::tuple(rig.monitor.AcceptSetup(form), rig.journal,
                             rig.monitor.Station().StationCall, rig.monitor.MinutesSinceReport()),
                  std::tuple(std::nullopt, journal, call, 1));
        EXPECT_EQ(rig.monitor.SetupFilling().serverHost, form.serverHost);
    }
}

// Humidities are whole numbers, rounded half to even, up to 100.
TEST(AcceptSetup, ThresholdsAndFlagsAreReadInTheUsersFormat) {
    Rig rig(true);
    SetupForm form = rig.monitor.SetupFilling();
    // The port of a link left off is not read.
    form.numbers = {"50", "1.080,5", " -2,5 ", "40,", "49,5", "100,5",
                    ",5", "1040",    "0",      "2",   "8000", "0"};
    form.beepOnData = form.saveAlarms = true;
    form.focusOnAlarm = form.serverEnabled = false;
    ASSERT_EQ(rig.monitor.AcceptSetup(form), std::nullopt);
    EXPECT_EQ(rig.monitor.Alarms(), (AlarmSettings{true, true, true, false, -2.5f, 40, 50, 100,
                                                   0.5f, 1040, 0, 2, 50, 1080.5f}));
    EXPECT_TRUE(rig.monitor.Station().SaveAlarms);
}

// A refused box is named in a box titled as the dialog, and nothing of the form is applied:
// neither the call, nor a gust, nor the server link switched off with it.
TEST(AcceptSetup, ABoxThatIsNoNumberOfItsRangeRefusesTheWholeForm) {
    const std::tuple<SetupField, const char*, const char*> cases[] = {
        {SetupField::HiWind, "", "\"Wind Max\": scrivere un numero."},
        {SetupField::LoTemp, "12.5", "\"Temp Low\": scrivere un numero."},  // a group of one digit
        {SetupField::HiHum, "101", "\"U.R. Hi\": scrivere un numero da 0 a 100."},
        {SetupField::AgwPort, "", "\"Agwpe Port\": scrivere un numero da 1 a 65535."},
        {SetupField::ServerPort, "65535.5", "\"Server Port\": scrivere un numero da 1 a 65535."},
    };
    for (const auto& [field, text, message] : cases) {
        Rig rig(true);
        const StationSettings before = rig.monitor.Station();
        SetupForm form = rig.monitor.SetupFilling();
        form.Number(field) = text;
        form.Number(SetupField::HiGust) = "99";
        form.call = "N0CALL";
        form.serverEnabled = field == SetupField::ServerPort;
        EXPECT_EQ(rig.monitor.AcceptSetup(form), field) << text;
        EXPECT_EQ(rig.journal,
                  Journal{std::string("warning [Setup Parametri Pluvetta] Valore non valido in ") +
                          message});
        EXPECT_EQ(std::pair(rig.monitor.Station(), rig.monitor.Alarms()),
                  std::pair(before, AlarmSettings{}));
    }
}

// Under each preset a confirm with no box changed leaves the alarms file byte for byte as it
// was, though the boxes showed rounded, converted values; a changed box is read in the units
// shown.
TEST(AcceptSetup, ThresholdsInTheChosenUnitsLeaveAnUnchangedFileAsItWas) {
    const std::string file =
        "#FALSE#,#TRUE#,#TRUE#,#TRUE#\r\n-5.3,33.37,20,96\r\n"
        "995.123,1033.3,12.7,101.6\r\n45.1,77.77\r\n";
    for (const std::string preset : {"metric", "us", "uk"}) {
        testing::TempFolder folder;
        std::ofstream(folder.path / "WxAlarms.ini", std::ios::binary) << file;
        testing::MonitorOnFakes rig;
        rig.monitor.Start("Q1XYZ S:hosta SAVE", folder.path);
        rig.monitor.ApplyOptions(ReadOptions({{"units/preset", preset}}, "p.conf").options);
        ASSERT_EQ(rig.monitor.AcceptSetup(rig.monitor.SetupFilling()), std::nullopt);
        rig.monitor.Shutdown();
        std::ifstream saved(folder.path / "WxAlarms.ini", std::ios::binary);
        EXPECT_EQ(std::string(std::istreambuf_iterator<char>(saved), {}), file) << preset;
    }
    Rig rig(true);
    rig.monitor.ApplyOptions(ReadOptions({{"units/preset", "us"}}, "p.conf").options);
    SetupForm form = rig.monitor.SetupFilling();
    EXPECT_EQ(form.unitLabels, (std::array<std::string, kThresholdRowCount>{
                                   "mph  g", "\260F   Hi", "%    Hi", "inHg  Hi", "in 24h"}));
    EXPECT_EQ(form.numbers, (std::array<std::string, kSetupFieldCount>{
                                "31,1", "49,7", "23,0", "104,0", "20", "96", "26,58", "30,71",
                                "1,57", "9,84", "8000", "14580"}));
    form.Number(SetupField::HiWind) = "31";
    form.Number(SetupField::LoBaro) = "29,53";
    ASSERT_EQ(rig.monitor.AcceptSetup(form), std::nullopt);
    EXPECT_EQ(std::pair(rig.monitor.Alarms().HiWind, rig.monitor.Alarms().LoBaro),
              std::pair(49.889664f, 1000.00061f));
}

}  // namespace
}  // namespace pluvetta
