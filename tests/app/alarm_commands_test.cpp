#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "app/alarm_commands.h"
#include "app/command_words.h"
#include "app/fake_alarm_ports.h"
#include "app/fake_ports.h"

namespace pluvetta {
namespace {

using std::chrono::seconds;
using testing::FakeClock;
using testing::FakeRunner;
using Words = std::optional<std::vector<std::string>>;

TEST(SplitCommandWords, QuotesAndEscapesAsAShellWithoutExpansion) {
    const struct {
        const char* text;
        Words words;
    } cases[] = {
        {"  notify-send\t-u  critical ", Words({"notify-send", "-u", "critical"})},
        {"echo $HOME * ~ `id`", Words({"echo", "$HOME", "*", "~", "`id`"})},
        {R"(a 'b  c' "d  e" x"y"'z')", Words({"a", "b  c", "d  e", "xyz"})},
        {R"('it'\''s' 'back\slash')", Words({"it's", R"(back\slash)"})},
        {R"("q\"b\\c\$d\e\`")", Words({R"(q"b\c$d\e`)"})},
        {"a\\ b \\'x a\\\nb \"c\\\nd\"", Words({"a b", "'x", "ab", "cd"})},
        {"'' \"\"", Words({"", ""})},
        {"   ", Words(std::vector<std::string>())},
        {"echo 'open", std::nullopt},
        {R"(echo "open\")", std::nullopt},
        {"echo end\\", std::nullopt},
    };
    for (const auto& c : cases) EXPECT_EQ(SplitCommandWords(c.text), c.words) << c.text;
}

// One run at a time and one start a minute for each event, the kinds apart; the environment
// says what happened in UTF-8; a command that cannot start or be split is told once.
TEST(AlarmCommands, EachEventRunsOneAtATimeAndOnceAMinuteAndFaultsAreToldOnce) {
    FakeClock clock;
    FakeRunner runner;
    AlarmCommands commands;
    commands.SetPorts(clock, runner);
    commands.Raise(AlarmEvent::Alarm, "Q1XYZ-13", "25,6\260C", "temp");  // no command yet
    commands.SetCommand("mosquitto_pub -t 'wx/alarm' -m \"$PLUVETTA_TEXT\"");
    commands.Raise(AlarmEvent::Alarm, "Q1XYZ-13", "25,6\260C", "temp,hum");
    commands.Raise(AlarmEvent::Silent, "Q1XYZ-13", "45");
    clock.now += seconds(90);
    commands.Raise(AlarmEvent::Alarm, "Q1XYZ-13", "still running");
    runner.runs.at(0).ended(std::nullopt);
    runner.runs.at(1).ended(std::nullopt);
    clock.now += seconds(1);
    commands.Raise(AlarmEvent::LinkLost, "Q1XYZ-13", "Aprs Server Disconnected");
    runner.runs.at(2).ended("No such file or directory");
    clock.now += seconds(59);
    commands.Raise(AlarmEvent::LinkLost, "Q1XYZ-13", "within the minute");
    clock.now += seconds(1);
    commands.Raise(AlarmEvent::LinkLost, "Q1XYZ-13", "a minute on");
    runner.runs.at(3).ended("No such file or directory");
    EXPECT_EQ(runner.runs.at(0).words, (std::vector<std::string>{"mosquitto_pub", "-t", "wx/alarm",
                                                                 "-m", "$PLUVETTA_TEXT"}));
    EXPECT_EQ(
        runner.Events(),
        (std::vector<std::string>{
            "PLUVETTA_EVENT=alarm;PLUVETTA_STATION=Q1XYZ-13;PLUVETTA_TEXT=25,6\xC2\xB0"
            "C;PLUVETTA_LABELS=temp,hum;",
            "PLUVETTA_EVENT=silent;PLUVETTA_STATION=Q1XYZ-13;PLUVETTA_TEXT=45;",
            "PLUVETTA_EVENT=link-lost;PLUVETTA_STATION=Q1XYZ-13;"
            "PLUVETTA_TEXT=Aprs Server Disconnected;",
            "PLUVETTA_EVENT=link-lost;PLUVETTA_STATION=Q1XYZ-13;PLUVETTA_TEXT=a minute on;"}));

    commands.SetCommand("notify-send 'Pluvetta");
    commands.SetCommand("notify-send 'Pluvetta");
    clock.now += seconds(600);
    commands.Raise(AlarmEvent::Silent, "Q1XYZ-13", "55");
    EXPECT_EQ(runner.runs.size(), 4u);
    EXPECT_EQ(runner.complaints,
              (std::vector<std::string>{
                  "pluvetta: alarm command could not start: No such file or directory",
                  "pluvetta: alarm command not run, it has an unclosed quote or ends with a "
                  "backslash: notify-send 'Pluvetta"}));
}

