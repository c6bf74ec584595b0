#include <gtest/gtest.h>

#include <functional>
#include <optional>
#include <string>
#include <tuple>
#include <utility>

#include "app/fake_ports.h"
#include "app/monitor.h"
#include "app/setup_form.h"

namespace pluvetta {
namespace {

using testing::Journal;

const NumberFormat kEnglish{".", ",", "-"};
const NumberFormat kItalian{",", ".", "-"};

// A monitor on fakes watching Q1XYZ-13 through AGWPE at localhost:8000 and the server at
// hosta:14580, two minutes after its last report, with a traffic log shown.
struct Rig {
    explicit Rig(bool agwOn, bool serverOn, NumberFormat format = kEnglish)
        : monitor(screen, desktop, agw, server, std::move(format)) {
        monitor.Station() = {"Q1XYZ-13", "localhost", 8000, agwOn, "hosta", 14580, serverOn, false};
        monitor.OnElapsedTick();
        monitor.OnElapsedTick();
        screen.logText = "old log";
        journal.clear();
    }

    Journal journal;
    testing::FakeScreen screen{journal};
    testing::FakeDesktop desktop{journal};
    testing::FakeSocket agw{journal, "agw"};
    testing::FakeSocket server{journal, "server"};
    Monitor monitor;
};

const Journal kAgwReconnects = {"agw close", "agw connect localhost:8000"};

TEST(AcceptSetup, EachLinkReconnectsClosesOrStaysAsTheChangesAsk) {
    using Edit = std::function<void(SetupForm&)>;
    // clang-format off
    const std::tuple<const char*, bool, bool, Edit, Journal, std::string> cases[] = {
        {"nothing changed", true, true, [](SetupForm&) {}, {}, "Q1XYZ-13"},
        // The server link sees the call the AGWPE link has already taken.
        {"call, both on", true, true, [](SetupForm& f) { f.call = " n0call "; }, kAgwReconnects, "N0CALL"},
        {"call, server only", false, true, [](SetupForm& f) { f.call = "N0CALL"; },
         {"agw close", "lblWxComment=AGWPE Disconnected", "server close", "server connect hosta:14580"}, "N0CALL"},
        {"AGWPE on again after an error", false, true, [](SetupForm& f) { f.agwEnabled = true; }, kAgwReconnects, "Q1XYZ-13"},
        {"port text with blanks and a tail", true, true, [](SetupForm& f) { f.Number(SetupField::AgwPort) = " 80 01x"; },
         {"agw close", "agw connect localhost:8001"}, "Q1XYZ-13"},
        {"port above 32767", true, true, [](SetupForm& f) { f.Number(SetupField::ServerPort) = "45000"; },
         {"server close", "server connect hosta:45000"}, "Q1XYZ-13"},
        {"both off", true, true, [](SetupForm& f) { f.agwEnabled = f.serverEnabled = false; f.call = "N0CALL"; },
         {"agw close", "lblWxComment=AGWPE Disconnected", "server close", "lblWxComment=Aprs Server Disconnected",
          "caption=Pluvetta OFF", "traytip=Pluvetta OFF", "lblWxData=Pluvetta v6", "lblPress=", "lblTemp=", "lblUR=",
          "lblRain=", "lblElapsed=00", "lblWxComment=Pluvetta OFF"}, "Q1XYZ-13"},
    };
    // clang-format on
    for (const auto& [what, agwOn, serverOn, edit, journal, call] : cases) {
        SCOPED_TRACE(what);
        Rig rig(agwOn, serverOn);
        SetupForm form = rig.monitor.SetupFilling();
        edit(form);
        EXPECT_EQ(rig.monitor.AcceptSetup(form), std::nullopt);
        EXPECT_EQ(rig.journal, journal);
        EXPECT_EQ(rig.monitor.Station().StationCall, call);
        // Every reconnect and the switch-off empty the log; nothing else does.
        EXPECT_EQ(rig.screen.logText, journal.empty() ? "old log" : "");
        EXPECT_EQ(rig.monitor.MinutesSinceReport(), 2);
        EXPECT_EQ(rig.monitor.Alarms(), AlarmSettings{});
    }
}

TEST(AcceptSetup, ThresholdsAndFlagsAreReadInTheUsersFormat) {
    Rig rig(true, true, kItalian);
    SetupForm form = rig.monitor.SetupFilling();
    EXPECT_EQ(form.Number(SetupField::HiBaro), "1.040,0");
    form.Number(SetupField::HiBaro) = "1.041,5";
    form.Number(SetupField::LoTemp) = "-2,5";
    form.Number(SetupField::LoHum) = "50,5";  // a half goes to the even neighbour
    form.Number(SetupField::HiHum) = "97,5";
    form.beepOnData = form.saveAlarms = true;
    form.focusOnAlarm = false;
    ASSERT_EQ(rig.monitor.AcceptSetup(form), std::nullopt);
    const AlarmSettings& a = rig.monitor.Alarms();
    EXPECT_EQ(std::make_tuple(a.HiBaro, a.LoTemp, a.LoHum, a.HiHum),
              std::make_tuple(1041.5f, -2.5f, 50, 98));
    EXPECT_EQ(std::make_tuple(a.BeepOnData, a.FocusOnData, a.BeepOnAlarm, a.FocusOnAlarm),
              std::make_tuple(true, true, true, false));
    EXPECT_TRUE(rig.monitor.Station().SaveAlarms);
}

// A refused box is named in a box titled as the dialog, and nothing of the form is applied:
// neither the call, nor a gust, nor the server link switched off with it.
TEST(AcceptSetup, ABoxThatIsNoNumberOfItsRangeRefusesTheWholeForm) {
    // clang-format off
    const std::tuple<SetupField, const char*, const char*> cases[] = {
        {SetupField::HiWind, "", "\"Wind Max\": scrivere un numero."},
        {SetupField::LoTemp, "12.5", "\"Temp Low\": scrivere un numero."},  // a group of one digit
        {SetupField::HiHum, "101", "\"U.R. Hi\": scrivere un numero da 0 a 100."},
        {SetupField::LoHum, "-1", "\"U.R. Low\": scrivere un numero da 0 a 100."},
        {SetupField::AgwPort, "", "\"Agwpe Port\": scrivere un numero da 1 a 65535."},
        {SetupField::ServerPort, "65535.5", "\"Server Port\": scrivere un numero da 1 a 65535."},
    };
    // clang-format on
    for (const auto& [field, text, message] : cases) {
        Rig rig(true, true, kItalian);
        SetupForm form = rig.monitor.SetupFilling();
        form.Number(field) = text;
        form.Number(SetupField::HiGust) = "99";
        form.call = "N0CALL";
        form.serverEnabled = field == SetupField::ServerPort;
        EXPECT_EQ(rig.monitor.AcceptSetup(form), field) << text;
        EXPECT_EQ(rig.journal,
                  Journal{std::string("warning [Setup Parametri Pluvetta] Valore non valido in ") +
                          message});
        EXPECT_EQ(rig.monitor.Station(), (StationSettings{"Q1XYZ-13", "localhost", 8000, true,
                                                          "hosta", 14580, true, false}));
        EXPECT_EQ(rig.monitor.Alarms(), AlarmSettings{});
    }
    // The port of a link left off is not read.
    Rig rig(true, true);
    SetupForm form = rig.monitor.SetupFilling();
    form.serverEnabled = false;
    form.Number(SetupField::ServerPort) = "0";
    EXPECT_EQ(rig.monitor.AcceptSetup(form), std::nullopt);
}

TEST(ReadUserNumber, DigitsInGroupsOfThreeAndTheFormatsSeparators) {
    // clang-format off
    const std::tuple<const char*, NumberFormat, std::optional<float>> cases[] = {
        {"1,040.0", kEnglish, 1040.0f}, {" -5.0 ", kEnglish, -5.0f}, {"+1040", kEnglish, 1040.0f},
        {".5", kEnglish, 0.5f}, {"5.", kEnglish, 5.0f}, {"12,345,678.25", kEnglish, 12345678.25f},
        {"1.040,0", kItalian, 1040.0f}, {"0,4", kItalian, 0.4f},
        {"1,04", kEnglish, {}}, {"1,0400", kEnglish, {}}, {"1040,0", kEnglish, {}}, {",100", kEnglish, {}},
        {"100,", kEnglish, {}}, {"1 000", kEnglish, {}}, {"", kEnglish, {}}, {"-", kEnglish, {}},
        {".", kEnglish, {}}, {"1e3", kEnglish, {}}, {"1.2.3", kEnglish, {}}, {"--5", kEnglish, {}},
        {"12.5", kItalian, {}}, {"1.0e3", kItalian, {}},
        {"400000000000000000000000000000000000000", kEnglish, {}},
    };
    // clang-format on
    for (const auto& [text, format, value] : cases) {
        EXPECT_EQ(ReadUserNumber(text, format), value) << text << " " << format.decimalSeparator;
    }
}

TEST(FillSetupForm, ThresholdsWithOneDecimalHumiditiesAndPortsWhole) {
    StationSettings station{"Q1XYZ-13", "localhost", 45000, true, "hosta", 14580, false, true};
    AlarmSettings alarms;
    alarms.HiRainHour = 0.5f;
    alarms.LoTemp = -12.34f;
    const SetupForm form = FillSetupForm(station, alarms, kEnglish);
    EXPECT_EQ(form.numbers, (std::array<std::string, kSetupFieldCount>{
                                "50.0", "80.0", "-12.3", "40.0", "20", "96", "900.0", "1,040.0",
                                "0.5", "250.0", "45000", "14580"}));
    EXPECT_EQ(
        std::make_tuple(form.agwEnabled, form.serverEnabled, form.saveAlarms, form.beepOnData),
        std::make_tuple(true, false, true, false));
}

}  // namespace
}  // namespace pluvetta
