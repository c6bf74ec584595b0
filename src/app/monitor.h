#pragma once

#include <array>
#include <chrono>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <optional>
#include <random>
#include <string>
#include <string_view>
#include <vector>

#include "app/alarm_commands.h"
#include "app/caption_memory.h"
#include "app/options.h"
#include "app/ports.h"
#include "app/reconnect.h"
#include "app/report_recorder.h"
#include "app/setup_form.h"
#include "app/silent_station.h"
#include "app/station_settings.h"
#include "links/agw_link.h"
#include "links/link_events.h"
#include "links/server_link.h"
#include "links/socket.h"
#include "links/traffic_log.h"
#include "weather/alarm_settings.h"
#include "weather/number_format.h"
#include "weather/readout.h"
#include "weather/trend.h"

namespace pluvetta {

// The running system: settings, links, traffic log and readout state of the main window, and
// the handlers of every event the window forwards. The links report here, and this decides
// what each report shows and does. Reaches the desktop only through the ports.
class Monitor : public LinkEvents {
  public:
    // How often the shell's keep-alive timer calls Server().OnKeepAliveTick().
    static constexpr std::chrono::minutes kServerKeepAliveInterval = kKeepAliveInterval;

    // `loginSeed` picks the receive-only login name used with servers that want one; draw it
    // at random once per run.
    Monitor(Screen& screen, Desktop& desktop, Socket& agwSocket, Socket& serverSocket,
            NumberFormat numberFormat, std::uint32_t loginSeed = 0);

    // Start-up, once, when the main window loads: reads the command line and the alarms file
    // (see AlarmsFolder), then connects the enabled links or asks for the setup dialog. With
    // no command line, the station kept in the options file is watched when there is one.
    void Start(std::string_view commandLine, const std::filesystem::path& executableFolder,
               const std::filesystem::path& configFolder = {});
    // Given the station after each setup confirmed in a session started with no command line,
    // for the shell to keep it in the options file.
    void KeepStationWith(std::function<void(const StationSettings&)> keep) {
        keepStation_ = std::move(keep);
    }
    // Who closed the main window: the user, or the session ending under a signal.
    enum class ShutdownBy { User, Signal };
    // Shut-down, once, when the main window closes: closes both links, saves when asked to.
    // A failed save is a warning box when the user closed the window; otherwise nobody is
    // there to answer one, and the caller reports SaveFailedNotice(). False when it failed.
    bool Shutdown(ShutdownBy by = ShutdownBy::User);
    // What a failed save says when no box can: the path and the warning's text.
    std::string SaveFailedNotice() const;

    // Decodes one information field of the watched station and updates the whole readout.
    void ProcessWeatherReport(std::string_view information);
    // The one-minute timer.
    void OnElapsedTick();

    // The setup dialog's form for the settings as they stand.
    SetupForm SetupFilling() const;
    // The setup dialog's "&Conferma". Every number box is checked first: the first one refused
    // is named in a message box and returned, and nothing is applied. Otherwise the form goes
    // into the settings, each link is reconnected, closed or left alone as the changes ask,
    // and nullopt is returned.
    std::optional<SetupField> AcceptSetup(const SetupForm& form);

    // The links, for the shell to hand them their sockets' events and the keep-alive ticks.
    AgwLink& Agw() { return agwLink_; }
    ServerLink& Server() { return serverLink_; }

    // What the links report.
    void Connected(LinkKind link) override;
    void Started(LinkKind link) override;
    void Failed(LinkKind link, const std::string& description) override;
    void Lost(LinkKind link) override;
    void Packet(LinkKind link, const LinkPacket& packet) override;
    void EngineVersion(int major, int minor) override;
    void RadioPorts(std::string_view count) override;

    // The options file, read at start and whenever it changes.
    void ApplyOptions(const Options& options);
    const Options& CurrentOptions() const { return options_; }
    // What starts the alarm command; without it no command runs.
    void SetCommandRunner(CommandRunner& runner) { commands_.SetRunner(runner); }
    // Runs the alarm command for a link that is up again after it was lost or failed; nothing
    // otherwise. Connected calls it; calling it again for the same connection does nothing.
    void ReportLinkBack(LinkKind link);

