#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <tuple>
#include <vector>

#include "app/alarm_commands.h"
#include "app/command_words.h"
#include "app/fake_ports.h"

namespace pluvetta {
namespace {

using std::chrono::seconds;
using Texts = std::vector<std::string>;
using Words = std::optional<Texts>;

TEST(SplitCommandWords, QuotesAndEscapesAsAShellWithoutExpansion) {
    const std::pair<const char*, Words> cases[] = {
        {"  notify-send\t-u  critical ", Texts{"notify-send", "-u", "critical"}},
        {"echo $HOME * ~ `id`", Texts{"echo", "$HOME", "*", "~", "`id`"}},
        {R"(a 'b  c' "d  e" x"y"'z')", Texts{"a", "b  c", "d  e", "xyz"}},
        {R"('it'\''s' 'back\slash' "q\"b\\c\$d\e\`")",
         Texts{"it's", R"(back\slash)", R"(q"b\c$d\e`)"}},
        {"a\\ b \\'x a\\\nb \"c\\\nd\" '' \"\"", Texts{"a b", "'x", "ab", "cd", "", ""}},
        {"   ", Texts{}},
        {"echo 'open", std::nullopt},
        {R"(echo "open\")", std::nullopt},
        {"echo end\\", std::nullopt},
    };
    for (const auto& [text, words] : cases) EXPECT_EQ(SplitCommandWords(text), words) << text;
}

// One run at a time and one start a minute for each event, the kinds apart; the environment
// says what happened in UTF-8; a command that cannot start or be split is told once.
TEST(AlarmCommands, EachEventRunsOneAtATimeAndOnceAMinuteAndFaultsAreToldOnce) {
    testing::FakeRunner runner;
    AlarmCommands commands;
    commands.SetRunner(runner);
    commands.SetCommand("mosquitto_pub -m \"$PLUVETTA_TEXT\"");
    commands.Raise(AlarmEvent::Alarm, seconds(0), "Q1XYZ-13", "25,6\260C", "temp,hum");
    commands.Raise(AlarmEvent::Silent, seconds(0), "Q1XYZ-13", "45");
    commands.Raise(AlarmEvent::Alarm, seconds(90), "Q1XYZ-13", "still running");
    for (const auto& end : runner.ended) end(std::nullopt);
    commands.Raise(AlarmEvent::Silent, seconds(90), "Q1XYZ-13", "90 s on");
    runner.ended.at(2)("No such file");
    commands.Raise(AlarmEvent::Silent, seconds(149), "Q1XYZ-13", "within the minute");
    commands.Raise(AlarmEvent::Silent, seconds(150), "Q1XYZ-13", "a minute on");
    runner.ended.at(3)("No such file");
    EXPECT_EQ(runner.lastWords, (Texts{"mosquitto_pub", "-m", "$PLUVETTA_TEXT"}));
    const std::string silent = "silent;PLUVETTA_STATION=Q1XYZ-13;PLUVETTA_TEXT=";
    EXPECT_EQ(runner.runs, (Texts{"alarm;PLUVETTA_STATION=Q1XYZ-13;PLUVETTA_TEXT=25,6\xC2\xB0"
                                  "C;PLUVETTA_LABELS=temp,hum",
                                  silent + "45", silent + "90 s on", silent + "a minute on"}));

    commands.SetCommand("notify-send 'Pluvetta");
    commands.SetCommand("notify-send 'Pluvetta");
    commands.Raise(AlarmEvent::LinkLost, seconds(750), "Q1XYZ-13", "AGWPE Disconnected");
    EXPECT_EQ(runner.runs.size(), 4u);
    EXPECT_EQ(runner.complaints,
              (Texts{"pluvetta: alarm command could not start: No such file",
                     "pluvetta: alarm command not run, it has an unclosed quote or ends with a "
                     "backslash: notify-send 'Pluvetta"}));
}

// The command hears of a value alarm when a label turns red, not while it stays red (also
// through a report without that value), with every label red then; of a link lost and back,
// not connected again without a loss; and of a silent station, whose threshold follows the
// reports' rhythm on the Monitor's clock. Silence turns only the minutes label red, beeps and
// raises the window as each alarm box says, and is ended by a report; only while a link is on.
TEST(MonitorAlarmCommands, ValueLinkAndSilentAlarmsShowAndRunTheCommand) {
    testing::MonitorOnFakes rig;
    testing::FakeRunner runner;
    Monitor& monitor = rig.monitor;
    monitor.SetCommandRunner(runner);
    monitor.ApplyOptions({.silentMode = SilentMode::Auto, .alarmCommand = "notify"});
    monitor.Station().ServerEnabled = true;
    monitor.Alarms() = {
        .FocusOnData = false, .BeepOnAlarm = false, .FocusOnAlarm = false, .HiTemp = 20.0f};
    SteadyTime now{};
    const auto step = [&](auto event) {  // every quarter of an hour by the clock
        monitor.OnClockTick(now += std::chrono::minutes(15));
        event();
        for (const auto& end : runner.ended) end(std::nullopt);
    };
    const char* report = "_10090556c220s004t077h50b10132";
    step([&] { monitor.ProcessWeatherReport(report); });
    step([&] { monitor.ProcessWeatherReport(report); });
    monitor.Alarms().HiHum = 40;
    step([&] { monitor.ProcessWeatherReport(report); });
    step([&] { monitor.ProcessWeatherReport("_10090556c220s004t077"); });
    step([&] { monitor.ProcessWeatherReport(report); });
    step([&] { monitor.Lost(LinkKind::Agw); });
    step([&] { monitor.Connected(LinkKind::Agw); });
    step([&] { monitor.Connected(LinkKind::Agw); });

    const auto ticks = [&monitor](int count) {
        for (int minute = 0; minute < count; ++minute) monitor.OnElapsedTick();
    };
    monitor.Alarms().BeepOnAlarm = true;
    ticks(45);
    EXPECT_EQ(rig.screen.colors.at(Label::Elapsed), kAlarmRed);
    EXPECT_EQ(std::tuple(rig.desktop.beeps, rig.desktop.bringsToFront), std::tuple(1, 0));
    monitor.Alarms() = {.FocusOnData = false, .BeepOnAlarm = false, .FocusOnAlarm = true};
    ticks(60);  // the reminder
    EXPECT_EQ(std::tuple(rig.desktop.beeps, rig.desktop.bringsToFront), std::tuple(1, 1));
    EXPECT_EQ(rig.screen.colors.at(Label::Press), kNormalBlue);
    const std::string alarm =
        "alarm;PLUVETTA_STATION=Q1XYZ-13;PLUVETTA_TEXT=Q1XYZ-13 220\u00B0  "
        "6 km/h 25.0\u00B0C 50% 1,013.2 mb  Dp 13.8\u00B0C  11.5g/m\u00B3;"
        "PLUVETTA_LABELS=temp";
    EXPECT_EQ(runner.runs,
              (Texts{alarm, alarm + ",hum",
                     "link-lost;PLUVETTA_STATION=Q1XYZ-13;PLUVETTA_TEXT=AGWPE Disconnected",
                     "link-back;PLUVETTA_STATION=Q1XYZ-13;PLUVETTA_TEXT=Q1XYZ-13 Wx Station",
                     "silent;PLUVETTA_STATION=Q1XYZ-13;PLUVETTA_TEXT=45"}));
    monitor.ProcessWeatherReport(report);
    monitor.Station().ServerEnabled = false;
    ticks(50);
    EXPECT_EQ(rig.screen.colors.at(Label::Elapsed), kNormalBlue);
}

}  // namespace
}  // namespace pluvetta