// A run may end after the window, and the commands with it, have gone.
TEST(AlarmCommands, ARunEndingAfterThemIsHarmless) {
    FakeClock clock;
    FakeRunner runner;
    {
        AlarmCommands commands;
        commands.SetPorts(clock, runner);
        commands.SetCommand("true");
        commands.Raise(AlarmEvent::LinkBack, "Q1XYZ-13", "");
    }
    runner.runs.at(0).ended("crashed");
    EXPECT_TRUE(runner.complaints.empty());
}

// The command hears of a value alarm when a label turns red, with every label red then, and of
// a link lost and back; a link that was never lost is not "back". Default options run nothing.
TEST(MonitorAlarmCommands, LabelsTurningRedAndLinksLostAndBackRunTheCommand) {
    FakeClock clock;
    FakeRunner runner;
    testing::MonitorOnFakes rig;
    Monitor& monitor = rig.monitor;
    monitor.SetAlarmPorts(clock, runner);
    monitor.Alarms().HiTemp = 20.0f;
    monitor.ProcessWeatherReport("_10090556c220s004t077h50b10132");
    Options options;
    options.alarmCommand = "notify";
    monitor.ApplyOptions(options);
    const auto step = [&](auto event) {
        clock.now += seconds(60);
        event();
        for (auto& run : runner.runs) run.ended(std::nullopt);
    };
    step([&] { monitor.ProcessWeatherReport("_10090556c220s004t077h50b10132"); });
    step([&] { monitor.Connected(LinkKind::Server); });
    monitor.Alarms().HiHum = 40;
    step([&] { monitor.ProcessWeatherReport("_10090556c220s004t077h50b10132"); });
    step([&] { monitor.ProcessWeatherReport("_10090556c220s004t077"); });  // humidity kept
    step([&] { monitor.ProcessWeatherReport("_10090556c220s004t077h50b10132"); });
    step([&] { monitor.Lost(LinkKind::Agw); });
    step([&] { monitor.Connected(LinkKind::Server); });
    step([&] { monitor.Connected(LinkKind::Agw); });
    step([&] { monitor.Connected(LinkKind::Agw); });
    EXPECT_EQ(runner.Events(),
              (std::vector<std::string>{
                  "PLUVETTA_EVENT=alarm;PLUVETTA_STATION=Q1XYZ-13;PLUVETTA_TEXT=Q1XYZ-13 "
                  "220\xC2\xB0  6 km/h 25.0\xC2\xB0"
                  "C 50% 1,013.2 mb  Dp 13.8\xC2\xB0"
                  "C  11.5g/m\xC2\xB3;PLUVETTA_LABELS=temp,hum;",
                  "PLUVETTA_EVENT=link-lost;PLUVETTA_STATION=Q1XYZ-13;"
                  "PLUVETTA_TEXT=AGWPE Disconnected;",
                  "PLUVETTA_EVENT=link-back;PLUVETTA_STATION=Q1XYZ-13;"
                  "PLUVETTA_TEXT=Q1XYZ-13 Wx Station;"}));
}

}  // namespace
}  // namespace pluvetta