    // A greeting server silent this long after the login counts as lost.
    static constexpr std::chrono::seconds kServerSilenceLimit{90};
    // How often a reconnecting AGWPE link asks the engine's version, and how long it waits.
    static constexpr std::chrono::seconds kAgwProbeInterval{300};
    static constexpr std::chrono::seconds kAgwProbeAnswerLimit{15};
    // The shell's steady clock, about once a second: the one time of the core, by which the
    // station's rhythm and the alarm command's pace are measured too. With reconnecting on, it
    // starts the attempts whose wait is over, counts the wait down on screen, and judges a
    // silent server and an engine that no longer answers.
    void OnClockTick(SteadyTime now);
    // Where each report of the watched station is kept; none when null.
    void RecordReportsTo(ReportRecorder* recorder) { recorder_ = recorder; }

    StationSettings& Station() { return station_; }
    AlarmSettings& Alarms() { return alarms_; }
    const std::filesystem::path& AlarmsFilePath() const { return alarmsFilePath_; }
    bool ReportGate() const { return reportGate_; }
    int MinutesSinceReport() const { return minutesSinceReport_; }
    bool TrendReady() const { return trendReady_; }

  private:
    void WarnSaveFailed();
    void ShowWind(const WeatherReading& reading, const Readout& readout);
    void ShowTrendedValue(Label label, TrendBox box, const std::optional<LabelText>& text,
                          float change);
    void Raise();
    void CloseLink(LinkKind link);
    void ConnectLink(LinkKind link);
    void ApplyLinkSetup(LinkKind link, bool wasOn, const std::string& host, std::uint16_t port,
                        const std::string& call);
    void BlankReadout();
    void ClearLog();
    void NoteValueAlarms(const Readout& readout, const std::string& tooltip);
    void SoundSilentAlarm();
    void NoteLinkDown(LinkKind link, const std::string& text);

    // One link's reconnecting.
    struct LinkWatch {
        enum class Phase { Idle, Connecting, Up, Waiting };
        explicit LinkWatch(RandomSource random) : policy(std::move(random)) {}
        Phase phase = Phase::Idle;
        ReconnectPolicy policy;
        // The attempt follows a loss: the readout keeps what it showed.
        bool reconnecting = false;
        // The server of the attempt: 0 the setup's, then the fallbacks in turn.
        std::size_t endpoint = 0;
        // Waiting: when the next attempt starts, and the seconds last shown.
        SteadyTime due{};
        long long shownSeconds = -1;
        // Up: the server's last byte (counted since the login), or the engine's last probe.
        SteadyTime since{};
        std::uint64_t heardBytes = 0;
    };
    LinkWatch& Watch(LinkKind link) { return link == LinkKind::Server ? serverWatch_ : agwWatch_; }
    // Takes the reconnect options in force: ends the waits of links whose option went.
    void ApplyReconnectOptions();
    bool ReconnectOn(LinkKind link) const;
    bool LinkOn(LinkKind link) const {
        return link == LinkKind::Server ? station_.ServerEnabled : station_.AgwEnabled;
    }
    // With reconnecting on for a link switched on: closes it and tries again later (or the next
    // fallback at once), and true. False otherwise: the link fails as it always did.
    bool RetryLater(LinkKind link);
    void Attempt(LinkKind link);
    void ShowWait(LinkKind link);
    void WatchConnection(LinkKind link);
    std::string LinkHost(LinkKind link) const;
    static std::string LostText(LinkKind link);

    CaptionMemory screen_;
    Desktop& desktop_;
    NumberFormat numberFormat_;

    StationSettings station_;
    Options options_;
    ReportRecorder* recorder_ = nullptr;
    std::function<void(const StationSettings&)> keepStation_;
    bool keepsStation_ = false;
    AlarmSettings alarms_;
    std::filesystem::path alarmsFilePath_;
    // The defaults taken because the alarms file could not be read; not saved over it as such.
    std::optional<AlarmSettings> unreadAlarms_;
    bool reportGate_ = true;
    int minutesSinceReport_ = 0;
    bool trendReady_ = false;
    PreviousReading previous_;
    // What the Rx pane shows: the rows of the last packet of any station, from either link.
    std::vector<std::string> rxRows_;
    TrafficLog log_;
    // Connects asked of each link, AGWPE first: a failure's box outlives its attempt.
    std::array<unsigned, 2> connectAttempts_{};
    AgwLink agwLink_;
    ServerLink serverLink_;
    Socket& agwSocket_;
    Socket& serverSocket_;
    SteadyTime now_{};
    std::mt19937 random_;
    LinkWatch agwWatch_;
    LinkWatch serverWatch_;

    SilentStation silent_;
    AlarmCommands commands_;
    // The readout labels now red: wind, temperature, humidity, pressure, rain from bit 0.
    unsigned valueAlarms_ = 0;
    // One bit per LinkKind: the link was lost or failed and has not come back since.
    unsigned linksDown_ = 0;
};

}  // namespace pluvetta
