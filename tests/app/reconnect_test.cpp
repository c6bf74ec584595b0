#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <tuple>
#include <vector>

#include "app/fake_ports.h"
#include "app/monitor.h"
#include "app/options.h"
#include "app/reconnect.h"
#include "links/agw_frame.h"

namespace pluvetta {
namespace {

using namespace std::chrono_literals;
using testing::Journal;
using testing::MonitorOnFakes;

// Every draw at the bottom gives half of each step, every draw at the top all of it; the step
// doubles up to five minutes, and only a link up for a whole minute starts again at 5 s.
TEST(ReconnectPolicy, WaitsDoubleToFiveMinutesDrawnFromHalfToAllAndRestartAfterAMinuteUp) {
    const std::tuple<std::uint32_t, std::vector<long long>> cases[] = {
        {0, {2500, 5000, 10000, 20000, 40000, 80000, 150000, 150000}},
        {UINT32_MAX, {5000, 10000, 20000, 40000, 80000, 160000, 300000, 300000}},
    };
    for (const auto& [draw, waits] : cases) {
        ReconnectPolicy policy([draw] { return draw; });
        for (const long long wait : waits) EXPECT_EQ(policy.Lost(0ms).count(), wait) << draw;
    }
    ReconnectPolicy policy([] { return 0u; });
    policy.Lost(0ms);
    policy.Up(1000ms);
    EXPECT_EQ(policy.Lost(60999ms), 5000ms);  // up 59.999 s: the step goes on growing
    policy.Up(70000ms);
    EXPECT_EQ(policy.Lost(130000ms), 2500ms);
}

TEST(ShuffleAddresses, EveryAddressOnceInTheOrderTheDrawsGive) {
    EXPECT_EQ(ShuffleAddresses({"a", "b", "c"}, [] { return 0u; }),
              (std::vector<std::string>{"b", "c", "a"}));
}

// "section/key=value" texts, as the shell hands them over.
OptionsRead Read(const std::vector<std::string>& lines) {
    std::vector<OptionEntry> entries;
    for (const std::string& line : lines) {
        entries.emplace_back(line.substr(0, line.find('=')), line.substr(line.find('=') + 1));
    }
    return ReadOptions(entries, "p.conf");
}

// Good values fill the record (a unit named on its own wins over the preset, whichever comes
// first in the file); each bad value or unknown key keeps the defaults and is told once.
TEST(ReadOptions, GoodValuesFillTheRecordAndEachBadOneKeepsItsDefaultAndIsTold) {
    const Options every{.serverReconnect = true,
                        .serverFallback = {{"euro.example", 14580}, {"::1", 10152}},
                        .agwReconnect = true,
                        .silentMode = SilentMode::Fixed,
                        .silentMinutes = 1440,
                        .alarmCommand = "notify-send \"Meteo\"",
                        .historyRecord = false,
                        .historyFile = "/srv/meteo.sqlite",
                        .keptStation = {"Q1XYZ-13", "[::1]", 1, true, "h.example", 65535, false},
                        .unitsPreset = kUkUnits,
                        .pressureUnit = PressureUnit::HPa,
                        .rainUnit = RainUnit::Inches,
                        .formulas = {WindChillFormula::Y2001, true}};
    const OptionsRead read =
        Read({"server/reconnect=true", "server/fallback= euro.example:14580 , [::1]:10152 ",
              "agwpe/reconnect=true", "alarms/silent_minutes=1440",
              "alarms/command=notify-send \"Meteo\"", "history/record=false",
              "history/file=/srv/meteo.sqlite", "station/call=Q1XYZ-13", "agwpe/enabled=true",
              "agwpe/host=[::1]", "agwpe/port=1", "server/enabled=false", "server/host=h.example",
              "server/port=65535", "units/rain=in", "units/preset=uk", "units/pressure=hPa",
              "formulas/wind_chill=2001", "formulas/heat_index=true"});
    EXPECT_EQ(read.options, every);
    EXPECT_EQ(read.problems, std::vector<std::string>{});
    EXPECT_EQ(ShownUnits(read.options), (Units{TemperatureUnit::Celsius, WindUnit::Mph,
                                               PressureUnit::HPa, RainUnit::Inches}));
    EXPECT_EQ(Read({"alarms/silent_minutes=auto"}).options.silentMode, SilentMode::Auto);
    EXPECT_EQ(Read({"alarms/silent_minutes=5"}).options.silentMinutes, 5);

    for (const char* line :
         {"server/reconnect=yes", "alarms/silent_minutes=4", "alarms/silent_minutes=1441",
          "alarms/silent_minutes=+10", "server/fallback=euro.example",
          "server/fallback=euro.example:0", "server/fallback=::1:14580",
          "server/fallback=a.example:14580, b.example:65536", "station/call=Q1 XYZ",
          "server/host=a,b", "agwpe/port=0", "units/preset=UK", "units/wind=knots",
          "formulas/wind_chill=2000", "reconnect=true"}) {
        const OptionsRead bad = Read({line});
        EXPECT_EQ(bad.options, Options{}) << line;
        EXPECT_EQ(bad.problems.size(), 1u) << line;
    }
    EXPECT_EQ(Read({"agwpe/reconnect=on", "agwpe/fallback=h:1"}).problems,
              (std::vector<std::string>{
                  "p.conf: [agwpe] reconnect = \"on\": not accepted, the default stays; "
                  "accepted: false or true",
                  "p.conf: [agwpe] fallback = \"h:1\": unknown key, left aside"}));
}

TEST(ProblemsOnce, AFaultIsToldAtTheFirstReadFindingItOnly) {
    ProblemsOnce once;
    once.Fresh({"a", "b"});
    EXPECT_EQ(once.Fresh({"b"}), std::vector<std::string>{});
    EXPECT_EQ(once.Fresh({"a", "b"}), std::vector<std::string>{"a"});
}

// A monitor whose link reconnects, started at the steady time 0.
struct Rig : MonitorOnFakes {
    Rig(const char* commandLine, const Options& options) {
        monitor.SetCommandRunner(runner);
        monitor.ApplyOptions(options);
        monitor.Start(commandLine, folder.path);
        monitor.OnClockTick(0ms);
    }
    // What a clock tick at `now` brings, with whatever came before it.
    Journal At(SteadyTime now) {
        monitor.OnClockTick(now);
        return Take();
    }
    testing::TempFolder folder;
    testing::FakeRunner runner;
};

const std::string kServerWait = "Aprs Server Disconnected - riprovo fra ";

// No box and no setup: the fallback is tried at once, then the first host after a wait that
// counts down; the reconnected server gets the login again, and the readout stays. A greeting
// server silent for 90 s is left; one that never greets is never judged by silence.
TEST(MonitorReconnect, ServerIsTriedAgainAfterAFailureALossOrSilence) {
    Rig rig("Q1XYZ-13 S:hosta:14580",
            {.serverReconnect = true, .serverFallback = {{"hostb", 1234}}});
    rig.monitor.ProcessWeatherReport("_10090556c220s004t077");
    rig.Take();
    rig.monitor.Failed(LinkKind::Server, "refused");
    rig.monitor.Failed(LinkKind::Server, "refused");
    rig.monitor.OnClockTick(1000ms);
    EXPECT_EQ(rig.At(1500ms),
              (Journal{"server close", "server connect hostb:1234", "server close",
                       "lblWxComment=" + kServerWait + "4 s", "traytip=" + kServerWait + "4 s",
                       "lblWxComment=" + kServerWait + "3 s", "traytip=" + kServerWait + "3 s"}));
    rig.monitor.OnClockTick(5000ms);
    rig.monitor.Server().OnConnected();
    rig.monitor.Server().OnData("# server\r\n");
    const Journal again = rig.Take();
    EXPECT_EQ(again.front(), "server connect hosta:14580");
    EXPECT_TRUE(again.back().starts_with("server send user PLUV00000 pass -1")) << again.back();
    EXPECT_TRUE(rig.screen.Caption(Label::Temp).starts_with("25.0"));

    rig.monitor.OnClockTick(96000ms);
    EXPECT_EQ(rig.At(185999ms), Journal{});
    EXPECT_EQ(rig.At(186000ms).at(0), "server close");

    rig.monitor.OnClockTick(200000ms);
    rig.monitor.Server().OnConnected();
    rig.monitor.Server().OnData("Q2ABC>APRS:>no greeting\r\n");
    rig.Take();
    for (int minute = 4; minute < 59; ++minute) rig.monitor.OnClockTick(minute * 60000ms);
    EXPECT_EQ(rig.At(59 * 60000ms), Journal{});
}

// The engine is asked its version every five minutes; the answer changes nothing on screen,
// and none within 15 s loses the link, as the alarm command hears. Switched off, the link stops
// waiting and stays off.
TEST(MonitorReconnect, EngineIsProbedAndALinkSwitchedOffStopsTrying) {
    const std::string probe = "agw send " + EncodeAgwRequest('R');
    Rig rig("Q1XYZ-13 A:hostc:8000", {.agwReconnect = true, .alarmCommand = "notify"});
    rig.monitor.Agw().OnConnected();
    rig.Take();
    EXPECT_EQ(rig.At(299999ms), Journal{});
    rig.monitor.OnClockTick(300000ms);
    rig.monitor.Agw().OnData(EncodeAgwFrame('R', "", std::string(8, '\1')));
    rig.monitor.OnClockTick(600000ms);
    EXPECT_EQ(rig.At(614999ms), (Journal{probe, probe}));
    EXPECT_EQ(rig.At(615000ms).at(0), "agw close");
    EXPECT_EQ(rig.runner.runs, std::vector<std::string>{"link-lost;PLUVETTA_STATION=Q1XYZ-13;"
                                                        "PLUVETTA_TEXT=AGWPE Disconnected"});

    SetupForm form = rig.monitor.SetupFilling();
    form.agwEnabled = false;
    rig.monitor.AcceptSetup(form);
    rig.monitor.Lost(LinkKind::Agw);  // late, from the socket closed
    rig.Take();
    EXPECT_EQ(rig.At(3600000ms), Journal{});
    form.agwEnabled = true;
    rig.monitor.AcceptSetup(form);
    rig.monitor.Lost(LinkKind::Agw);
    rig.Take();
    rig.monitor.ApplyOptions({});
    EXPECT_EQ(rig.At(7200000ms), (Journal{"agw close", "lblWxComment=AGWPE Disconnected"}));
    EXPECT_FALSE(rig.monitor.Station().AgwEnabled);
}

}  // namespace
}  // namespace pluvetta
